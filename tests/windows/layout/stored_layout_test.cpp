#include "windows/layout/stored_layout.h"

#include "kit/toggles/ui_checkbox.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/groupbox.h"
#include "platform/widgets/label.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace {

// A group box at (98, 43) holding a check box, and a label and a canvas beside it.
class LaidOutWindow : public platform::Window {
public:
    platform::GroupBox* group = nullptr;
    UI_Checkbox* box = nullptr;
    platform::Label* label = nullptr;
    platform::Canvas* canvas = nullptr;

protected:
    void Layout() override {
        SetWidth(400);
        SetHeight(300);
        group = &AddControl<platform::GroupBox>(this, [](platform::GroupBox& g) {
            layout::Place(g, "GroupBox1", {98, 43, 280, 104}, 1);
        });
        box = &AddControl<UI_Checkbox>(group, [](UI_Checkbox& b) {
            layout::PlaceToggle(b, "Inside_CheckBox", {140, 70, 61, 22}, 3, "Inside");
        });
        label = &AddControl<platform::Label>(this, [](platform::Label& l) {
            layout::StoreLabel(l, "StaticText1", {20, 160, 20, 31}, 2, "x", true);
        });
        canvas = &AddControl<platform::Canvas>(this, [](platform::Canvas& c) {
            c.SetVisible(false);
            c.SetEnabled(false);
            layout::StoreCommon(c, "Canvas1", {20, 200, 50, 40}, 4, "Tip");
        });
    }
};

TEST(StoredLayoutTest, AControlInAContainerStandsWhereTheWindowCoordinatesSay) {
    auto* w = new LaidOutWindow;
    w->Build();
    EXPECT_EQ(w->box->Name(), "Inside_CheckBox");
    EXPECT_EQ(w->box->Parent(), w->group);
    EXPECT_EQ(w->box->Left(), 140);
    EXPECT_EQ(w->box->Top(), 70);
    // Inside the group the position is the difference: 140 - 98 = 42, 70 - 43 = 27.
    EXPECT_EQ(w->box->Widget().pos(), QPoint(42, 27));
    EXPECT_EQ(w->box->Width(), 61);
    EXPECT_EQ(w->box->Height(), 22);
    EXPECT_EQ(w->box->TabIndex, 3);
    EXPECT_EQ(w->box->Caption, "Inside");
    EXPECT_EQ(w->box->TextFont(), "System");
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(StoredLayoutTest, AFullBlockSetsEveryStoredValue) {
    auto* w = new LaidOutWindow;
    w->Build();
    // The common values win over whatever the control held before its block.
    EXPECT_TRUE(w->canvas->Visible());
    EXPECT_TRUE(w->canvas->Enabled());
    EXPECT_EQ(w->canvas->HelpTag(), "Tip");
    EXPECT_EQ(w->canvas->TabIndex, 4);
    EXPECT_EQ(w->label->Text(), "x");
    EXPECT_EQ(w->label->TextAlign(), 1);
    EXPECT_TRUE(w->label->Bold());
    EXPECT_EQ(w->label->Left(), 20);
    EXPECT_EQ(w->label->Top(), 160);
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
