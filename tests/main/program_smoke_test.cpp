// The real program under an X server (xvfb-run), driven as a user would with xdotool: its first
// start without a settings file, a "Simple" job on the example skin chosen in the real file
// dialog, a refused "Smart" job, and quitting. Screenshots of the whole screen go to the build
// tree's "rendered" folder for a person to look at.
#include "support/inspection.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>

#ifdef MALVOREN_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Polls are bounded: every wait ends after this long at most.
constexpr auto kPatience = std::chrono::seconds(10);

std::string Xdo(const QStringList& args) {
    QProcess xdo;
    xdo.start("xdotool", args);
    if (!xdo.waitForFinished(5000))
        return {};
    return xdo.readAllStandardOutput().toStdString();
}

struct XWindow {
    std::string id;
    std::string name;
    int x = 0, y = 0, width = 0, height = 0;
};

std::vector<XWindow> VisibleWindows() {
    std::vector<XWindow> windows;
    std::istringstream ids(Xdo({"search", "--onlyvisible", "--name", ""}));
    for (std::string id; ids >> id;) {
        XWindow w;
        w.id = id;
        w.name = Xdo({"getwindowname", QString::fromStdString(id)});
        if (!w.name.empty() && w.name.back() == '\n')
            w.name.pop_back();
        std::istringstream shell(Xdo({"getwindowgeometry", "--shell", QString::fromStdString(id)}));
        for (std::string line; std::getline(shell, line);) {
            const auto eq = line.find('=');
            if (eq == std::string::npos)
                continue;
            const std::string key = line.substr(0, eq);
            const int value = std::atoi(line.c_str() + eq + 1);
            if (key == "X")
                w.x = value;
            else if (key == "Y")
                w.y = value;
            else if (key == "WIDTH")
                w.width = value;
            else if (key == "HEIGHT")
                w.height = value;
        }
        windows.push_back(w);
    }
    return windows;
}

// The first visible window so named (any name when empty; and that wide, when `width` is given)
// that is not in `known`, waiting for it.
std::optional<XWindow> WaitForWindow(const std::string& name, int width = 0,
                                     const std::set<std::string>& known = {}) {
    const auto end = Clock::now() + kPatience;
    while (Clock::now() < end) {
        for (const XWindow& w : VisibleWindows()) {
            if ((name.empty() || w.name == name) && (width == 0 || w.width == width) &&
                !known.count(w.id))
                return w;
        }
        QThread::msleep(100);
    }
    return std::nullopt;
}

bool WaitUntilGone(const std::string& id) {
    const auto end = Clock::now() + kPatience;
    while (Clock::now() < end) {
        bool shown = false;
        for (const XWindow& w : VisibleWindows())
            shown = shown || w.id == id;
        if (!shown)
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool WaitForText(const fs::path& path, const std::string& text) {
    const auto end = Clock::now() + kPatience;
    while (Clock::now() < end) {
        if (testsupport::ReadAll(path).find(text) != std::string::npos)
            return true;
        QThread::msleep(100);
    }
    return false;
}

std::set<std::string> Ids() {
    std::set<std::string> ids;
    for (const XWindow& w : VisibleWindows())
        ids.insert(w.id);
    return ids;
}

void Shot(const std::string& name) {
    // The window's last paint reaches the server a moment after the event that caused it.
    QThread::msleep(300);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    testsupport::SaveForInspection(screen.toImage(), "program_" + name);
}

// The program's main window: content coordinates are below its menu bar, whose height is
// what the window has beyond its 376 rows of content.
struct MainWindowAt {
    XWindow w;
    int Bar() const { return w.height - 376; }
    void Click(int x, int y) const {
        Xdo({"mousemove", "--window", QString::fromStdString(w.id), QString::number(x),
             QString::number(y + Bar()), "click", "1"});
    }
};

void Type(const std::string& text) {
    Xdo({"type", "--delay", "2", QString::fromStdString(text)});
}

void Keys(const QStringList& keys) {
    Xdo(QStringList{"key"} + keys);
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
    fs::create_directories(temp / "app");

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((temp / "cfg").string()));
    env.insert("XDG_DATA_HOME", QString::fromStdString((temp / "data").string()));
    fs::create_directories(temp / "run");
    fs::permissions(temp / "run", fs::perms::owner_all);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString((temp / "run").string()));
    env.insert("MALVOREN_APP_DIR", QString::fromStdString((temp / "app").string()));
    env.insert("MALVOREN_OFFLINE", "1");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("MALVOREN_SCREEN", "1280x800");
    // Whatever the caller's environment: a run on this X server, never headless.
    env.remove("MALVOREN_HEADLESS");
    env.remove("WAYLAND_DISPLAY");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(MALVOREN_EXE), {});
    ASSERT_TRUE(program.waitForStarted());
    struct Ender {
        QProcess& p;
        ~Ender() {
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                p.waitForFinished(5000);
            }
        }
    } ender{program};

    // First start: the language box, alone, holds up the opening.
    const auto box = WaitForWindow("malvoren");
    ASSERT_TRUE(box) << "no \"Press F8\" box";
    Shot("1_press_f8_box");
    Keys({"Return"});
    ASSERT_TRUE(WaitUntilGone(box->id));

    // Then the window, centred, and the start-up notice beside it.
    const auto main = WaitForWindow("Malvoren Tool");
    ASSERT_TRUE(main);
    const auto notice = WaitForWindow("malvoren", 367);
    ASSERT_TRUE(notice) << "no start-up notice";
    EXPECT_EQ(main->x, (1280 - 560) / 2);
    EXPECT_EQ(main->width, 560);
    MainWindowAt w{*main};
    Shot("2_first_start_with_notice");
    // The notice's "Ok", at its lower right corner.
    Xdo({"mousemove", "--window", QString::fromStdString(notice->id),
         QString::number(notice->width - 60), QString::number(notice->height - 35), "click", "1"});
    ASSERT_TRUE(WaitUntilGone(notice->id));

    // "..." of the input, and the skin's full path typed into the real file dialog.
    w.Click(500, 137);
    const auto dialog = WaitForWindow("Select an XML Skin file");
    ASSERT_TRUE(dialog) << "no open dialog";
    Type((temp / "tidewater.xml").string());
    Shot("3_file_dialog");
    Keys({"Return"});
    ASSERT_TRUE(WaitUntilGone(dialog->id));

    // The output file and width (the height follows in scale), "Simple", "Do the Job".
    const fs::path simple = temp / "out" / "tidewater-1280.xml";
    w.Click(250, 261);
    Type(simple.string());
    w.Click(159, 299);
    Type("1280");
    Shot("4_files_page_filled");
    w.Click(248, 32);  // "Resizing"
    w.Click(31, 82);   // "Simple Resize"
    w.Click(475, 32);  // "Generating"
    Shot("5_recap_simple");
    w.Click(436, 333);  // "Do the Job"
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
    w.Click(248, 32);  // "Resizing"
    w.Click(31, 222);  // "Smart Resize"
    w.Click(475, 32);  // "Generating"
    Shot("7_recap_smart");
    w.Click(436, 333);  // "Do the Job"
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
    if (!program.waitForFinished(3000)) {
        ASSERT_EQ(w.Bar(), 0) << "the window has a menu bar, yet Ctrl+Q did not quit";
        std::cout << "[ note ] Ctrl+Q did nothing (no menu bar): quitting with the close box\n";
        CloseBox(main->id);
        ASSERT_TRUE(program.waitForFinished(10000)) << "the close box did not quit";
    }
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    const std::string config = testsupport::ReadAll(temp / "cfg" / "Malvoren Tool" / "Config.ini");
    EXPECT_EQ(Lines(config), 27);
    // The proposed height stayed in the field and went into the file.
    EXPECT_NE(config.find("\nOutputW=1280\nOutputH=785\n"), std::string::npos) << config;
    // The file dialog's history went into the tool's own folder, as everything else did.
    for (const auto& entry : fs::directory_iterator(temp / "cfg"))
        EXPECT_EQ(entry.path().filename(), "Malvoren Tool");
}

}  // namespace
