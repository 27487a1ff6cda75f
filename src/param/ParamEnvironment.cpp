// The environment source: values from environment variables, taken before the command line is walked.
#include <cstdlib>
#include <cstring>

#include "Param.h"
#include "detail/Environment.h"
#include "detail/Interpretation.h"
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

namespace param_detail {

// The variables' values, in registration order; a list takes each of its blank-separated words.
int Interpretation::environment() {
    Environment* variables = set.environment.get();
    if (variables == nullptr || variables->prefix.empty()) return CParam::OK;
    int result = CParam::OK;
    if (!tryAllocating([&] {
            const std::string fileVariable = variables->prefix + "ParameterFile";
            if (const char* file = std::getenv(fileVariable.c_str())) {
                const std::string namedBy = text::namedByVariable(fileVariable);
                result = parameterFile(file, ENVIRONMENT_RANK, namedBy.c_str());
            }
            for (ParamListElement* e = set.firstElement; result > 0 && e != nullptr; e = e->next) {
                const std::string name = variables->prefix + e->definition->getKeyword();
                const char* value = std::getenv(name.c_str());
                if (value == nullptr) continue;
                const char* kept = variables->keep(name);
                std::string words = value, subject = "$" + name;
                char* word = &words[0];
                do {
                    char* next = nullptr;
                    if (e->definition->isList()) {
                        word += std::strspn(word, " \t");
                        if (*word == '\0') break;
                        next = word + std::strcspn(word, " \t");
                        if (*next != '\0') *next++ = '\0';
                    }
                    result = apply({Finding::VARIABLE, e, subject.c_str(), word, ParamOrigin{kept, 0, ParamOrigin::ENVIRONMENT},
                                    ENVIRONMENT_RANK});
                    word = next;
                } while (result > 0 && word != nullptr);
            }
        })) {
        failAssertion("environment");
    }
    return result;
}

}  // namespace param_detail
