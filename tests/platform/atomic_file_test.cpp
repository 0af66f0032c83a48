#include "platform/atomic_file.h"

#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace platform;
using testsupport::ReadAll;
using testsupport::TempFolder;

namespace {

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The writers of this layer, each writing "new bytes" over `target`.
struct Writer {
    const char* name;
    std::function<void(const TempFolder& dir, const fs::path& target)> write;
};

const Writer kWriters[] = {
    {"Bytes", [](const TempFolder&, const fs::path& t) { WriteFileAtomic(t, "new bytes"); }},
    {"Copy", [](const TempFolder& d,
                const fs::path& t) { CopyFileAtomic(d.Write("source.bin", "new bytes"), t); }},
    {"CopyThroughFolderItem",
     [](const TempFolder& d, const fs::path& t) {
         FolderItem(d.Write("source.bin", "new bytes")).CopyFileTo(FolderItem(t));
     }},
};

struct Stage {
    const char* name;
    WriteFaultStage stage;
    int errorNumber;
    const char* reason;
};

const Stage kStages[] = {
    // clang-format off
    {"OpenFailsReadOnly",  WriteFaultStage::Open,   EROFS,  "Read-only file system"},
    {"OpenFailsNoAccess",  WriteFaultStage::Open,   EACCES, "Permission denied"},
    {"WriteFailsDiskFull", WriteFaultStage::Write,  ENOSPC, "No space left on device"},
    {"RenameFailsGone",    WriteFaultStage::Rename, ENOENT, "No such file or directory"},
    // clang-format on
};

class AtomicWriteFailureTest : public ::testing::TestWithParam<std::tuple<Writer, Stage>> {};

// Whatever fails and wherever, the earlier file survives whole, no temporary file is left,
// and the failure names the file and the system's reason.
TEST_P(AtomicWriteFailureTest, KeepsTheEarlierFileAndLeavesNothing) {
    const auto& [writer, stage] = GetParam();
    TempFolder dir;
    const fs::path target = dir.Write("out.png", "earlier file");
    const std::set<std::string> before = Names(dir.Path());
    ScopedWriteFault fault({1, stage.stage, stage.errorNumber, {}});
    try {
        writer.write(dir, target);
        FAIL() << "no failure";
    } catch (const FileWriteException& e) {
        EXPECT_EQ(e.ErrorNumber(), stage.errorNumber);
        EXPECT_EQ(e.Path(), target.string());
        EXPECT_EQ(e.Reason(), stage.reason);
        EXPECT_EQ(std::string(e.what()),
                  "Unable to write " + target.string() + ": " + stage.reason + ".");
    }
    EXPECT_TRUE(fault.Fired());
    EXPECT_EQ(ReadAll(target), "earlier file");
    std::set<std::string> after = Names(dir.Path());
    after.erase("source.bin");
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(Writers, AtomicWriteFailureTest,
                         ::testing::Combine(::testing::ValuesIn(kWriters),
                                            ::testing::ValuesIn(kStages)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

TEST(AtomicFileTest, OnlyTheNthFileFails) {
    TempFolder dir;
    ScopedWriteFault fault({2, WriteFaultStage::Write, ENOSPC, {}});
    WriteFileAtomic(dir / "first", "1");
    EXPECT_THROW(WriteFileAtomic(dir / "second", "2"), FileWriteException);
    WriteFileAtomic(dir / "third", "3");
    EXPECT_EQ(fault.FilesSeen(), 3);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"first", "third"}));
}

// Real failures, no seam: the system's own reasons come through.
TEST(AtomicFileTest, RealFailuresCarryTheSystemsReason) {
    TempFolder dir;
    fs::create_directory(dir / "taken");
    dir.Write("file", "in the way");
    const struct {
        const char* name;
        fs::path target;
        int errorNumber;
    } kCases[] = {
        {"FolderMissing", dir / "gone" / "out.xml", ENOENT},
        {"FileWhereTheFolderShouldBe", dir / "file" / "out.xml", ENOTDIR},
        {"FolderWhereTheFileShouldBe", dir / "taken", EISDIR},
    };
    for (const auto& c : kCases) {
        try {
            WriteFileAtomic(c.target, "x");
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const FileWriteException& e) {
            EXPECT_EQ(e.ErrorNumber(), c.errorNumber) << c.name;
            EXPECT_EQ(e.Path(), c.target.string()) << c.name;
        }
    }
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"file", "taken"}));
    EXPECT_TRUE(fs::is_empty(dir / "taken"));
}

TEST(AtomicFileTest, UncommittedFileIsRemovedAndTheTargetKept) {
    TempFolder dir;
    const fs::path target = dir.Write("out.xml", "earlier");
    {
        AtomicFile file(target);
        file.Write("half of a new");
        EXPECT_EQ(Names(dir.Path()).size(), 2u);  // the target and the temporary file
    }
    EXPECT_EQ(ReadAll(target), "earlier");
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"out.xml"}));
}

TEST(AtomicFileTest, ReplacementKeepsTheEarlierPermissions) {
    TempFolder dir;
    const fs::path target = dir.Write("Config.ini", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileAtomic(target, "new");
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(AtomicFileTest, FailedFileRefusesFurtherWrites) {
    TempFolder dir;
    ScopedWriteFault fault({1, WriteFaultStage::Write, ENOSPC, {}});
    AtomicFile file(dir / "out.xml");
    EXPECT_THROW(file.Write("line"), FileWriteException);
    EXPECT_THROW(file.Write("more"), FileWriteException);
    EXPECT_THROW(file.Commit(), FileWriteException);
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(AtomicFileTest, CopyOfAMissingSourceIsAReadFailure) {
    TempFolder dir;
    const fs::path target = dir.Write("out.png", "earlier");
    try {
        CopyFileAtomic(dir / "gone.png", target);
        FAIL() << "no failure";
    } catch (const FileWriteException&) {
        FAIL() << "a read failure reported as a write failure";
    } catch (const IOException& e) {
        EXPECT_EQ(e.ErrorNumber(), ENOENT);
        EXPECT_EQ(std::string(e.what()),
                  "Unable to read " + (dir / "gone.png").string() + ": No such file or directory.");
    }
    EXPECT_EQ(ReadAll(target), "earlier");
}

struct SameFileCase {
    const char* name;
    const char* a;  // relative to a folder holding "in.xml", its hard link "hard.xml" and
    const char* b;  // the link "soft.xml" to it, and a folder "sub"
    bool byName;
    bool byIdentity;
};

const SameFileCase kSameFileCases[] = {
    // clang-format off
    {"EqualTexts",              "in.xml",  "in.xml",         true,  true},
    {"DotDotResolved",          "in.xml",  "sub/../in.xml",  true,  true},
    {"SymbolicLinkResolved",    "in.xml",  "soft.xml",       true,  true},
    {"HardLinkOnlyByIdentity",  "in.xml",  "hard.xml",       false, true},
    {"OtherFile",               "in.xml",  "sub",            false, false},
    {"MissingNamesResolved",    "new.xml", "sub/../new.xml", true,  true},
    {"CaseCounts",              "in.xml",  "IN.XML",         false, false},
    // clang-format on
};

TEST(SameFileTest, ByNameAndByIdentity) {
    TempFolder dir;
    const fs::path in = dir.Write("in.xml", "x");
    fs::create_hard_link(in, dir / "hard.xml");
    fs::create_symlink("in.xml", dir / "soft.xml");
    fs::create_directory(dir / "sub");
    for (const SameFileCase& c : kSameFileCases) {
        const std::string a = (dir / c.a).string();
        const std::string b = (dir / c.b).string();
        EXPECT_EQ(SameFile(a, b, SameFileTest::Name), c.byName) << c.name;
        EXPECT_EQ(SameFile(a, b, SameFileTest::Identity), c.byIdentity) << c.name;
        EXPECT_EQ(SameFile(b, a), c.byIdentity) << c.name << " (either order)";
    }
    // An empty path names no file, not even an empty one.
    EXPECT_FALSE(SameFile("", ""));
    EXPECT_FALSE(SameFile("", in.string()));
}

}  // namespace
