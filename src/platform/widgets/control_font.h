#pragma once

#include <QFont>

#include <string>

namespace platform {

/// The font of a framework control from its stored text settings: "System", "Arial" and an
/// empty name mean Liberation Sans; `size` is in pixels (the framework's points were pixels at
/// 72 dpi), and 0 means 12 px, the application's font size.
QFont ControlFont(const std::string& name, double size, bool bold, bool italic = false,
                  bool underline = false);

}  // namespace platform
