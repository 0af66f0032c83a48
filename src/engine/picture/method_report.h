#pragma once

#include "engine/picture/method_lines.h"
#include "platform/picture.h"

#include <functional>
#include <string>

namespace Variables {
class JobLog;
}
namespace platform {
class PictureTooLargeException;
}

/// The failure reports that the "Border" and "Browser" methods share: each method catches
/// what its steps raise, writes the records to its own job log stream, shows one message box
/// and marks the job failed.
namespace methodreport {

/// Runs a method that rewrites the skin lines and then composes the bitmap ("Border",
/// "Browser"), on its own job log stream: the records `name` and "Total lines = ", then
/// `rewriteLines`, the browser text restyle and the font-size and gain options when asked, the
/// XML writer, the records "Finished with XML" and "--", then `compose`. Both steps keep
/// `cursor` on what they work on. A failure ends the run: a missing object is reported with
/// `Language::Messages` entry `missingObjectMessage` (`ReportMissingObject`), a picture above
/// the size caps as such (`ReportPictureTooLarge`), any other with its line
/// (`ReportLineFailure`); a failure while composing also releases the bitmap
/// (`MarkComposeFailed`). Only a killed job's ThreadEndException passes.
void RunLinesThenBitmap(const std::string& name, int missingObjectMessage,
                        const std::function<void(methodlines::RunningLine&)>& rewriteLines,
                        const std::function<void(methodlines::RunningLine&)>& compose);

/// The message box text of canvases that cannot be had.
inline constexpr const char* kNotEnoughMemory =
    "Not enough memory to resize the graphics. Please reboot your computer or close some "
    "programs and retry the process.";

/// True when the input and output sizes are all above 0. Otherwise shows a message box that
/// says so, makes `Variables::Job_Ok` false and gives false: the ratios would not be numbers.
bool SizesUsable();

/// A missing object (no input bitmap, no folder for the output): records "**Exception",
/// "Unable to open or save the file" and "--"; the message box shows `Language::Messages`
/// entry `firstMessage` followed by entry 14; `Variables::Job_Ok` becomes false.
void ReportMissingObject(Variables::JobLog& log, int firstMessage);

/// Any other failure: records "**Exception", "Line " and the cursor's index plus 1, the
/// cursor's text and "--"; the message box shows entries 3 and 7, the number and ".";
/// `Variables::Job_Ok` becomes false.
void ReportLineFailure(Variables::JobLog& log, const methodlines::RunningLine& cursor);

/// A step of a bitmap method failed: records "**Exception", `step` and "--"; the message box
/// says "An error occured when STEP, please retry the process."; `Variables::Job_Ok` becomes
/// false and `MarkComposeFailed` marks the bitmap step failed.
void ReportStepFailure(Variables::JobLog& log, const std::string& step);

/// A canvas that cannot be created: the memory message box, `Variables::Job_Ok` false and
/// `MarkComposeFailed`; no record.
void ReportNoCanvas();

/// The canvas a method composes its bitmap on, `width` x `height` pixels. Null when it cannot
/// be had, a side outside the 32-bit range or memory running out, after `ReportNoCanvas`.
/// Throws PictureTooLargeException, before anything is allocated, when the size lies above the
/// picture size caps: the caller reports it on the job log it holds (`ReportPictureTooLarge`).
platform::PicturePtr NewCanvas(long long width, long long height);

/// The same for a step that holds its job log open: a size above the picture size caps is
/// reported there (`ReportPictureTooLarge`) and gives null as well.
platform::PicturePtr NewCanvas(Variables::JobLog& log, long long width, long long height);

/// A picture the job would compose lies above the picture size caps, so it was refused
/// before it was made: records "**Exception", "Picture too large", the reason and "--"; the
/// message box says that the graphics are not resized, why, and what to do;
/// `Variables::Job_Ok` becomes false and `MarkComposeFailed` marks the bitmap step failed, so
/// that no bitmap is written.
void ReportPictureTooLarge(Variables::JobLog& log, const platform::PictureTooLargeException& e);

/// After a failure while the bitmap was being composed (`composing`), marks the bitmap step
/// failed (`Variables::ComposeFailed`): `BMP_picture` still holds the input bitmap, which the
/// bitmap writer must not write as this job's output.
void MarkComposeFailed(bool composing);

/// `Language::Messages` entry `index`, or "" when the table has no such entry.
std::string Message(int index);

}  // namespace methodreport
