#include "kit/text/ui_colorpicker.h"

#include "app/language.h"
#include "field_window.h"
#include "platform/dialogs.h"
#include "platform/timer.h"
#include "platform/widgets/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>
#include <string>

using namespace fieldtest;
namespace C = platform::keycode;

namespace {

/// Answers the colour chooser from a queue and records what it was asked.
class ChooserScript : public platform::HeadlessDialogs {
public:
    std::optional<platform::Color> SelectColor(const std::string& prompt,
                                               platform::Color initial) override {
        prompts.push_back(prompt);
        starts.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<platform::Color>> answers;
    std::vector<std::string> prompts;
    std::vector<platform::Color> starts;
};

class ColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto script = std::make_unique<ChooserScript>();
        chooser = script.get();
        previous = platform::SetDialogs(std::move(script));
        Language::ResetLanguage();
        w = new FieldWindow;
        w->Build();
        w->log.clear();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::SetDialogs(std::move(previous));
        Language::ResetLanguage();
    }
    Picker& P() { return *w->picker; }
    platform::ScopedManualTimers timers;
    ChooserScript* chooser = nullptr;
    std::unique_ptr<platform::Dialogs> previous;
    FieldWindow* w = nullptr;
};

TEST_F(ColorPickerTest, SettingTheColourWritesItsDigitsAndSwatchSilently) {
    P().SetMyColor(Hex(0xFF0000));
    EXPECT_EQ(P().Text(), "FF0000");
    EXPECT_EQ(P().myColor(), Hex(0xFF0000));
    // The swatch: 31 − 10 = 21 square, black frame at 1, colour from 2.
    ASSERT_TRUE(P().Icon);
    EXPECT_EQ(P().Icon->Width(), 21);
    EXPECT_EQ(PixelAt(*P().Icon, 1, 1), Hex(0x000000));
    EXPECT_EQ(PixelAt(*P().Icon, 10, 10), Hex(0xFF0000));
    EXPECT_EQ(PixelAt(*P().Icon, 19, 19), Hex(0x000000));
    EXPECT_EQ(PixelAt(*P().Icon, 0, 0), Hex(0xFFFFFF)) << "the outer ring keeps the new white";
    P().SetMyColor(Hex(0x000000));
    EXPECT_EQ(P().Text(), "000000");
    EXPECT_TRUE(w->log.empty()) << "no TextChange, no ColorChange reaches the window";
    // Drawn in the field: swatch at 123 − 12 − 21 = 90, (31 − 21) \ 2 = 5.
    P().SetMyColor(Hex(0x00FF00));
    const platform::Picture& shown = P().Render();
    SavePng(shown, "colorpicker");
    EXPECT_EQ(PixelAt(shown, 90 + 10, 5 + 10), Hex(0x00FF00));
    EXPECT_EQ(PixelAt(shown, 91, 6), Hex(0x000000));
}

TEST_F(ColorPickerTest, LeadingHashesAreRemovedAndTheDigitsRead) {
    P().SetText("#00FF00");
    EXPECT_EQ(P().Text(), "00FF00");
    EXPECT_EQ(P().myColor(), Hex(0x00FF00));
    P().SetText("##0000FF");
    EXPECT_EQ(P().Text(), "0000FF");
    EXPECT_EQ(P().myColor(), Hex(0x0000FF));
    P().SetText("12ab9f");
    EXPECT_EQ(P().myColor(), Hex(0x12AB9F));
}

TEST_F(ColorPickerTest, TextThatIsNotSixDigitsKeepsThePreviousColour) {
    P().SetMyColor(Hex(0x123456));
    for (const char* bad : {"", "FF00", "FF000000", "GGHHII", "F#F000"}) {
        P().SetText(bad);
        EXPECT_EQ(P().myColor(), Hex(0x123456)) << bad;
        EXPECT_EQ(P().Text(), bad) << "the typed text stays";
    }
}

TEST_F(ColorPickerTest, TypingChangesTheColourAtEveryKey) {
    P().SetText("");
    SendKey(P(), keycases::Typed("#"));
    EXPECT_EQ(P().Text(), "") << "a typed '#' disappears at once";
    for (const char* k : {"0", "0", "0", "0", "F", "F"})
        SendKey(P(), keycases::Typed(k));
    EXPECT_EQ(P().myColor(), Hex(0x0000FF));
    P().SetSelStart(0);
    SendKey(P(), keycases::Typed("#"));
    EXPECT_EQ(P().Text(), "0000FF");
    EXPECT_EQ(P().SelStart(), 6) << "removing the '#' puts the caret at the end";
    P().SetSelStart(1);
    SendKey(P(), keycases::Typed("#"));
    EXPECT_EQ(P().Text(), "0#000FF") << "a '#' after the first character stays";
    EXPECT_EQ(P().myColor(), Hex(0x0000FF));
    EXPECT_TRUE(w->log.empty());
}

TEST_F(ColorPickerTest, ReturnOpensTheChooserAtTheCurrentColour) {
    P().SetMyColor(Hex(0x336699));
    SendKey(P(), keycases::K(C::kReturn));  // cancelled
    ASSERT_EQ(chooser->prompts.size(), 1u);
    EXPECT_EQ(chooser->prompts[0], "Select a Color");
    EXPECT_EQ(chooser->starts[0], Hex(0x336699));
    EXPECT_EQ(P().Text(), "336699");
    EXPECT_TRUE(w->log.empty());
    chooser->answers.push_back(Hex(0x0000FF));
    SendKey(P(), keycases::K(C::kEnter));
    EXPECT_EQ(P().Text(), "0000FF");
    EXPECT_EQ(P().myColor(), Hex(0x0000FF));
    EXPECT_EQ(w->log, (std::vector<std::string>{"picker.ColorChange(0,0,255)"}));
}

TEST_F(ColorPickerTest, ThePromptIsTranslated) {
    Language::LangList = std::map<std::string, std::string>{{"Select a Color", "Couleur"}};
    SendKey(P(), keycases::K(C::kReturn));
    ASSERT_EQ(chooser->prompts.size(), 1u);
    EXPECT_EQ(chooser->prompts[0], "Couleur");
}

TEST_F(ColorPickerTest, AClickOnTheSwatchOpensTheChooser) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    P().SetMyColor(Hex(0x102030));
    P().Render();
    Click(&P(), QPoint(89, 15));
    EXPECT_TRUE(chooser->prompts.empty());
    EXPECT_TRUE(P().CaretShown());
    Click(&P(), QPoint(90, 15));
    EXPECT_EQ(chooser->prompts.size(), 1u);
}

TEST_F(ColorPickerTest, APickerTenPixelsHighHasNoSwatch) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    P().resize(123, 10);
    P().SetMyColor(Hex(0xFF0000));
    EXPECT_FALSE(P().Icon);
    Click(&P(), QPoint(115, 5));
    EXPECT_TRUE(chooser->prompts.empty());
    EXPECT_TRUE(P().CaretShown());
}

TEST_F(ColorPickerTest, TheRealColourDialogAnswers) {
    platform::SetDialogs(std::make_unique<platform::QtDialogs>());
    P().SetMyColor(Hex(0x333538));
    QColor initial;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        initial = dialog->currentColor();
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    SendKey(P(), keycases::K(C::kReturn));
    EXPECT_EQ(initial, QColor(0x33, 0x35, 0x38));
    EXPECT_EQ(P().Text(), "123456");
    EXPECT_EQ(w->log, (std::vector<std::string>{"picker.ColorChange(18,52,86)"}));
}

}  // namespace
