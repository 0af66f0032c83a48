#include "main/x_driver.h"

#include "support/inspection.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QThread>

#include <chrono>
#include <cstdlib>
#include <sstream>

namespace xdriver {
namespace {

using Clock = std::chrono::steady_clock;

// Polls are bounded: every wait ends after this long at most.
constexpr auto kPatience = std::chrono::seconds(10);

}  // namespace

std::string Xdo(const QStringList& args) {
    QProcess xdo;
    xdo.start("xdotool", args);
    if (!xdo.waitForFinished(5000))
        return {};
    return xdo.readAllStandardOutput().toStdString();
}

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

std::optional<XWindow> WaitForWindow(const std::string& name, int width,
                                     const std::set<std::string>& known) {
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

bool WaitForText(const std::filesystem::path& path, const std::string& text) {
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

void Shot(const std::string& prefix, const std::string& name) {
    // The window's last paint reaches the server a moment after the event that caused it.
    QThread::msleep(300);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    testsupport::SaveForInspection(screen.toImage(), prefix + name);
}

int MainWindowAt::Bar() const {
    return w.height - 376;
}

void ClickIn(const XWindow& w, int x, int y) {
    Xdo({"mousemove", "--window", QString::fromStdString(w.id), QString::number(x),
         QString::number(y), "click", "1"});
}

void MainWindowAt::Click(int x, int y) const {
    ClickIn(w, x, y + Bar());
}

void Type(const std::string& text) {
    Xdo({"type", "--delay", "2", QString::fromStdString(text)});
}

void Keys(const QStringList& keys) {
    Xdo(QStringList{"key"} + keys);
}

Program::Program(const std::filesystem::path& home) {
    namespace fs = std::filesystem;
    const auto path = [&home](const char* name) {
        return QString::fromStdString((home / name).string());
    };
    fs::create_directories(home / "app");
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", path("cfg"));
    env.insert("XDG_DATA_HOME", path("data"));
    env.insert("XDG_RUNTIME_DIR", path("run"));
    env.insert("MALVOREN_APP_DIR", path("app"));
    env.insert("MALVOREN_OFFLINE", "1");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("MALVOREN_SCREEN", "1280x800");
    // Whatever the caller's environment: a run on this X server, never headless.
    env.remove("MALVOREN_HEADLESS");
    env.remove("WAYLAND_DISPLAY");
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(QStringLiteral(MALVOREN_EXE), {});
}

Program::~Program() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

std::optional<XWindow> PassFirstStart(const std::string& shotPrefix) {
    // The language box, alone, holds up the opening.
    const auto box = WaitForWindow("malvoren");
    if (!box) {
        ADD_FAILURE() << "no \"Press F8\" box";
        return std::nullopt;
    }
    if (!shotPrefix.empty())
        Shot(shotPrefix, "1_press_f8_box");
    Keys({"Return"});
    if (!WaitUntilGone(box->id)) {
        ADD_FAILURE() << "the \"Press F8\" box stayed";
        return std::nullopt;
    }
    // Then the window and the start-up notice beside it.
    const auto main = WaitForWindow("Malvoren Tool");
    if (!main) {
        ADD_FAILURE() << "no main window";
        return std::nullopt;
    }
    const auto notice = WaitForWindow("malvoren", 367);
    if (!notice) {
        ADD_FAILURE() << "no start-up notice";
        return std::nullopt;
    }
    if (!shotPrefix.empty())
        Shot(shotPrefix, "2_first_start_with_notice");
    // The notice's "Ok", at its lower right corner.
    ClickIn(*notice, notice->width - 60, notice->height - 35);
    if (!WaitUntilGone(notice->id)) {
        ADD_FAILURE() << "the start-up notice stayed";
        return std::nullopt;
    }
    return main;
}

bool ChooseInput(const MainWindowAt& w, const std::filesystem::path& skin,
                 const std::string& shotPrefix) {
    w.Click(500, 137);  // "..." of the input
    const auto dialog = WaitForWindow("Select an XML Skin file");
    if (!dialog) {
        ADD_FAILURE() << "no open dialog";
        return false;
    }
    Type(skin.string());
    if (!shotPrefix.empty())
        Shot(shotPrefix, "3_file_dialog");
    Keys({"Return"});
    if (!WaitUntilGone(dialog->id)) {
        ADD_FAILURE() << "the open dialog stayed";
        return false;
    }
    return true;
}

void FillFilesPage(const MainWindowAt& w, const std::filesystem::path& output,
                   const std::string& width) {
    w.Click(250, 261);  // the output file
    Type(output.string());
    w.Click(159, 299);  // the width
    Type(width);
}

void ChooseResize(const MainWindowAt& w, Resize resize) {
    w.Click(248, 32);                                  // "Resizing"
    w.Click(31, resize == Resize::Simple ? 82 : 222);  // "Simple Resize" or "Smart Resize"
    w.Click(475, 32);                                  // "Generating"
}

void DoTheJob(const MainWindowAt& w) {
    w.Click(436, 333);
}

}  // namespace xdriver
