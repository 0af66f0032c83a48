#include "windows/info/message_window.h"

#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "kit/buttons/ui_button.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/widgets/canvas.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

using testsupport::ClickCentre;

class MessageWindowTest : public testsupport::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        // Each text's height is the number after "h:", so that the rule is met exactly.
        m_previous = Message_Window::SetTextMeasure([this](const std::string& text, int wrap) {
            measured.push_back(text);
            wraps.push_back(wrap);
            return std::stoi(text.substr(text.find("h:") + 2));
        });
    }
    void TearDown() override {
        Message_Window::SetTextMeasure(std::move(m_previous));
        WindowFixture::TearDown();
    }
    static Message_Window& Show(const std::string& text, std::int32_t id) {
        Message_Window& w = Message_Window::Instance();
        w.Disp(text, id, nullptr);
        return w;
    }
    std::vector<std::string> measured;
    std::vector<int> wraps;

private:
    Message_Window::TextMeasure m_previous;
};

TEST_F(MessageWindowTest, OpensAsLaidOut) {
    Message_Window& w = Message_Window::Instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Width(), 367);
    EXPECT_EQ(w.Height(), 130);
    EXPECT_EQ(w.Title(), "");
    EXPECT_EQ(w.Message, "");
    EXPECT_EQ(w.Number, 0);
    EXPECT_EQ(w.PushButton1().Caption(), "Ok");
    EXPECT_EQ(w.RunOnce_CheckBox().Caption, "Do not show this message again");
    EXPECT_FALSE(w.RunOnce_CheckBox().Value());
    EXPECT_EQ(&Message_Window::Instance(), &w);  // one window
}

struct HeightCase {
    const char* name;
    int textHeight;
    int windowHeight;
    int controlsTop;     // height - 49
    int textAreaHeight;  // height - 77
};
const HeightCase kHeightCases[] = {
    // clang-format off
    {"FitsTheLayout",       54, 130,  81,  53},
    {"OnePixelTaller",      55, 131,  82,  54},
    {"TallTextGrowsTheBox", 100, 176, 127,  99},
    // clang-format on
};

class MessageWindowHeightTest : public MessageWindowTest,
                                public ::testing::WithParamInterface<HeightCase> {};

TEST_P(MessageWindowHeightTest, WindowGrowsWithTheMeasuredText) {
    const std::string text = "notice h:" + std::to_string(GetParam().textHeight);
    Message_Window& w = Show(text, 5);
    EXPECT_EQ(measured, std::vector<std::string>{text});
    EXPECT_EQ(wraps, std::vector<int>{240});
    EXPECT_EQ(w.Height(), GetParam().windowHeight);
    EXPECT_EQ(w.PushButton1().Top(), GetParam().controlsTop);
    EXPECT_EQ(w.RunOnce_CheckBox().Top(), GetParam().controlsTop);
    EXPECT_EQ(w.PushButton1().Left(), 267);
    EXPECT_EQ(w.RunOnce_CheckBox().Left(), 20);
    EXPECT_EQ(w.Message_Canvas().Top(), 14);
    EXPECT_EQ(w.Message_Canvas().Height(), GetParam().textAreaHeight);
    EXPECT_EQ(w.Message_Canvas().Width(), 327);
}
INSTANTIATE_TEST_SUITE_P(Heights, MessageWindowHeightTest, ::testing::ValuesIn(kHeightCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageWindowTest, SecondNoticeReplacesTextAndIdAndNeverShrinks) {
    Message_Window& w = Show("long h:100", 4);
    EXPECT_EQ(&Show("short h:20", 5), &w);
    EXPECT_EQ(w.Message, "short h:20");
    EXPECT_EQ(w.Number, 5);
    EXPECT_EQ(w.Height(), 176);
    EXPECT_EQ(w.PushButton1().Top(), 127);
}

TEST_F(MessageWindowTest, OkWithTheBoxTickedAppendsOnlyTheLastId) {
    Message_Window& w = Show("first h:10", 4);
    ClickCentre(w.RunOnce_CheckBox());
    ASSERT_TRUE(w.RunOnce_CheckBox().Value());
    Show("second h:10", 5);
    ClickCentre(w.PushButton1());
    EXPECT_TRUE(w.IsClosed());
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{0, 5}));
    EXPECT_EQ(platform::Existing<Message_Window>(), nullptr);
}

TEST_F(MessageWindowTest, CloseBoxWithTheBoxTickedAppendsTheId) {
    Message_Window& w = Show("notice h:10", 1);
    w.RunOnce_CheckBox().SetValue(true);
    w.close();  // the close box
    EXPECT_TRUE(w.IsClosed());
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{0, 1}));
}

TEST_F(MessageWindowTest, ClosingUntickedRecordsNothing) {
    Message_Window& w = Show("notice h:10", 1);
    ClickCentre(w.PushButton1());
    EXPECT_TRUE(w.IsClosed());
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{0}));
}

TEST_F(MessageWindowTest, QuittingWithTheWindowOpenAndTickedStillRecordsTheId) {
    Message_Window& w = Show("notice h:10", 1);
    w.RunOnce_CheckBox().SetValue(true);
    EXPECT_TRUE(platform::CloseAllWindows(nullptr));
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{0, 1}));
}

TEST_F(MessageWindowTest, NextNoticeAfterACloseOpensAFreshWindow) {
    Message_Window& first = Show("long h:100", 4);
    first.RunOnce_CheckBox().SetValue(true);
    first.close();
    Message_Window& second = Show("short h:10", 5);
    EXPECT_NE(&second, &first);
    EXPECT_EQ(second.Height(), 130);
    EXPECT_FALSE(second.RunOnce_CheckBox().Value());
}

struct CaptionCase {
    const char* name;
    const char* lang;
    bool translated;  // the language has an entry for the box's caption
    const char* caption;
};
const CaptionCase kCaptionCases[] = {
    // clang-format off
    {"EnglishKeepsTheLayout",      "English",  true,  "Do not show this message again"},
    {"EnglishInAnyCase",           "eNGLISH",  true,  "Do not show this message again"},
    {"OtherLanguageTranslates",    "Français", true,  "Ne plus afficher ce message"},
    {"MissingEntryShowsTheKey",    "Français", false, "Do not show this message again"},
    // clang-format on
};

class MessageCaptionTest : public MessageWindowTest,
                           public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(MessageCaptionTest, BoxFollowsTheLanguageButtonNever) {
    if (GetParam().translated)
        testsupport::UseLanguage(GetParam().lang,
                                 {{"Do not show this message again", "Ne plus afficher ce message"},
                                  {"Ok", "D'accord"}});
    else
        testsupport::UseLanguage(GetParam().lang, {});
    Message_Window& w = Message_Window::Instance();
    EXPECT_EQ(w.RunOnce_CheckBox().Caption, GetParam().caption);
    EXPECT_EQ(w.PushButton1().Caption(), "Ok");
}
INSTANTIATE_TEST_SUITE_P(Captions, MessageCaptionTest, ::testing::ValuesIn(kCaptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageWindowTest, RealMeasureIsTheWrappedHeightInTheDefaultFont) {
    Message_Window::SetTextMeasure({});
    const std::string text =
        "A notice long enough to wrap several times at two hundred and forty pixels, so that "
        "its height is well above the room the layout gives, which is fifty-four pixels high "
        "and no more than that in any font the tool uses.";
    const platform::PicturePtr surface = platform::Picture::New(1, 1);
    const int height = surface->Graphics().StringHeight(text, 240);
    ASSERT_GT(height, 54);
    Message_Window& w = Message_Window::Instance();
    w.Disp(text, 1, nullptr);
    EXPECT_EQ(w.Height(), height + 76);
}

TEST_F(MessageWindowTest, PaintsTheNoticeInWhiteBesideTheIcon) {
    Message_Window& w = Show("Notice h:10", 1);
    const platform::Picture& p = w.Message_Canvas().Render();
    // White text pixels right of x 50 on the first line (baseline 10); none past the wrap
    // width 50 + 240.
    int white = 0;
    int whitePastWrap = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 50; x < p.Width(); ++x) {
            if (p.Image().pixel(x, y) == 0xFFFFFFFFu)
                (x < 290 ? white : whitePastWrap)++;
        }
    }
    EXPECT_GT(white, 0);
    EXPECT_EQ(whitePastWrap, 0);
}

TEST_F(MessageWindowTest, InstalledPresenterShowsNoticesThatAreNotSuppressed) {
    platform::ScopedScriptedDialogs dialogs;
    InstallMessageWindow();
    App::ShowMessageWindow("Aspect h:10", 5);
    ASSERT_NE(platform::Existing<Message_Window>(), nullptr);
    EXPECT_EQ(platform::Existing<Message_Window>()->Message, "Aspect h:10");
    EXPECT_EQ(platform::Existing<Message_Window>()->Number, 5);
    EXPECT_TRUE(dialogs->shown.empty());
    platform::Existing<Message_Window>()->Close();
    INI_Read_Write::RunOnce = {0, 5};
    App::ShowMessageWindow("Aspect h:10", 5);
    EXPECT_EQ(platform::Existing<Message_Window>(), nullptr);
    App::SetMessageWindowPresenter({});
}

TEST_F(MessageWindowTest, WithoutADisplayTheNoticeGoesWhereEveryMessageGoes) {
    platform::ScopedScriptedDialogs dialogs;
    dialogs->headless = true;
    InstallMessageWindow();
    App::ShowMessageWindow("Aspect h:10", 5);
    EXPECT_EQ(platform::Existing<Message_Window>(), nullptr);
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{"Aspect h:10"});
    App::SetMessageWindowPresenter({});
}

}  // namespace
