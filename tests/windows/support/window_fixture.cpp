#include "windows/support/window_fixture.h"

#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/resources.h"
#include "kit/base/ui_module.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/thread.h"
#include "platform/widgets/menubar_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

WindowState::WindowState()
    : m_previousQuitHandler(platform::SetQuitHandler({}))
    , m_previousWindowCloser(App::SetWindowCloser({})) {
    Reset();
}

WindowState::~WindowState() {
    Reset();
    if (m_clockSet)
        platform::SetClock(std::move(m_previousClock));
    App::SetWindowCloser(std::move(m_previousWindowCloser));
    platform::SetQuitHandler(std::move(m_previousQuitHandler));
}

void WindowState::Reset() {
    JobState::Reset();
    // Assigned from a character: GCC 12 reports a false overlap for the literal when inlined here.
    Variables::RC.assign(1, '\n');
    INI_Read_Write::ResetSettings();
    INI_Read_Write::ResetWriteFailureReport();
    Language::ResetLanguage();
    Language::SetMessages();
    resources::ResetResources();
    UI_Module::ResetDefaults();
    App::SetMessageWindowPresenter({});
    platform::ClearKill();
}

void WindowState::SetToday(platform::DateTime now) {
    auto previous = platform::SetClock(std::make_unique<FixedClock>(now));
    // The clock from before the first one is what comes back.
    if (!m_clockSet)
        m_previousClock = std::move(previous);
    m_clockSet = true;
}

void UseLanguage(const std::string& name,
                 std::initializer_list<std::pair<std::string, std::string>> entries) {
    INI_Read_Write::Lang = name;
    Language::LangList.emplace();
    for (const auto& [key, value] : entries)
        (*Language::LangList)[key] = value;
}

void WindowFixture::TearDown() {
    platform::Window::SetModalHook({});
    CloseWindows();
}

void WindowFixture::CloseWindows(const platform::Window* keep) {
    for (platform::Window* open : platform::Window::FrontToBack()) {
        if (open != keep && !open->Close(true))
            delete open;
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WindowFixture::RecordNotices() {
    m_recordsNotices = true;
    App::SetMessageWindowPresenter([this](const std::string& text, std::int32_t id) {
        notices.push_back({text, id});
    });
}

void WindowFixture::ResetState() {
    WindowState::Reset();
    if (m_recordsNotices)
        RecordNotices();
}

void Click(QWidget& widget, QPoint at, Qt::MouseButton button) {
    const QPointF local(at);
    const QPointF global = widget.mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

void ClickCentre(QWidget& widget) {
    Click(widget, QPoint(widget.width() / 2, widget.height() / 2));
}

}  // namespace testsupport
