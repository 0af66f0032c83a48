#pragma once

#include "platform/color.h"

#include <string>

namespace Browser {

/// Writes the job's browser text style (`B_Text_Font`, `B_Text_Size` and the three colours)
/// into the first "<text" line within the 15 lines after every "<Browser" line. Attributes
/// that the line does not hold (with a blank in front) are not added.
void Change_Browser_XML();

}  // namespace Browser

namespace Variables {

/// The six hexadecimal digits of `c` (upper case, red first), without "#": "0A0BFF".
std::string StrColor(platform::Color c);
/// "#" followed by StrColor(c).
std::string FormatColor(platform::Color c);

}  // namespace Variables
