# param_target_options(<target>): the options every target of the project
# gets: strict warnings (-Werror only with PARAM_WARNINGS_AS_ERRORS, which
# the developer and CI presets switch on) and the sanitizers named in
# PARAM_SANITIZERS. Consumers of the library never inherit them (PRIVATE).
function(param_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(PARAM_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(PARAM_SANITIZERS)
        target_compile_options(${target} PRIVATE
            -fsanitize=${PARAM_SANITIZERS} -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=${PARAM_SANITIZERS})
    endif()
endfunction()
