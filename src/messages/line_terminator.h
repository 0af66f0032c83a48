#pragma once

#include <string>

namespace Variables {

/// The shared line terminator: joins composed texts and messages and starts every job log
/// record. It holds the placeholder "EndOfLine" until start-up, as its very first step, sets it
/// to "\n". It lives here, below the engine, because the message table composes its texts with
/// it and must not depend on the engine.
inline std::string RC = "EndOfLine";

}  // namespace Variables
