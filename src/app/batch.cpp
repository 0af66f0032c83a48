#include "app/batch.h"

#include "app/command_line.h"
#include "app/ini_read_write.h"
#include "app/messages/line_terminator.h"
#include "app/messages/messages.h"
#include "app/messages/run_once.h"
#include "engine/picture/bitmap_files.h"
#include "engine/picture/border.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/output_caps.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/text.h"

namespace App {
namespace {

constexpr std::int32_t kAspectNoticeId = 5;

MessageWindowPresenter& Presenter() {
    static MessageWindowPresenter presenter;
    return presenter;
}

// The minimum output size of a job (no message names a failure of this test).
constexpr std::int32_t kMinOutWidth = 640;
constexpr std::int32_t kMinOutHeight = 480;

CommandSettings SettingsFromJobState() {
    CommandSettings s;
    s.outWidth = Variables::outWidth;
    s.outHeight = Variables::outHeight;
    s.resizeMethod = Variables::ResizeMethod;
    s.inputXMLPath = Variables::InputXMLPath;
    s.outputXMLPath = Variables::OutputXMLPath;
    s.browserXMLChange = Browser::Browser_XML_Change;
    return s;
}

void StoreInJobState(const CommandSettings& s) {
    Variables::outWidth = s.outWidth;
    Variables::outHeight = s.outHeight;
    Variables::ResizeMethod = s.resizeMethod;
    Variables::InputXMLPath = s.inputXMLPath;
    Variables::OutputXMLPath = s.outputXMLPath;
    Browser::Browser_XML_Change = s.browserXMLChange;
}

bool JobIsComplete(bool analysed) {
    return analysed && !Variables::InputXMLPath.empty() && !Variables::OutputXMLPath.empty() &&
           !SamePath(Variables::InputXMLPath, Variables::OutputXMLPath) &&
           Variables::outWidth >= kMinOutWidth && Variables::outHeight >= kMinOutHeight &&
           !Variables::ResizeMethod.empty();
}

bool AspectsDiffer() {
    const double in = platform::Round(static_cast<double>(Variables::inWidth) /
                                      static_cast<double>(Variables::inHeight) * 100.0);
    const double out = platform::Round(static_cast<double>(Variables::outWidth) /
                                       static_cast<double>(Variables::outHeight) * 100.0);
    return in != out;
}

void RunMethod() {
    const std::string& method = Variables::ResizeMethod;
    // A job whose bitmap would be refused as too large writes no skin either.
    if (!Variables::OutputPicturesFit(method))
        return;
    if (platform::TextEquals(method, "Simple")) {
        if (AspectsDiffer() &&
            !INI_Read_Write::IsSuppressed(INI_Read_Write::RunOnce, kAspectNoticeId))
            ShowMessageWindow(Language::Messages[13], kAspectNoticeId);
        // Batch mode always scales the bitmap, even when nothing in it would change.
        Variables::XML_Job();
        if (Variables::Open_Picture("")) {
            Variables::Scale_Picture();
            Variables::Save_Picture();
        } else {
            platform::MsgBox("Unable to open the graphics file." + Variables::RC +
                             "The graphics won't be resized.");
        }
    } else if (platform::TextEquals(method, "Browser")) {
        // The opener reports its own failure; the method and the writer report theirs.
        Variables::Open_Picture("");
        Browser::Browser_Resize();
        Variables::Save_Picture();
    } else if (platform::TextEquals(method, "Border")) {
        Variables::Open_Picture("");
        Variables::XML_Depl();
        Variables::Save_Picture();
    } else if (platform::TextEquals(method, "Smart")) {
        Variables::Smart_Resize();
    }
}

}  // namespace

void ShowMessageWindow(const std::string& text, std::int32_t id) {
    if (INI_Read_Write::IsSuppressed(INI_Read_Write::RunOnce, id))
        return;
    if (Presenter())
        Presenter()(text, id);
    else
        platform::MsgBox(text);
}

void SetMessageWindowPresenter(MessageWindowPresenter presenter) {
    Presenter() = std::move(presenter);
}

bool ParseCommand(const std::string& commandLine) {
    Language::SetMessages();
    const bool stopMode = StopMode(commandLine);

    CommandSettings settings = SettingsFromJobState();
    const ParseResult parsed =
        ParseTokens(Tokenise(commandLine), stopMode, platform::AppFolder(), settings);
    StoreInJobState(settings);
    if (!parsed.goOn) {
        platform::MsgBox(parsed.message);
        return false;
    }

    const bool analysed = Variables::Lecture(Variables::InputXMLPath);
    if (analysed) {
        if (Variables::outHeight == 0)
            Variables::outHeight =
                DerivedHeight(Variables::outWidth, Variables::inWidth, Variables::inHeight);
        // After the analysis, which has read the text size from the skin.
        if (Browser::Browser_XML_Change)
            Browser::B_Text_Size = settings.fontSize;
    }
    if (!JobIsComplete(analysed))
        return stopMode ? false : Variables::Job_Ok;

    const std::string& rc = Variables::RC;
    Variables::XMLSavedThisJob = false;
    if (Variables::Open_XML()) {
        RunMethod();
    } else {
        platform::MsgBox("Unable to open the XML file." + rc + "The XML won't be resized.");
        // A job that cannot read its skin again has resized nothing.
        Variables::Job_Ok = false;
    }
    if (!Variables::Job_Ok)
        platform::MsgBox("Failed resizing " + Variables::InputXMLPath + rc +
                         "You should try with the GUI.");
    return Variables::Job_Ok;
}

}  // namespace App
