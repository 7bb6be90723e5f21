# Checks of the sources themselves, run as tests: formatting and the layers' includes.
# `cmake --build build --target format` formats every C++ file; the test `format_check` fails
# on any file that is not formatted, so unformatted code cannot land.
find_program(STRATIVEX_CLANG_FORMAT NAMES clang-format clang-format-14)
if(STRATIVEX_CLANG_FORMAT)
    set(format_script ${PROJECT_SOURCE_DIR}/cmake/run_clang_format.cmake)
    add_custom_target(format
        COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${STRATIVEX_CLANG_FORMAT}
                -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DMODE=fix -P ${format_script}
        COMMENT "Formatting the C++ sources"
        VERBATIM)
    if(STRATIVEX_TESTS)
        add_test(NAME format_check
            COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${STRATIVEX_CLANG_FORMAT}
                    -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DMODE=check -P ${format_script})
    endif()
endif()

if(STRATIVEX_TESTS)
    add_test(NAME layering_check
        COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake)
endif()
