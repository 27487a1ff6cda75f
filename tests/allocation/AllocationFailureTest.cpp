// What the library does when memory runs out: registration refuses quietly,
// a string value ends the process with its message, and every other copy
// stops at an assertion naming it.
#include <csignal>
#include <cstdlib>
#include <new>

#include "TestSupport.h"

namespace {

int allocationsBeforeFailure = -1;  // -1: never fail

void* allocate(std::size_t size) {
    if (allocationsBeforeFailure >= 0 && allocationsBeforeFailure-- == 0) return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

}  // namespace

// Both nothrow forms, which the library alone uses, share malloc and free with the plain forms.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new(std::size_t size) { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size) { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* pointer) noexcept { std::free(pointer); }
void operator delete[](void* pointer) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { std::free(pointer); }

TEST(OutOfMemoryDeathTest, StringValueEndsTheProcessOtherCopiesStopAtTheirAssertion) {
    char* file = nullptr;
    CStringParamDef d("LexiconFile", 'L', &file, "Lexicon", "s", "d", false, -1);
    char token[] = "lex.txt";
    EXPECT_ENDS_PROCESS((allocationsBeforeFailure = 0, d.dealWith(token, nullptr)),
                        "could not allocate memory for String parameter\n");
    const char* const fields[] = {"keyword", "description", "errordesc"};
    for (int copiesMade = 0; copiesMade < 3; ++copiesMade) {
        int level = 0;
        EXPECT_EXIT((allocationsBeforeFailure = copiesMade, CIntParamDef("T", 'T', &level, 0, "n", "d", true, -1)),
                    testing::KilledBySignal(SIGABRT), exactRegex(std::string("Assertion failed: ") + fields[copiesMade] + "\n"));
    }
    CParam set;
    Args args("prog|" + std::string(100, 'w'));
    EXPECT_EXIT((allocationsBeforeFailure = 0, set.Interpret_returnError(args.argv(), 2)),
                testing::KilledBySignal(SIGABRT), "^Assertion failed: WholeParameter\n$");
    const std::string path = writeTempFile("any.par", "");
    EXPECT_EXIT((allocationsBeforeFailure = 1, set.read_parameter_file(path.c_str())),
                testing::KilledBySignal(SIGABRT), "^Assertion failed: fileName\n$");
}

TEST(OutOfMemory, RegistrationThatCannotAllocateIsRefusedQuietly) {
    // A new set's registry (its elements and their index) and its keyword table, in this order.
    for (int made = 0; made <= 2; ++made) {
        CParam set;
        double ratio = 9.0;
        auto* definition = new CDoubleParamDef("Ratio", 'r', &ratio, 0.25, "x", "d", true, -1);
        std::string messages;
        allocationsBeforeFailure = made;
        const int result = captured([&] { return set.AddParamDef(definition); }, &messages);
        allocationsBeforeFailure = -1;
        EXPECT_EQ(result, made < 2 ? 0 : 1) << made;
        EXPECT_EQ(messages, "");
        EXPECT_EQ(set.getValueFromKey("Ratio"), result == 1 ? &ratio : nullptr);
        if (result == 0) delete definition;
    }
}
