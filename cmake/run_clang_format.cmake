# Formats (MODE=fix) or checks (MODE=check) the project's C++ sources. The files are listed at
# run time, so a file added since the last configuration is not missed.
file(GLOB_RECURSE sources LIST_DIRECTORIES false
    RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
list(FILTER sources EXCLUDE REGEX "^(build|\\.git)[^/]*/")
list(TRANSFORM sources PREPEND ${SOURCE_DIR}/)
if(MODE STREQUAL "fix")
    execute_process(COMMAND ${CLANG_FORMAT} -i ${sources} COMMAND_ERROR_IS_FATAL ANY)
else()
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Unformatted sources; run: cmake --build <build> --target format")
    endif()
endif()
