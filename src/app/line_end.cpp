#include "app/line_end.h"

namespace App {

const std::string& LineEnd() {
    static const std::string rc = "\n";
    return rc;
}

}  // namespace App
