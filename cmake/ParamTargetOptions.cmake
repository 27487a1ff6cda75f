# param_target_options(<target>): the options every target of the project
# gets: strict warnings (-Werror only with PARAM_WARNINGS_AS_ERRORS, which
# the developer and CI presets switch on) and the sanitizers named in
# PARAM_SANITIZERS. Consumers of the library never inherit them (PRIVATE).
function(param_target_options target)
    # Each compiler with the flags it has.
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${PARAM_WARNINGS_AS_ERRORS}>:-Werror>)
    elseif(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${PARAM_WARNINGS_AS_ERRORS}>:/WX>)
    endif()
    if(PARAM_SANITIZERS)
        target_compile_options(${target} PRIVATE
            -fsanitize=${PARAM_SANITIZERS} -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=${PARAM_SANITIZERS})
    endif()
endfunction()
