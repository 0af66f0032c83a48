#include "windows/info/message_window.h"

#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/messages/run_once.h"
#include "kit/buttons/ui_button.h"
#include "kit/toggles/ui_checkbox.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "platform/widgets/canvas.h"
#include "windows/info/info_drawing.h"
#include "windows/info/message_layout.h"

#include <QPointer>

namespace {

constexpr int kWidth = 367;
// The button and the box keep their tops this far above the bottom edge, and the text area
// its bottom this far, as the window grows.
constexpr int kControlsFromBottom = 49;
constexpr int kTextAreaFromBottom = 63;
constexpr int kTextAreaTop = 14;

QPointer<Message_Window>& TheWindow() {
    static QPointer<Message_Window> window;
    return window;
}

int MeasureInDefaultFont(const std::string& text, int wrapWidth) {
    // The text area's surface in its default font: any picture's Graphics measures alike.
    const platform::PicturePtr surface = platform::Picture::New(1, 1);
    return surface->Graphics().StringHeight(text, wrapWidth);
}

Message_Window::TextMeasure& TheMeasure() {
    static Message_Window::TextMeasure measure;
    return measure;
}

}  // namespace

Message_Window::Message_Window()
    : platform::Window(Frame::Sheet) {
}

Message_Window& Message_Window::Instance() {
    QPointer<Message_Window>& window = TheWindow();
    if (!window || window->IsClosed()) {
        window = new Message_Window;
        window->Show();
    }
    return *window;
}

Message_Window* Message_Window::Current() {
    Message_Window* window = TheWindow();
    return window && !window->IsClosed() ? window : nullptr;
}

Message_Window::TextMeasure Message_Window::SetTextMeasure(TextMeasure measure) {
    TextMeasure previous = std::move(TheMeasure());
    TheMeasure() = std::move(measure);
    return previous;
}

void Message_Window::Layout() {
    SetTitle("");
    setObjectName("Message_Window");
    SetHasBackColor(true);
    SetBackColor({0x33, 0x35, 0x38});
    InfoDrawing::SetFixedContentSize(*this, kWidth, MessageLayout::kBaseHeight);

    m_pushButton1 = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            b.SetName("PushButton1");
            b.setGeometry(267, 81, 80, 29);
            b.SetCaption("Ok");
            b.TabIndex = 0;
        },
        [this](UI_Button& b) { b.Action = [this] { Close(); }; });
    m_runOnceCheckBox = &AddControl<UI_Checkbox>(this, [](UI_Checkbox& c) {
        c.SetName("RunOnce_CheckBox");
        c.setGeometry(20, 81, 235, 29);
        c.Caption = "Do not show this message again";
        c.TabIndex = 1;
    });
    m_messageCanvas = &AddControl<platform::Canvas>(
        this,
        [](platform::Canvas& c) {
            c.SetName("Message_Canvas");
            c.setGeometry(20, kTextAreaTop, 327, 53);
            c.TabIndex = 2;
        },
        [this](platform::Canvas& c) {
            c.Paint = [this](platform::Graphics& g) {
                InfoDrawing::DrawNoteIcon(g, 0, 0);
                g.ForeColor = {0xFF, 0xFF, 0xFF};
                g.DrawString(Message, 50, 10, MessageLayout::kWrapWidth);
            };
        });
}

void Message_Window::Event_Open() {
    if (!platform::TextEquals(INI_Read_Write::Lang, "English"))
        m_runOnceCheckBox->Caption = Language::Lng("Do not show this message again");
    platform::Window::Event_Open();
}

void Message_Window::Event_Close() {
    if (m_runOnceCheckBox->Value())
        INI_Read_Write::RunOnce.push_back(Number);
    platform::Window::Event_Close();
}

void Message_Window::Event_Resized() {
    PlaceControls();
    platform::Window::Event_Resized();
}

void Message_Window::PlaceControls() {
    const int height = Height();
    m_pushButton1->SetTop(height - kControlsFromBottom);
    m_runOnceCheckBox->SetTop(height - kControlsFromBottom);
    m_messageCanvas->SetHeight(height - kTextAreaFromBottom - kTextAreaTop);
}

void Message_Window::Disp(const std::string& text, std::int32_t id, platform::Window* parent) {
    Message = text;
    Number = id;
    const TextMeasure& measure = TheMeasure();
    const int textHeight = measure ? measure(text, MessageLayout::kWrapWidth)
                                   : MeasureInDefaultFont(text, MessageLayout::kWrapWidth);
    const int height = MessageLayout::WindowHeight(Height(), textHeight);
    if (height != Height()) {
        InfoDrawing::SetFixedContentSize(*this, kWidth, height);
        PlaceControls();
    }
    m_messageCanvas->Refresh();
    if (parent)
        ShowModalWithin(parent);
    else
        Show();
}

void InstallMessageWindow() {
    App::SetMessageWindowPresenter([](const std::string& text, std::int32_t id) {
        // With no one to see a window, the notice goes where every headless message goes.
        if (platform::IsHeadless()) {
            platform::MsgBox(text);
            return;
        }
        Message_Window::Instance().Disp(text, id, nullptr);
    });
}
