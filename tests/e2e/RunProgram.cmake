# Runs PROGRAM with ARGS and compares what it writes with EXPECTED.out and
# EXPECTED.err, byte for byte, and its exit status with STATUS. "@PROGRAM@"
# in an expected file stands for the program's path; a leading build banner
# ("Compiled on ..." and an empty line) is set aside, since its date, time
# and compiler change with every build.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${PROGRAM}" ${ARGS}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
string(REGEX REPLACE "^Compiled on [^\n]* with [^\n]* in debug mode\n\n" "" out "${out}")
set(failures "")
foreach(stream out err)
    set(expected "")
    if(EXISTS "${EXPECTED}.${stream}")
        file(READ "${EXPECTED}.${stream}" expected)
        string(REPLACE "@PROGRAM@" "${PROGRAM}" expected "${expected}")
    endif()
    if(NOT expected STREQUAL ${stream})
        string(APPEND failures "--- expected std${stream} ---\n${expected}--- actual ---\n${${stream}}---\n")
    endif()
endforeach()
if(NOT status STREQUAL STATUS)
    string(APPEND failures "exit status ${status}, expected ${STATUS}\n")
endif()
if(failures)
    message("${failures}")
    message(FATAL_ERROR "unexpected result of ${PROGRAM} ${ARGS}")
endif()
