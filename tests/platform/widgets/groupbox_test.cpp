#include "platform/widgets/groupbox.h"

#include "platform/widgets/window.h"
#include "probe.h"

#include <gtest/gtest.h>

#include <QApplication>

using namespace platform;
using probe::ProbeControl;

namespace {

class GroupWindow : public Window {
public:
    GroupBox* group = nullptr;
    ProbeControl* inside = nullptr;

protected:
    void Layout() override {
        setGeometry(30, 30, 400, 300);
        group = &AddControl<GroupBox>(this, [](GroupBox& g) {
            g.SetName("GroupBox1");
            g.setGeometry(98, 43, 280, 104);
            g.SetCaption("   ");
        });
        inside = &AddControl<ProbeControl>(group, [](ProbeControl& c) {
            c.SetName("Browser_Color_EditField");
            c.SetLeft(140);
            c.SetTop(70);
            c.setFixedSize(61, 22);
        });
    }
};

}  // namespace

TEST(GroupBoxTest, AContainerWhoseControlsKeepWindowCoordinatesAndTheirOwnVisibility) {
    auto* w = new GroupWindow;
    w->Build();
    w->show();
    EXPECT_EQ(w->group->Caption(), "   ");
    EXPECT_EQ(w->inside->Parent(), w->group);
    EXPECT_EQ(w->inside->Left(), 140);
    EXPECT_EQ(w->inside->Top(), 70);
    EXPECT_EQ(w->inside->x(), 140 - 98);
    EXPECT_EQ(w->inside->y(), 70 - 43);
    w->group->SetVisible(false);
    EXPECT_FALSE(w->inside->isVisible());
    EXPECT_TRUE(w->inside->Visible());
    w->group->SetVisible(true);
    EXPECT_TRUE(w->inside->isVisible());
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
