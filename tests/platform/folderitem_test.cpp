#include "platform/folderitem.h"

#include "platform/application.h"
#include "platform/atomic_file.h"
#include "platform/exceptions.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

using namespace platform;
using testsupport::ReadAll;
using testsupport::TempFolder;

TEST(FolderItemTest, NamesAndRelatives) {
    const FolderItem f("/a/b/skin.xml");
    EXPECT_EQ(f.Name(), "skin.xml");
    EXPECT_EQ(f.Parent().NativePath(), "/a/b");
    EXPECT_EQ(f.Parent().Child("x.png").NativePath(), "/a/b/x.png");
    EXPECT_TRUE(IsAbsolutePath("/x"));
    EXPECT_TRUE(IsAbsolutePath("C:\\x"));
    EXPECT_FALSE(IsAbsolutePath("x/y"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

TEST(FolderItemTest, ReadRefusesBeforeAllocating) {
    TempFolder dir;
    const auto p = dir.Write("big.xml", std::string(1000, 'x'));
    EXPECT_EQ(ReadFileBytes(p, 1000).size(), 1000u);
    try {
        ReadFileBytes(p, 999);
        FAIL() << "no exception";
    } catch (const IOException& e) {
        EXPECT_EQ(e.ErrorNumber(), EFBIG);
    }
    EXPECT_THROW(ReadFileBytes(dir / "missing.xml", 10), NilObjectException);
    EXPECT_THROW(ReadFileBytes(dir.Path(), 10), IOException);
}

TEST(FolderItemTest, WritesReplaceAppendAndFailIntoMissingFolders) {
    TempFolder dir;
    const auto p = dir / "out.txt";
    WriteFileReplacing(p, "one");
    WriteFileReplacing(p, "two");
    EXPECT_EQ(ReadAll(p), "two");
    AppendToFile(p, "+3");
    EXPECT_EQ(ReadAll(p), "two+3");
    WriteFileAtomic(p, "atomic");
    EXPECT_EQ(ReadAll(p), "atomic");
    EXPECT_EQ(FolderItem(dir.Path()).Count(), 1);  // no temporary file left behind
    EXPECT_THROW(WriteFileReplacing(dir / "no" / "such.txt", "x"), IOException);
    EXPECT_THROW(WriteFileAtomic(dir / "no" / "such.txt", "x"), IOException);
    // A folder standing where the file should go.
    FolderItem(dir / "taken").CreateAsFolder();
    EXPECT_THROW(WriteFileReplacing(dir / "taken", "x"), IOException);
}

TEST(FolderItemTest, FolderListingAndCopy) {
    TempFolder dir;
    dir.Write("b.txt", "B");
    dir.Write("a.txt", "A");
    const FolderItem folder(dir.Path());
    EXPECT_EQ(folder.Count(), 2);
    EXPECT_EQ(folder.Item(1).Name(), "a.txt");
    EXPECT_THROW(folder.Item(3), OutOfBoundsException);
    folder.Child("a.txt").CopyFileTo(folder.Child("b.txt"));
    EXPECT_EQ(ReadAll(dir / "b.txt"), "A");
    folder.Child("a.txt").Delete();
    EXPECT_FALSE(folder.Child("a.txt").Exists());
}

TEST(ApplicationFoldersTest, EnvironmentOverrides) {
    TempFolder dir;
    {
        const ScopedEnv app("MALVOREN_APP_DIR", dir.Path().string());
        EXPECT_EQ(AppFolder().NativePath(), dir.Path().string());
    }
    {
        const ScopedEnv noApp("MALVOREN_APP_DIR", std::nullopt);
        EXPECT_NE(AppFolder().NativePath(), dir.Path().string());
    }
    const ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(PreferencesFolder().NativePath(), "/cfg");
    const ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(UserDataFolder().NativePath(), "/data/Malvoren Tool");
}

namespace {
std::vector<std::string>* g_received = nullptr;
void Record(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (g_received)
        g_received->push_back(text.toStdString());
}
}  // namespace

// Batch mode's standard error carries the tool's messages only: Qt's notes are dropped, its
// failures still reach the handler that was there before.
TEST(QuietQtMessagesTest, DropsQtsNotesAndKeepsItsFailures) {
    std::vector<std::string> received;
    g_received = &received;
    const QtMessageHandler original = qInstallMessageHandler(Record);
    QuietQtMessages();
    qDebug("a debug note");
    qInfo("an info note");
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'");
    qCritical("a critical failure");
    qInstallMessageHandler(original);
    g_received = nullptr;
    EXPECT_EQ(received, std::vector<std::string>{"a critical failure"});
}
