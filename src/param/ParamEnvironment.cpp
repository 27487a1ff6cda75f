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

// The variables prefix+keyword, in registration order.
int Interpretation::environment() {
    Environment* variables = set.environment.get();
    if (variables == nullptr || variables->prefix.empty()) return CParam::OK;
    std::vector<Variable> named;
    std::string fileVariable;
    if (!tryAllocating([&] {
            for (ParamListElement* e = set.firstElement; e != nullptr; e = e->next) {
                named.push_back({e, variables->prefix + e->definition->getKeyword()});
            }
            fileVariable = variables->prefix + "ParameterFile";
        })) {
        failAssertion("environment");
    }
    return environment(named, fileVariable);
}

// The variables' values, in the order given; a list takes each of its blank-separated words.
int Interpretation::environment(const std::vector<Variable>& variables, const std::string& fileVariable) {
    int result = CParam::OK;
    if (!tryAllocating([&] {
            if (const char* file = fileVariable.empty() ? nullptr : std::getenv(fileVariable.c_str())) {
                const std::string namedBy = text::namedByVariable(fileVariable);
                result = parameterFile(file, ENVIRONMENT_RANK, namedBy.c_str());
            }
            for (auto v = variables.begin(); result > 0 && v != variables.end(); ++v) {
                const char* value = std::getenv(v->name.c_str());
                if (value == nullptr) continue;
                if (!set.environment) set.environment.reset(new Environment);  // where the names are kept
                const char* kept = set.environment->keep(v->name);
                std::string words = value, subject = "$" + v->name;
                char* word = &words[0];
                do {
                    char* next = nullptr;
                    if (v->element->definition->isList()) {
                        word += std::strspn(word, " \t");
                        if (*word == '\0') break;
                        next = word + std::strcspn(word, " \t");
                        if (*next != '\0') *next++ = '\0';
                    }
                    result = apply({Finding::VARIABLE, v->element, subject.c_str(), word,
                                    ParamOrigin{kept, 0, ParamOrigin::ENVIRONMENT}, ENVIRONMENT_RANK});
                    word = next;
                } while (result > 0 && word != nullptr);
            }
        })) {
        failAssertion("environment");
    }
    return result;
}

}  // namespace param_detail
