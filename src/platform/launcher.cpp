#include "platform/launcher.h"

#include "platform/dialogs.h"

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace platform {
namespace {

std::unique_ptr<Launcher>& Installed() {
    static std::unique_ptr<Launcher> launcher = std::make_unique<SystemLauncher>();
    return launcher;
}

}  // namespace

Launcher& CurrentLauncher() {
    return *Installed();
}

std::unique_ptr<Launcher> SetLauncher(std::unique_ptr<Launcher> launcher) {
    auto previous = std::move(Installed());
    Installed() = launcher ? std::move(launcher) : std::make_unique<SystemLauncher>();
    return previous;
}

bool ShowURL(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    const bool web = parsed.isValid() && !parsed.host().isEmpty() &&
                     (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
    if (!web) {
        CurrentLauncher().Refused(url);
        return false;
    }
    if (CurrentLauncher().OpenURL(url))
        return true;
    // Without a web browser the system gives up with no more than a line on standard error:
    // the user is told, and gets the address to open by other means.
    MsgBox(std::string(kNoProgramForAddress) + "\n" + url);
    return false;
}

bool SystemLauncher::OpenURL(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool SystemLauncher::OpenItem(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool SystemLauncher::LaunchProgram(const std::string& path) {
    return QProcess::startDetached(QString::fromStdString(path), QStringList());
}

bool RecordingLauncher::OpenURL(const std::string& url) {
    requests.push_back("url:" + url);
    return answer;
}

bool RecordingLauncher::OpenItem(const std::string& path) {
    requests.push_back("item:" + path);
    return answer;
}

bool RecordingLauncher::LaunchProgram(const std::string& path) {
    requests.push_back("program:" + path);
    return answer;
}

void RecordingLauncher::Refused(const std::string& url) {
    requests.push_back("refused:" + url);
}

ScopedRecordingLauncher::ScopedRecordingLauncher() {
    auto launcher = std::make_unique<RecordingLauncher>();
    m_launcher = launcher.get();
    m_previous = SetLauncher(std::move(launcher));
}

ScopedRecordingLauncher::~ScopedRecordingLauncher() {
    SetLauncher(std::move(m_previous));
}

}  // namespace platform
