#include "app/job_run.h"

#include "app/batch.h"
#include "engine/picture/bitmap_files.h"
#include "engine/picture/border.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/output_caps.h"
#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/browser.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/checked.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <system_error>

namespace jobrun {
namespace {

constexpr std::int32_t kAspectNoticeId = 5;

std::string Message(std::size_t n) {
    return n < Language::Messages.size() ? Language::Messages[n] : std::string();
}

// A size is a 32-bit number: one beyond it is refused as it stands, never wrapped or read as 0.
bool FitsSize(double size) {
    return platform::TryTruncInt32(size).has_value();
}

void Status(const Mode& mode, const std::string& text) {
    if (mode.status)
        mode.status(text);
}

bool IsWindow(const Mode& mode) {
    return mode.kind == Mode::Kind::Window;
}

void RunMethod(const Mode& mode) {
    using namespace Variables;
    const std::string& method = ResizeMethod;
    // A job whose bitmap would be refused as too large writes no skin either.
    if (!OutputPicturesFit(method))
        return;
    if (platform::TextEquals(method, "Simple")) {
        if (smartrules::AspectsDiffer(inWidth, inHeight, outWidth, outHeight))
            App::ShowMessageWindow(Message(13), kAspectNoticeId);
        Status(mode, "XML Processing");
        XML_Job();
        // The window copies a bitmap that nothing would change; batch mode always scales it.
        if (IsWindow(mode) && X_prop == 1.0f && Y_prop == 1.0f && !UseExternPicture &&
            !Browser::Browser_Change && !OutdoorPicture) {
            CopyPicture();
        } else if (Open_Picture("")) {
            Status(mode, "Picture Processing");
            Scale_Picture();
            Save_Picture();
        } else {
            platform::MsgBox("Unable to open the graphics file." + RC +
                             "The graphics won't be resized.");
        }
    } else if (platform::TextEquals(method, "Browser")) {
        if (const std::optional<std::string> refusal = BrowserGuard()) {
            platform::MsgBox(*refusal);
            Job_Ok = false;
            return;
        }
        // The opener reports its own failure; the method and the writer report theirs.
        Open_Picture("");
        Status(mode, "Browser Processing");
        Browser::Browser_Resize();
        Save_Picture();
    } else if (platform::TextEquals(method, "Border")) {
        Open_Picture("");
        Status(mode, "Borders Processing");
        XML_Depl();
        Save_Picture();
    } else if (platform::TextEquals(method, "Smart")) {
        Status(mode, "Smart Resize Process");
        Smart_Resize();
    }
}

// What a job leaves: an output skin still held beside its target (its bitmap never came) is
// put in place after a job that succeeded, and after a failed window job only where it
// replaces no earlier file, so that an earlier skin of the name keeps its bitmap. Otherwise it
// goes, and the earlier file, if any, stays whole.
void LeaveOutputs(const Mode& mode) {
    if (!Variables::HoldsOutputXML())
        return;
    std::error_code ec;
    const bool earlier = std::filesystem::exists(Variables::OutputXMLPath, ec) || ec;
    if (Variables::Job_Ok || (IsWindow(mode) && !earlier)) {
        try {
            Variables::PlaceOutputXML();
        } catch (const platform::FileWriteException& failure) {
            Variables::ReportWriteFailure(failure);
        } catch (...) {
            Variables::DropOutputXML();
            Variables::Job_Ok = false;
        }
    } else {
        Variables::DropOutputXML();
    }
}

void WriteHeader() {
    const platform::DateTime start = platform::Now();
    Variables::JobLog log;
    const std::vector<std::string> header =
        JobLogHeader(Variables::RC, start.ShortDate(), start.LongTime(), Variables::Input_Filename,
                     Variables::inWidth, Variables::inHeight, Variables::outWidth,
                     Variables::outHeight, Variables::ResizeMethod, Variables::MacEnhance);
    for (const std::string& record : header)
        log.Write(record);
}

}  // namespace

std::optional<Refusal> CheckPathsAndSizes(const std::string& inputXml, const std::string& outputXml,
                                          double width, double height) {
    if (inputXml.empty())
        return Refusal{0, 2, Culprit::InputButton, 3, std::nullopt, {}};
    if (outputXml.empty())
        return Refusal{0, 15, Culprit::OutputButton, 2, std::nullopt, {}};
    if (Variables::SameSkinFile(inputXml, outputXml))
        return Refusal{0, 16, Culprit::OutputField, 2, std::nullopt, {}};
    if (width < kMinJobWidth)
        return Refusal{0, 17, Culprit::WidthField, 0, std::nullopt, {}};
    if (height < kMinJobHeight)
        return Refusal{0, 18, Culprit::HeightField, 0, std::nullopt, {}};
    if (!FitsSize(width))
        return Refusal{0,
                       0,
                       Culprit::WidthField,
                       0,
                       std::nullopt,
                       "The output width is too large: no skin of that size can be made." +
                           Variables::RC + "Choose a smaller output size."};
    if (!FitsSize(height))
        return Refusal{0,
                       0,
                       Culprit::HeightField,
                       0,
                       std::nullopt,
                       "The output height is too large: no skin of that size can be made." +
                           Variables::RC + "Choose a smaller output size."};
    if (Variables::OutputBitmapWouldBeAnInput(outputXml, inputXml))
        return Refusal{0,
                       0,
                       Culprit::OutputField,
                       2,
                       std::nullopt,
                       "The output skin " + outputXml +
                           " would write its bitmap over the input skin's bitmap." + Variables::RC +
                           "Choose an output of another name."};
    return std::nullopt;
}

std::optional<Refusal> CheckPathsAndSizes(const JobFields& f) {
    return CheckPathsAndSizes(f.inputXml, f.outputXml, platform::Val(f.widthOutput),
                              platform::Val(f.heightOutput));
}

std::optional<std::string> BrowserGuard() {
    using namespace Variables;
    if (Browser::Browser_Y.empty() || Browser::Browser_Height.empty())
        return "The skin has no browser element with a position and a height: the \"Browser\" "
               "method has no browser to give the height to.";
    // The whole height difference goes to the first browser: taking more rows than it has
    // would write a skin whose browser has a negative height.
    const std::int64_t first = Browser::Browser_Height[0];
    if (first + outHeight - inHeight >= 0)
        return std::nullopt;
    return "The skin's browser is " + std::to_string(first) +
           " pixels high: the \"Browser\" method cannot make the skin " +
           std::to_string(static_cast<std::int64_t>(inHeight) - outHeight) + " pixels lower." + RC +
           "Choose an output height of at least " +
           std::to_string(static_cast<std::int64_t>(inHeight) - first) + ".";
}

std::vector<std::string> JobLogHeader(std::string_view rc, std::string_view date,
                                      std::string_view time, std::string_view inputName,
                                      std::int32_t inWidth, std::int32_t inHeight,
                                      std::int32_t outWidth, std::int32_t outHeight,
                                      std::string_view method, bool macEnhance) {
    const auto num = [](std::int32_t v) { return std::to_string(v); };
    return {
        std::string(rc) + "----New Job----" + std::string(date) + " " + std::string(time) +
            std::string(rc),
        std::string(inputName),
        "Input Skin is " + num(inWidth) + "x" + num(inHeight),
        "Output Skin is " + num(outWidth) + "x" + num(outHeight),
        "Resize Type = " + std::string(method),
        std::string("Mac enhancement = ") + (macEnhance ? "True" : "False"),
        "--",
    };
}

std::string DurationRecord(std::int64_t ticks) {
    return "Finished in " + platform::Str(static_cast<double>(ticks) / 60.0) + " seconds";
}

Outcome RunJob(const Mode& mode) {
    Variables::InstallOutdoorPictureStage();
    std::int64_t startTicks = 0;
    if (IsWindow(mode)) {
        WriteHeader();
        startTicks = platform::Ticks();
        Variables::Job_Ok = true;
    }
    Variables::XMLSavedThisJob = false;
    Variables::DropOutputXML();
    Variables::HoldOutputXML(true);
    struct Release {
        ~Release() {
            Variables::DropOutputXML();
            Variables::HoldOutputXML(false);
        }
    } release;

    Outcome outcome;
    try {
        if (mode.reanalyse)
            mode.reanalyse();
        if (Variables::Open_XML()) {
            RunMethod(mode);
        } else {
            platform::MsgBox("Unable to open the XML file." + Variables::RC +
                             "The XML won't be resized.");
            // A job that cannot read its skin again has resized nothing.
            Variables::Job_Ok = false;
        }
    } catch (const platform::FileWriteException& failure) {
        // Every step reports an output it cannot write; one that did not still makes a failed
        // job with the file and the reason, never an unhandled one: a full disk is no fault of
        // the tool.
        Variables::ReportWriteFailure(failure);
    } catch (const platform::ThreadEndException&) {
        // The window closes: the job ends here, and leaves what a failed job leaves.
        Variables::Job_Ok = false;
        LeaveOutputs(mode);
        throw;
    } catch (const std::exception& e) {
        Variables::Job_Ok = false;
        if (!IsWindow(mode)) {
            LeaveOutputs(mode);
            throw;
        }
        outcome.unexpected = e.what();
    } catch (...) {
        Variables::Job_Ok = false;
        if (!IsWindow(mode)) {
            LeaveOutputs(mode);
            throw;
        }
        outcome.unexpected = std::string();
    }
    if (outcome.unexpected) {
        Variables::JobLog log;
        Variables::LogException(log, {"In the job method."});
    }
    LeaveOutputs(mode);
    if (IsWindow(mode)) {
        Variables::JobLog log;
        log.Write(DurationRecord(platform::Ticks() - startTicks));
    }
    outcome.ok = Variables::Job_Ok;
    return outcome;
}

}  // namespace jobrun
