#include "platform/application.h"

#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

fs::path Home() {
    const std::string home = Env("HOME");
    return home.empty() ? fs::path("/tmp") : fs::path(home);
}

QtMessageHandler& PreviousHandler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

void PassOnlyFailures(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (QtMessageHandler previous = PreviousHandler())
        previous(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

void QuietQtMessages() {
    if (Env("MALVOREN_QT_MESSAGES") == "1")
        return;
    // Installed once: a second call would chain the filter to itself.
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    PreviousHandler() = qInstallMessageHandler(PassOnlyFailures);
}

FolderItem AppExecutable() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    return FolderItem(ec ? fs::current_path() / "malvoren" : exe);
}

FolderItem AppFolder() {
    const std::string dir = Env("MALVOREN_APP_DIR");
    if (!dir.empty())
        return FolderItem(fs::path(dir));
    return AppExecutable().Parent();
}

FolderItem ResourcesFolder() {
    const std::string dir = Env("MALVOREN_RESOURCES_DIR");
    if (!dir.empty())
        return FolderItem(fs::path(dir));
    const FolderItem exeDir = AppExecutable().Parent();
    const FolderItem beside = exeDir.Child("resources");
    if (beside.Exists())
        return beside;
    return FolderItem(exeDir.Path().parent_path() / "share" / "malvoren");
}

FolderItem PreferencesFolder() {
    const std::string xdg = Env("XDG_CONFIG_HOME");
    return FolderItem(xdg.empty() ? Home() / ".config" : fs::path(xdg));
}

FolderItem UserDataFolder() {
    const std::string xdg = Env("XDG_DATA_HOME");
    const fs::path base = xdg.empty() ? Home() / ".local" / "share" : fs::path(xdg);
    return FolderItem(base / "Malvoren Tool");
}

FolderItem DocumentsFolder() {
    const QString p = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return FolderItem(p.isEmpty() ? Home() / "Documents" : fs::path(p.toStdString()));
}

FolderItem DesktopFolder() {
    const QString p = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return FolderItem(p.isEmpty() ? Home() / "Desktop" : fs::path(p.toStdString()));
}

}  // namespace platform
