#pragma once

#include "platform/exceptions.h"
#include "platform/folderitem.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

/// Reading and writing the skin's XML file as lines, and the job log.
namespace Variables {

/// A skin file larger than this is refused before anything is read.
inline constexpr std::uintmax_t kMaxSkinBytes = 64ull * 1024 * 1024;

/// The line that `SaveXML` writes third, crediting the tool. It holds none of the words the
/// rewriting passes look for.
inline constexpr std::string_view kCreditLine =
    "<copyright2>Rescaled by the Malvoren tool</copyright2>";

/// A skin with more lines than this is refused before it is split into lines. The largest
/// skins written by hand or by skin editors have some 5,000 lines, so no real skin comes near;
/// the cap bounds the line array, which costs some 32 bytes a line even for empty lines (a
/// 64 MiB file of nothing but line ends would otherwise take 2 GiB), and the job's time.
inline constexpr std::size_t kMaxSkinLines = 1'000'000;

/// A skin line longer than this (in bytes, line end excluded) is refused before the skin is
/// split into lines. Real skins hold lines of at most a few hundred characters; every pass
/// searches each line several times, so one giant line (a skin squeezed onto one line, or not
/// a text file at all) would make every pass slow without making sense as a skin.
inline constexpr std::size_t kMaxSkinLineBytes = 64 * 1024;

/// A skin file over `kMaxSkinBytes`: refused unread. Its message says so in plain words. The
/// other skin size limits derive from it, so that one handler reports all of them.
class SkinTooLargeException : public platform::IOException {
public:
    explicit SkinTooLargeException(const std::string& path);

protected:
    /// `firstLine` says what is wrong; the message adds what it means for the user.
    SkinTooLargeException(int errorNumber, const std::string& firstLine);
};

/// A skin file of more than `kMaxSkinLines` lines: refused before it is split.
class SkinTooManyLinesException : public SkinTooLargeException {
public:
    explicit SkinTooManyLinesException(const std::string& path);
};

/// A skin file holding a line longer than `kMaxSkinLineBytes`: refused before it is split.
class SkinLineTooLongException : public SkinTooLargeException {
public:
    /// `lineNumber` is the offending line's, counted from 1.
    SkinLineTooLongException(const std::string& path, std::size_t lineNumber);
    std::size_t LineNumber() const noexcept { return m_lineNumber; }

private:
    std::size_t m_lineNumber;
};

/// Splits skin bytes into lines at every CR LF, CR or LF, keeping empty lines; a final line
/// end gives an empty last element. Nothing else is changed.
std::vector<std::string> SplitSkinLines(std::string_view bytes);

/// The skin file's bytes. Throws SkinTooLargeException for a file over `kMaxSkinBytes`,
/// SkinTooManyLinesException for one of more than `kMaxSkinLines` lines (as `SplitSkinLines`
/// counts them, a final line end adding no line), SkinLineTooLongException for the first line
/// longer than `kMaxSkinLineBytes`, and NilObjectException for a file that cannot be opened
/// (a folder, no permission, gone).
std::string ReadSkinFile(const std::string& path);

/// Reads the file at `InputXMLPath` into `Str_Line` and sets `Input_Filename` (also when the
/// file is missing). Returns false, leaving `Str_Line` as it was, when the file does not exist.
/// Throws NilObjectException for a path that is not absolute or a file that cannot be opened,
/// SkinTooLargeException (or one of its kinds) for a file beyond the skin limits.
bool Open_XML();

/// Writes `Str_Line` for `OutputXMLPath`: lines 0 and 1, the credit line, then lines 2 onward,
/// each followed by `RC`; and sets `FileName` and `FileFolder` first. The file is written whole
/// beside its target and renamed over it. While a job holds its output skin
/// (`HoldOutputXML(true)`), the file is kept beside its target instead (`HoldsOutputXML`): it
/// replaces an earlier file of that name only once the job's bitmap is in place
/// (`PlaceOutputXML`, which the bitmap writers call), so that a failed bitmap never breaks an
/// earlier skin of the output's name; a second write in one job replaces the one held.
/// `XMLSavedThisJob` is true only after a complete write. Throws NilObjectException (path not
/// absolute), FileWriteException (missing or read-only folder, full disk, a folder in the way),
/// IOException (the output would be the input skin itself) and OutOfBoundsException (fewer than two
/// lines).
void SaveXML();

/// True when the two paths name one skin file: equal texts without regard to case, or one
/// file however it is reached ("..", links, a second hard link), as `platform::SameFile` tells.
/// The one test of whether a job would write over a file it reads.
bool SameSkinFile(std::string_view a, std::string_view b) noexcept;

/// Whether `SaveXML` keeps the output skin beside its target until the bitmap is in place (a
/// job run turns it on for the job) or renames it into place at once (the default).
void HoldOutputXML(bool hold) noexcept;
/// True while an output skin written by `SaveXML` waits beside its target.
bool HoldsOutputXML() noexcept;
/// Renames the held output skin over its target; nothing when none is held. Throws
/// FileWriteException (the rename fails); the held file is then gone and an earlier file of
/// the name stays whole.
void PlaceOutputXML();
/// Removes the held output skin, if any; an earlier file of the name stays as it was.
void DropOutputXML() noexcept;

/// `path` with everything after its last "." replaced by `ext` ("/a/skin.xml", "png" gives
/// "/a/skin.png"; an empty ext keeps the "."), or `path` + "." + `ext` when it has no ".".
/// The last "." may be in a folder name; no distinction is made.
std::string ReplaceExtension(std::string_view path, std::string_view ext);

/// Appends one job log record (`RC` and `text`) while `Log_Ok` is true. A failure to open or
/// write the log makes `Log_Ok` false and is otherwise ignored. `flag` has no effect.
void Log_Out(std::string_view text, bool flag);

/// Where the job log goes: "Malvoren log.txt" in the application's folder when that can be
/// written, else in the user's data folder.
platform::FolderItem JobLogFile();

/// Deletes the job log in both of its places; a log that cannot be deleted is left.
void DeleteJobLog() noexcept;

/// The job log held open for appending by one job step, which writes all its records through
/// it, whatever `Log_Ok` says. It never fails: when the log cannot be opened in the
/// application's folder it is opened in the user's data folder, and when it cannot be opened
/// at all, or a write fails, the records are dropped so that no job stops for its log.
class JobLog {
public:
    JobLog() noexcept;
    ~JobLog();
    JobLog(const JobLog&) = delete;
    JobLog& operator=(const JobLog&) = delete;

    /// Appends `RC` and `text`.
    void Write(std::string_view text) noexcept;
    bool IsOpen() const noexcept { return m_file != nullptr; }

private:
    std::FILE* m_file;
};

/// A failed step's block in the job log: the record "**Exception", then `records` in order (a
/// block that closes ends them with "--"). Through `log` when the step holds it open; without
/// it record by record as `Log_Out` writes, so nothing more is written once the log has failed.
void LogException(JobLog& log, std::initializer_list<std::string_view> records) noexcept;
void LogException(std::initializer_list<std::string_view> records);

/// Reports an output file that could not be written as the failure of the job, in the job's
/// way: the job-log records "**Exception", "Unable to open or save the file", the failure's
/// message and "--" (through `log` when a step holds it open), a message box with the
/// failure's message ("Unable to write PATH: REASON."), and `Job_Ok` false. A full disk or a
/// read-only folder is no fault of the skin: never reported as a line of it.
void ReportWriteFailure(const platform::FileWriteException& failure);
void ReportWriteFailure(JobLog& log, const platform::FileWriteException& failure);

/// SaveXML for the steps that have no handler of their own: an output that cannot be written is
/// reported (ReportWriteFailure) and gives false. Throws what SaveXML throws otherwise.
bool SaveXMLReported();

}  // namespace Variables
