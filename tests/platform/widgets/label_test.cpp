#include "platform/widgets/label.h"

#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

#include <string>
#include <vector>

using namespace platform;

namespace {

/// A window with one label at (20, 30); a press that reaches the window is logged, so the
/// tests see where an untaken press ends up.
class LabelWindow : public Window {
public:
    Label* label = nullptr;
    bool takePress = false;
    std::vector<std::string> log;

protected:
    void Layout() override {
        setGeometry(30, 30, 200, 120);
        label = &AddControl<Label>(
            this,
            [](Label& l) {
                l.SetName("StaticText4");
                l.setGeometry(20, 30, 40, 20);
                l.SetText("x");
            },
            [this](Label& l) {
                l.MouseDown = [this](int x, int y) {
                    log.push_back("MouseDown(" + std::to_string(x) + "," + std::to_string(y) + ")");
                    return takePress;
                };
                l.MouseUp = [this](int x, int y) {
                    log.push_back("MouseUp(" + std::to_string(x) + "," + std::to_string(y) + ")");
                };
                l.MouseEnter = [this] { log.push_back("MouseEnter"); };
                l.MouseExit = [this] { log.push_back("MouseExit"); };
            });
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        log.push_back("window.press(" + std::to_string(at.x()) + "," + std::to_string(at.y()) +
                      ")");
    }
};

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new LabelWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    LabelWindow* w = nullptr;
};

struct PressCase {
    const char* name;
    bool taken;
    std::vector<std::string> log;
};

// clang-format off
const PressCase kPressCases[] = {
    // Taken: the label keeps the press and gets its release.
    {"TakenPressGetsTheRelease", true,  {"MouseDown(3,4)", "MouseUp(5,6)"}},
    // Not taken: the press goes on to the window, at window coordinates (20 + 3, 30 + 4).
    {"UntakenPressGoesOnToTheWindow", false, {"MouseDown(3,4)", "window.press(23,34)"}},
};
// clang-format on

class LabelPressTest : public LabelTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(LabelPressTest, MouseDownDecidesWhereThePressGoes) {
    w->takePress = GetParam().taken;
    Mouse(w->label, QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w->label, QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->log, GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(Presses, LabelPressTest, ::testing::ValuesIn(kPressCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AlignCase {
    const char* name;
    int textAlign;
    Qt::Alignment horizontal;
};

// clang-format off
const AlignCase kAlignCases[] = {
    {"ZeroIsLeft",   0, Qt::AlignLeft},
    {"OneIsCentred", 1, Qt::AlignHCenter},
    {"TwoIsRight",   2, Qt::AlignRight},
};
// clang-format on

class LabelAlignTest : public LabelTest, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(LabelAlignTest, TextAlignMapsToTheHorizontalAlignmentFromTheTop) {
    w->label->SetTextAlign(GetParam().textAlign);
    EXPECT_EQ(w->label->alignment(), GetParam().horizontal | Qt::AlignTop);
}

INSTANTIATE_TEST_SUITE_P(Aligns, LabelAlignTest, ::testing::ValuesIn(kAlignCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_F(LabelTest, EnterAndExitReachTheWindow) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), w->label->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w->label, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w->label, &leave);
    EXPECT_EQ(w->log, (std::vector<std::string>{"MouseEnter", "MouseExit"}));
}

TEST_F(LabelTest, ThePointerShapeIsTheLabelsOwn) {
    w->label->SetMouseCursor(SystemCursor::FingerPointer);
    EXPECT_EQ(w->label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    w->label->SetMouseCursor(SystemCursor::IBeam);
    EXPECT_EQ(w->label->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(LabelTest, TextSettingsReachTheFontAndColour) {
    Label& l = *w->label;
    EXPECT_EQ(l.font().pixelSize(), 12);  // size 0 means 12 px
    l.SetTextSize(16);
    l.SetBold(true);
    l.SetTextColor(RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(l.font().pixelSize(), 16);
    EXPECT_TRUE(l.font().bold());
    EXPECT_EQ(QFontInfo(l.font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(l.palette().color(QPalette::Active, QPalette::WindowText), QColor(255, 255, 255));
}

TEST_F(LabelTest, LineEndsBreakOnlyAMultilineLabel) {
    Label& l = *w->label;
    l.SetText("Malvoren Tool\rVersion: 1.2.0\r\nBuild");
    EXPECT_EQ(l.Text(), "Malvoren Tool\rVersion: 1.2.0\r\nBuild");  // kept as given
    EXPECT_EQ(l.text(), QStringLiteral("Malvoren Tool"));
    l.SetMultiline(true);
    EXPECT_EQ(l.text(), QStringLiteral("Malvoren Tool\nVersion: 1.2.0\nBuild"));
}
