#include "app/batch.h"

#include "app/command_line.h"
#include "app/ini_read_write.h"
#include "app/job_run.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/application.h"
#include "platform/dialogs.h"

#include <cmath>
#include <optional>
#include <string>

namespace App {
namespace {

MessageWindowPresenter& Presenter() {
    static MessageWindowPresenter presenter;
    return presenter;
}

CommandSettings SettingsFromJobState() {
    CommandSettings s;
    s.outWidth = Variables::outWidth;
    s.outHeight = Variables::outHeight;
    s.outWidthTyped = Variables::outWidth;
    s.outHeightTyped = Variables::outHeight;
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
    double heightTyped = settings.outHeightTyped;
    if (analysed) {
        // A height given as 0 (or not given) keeps the input's proportions.
        if (Variables::outHeight == 0 && std::trunc(heightTyped) == 0) {
            Variables::outHeight =
                DerivedHeight(Variables::outWidth, Variables::inWidth, Variables::inHeight);
            heightTyped = Variables::inWidth == 0
                              ? 0
                              : std::trunc(std::trunc(settings.outWidthTyped) *
                                           Variables::inHeight / Variables::inWidth);
        }
        // After the analysis, which has read the text size from the skin.
        if (Browser::Browser_XML_Change)
            Browser::B_Text_Size = settings.fontSize;
    }
    // No job, and no message but for the refusals that have their own text.
    const std::optional<jobrun::Refusal> refusal =
        analysed && !Variables::ResizeMethod.empty()
            ? jobrun::CheckPathsAndSizes(Variables::InputXMLPath, Variables::OutputXMLPath,
                                         settings.outWidthTyped, heightTyped)
            : std::optional<jobrun::Refusal>(jobrun::Refusal{});
    if (refusal) {
        if (!refusal->text.empty()) {
            platform::MsgBox(refusal->text);
            return false;
        }
        return stopMode ? false : Variables::Job_Ok;
    }

    jobrun::Mode batch;
    batch.kind = jobrun::Mode::Kind::Batch;
    if (!jobrun::RunJob(batch).ok) {
        platform::MsgBox("Failed resizing " + Variables::InputXMLPath + Variables::RC +
                         "You should try with the GUI.");
        return false;
    }
    return true;
}

}  // namespace App
