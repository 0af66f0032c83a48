#pragma once

#include "app/batch.h"
#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/resources.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/menu.h"
#include "platform/widgets/window.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/main/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

/// Records the bubbles the window shows.
class RecordingWindow : public MainWindow {
public:
    struct Bubble {
        std::string text;
        platform::Control* control;
    };
    std::vector<Bubble> bubbles;

    void ShowToolTip(const std::string& text, platform::Control& control,
                     std::int32_t position) override {
        bubbles.push_back({text, &control});
        MainWindow::ShowToolTip(text, control, position);
    }
};

/// A built main window over fresh module state, with the application, settings, home and
/// resources folders pointed at a temporary folder (the shipped pictures stay reachable),
/// scripted dialogs and a recording launcher. Every window of ours still open at the end is
/// closed and deleted.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FileTypes1::Initialize();
        ResetState();
        Language::SetMessages();
        // The settings file is written only with the date of the last update check.
        INI_Read_Write::LastCheck = platform::DateTime{2026, 12, 1, 9, 0, 0};
        std::filesystem::create_directories(temp / "cfg");
        w = new RecordingWindow;
        w->Build();
    }
    void TearDown() override {
        platform::Window::SetModalHook({});
        CloseOthers();
        delete w;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetState();
    }
    /// Closes every window of ours but the main window. One that refuses (the browser options
    /// with a text size out of range) is deleted, so that no test finds another's window.
    void CloseOthers() {
        for (platform::Window* open : platform::Window::FrontToBack()) {
            if (open != w && !open->Close(true))
                delete open;
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void ResetState() {
        Variables::ResetDefaults();
        Variables::RC = "\n";
        Variables::ResetPictures();
        Browser::ResetDefaults();
        INI_Read_Write::ResetSettings();
        INI_Read_Write::ResetRunOnce();
        Language::ResetLanguage();
        Resources::ResetResources();
        App::SetMessageWindowPresenter({});
    }

    /// A skin of width × height with an 8 × 8 grey bitmap beside it; `extra` goes inside the
    /// skin element.
    std::string Skin(const std::string& name, int width, int height,
                     const std::string& extra = {}) const {
        const std::filesystem::path xml =
            temp.Write(name, "<?xml version=\"1.0\"?>\n<skin name=\"T\" version=\"7\" width=\"" +
                                 std::to_string(width) + "\" height=\"" + std::to_string(height) +
                                 "\">\n" + extra + "</skin>\n");
        QImage bitmap(8, 8, QImage::Format_RGB32);
        bitmap.fill(Qt::gray);
        bitmap.save(
            QString::fromStdString(std::filesystem::path(xml).replace_extension(".png").string()),
            "PNG");
        return xml.string();
    }

    /// Chooses `input` through the input "..." and prepares a "Simple" job at its own size
    /// into out/out.xml.
    void PrepareSimple(const std::string& input, const std::string& width,
                       const std::string& height) {
        dialogs->QueueOpenFile(input);
        w->Input_Button_Action();
        std::filesystem::create_directories(temp / "out");
        w->OutputXML_EditField().SetText((temp / "out" / "out.xml").string());
        w->ScaleCheckbox().SetValue(false);
        w->Width_Output_EditField().SetText(width);
        w->Height_Output_EditField().SetText(height);
        w->Resize_Skin_CheckBox().SetValue(true);
    }
    /// Lets the started job run to its end.
    void FinishJob() {
        for (int i = 0; i < 100 && w->JobRunning(); ++i)
            QCoreApplication::processEvents();
        ASSERT_FALSE(w->JobRunning());
    }

    /// The open windows of class W.
    template <typename W>
    static std::vector<W*> OpenWindows() {
        std::vector<W*> found;
        for (platform::Window* open : platform::Window::FrontToBack()) {
            if (auto* win = dynamic_cast<W*>(open); win && !win->IsClosed())
                found.push_back(win);
        }
        return found;
    }

public:
    testsupport::TempFolder temp;
    ScopedEnv appDir{"MALVOREN_APP_DIR", temp.Path().string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (temp / "cfg").string()};
    ScopedEnv home{"HOME", temp.Path().string()};
    ScopedEnv offline{"MALVOREN_OFFLINE", "1"};
    ScopedEnv resources{"MALVOREN_RESOURCES_DIR", std::string(MALVOREN_SOURCE_DIR) + "/resources"};
    platform::ScopedScriptedDialogs dialogs;
    platform::ScopedRecordingLauncher launcher;
    RecordingWindow* w = nullptr;
};
