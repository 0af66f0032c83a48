#include "windows/info/checkforupdate_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/network/http_socket.h"
#include "platform/text.h"
#include "platform/widgets/label.h"
#include "windows/layout/stored_layout.h"

namespace {

constexpr const char* kNoReply = "Unable to contact the webserver.";
// The server answered, but its version field is too short to compare with this version.
constexpr const char* kUnreadable = "Unable to read the webserver's answer.";

}  // namespace

CheckForUpdate_Window::CheckForUpdate_Window(const updatecheck::LocalVersion& local)
    : platform::Window(Frame::Sheet)
    , m_local(local) {
}

CheckForUpdate_Window& CheckForUpdate_Window::ShowNew() {
    auto* window = new CheckForUpdate_Window;
    window->Show();
    return *window;
}

void CheckForUpdate_Window::Layout() {
    setObjectName("CheckForUpdate_Window");
    SetTitle("Check for Update");
    SetHasBackColor(true);
    SetBackColor({0x33, 0x35, 0x38});
    SetWidth(260);
    SetHeight(66);
    SetResizeable(false);

    m_pushButton1 = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            layout::Place(b, "PushButton1", {75, 17, 110, 29}, 0);
            b.SetCaption("Check");
        },
        [this](UI_Button& b) {
            b.Open = [&b] {
                b.MyStyle.WidthMode = 0;
                b.SetCaption(Language::Lng("Check"));
            };
            b.Action = [this] { PushButton1_Action(); };
        });
    m_progressWheel1 = &AddControl<LiteProgressWheel>(this, [](LiteProgressWheel& w) {
        layout::Place(w, "ProgressWheel1", {224, 24, 16, 16}, 0);
        w.LockLeft = false;
        w.LockRight = true;
        w.SetVisible(false);
    });
    m_textMessage = &AddControl<platform::Label>(this, [](platform::Label& l) {
        layout::Place(l, "TextMessage", {20, 55, 220, 25}, 0);
        l.LockRight = true;
        l.LockTop = false;
        l.SetText("Untitled");
        l.SetTextAlign(1);
        l.SetTextColor({0xFF, 0xFF, 0xFF});
        l.SetTransparent(true);
        l.SetMultiline(true);
        l.SetTextFont("System");
        l.SetSelectable(false);
        l.SetVisible(false);
    });
}

void CheckForUpdate_Window::Event_Open() {
    // Lower-case "update", in every language: the stored title is replaced.
    SetTitle(Language::Lng("Check for update"));
    platform::Window::Event_Open();
}

void CheckForUpdate_Window::PushButton1_Action() {
    if (platform::TextEquals(m_pushButton1->Caption(), Language::Lng("Close"))) {
        Close();
        return;
    }
    if (platform::IsConnected()) {
        m_progressWheel1->SetVisible(true);
        m_progressWheel1->Refresh(true);
        Check();
    } else {
        platform::MsgBox(Language::Messages[51]);
    }
}

void CheckForUpdate_Window::ShowMessage(const std::string& text) {
    m_textMessage->SetText(text);
    m_textMessage->SetVisible(true);
    SetHeight(54 + m_textMessage->Height() + 20);
    m_pushButton1->SetCaption(Language::Lng("Close"));
    m_pushButton1->Refresh(false);
}

void CheckForUpdate_Window::Check() {
    using namespace updatecheck;
    if (!platform::IsConnected()) {
        ShowMessage(Language::Messages[51]);
        return;
    }
    const std::string reply = FetchDescription();
    if (reply.empty()) {
        ShowMessage(kNoReply);
        return;
    }
    const Description description = ReadDescription(reply, INI_Read_Write::Lang, Variables::RC);
    const bool marker = HasDowngradeMarker(description.notes);
    const Verdict verdict = Judge(description, m_local);
    const Settings before = CurrentSettings();
    if (verdict == Verdict::Failed) {
        // Said in the window, which stays usable, rather than reported as a failure of the
        // program: the fault is the server's.
        StoreSettings(AfterWindowCheck(before, verdict, marker, Answer::None, platform::Now()));
        ShowMessage(kUnreadable);
        return;
    }
    if (verdict == Verdict::NotNewer) {
        StoreSettings(AfterWindowCheck(before, verdict, marker, Answer::None, platform::Now()));
        ShowMessage(Language::Messages[41]);
        return;
    }
    // Recorded before the dialog, as the comparison's time is.
    StoreSettings(AfterWindowCheck(before, verdict, marker, Answer::None, platform::Now()));
    const platform::DialogButton pressed =
        platform::CurrentDialogs().ShowMessageDialog(UpdateDialog(description, "NewVersion"));
    if (pressed == platform::DialogButton::Action) {
        StoreSettings(AfterWindowCheck(before, verdict, marker, Answer::Download, platform::Now()));
        platform::ShowURL(description.address);
        platform::DoEvents(100);
        Close();
    } else if (pressed == platform::DialogButton::Alternate) {
        StoreSettings(AfterWindowCheck(before, verdict, marker, Answer::Later, platform::Now()));
        Close();
    } else {
        Close();  // the dialog closed without an answer: nothing more to do here
    }
}
