#include "main/x_driver.h"

#include "support/inspection.h"
#include "support/temp_folder.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
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

void MainWindowAt::Click(int x, int y) const {
    Xdo({"mousemove", "--window", QString::fromStdString(w.id), QString::number(x),
         QString::number(y + Bar()), "click", "1"});
}

void Type(const std::string& text) {
    Xdo({"type", "--delay", "2", QString::fromStdString(text)});
}

void Keys(const QStringList& keys) {
    Xdo(QStringList{"key"} + keys);
}

}  // namespace xdriver
