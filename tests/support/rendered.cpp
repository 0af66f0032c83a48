#include "support/rendered.h"

namespace testsupport {

std::filesystem::path RenderedPath(const std::string& name) {
    const std::filesystem::path folder(MALVOREN_RENDERED_DIR);
    std::filesystem::create_directories(folder);
    return folder / name;
}

}  // namespace testsupport
