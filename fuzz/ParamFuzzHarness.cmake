# param_add_fuzz_harness(<name>): a static library of the harness shared by
# the fuzz targets and the regression replay test, together with its own
# copy of the library's sources in which ThrowingProcessEnd.cpp takes the
# place of ProcessEnd.cpp. The library's source list is read from the param
# target, so a source added there is picked up here as well.
function(param_add_fuzz_harness name)
    get_target_property(library_sources param SOURCES)
    get_target_property(library_dir param SOURCE_DIR)
    set(sources "")
    foreach(source IN LISTS library_sources)
        if(NOT IS_ABSOLUTE "${source}")
            set(source "${library_dir}/${source}")
        endif()
        get_filename_component(file_name "${source}" NAME)
        if(NOT file_name STREQUAL "ProcessEnd.cpp")
            list(APPEND sources "${source}")
        endif()
    endforeach()

    set(fuzz_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")
    add_library(${name} STATIC
        ${sources}
        "${fuzz_dir}/ThrowingProcessEnd.cpp"
        "${fuzz_dir}/FuzzHarness.cpp")
    target_include_directories(${name} PUBLIC "${library_dir}/src/param" "${fuzz_dir}")
    target_compile_features(${name} PUBLIC cxx_std_17)
    set_target_properties(${name} PROPERTIES CXX_EXTENSIONS OFF)
    param_set_warnings(${name})
endfunction()
