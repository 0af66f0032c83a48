#include "windows/info/message_window.h"

#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "kit/buttons/ui_button.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "platform/widgets/canvas.h"
#include "windows/info/message_layout.h"
#include "windows/layout/stored_layout.h"

namespace {

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
    return platform::Instance<Message_Window>(platform::WhenMade::Shown);
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
    SetWidth(367);
    SetHeight(messagelayout::kBaseHeight);
    SetResizeable(false);

    m_pushButton1 = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            layout::Place(b, "PushButton1", {267, 81, 80, 29}, 0);
            b.SetCaption("Ok");
            b.LockLeft = false;
            b.LockTop = false;
            b.LockRight = true;
            b.LockBottom = true;
        },
        [this](UI_Button& b) { b.Action = [this] { Close(); }; });
    m_runOnceCheckBox = &AddControl<UI_Checkbox>(this, [](UI_Checkbox& c) {
        layout::Place(c, "RunOnce_CheckBox", {20, 81, 235, 29}, 1);
        c.Caption = "Do not show this message again";
        c.LockTop = false;
        c.LockBottom = true;
    });
    m_messageCanvas = &AddControl<platform::Canvas>(
        this,
        [](platform::Canvas& c) {
            layout::Place(c, "Message_Canvas", {20, 14, 327, 53}, 2);
            c.LockRight = true;
            c.LockBottom = true;
        },
        [this](platform::Canvas& c) {
            c.Paint = [this](platform::Graphics& g) {
                g.DrawNoteIcon(0, 0);
                g.ForeColor = {0xFF, 0xFF, 0xFF};
                g.DrawString(Message, 50, 10, messagelayout::kWrapWidth);
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

void Message_Window::Disp(const std::string& text, std::int32_t id, platform::Window* parent) {
    Message = text;
    Number = id;
    const TextMeasure& measure = TheMeasure();
    const int textHeight = measure ? measure(text, messagelayout::kWrapWidth)
                                   : MeasureInDefaultFont(text, messagelayout::kWrapWidth);
    SetHeight(messagelayout::WindowHeight(Height(), textHeight));
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
