# End-to-end runs of the FileTool example: starts the program as a user
# would and compares its standard output, standard error and exit status
# with the texts below, byte for byte.
#
#   cmake -DPROGRAM=<path to FileTool> -DCASE=<name> -P FileToolTest.cmake
#
# Run it in a scratch directory: the parameter-file case writes its file there.
cmake_minimum_required(VERSION 3.25)

foreach(required PROGRAM CASE)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "FileToolTest.cmake needs -D${required}=...")
    endif()
endforeach()

set(hint "Get help with '${PROGRAM} --help'\n\n")

if(CASE STREQUAL "usage")
    set(args -h)
    set(expected_status 255)
    set(expected_stdout "")
    string(CONCAT expected_stderr
        "\n"
        "usage: ${PROGRAM} -n count [-vq] [-h] [-f file] [--] infile [outfile]\n"
        "\n"
        "   infile:\n"
        "\t\tfile to read\n"
        "\t\t!! This parameter MUST be given !!\n"
        "\t\tKeyword in parameter file: InputFile\n"
        "   -n count, --Limit=count:\n"
        "\t\tlargest number of lines to copy\n"
        "\t\t!! This parameter MUST be given !!\n"
        "   -v, --Verbose:\n"
        "\t\tprint progress messages\n"
        "   -q, --Quiet:\n"
        "\t\tprint no warnings\n"
        "   outfile:\n"
        "\t\tfile to write\n"
        "\t\tDefault: out.txt\n"
        "\t\tKeyword in parameter file: OutputFile\n"
        "   -h, --help:\n"
        "\t\tPrint this help information\n"
        "   -f file, --ParameterFile=file:\n"
        "\t\tUse the parameters given in file\n"
        "   --:\n"
        "\t\tDelimiter: '-' won't be interpreted as flag/\n"
        "\t\tkeyword trigger behind this.\n")

elseif(CASE STREQUAL "delimiter")
    # A run of switches ending in a value flag, then "--", after which a
    # word starting with "-" is the first positional parameter.
    set(args -vn 5 -- -input.txt)
    set(expected_status 0)
    string(CONCAT expected_stdout
        "Input file  = -input.txt\n"
        "Output file = out.txt\n"
        "Limit       = 5\n"
        "Verbose     = yes\n"
        "Quiet       = no\n")
    set(expected_stderr "")

elseif(CASE STREQUAL "grouped")
    # Grouped switches, the long form with "=", both positional words.
    set(args -vq notes.txt --Limit=12 copy.txt)
    set(expected_status 0)
    string(CONCAT expected_stdout
        "Input file  = notes.txt\n"
        "Output file = copy.txt\n"
        "Limit       = 12\n"
        "Verbose     = yes\n"
        "Quiet       = yes\n")
    set(expected_stderr "")

elseif(CASE STREQUAL "parameter-file")
    # Values from a parameter file, the positional OutputFile by its keyword;
    # the command line after -f overrides the file's Limit.
    string(CONCAT parameter_file
        "# FileTool settings\n"
        "Limit 20\n"
        "OutputFile = report.txt\n"
        "Quiet\n")
    file(WRITE "filetool.par" "${parameter_file}")
    set(args -f filetool.par notes.txt -n 7)
    set(expected_status 0)
    string(CONCAT expected_stdout
        "Input file  = notes.txt\n"
        "Output file = report.txt  (from filetool.par)\n"
        "Limit       = 7\n"
        "Verbose     = no\n"
        "Quiet       = yes  (from filetool.par)\n")
    set(expected_stderr "")

elseif(CASE STREQUAL "missing")
    # Only the input file: the obligatory Limit is missing.
    set(args notes.txt)
    set(expected_status 255)
    set(expected_stdout "")
    set(expected_stderr "Parameter 'Limit' required.\n${hint}...exiting.\n")

elseif(CASE STREQUAL "bad-value")
    set(args -n many notes.txt)
    set(expected_status 255)
    set(expected_stdout "")
    set(expected_stderr "\n'many' should be an integer\n")

else()
    message(FATAL_ERROR "FileToolTest.cmake: unknown case '${CASE}'")
endif()

execute_process(
    COMMAND "${PROGRAM}" ${args}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE stdout
    ERROR_VARIABLE stderr
    TIMEOUT 60)

set(failures "")
foreach(stream stdout stderr)
    if(NOT "${${stream}}" STREQUAL "${expected_${stream}}")
        string(APPEND failures "\n${stream} differs.\n--- expected ---\n"
            "${expected_${stream}}\n--- actual ---\n${${stream}}\n--- end ---\n")
    endif()
endforeach()
if(NOT status STREQUAL expected_status)
    string(APPEND failures "\nexit status ${status}, expected ${expected_status}\n")
endif()
if(failures)
    # NOTICE prints the texts as they are; FATAL_ERROR would reflow them.
    string(REPLACE ";" " " shown_args "${args}")
    message(NOTICE "${PROGRAM} ${shown_args}\n${failures}")
    message(FATAL_ERROR "FileTool case '${CASE}' failed")
endif()
