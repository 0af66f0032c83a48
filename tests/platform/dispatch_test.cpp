#include "platform/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

TEST(DispatchTest, FailuresReachTheReportAndTheDefaultResultIsReturned) {
    std::vector<std::string> kinds;
    auto old = SetExceptionReport([&](const std::exception& e) {
        const auto* known = dynamic_cast<const RuntimeException*>(&e);
        kinds.push_back(known ? known->KindName() : std::string("std:") + e.what());
    });
    EXPECT_FALSE(Dispatch([]() -> bool { throw NilObjectException(); }));
    EXPECT_EQ(Dispatch([]() -> int { throw std::logic_error("bad"); }), 0);
    EXPECT_EQ(Dispatch([] { return 7; }), 7);
    // A killed job's end is no failure of the handler that yielded.
    Dispatch([] { throw ThreadEndException(); });
    EXPECT_EQ(kinds, (std::vector<std::string>{"NilObjectException", "std:bad"}));
    SetExceptionReport(std::move(old));
}

TEST(DispatchTest, AReportThatThrowsIsContained) {
    auto old = SetExceptionReport([](const std::exception&) { throw std::runtime_error("again"); });
    EXPECT_NO_THROW(Dispatch([] { throw IOException(5, "disk"); }));
    SetExceptionReport(std::move(old));
}
