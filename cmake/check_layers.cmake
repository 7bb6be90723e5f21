# Checks that every folder includes and links only the layers below it, that the engine's layers
# include no Qt header, and that the drawings neither write files nor read the program's whole
# state: the rules the libraries' links rely on. Run as the test layering_check.
cmake_minimum_required(VERSION 3.25)
set(allowed_core core)
set(allowed_persistence core persistence)
set(allowed_exact core exact)
set(allowed_views core persistence exact views)
set(allowed_platform core persistence platform)
set(allowed_document core document)
set(allowed_dialogs core persistence views platform document dialogs)
# The Sweep and Transient windows write their CSV with the calculator's columns: those headers
# of the calculator's Qt-free library (cli_output), nothing of the calculator itself.
set(allowed_analysis core persistence exact views platform document dialogs analysis
    cli/sweep_report.h cli/transient_report.h cli_output)
set(allowed_mainwindow core persistence exact views platform document dialogs analysis
    mainwindow)
set(allowed_cli core persistence exact views cli cli_output)
set(without_qt core persistence exact)
# Views draw on what they are handed: they never write a file, nor reach for the program's state.
set(forbidden_views persistence/app_state.h persistence/safe_write.h <QFile> <QSaveFile>
    <fstream> <cstdio>)

# The folder each library is built from; a library may link those of its allowed folders.
set(folder_of_strativex_core core)
set(folder_of_strativex_persistence persistence)
set(folder_of_strativex_exact exact)
set(folder_of_strativex_views views)
set(folder_of_strativex_platform platform)
set(folder_of_strativex_document document)
set(folder_of_strativex_dialogs dialogs)
set(folder_of_strativex_analysis analysis)
set(folder_of_strativex_gui mainwindow)
set(folder_of_strativex_cli cli)
set(folder_of_strativex_cli_pdf cli)
set(folder_of_strativex_cli_output cli_output)

set(failures "")
foreach(layer core persistence exact views platform document dialogs analysis mainwindow cli)
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.h)
    foreach(source IN LISTS sources)
        file(STRINGS ${source} includes REGEX "^#include [<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include [\"]?([^\"]*)[\"]?.*" "\\1" header "${line}")
            if(header IN_LIST forbidden_${layer})
                string(APPEND failures "\n  ${layer} may not use ${header}: ${source}")
            elseif(line MATCHES "^#include \"([a-z_]+)/")
                set(used ${CMAKE_MATCH_1})
                if(NOT used IN_LIST allowed_${layer} AND NOT header IN_LIST allowed_${layer})
                    string(APPEND failures "\n  ${layer}: ${source}: ${line}")
                endif()
            elseif(line MATCHES "^#include <Q" AND layer IN_LIST without_qt)
                string(APPEND failures "\n  ${layer} uses Qt: ${source}: ${line}")
            endif()
        endforeach()
    endforeach()

    # A link to a higher layer lets an include of it compile: the links obey the same table.
    file(READ ${SOURCE_DIR}/${layer}/CMakeLists.txt build_text)
    string(REGEX MATCHALL "target_link_libraries\\([^)]*\\)" links "${build_text}")
    string(REGEX MATCHALL "strativex_[a-z_]+" linked "${links}")
    foreach(library IN LISTS linked)
        if(NOT DEFINED folder_of_${library})
            continue()
        endif()
        if(NOT folder_of_${library} IN_LIST allowed_${layer})
            string(APPEND failures "\n  ${layer} links ${library}")
        endif()
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "Includes and links across the layers:${failures}")
endif()
