// The main window's opening as a table of settings files and what each makes of the window,
// and its closing, which writes the settings file and quits.
#include "app/app.h"
#include "app/batch.h"
#include "app/file_types.h"
#include "app/gui/menu_bar.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/line_terminator.h"
#include "messages/run_once.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/thread.h"
#include "platform/widgets/menubar_view.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/main/main_window.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::DateTime;

constexpr DateTime Day(int y, int m, int d) {
    return DateTime{y, m, d, 12, 0, 0};
}

// The window is opened by each test, on a 1280 × 800 screen, on 11 December 2026, its notices
// recorded.
class MainWindowSettingsTest : public testsupport::MainWindowFixture {
protected:
    MainWindowSettingsTest()
        : MainWindowFixture(Opening::ByTest) {
        state.SetEnv("MALVOREN_SCREEN", "1280x800");
    }
    void SetUp() override {
        MainWindowFixture::SetUp();
        RecordNotices();
        state.SetToday(Day(2026, 12, 11));
    }
    bool NoticeShown() const {
        for (const testsupport::Notice& n : notices) {
            if (n.id == 1)
                return true;
        }
        return false;
    }

    // Runs `act` from the application's loop, as the program does: the loop's exit status, or
    // 99 when a quit was tried and the window stayed open. The application's own loop, not a
    // local one: only it clears the quit of an earlier test, so that the tests may also run
    // in one process. Qt's quit on the last window closed is off, so that only ours counts.
    int StatusAfter(const std::function<void()>& act) {
        QObject context;
        bool quitTried = false;
        const auto previous = App::SetWindowCloser([this, &quitTried] {
            quitTried = true;
            return platform::CloseAllWindows(w.data());
        });
        const bool quitOnLast = QGuiApplication::quitOnLastWindowClosed();
        QGuiApplication::setQuitOnLastWindowClosed(false);
        // Looks again after every round of posted calls (a running job, a postponed close),
        // until a quit was tried; the timers go with the context.
        std::function<void(int)> watch = [&](int rounds) {
            if (quitTried) {
                if (w && !w->IsClosed())
                    QCoreApplication::exit(99);
                return;
            }
            if (rounds == 0) {
                QCoreApplication::exit(98);
                return;
            }
            QTimer::singleShot(0, &context, [&watch, rounds] { watch(rounds - 1); });
        };
        QTimer::singleShot(0, &context, [&] {
            act();
            watch(1000);
        });
        const int status = QCoreApplication::exec();
        QGuiApplication::setQuitOnLastWindowClosed(quitOnLast);
        App::SetWindowCloser(previous);
        return status;
    }
};

TEST_F(MainWindowSettingsTest, FirstStartWithoutASettingsFile) {
    fs::create_directories(temp / "cfg");
    temp.Write("Malvoren log.txt", "\nold record");
    Open(std::nullopt);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown[0], "Press F8 on keyboard to change language.");
    // Centred on the 1280 × 800 screen: (1280 − 560) / 2 = 360, (800 − 376) / 2 = 212.
    EXPECT_EQ(w->Left(), 360);
    EXPECT_EQ(w->Top(), 212);
    EXPECT_EQ(w->Width_Output_EditField().Text(), "");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "");
    EXPECT_FALSE(w->Resize_Skin_CheckBox().Value());
    EXPECT_FALSE(w->Mac_CheckBox().Value());
    EXPECT_TRUE(w->SmartResize_CheckBox().Value());
    EXPECT_EQ(w->checks, 0);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].id, 1);
    EXPECT_EQ(notices[0].text.rfind("Thank you for downloading the Malvoren Tool.\n\nAccording "
                                    "to the License Agreement",
                                    0),
              0u);
    EXPECT_NE(notices[0].text.find("\n\n- Skins are copyrighted to their respective owners -\n\n"),
              std::string::npos);
    EXPECT_NE(notices[0].text.find("\n\nThis message will appear each time you open this tool. "
                                   "To disable this message, please tick the box below."),
              std::string::npos);
    // The missing keys read as empty: black colours, everything off.
    EXPECT_EQ(Variables::Change_Color, platform::RGB(0, 0, 0));
    EXPECT_FALSE(Variables::Window_Open);
    EXPECT_FALSE(INI_Read_Write::AutoUpdate);
    EXPECT_FALSE(INI_Read_Write::Latest_Version);
    // The built-in "EN" names no language file: the language falls back to English.
    EXPECT_EQ(INI_Read_Write::Lang, "English");
    ASSERT_TRUE(INI_Read_Write::LastCheck);
    EXPECT_EQ(INI_Read_Write::LastCheck->SQLDate(), "2026-12-11");
    // The job log of the last run is gone; the focus is on the input's "...".
    EXPECT_FALSE(fs::exists(temp / "Malvoren log.txt"));
    EXPECT_EQ(w->Focus(), &w->Input_Button());
}

TEST_F(MainWindowSettingsTest, TheSiblingToolsItemShowsInTheBar) {
    // The sibling tool lives beside the application's folder.
    fs::create_directories(temp / "app");
    ScopedEnv app{"MALVOREN_APP_DIR", (temp / "app").string()};
    temp.Write("Tarquell/Tarquell.exe", "");
    Open(std::string());
    QMenuBar* bar = w->MenuBar();
    ASSERT_NE(bar, nullptr);
    QStringList texts;
    for (QAction* action : bar->actions()[0]->menu()->actions())
        texts << action->text();
    // The item, after a separator, follows "Open Skin Folder".
    EXPECT_EQ(texts.size(), 4);
    EXPECT_TRUE(texts.size() > 2 && texts[2] == "Open Tarquell Tool")
        << texts.join("|").toStdString();
    // The menu tree outlives every window: the inserted items go with the window.
    delete w.data();
    MenuBar1::ResetInstance();
}

TEST_F(MainWindowSettingsTest, PlacementOnTheMainScreen) {
    // The window is 560 × 376 on a 1280 × 800 screen: centred across at (1280 − 560) / 2 =
    // 360, down at (800 − 376) / 2 = 212; the last place kept is 1280 − 560 = 720 across and
    // 800 − 376 = 424 down.
    struct Case {
        const char* rule;
        const char* settings;
        int left, top;
    };
    const Case cases[] = {
        {"KeptWhereSaved", "[Position]\nX=100\nY=60", 100, 60},
        {"X10CentresAcross", "[Position]\nX=10\nY=60", 360, 60},
        {"Y30CentresDown", "[Position]\nX=100\nY=30", 100, 212},
        {"OnAScreenToTheRightComesBackAcross", "[Position]\nX=1500\nY=60", 360, 60},
        {"OnAScreenBelowComesBackDown", "[Position]\nX=100\nY=900", 100, 212},
        {"AtTheLastPlaceKept", "[Position]\nX=720\nY=424", 720, 424},
        {"OnePastTheLastPlaceCentres", "[Position]\nX=721\nY=425", 360, 212},
        {"NoNumberCentres", "[Position]\nX=left\nY=", 360, 212},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Open(std::string(c.settings));
        EXPECT_EQ(w->Left(), c.left);
        EXPECT_EQ(w->Top(), c.top);
        EXPECT_TRUE(dialogs->shown.empty());
    }
}

TEST_F(MainWindowSettingsTest, KeysAndWhatTheyMakeOfTheWindow) {
    struct Case {
        const char* rule;
        const char* settings;
        const char* width;
        const char* height;
        std::vector<std::int32_t> runOnce;
        bool notice;
    };
    const Case cases[] = {
        {"OutputZeroIsTheScreen", "[Params]\nOutputW=0\nOutputH=0", "1280", "800", {0}, true},
        {"OutputEmptyStaysEmpty", "[Params]\nOutputW=\nOutputH=", "", "", {0}, true},
        {"OutputZeroPointZeroKept", "[Params]\nOutputW=0.0\nOutputH=00", "0.0", "00", {0}, true},
        {"RunOnceFieldsAboveZeroKept", "[Params]\nRunOnce=0*-3*abc*4*1", "", "", {0, 4, 1}, false},
        {"RunOnceOneIsEveryNoticeOff", "[Params]\nRunOnce=1", "", "", {1}, false},
        {"RunOnceOtherNoticeOff", "[Params]\nRunOnce=0*4", "", "", {0, 4}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Open(std::string(c.settings));
        EXPECT_EQ(w->Width_Output_EditField().Text(), c.width);
        EXPECT_EQ(w->Height_Output_EditField().Text(), c.height);
        EXPECT_EQ(INI_Read_Write::RunOnce, c.runOnce);
        EXPECT_EQ(NoticeShown(), c.notice);
        EXPECT_TRUE(notices.size() <= 1u);
    }
}

TEST_F(MainWindowSettingsTest, EveryKeyReachesItsPlaceAndSmartIsChosenWhateverTheFileSays) {
    Open(
        "[Position]\r\nX=100\r\nY=60\r\nMaximize=1\r\n[Params]\r\nOpen=/skins\r\n"
        "Save=/out/\r\nResizeXML=1\r\nMac=1\r\nOutputW=1920\r\nOutputH=1080\r\nFontSize=1\r\n"
        "Color=#102030\r\nRunOnce=0*\r\n[L_Params]\r\nBorder_Color=#A0B0C0\r\n"
        "Browser_Color=&h0000FF\r\nBrowser_Picture=/pics/b.png\r\nOld_Renderer=0\r\n"
        "WindowOpen=1\r\n[Version]\r\nLang=\r\nLatest_Version=1\r\nAutoUpdate=0\r\n"
        "LastUpdate=2026-12-01\r\nLater=1\r\nSoftware=7.4\r\n");
    EXPECT_EQ(INI_Read_Write::Open_directory, "/skins");
    EXPECT_EQ(INI_Read_Write::Save_directory, "/out/");
    EXPECT_TRUE(w->Mac_CheckBox().Value());
    EXPECT_EQ(w->Width_Output_EditField().Text(), "1920");
    EXPECT_EQ(w->Height_Output_EditField().Text(), "1080");
    EXPECT_TRUE(Variables::No_FontChange);
    EXPECT_EQ(Variables::Change_Color, platform::RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(Variables::P_Border_Color, platform::RGB(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(w->Border_Color_EditField().myColor(), platform::RGB(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(Browser::Browser_Color, platform::RGB(0, 0, 0xFF));
    EXPECT_EQ(Browser::B_Background_Picture, "/pics/b.png");
    EXPECT_TRUE(Variables::Window_Open);
    // Old_Renderer is written, never read back.
    EXPECT_TRUE(Variables::P_Old_Renderer);
    // An empty language keeps the built-in "EN", which names no file: English.
    EXPECT_EQ(INI_Read_Write::Lang, "English");
    EXPECT_TRUE(INI_Read_Write::Latest_Version);
    EXPECT_TRUE(INI_Read_Write::UpdateLater);
    EXPECT_EQ(INI_Read_Write::Software_Version, "7.4");
    // "Simple" was ticked from the file, then the opening chose "Smart" alone.
    EXPECT_FALSE(w->Resize_Skin_CheckBox().Value());
    EXPECT_TRUE(w->SmartResize_CheckBox().Value());
    // Auto-update off: no check, and the date of the last check is today's.
    EXPECT_EQ(w->checks, 0);
    EXPECT_EQ(INI_Read_Write::LastCheck->SQLDate(), "2026-12-11");
}

TEST_F(MainWindowSettingsTest, UpdateScheduleByTheLastCheckTodayAndLater) {
    struct Case {
        const char* rule;
        const char* lastUpdate;
        bool later;
        DateTime today;
        bool check;
    };
    const Case cases[] = {
        {"DotsMakeItDue", "12.05.2013", false, Day(2026, 12, 11), true},
        {"DotsMakeItDueAfterLater", "12.05.2013", true, Day(2026, 12, 11), true},
        {"LaterNotOnThe2nd", "2026-12-01", true, Day(2026, 12, 2), false},
        {"LaterNotOnThe4th", "2026-12-01", true, Day(2026, 12, 4), false},  // 1 + 3 = 4
        {"LaterFromThe5th", "2026-12-01", true, Day(2026, 12, 5), true},
        {"LaterAnyDayOfALaterMonth", "2026-11-30", true, Day(2026, 12, 1), true},
        {"LaterAnyDayOfALaterYear", "2026-12-31", true, Day(2027, 1, 1), true},
        {"OnceADay", "2026-12-11", false, Day(2026, 12, 11), false},
        {"AnyOtherDay", "2026-12-10", false, Day(2026, 12, 11), true},
        {"EvenAnEarlierDay", "2026-12-12", false, Day(2026, 12, 11), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        state.SetToday(c.today);
        Open(std::string("[Version]\nAutoUpdate=1\nLastUpdate=") + c.lastUpdate +
             "\nLater=" + (c.later ? "1" : "0"));
        EXPECT_EQ(w->checks, c.check ? 1 : 0);
    }
    // A check not due keeps the date of the last one as the settings file will store it.
    state.SetToday(Day(2026, 12, 2));
    Open(std::string("[Version]\nAutoUpdate=1\nLastUpdate=2026-12-01\nLater=1"));
    EXPECT_EQ(INI_Read_Write::LastCheck->SQLDate(), "2026-12-01");
}

TEST_F(MainWindowSettingsTest, AFailureStopsTheOpeningWhereItHappensAndTheWindowStays) {
    state.SetToday(Day(2026, 12, 11));
    fs::create_directories(ConfigFile().parent_path());
    temp.Write("cfg/Malvoren Tool/Config.ini",
               "[Params]\nResizeXML=1\n[Version]\nAutoUpdate=1\nLastUpdate=2026-12-01");
    ResetState();
    w = new testsupport::RecordingMainWindow;
    w->failInCheck = true;
    w->Build();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0], "Exception in the Open Event of the Main Window");
    // What came before stays (the notice, the file's "Simple"); "Smart" is never chosen.
    EXPECT_TRUE(NoticeShown());
    EXPECT_TRUE(w->Resize_Skin_CheckBox().Value());
    EXPECT_FALSE(w->SmartResize_CheckBox().Value());
    EXPECT_FALSE(w->IsClosed());
}

TEST_F(MainWindowSettingsTest, ClosingWritesTheSettingsFileAndQuitsWithStatusZero) {
    Open(
        "[Position]\nX=100\nY=60\n[Params]\nOpen=/skins\nSave=/out/\nOutputW=0\nOutputH=0.0\n"
        "Color=#FFFFFF\nRunOnce=0*3\n[L_Params]\nBorder_Color=#000000\n"
        "Browser_Color=#102030\nWindowOpen=1\n[Version]\nLatest_Version=1\nAutoUpdate=0\n"
        "Later=0\nSoftware=7.4");
    fs::remove(ConfigFile());
    EXPECT_EQ(StatusAfter([this] { w->Close(); }), 0);
    EXPECT_TRUE(w == nullptr || w->IsClosed());
    // 27 lines, no line end after the last; Maximize is 0 since 560 × 376 is no more than 90 %
    // of the 1280 × 800 screen; Old_Renderer is its built-in 1; LastUpdate is today.
    EXPECT_EQ(testsupport::ReadAll(ConfigFile()),
              "[Position]\nX=100\nY=60\nMaximize=0\n"
              "[Params]\nOpen=/skins\nSave=/out/\nResizeXML=0\nMac=0\nOutputW=1280\n"
              "OutputH=0.0\nFontSize=0\nColor=#FFFFFF\nRunOnce=0*3*\n"
              "[L_Params]\nBorder_Color=#000000\nBrowser_Color=#102030\nBrowser_Picture=\n"
              "Old_Renderer=1\nWindowOpen=1\n"
              "[Version]\nLang=English\nLatest_Version=1\nAutoUpdate=0\nLastUpdate=2026-12-11\n"
              "Later=0\nSoftware=7.4");
}

TEST_F(MainWindowSettingsTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheToolStillQuits) {
    Open(std::string("[Params]\nRunOnce=1"));
    // A folder where the file should be: nothing can be renamed over it.
    fs::remove(ConfigFile());
    fs::create_directories(ConfigFile() / "kept");
    dialogs->shown.clear();
    EXPECT_EQ(StatusAfter([this] { w->Close(); }), 0);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].rfind(
                  "The settings could not be saved in " + ConfigFile().string() + ".\n", 0),
              0u)
        << dialogs->shown[0];
    EXPECT_TRUE(fs::is_directory(ConfigFile() / "kept"));
    // No temporary file is left beside it.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(ConfigFile().parent_path()), fs::directory_iterator{}),
        1);
}

TEST_F(MainWindowSettingsTest, TheCloseBoxQuitsUnlessAWindowRefuses) {
    Open(std::string("[Params]\nRunOnce=1"));
    platform::SetQuitHandler([] { App::Quit(App::kExitOk); });
    fs::remove(ConfigFile());
    auto* dialog = new platform::Window(platform::Window::Frame::Document);
    bool refuse = true;
    dialog->CancelClose = [&refuse](bool) { return refuse; };
    dialog->Show();
    w->show();
    const auto pressCloseBox = [this] {
        QCloseEvent close;
        QCoreApplication::sendEvent(w.data(), &close);
    };

    // The refusing dialog keeps the tool open: nothing closed, nothing written.
    EXPECT_EQ(StatusAfter(pressCloseBox), 99);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->IsClosed());
    EXPECT_FALSE(dialog->IsClosed());
    EXPECT_FALSE(fs::exists(ConfigFile()));

    refuse = false;
    EXPECT_EQ(StatusAfter(pressCloseBox), 0);
    EXPECT_TRUE(w == nullptr || w->IsClosed());
    EXPECT_EQ(testsupport::ReadAll(ConfigFile()).rfind("[Position]\nX=", 0), 0u);
}

TEST_F(MainWindowSettingsTest, ClosingDuringAJobEndsTheJobBeforeTheSettingsAreWritten) {
    Open(std::string("[Params]\nRunOnce=1"));
    ChooseInput(Skin("in.xml", 1024, 768));
    fs::create_directories(temp / "out");
    w->OutputXML_EditField().SetText((temp / "out" / "out.xml").string());
    w->Width_Output_EditField().SetText("1280");
    w->Height_Output_EditField().SetText("960");
    w->Resize_Skin_CheckBox().SetValue(true);
    w->Job_Button_Action();
    ASSERT_TRUE(w->JobRunning());
    fs::remove(ConfigFile());

    testsupport::RecordingMainWindow::jobRunningAtClose.reset();
    EXPECT_EQ(StatusAfter([this] { w->Close(); }), 0);
    // The close waited for the job's end, then wrote the settings.
    EXPECT_EQ(testsupport::RecordingMainWindow::jobRunningAtClose, std::optional<bool>(false));
    EXPECT_TRUE(fs::exists(ConfigFile()));
    EXPECT_FALSE(Variables::ThreadRunning);
}

}  // namespace
