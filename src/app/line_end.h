#pragma once

#include <string>

namespace App {

/// The shared line terminator that joins the lines of composed texts.
const std::string& LineEnd();

}  // namespace App
