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
    /// Copies this file over `destination`, replacing it. Throws IOException.
    void CopyFileTo(const FolderItem& destination) const;

private:
    std::filesystem::path m_path;
};

/// True when `path` is absolute: it begins with "/", or its second character is ":" (the
/// form absolute paths take on other systems).
bool IsAbsolutePath(std::string_view path) noexcept;

/// The whole file as bytes. Throws IOException when it cannot be read or is larger than
/// `maxBytes` (checked before anything is allocated); NilObjectException when it is missing.
std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

/// Writes `bytes` to a temporary file beside `path`, then renames it over `path`, so a
/// failure never leaves a half-written file or loses the old one. Throws IOException.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

/// Creates or replaces `path` with `bytes`. Throws IOException (missing folder, a folder in
/// the way, no permission).
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

/// Appends `bytes` to `path`, creating the file. Throws IOException.
void AppendToFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
