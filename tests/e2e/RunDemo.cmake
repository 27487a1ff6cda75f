# Runs the TestParam program once, as a user would, and compares what it
# writes with the expected texts, byte for byte.
#
#   cmake -DPROGRAM=<path> -DARGS=<list> -DEXPECTED_STATUS=<n>
#         -DEXPECTED_STDOUT=<file> -DEXPECTED_STDERR=<file> -P RunDemo.cmake
#
# Standard output must start with the build banner, which is checked by
# pattern because its date, time and compiler version change with every
# build; the rest of it must equal EXPECTED_STDOUT. An expected file that does
# not exist stands for no output at all. "@PROGRAM@" in an expected file
# stands for PROGRAM, the name under which the program was started, which the
# help hint and the usage screen repeat.
cmake_minimum_required(VERSION 3.25)

foreach(required PROGRAM EXPECTED_STATUS EXPECTED_STDOUT EXPECTED_STDERR)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "RunDemo.cmake needs -D${required}=...")
    endif()
endforeach()

function(read_expected file result)
    set(text "")
    if(EXISTS "${file}")
        file(READ "${file}" text)
        string(REPLACE "@PROGRAM@" "${PROGRAM}" text "${text}")
    endif()
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

# Names the first line in which the two texts differ, so that a failure
# points at the difference instead of only printing both texts.
function(first_difference expected actual result)
    set(line 1)
    while(TRUE)
        string(FIND "${expected}" "\n" expected_end)
        string(FIND "${actual}" "\n" actual_end)
        if(expected_end EQUAL -1 OR actual_end EQUAL -1)
            break()
        endif()
        string(SUBSTRING "${expected}" 0 ${expected_end} expected_line)
        string(SUBSTRING "${actual}" 0 ${actual_end} actual_line)
        if(NOT expected_line STREQUAL actual_line)
            break()
        endif()
        math(EXPR expected_end "${expected_end} + 1")
        math(EXPR actual_end "${actual_end} + 1")
        string(SUBSTRING "${expected}" ${expected_end} -1 expected)
        string(SUBSTRING "${actual}" ${actual_end} -1 actual)
        math(EXPR line "${line} + 1")
    endwhile()
    set(${result} "first difference in line ${line}" PARENT_SCOPE)
endfunction()

set(failures "")

function(compare what expected actual)
    if(NOT expected STREQUAL actual)
        first_difference("${expected}" "${actual}" where)
        string(CONCAT failures "${failures}\n${what} differs (${where}).\n"
            "--- expected ---\n${expected}\n--- actual ---\n${actual}\n--- end ---\n")
        set(failures "${failures}" PARENT_SCOPE)
    endif()
endfunction()

execute_process(
    COMMAND "${PROGRAM}" ${ARGS}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE stdout
    ERROR_VARIABLE stderr
    TIMEOUT 60)

set(banner_pattern "^Compiled on [A-Z][a-z][a-z] [ 0-9][0-9] [0-9][0-9][0-9][0-9] ")
string(APPEND banner_pattern "[0-9][0-9]:[0-9][0-9]:[0-9][0-9] ")
string(APPEND banner_pattern "with g\\+\\+ version: [^\n]* in debug mode\n\n")
if(stdout MATCHES "${banner_pattern}")
    string(LENGTH "${CMAKE_MATCH_0}" banner_length)
    string(SUBSTRING "${stdout}" ${banner_length} -1 report)
else()
    set(failures "${failures}\nStandard output does not start with the build banner:\n${stdout}\n")
    set(report "${stdout}")
endif()

read_expected("${EXPECTED_STDOUT}" expected_report)
read_expected("${EXPECTED_STDERR}" expected_errors)
compare("Standard output after the banner" "${expected_report}" "${report}")
compare("Standard error" "${expected_errors}" "${stderr}")
if(NOT status STREQUAL EXPECTED_STATUS)
    set(failures "${failures}\nExit status ${status}, expected ${EXPECTED_STATUS}.\n")
endif()

if(failures)
    string(REPLACE ";" " " shown_args "${ARGS}")
    # Printed as it is: a FATAL_ERROR message would re-flow the texts.
    message("${failures}")
    message(FATAL_ERROR "Unexpected result of: ${PROGRAM} ${shown_args}")
endif()
