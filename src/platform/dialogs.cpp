#include "platform/dialogs.h"

#include "platform/timer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QString>

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace platform {
namespace {

std::unique_ptr<Dialogs>& Provider() {
    static std::unique_ptr<Dialogs> provider = std::make_unique<HeadlessDialogs>();
    return provider;
}

template <typename T>
T PopOr(std::deque<T>& queue, T fallback) {
    if (queue.empty())
        return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

Dialogs& CurrentDialogs() {
    return *Provider();
}

std::unique_ptr<Dialogs> SetDialogs(std::unique_ptr<Dialogs> provider) {
    auto previous = std::move(Provider());
    Provider() = provider ? std::move(provider) : std::make_unique<HeadlessDialogs>();
    return previous;
}

bool IsHeadless() {
    return CurrentDialogs().IsHeadless();
}

bool PlatformIsHeadless() {
    const char* flag = std::getenv("MALVOREN_HEADLESS");
    if (flag && std::strcmp(flag, "1") == 0)
        return true;
    QString platformName;
    if (QGuiApplication::instance())
        platformName = QGuiApplication::platformName();
    else if (const char* qpa = std::getenv("QT_QPA_PLATFORM"))
        platformName = QString::fromUtf8(qpa);
    else
        return false;
    return platformName.startsWith(QLatin1String("offscreen")) ||
           platformName.startsWith(QLatin1String("minimal"));
}

void MsgBox(const std::string& text) {
    CurrentDialogs().MsgBox(text);
}

bool YesNoBox(const std::string& question, const std::string& title) {
    MessageDialogSpec spec;
    spec.title = title;
    spec.message = question;
    spec.actionCaption = "Yes";
    spec.cancelCaption = "No";
    spec.icon = DialogIcon::Question;
    return CurrentDialogs().ShowMessageDialog(spec) == DialogButton::Action;
}

void DoEvents(int milliseconds) {
    if (!QCoreApplication::instance())
        return;
    if (ManualTimersInstalled() || milliseconds <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    QEventLoop loop;
    Timer end;
    end.SetPeriod(milliseconds);
    end.Action = [&loop] { loop.quit(); };
    end.SetMode(Timer::kModeSingle);
    loop.exec(QEventLoop::AllEvents);
}

void HeadlessDialogs::MsgBox(const std::string& text) {
    std::cerr << text << std::endl;
}

DialogButton HeadlessDialogs::ShowMessageDialog(const MessageDialogSpec& spec) {
    if (!spec.title.empty())
        std::cerr << spec.title << ": ";
    std::cerr << spec.message;
    if (!spec.explanation.empty())
        std::cerr << '\n' << spec.explanation;
    std::cerr << std::endl;
    return DialogButton::Action;
}

std::optional<std::string> HeadlessDialogs::GetOpenFile(const FileDialogSpec& spec) {
    std::cerr << (spec.title.empty() ? std::string("Open file") : spec.title)
              << ": no one can answer a file dialog in this run; cancelled." << std::endl;
    return std::nullopt;
}

std::optional<std::string> HeadlessDialogs::GetSaveFile(const FileDialogSpec& spec) {
    std::cerr << (spec.title.empty() ? std::string("Save file") : spec.title)
              << ": no one can answer a file dialog in this run; cancelled." << std::endl;
    return std::nullopt;
}

std::optional<Color> HeadlessDialogs::SelectColor(const std::string&, Color) {
    return std::nullopt;
}

void ScriptedDialogs::MsgBox(const std::string& text) {
    shown.push_back(text);
}

DialogButton ScriptedDialogs::ShowMessageDialog(const MessageDialogSpec& spec) {
    shown.push_back(spec.message);
    dialogs.push_back(spec);
    return PopOr(m_buttons, DialogButton::Action);
}

std::optional<std::string> ScriptedDialogs::GetOpenFile(const FileDialogSpec& spec) {
    openRequests.push_back(spec);
    return PopOr<std::optional<std::string>>(m_openFiles, std::nullopt);
}

std::optional<std::string> ScriptedDialogs::GetSaveFile(const FileDialogSpec& spec) {
    saveRequests.push_back(spec);
    return PopOr<std::optional<std::string>>(m_saveFiles, std::nullopt);
}

std::optional<Color> ScriptedDialogs::SelectColor(const std::string& prompt, Color) {
    colorPrompts.push_back(prompt);
    return PopOr<std::optional<Color>>(m_colors, std::nullopt);
}

ScopedScriptedDialogs::ScopedScriptedDialogs() {
    auto scripted = std::make_unique<ScriptedDialogs>();
    m_dialogs = scripted.get();
    m_previous = SetDialogs(std::move(scripted));
}

ScopedScriptedDialogs::~ScopedScriptedDialogs() {
    SetDialogs(std::move(m_previous));
}

}  // namespace platform
