// The real program under an X server (xvfb-run), driven as a user would with xdotool: its first
// start without a settings file, a "Simple" job on the example skin chosen in the real file
// dialog, a refused "Smart" job, and quitting. Screenshots of the whole screen go to the build
// tree's "rendered" folder for a person to look at.
#include "main/x_driver.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QtGui/qguiapplication_platform.h>

#ifdef MALVOREN_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace xdriver;

constexpr const char* kShots = "program_";

void Shot(const std::string& name) {
    xdriver::Shot(kShots, name);
}

// Asks the window to close as a window manager's close box does.
void CloseBox(const std::string& id) {
#ifdef MALVOREN_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    xcb_connection_t* c = x11->connection();
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(std::stoul(id));
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
#else
    (void)id;
    GTEST_SKIP() << "no xcb headers: the close box cannot be pressed";
#endif
}

int Lines(const std::string& text) {
    return text.empty() ? 0 : 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ProgramSmoke, FirstStartASimpleJobARefusedSmartJobAndQuitting) {
    ASSERT_NE(QGuiApplication::platformName(), "offscreen") << "run me under xvfb-run";
    ASSERT_FALSE(Xdo({"version"}).empty()) << "xdotool is missing (scripts/install-deps.sh)";
    testsupport::TempFolder temp;
    for (const char* name : {"tidewater.xml", "tidewater.png"})
        fs::copy_file(fs::path(MALVOREN_SOURCE_DIR) / "examples" / name, temp / name);
    fs::create_directories(temp / "out");

    Program program(temp.Path());
    ASSERT_TRUE(program.WaitForStarted());

    // First start: the language box, then the window, centred, with the start-up notice.
    const auto main = PassFirstStart(kShots);
    ASSERT_TRUE(main);
    EXPECT_EQ(main->x, (1280 - 560) / 2);
    EXPECT_EQ(main->width, 560);
    MainWindowAt w{*main};

    // The skin's full path typed into the real file dialog.
    ASSERT_TRUE(ChooseInput(w, temp / "tidewater.xml", kShots));

    // The output file and width (the height follows in scale), "Simple", "Do the Job".
    const fs::path simple = temp / "out" / "tidewater-1280.xml";
    FillFilesPage(w, simple, "1280");
    Shot("4_files_page_filled");
    ChooseResize(w, Resize::Simple);
    Shot("5_recap_simple");
    DoTheJob(w);
    ASSERT_TRUE(WaitForText(temp / "app" / "Malvoren log.txt", "Finished in"))
        << "the Simple job did not end";
    Shot("6_after_simple_job");
    EXPECT_EQ(
        QImageReader(QString::fromStdString((temp / "out" / "tidewater-1280.png").string())).size(),
        QSize(1280, 1500));  // the 1024 × 1200 bitmap, 1.25 times
    EXPECT_TRUE(fs::exists(simple));

    // "Smart" at 1280 × 720: the browser, 336 × 1.25 = 420 of 960 rows, would keep
    // 420 − 240 = 180 < 245 rows, so the job is refused with 960 − (420 − 245) = 785.
    const std::set<std::string> before = Ids();
    w.Click(136, 32);   // "Files"
    w.Click(135, 336);  // "Keep Skin in scale" off
    w.Click(250, 261);
    Keys({"End", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace",
          "BackSpace", "BackSpace"});
    Type("smart.xml");
    w.Click(260, 299);
    Keys({"End", "BackSpace", "BackSpace", "BackSpace"});
    Type("720");
    ChooseResize(w, Resize::Smart);
    Shot("7_recap_smart");
    DoTheJob(w);
    // The refusal first shows an empty message box, then points at the height field.
    const auto emptyBox = WaitForWindow("", 0, before);
    ASSERT_TRUE(emptyBox) << "the refused Smart job showed nothing";
    Shot("8_refused_smart_empty_box");
    Keys({"Return"});
    ASSERT_TRUE(WaitUntilGone(emptyBox->id));
    const auto bubble = WaitForWindow("", 0, before);
    EXPECT_TRUE(bubble) << "no bubble after the refused Smart job";
    Shot("9_refused_smart_bubble");
    EXPECT_FALSE(fs::exists(temp / "out" / "tidewater-smart.xml"));

    // Quitting with Ctrl+Q writes the settings file and ends with status 0. Without a menu
    // bar in this build the close box stands in for it.
    w.Click(540, 366);  // an empty spot of the window, which takes the keys
    Keys({"ctrl+q"});
    if (!program.Process().waitForFinished(3000)) {
        ASSERT_EQ(w.Bar(), 0) << "the window has a menu bar, yet Ctrl+Q did not quit";
        std::cout << "[ note ] Ctrl+Q did nothing (no menu bar): quitting with the close box\n";
        CloseBox(main->id);
        ASSERT_TRUE(program.Process().waitForFinished(10000)) << "the close box did not quit";
    }
    EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.Process().exitCode(), 0);
    const std::string config = testsupport::ReadAll(temp / "cfg" / "Malvoren Tool" / "Config.ini");
    EXPECT_EQ(Lines(config), 27);
    // The proposed height stayed in the field and went into the file.
    EXPECT_NE(config.find("\nOutputW=1280\nOutputH=785\n"), std::string::npos) << config;
    // The file dialog's history went into the tool's own folder, as everything else did.
    for (const auto& entry : fs::directory_iterator(temp / "cfg"))
        EXPECT_EQ(entry.path().filename(), "Malvoren Tool");
}

}  // namespace
