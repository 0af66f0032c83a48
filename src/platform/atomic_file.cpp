#include "platform/atomic_file.h"

#include "platform/exceptions.h"
#include "platform/parallel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

FileWriteException::FileWriteException(const std::string& path, int errorNumber)
    : IOException(errorNumber, "Unable to write " + path + ": " +
                                   std::generic_category().message(errorNumber) + ".")
    , m_path(path) {
}

std::string FileWriteException::Reason() const {
    return std::generic_category().message(ErrorNumber());
}

namespace {

struct FaultPlan {
    WriteFault fault;
    std::string nameEnd;
    int seen = 0;
    bool fired = false;
};

std::optional<FaultPlan>& Plan() {
    static std::optional<FaultPlan> plan;
    return plan;
}

// A name of its own for every file, so that two writers of one target never share one.
fs::path TemporaryBeside(const fs::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return target.parent_path() /
           ("." + target.filename().string() + ".part" + std::to_string(random() % 1000000000));
}

constexpr std::size_t kCopyChunk = 1 << 20;

}  // namespace

AtomicFile::AtomicFile(fs::path target)
    : m_target(std::move(target)) {
    std::optional<FaultPlan>& plan = Plan();
    if (plan && (plan->nameEnd.empty() || m_target.filename().string().ends_with(plan->nameEnd))) {
        if (++plan->seen == plan->fault.nth) {
            plan->fired = true;
            if (plan->fault.beforeOpen)
                plan->fault.beforeOpen(m_target);
            if (plan->fault.stage != WriteFaultStage::None) {
                m_fault = plan->fault.stage;
                m_faultError = plan->fault.errorNumber;
            }
        }
    }
    if (m_fault == WriteFaultStage::Open)
        throw FileWriteException(m_target.string(), m_faultError);
    // Exclusive creation: never write into a file that someone else made under that name.
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        m_temp = TemporaryBeside(m_target);
        fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw FileWriteException(m_target.string(), errno);
    m_file = ::fdopen(fd, "wb");
    if (!m_file) {
        const int err = errno;
        ::close(fd);
        ::unlink(m_temp.c_str());
        throw FileWriteException(m_target.string(), err);
    }
}

AtomicFile::~AtomicFile() {
    if (!m_committed)
        Discard();
}

void AtomicFile::Discard() noexcept {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

void AtomicFile::Fail(int errorNumber) {
    // Some failures leave errno at 0 (a short write with no reason); the disk is then at fault.
    const int err = errorNumber ? errorNumber : EIO;
    Discard();
    m_failed = err;
    throw FileWriteException(m_target.string(), err);
}

void AtomicFile::Write(std::string_view bytes) {
    if (m_failed || m_committed || m_sealed || !m_file)
        throw FileWriteException(m_target.string(), m_failed ? m_failed : EBADF);
    if (bytes.empty())
        return;
    if (m_fault == WriteFaultStage::Write) {
        m_fault.reset();
        std::fwrite(bytes.data(), 1, bytes.size() / 2, m_file);
        std::fflush(m_file);
        Fail(m_faultError);
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        Fail(errno);
}

void AtomicFile::Seal() {
    if (m_failed || m_committed || m_sealed || !m_file)
        throw FileWriteException(m_target.string(), m_failed ? m_failed : EBADF);
    // A write fault planned for a file that got no bytes strikes at the flush instead.
    if (m_fault == WriteFaultStage::Write)
        Fail(m_faultError);
    errno = 0;
    // A full disk often shows only here: buffered bytes reach the system at the flush, and some
    // file systems report the shortage only when the data is synced.
    if (std::fflush(m_file) != 0 || ::fsync(::fileno(m_file)) != 0)
        Fail(errno);
    // The replacement keeps the permissions the user gave the earlier file.
    struct stat earlier {};
    if (::stat(m_target.c_str(), &earlier) == 0 && S_ISREG(earlier.st_mode))
        ::fchmod(::fileno(m_file), earlier.st_mode & 07777);
    std::FILE* f = m_file;
    m_file = nullptr;
    if (std::fclose(f) != 0)
        Fail(errno);
    m_sealed = true;
}

void AtomicFile::Commit() {
    if (!m_sealed)
        Seal();
    if (m_failed || m_committed)
        throw FileWriteException(m_target.string(), m_failed ? m_failed : EBADF);
    if (m_fault == WriteFaultStage::Rename)
        Fail(m_faultError);
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0)
        Fail(errno);
    m_temp.clear();
    m_committed = true;
}

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    AtomicFile file(path);
    file.Write(bytes);
    file.Commit();
}

namespace {

void CopyHere(const fs::path& source, const fs::path& target) {
    const auto readFailure = [&](int err) {
        return IOException(err, "Unable to read " + source.string() + ": " +
                                    std::generic_category().message(err) + ".");
    };
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in)
        throw readFailure(errno);
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{in};
    AtomicFile out(target);
    std::vector<char> chunk(kCopyChunk);
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), in);
        if (got > 0)
            out.Write(std::string_view(chunk.data(), got));
        if (got < chunk.size()) {
            if (std::ferror(in))
                throw readFailure(errno ? errno : EIO);
            break;
        }
    }
    out.Commit();
}

}  // namespace

void CopyFileAtomic(const fs::path& source, const fs::path& target) {
    // A skin's bitmap can be large: a job's window is served while it is copied.
    RunAside([&] { CopyHere(source, target); });
}

ScopedWriteFault::ScopedWriteFault(WriteFault fault, std::string nameEnd) {
    Plan() = FaultPlan{std::move(fault), std::move(nameEnd), 0, false};
}

ScopedWriteFault::~ScopedWriteFault() {
    Plan().reset();
}

bool ScopedWriteFault::Fired() const noexcept {
    return Plan() && Plan()->fired;
}

int ScopedWriteFault::FilesSeen() const noexcept {
    return Plan() ? Plan()->seen : 0;
}

}  // namespace platform
