// The configuration written into a file: the file is replaced whole, and nothing found beside it or
// in its place is followed, taken or destroyed.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    return content.str();
}

// A fresh folder, and a set whose written configuration is "# ...\nLevel 3  # from the command line\n".
struct Writing : testing::Test {
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        set.AddParamDef("Level", 'l', &level, 1, "d", true, "n", -1);
        EXPECT_EQ(set.Interpret_returnError(args.argv(), args.argc()), CParam::OK);
    }
    int write(const fs::path& target, std::string* messages = nullptr) {
        return captured([&] { return set.WriteParameterFile(target.c_str()); }, messages);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }
    const fs::path folder = fs::path(tempDir()) / "writing";
    int level = 0;
    Args args{"prog|-l|3"};
    CParam set;
};

const std::string kWritten = "# Parameters in force; the remark after each value says where it came from.\n"
                             "Level 3  # from the command line\n";

}  // namespace

TEST_F(Writing, NothingFoundUnderAWriterNameIsFollowedOrTaken) {
    const fs::path target = folder / "out.par", victim = folder / "victim";
    std::ofstream(victim) << "keep";
    fs::create_symlink(victim, folder / "out.par.writing");
    fs::create_directory(folder / "out.par.writing.d");
    EXPECT_EQ(write(target), CParam::OK);
    EXPECT_EQ(contentOf(target), kWritten);
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(contentOf(victim), "keep");
    EXPECT_EQ(names(), (std::vector<std::string>{"out.par", "out.par.writing", "out.par.writing.d", "victim"}));
}

TEST_F(Writing, AnExistingFileKeepsItsPermissionsAndALinkStaysALink) {
    const fs::path real = folder / "real.par", link = folder / "link.par";
    std::ofstream(real) << "old";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.par", link);
    EXPECT_EQ(write(link), CParam::OK);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contentOf(real), kWritten);
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(names(), (std::vector<std::string>{"link.par", "real.par"}));
}

TEST_F(Writing, WhatIsNoRegularFileOrCannotBeWrittenIsRefusedWithTheReason) {
    const fs::path fifo = folder / "fifo", dir = folder / "dir", missing = folder / "missing" / "out.par";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir);
    const struct {
        fs::path target;
        std::string reason;
    } cases[] = {{fifo, "it is not a regular file"}, {dir, "it is not a regular file"}, {missing, "No such file or directory"}};
    for (const auto& c : cases) {
        std::string messages;
        EXPECT_EQ(write(c.target, &messages), CParam::NOT_OK);
        EXPECT_EQ(messages, "Cannot write file '" + c.target.string() + "': " + c.reason + ".\n");
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(names(), (std::vector<std::string>{"dir", "fifo"}));
    EXPECT_TRUE(fs::is_empty(dir));
}
