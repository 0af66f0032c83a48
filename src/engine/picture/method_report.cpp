#include "engine/picture/method_report.h"

#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/browser_text.h"
#include "engine/xml/options.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/picture.h"

namespace methodreport {

std::string Message(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Language::Messages.size())
        return {};
    return Language::Messages[static_cast<std::size_t>(index)];
}

void ReportMissingObject(Variables::JobLog& log, int firstMessage) {
    Variables::LogException(log, {"Unable to open or save the file", "--"});
    platform::MsgBox(Message(firstMessage) + Message(14));
    Variables::Job_Ok = false;
}

void ReportLineFailure(Variables::JobLog& log, const methodlines::RunningLine& cursor) {
    const std::string number = methodlines::Dec(cursor.index + 1);
    Variables::LogException(log, {"Line " + number, cursor.text, "--"});
    platform::MsgBox(Message(3) + Message(7) + number + ".");
    Variables::Job_Ok = false;
}

void MarkComposeFailed(bool composing) {
    if (composing)
        Variables::ComposeFailed = true;
}

void RunLinesThenBitmap(const std::string& name, int missingObjectMessage,
                        const std::function<void(methodlines::RunningLine&)>& rewriteLines,
                        const std::function<void(methodlines::RunningLine&)>& compose) {
    Variables::JobLog log;
    log.Write(name);
    log.Write("Total lines = " +
              methodlines::Dec(static_cast<long long>(Variables::Str_Line.size())));

    methodlines::RunningLine cursor;
    bool composing = false;
    try {
        rewriteLines(cursor);
        if (Browser::Browser_XML_Change)
            Browser::Change_Browser_XML();
        if (Variables::MoreOptions)
            Variables::More_Options();
        Variables::SaveXML();
        log.Write("Finished with XML");
        log.Write("--");
        composing = true;
        compose(cursor);
    } catch (const platform::PictureTooLargeException& e) {
        ReportPictureTooLarge(log, e);
    } catch (const platform::FileWriteException& e) {
        // The output could not be written: no line of the skin is at fault.
        Variables::ReportWriteFailure(log, e);
        MarkComposeFailed(composing);
    } catch (const platform::NilObjectException&) {
        ReportMissingObject(log, missingObjectMessage);
        MarkComposeFailed(composing);
    } catch (const platform::ThreadEndException&) {
        throw;
    } catch (const std::exception&) {
        // Every other failure, memory running out included, is reported with the line.
        ReportLineFailure(log, cursor);
        MarkComposeFailed(composing);
    }
}

bool SizesUsable() {
    using namespace Variables;
    if (inWidth > 0 && inHeight > 0 && outWidth > 0 && outHeight > 0)
        return true;
    const auto size = [](std::int32_t w, std::int32_t h) {
        return std::to_string(w) + " x " + std::to_string(h);
    };
    platform::MsgBox("The input skin's size is " + size(inWidth, inHeight) +
                     " and the output size " + size(outWidth, outHeight) +
                     ": both need a width and a height above 0 to be resized.");
    Job_Ok = false;
    return false;
}

void ReportPictureTooLarge(Variables::JobLog& log, const platform::PictureTooLargeException& e) {
    Variables::LogException(log, {"Picture too large", e.what(), "--"});
    const std::string& rc = Variables::RC;
    platform::MsgBox("The resized graphics would be too large, so they are not made." + rc +
                     e.what() + rc + "Choose a smaller output size.");
    Variables::Job_Ok = false;
    MarkComposeFailed(true);
}

void ReportStepFailure(Variables::JobLog& log, const std::string& step) {
    Variables::LogException(log, {step, "--"});
    platform::MsgBox("An error occured when " + step + ", please retry the process." +
                     Variables::RC);
    Variables::Job_Ok = false;
    MarkComposeFailed(true);
}

void ReportNoCanvas() {
    platform::MsgBox(kNotEnoughMemory);
    Variables::Job_Ok = false;
    MarkComposeFailed(true);
}

platform::PicturePtr NewCanvas(long long width, long long height) {
    try {
        return platform::Picture::New(platform::CheckedInt32(width),
                                      platform::CheckedInt32(height));
    } catch (const platform::PictureTooLargeException&) {
        throw;  // refused before it was allocated; the method reports it as such
    } catch (const platform::RuntimeException&) {
        ReportNoCanvas();
        return nullptr;
    }
}

platform::PicturePtr NewCanvas(Variables::JobLog& log, long long width, long long height) {
    try {
        return NewCanvas(width, height);
    } catch (const platform::PictureTooLargeException& e) {
        ReportPictureTooLarge(log, e);
        return nullptr;
    }
}

}  // namespace methodreport
