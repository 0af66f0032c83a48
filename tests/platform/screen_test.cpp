#include "platform/screen.h"

#include "support/scoped_env.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ScreenTest, MalvorenScreenSetsTheFullAndTheAvailableSize) {
    ScopedEnv screen{"MALVOREN_SCREEN", "1024x600"};
    const ScreenArea area = MainScreen();
    EXPECT_EQ(area.width, 1024);
    EXPECT_EQ(area.height, 600);
    EXPECT_EQ(area.availableWidth, 1024);
    EXPECT_EQ(area.availableHeight, 600);
    const ScreenSize available = MainScreenSize();
    EXPECT_EQ(available.width, 1024);
    EXPECT_EQ(available.height, 600);
}

TEST(ScreenTest, UnreadableSizesFallBack) {
    // No application object here, so no screen: the fallback of 1280 x 800.
    for (const char* text : {"wide", "0x600", "1024x", "1024x600junk", "-5x10"}) {
        ScopedEnv screen{"MALVOREN_SCREEN", text};
        const ScreenArea area = MainScreen();
        EXPECT_EQ(area.width, 1280) << text;
        EXPECT_EQ(area.height, 800) << text;
        EXPECT_EQ(area.availableWidth, 1280) << text;
        EXPECT_EQ(area.availableHeight, 800) << text;
    }
}
