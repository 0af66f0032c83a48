#include "platform/widgets/control_font.h"

#include <algorithm>
#include <cmath>

namespace platform {

QFont ControlFont(const std::string& name, double size, bool bold, bool italic, bool underline) {
    QFont font;
    const bool standard = name.empty() || name == "System" || name == "Arial";
    font.setFamily(standard ? QStringLiteral("Liberation Sans") : QString::fromStdString(name));
    const int pixels = size > 0 ? static_cast<int>(std::lround(size)) : 12;
    font.setPixelSize(std::max(pixels, 1));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

}  // namespace platform
