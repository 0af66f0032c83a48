#pragma once

#include <cstdint>
#include <vector>

namespace INI_Read_Write {

/// The list of suppressed messages; never empty. Element 0 is the switch that turns every
/// message window off (1) or on (0); each later element is the id of a message not to be shown
/// again (1 the start-up notice, 4 the logo-size notice, 5 the aspect-ratio notice), in the
/// order the user ticked them.
inline std::vector<std::int32_t> RunOnce{0};

/// For tests: back to the built-in list, one element 0.
void ResetRunOnce();

}  // namespace INI_Read_Write
