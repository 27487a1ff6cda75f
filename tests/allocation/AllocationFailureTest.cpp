// What the library does when memory runs out: the definitions stop the
// process, the registry refuses quietly. The global allocation functions the
// library uses (nothrow new for every copy and list element) are replaced
// here so that a test can make the next one fail, and array releases are
// recorded so that a test can see when a copy goes.
#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "TestSupport.h"

namespace {

// Nothrow allocations still to succeed before one fails; -1 for never.
int arraysBeforeFailure = -1;
int objectsBeforeFailure = -1;
// The latest array releases, newest last.
constexpr int kReleasesKept = 16;
const void* releasedArrays[kReleasesKept] = {};
int releaseCount = 0;

void forgetReleases() { releaseCount = 0; }

bool wasReleased(const void* pointer) {
    for (int i = releaseCount - 1; i >= 0 && i >= releaseCount - kReleasesKept; --i) {
        if (releasedArrays[i % kReleasesKept] == pointer) return true;
    }
    return false;
}

bool failsNow(int& countdown) { return countdown >= 0 && countdown-- == 0; }

}  // namespace

// All array forms share malloc and free, so that every array release, from
// whichever array allocation, matches.
void* operator new[](std::size_t size) {
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (failsNow(arraysBeforeFailure)) return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (failsNow(objectsBeforeFailure)) return nullptr;
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete[](void* pointer) noexcept {
    if (pointer != nullptr) releasedArrays[releaseCount++ % kReleasesKept] = pointer;
    std::free(pointer);
}

void operator delete[](void* pointer, std::size_t) noexcept { operator delete[](pointer); }

TEST(StringCopyDeathTest, CopyThatCannotBeMadeEndsTheProcess) {
    char* file = nullptr;
    CStringParamDef d("LexiconFile", 'L', &file, "Lexicon", "s", "d", false, -1);
    char token[] = "lex.txt";
    EXPECT_ENDS_PROCESS(
        {
            arraysBeforeFailure = 0;
            d.dealWith(token, nullptr);
        },
        "could not allocate memory for String parameter\n");
}

TEST(DefinitionCopiesDeathTest, CopyThatCannotBeMadeStopsAtAnAssertionNamingTheField) {
    const char* const fields[] = {"keyword", "description", "errordesc"};
    for (int copiesMade = 0; copiesMade < 3; ++copiesMade) {
        SCOPED_TRACE(fields[copiesMade]);
        int level = 0;
        EXPECT_EXIT(
            {
                arraysBeforeFailure = copiesMade;
                CIntParamDef d("TraceLevel", 'T', &level, 0, "n", "trace level", true, -1);
            },
            testing::KilledBySignal(SIGABRT),
            exactRegex(std::string("Assertion failed: ") + fields[copiesMade] + "\n"));
    }
}

TEST(StringCopyRelease, ReplacedCopyIsReleasedAtOnceTheLastWithTheDefinitionNeverTheDefault) {
    char defaultText[] = "default";
    char* text = nullptr;
    char first[] = "first";
    char second[] = "second";
    const void* secondCopy = nullptr;
    forgetReleases();
    { CStringParamDef unused("Title", 't', &text, defaultText, "s", "d", true, -1); }
    EXPECT_FALSE(wasReleased(defaultText));
    {
        CStringParamDef d("Title", 't', &text, defaultText, "s", "d", true, -1);
        d.dealWith(first, nullptr);
        const void* firstCopy = text;
        forgetReleases();
        d.dealWith(second, nullptr);
        secondCopy = text;
        EXPECT_TRUE(wasReleased(firstCopy));
        EXPECT_STREQ(text, "second");
        forgetReleases();
    }
    EXPECT_TRUE(wasReleased(secondCopy));
    EXPECT_FALSE(wasReleased(defaultText));
}

TEST(ListElement, RegistrationThatCannotAllocateIsRefusedQuietly) {
    InspectableParam set;
    double ratio = 9.0;
    int result = -1;
    const std::string output = stderrOf([&] {
        objectsBeforeFailure = 0;  // the list element
        result = set.AddParamDef("Ratio", 'r', &ratio, 0.25, "d", true, "x", -1);
    });
    objectsBeforeFailure = -1;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(output, "");
    EXPECT_EQ(ratio, 0.25);
    EXPECT_EQ(set.definitionCount, 0);
    EXPECT_EQ(set.getValueFromKey("Ratio"), nullptr);
    // The refused names are free again.
    EXPECT_EQ(set.AddParamDef("Ratio", 'r', &ratio, 0.5, "d", true, "x", -1), 1);
    EXPECT_EQ(set.getValueFromKey("Ratio"), &ratio);
}
