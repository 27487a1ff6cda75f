# param_manual_page(<target> [OPTION <name>] [MARKDOWN] [NO_INSTALL])
#
# Writes the manual page <target>.1 of a program built with the new interface into the current
# binary folder whenever the program is built, by running it with "<name>=man" (the program declares
# cli.manualOption(), whose name is --manual unless OPTION names another), and installs it into the
# manual folder (${CMAKE_INSTALL_MANDIR}/man1) unless NO_INSTALL is given. With MARKDOWN it writes the
# Markdown reference <target>.md beside it too. The page's date is that of SOURCE_DATE_EPOCH when
# it is set at build time, else the day of the build. The program runs on the building machine, so a
# cross build writes no page.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(_param_write_manual "${CMAKE_CURRENT_LIST_DIR}/ParamWriteManual.cmake")

function(param_manual_page target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "MARKDOWN;NO_INSTALL" "OPTION" "")
    if(NOT arg_OPTION)
        set(arg_OPTION --manual)
    endif()
    if(CMAKE_CROSSCOMPILING)
        message(STATUS "param_manual_page(${target}): a cross build writes no page")
        return()
    endif()
    set(formats man)
    if(arg_MARKDOWN)
        list(APPEND formats markdown)
    endif()
    set(written "")
    foreach(format IN LISTS formats)
        if(format STREQUAL "man")
            set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}.1")
        else()
            set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}.md")
        endif()
        add_custom_command(OUTPUT "${output}"
            COMMAND "${CMAKE_COMMAND}" "-DPROGRAM=$<TARGET_FILE:${target}>" "-DARGUMENT=${arg_OPTION}=${format}"
                "-DOUTPUT=${output}" -P "${_param_write_manual}"
            DEPENDS ${target} "${_param_write_manual}"
            COMMENT "Writing ${target}'s ${format} page"
            VERBATIM)
        list(APPEND written "${output}")
    endforeach()
    add_custom_target(${target}_manual ALL DEPENDS ${written})
    set_target_properties(${target} PROPERTIES PARAM_MANUAL_PAGE "${CMAKE_CURRENT_BINARY_DIR}/${target}.1")
    if(NOT arg_NO_INSTALL)
        install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${target}.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
    endif()
endfunction()
