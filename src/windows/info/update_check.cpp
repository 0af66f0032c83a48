#include "windows/info/update_check.h"

#include "app/ini_read_write.h"
#include "messages/line_terminator.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/network/http_socket.h"
#include "platform/version.h"

#include <exception>

namespace updatecheck {

LocalVersion CurrentVersion() {
    return {platform::MajorVersion(), platform::MinorVersion(), platform::BugVersion()};
}

std::string FetchDescription() {
    platform::HTTPSocket socket;
    return socket.Get(platform::UpdateAddress(std::string(kDescriptionPath)), kTimeoutSeconds);
}

Settings CurrentSettings() {
    return {INI_Read_Write::Latest_Version, INI_Read_Write::UpdateLater, INI_Read_Write::LastCheck};
}

void StoreSettings(const Settings& settings) {
    INI_Read_Write::Latest_Version = settings.latestVersion;
    INI_Read_Write::UpdateLater = settings.updateLater;
    INI_Read_Write::LastCheck = settings.lastCheck;
}

void Check(platform::Window* parent, const LocalVersion& local) {
    (void)parent;  // the dialog provider places its dialogs over the active window
    try {
        if (!platform::IsConnected())
            return;
        const Description description =
            ReadDescription(FetchDescription(), INI_Read_Write::Lang, Variables::RC);
        const Verdict verdict = Judge(description, local);
        const Settings before = CurrentSettings();
        Answer answer = Answer::None;
        if (verdict == Verdict::Offered) {
            // Recorded before the dialog, so that a failure in it leaves the offer known.
            INI_Read_Write::Latest_Version = false;
            const platform::DialogButton pressed = platform::CurrentDialogs().ShowMessageDialog(
                UpdateDialog(description, "New Version"));
            if (pressed == platform::DialogButton::Action) {
                answer = Answer::Download;
                platform::ShowURL(description.address);
            } else if (pressed == platform::DialogButton::Alternate) {
                answer = Answer::Later;
            }
        }
        StoreSettings(AfterStartupCheck(before, verdict, answer, platform::Now()));
    } catch (const std::exception&) {
        // The start-up check never troubles the user: a failure ends it where it happens.
    }
}

}  // namespace updatecheck
