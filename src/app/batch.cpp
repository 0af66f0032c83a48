#include "app/batch.h"

#include "app/command_line.h"
#include "app/ini_read_write.h"
#include "engine/picture/bitmap_files.h"
#include "engine/picture/border.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/output_caps.h"
#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/text.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace App {
namespace {

namespace fs = std::filesystem;

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

// The "Browser" method gives the height difference to the first browser element, by its
// position and height; without them it would fail only after writing the output XML.
bool HasFirstBrowser() {
    return !Browser::Browser_Y.empty() && !Browser::Browser_Height.empty();
}

// The output bitmap takes the output XML's name with the bitmap's type, and the input bitmap
// the input XML's: with the same base name the output would be written over the input bitmap.
bool OutputBitmapWouldReplaceInput() {
    return SamePath(Variables::ReplaceExtension(Variables::InputXMLPath, ""),
                    Variables::ReplaceExtension(Variables::OutputXMLPath, ""));
}

bool IsAnInput(const fs::path& path) {
    std::error_code ec;
    for (const std::string& input : {Variables::InputXMLPath, Variables::OpenedPictureFile}) {
        if (!input.empty() && (SamePath(input, path.string()) || fs::equivalent(input, path, ec)))
            return true;
    }
    return false;
}

// A failed job must leave no half output behind: an output skin whose bitmap is missing goes.
// An earlier file of that name was already replaced when the job wrote it, so nothing more is
// lost. The bitmap is the job's last step and is never written after a failed one, so a failed
// job has written none.
void RemoveOutputOfFailedJob() {
    if (!Variables::XMLSavedThisJob)
        return;
    const fs::path xml(Variables::OutputXMLPath);
    std::error_code ec;
    if (!IsAnInput(xml))
        fs::remove(xml, ec);
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
        if (!HasFirstBrowser()) {
            platform::MsgBox(
                "The skin has no browser element with a position and a height: the \"Browser\" "
                "method has no browser to give the height to.");
            Variables::Job_Ok = false;
            return;
        }
        // The whole height difference goes to the first browser: taking more rows than it
        // has would write a skin whose browser has a negative height.
        const std::int64_t browserRows = static_cast<std::int64_t>(Browser::Browser_Height[0]) +
                                         Variables::outHeight - Variables::inHeight;
        if (browserRows < 0) {
            platform::MsgBox("The skin's browser is " + std::to_string(Browser::Browser_Height[0]) +
                             " pixels high: the \"Browser\" method cannot make the skin " +
                             std::to_string(static_cast<std::int64_t>(Variables::inHeight) -
                                            Variables::outHeight) +
                             " pixels lower." + Variables::RC +
                             "Choose an output height of at least " +
                             std::to_string(static_cast<std::int64_t>(Variables::inHeight) -
                                            Browser::Browser_Height[0]) +
                             ".");
            Variables::Job_Ok = false;
            return;
        }
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
    Variables::InstallOutdoorPictureStage();
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
    if (OutputBitmapWouldReplaceInput()) {
        platform::MsgBox("The output skin " + Variables::OutputXMLPath +
                         " would write its bitmap over the input skin's bitmap." + rc +
                         "Choose an output of another name.");
        return false;
    }
    Variables::XMLSavedThisJob = false;
    try {
        if (Variables::Open_XML()) {
            RunMethod();
        } else {
            platform::MsgBox("Unable to open the XML file." + rc + "The XML won't be resized.");
            // A job that cannot read its skin again has resized nothing.
            Variables::Job_Ok = false;
        }
    } catch (const platform::FileWriteException& failure) {
        // Every step reports an output it cannot write; one that did not still makes a failed
        // job, never an unhandled one: a full disk is no fault of the tool.
        Variables::ReportWriteFailure(failure);
    } catch (...) {
        // A failure that no step handles (the bitmap writer cannot write, "Smart" cannot
        // write its skin) still goes to the report, but leaves no half output behind either.
        RemoveOutputOfFailedJob();
        throw;
    }
    if (!Variables::Job_Ok) {
        RemoveOutputOfFailedJob();
        platform::MsgBox("Failed resizing " + Variables::InputXMLPath + rc +
                         "You should try with the GUI.");
    }
    return Variables::Job_Ok;
}

}  // namespace App
