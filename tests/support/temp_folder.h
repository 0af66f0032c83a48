#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

/// A fresh folder under the system's temporary folder, removed with everything in it when
/// the object goes. Fixtures are copied here before anything writes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const noexcept { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }
    /// Writes `bytes` to `name` in the folder and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
    /// Copies a fixture from tests/data (path relative to it) into the folder.
    std::filesystem::path CopyFixture(std::string_view relative, std::string_view as = {}) const;

private:
    std::filesystem::path m_path;
};

/// The whole file as bytes ("" when missing).
std::string ReadAll(const std::filesystem::path& path);

/// Path of a fixture under tests/data.
std::filesystem::path DataPath(std::string_view relative);

}  // namespace testsupport
