# Install rules: the public headers, the library, a CMake package
# (find_package(Param CONFIG) giving the target Param::param) and a
# pkg-config file (param.pc), the CMake function param_manual_page; the programs and their manual
# pages only with PARAM_INSTALL_PROGRAMS.
#
# Included by the top-level CMakeLists.txt after the targets exist.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# A project that pulls the sources in with add_subdirectory or FetchContent
# usually installs its own things only; it can switch this on.
option(PARAM_INSTALL "Generate the install rules of the Param library" ${PROJECT_IS_TOP_LEVEL})
option(PARAM_INSTALL_PROGRAMS "Install TestParam and the example programs too" OFF)
if(NOT PARAM_INSTALL)
    return()
endif()

set(PARAM_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/Param"
    CACHE STRING "Where the CMake package files go (relative to the prefix)")
set(PARAM_INSTALL_PKGCONFIGDIR "${CMAKE_INSTALL_LIBDIR}/pkgconfig"
    CACHE STRING "Where param.pc goes (relative to the prefix)")
mark_as_advanced(PARAM_INSTALL_CMAKEDIR PARAM_INSTALL_PKGCONFIGDIR)

set(param_source_dir "${CMAKE_CURRENT_LIST_DIR}/..")
set(param_binary_dir "${PROJECT_BINARY_DIR}")

# --- The library and its public headers ------------------------------------
# The public headers are the two beside the sources; everything internal
# lives in src/param/detail/ and is not installed.
install(TARGETS param
    EXPORT ParamTargets
    ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Param_Development
    LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Param_Runtime
            NAMELINK_COMPONENT Param_Development
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT Param_Runtime)
install(FILES
        "${param_source_dir}/src/param/Param.h"
        "${param_source_dir}/src/param/ParamDef.h"
        "${param_source_dir}/src/param/ParamValue.h"
        "${param_source_dir}/src/param/Command.h"
    DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/param"
    COMPONENT Param_Development)

# --- The programs, when asked for ---------------------------------------------
if(PARAM_INSTALL_PROGRAMS)
    set(param_programs "")
    foreach(program TestParam FileTool wordfreq cut kv linecount)
        if(TARGET ${program})
            list(APPEND param_programs ${program})
        endif()
    endforeach()
    get_target_property(param_type param TYPE)
    if(param_type STREQUAL "SHARED_LIBRARY")
        # Installed under any prefix, they find the shared library in the
        # prefix's library folder.
        file(RELATIVE_PATH bin_to_lib
            "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
        set_target_properties(${param_programs} PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
    endif()
    install(TARGETS ${param_programs}
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT Param_Runtime)
    # Their manual pages, where the build writes them.
    foreach(program IN LISTS param_programs)
        get_target_property(page ${program} PARAM_MANUAL_PAGE)
        if(page)
            install(FILES "${page}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT Param_Runtime)
        endif()
    endforeach()
endif()

# --- CMake package ----------------------------------------------------------
install(EXPORT ParamTargets
    NAMESPACE Param::
    FILE ParamTargets.cmake
    DESTINATION "${PARAM_INSTALL_CMAKEDIR}"
    COMPONENT Param_Development)
configure_package_config_file(
    "${CMAKE_CURRENT_LIST_DIR}/ParamConfig.cmake.in"
    "${param_binary_dir}/ParamConfig.cmake"
    INSTALL_DESTINATION "${PARAM_INSTALL_CMAKEDIR}")
write_basic_package_version_file(
    "${param_binary_dir}/ParamConfigVersion.cmake"
    VERSION "${PROJECT_VERSION}"
    COMPATIBILITY SameMajorVersion)
install(FILES
        "${param_binary_dir}/ParamConfig.cmake"
        "${param_binary_dir}/ParamConfigVersion.cmake"
        "${CMAKE_CURRENT_LIST_DIR}/ParamManual.cmake"
        "${CMAKE_CURRENT_LIST_DIR}/ParamWriteManual.cmake"
    DESTINATION "${PARAM_INSTALL_CMAKEDIR}"
    COMPONENT Param_Development)

# --- pkg-config -------------------------------------------------------------
# The prefix is only known for certain at install time
# (cmake --install --prefix), so param.pc is written then, from a template
# in which everything else is already filled in.
foreach(dir LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
        set(PARAM_PC_${dir} "${CMAKE_INSTALL_${dir}}")
    else()
        set(PARAM_PC_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
    endif()
endforeach()
set(PARAM_PC_PREFIX "@PARAM_PC_PREFIX@")  # kept for the install-time pass
configure_file("${CMAKE_CURRENT_LIST_DIR}/param.pc.in" "${param_binary_dir}/param.pc.in" @ONLY)
install(CODE "
    set(PARAM_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    configure_file(\"${param_binary_dir}/param.pc.in\" \"${param_binary_dir}/param.pc\" @ONLY)
    " COMPONENT Param_Development)
install(FILES "${param_binary_dir}/param.pc"
    DESTINATION "${PARAM_INSTALL_PKGCONFIGDIR}"
    COMPONENT Param_Development)
