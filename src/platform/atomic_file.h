#pragma once

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

/// The one way the tool writes a file: beside its target, then renamed over it.
namespace platform {

/// Where the test seam makes a write fail.
enum class WriteFaultStage {
    Open,    // the temporary file cannot be created
    Write,   // the first bytes written are cut in half, then the write fails
    Rename,  // everything is written, then the rename over the target fails
    None,    // nothing fails; only `beforeOpen` runs
};

/// A file being written to a temporary file in its target's folder and renamed over the
/// target by `Commit`. Until then the target is untouched; on any failure, and when the
/// object goes without a commit (a killed job, a failure in the caller), the temporary file is
/// removed, so an earlier file of the target's name survives whole and no half file is left.
/// Every failure is a FileWriteException naming the target and the system's reason.
class AtomicFile {
public:
    /// Creates the temporary file. Throws FileWriteException (a missing or read-only folder, a
    /// file standing where the folder should be).
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// Appends `bytes`. Throws FileWriteException (a full disk); the temporary file is then
    /// gone and every later call throws again.
    void Write(std::string_view bytes);
    /// Flushes the bytes to the disk and closes the file, still beside its target, taking over
    /// the permissions of an earlier target: all that can fail but the rename. Throws
    /// FileWriteException (a full disk); the temporary file is then gone.
    void Seal();
    /// Seals the file when that is not done yet, then renames it over the target. Throws
    /// FileWriteException (a full disk, a folder standing where the target should be).
    void Commit();

    const std::filesystem::path& Target() const noexcept { return m_target; }

private:
    /// Removes the temporary file and throws FileWriteException with `errorNumber`.
    [[noreturn]] void Fail(int errorNumber);
    void Discard() noexcept;

    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    std::FILE* m_file = nullptr;
    int m_failed = 0;  // the error number of the failure that ended the file
    bool m_sealed = false;
    bool m_committed = false;
    // The stage at which the test seam makes this file fail, if it chose this one.
    std::optional<WriteFaultStage> m_fault;
    int m_faultError = 0;
};

/// Writes `bytes` as the whole file `path` through AtomicFile. Throws FileWriteException.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

/// Copies the file `source` byte for byte over `target` through AtomicFile. Throws
/// FileWriteException when the target cannot be written, IOException when the source cannot
/// be read ("Unable to read SOURCE: REASON.").
void CopyFileAtomic(const std::filesystem::path& source, const std::filesystem::path& target);

/// A planned failure of the `nth` AtomicFile made from now on (1 = the next one).
struct WriteFault {
    int nth = 1;
    WriteFaultStage stage = WriteFaultStage::Open;
    int errorNumber = ENOSPC;
    /// Runs just before that file is opened, with its target (a test removes its folder).
    std::function<void(const std::filesystem::path& target)> beforeOpen;
};

/// Test seam: makes the n-th write fail as a full disk, a read-only folder or a failed rename
/// would, so that tests need no real full disk. One plan at a time; none is left when the
/// object goes.
class ScopedWriteFault {
public:
    /// With `nameEnd`, only files whose target's name ends with that text are counted (".png":
    /// the n-th bitmap, whatever the job writes before it).
    explicit ScopedWriteFault(WriteFault fault, std::string nameEnd = {});
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

    /// True once the planned file has been opened (and so failed, or run `beforeOpen`).
    bool Fired() const noexcept;
    /// The number of AtomicFile objects made since this plan was installed.
    int FilesSeen() const noexcept;
};

}  // namespace platform
