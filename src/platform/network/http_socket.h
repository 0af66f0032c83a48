#pragma once

#include <cstddef>
#include <string>

namespace platform {

/// The largest reply body Get accepts. The update description is a few hundred bytes; a reply
/// above this (a wrong server, or one that never ends) is cut off and counts as a failure.
inline constexpr std::size_t kHttpBodyCap = 1024 * 1024;

/// The framework's HTTP client: one synchronous GET at a time.
class HTTPSocket {
public:
    /// Fetches `address` (http or https) and returns the reply body, whatever the HTTP status
    /// (a 404 page is returned as it came). Returns "" when the address is malformed or not
    /// http(s) (at once, without a request), when the connection fails, when no complete
    /// reply came within `timeoutSeconds` (a value of 0 or less means 60), and when the body
    /// grows beyond kHttpBodyCap: a cut body could read as a valid but wrong description.
    ///
    /// Blocks in a nested event loop, so timers and repaints go on; user input is held back
    /// until it returns. The time-out runs on the timer driver (tests move it by hand).
    /// Without an application object it returns "".
    std::string Get(const std::string& address, int timeoutSeconds);
};

/// False when MALVOREN_OFFLINE=1, else true: the tool asks before every update check.
bool IsConnected();

/// The update server's address (scheme, host and port, no trailing "/"): MALVOREN_UPDATE_URL
/// when set, else the tool's own server.
std::string UpdateServerAddress();
/// The address of `path` ("/Malvoren/version.txt") on the update server.
std::string UpdateAddress(const std::string& path);

}  // namespace platform
