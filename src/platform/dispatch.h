#pragma once

#include "platform/exceptions.h"

#include <exception>
#include <functional>
#include <type_traits>

/// The one door from Qt's event loop into our code. Window and control events, paints, menu
/// commands, timer actions and posted calls all pass through Dispatch, so that a failure in a
/// handler reaches the unhandled-exception report and the loop goes on, instead of unwinding
/// through Qt (which cannot carry C++ exceptions).
namespace platform {

/// What the report receives: the failure that no handler caught.
using ExceptionReport = std::function<void(const std::exception& failure)>;

/// Installs the unhandled-exception report (empty: the default, which writes the failure's
/// kind and message to standard error). Returns the previous one.
ExceptionReport SetExceptionReport(ExceptionReport report);

/// Hands `failure` to the installed report; a report that itself throws is contained.
void ReportUnhandled(const std::exception& failure) noexcept;

/// Runs `fn` and returns its result; a RuntimeException or other std::exception goes to the
/// report and the result type's default is returned. A ThreadEndException that reaches here
/// came from a yield inside an event handler: the kill stays requested, so the job itself
/// ends at its own next yield, and the handler is simply cut short.
template <typename F>
auto Dispatch(F&& fn) noexcept -> std::invoke_result_t<F&> {
    using R = std::invoke_result_t<F&>;
    try {
        return fn();
    } catch (const ThreadEndException&) {
    } catch (const std::exception& failure) {
        ReportUnhandled(failure);
    } catch (...) {
        ReportUnhandled(RuntimeException("unknown failure"));
    }
    if constexpr (!std::is_void_v<R>)
        return R{};
}

}  // namespace platform
