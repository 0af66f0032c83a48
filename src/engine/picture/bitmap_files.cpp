#include "engine/picture/bitmap_files.h"

#include "engine/picture/pictures.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picturefile.h"
#include "platform/text.h"

#include <QImage>

#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

namespace Variables {

namespace {

constexpr const char* kCandidateTypes[] = {"bmp", "png", "jpg"};

/// A path the tool can resolve to a file: an absolute one. Throws NilObjectException.
platform::FolderItem Resolve(const std::string& path) {
    if (!platform::IsAbsolutePath(path))
        throw platform::NilObjectException("no file for \"" + path + "\"");
    return platform::FolderItem(path);
}

std::string LastThree(const std::string& name) {
    return name.size() <= 3 ? name : name.substr(name.size() - 3);
}

/// Reports a failure of a bitmap step the way the job's steps do.
void ReportStepFailure(const std::string& step, const std::string& detail = {}) {
    LogException({step, "--"});
    std::string text = "An error occured when " + step + ", please retry the process." + RC;
    if (!detail.empty())
        text += detail;
    platform::MsgBox(text);
    Job_Ok = false;
}

/// True when this job's XML writer has set `FileName`. Without it the name is empty or an
/// earlier job's, and writing there would overwrite that job's output: the step then writes
/// nothing, logs why and fails the job (the XML step has already shown its message).
bool OutputNamedThisJob(const std::string& step) {
    if (XMLSavedThisJob)
        return true;
    LogException({step, "No XML was written in this job, so no bitmap is written.", "--"});
    Job_Ok = false;
    return false;
}

/// True when `target` is a file of the input skin or the bitmap this job opened.
bool IsAnInputFile(const std::string& target) {
    return IsInputSkinFile(target, InputXMLPath) || SameSkinFile(target, OpenedPictureFile);
}

std::string InputFileDetail(const std::string& target) {
    return "The output bitmap \"" + target +
           "\" is a file of the input skin; it is not written over.";
}

/// The top-left width × height of an opaque picture that holds them: what drawing it onto a
/// new picture of that size leaves there, without the copy. The view shares the picture's
/// pixels and keeps them alive; the written bitmap is let go right after, so nothing else
/// writes to them.
platform::PicturePtr TopLeftView(const platform::Picture& picture, int width, int height) {
    auto* keeper = new QImage(picture.Image());
    // Read through constBits: the shared pixels are not copied for the keeper.
    QImage view(
        const_cast<uchar*>(keeper->constBits()), width, height, keeper->bytesPerLine(),
        keeper->format(), [](void* info) { delete static_cast<QImage*>(info); }, keeper);
    return std::make_shared<platform::Picture>(view);
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

/// The bitmap `bitmap` is in place: the output skin held beside its target follows it. When the
/// skin cannot be put in place, that is the job's failure; a bitmap that had no earlier file of
/// its name then goes again, so that no bitmap is left without its skin, while one that
/// replaced an earlier file stays, whole and new.
bool PlaceSkinBeside(const std::string& bitmap, bool bitmapExisted) {
    try {
        PlaceOutputXML();
        return true;
    } catch (const platform::FileWriteException& e) {
        if (!bitmapExisted) {
            std::error_code ec;
            std::filesystem::remove(bitmap, ec);
        }
        ReportWriteFailure(e);
        return false;
    }
}

std::optional<platform::PictureFormat> FormatOfType(const std::string& type) {
    if (platform::Lowercase(type) == "peg")
        return platform::PictureFormat::JPEG;
    return platform::PictureFormatFromName("." + type);
}

}  // namespace

bool IsInputSkinFile(const std::string& path, const std::string& inputXml) {
    if (inputXml.empty())
        return false;
    if (SameSkinFile(path, inputXml))
        return true;
    for (const char* type : kCandidateTypes) {
        if (SameSkinFile(path, ReplaceExtension(inputXml, type)))
            return true;
    }
    return false;
}

bool OutputBitmapWouldBeAnInput(const std::string& outputXml, const std::string& inputXml) {
    for (const char* type : {"bmp", "png", "jpg", "jpeg"}) {
        if (IsInputSkinFile(ReplaceExtension(outputXml, type), inputXml))
            return true;
    }
    return false;
}

std::optional<std::string> BitmapBesideInput() {
    for (const char* type : kCandidateTypes) {
        const std::string candidate = ReplaceExtension(InputXMLPath, type);
        if (Resolve(candidate).Exists())
            return candidate;
    }
    return std::nullopt;
}

bool Open_Picture(const std::string& path) {
    ComposeFailed = false;
    std::string step = "Getting Skin Graphics File";
    try {
        std::string current;
        for (const char* type : kCandidateTypes) {
            current = ReplaceExtension(InputXMLPath, type);
            if (Resolve(current).Exists()) {
                PictureType = type;
                break;
            }
        }
        if (!path.empty())
            current = path;
        if (!Resolve(current).Exists()) {
            platform::FileDialogSpec spec;
            spec.filter = "bmp;jpg;png";
            const std::optional<std::string> chosen = platform::CurrentDialogs().GetOpenFile(spec);
            if (!chosen)
                throw platform::NilObjectException("no bitmap chosen");
            current = *chosen;
        }
        const std::string name = Resolve(current).Name();
        Log_Out("Picture file is " + name, true);
        PictureType = LastThree(name);

        step = "Opening Skin Picture File";
        platform::PictureRead read = platform::ReadPictureFile(current);
        // A picture above the caps is refused with its reason; any other unreadable file
        // leaves no picture, and the step that draws it reports.
        if (read.problem == platform::PictureReadProblem::TooLarge) {
            ReportStepFailure(step, read.refusal);
            return false;
        }
        BMP_picture = std::move(read.picture);
        OpenedPictureFile = current;
        Log_Out("Picture opened succesfully", true);
        return true;
    } catch (const platform::RuntimeException&) {
        ReportStepFailure(step);
        return false;
    } catch (const std::bad_alloc&) {
        ReportStepFailure(step);
        return false;
    }
}

std::string OutputPicturePath(const std::string& type) {
    const std::string lower = platform::Lowercase(type);
    if (lower == "peg")
        return FileName + (type == lower ? "jpeg" : "JPEG");
    return FileName + type;
}

bool Save_Picture() {
    const std::string step = "Saving Skin Picture File";
    if (!OutputNamedThisJob(step))
        return false;
    // The builder has reported its failure; half a bitmap is never written.
    if (ComposeFailed) {
        Job_Ok = false;
        return false;
    }
    if (!BMP_picture) {
        ReportStepFailure(step, "There is no picture to write.");
        return false;
    }
    const std::optional<platform::PictureFormat> format = FormatOfType(PictureType);
    if (!format) {
        ReportStepFailure(step, "A picture of type \"" + PictureType + "\" cannot be written.");
        return false;
    }
    const std::string target = OutputPicturePath(PictureType);
    if (IsAnInputFile(target)) {
        ReportStepFailure(step, InputFileDetail(target));
        return false;
    }
    const bool existed = Exists(target);
    try {
        platform::SavePicture(*BMP_picture, target, *format);
    } catch (const platform::FileWriteException& e) {
        ReportStepFailure(step, e.what());
        return false;
    }
    if (!PlaceSkinBeside(target, existed))
        return false;

    // The preview is the output size, which can be larger than the bitmap itself ("Browser"
    // keeps the input's width). The bitmap is written by now: a preview that cannot be had
    // is left out rather than failing a finished job.
    New_picture.reset();
    try {
        const platform::Picture& written = *BMP_picture;
        if (!written.HasMask() && !written.HasAlpha() && outWidth > 0 && outHeight > 0 &&
            outWidth <= written.Width() && outHeight <= written.Height()) {
            New_picture = TopLeftView(written, outWidth, outHeight);
        } else {
            auto preview = platform::Picture::New(outWidth, outHeight);
            preview->Graphics().DrawPicture(*BMP_picture, 0, 0);
            New_picture = preview;
        }
    } catch (const platform::RuntimeException&) {
    }
    BMP_picture.reset();
    return true;
}

void CopyPicture() {
    const std::string step = "Copying Skin Picture File";
    if (!OutputNamedThisJob(step))
        return;
    std::string source;
    std::error_code ec;
    if (!OpenedPictureFile.empty() && std::filesystem::is_regular_file(OpenedPictureFile, ec))
        source = OpenedPictureFile;
    else if (const auto beside = BitmapBesideInput())
        source = *beside;
    if (source.empty()) {
        ReportStepFailure(step, "There is no bitmap to copy.");
        return;
    }
    const std::string name = platform::FolderItem(source).Name();
    PictureType = LastThree(name);
    const std::string target = OutputPicturePath(PictureType);
    if (!platform::IsAbsolutePath(target)) {
        platform::MsgBox("Problem opening picture file");
        return;
    }
    // The chosen bitmap may already be the target; copying a file onto itself would empty it.
    if (std::filesystem::equivalent(source, target, ec)) {
        PlaceSkinBeside(target, true);
        return;
    }
    if (IsAnInputFile(target)) {
        ReportStepFailure(step, InputFileDetail(target));
        return;
    }
    const bool existed = Exists(target);
    try {
        platform::FolderItem(source).CopyFileTo(platform::FolderItem(target));
    } catch (const platform::IOException& e) {
        // The target cannot be written, or the bitmap read a moment ago cannot be read now.
        ReportStepFailure(step, e.what());
        return;
    }
    PlaceSkinBeside(target, existed);
}

}  // namespace Variables
