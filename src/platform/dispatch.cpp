#include "platform/dispatch.h"

#include <iostream>

namespace platform {
namespace {

ExceptionReport& Report() {
    static ExceptionReport report;
    return report;
}

void WriteToStandardError(const std::exception& failure) {
    const auto* known = dynamic_cast<const RuntimeException*>(&failure);
    std::cerr << "Unhandled " << (known ? known->KindName() : "exception") << ": " << failure.what()
              << std::endl;
}

}  // namespace

ExceptionReport SetExceptionReport(ExceptionReport report) {
    auto previous = std::move(Report());
    Report() = std::move(report);
    return previous;
}

void ReportUnhandled(const std::exception& failure) noexcept {
    try {
        if (Report())
            Report()(failure);
        else
            WriteToStandardError(failure);
    } catch (...) {
        // The report failing too leaves nothing to tell it to; the loop must go on.
    }
}

}  // namespace platform
