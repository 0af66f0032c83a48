#include "platform/widgets/textfield.h"

#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

using namespace platform;

namespace {

/// Two framework fields; the window's handlers log what reaches them.
class FieldWindow : public Window {
public:
    TextField* first = nullptr;
    TextField* second = nullptr;
    std::vector<std::string> log;
    std::string refusedKey;

protected:
    void Layout() override {
        setGeometry(30, 30, 300, 100);
        first = &AddField("LangEditField", 236, 12, 0);
        second = &AddField("Browser_Color_EditField", 20, 50, 1);
    }

private:
    TextField& AddField(const std::string& name, int left, int top, int tab) {
        return AddControl<TextField>(
            this,
            [=](TextField& f) {
                f.SetName(name);
                f.setGeometry(left, top, 96, 22);
                f.TabIndex = tab;
                f.SetText("stored");  // a stored value: no handler is attached yet
            },
            [this, name](TextField& f) {
                f.TextChange = [this, name, &f] {
                    log.push_back(name + ".TextChange:" + f.Text());
                };
                f.KeyDown = [this, name](const std::string& key) {
                    if (key == "\t")
                        log.push_back(name + ".KeyDown:tab");
                    return key == refusedKey;
                };
                f.GotFocus = [this, name] { log.push_back(name + ".GotFocus"); };
                f.LostFocus = [this, name] { log.push_back(name + ".LostFocus"); };
            });
    }
};

class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new FieldWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FieldWindow* w = nullptr;
};

struct LimitCase {
    const char* name;
    int limit;
    std::function<void(TextField&)> act;
    const char* text;
    int changes;
};

const LimitCase kLimitCases[] = {
    {"TypingStopsAtTheLimit", 7,
     [](TextField& f) {
         f.SetText("");
         QTest::keyClicks(&f, "#1A2B3C4D");
     },
     "#1A2B3C", 8},  // the emptying, then 7 accepted keys; the 8th and 9th change nothing
    {"NoLimitTakesEveryKey", 0,
     [](TextField& f) {
         f.SetText("");
         QTest::keyClicks(&f, "#1A2B3C4D");
     },
     "#1A2B3C4D", 10},
    {"AnAssignedTextIsCutToTheLimit", 3, [](TextField& f) { f.SetText("abcdef"); }, "abc", 1},
    {"AssigningTheSameTextRaisesNothing", 0,
     [](TextField& f) {
         f.SetText("abc");
         f.SetText("abc");
     },
     "abc", 1},
    {"ALimitBelowTheTextCutsIt", 0, [](TextField& f) { f.SetLimitText(4); }, "stor", 1},
};

class TextFieldLimitTest : public TextFieldTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(TextFieldLimitTest, LimitTextAndTextChange) {
    const LimitCase& c = GetParam();
    w->first->SetLimitText(c.limit);
    w->log.clear();
    c.act(*w->first);
    EXPECT_EQ(w->first->Text(), c.text);
    EXPECT_EQ(static_cast<int>(w->log.size()), c.changes);
    if (!w->log.empty()) {
        EXPECT_EQ(w->log.back(), std::string("LangEditField.TextChange:") + c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, TextFieldLimitTest, ::testing::ValuesIn(kLimitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_F(TextFieldTest, StoredTextRaisesNoHandler) {
    EXPECT_EQ(w->first->Text(), "stored");
    EXPECT_TRUE(w->log.empty());
}

TEST_F(TextFieldTest, AConsumedKeyNeverReachesTheText) {
    w->first->SetText("");
    w->refusedKey = "x";
    w->log.clear();
    QTest::keyClicks(w->first, "axb");
    EXPECT_EQ(w->first->Text(), "ab");
    EXPECT_EQ(w->log, (std::vector<std::string>{"LangEditField.TextChange:a",
                                                "LangEditField.TextChange:ab"}));
}

TEST_F(TextFieldTest, SelectionCountsCharactersFromZero) {
    TextField& f = *w->first;
    f.SetText("Malvoren");
    EXPECT_EQ(f.SelStart(), 8);  // the caret goes to the end
    f.SetSelStart(2);
    f.SetSelLength(3);
    EXPECT_EQ(f.SelText(), "lvo");
    w->log.clear();
    f.SetSelText("LVO");
    EXPECT_EQ(f.Text(), "MaLVOren");
    EXPECT_EQ(w->log, (std::vector<std::string>{"LangEditField.TextChange:MaLVOren"}));
    f.SetSelLength(100);  // cut at the end of the text
    EXPECT_EQ(f.SelStart(), 5);
    EXPECT_EQ(f.SelLength(), 3);
}

TEST_F(TextFieldTest, AlignmentCodes) {
    // clang-format off
    const struct { int code; Qt::Alignment horizontal; } cases[] = {
        {0, Qt::AlignLeft}, {1, Qt::AlignLeft}, {2, Qt::AlignHCenter}, {3, Qt::AlignRight},
    };
    // clang-format on
    for (const auto& c : cases) {
        w->first->SetAlignment(c.code);
        EXPECT_EQ(w->first->alignment() & Qt::AlignHorizontal_Mask, c.horizontal) << c.code;
    }
}

TEST_F(TextFieldTest, TabIsOfferedThenMovesTheFocusWithFocusEvents) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->first->SetFocus();
    w->log.clear();
    QTest::keyClick(w->first, Qt::Key_Tab);
    EXPECT_EQ(w->Focus(), w->second);
    EXPECT_EQ(w->first->Text(), "stored");  // Tab is never text
    EXPECT_EQ(w->log,
              (std::vector<std::string>{"LangEditField.KeyDown:tab", "LangEditField.LostFocus",
                                        "Browser_Color_EditField.GotFocus"}));
}
