#include "engine/xml/skin_file.h"

#include "engine/xml/variables.h"
#include "platform/application.h"
#include "platform/atomic_file.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace Variables {
namespace {

constexpr const char* kJobLogName = "Malvoren log.txt";
// The record that opens every failure block of the log.
constexpr const char* kExceptionRecord = "**Exception";

std::FILE* OpenForAppending(const fs::path& path) noexcept {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return nullptr;
    return std::fopen(path.c_str(), "ab");
}

// The application's folder first; when the log cannot be opened there (a read-only install),
// the user's data folder, created on demand.
std::FILE* OpenJobLog() noexcept {
    try {
        if (std::FILE* f = OpenForAppending(platform::AppFolder().Child(kJobLogName).Path()))
            return f;
        const platform::FolderItem data = platform::UserDataFolder();
        std::error_code ec;
        fs::create_directories(data.Path(), ec);
        return OpenForAppending(data.Child(kJobLogName).Path());
    } catch (...) {
        return nullptr;
    }
}

// The output skin of the running job, written whole, waiting for its bitmap.
std::unique_ptr<platform::AtomicFile>& HeldXML() {
    static std::unique_ptr<platform::AtomicFile> held;
    return held;
}

bool& Holding() {
    static bool holding = false;
    return holding;
}

bool WriteRecord(std::FILE* f, std::string_view text) noexcept {
    const std::string& rc = RC;
    return std::fwrite(rc.data(), 1, rc.size(), f) == rc.size() &&
           (text.empty() || std::fwrite(text.data(), 1, text.size(), f) == text.size());
}

// Counts lines with the line ends of SplitSkinLines, before any line is made: the limits
// exist to keep the line array small.
void CheckSkinLines(std::string_view bytes, const std::string& path) {
    std::size_t lineNumber = 1;
    std::size_t start = 0;
    const auto checkLength = [&](std::size_t end) {
        if (end - start > kMaxSkinLineBytes)
            throw SkinLineTooLongException(path, lineNumber);
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        checkLength(i);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
        // The line just ended is complete; one more would start only if bytes follow.
        if (lineNumber == kMaxSkinLines && start < bytes.size())
            throw SkinTooManyLinesException(path);
        ++lineNumber;
    }
    checkLength(bytes.size());
}

}  // namespace

SkinTooLargeException::SkinTooLargeException(const std::string& path)
    : SkinTooLargeException(EFBIG, "\"" + path + "\" is larger than 64 MiB.") {
}

SkinTooLargeException::SkinTooLargeException(int errorNumber, const std::string& firstLine)
    : platform::IOException(errorNumber,
                            firstLine + RC + "It is not a skin file that this tool can read.") {
}

SkinTooManyLinesException::SkinTooManyLinesException(const std::string& path)
    : SkinTooLargeException(
          EFBIG, "\"" + path + "\" has more than " + std::to_string(kMaxSkinLines) + " lines.") {
}

SkinLineTooLongException::SkinLineTooLongException(const std::string& path, std::size_t lineNumber)
    : SkinTooLargeException(EFBIG, "Line " + std::to_string(lineNumber) + " of \"" + path +
                                       "\" is longer than 64 KiB.")
    , m_lineNumber(lineNumber) {
}

std::vector<std::string> SplitSkinLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string ReadSkinFile(const std::string& path) {
    std::string bytes;
    try {
        bytes = platform::ReadFileBytes(fs::path(path), kMaxSkinBytes);
    } catch (const platform::IOException& e) {
        if (e.ErrorNumber() == EFBIG)
            throw SkinTooLargeException(path);
        throw platform::NilObjectException(e.what());
    }
    CheckSkinLines(bytes, path);
    return bytes;
}

bool Open_XML() {
    if (!platform::IsAbsolutePath(InputXMLPath))
        throw platform::NilObjectException("no file item for \"" + InputXMLPath + "\"");
    const platform::FolderItem item{fs::path(InputXMLPath)};
    Input_Filename = item.Name();
    if (!item.Exists())
        return false;
    Str_Line = SplitSkinLines(ReadSkinFile(InputXMLPath));
    return true;
}

void SaveXML() {
    XMLSavedThisJob = false;
    if (!platform::IsAbsolutePath(OutputXMLPath))
        throw platform::NilObjectException("no file item for \"" + OutputXMLPath + "\"");
    const platform::FolderItem item{fs::path(OutputXMLPath)};
    FileName = ReplaceExtension(item.NativePath(), "");
    const platform::FolderItem parent = item.Parent();
    if (parent.NativePath().empty())
        throw platform::NilObjectException("no folder for \"" + OutputXMLPath + "\"");
    FileFolder = parent.NativePath();
    if (SameSkinFile(OutputXMLPath, InputXMLPath))
        throw platform::IOException(EEXIST, "the output \"" + OutputXMLPath +
                                                "\" is the input skin; it is not written over");
    // Nor the input's bitmap beside it: an output named "skin.png" would replace the picture.
    for (const char* type : {"bmp", "png", "jpg", "jpeg"}) {
        if (SameSkinFile(OutputXMLPath, ReplaceExtension(InputXMLPath, type)))
            throw platform::IOException(
                EEXIST, "the output \"" + OutputXMLPath +
                            "\" is the input skin's bitmap; it is not written over");
    }

    // The new file replaces the one held by an earlier write of this job.
    DropOutputXML();
    auto file = std::make_unique<platform::AtomicFile>(item.Path());
    platform::AtomicFile& out = *file;
    const std::string& rc = RC;
    out.Write(platform::At(Str_Line, 0));
    out.Write(rc);
    out.Write(platform::At(Str_Line, 1));
    out.Write(rc);
    out.Write(kCreditLine);
    out.Write(rc);
    // The bound is read anew for every line, as the passes may still be changing the array.
    for (long long i = 2; i <= platform::LastIndex(Str_Line); ++i) {
        out.Write(platform::At(Str_Line, i));
        out.Write(rc);
        platform::Yield();
    }
    if (Holding()) {
        out.Seal();
        HeldXML() = std::move(file);
    } else {
        out.Commit();
    }
    XMLSavedThisJob = true;
}

bool SameSkinFile(std::string_view a, std::string_view b) noexcept {
    if (a.empty() || b.empty())
        return false;
    return platform::TextEquals(a, b) || platform::SameFile(a, b);
}

void HoldOutputXML(bool hold) noexcept {
    Holding() = hold;
}

bool HoldsOutputXML() noexcept {
    return HeldXML() != nullptr;
}

void PlaceOutputXML() {
    std::unique_ptr<platform::AtomicFile> held = std::move(HeldXML());
    if (held)
        held->Commit();
}

void DropOutputXML() noexcept {
    HeldXML().reset();
}

void LogException(JobLog& log, std::initializer_list<std::string_view> records) noexcept {
    log.Write(kExceptionRecord);
    for (const std::string_view record : records)
        log.Write(record);
}

void LogException(std::initializer_list<std::string_view> records) {
    Log_Out(kExceptionRecord, true);
    for (const std::string_view record : records)
        Log_Out(record, true);
}

void ReportWriteFailure(JobLog& log, const platform::FileWriteException& failure) {
    LogException(log, {"Unable to open or save the file", failure.what(), "--"});
    Job_Ok = false;
    platform::MsgBox(failure.what());
}

void ReportWriteFailure(const platform::FileWriteException& failure) {
    JobLog log;
    ReportWriteFailure(log, failure);
}

bool SaveXMLReported() {
    try {
        SaveXML();
        return true;
    } catch (const platform::FileWriteException& failure) {
        ReportWriteFailure(failure);
        return false;
    }
}

std::string ReplaceExtension(std::string_view path, std::string_view ext) {
    const std::size_t dot = path.rfind('.');
    std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
    out += '.';
    out += ext;
    return out;
}

void Log_Out(std::string_view text, bool /*flag*/) {
    if (!Log_Ok)
        return;
    std::FILE* f = OpenJobLog();
    if (!f) {
        Log_Ok = false;
        return;
    }
    const bool written = WriteRecord(f, text);
    if (std::fclose(f) != 0 || !written)
        Log_Ok = false;
}

platform::FolderItem JobLogFile() {
    const platform::FolderItem inApp = platform::AppFolder().Child(kJobLogName);
    if (inApp.IsWriteable() && !inApp.IsFolder())
        return inApp;
    return platform::UserDataFolder().Child(kJobLogName);
}

void DeleteJobLog() noexcept {
    try {
        for (const auto& folder : {platform::AppFolder(), platform::UserDataFolder()}) {
            const platform::FolderItem log = folder.Child(kJobLogName);
            std::error_code ec;
            if (fs::is_regular_file(log.Path(), ec))
                fs::remove(log.Path(), ec);
        }
    } catch (...) {
    }
}

JobLog::JobLog() noexcept
    : m_file(OpenJobLog()) {
}

JobLog::~JobLog() {
    if (m_file)
        std::fclose(m_file);
}

void JobLog::Write(std::string_view text) noexcept {
    if (m_file)
        WriteRecord(m_file, text);
}

}  // namespace Variables
