// The demonstration program: the whole life of a parameter set in a small
// text-processing tool with a trace level, a lexicon file, a grammar file
// and the log file of an outside tool.
#include <cstdlib>
#include <iostream>

#include "Param.h"

namespace {

// A function that is handed only the parameter set can still read any value
// by its keyword.
void TestParamsInFunction(CParam* param) {
    std::cout << "Parameter in function:" << std::endl;
    char* lexiconFile = *static_cast<char**>(param->getValueFromKey("LexiconFile"));
    std::cout << "The file name for the lexicon is: " << lexiconFile << std::endl;
}

void printBanner() {
    std::cout << "Compiled on " << __DATE__ << " " << __TIME__
              << " with g++ version: " << __VERSION__ << " in debug mode" << std::endl
              << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    printBanner();

    int traceLevel = -1;
    char* lexiconFile = nullptr;
    char* grammarFile = nullptr;
    char* logFile = nullptr;

    CParam* param = new CParam;
    param->AddParamDef("TraceLevel", 'T', &traceLevel, 0, "Trace level: 0 = no, 1 = minimal, 2 = full trace output", true, "n", -1);
    param->AddParamDef("LexiconFile", 'L', &lexiconFile, "Lexicon", "name of parameter file with lexicon", false, "s", -1);
    param->AddParamDef("GrammarFile", 'G', &grammarFile, "Grammar", "name of file with grammar", false, "s", -1);
    param->AddParamDef("LogFile", 0, &logFile, nullptr, "name of log file from ZQ-Tool", true, "s", -1);

    if (!param->Interpret(argv, argc)) {
        std::cerr << "\n\n ... exiting!!\n";
        std::cerr.flush();
        std::exit(-1);
    }

    std::cout << "Parameters are:" << std::endl
              << "Trace Level     = " << traceLevel << std::endl
              << "Lexicon File    = " << lexiconFile << std::endl
              << "Grammar File    = " << grammarFile << std::endl
              << "ZQTool Log File = " << (logFile != nullptr ? logFile : "") << std::endl;

    TestParamsInFunction(param);

    delete param;
    return 0;
}
