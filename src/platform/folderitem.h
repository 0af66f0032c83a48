#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

/// A file or folder by path, after the framework's file item. The path need not exist.
/// Paths are UTF-8 text; an absolute path begins with "/".
class FolderItem {
public:
    FolderItem() = default;
    explicit FolderItem(std::filesystem::path path);

    /// The item's full path as text.
    std::string NativePath() const { return m_path.string(); }
    const std::filesystem::path& Path() const noexcept { return m_path; }
    /// The last component of the path ("out.xml").
    std::string Name() const;
    FolderItem Parent() const;
    FolderItem Child(std::string_view name) const;

    bool Exists() const noexcept;
    bool IsFolder() const noexcept;
    /// True when the item (or, for a missing item, its folder) can be written to.
    bool IsWriteable() const noexcept;
    std::uintmax_t Length() const noexcept;

    /// Number of items in this folder (0 for a file or a missing folder).
    long long Count() const;
    /// Item `index` (1-based) of this folder in name order. Throws OutOfBoundsException.
    FolderItem Item(long long index) const;

    /// Deletes the file or empty folder. Throws IOException.
    void Delete() const;
    /// Creates this folder (and missing parents). Throws IOException.
    void CreateAsFolder() const;
    /// Copies this file over `destination`, replacing it whole or not at all (through
    /// AtomicFile). Throws FileWriteException when `destination` cannot be written,
    /// IOException when this file cannot be read.
    void CopyFileTo(const FolderItem& destination) const;

private:
    std::filesystem::path m_path;
};

/// True when `path` is absolute: it begins with "/", or its second character is ":" (the
/// form absolute paths take on other systems).
bool IsAbsolutePath(std::string_view path) noexcept;

/// How `SameFile` compares two paths.
enum class SameFileTest {
    /// By the names alone: equal texts, or equal once both are made canonical (symbolic links,
    /// "." and ".." resolved; a name that does not exist yet is resolved as far as it exists).
    /// Two hard links of one file are two files by name.
    Name,
    /// By the names, or as one existing file reached by two names (a hard link too). The
    /// test for "would writing `a` overwrite `b`".
    Identity,
};

/// True when the paths `a` and `b` name the same file by `test`. An empty path names no file.
bool SameFile(std::string_view a, std::string_view b,
              SameFileTest test = SameFileTest::Identity) noexcept;

/// The whole file as bytes. Throws IOException when it cannot be read or is larger than
/// `maxBytes` (checked before anything is allocated); NilObjectException when it is missing.
std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

/// Creates or replaces `path` with `bytes` in place, not atomically: for tests and fixtures.
/// The tool's own files go through WriteFileAtomic. Throws IOException (missing folder, a
/// folder in the way, no permission).
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

/// Appends `bytes` to `path`, creating the file. Throws IOException.
void AppendToFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
