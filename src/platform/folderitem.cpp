#include "platform/folderitem.h"

#include "platform/atomic_file.h"
#include "platform/exceptions.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace platform {
namespace {

[[noreturn]] void ThrowIO(const std::error_code& ec, const std::string& what) {
    throw IOException(ec.value(), what + ": " + ec.message());
}

[[noreturn]] void ThrowErrno(const std::string& what) {
    const int err = errno;
    throw IOException(err, what + ": " + std::generic_category().message(err));
}

void WriteAll(std::FILE* f, std::string_view bytes, const std::string& what) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        const int err = errno;
        std::fclose(f);
        throw IOException(err, what + ": write failed");
    }
}

}  // namespace

FolderItem::FolderItem(fs::path path)
    : m_path(std::move(path)) {
}

std::string FolderItem::Name() const {
    auto p = m_path;
    if (!p.has_filename() && p.has_parent_path())
        p = p.parent_path();
    return p.filename().string();
}

FolderItem FolderItem::Parent() const {
    auto p = m_path;
    if (!p.has_filename() && p.has_parent_path())
        p = p.parent_path();
    return FolderItem(p.parent_path());
}

FolderItem FolderItem::Child(std::string_view name) const {
    return FolderItem(m_path / fs::path(std::string(name)));
}

bool FolderItem::Exists() const noexcept {
    std::error_code ec;
    return !m_path.empty() && fs::exists(m_path, ec);
}

bool FolderItem::IsFolder() const noexcept {
    std::error_code ec;
    return fs::is_directory(m_path, ec);
}

bool FolderItem::IsWriteable() const noexcept {
    if (Exists())
        return ::access(m_path.c_str(), W_OK) == 0;
    const auto parent = Parent();
    return parent.Exists() && ::access(parent.Path().c_str(), W_OK) == 0;
}

std::uintmax_t FolderItem::Length() const noexcept {
    std::error_code ec;
    const auto n = fs::file_size(m_path, ec);
    return ec ? 0 : n;
}

long long FolderItem::Count() const {
    std::error_code ec;
    if (!fs::is_directory(m_path, ec))
        return 0;
    long long n = 0;
    for (auto it = fs::directory_iterator(m_path, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        ++n;
    return n;
}

FolderItem FolderItem::Item(long long index) const {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (auto it = fs::directory_iterator(m_path, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    if (index < 1 || static_cast<unsigned long long>(index) > entries.size())
        throw OutOfBoundsException("folder item " + std::to_string(index) + " of " +
                                   m_path.string());
    return FolderItem(entries[static_cast<std::size_t>(index - 1)]);
}

void FolderItem::Delete() const {
    std::error_code ec;
    if (!fs::remove(m_path, ec) && ec)
        ThrowIO(ec, "cannot delete " + m_path.string());
}

void FolderItem::CreateAsFolder() const {
    std::error_code ec;
    fs::create_directories(m_path, ec);
    if (ec)
        ThrowIO(ec, "cannot create folder " + m_path.string());
}

void FolderItem::CopyFileTo(const FolderItem& destination) const {
    CopyFileAtomic(m_path, destination.Path());
}

bool IsAbsolutePath(std::string_view path) noexcept {
    return (!path.empty() && path[0] == '/') || (path.size() >= 2 && path[1] == ':');
}

bool SameFile(std::string_view a, std::string_view b, SameFileTest test) noexcept {
    if (a.empty() || b.empty())
        return false;
    if (a == b)
        return true;
    try {
        const fs::path pa{std::string(a)};
        const fs::path pb{std::string(b)};
        std::error_code ec;
        if (test == SameFileTest::Identity && fs::equivalent(pa, pb, ec) && !ec)
            return true;
        std::error_code ecA;
        std::error_code ecB;
        const fs::path ca = fs::weakly_canonical(pa, ecA);
        const fs::path cb = fs::weakly_canonical(pb, ecB);
        return !ecA && !ecB && ca == cb;
    } catch (...) {
        return false;  // out of memory for a path: no proof that they are one file
    }
}

std::string ReadFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw NilObjectException(path.string() + " does not exist");
    if (fs::is_directory(path, ec))
        throw IOException(EISDIR, path.string() + " is a folder");
    const auto size = fs::file_size(path, ec);
    if (ec)
        ThrowIO(ec, "cannot read " + path.string());
    // Check before allocating: a hostile file must not choose how much memory we take.
    if (size > maxBytes)
        throw IOException(EFBIG, path.string() + " is too large");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        ThrowErrno("cannot open " + path.string());
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    const std::size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), f) : 0;
    // A file that grew since the size was read is cut at the size checked.
    bytes.resize(got);
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed)
        throw IOException(EIO, "cannot read " + path.string());
    return bytes;
}

void WriteFileReplacing(const fs::path& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        ThrowErrno("cannot create " + path.string());
    WriteAll(f, bytes, path.string());
    if (std::fclose(f) != 0)
        ThrowErrno("cannot write " + path.string());
}

void AppendToFile(const fs::path& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f)
        ThrowErrno("cannot open " + path.string());
    WriteAll(f, bytes, path.string());
    if (std::fclose(f) != 0)
        ThrowErrno("cannot write " + path.string());
}

}  // namespace platform
