// The program every consumer project builds: a host with one parameter of
// each common kind. It prints the values it got, so that the caller can
// compare them with the command line it gave.
#include <iostream>

#include <param/Param.h>

int main(int argc, char** argv) {
    int count = 0;
    bool loud = false;
    char* name = nullptr;
    double ratio = 0.0;

    CParam params;
    params.AddParamDef("Count", 'c', &count, 1, "how many times", true, "n", -1);
    params.AddParamDef("Loud", 'l', &loud, false, "shout", true, "", -1);
    params.AddParamDef("Name", 0, &name, nullptr, "whom to greet", false, "name", 1);
    params.AddParamDef("Ratio", 0, &ratio, 0.5, "a share", true, "r", -1);
    params.Interpret_exitOnError(argv, argc);

    std::cout << "count=" << count << " loud=" << loud << " name=" << name
              << " ratio=" << ratio << '\n';
    return 0;
}
