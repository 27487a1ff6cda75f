// Values from environment variables, taken before the command line is walked.
#include <cstdlib>
#include <cstring>

#include "Param.h"
#include "detail/Environment.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

// The names of the variables read before stay: the origins of values taken from them point there.
void CParam::SetEnvironmentPrefix(const char* prefix) {
    const char* given = prefix != nullptr ? prefix : "";
    if (!param_detail::tryAllocating([&] {
            if (!environment) environment.reset(new param_detail::Environment);
            environment->prefix = given;
        })) {
        param_detail::failAssertion("environment");
    }
}

// The values of the environment variables, in registration order; a refused value is returned (also
// by default) so that its message can name the variable.
int CParam::readEnvironment() {
    if (!environment || environment->prefix.empty()) return OK;
    struct ReturnProblems {
        unsigned& temporary;
        ~ReturnProblems() { temporary = 0; }
    } returning{temporaryConventions = RETURN_PROBLEMS};
    const std::string& prefix = environment->prefix;
    int result = OK;
    if (!param_detail::tryAllocating([&] {
            const std::string fileVariable = prefix + "ParameterFile";
            if (const char* file = std::getenv(fileVariable.c_str())) {
                const std::string namedBy = "It is named by $" + fileVariable + ".";
                fileNamedBy = namedBy.c_str();
                result = read_parameter_file(file);
                fileNamedBy = nullptr;
            }
            for (ParamListElement* e = firstElement; result > 0 && e != nullptr; e = e->next) {
                const std::string name = prefix + e->definition->getKeyword();
                if (const char* value = std::getenv(name.c_str())) {
                    result = takeFromEnvironment(e, environment->keep(name), value);
                }
            }
        })) {
        param_detail::failAssertion("environment");
    }
    return result;
}

// One variable's value; a list takes each of its blank-separated words.
int CParam::takeFromEnvironment(ParamListElement* element, const char* name, const char* value) {
    CParamDef* definition = element->definition;
    handing = {name, 0, ParamOrigin::ENVIRONMENT};
    const std::string subject = std::string("$") + name;
    std::string words = value;
    char* word = &words[0];
    do {
        char* next = nullptr;
        if (definition->isList()) {
            word += std::strspn(word, " \t");
            if (*word == '\0') break;
            next = word + std::strcspn(word, " \t");
            if (*next != '\0') *next++ = '\0';
        }
        if (hand(element, word, nullptr) == 0) {
            return reportRefusal(PROBLEM_INVALID_VALUE, definition, subject.c_str(), word);
        }
        word = next;
    } while (word != nullptr);
    return OK;
}
