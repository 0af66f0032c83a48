#include "app/resources.h"

#include "platform/picture.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { resources::ResetResources(); }
    void TearDown() override { resources::ResetResources(); }
};

struct Shipped {
    const char* file;
    std::function<platform::PicturePtr()> accessor;
    bool strip;  // a menu icon: icon and mask side by side
};

const Shipped kShipped[] = {
    {"Settings_icon.png", resources::Settings_icon, true},
    {"OpenFolder.png", resources::OpenFolder, true},
    {"reload.png", resources::reload, true},
    {"Update.png", resources::Update, true},
    {"UserGuide.png", resources::UserGuide_icon, true},
    {"UI Kit Background.png", resources::UIKitBackground, false},
    {"Menu texture.png", resources::Menutexture, false},
    {"UI_ColorPicker_backdrop.png", resources::UI_ColorPicker_backdrop, false},
    {"UI_Checkbox_backdrop.png", resources::UI_Checkbox_backdrop, false},
};

TEST_F(ResourcesTest, EveryShippedPictureLoads) {
    ScopedEnv dir{"MALVOREN_RESOURCES_DIR", std::string(MALVOREN_SOURCE_DIR) + "/resources"};
    for (const Shipped& s : kShipped) {
        const platform::PicturePtr p = s.accessor();
        ASSERT_TRUE(p) << s.file;
        if (!s.strip)
            continue;
        EXPECT_EQ(p->Width(), 2 * p->Height()) << s.file;
        // The mask half: transparent (white) in its corner, opaque (black) over a good part.
        const QImage& img = p->Image();
        const int icon = p->Height();
        EXPECT_EQ(qGray(img.pixel(icon, 0)), 255) << s.file;
        int opaque = 0;
        for (int y = 0; y < icon; ++y)
            for (int x = icon; x < 2 * icon; ++x)
                opaque += qGray(img.pixel(x, y)) == 0;
        EXPECT_GE(opaque, icon * icon / 4) << s.file;
    }
    EXPECT_TRUE(resources::Menutexture()->HasAlpha());
    EXPECT_GE(resources::UIKitBackground()->Width(), 560);  // the main window's size
    EXPECT_GE(resources::UIKitBackground()->Height(), 376);
    EXPECT_EQ(resources::en().rfind("[Lang=English]\n", 0), 0u);
}

TEST_F(ResourcesTest, PictureMissingAtFirstIsPickedUpLaterThenKept) {
    testsupport::TempFolder dir;
    ScopedEnv env{"MALVOREN_RESOURCES_DIR", dir.Path().string()};
    EXPECT_FALSE(resources::reload());
    const fs::path shipped = fs::path(MALVOREN_SOURCE_DIR) / "resources";
    fs::copy_file(shipped / "reload.png", dir / "reload.png");
    const platform::PicturePtr first = resources::reload();
    ASSERT_TRUE(first);
    // Once read, a changed file is not read again.
    fs::copy_file(shipped / "UI Kit Background.png", dir / "reload.png",
                  fs::copy_options::overwrite_existing);
    EXPECT_EQ(resources::reload(), first);
}

TEST_F(ResourcesTest, UnreadablePictureGivesNone) {
    testsupport::TempFolder dir;
    ScopedEnv env{"MALVOREN_RESOURCES_DIR", dir.Path().string()};
    dir.Write("Update.png", "not a picture");
    EXPECT_FALSE(resources::Update());
    ScopedEnv gone{"MALVOREN_RESOURCES_DIR", (dir / "nowhere").string()};
    EXPECT_FALSE(resources::Settings_icon());
}

TEST_F(ResourcesTest, ReferenceFileIsReadOncePerRun) {
    testsupport::TempFolder dir;
    ScopedEnv env{"MALVOREN_RESOURCES_DIR", dir.Path().string()};
    EXPECT_EQ(resources::en(), "");
    dir.Write("en.lng", "[Lang=English]");
    EXPECT_EQ(resources::en(), "");  // not seen until the next run
    resources::ResetResources();
    EXPECT_EQ(resources::en(), "[Lang=English]");
    dir.Write("en.lng", "changed");
    EXPECT_EQ(resources::en(), "[Lang=English]");
}

}  // namespace
