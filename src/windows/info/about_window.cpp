#include "windows/info/about_window.h"

#include "app/ini_read_write.h"
#include "app/resources.h"
#include "kit/buttons/ui_button.h"
#include "messages/line_terminator.h"
#include "platform/beep.h"
#include "platform/launcher.h"
#include "platform/text.h"
#include "platform/version.h"
#include "platform/widgets/label.h"
#include "windows/layout/stored_layout.h"

namespace abouttext {
namespace {

// The maker's numbers on the two sites.
constexpr const char* kVirtualDjSite = "https://www.virtualdj.com/";
constexpr const char* kVirtualDjUser = "1316539";
constexpr const char* kVirtualDjTopic = "151628";
constexpr const char* kPcdjHost = "www.pcdj.com";
constexpr const char* kPcdjForum = "http://forums.pcdj.com";
constexpr const char* kPcdjUser = "25841";
constexpr const char* kPcdjThread = "9471";

constexpr const char* kCredits =
    "Resizes skins of VirtualDJ, Numark CUE and PCDJ VJ.\n"
    "Pictures: Qt image formats, libdeflate, zlib.\n"
    "(c) The Malvoren Tool authors.\n"
    "All rights reserved.\n"
    "Questions and ideas are welcome:";

}  // namespace

std::string VersionText(std::int32_t major, std::int32_t minor, std::int32_t bug,
                        const platform::DateTime& buildDate, std::string_view lineEnd) {
    const std::string end(lineEnd);
    return "Malvoren Tool" + end + "Version: " + std::to_string(major) + "." +
           std::to_string(minor) + "." + std::to_string(bug) + end +
           "Build Date: " + buildDate.SQLDateTime();
}

bool IsPcdj(std::string_view softwareVersion) {
    return platform::TextEquals(softwareVersion, "PCDJ VJ");
}

std::string Page(Link link, std::string_view softwareVersion) {
    const bool pcdj = IsPcdj(softwareVersion);
    switch (link) {
        case Link::Site:
            return pcdj ? std::string("http://") + kPcdjHost : kVirtualDjSite;
        case Link::PrivateMessage:
            return pcdj ? std::string(kPcdjForum) + "/private.php?do=newpm&u=" + kPcdjUser
                        : std::string(kVirtualDjSite) +
                              "homepage/action/writemail.html?userid=" + kVirtualDjUser;
        case Link::ForumTopic:
            return pcdj ? std::string(kPcdjForum) + "/showthread.php?t=" + kPcdjThread
                        : std::string(kVirtualDjSite) +
                              "forums/action/newpost.html?topicid=" + kVirtualDjTopic;
    }
    return {};
}

std::string SiteText(std::string_view softwareVersion) {
    return IsPcdj(softwareVersion) ? kPcdjHost : kVirtualDjSite;
}

}  // namespace abouttext

About_Window::About_Window()
    : platform::Window(Frame::Sheet) {
}

About_Window& About_Window::Instance() {
    return platform::Instance<About_Window>();
}

About_Window& About_Window::ShowAbout(platform::Window* parent) {
    About_Window& window = Instance();
    if (parent)
        window.ShowWithin(*parent);
    else
        window.Show();
    return window;
}

platform::Label& About_Window::AddLabel(const char* name, layout::Bounds bounds,
                                        const std::string& text, bool link) {
    return AddControl<platform::Label>(
        this,
        [&](platform::Label& l) {
            layout::Place(l, name, bounds, 0);
            l.SetText(text);
            l.SetTextColor({0xFF, 0xFF, 0xFF});
            l.SetTextFont("System");
            l.SetTransparent(true);
            l.SetSelectable(false);
            l.SetUnderline(link);
        },
        [link](platform::Label& l) {
            if (link) {
                // The pointing hand is the label's own shape, shown while over it.
                l.MouseEnter = [&l] { l.SetMouseCursor(platform::SystemCursor::FingerPointer); };
            }
        });
}

void About_Window::Layout() {
    setObjectName("About_Window");
    SetBackdrop(resources::UIKitBackground());
    SetTitle("About Malvoren Tool");
    SetHasBackColor(false);
    SetWidth(316);
    SetHeight(307);
    SetResizeable(false);

    m_aboutText = &AddLabel("About_Text", {20, 84, 229, 109}, abouttext::kCredits, false);
    m_aboutText->SetMultiline(true);
    m_staticText1 = &AddLabel("StaticText1", {20, 230, 177, 20}, abouttext::SiteText(""), true);
    m_staticText2 = &AddLabel("StaticText2", {20, 192, 63, 20}, "Send PM", true);
    m_staticText2->SetHelpTag(
        "You will need to be loggued into VDJ's forum and be a Professional Edition User.");
    m_versionText = &AddLabel("Version_Text", {20, 8, 229, 64}, "Version", false);
    m_versionText->SetMultiline(true);
    m_staticText3 = &AddLabel("StaticText3", {107, 192, 142, 20}, "Write on forum topic", true);
    m_staticText3->SetHelpTag("You will need to be loggued into VDJ's forum.");
    m_applyButton = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            layout::Place(b, "Apply_Button", {118, 262, 80, 29}, 0);
            b.SetCaption("Close");
        },
        [this](UI_Button& b) { b.Action = [this] { Close(); }; });

    // Each press opens the page of the host application set at that moment.
    const auto opens = [](abouttext::Link link) {
        return [link](int, int) {
            platform::ShowURL(abouttext::Page(link, INI_Read_Write::Software_Version));
            return false;
        };
    };
    m_staticText1->MouseDown = opens(abouttext::Link::Site);
    m_staticText2->MouseDown = opens(abouttext::Link::PrivateMessage);
    m_staticText3->MouseDown = opens(abouttext::Link::ForumTopic);
    m_staticText1->Open = [this] {
        if (abouttext::IsPcdj(INI_Read_Write::Software_Version))
            m_staticText1->SetText(abouttext::SiteText(INI_Read_Write::Software_Version));
    };
    m_versionText->Open = [this] {
        m_versionText->SetText(
            abouttext::VersionText(platform::MajorVersion(), platform::MinorVersion(),
                                   platform::BugVersion(), platform::BuildDate(), Variables::RC));
    };
}

void About_Window::Event_Open() {
    platform::Beep();
    platform::Window::Event_Open();
}
