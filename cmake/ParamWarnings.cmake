# Strict warnings for the project's own targets. Consumers of the library
# never inherit them (PRIVATE), and -Werror only comes with
# PARAM_WARNINGS_AS_ERRORS, which the developer and CI presets switch on.
function(param_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(PARAM_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
