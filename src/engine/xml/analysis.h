#pragma once

#include "platform/color.h"

#include <string>
#include <string_view>

namespace Variables {

/// Reads and analyses the skin at `path` (absolute): the skin lines, name, version, size,
/// logo, browser rectangles and, while no job runs, the browser text style. It first resets the
/// values that belong to one input skin (`P_Logo`, `Custom_Visual`, the grid origins and the
/// browser rectangles) and afterwards overwrites the others only with what it finds.
/// The size is read only from the first of the first six lines that holds "<skin", and only
/// when both its width and height read as non-zero.
/// Returns true when the file was read and analysed to its end. Returns false after a message
/// box when the file does not exist, is larger than 64 MiB, cannot be read or analysed, has no
/// skin element in its first six lines, or its skin line gives no width and height above 0
/// (the size of the skin analysed before is then kept, never used for this one); what was read
/// before the failure stays.
bool Lecture(const std::string& path);

/// The colour of a colour text: an optional "#", then red, green and blue as two hexadecimal
/// digits each; the rest of the text is ignored. A pair reads its leading hexadecimal digits
/// (none: 0), and a missing pair is 0.
platform::Color Color_HTML_to_RB(std::string_view text);

/// A number as the analysis writes it back: whole numbers without a decimal point ("40"),
/// others in the platform's text form ("12.5").
std::string NumberText(double value);

}  // namespace Variables
