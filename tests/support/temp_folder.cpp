#include "support/temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

TempFolder::TempFolder() {
    std::random_device rd;
    m_path = fs::temp_directory_path() /
             ("malvoren-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

fs::path TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const fs::path p = m_path / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

fs::path TempFolder::CopyFixture(std::string_view relative, std::string_view as) const {
    const fs::path from = DataPath(relative);
    const fs::path to = m_path / (as.empty() ? from.filename() : fs::path(as));
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    return to;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

fs::path DataPath(std::string_view relative) {
    return fs::path(MALVOREN_TEST_DATA_DIR) / relative;
}

}  // namespace testsupport
