// What the parameter set tells the user: the problem messages and the usage
// screen.
#include <iostream>

#include "Param.h"
#include "ProcessEnd.h"

namespace {

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

// The part of a problem message that names a line of a parameter file.
void writeFileLineBody(const char* opening, const char* fileName, const char* line) {
    std::cerr << opening << fileName << "' at line:\n'" << line << "'.";
}

void writeProblemBody(int problem, const char* subject, const char* detail) {
    switch (problem) {
    case 0:
        std::cerr << "Undefined error (0), please check program source code";
        break;
    case CParam::PROBLEM_MISSING_HYPHEN:
        std::cerr << "Invalid argument '" << subject << "'." << std::endl
                  << "Each parameter must start with '-' or '--' resp.!";
        break;
    case CParam::PROBLEM_UNKNOWN_KEYWORD:
        std::cerr << "Unknown keyword '" << subject << "'.";
        break;
    case CParam::PROBLEM_UNKNOWN_FLAG:
        std::cerr << "Unknown flag '" << subject << "'.";
        break;
    case CParam::PROBLEM_INVALID_VALUE:
        std::cerr << "Invalid value '" << detail << "' at parameter '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_VALUE:
        std::cerr << "Missing value at keyword '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_PARAMETER:
        std::cerr << "Parameter '" << subject << "' required.";
        break;
    case CParam::PROBLEM_CANNOT_OPEN_FILE:
        std::cerr << "Cannot open file '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_VALUE_IN_FILE:
        writeFileLineBody("Missing value in file '", subject, detail);
        break;
    case CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE:
        writeFileLineBody("Unknown keyword in file '", subject, detail);
        break;
    case CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE:
        writeFileLineBody("General problem in file '", subject, detail);
        break;
    case CParam::PROBLEM_PARAM_FILE_LOOP:
        writeFileLineBody("Loop detected in nested parameter file call in file '", subject, detail);
        std::cerr << "\nSkipping parameter file call.";
        break;
    default:
        std::cerr << "Unknown error (" << problem << "), please check program source code";
        break;
    }
}

}  // namespace

int CParam::showError(int problem, const char* subject, const char* detail) {
    writeProblemBody(problem, orEmpty(subject), orEmpty(detail));
    std::cerr << std::endl
              << "Get help with '" << orEmpty(programName) << " --help'" << std::endl
              << std::endl;
    return problem;
}

// ---------------------------------------------------------------------------
// The usage screen

void CParam::usageInfo(const char* name) {
    std::cerr << "\nusage: " << orEmpty(name);

    // Group 1: obligatory parameters with a keyword (switches included).
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional() && e->definition->myKWless_param(-1)) {
            e->definition->usageInfo();
        }
    }
    // Group 2: optional switches, their letters gathered in one bracket.
    bool switchSeen = false;
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional() && !e->definition->skipAfter()) {
            if (!switchSeen) std::cerr << " [-";
            switchSeen = true;
            e->definition->usageInfo();
        }
    }
    if (switchSeen) std::cerr << "]";
    // Group 3: optional parameters with a keyword that take a value.
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        CParamDef* d = e->definition;
        if (d->optional() && d->skipAfter() && d->myKWless_param(-1)) d->usageInfo();
    }
    std::cerr << " [-h] [-f file] [--]";
    // Group 4: positional parameters by position.
    for (int position = 1; position <= kwlessCount; ++position) {
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            if (e->definition->myKWless_param(position)) e->definition->usageInfo();
        }
    }
    std::cerr << std::endl;

    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional()) e->definition->writeDesc();
    }
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional()) e->definition->writeDesc();
    }
    std::cerr << "\n   -h, --help:\n\t\tPrint this help information"
              << "\n   -f file, --ParameterFile=file:\n\t\tUse the parameters given in file"
              << "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
              << "\t\tkeyword trigger behind this.\n";
    std::cerr.flush();
    param_internal::endProcess(-1);
}
