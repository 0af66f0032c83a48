#include "platform/widgets/window.h"

#include "platform/dispatch.h"
#include "platform/event_yield.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/picture.h"
#include "platform/thread.h"
#include "platform/widgets/menubar_view.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
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

Window*& TheMainWindow() {
    static Window* main = nullptr;
    return main;
}

constexpr const char* kContentRootProperty = "malvorenContentRoot";

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

/// The area under a window's menu bar, where the controls stand. It paints the window's
/// content; mouse events that it does not take reach the window.
class ContentArea : public QWidget {
public:
    explicit ContentArea(Window& window)
        : QWidget(&window)
        , m_window(window) {
        setObjectName("contentArea");
        setProperty(kContentRootProperty, true);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_window.PaintContent(*this); }

private:
    Window& m_window;
};

Window::Window(Frame frame)
    : QWidget(nullptr, FlagsFor(frame))
    , m_frame(frame) {
    OpenWindows().push_back(this);
}

Window::~Window() {
    if (TheMainWindow() == this)
        TheMainWindow() = nullptr;
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
    return geometry().y() + BarHeight();
}

int Window::Width() const {
    return geometry().width();
}

int Window::Height() const {
    return geometry().height() - BarHeight();
}

void Window::SetLeft(int left) {
    SetContentGeometry(QRect(left, Top(), Width(), Height()));
}

void Window::SetTop(int top) {
    SetContentGeometry(QRect(Left(), top, Width(), Height()));
}

void Window::SetWidth(int width) {
    SetContentGeometry(QRect(Left(), Top(), width, Height()));
}

void Window::SetHeight(int height) {
    SetContentGeometry(QRect(Left(), Top(), Width(), height));
}

void Window::SetContentGeometry(const QRect& content) {
    // QWidget::move places the frame; setGeometry places the area inside it, which holds
    // the menu bar above the content.
    const QRect inside(content.x(), content.y() - BarHeight(), content.width(),
                       content.height() + BarHeight());
    if (!m_resizeable)
        setFixedSize(inside.size());
    setGeometry(inside);
    // A hidden window gets its resize event only when shown: arrange now, so that the
    // content and the locked controls are right before that.
    ArrangeChrome();
    FollowLockedEdges();
}

void Window::ArrangeChrome() {
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, width(), BarHeight());
    if (m_content)
        m_content->setGeometry(0, BarHeight(), width(), std::max(0, height() - BarHeight()));
}

void Window::FollowLockedEdges() {
    const QSize now(Width(), Height());
    if (!m_built || !m_lockedSize.isValid() || now == m_lockedSize) {
        if (m_built)
            m_lockedSize = now;
        return;
    }
    const int dw = now.width() - m_lockedSize.width();
    const int dh = now.height() - m_lockedSize.height();
    m_lockedSize = now;
    QWidget* content = Content();
    for (const auto& widget : m_controls) {
        auto* control = widget ? dynamic_cast<Control*>(widget.data()) : nullptr;
        // Controls inside a container keep their place in it.
        if (!control || widget->parentWidget() != content)
            continue;
        QRect r = widget->geometry();
        if (control->LockRight && control->LockLeft)
            r.setWidth(std::max(0, r.width() + dw));
        else if (control->LockRight)
            r.translate(dw, 0);
        if (control->LockBottom && control->LockTop)
            r.setHeight(std::max(0, r.height() + dh));
        else if (control->LockBottom)
            r.translate(0, dh);
        widget->setGeometry(r);
    }
}

MenuBarView& Window::SetMenuBar(MenuItem& tree) {
    if (m_menuBarView)
        return *m_menuBarView;
    const QRect content(Left(), Top(), Width(), Height());
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("menuBar");
    m_menuBar->setNativeMenuBar(false);
    m_menuBarView = new MenuBarView(tree, *m_menuBar, this);
    m_content = new ContentArea(*this);
    m_content->lower();
    m_barHeight = m_menuBar->sizeHint().height();
    TheMainWindow() = this;
    SetContentGeometry(content);
    return *m_menuBarView;
}

QWidget* Window::Content() noexcept {
    return m_content ? m_content : static_cast<QWidget*>(this);
}

bool Window::IsContentRoot(const QWidget& widget) {
    return widget.isWindow() || widget.property(kContentRootProperty).toBool();
}

bool Window::CloseBox() const {
    return windowFlags().testFlag(Qt::WindowCloseButtonHint);
}

void Window::SetCloseBox(bool has) {
    // Without CustomizeWindowHint the window manager's defaults would bring the box back.
    Qt::WindowFlags flags = windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags.setFlag(Qt::WindowCloseButtonHint, has);
    setWindowFlags(flags);
}

void Window::SetResizeable(bool resizeable) {
    m_resizeable = resizeable;
    if (resizeable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
}

void Window::SetMouseCursor(SystemCursor cursor) {
    m_cursor = cursor;
    ApplySystemCursor(*this, cursor);
}

void Window::Refresh() {
    Content()->update();
}

void Window::SetHasBackColor(bool has) {
    m_hasBackColor = has;
    Refresh();
}

void Window::SetBackColor(Color color) {
    m_backColor = color;
    Refresh();
}

void Window::SetBackdrop(std::shared_ptr<Picture> picture) {
    m_backdrop = std::move(picture);
    Refresh();
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
    // The stored layout places the controls for the stored size: locking starts from here.
    m_lockedSize = QSize(Width(), Height());
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
    if (TheModalHook()) {
        TheModalHook()(*this);
        // What the hook posted (a close from the loop, as a user's) runs now.
        if (self && !m_closed)
            QCoreApplication::processEvents();
        if (self && !m_closed) {
            // No user will come: waiting would hang the test.
            const std::string title = Title();
            hide();
            deleteLater();
            throw ModalHookLeftOpen("the modal window \"" + title +
                                    "\" was left open by the test hook");
        }
    }
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
    if (TheMainWindow() == this)
        TheMainWindow() = nullptr;
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

Window* Window::Main() {
    Window* main = TheMainWindow();
    return main && !main->IsClosed() ? main : nullptr;
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
    if (m_closeBoxQuits)
        Dispatch([] { RequestQuit(); });
    else
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
    ArrangeChrome();
    FollowLockedEdges();
    if (m_built)
        Dispatch([this] { Event_Resized(); });
}

void Window::paintEvent(QPaintEvent*) {
    // Under a menu bar the content area paints itself.
    if (!m_content)
        PaintContent(*this);
}

void Window::PaintContent(QWidget& target) {
    const int w = std::max(1, target.width());
    const int h = std::max(1, target.height());
    if (!m_paintBacking || m_paintBacking->Width() != w || m_paintBacking->Height() != h)
        m_paintBacking = Picture::New(w, h);
    Graphics g(*m_paintBacking);
    const QColor fill = m_hasBackColor ? QColor(m_backColor.r, m_backColor.g, m_backColor.b)
                                       : palette().color(QPalette::Window);
    g.ForeColor = RGB(fill.red(), fill.green(), fill.blue());
    g.FillRect(0, 0, w, h);
    if (m_backdrop)
        g.DrawPicture(*m_backdrop, 0, 0);
    Dispatch([&] { Event_Paint(g); });
    QPainter painter(&target);
    painter.drawImage(0, 0, m_paintBacking->Image());
}

void Window::mousePressEvent(QMouseEvent* event) {
    const QPoint at = Content()->mapFrom(this, event->position().toPoint());
    SetEventModifiers(event->modifiers());
    const bool contextual =
        event->button() == Qt::RightButton || (event->modifiers() & Qt::ControlModifier);
    SetContextualClick(contextual);
    m_pressTaken = Dispatch([&] { return Event_MouseDown(at.x(), at.y()); });
    SetContextualClick(false);
    event->accept();
    if (contextual && !m_pressTaken)
        ShowContextualMenu(at, event->globalPosition().toPoint());
}

void Window::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressTaken || event->buttons() == Qt::NoButton)
        return;
    const QPoint at = Content()->mapFrom(this, event->position().toPoint());
    SetEventModifiers(event->modifiers());
    Dispatch([&] { Event_MouseDrag(at.x(), at.y()); });
}

void Window::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressTaken)
        return;
    m_pressTaken = false;
    const QPoint at = Content()->mapFrom(this, event->position().toPoint());
    SetEventModifiers(event->modifiers());
    Dispatch([&] { Event_MouseUp(at.x(), at.y()); });
}

void Window::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    // A right press has shown the menu already; the keyboard's menu key has not.
    if (event->reason() == QContextMenuEvent::Mouse)
        return;
    ShowContextualMenu(Content()->mapFrom(this, event->pos()), event->globalPos());
}

void Window::ShowContextualMenu(QPoint at, QPoint global) {
    Dispatch([&] {
        MenuItem base;
        if (!Event_ConstructContextualMenu(base, at.x(), at.y()) || base.Count() == 0)
            return;
        MenuItem* chosen = base.PopUp(global.x(), global.y());
        if (chosen && !Event_ContextualMenuAction(*chosen))
            RunMenuCommand(*chosen);
    });
}

bool RunMenuCommand(MenuItem& item) {
    Window* front = Window::Frontmost();
    if (front && front->HandleMenuCommand(item.Name))
        return true;
    // The menu bar's commands work while another window of ours is in front.
    Window* main = Window::Main();
    if (main && main != front && main->HandleMenuCommand(item.Name))
        return true;
    if (item.Action.Raise())
        return true;
    if (item.IsQuitItem) {
        RequestQuit();
        return true;
    }
    return false;
}

bool CloseAllWindows(Window* last) {
    for (Window* w : Window::FrontToBack()) {
        if (w != last && !w->IsClosed() && !w->Close(true))
            return false;
    }
    return !last || last->IsClosed() || last->Close(true);
}

}  // namespace platform
