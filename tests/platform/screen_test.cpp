#include "platform/screen.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

TEST(ScreenTest, TheScreenSizeCanBeSetForTests) {
    ::setenv("MALVOREN_SCREEN", "1024x600", 1);
    const ScreenSize forced = MainScreenSize();
    EXPECT_EQ(forced.width, 1024);
    EXPECT_EQ(forced.height, 600);
    ::setenv("MALVOREN_SCREEN", "wide", 1);  // unreadable: no screen here, the fallback
    const ScreenSize fallback = MainScreenSize();
    EXPECT_EQ(fallback.width, 1280);
    EXPECT_EQ(fallback.height, 800);
    ::unsetenv("MALVOREN_SCREEN");
}
