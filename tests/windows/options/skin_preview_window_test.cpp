#include "windows/options/skin_preview_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/picture.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>

#include <string>
#include <vector>

namespace {

void SendMouse(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target.mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

class SkinPreviewTest : public testsupport::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Variables::outWidth = 640;
        Variables::outHeight = 480;
        Variables::Str_Line = {R"(<skin name="t" width="640" height="480">)",
                               R"(<logo>)",
                               R"(<pos x="20" y="10"/>)",
                               R"(<size width="1" height="50"/>)",
                               R"(</logo>)",
                               R"(<button action="close">)",
                               R"(<pos x="600" y="5"/>)",
                               R"(<size width="20" height="18"/>)",
                               R"(</button>)"};
        Variables::New_picture = platform::Picture::New(640, 480);
        auto& g = Variables::New_picture->Graphics();
        g.ForeColor = platform::RGB(0x00, 0x80, 0x00);
        g.FillRect(0, 0, 640, 480);
    }

    platform::ScopedScriptedPopups popups;
};

TEST_F(SkinPreviewTest, TakesTheOutputSizeAtTheScreensTopLeft) {
    auto& p = Skin_Preview_Window::OpenNew();
    EXPECT_EQ(p.Left(), 0);
    EXPECT_EQ(p.Top(), 0);
    EXPECT_EQ(p.Width(), 640);
    EXPECT_EQ(p.Height(), 480);
    EXPECT_EQ(p.Title(), "Skin Preview");
    // Logo height 50: width 50 x 177 / 43 = 205.8, fraction dropped.
    EXPECT_EQ(p.Logo, (std::array<std::int32_t, 5>{0, 20, 10, 205, 50}));
    EXPECT_EQ(p.Close_Area, (std::array<std::int32_t, 5>{0, 600, 5, 20, 18}));
}

TEST_F(SkinPreviewTest, PaintsThePictureAndTheRedLogoBoxFramedInBlack) {
    auto& p = Skin_Preview_Window::OpenNew();
    const QImage shot = p.Content()->grab().toImage();
    EXPECT_EQ(At(shot, 300, 300), 0x008000u);  // the output picture
    EXPECT_EQ(At(shot, 100, 40), 0xFF0000u);   // inside the box (20..224, 10..59)
    EXPECT_EQ(At(shot, 20, 30), 0x000000u);    // its left frame line
    EXPECT_EQ(At(shot, 224, 30), 0x000000u);   // right line: 20 + 205 - 1
    EXPECT_EQ(At(shot, 225, 30), 0x008000u);
    // The text starts at x 30 with its baseline at 22: black pixels lie above the baseline.
    bool text = false;
    for (int y = 12; y <= 22; ++y)
        for (int x = 30; x < 90; ++x)
            text = text || At(shot, x, y) == 0x000000u;
    EXPECT_TRUE(text);
    p.Show_Logo = false;
    const QImage plain = p.Content()->grab().toImage();
    EXPECT_EQ(At(plain, 100, 40), 0x008000u);
}

TEST_F(SkinPreviewTest, WithoutAnOutputPictureItPaintsWithoutFailing) {
    Variables::New_picture.reset();
    auto& p = Skin_Preview_Window::OpenNew();
    p.Show_Logo = false;
    const QImage shot = p.Content()->grab().toImage();
    EXPECT_EQ(shot.width(), 640);
}

TEST_F(SkinPreviewTest, TheCloseAreaIsInclusive) {
    struct Press {
        int x, y;
        bool closes;
    };
    // Close area x 600..620, y 5..23, both ends included.
    const Press presses[] = {{600, 5, true}, {620, 23, true}, {621, 10, false}, {610, 24, false}};
    for (const auto& press : presses) {
        QPointer<Skin_Preview_Window> p = &Skin_Preview_Window::OpenNew();
        SendMouse(*p, QEvent::MouseButtonPress, QPoint(press.x, press.y), Qt::LeftButton,
                  Qt::LeftButton);
        SendMouse(*p, QEvent::MouseButtonRelease, QPoint(press.x, press.y), Qt::LeftButton,
                  Qt::NoButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(p.isNull(), press.closes) << press.x << "," << press.y;
        if (p)
            p->platform::Window::Close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(SkinPreviewTest, AContextualClickInTheCloseAreaOpensTheMenuAndNeverCloses) {
    QPointer<Skin_Preview_Window> p = &Skin_Preview_Window::OpenNew();
    popups->QueueChoice("Show Logo");
    SendMouse(*p, QEvent::MouseButtonPress, QPoint(605, 10), Qt::RightButton, Qt::RightButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(p.isNull());
    ASSERT_EQ(popups->shown.size(), 1u);
    const auto& rows = popups->shown[0].rows;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].text, "Close");
    EXPECT_EQ(rows[2].text, "Show Logo");
    EXPECT_TRUE(rows[2].checked);
    EXPECT_EQ(rows[3].tag, 3);
    EXPECT_FALSE(p->Show_Logo);
    // The check mark follows the box.
    popups->QueueChoice("Show Logo");
    SendMouse(*p, QEvent::MouseButtonPress, QPoint(300, 300), Qt::RightButton, Qt::RightButton);
    ASSERT_EQ(popups->shown.size(), 2u);
    EXPECT_FALSE(popups->shown[1].rows[2].checked);
    EXPECT_TRUE(p->Show_Logo);
}

TEST_F(SkinPreviewTest, ADragMovesTheWindowByThePointersMovementAndInitialPositionResets) {
    auto& p = Skin_Preview_Window::OpenNew();
    SendMouse(p, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(p.MouseCursor(), platform::SystemCursor::ArrowAllDirections);
    SendMouse(p, QEvent::MouseMove, QPoint(130, 90), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p.Left(), 30);
    EXPECT_EQ(p.Top(), -10);
    SendMouse(p, QEvent::MouseButtonRelease, QPoint(100, 100), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(p.MouseCursor(), platform::SystemCursor::StandardPointer);
    popups->QueueChoice("Initial Position");
    SendMouse(p, QEvent::MouseButtonPress, QPoint(300, 300), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(p.Left(), 0);
    EXPECT_EQ(p.Top(), 0);
}

TEST_F(SkinPreviewTest, ALogoOnTheLastLineAndALargerThanScreenPreviewOpenAllTheSame) {
    Variables::outWidth = 5000;
    Variables::outHeight = 3000;
    Variables::Str_Line = {R"(<skin>)", R"(<logo>)"};
    auto& p = Skin_Preview_Window::OpenNew();
    EXPECT_EQ(p.Width(), 5000);
    EXPECT_EQ(p.Height(), 3000);
    EXPECT_EQ(p.Logo, (std::array<std::int32_t, 5>{0, 0, 0, 0, 0}));
}

}  // namespace
