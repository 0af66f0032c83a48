#include "engine/xml/browser.h"
#include "engine/xml/browser_text.h"
#include "engine/xml/geometry_lists.h"
#include "engine/xml/options.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/tweaks.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <optional>

namespace Variables {

namespace {

const std::string& Message(long long index) {
    return platform::At(Language::Messages, index);
}

/// The steps that rewrite values; left out when the skin keeps its size and is older than
/// version 7.
void RewritingSteps(rescale::JobRun& run) {
    std::vector<std::string>& lines = Str_Line;
    rescale::XPass(lines, run);
    rescale::YPass(lines, run);
    rescale::SizePass(lines, run);
    rescale::FontPass(lines, run, No_FontChange);
    rescale::IconPass(lines, run, true);
    rescale::IconPass(lines, run, false);
    if (MacEnhance)
        rescale::MacFontPass(lines, run);
    rescale::LogoPass(lines, run, P_No_LogoChange, P_Logo);
    rescale::CollectCustomVisuals(lines, run);
}

void Fail(std::optional<JobLog>& log, std::initializer_list<std::string_view> records,
          const std::string& message) {
    LogException(*log, records);
    log.reset();
    Job_Ok = false;
    Rescale_Ok = false;
    platform::MsgBox(message);
}

}  // namespace

void XML_Job() {
    std::optional<JobLog> log(std::in_place);
    log->Write("XML Job");
    rescale::JobRun run;
    Rescale_Ok = true;
    try {
        run.smart = platform::TextEquals(ResizeMethod, "Smart");
        for (long long k = 0; k <= 1; ++k) {
            platform::At(customicons, k) = 0;
            platform::At(custombuttons, k) = 0;
            platform::Yield();
        }
        if (inWidth <= 0 || inHeight <= 0) {
            const std::string size = std::to_string(inWidth) + " x " + std::to_string(inHeight);
            Fail(log, {"Input skin size is " + size, "--"},
                 "The input skin's size is " + size +
                     ": a skin needs a width and a height above 0 to be resized.");
            return;
        }
        X_prop = static_cast<float>(static_cast<double>(outWidth) / static_cast<double>(inWidth));
        Y_prop = static_cast<float>(static_cast<double>(outHeight) / static_cast<double>(inHeight));
        run.xProp = X_prop;
        run.yProp = Y_prop;
        run.widthDiff = platform::CheckedInt32(static_cast<long long>(outWidth) - inWidth);
        log->Write("Total lines = " + std::to_string(Str_Line.size()));
        Special_Tweaks("XML");
        rescale::CollectGridOrigins(Str_Line, run);
        rescale::CollectMasks(Str_Line, run);
        rescale::CollectFaders(Str_Line, run);
        if (!(X_prop == 1.0F && Y_prop == 1.0F && SkinVersion < 7.0F))
            RewritingSteps(run);
        if (Browser::Browser_XML_Change)
            Browser::Change_Browser_XML();
        if (MoreOptions)
            More_Options();
        if (OutdoorPicture)
            Outdoor("XML");
        if (platform::TextEquals(ResizeMethod, "Simple")) {
            log->Write("Writing XML in new file");
            SaveXML();
        }
        log->Write("Finished with XML");
        log->Write("--");
    } catch (const platform::FileWriteException& e) {
        // A full disk or a read-only folder is no fault of the line being rewritten.
        Fail(log, {"Unable to open or save the file", e.what(), "--"}, e.what());
    } catch (const platform::NilObjectException&) {
        Fail(log, {"Unable to open or save the file", "--"}, Message(3) + Message(6));
    } catch (const platform::ThreadEndException&) {
        throw;
    } catch (const std::exception&) {
        const std::string number = std::to_string(static_cast<long long>(run.lineIndex) + 1);
        Fail(log, {"Line " + number, run.lineText, "--"}, Message(3) + Message(7) + number + ".");
    }
}

void XML_Job2(std::int32_t height) {
    // The lines of a failed rescaling are half rewritten: they must not replace the output.
    if (!Rescale_Ok) {
        Job_Ok = false;
        return;
    }
    const std::string iconY = std::to_string(platform::CheckedInt32(height - 297LL));
    const std::string buttonY = std::to_string(platform::CheckedInt32(height - 168LL));
    const auto setValue = [](std::string& text, std::string_view key, const std::string& value) {
        const std::size_t p = platform::InStr(text, key);
        if (p == 0)
            return;
        const std::size_t start = std::min(p + 3, text.size());  // right after the opening quote
        const std::size_t close = text.find('"', start);
        text = text.substr(0, start) + value +
               (close == std::string::npos ? std::string() : text.substr(close));
    };
    for (long long i = 0; i <= platform::LastIndex(Str_Line); ++i) {
        std::string text = platform::At(Str_Line, i);
        for (const auto& [marker, y] :
             {std::pair<std::string_view, const std::string&>{"<customicons", iconY},
              {"<custombuttons", buttonY},
              {"<icons ", iconY}}) {
            if (platform::InStr(text, marker) != 0) {
                setValue(text, " x=", "0");
                setValue(text, " y=", y);
                platform::At(Str_Line, i) = text;
            }
        }
        platform::Yield();
    }
    SaveXML();
}

void ResetRescaleState() {
    Rescale_Ok = true;
}

}  // namespace Variables
