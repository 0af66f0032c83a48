#include "platform/widgets/overlay.h"

#include "platform/graphics.h"
#include "platform/widgets/window.h"
#include "support/inspection.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace platform;

TEST(OverlayWindowTest, FlagsMakeItAFramelessToolTipThatTakesNoFocus) {
    OverlayWindow overlay(10, 20, 30, 40);
    const Qt::WindowFlags flags = overlay.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::ToolTip);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(overlay.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(overlay.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(overlay.geometry(), QRect(10, 20, 30, 40));
    overlay.SetAlpha(1.1);  // read back exactly, as the fade relies on
    EXPECT_DOUBLE_EQ(overlay.Alpha(), 1.1);
    EXPECT_DOUBLE_EQ(overlay.windowOpacity(), 1.0);
}

TEST(OverlayWindowTest, ShowingItLeavesTheFocusWhereItWas) {
    auto* owner = new Window;
    auto* field = new QLineEdit(owner);
    owner->setGeometry(50, 50, 200, 100);
    owner->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(owner));
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());

    OverlayWindow overlay(60, 60, 20, 10);
    overlay.SetOwner(owner);
    overlay.UpdateShow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(QApplication::activeWindow(), owner);
    EXPECT_TRUE(field->hasFocus());
    overlay.Close();
    overlay.Close();  // a second close does nothing
    EXPECT_FALSE(overlay.isVisible());
    owner->Close();
}

TEST(OverlayWindowTest, TransparentPixelsOfTheMaskStayTransparent) {
    OverlayWindow overlay(0, 0, 4, 2);
    overlay.Pict = Picture::New(4, 2);
    Graphics& g = overlay.Pict->Graphics();
    g.ForeColor = RGB(0x20, 0x40, 0x80);
    g.FillRect(0, 0, 4, 2);
    overlay.Mask = Picture::New(4, 2);
    Graphics& m = overlay.Mask->Mask()->Graphics();
    // Mask columns: black (opaque), grey 127, white (transparent), black.
    m.ForeColor = RGB(0, 0, 0);
    m.FillRect(0, 0, 4, 2);
    m.ForeColor = RGB(127, 127, 127);
    m.FillRect(1, 0, 1, 2);
    m.ForeColor = RGB(255, 255, 255);
    m.FillRect(2, 0, 1, 2);
    overlay.Mask = PicturePtr(overlay.Mask, overlay.Mask->Mask());

    // Render the widget as the screen would get it, onto a transparent surface.
    QImage screen(4, 2, QImage::Format_ARGB32);
    screen.fill(Qt::transparent);
    overlay.render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
    testsupport::SaveForInspection(screen, "overlay_rendered");
    EXPECT_EQ(qAlpha(screen.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(screen.pixel(1, 0)), 128);  // 255 - 127
    EXPECT_EQ(qAlpha(screen.pixel(2, 1)), 0);
    EXPECT_EQ(qAlpha(screen.pixel(3, 1)), 255);
    EXPECT_EQ(screen.pixel(0, 1) & 0xFFFFFF, 0x204080u);
}
