#pragma once

#include "platform/clock.h"
#include "platform/widgets/window.h"

#include <cstdint>
#include <string>
#include <string_view>

class UI_Button;
namespace layout {
struct Bounds;
}
namespace platform {
class Label;
}

/// The About window's texts and links, kept apart from the window.
namespace abouttext {

/// "Malvoren Tool", "Version: " and the three numbers joined by ".", "Build Date: " and the
/// build date, as three lines joined by `lineEnd`.
std::string VersionText(std::int32_t major, std::int32_t minor, std::int32_t bug,
                        const platform::DateTime& buildDate, std::string_view lineEnd);

/// True when the host application named in the settings is "PCDJ VJ", case ignored.
bool IsPcdj(std::string_view softwareVersion);

enum class Link { Site, PrivateMessage, ForumTopic };
/// The page a link label opens: the VirtualDJ site's pages, or PCDJ's for "PCDJ VJ".
std::string Page(Link link, std::string_view softwareVersion);
/// The text of the site link: the VirtualDJ address, or the PCDJ host name alone.
std::string SiteText(std::string_view softwareVersion);

}  // namespace abouttext

/// The About window: version and build date, credits, and three links that open the host
/// application's web pages in the browser. It beeps when it opens and changes nothing.
class About_Window : public platform::Window {
public:
    /// Use Open or the accessor: the window exists once.
    About_Window();

    /// The open About window, or a new one (built, so it has beeped).
    static About_Window& Instance();
    /// The main window's "About" command: the accessor's window, shown within `parent`
    /// (plainly when there is none).
    static About_Window& ShowAbout(platform::Window* parent);

    platform::Label& About_Text() const { return *m_aboutText; }
    platform::Label& StaticText1() const { return *m_staticText1; }
    platform::Label& StaticText2() const { return *m_staticText2; }
    platform::Label& Version_Text() const { return *m_versionText; }
    platform::Label& StaticText3() const { return *m_staticText3; }
    UI_Button& Apply_Button() const { return *m_applyButton; }

protected:
    void Layout() override;
    void Event_Open() override;

private:
    platform::Label& AddLabel(const char* name, layout::Bounds bounds, const std::string& text,
                              bool link);

    platform::Label* m_aboutText = nullptr;
    platform::Label* m_staticText1 = nullptr;
    platform::Label* m_staticText2 = nullptr;
    platform::Label* m_versionText = nullptr;
    platform::Label* m_staticText3 = nullptr;
    UI_Button* m_applyButton = nullptr;
};
