#pragma once

#include <string>
#include <vector>

/// The numbered message table: the longer user messages, replaceable by number from a
/// language file.
namespace Language {

/// Number of entries; indices run from 0 to 57 and the bound never changes.
inline constexpr int kMessageCount = 58;

/// The table, read by a fixed index. Every entry is empty until `SetMessages` runs; entry 0
/// never gets a built-in text.
inline std::vector<std::string> Messages = std::vector<std::string>(kMessageCount);

/// Writes entries 1 to 57 with the built-in English texts, replacing whatever a language file
/// put there; entry 0 is left alone. Several texts hold `Variables::RC`, so start-up must have
/// set the line terminator first.
void SetMessages();

/// For tests: back to the start-up state, 58 empty entries.
void ResetMessages();

}  // namespace Language
