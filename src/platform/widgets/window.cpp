#include "platform/widgets/window.h"

#include "platform/dispatch.h"
#include "platform/event_yield.h"
#include "platform/exceptions.h"
#include "platform/keys.h"
#include "platform/picture.h"
#include "platform/thread.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace platform {
namespace {

std::vector<Window*>& OpenWindows() {
    static std::vector<Window*> windows;  // most recently active first
    return windows;
}

Window::ModalHook& TheModalHook() {
    static Window::ModalHook hook;
    return hook;
}

Qt::WindowFlags FlagsFor(Window::Frame frame) {
    switch (frame) {
        case Window::Frame::Document:
            return Qt::Window;
        // Dialog kinds are plain top-level widgets with dialog decoration, never QDialog:
        // Escape and Return mean nothing by themselves.
        case Window::Frame::Sheet:
        case Window::Frame::Modal:
        case Window::Frame::MovableModal:
            return Qt::Dialog;
        case Window::Frame::Floating:
            return Qt::Tool;
        case Window::Frame::PlainBox:
            return Qt::Dialog | Qt::FramelessWindowHint;
        case Window::Frame::Borderless:
            return Qt::Window | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

}  // namespace

Window::Window(Frame frame)
    : QWidget(nullptr, FlagsFor(frame))
    , m_frame(frame) {
    OpenWindows().push_back(this);
}

Window::~Window() {
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    if (m_modalLoop)
        m_modalLoop->quit();
}

std::string Window::Title() const {
    return windowTitle().toStdString();
}

void Window::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

int Window::Left() const {
    return geometry().x();
}

int Window::Top() const {
    return geometry().y();
}

int Window::Width() const {
    return geometry().width();
}

int Window::Height() const {
    return geometry().height();
}

// QWidget::move places the frame; setGeometry places the content area, as Left and Top mean.
void Window::SetLeft(int left) {
    setGeometry(left, Top(), Width(), Height());
}

void Window::SetTop(int top) {
    setGeometry(Left(), top, Width(), Height());
}

void Window::SetWidth(int width) {
    setGeometry(Left(), Top(), width, Height());
}

void Window::SetHeight(int height) {
    setGeometry(Left(), Top(), Width(), height);
}

void Window::SetHasBackColor(bool has) {
    m_hasBackColor = has;
    update();
}

void Window::SetBackColor(Color color) {
    m_backColor = color;
    update();
}

void Window::SetBackdrop(std::shared_ptr<Picture> picture) {
    m_backdrop = std::move(picture);
    update();
}

Control* Window::Focus() const {
    return ControlOf(focusWidget());
}

Control& Window::ControlAt(std::size_t index) const {
    if (index >= m_controls.size() || !m_controls[index])
        throw OutOfBoundsException("control " + std::to_string(index));
    return *dynamic_cast<Control*>(m_controls[index].data());
}

Control* Window::FindControl(const std::string& name) const {
    for (const auto& widget : m_controls) {
        auto* control = widget ? dynamic_cast<Control*>(widget.data()) : nullptr;
        if (control && control->Name() == name)
            return control;
    }
    return nullptr;
}

void Window::Register(Control& control) {
    m_controls.emplace_back(&control.Widget());
}

void Window::Build() {
    if (m_built)
        return;
    m_built = true;
    Layout();
    ApplyTabOrder();
    // Every control opens, those on hidden pages included, before the window itself; a
    // failing Open is reported and the others still open.
    for (const auto& widget : m_controls) {
        if (auto* control = widget ? dynamic_cast<Control*>(widget.data()) : nullptr)
            Dispatch([control] { control->Event_Open(); });
    }
    Dispatch([this] { Event_Open(); });
}

void Window::ApplyTabOrder() {
    // Per container, in TabIndex order (creation order among equal indices).
    std::map<QWidget*, std::vector<Control*>> byContainer;
    for (const auto& widget : m_controls) {
        if (auto* control = widget ? dynamic_cast<Control*>(widget.data()) : nullptr)
            byContainer[widget->parentWidget()].push_back(control);
    }
    for (auto& [container, controls] : byContainer) {
        std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
            return a->TabIndex < b->TabIndex;
        });
        for (std::size_t i = 1; i < controls.size(); ++i)
            QWidget::setTabOrder(&controls[i - 1]->Widget(), &controls[i]->Widget());
    }
}

void Window::Show() {
    Build();
    if (m_closed)
        return;
    show();
    raise();
    activateWindow();
}

void Window::ShowWithin(Window& parent) {
    if (windowHandle() == nullptr)
        create();
    if (parent.windowHandle() == nullptr)
        parent.create();
    windowHandle()->setTransientParent(parent.windowHandle());
    setWindowModality(Qt::WindowModal);
    Show();
}

void Window::ShowModalWithin(Window* parent) {
    if (parent) {
        ShowWithin(*parent);
    } else {
        setWindowModality(Qt::ApplicationModal);
        Show();
    }
    QPointer<Window> self(this);
    if (TheModalHook())
        TheModalHook()(*this);
    if (!self || m_closed)
        return;
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec();
    if (self)
        m_modalLoop = nullptr;
}

Window::ModalHook Window::SetModalHook(ModalHook hook) {
    auto previous = std::move(TheModalHook());
    TheModalHook() = std::move(hook);
    return previous;
}

bool Window::Close(bool appQuitting) {
    if (m_closed)
        return true;
    if (m_ownsJob && JobRunning()) {
        // Nothing may be deleted under the job's feet: end the job at its next yield and
        // close once the loop is back.
        RequestKill();
        PostClose(appQuitting);
        return false;
    }
    if (Dispatch([&] { return Event_CancelClose(appQuitting); }))
        return false;
    for (const auto& widget : m_controls) {
        if (auto* control = widget ? dynamic_cast<Control*>(widget.data()) : nullptr)
            Dispatch([control] { control->Event_Close(); });
    }
    Dispatch([this] { Event_Close(); });
    m_closed = true;
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    hide();
    if (m_modalLoop) {
        m_modalLoop->quit();
        m_modalLoop = nullptr;
    }
    deleteLater();
    return true;
}

void Window::PostClose(bool appQuitting) {
    QPointer<Window> self(this);
    QTimer::singleShot(0, [self, appQuitting] {
        if (self)
            Dispatch([&] { self->Close(appQuitting); });
    });
}

void Window::SetMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    m_menuHandlers[itemName] = std::move(handler);
}

bool Window::HandleMenuCommand(const std::string& itemName) {
    auto it = m_menuHandlers.find(itemName);
    return it != m_menuHandlers.end() && it->second && it->second();
}

std::vector<Window*> Window::FrontToBack() {
    return OpenWindows();
}

Window* Window::Frontmost() {
    for (Window* w : OpenWindows()) {
        if (w->isVisible())
            return w;
    }
    return nullptr;
}

bool Window::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate: {
            auto& windows = OpenWindows();
            auto it = std::find(windows.begin(), windows.end(), this);
            if (it != windows.end())
                std::rotate(windows.begin(), it, it + 1);
            Dispatch([this] { Event_Activate(); });
            break;
        }
        case QEvent::WindowDeactivate:
            Dispatch([this] { Event_Deactivate(); });
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void Window::closeEvent(QCloseEvent* event) {
    // The close box: our own protocol decides, Qt's close never runs.
    event->ignore();
    Dispatch([this] { Close(false); });
}

void Window::keyPressEvent(QKeyEvent* event) {
    SetEventModifiers(event->modifiers());
    const auto key = KeyText(*event);
    if (key && Dispatch([&] { return Event_KeyDown(*key); })) {
        event->accept();
        return;
    }
    event->ignore();
}

void Window::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_built)
        Dispatch([this] { Event_Resized(); });
}

void Window::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor fill = m_hasBackColor ? QColor(m_backColor.r, m_backColor.g, m_backColor.b)
                                       : palette().color(QPalette::Window);
    painter.fillRect(rect(), fill);
    if (m_backdrop) {
        const QRect whole(0, 0, m_backdrop->Width(), m_backdrop->Height());
        painter.drawImage(0, 0, m_backdrop->DrawableImage(whole));
    }
}

bool CloseAllWindows(Window* last) {
    for (Window* w : Window::FrontToBack()) {
        if (w != last && !w->IsClosed() && !w->Close(true))
            return false;
    }
    return !last || last->IsClosed() || last->Close(true);
}

}  // namespace platform
