// The real program under an X server (xvfb-run), driven as a user would with xdotool, on the
// job's failures: an output that is the input written another way ("sub/../skin.xml") is
// refused on the Files page before any file is touched, and a "Simple" job into a nearly full
// folder (a small tmpfs) fails at its bitmap and leaves the earlier skin and bitmap of the
// output's name whole. Screenshots of the whole screen go to the build tree's "rendered" folder.
#include "main/x_driver.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace xdriver;

void Shot(const std::string& name) {
    xdriver::Shot("job_smoke_", name);
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// A small tmpfs of its own, taken away with the object.
class ScopedTmpfs {
public:
    ScopedTmpfs(const fs::path& at, const char* size)
        : m_at(at) {
        fs::create_directories(at);
        const std::string options = std::string("size=") + size;
        m_mounted = ::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~ScopedTmpfs() {
        if (m_mounted)
            ::umount2(m_at.c_str(), MNT_DETACH);
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;
    bool Mounted() const { return m_mounted; }
    std::uintmax_t Free() const {
        struct statvfs s {};
        return ::statvfs(m_at.c_str(), &s) == 0 ? std::uintmax_t{s.f_bavail} * s.f_frsize : 0;
    }

private:
    fs::path m_at;
    bool m_mounted = false;
};

TEST(JobSmoke, AnOutputByAnotherPathIsRefusedAndAFullDiskKeepsTheEarlierPair) {
    ASSERT_NE(QGuiApplication::platformName(), "offscreen") << "run me under xvfb-run";
    ASSERT_FALSE(Xdo({"version"}).empty()) << "xdotool is missing (scripts/install-deps.sh)";
    testsupport::TempFolder temp;
    const fs::path skins = temp / "skins";
    fs::create_directories(skins / "sub");
    for (const char* name : {"tidewater.xml", "tidewater.png"})
        fs::copy_file(fs::path(MALVOREN_SOURCE_DIR) / "examples" / name, skins / name);

    // The earlier pair of the output's name, a valid skin, in a folder with room for the new
    // skin but not for its bitmap.
    const fs::path full = temp / "full";
    ScopedTmpfs tmpfs(full, "128k");
    if (!tmpfs.Mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    fs::copy_file(skins / "tidewater.xml", full / "prev.xml");
    fs::copy_file(skins / "tidewater.png", full / "prev.png");
    const std::string earlierSkin = testsupport::ReadAll(full / "prev.xml");
    const std::string earlierBitmap = testsupport::ReadAll(full / "prev.png");
    // 12 KiB stay free: the new skin (about 5 KiB, two pages) fits, its bitmap cannot.
    const std::uintmax_t free = tmpfs.Free();
    ASSERT_GT(free, 12u * 1024);
    {
        const std::string filler(free - 12 * 1024, 'x');
        std::FILE* f = std::fopen((full / "filler").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(filler.data(), 1, filler.size(), f);
        std::fclose(f);
    }

    Program program(temp.Path());
    ASSERT_TRUE(program.WaitForStarted());

    // First start: the language box, then the window with its start-up notice.
    const auto main = PassFirstStart();
    ASSERT_TRUE(main);
    MainWindowAt w{*main};

    // The input skin through the real file dialog.
    ASSERT_TRUE(ChooseInput(w, skins / "tidewater.xml"));

    // The output is the input through "sub/..": refused on the Files page, nothing written.
    const std::string input = testsupport::ReadAll(skins / "tidewater.xml");
    FillFilesPage(w, skins / "sub" / ".." / "tidewater.xml", "1280");
    ChooseResize(w, Resize::Simple);
    const std::set<std::string> before = Ids();
    DoTheJob(w);
    const auto bubble = WaitForWindow("", 0, before);
    EXPECT_TRUE(bubble) << "no bubble for the output that is the input";
    Shot("1_same_file_by_another_path_refused");
    EXPECT_EQ(testsupport::ReadAll(skins / "tidewater.xml"), input);
    EXPECT_EQ(Count(testsupport::ReadAll(temp / "app" / "Malvoren log.txt"), "----New Job----"), 0);
    std::vector<std::string> inSkins;
    for (const auto& entry : fs::directory_iterator(skins))
        inSkins.push_back(entry.path().filename().string());
    std::sort(inSkins.begin(), inSkins.end());
    EXPECT_EQ(inSkins, (std::vector<std::string>{"sub", "tidewater.png", "tidewater.xml"}));

    // The output into the nearly full folder, over the earlier pair: the bitmap cannot be
    // written, and the message says which file and why.
    w.Click(250, 261);
    Keys({"ctrl+a"});
    Type((full / "prev.xml").string());
    w.Click(475, 32);  // "Generating"
    const std::set<std::string> beforeJob = Ids();
    DoTheJob(w);
    const auto message = WaitForWindow("", 0, beforeJob);
    ASSERT_TRUE(message) << "no message for the full disk";
    Shot("2_full_disk_at_the_bitmap");
    Keys({"Return"});
    ASSERT_TRUE(WaitForText(temp / "app" / "Malvoren log.txt", "Finished in"))
        << "the job did not end";
    const std::string log = testsupport::ReadAll(temp / "app" / "Malvoren log.txt");
    // The job failed at the bitmap (the message box, in the screenshot, names the file and the
    // system's reason).
    EXPECT_NE(log.find("\n**Exception\nSaving Skin Picture File\n--\nFinished in "),
              std::string::npos)
        << log;
    Shot("3_after_the_failed_job");

    // The earlier pair is whole, and no temporary file is left.
    EXPECT_EQ(testsupport::ReadAll(full / "prev.xml"), earlierSkin);
    EXPECT_EQ(testsupport::ReadAll(full / "prev.png"), earlierBitmap);
    std::vector<std::string> inFull;
    for (const auto& entry : fs::directory_iterator(full))
        inFull.push_back(entry.path().filename().string());
    std::sort(inFull.begin(), inFull.end());
    EXPECT_EQ(inFull, (std::vector<std::string>{"filler", "prev.png", "prev.xml"}));
}

}  // namespace
