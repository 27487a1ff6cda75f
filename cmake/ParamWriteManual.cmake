# Runs PROGRAM with ARGUMENT and makes what it writes the file OUTPUT, replaced only when the program
# succeeds (a failed run leaves no half-written page behind).
#   cmake -DPROGRAM=<program> -DARGUMENT=--manual=man -DOUTPUT=<file> -P ParamWriteManual.cmake
execute_process(COMMAND "${PROGRAM}" "${ARGUMENT}"
    OUTPUT_FILE "${OUTPUT}.writing"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE "${OUTPUT}.writing")
    message(FATAL_ERROR "${PROGRAM} ${ARGUMENT} failed (${status}): no page written")
endif()
file(RENAME "${OUTPUT}.writing" "${OUTPUT}")
