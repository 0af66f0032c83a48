// "Do the Job": the checks of a press, the job state it fills, and the job itself, which runs
// through the window's job runner while the window stays usable.

#include "app/ini_read_write.h"
#include "app/job_run.h"
#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/launcher.h"
#include "platform/screen.h"
#include "platform/text.h"
#include "platform/thread.h"
#include "platform/widgets/pagepanel.h"
#include "windows/main/job_rules.h"
#include "windows/main/main_window.h"
#include "windows/main/main_window_rules.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string Message(std::size_t n) {
    return n < Language::Messages.size() ? Language::Messages[n] : std::string();
}

}  // namespace

platform::Thread& MainWindow::Job_Thread() {
    if (!m_jobThread) {
        m_jobThread = std::make_shared<platform::Thread>();
        m_jobThread->SetRunningFlag(&Variables::ThreadRunning);
        m_jobThread->RunEvent = [this] { Job_Thread_Run(); };
    }
    return *m_jobThread;
}

bool MainWindow::JobRunning() const {
    return m_jobThread && (m_jobThread->IsRunning() || m_jobThread->IsPending());
}

INI_Read_Write::MainWindowFields MainWindow::SettingsFields() const {
    INI_Read_Write::MainWindowFields f;
    f.left = Left();
    f.top = Top();
    f.width = Width();
    f.height = Height();
    const platform::ScreenArea screen = platform::MainScreen();
    f.screenAvailableWidth = screen.availableWidth;
    f.screenAvailableHeight = screen.availableHeight;
    f.resizeSkinChecked = Resize_Skin_CheckBox().Value();
    f.macChecked = Mac_CheckBox().Value();
    f.widthOutputText = Width_Output_EditField().Text();
    f.heightOutputText = Height_Output_EditField().Text();
    return f;
}

void MainWindow::SetJobControlsEnabled(bool enabled) {
    Job_Button().SetEnabled(enabled);
    Input_Button().SetEnabled(enabled);
    if (enabled)
        return;
    // The job's re-analysis of the skin disables "Preview Skin" until a job succeeds; it
    // looks so from the job's start, and the locked controls are shown at once (an
    // immediate repaint paints whatever of the window waits), before the job keeps the loop
    // waiting.
    Preview_button().SetEnabled(false);
    Job_Button().Refresh(true);
}

void MainWindow::SetStatus(const std::string& text) {
    Message_Text().SetText(text);
    Message_Text().Refresh(true);
}

platform::Control& MainWindow::CulpritControl(int culprit) {
    switch (static_cast<mainwindow::Culprit>(culprit)) {
        case mainwindow::Culprit::InputButton:
            return Input_Button();
        case mainwindow::Culprit::OutputButton:
            return Output_Button();
        case mainwindow::Culprit::OutputField:
            return OutputXML_EditField();
        case mainwindow::Culprit::WidthField:
            return Width_Output_EditField();
        case mainwindow::Culprit::HeightField:
            return Height_Output_EditField();
        case mainwindow::Culprit::PagePanel:
            break;
    }
    return PagePanel1();
}

void MainWindow::Job_Button_Action() {
    // One job at a time: a press while a job runs (the button is disabled then, but a queued
    // press may still arrive) must not change the running job's settings or state.
    if (JobRunning())
        return;
    INI_Read_Write::WriteConfig(SettingsFields());
    Chase_Wheel().SetVisible(true);
    Chase_Wheel().Refresh(true);
    Variables::ResizeMethod.clear();
    Variables::outWidth = mainwindow::LeadingInt(Width_Output_EditField().Text());
    Variables::outHeight = mainwindow::LeadingInt(Height_Output_EditField().Text());

    const auto refuse = [this](const mainwindow::Refusal& r, bool focus) {
        Breadcrumbs().SetValue(r.page);
        platform::Control& c = CulpritControl(static_cast<int>(r.control));
        ShowToolTip(r.text.empty() ? Message(static_cast<std::size_t>(r.message)) : r.text, c,
                    r.position);
        if (focus) {
            c.SetFocus();
            if (auto* field = dynamic_cast<UI_TextField*>(&c))
                field->SelectAll();
        }
        if (r.proposedHeight)
            Height_Output_EditField().SetText(std::to_string(*r.proposedHeight));
        Chase_Wheel().SetVisible(false);
    };

    const mainwindow::JobFields fields{InputXML_EditField().Text(), OutputXML_EditField().Text(),
                                       Width_Output_EditField().Text(),
                                       Height_Output_EditField().Text()};
    if (const auto refusal = mainwindow::CheckPathsAndSizes(fields)) {
        refuse(*refusal, true);
        return;
    }

    Variables::InputXMLPath = fields.inputXml;
    Variables::OutputXMLPath = fields.outputXml;
    Variables::inWidth = mainwindow::LeadingInt(Width_input_EditField().Text());
    Variables::inHeight = mainwindow::LeadingInt(Height_Input_EditField().Text());
    Variables::outWidth = mainwindow::LeadingInt(fields.widthOutput);
    Variables::outHeight = mainwindow::LeadingInt(fields.heightOutput);
    Variables::MacEnhance = Mac_CheckBox().Value();
    Variables::OutdoorPicture = Outdoor_Checkbox().Value();
    Variables::MoreOptions = Options_CheckBox().Value();

    bool read = false;
    try {
        read = Variables::Open_XML();
    } catch (const std::exception&) {
        // The file is there but cannot be read as text: the same message as when it cannot
        // be opened, instead of an unhandled-failure report.
        read = false;
    }
    if (!read) {
        const platform::FolderItem input{fs::path(fields.inputXml)};
        if (!input.Exists()) {
            platform::MsgBox("\"" + fields.inputXml + "\"" + Variables::RC + Message(1));
        } else {
            std::FILE* f = std::fopen(fields.inputXml.c_str(), "rb");
            if (f)
                std::fclose(f);
            else
                platform::MsgBox(Message(3) + Message(4) + Message(5) + Message(6));
        }
        Chase_Wheel().SetVisible(false);
        return;
    }

    mainwindow::MethodInput in;
    in.simple = Resize_Skin_CheckBox().Value();
    in.smart = SmartResize_CheckBox().Value();
    in.browser = Browser_Resize_CheckBox().Value();
    in.border = Border_Checkbox().Value();
    in.inWidth = Variables::inWidth;
    in.inHeight = Variables::inHeight;
    in.outWidth = Variables::outWidth;
    in.outHeight = Variables::outHeight;
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(Browser::BrowserCount, 0)),
                              Browser::Browser_Height.size());
    in.browserHeights.assign(Browser::Browser_Height.begin(),
                             Browser::Browser_Height.begin() + static_cast<long>(count));
    const mainwindow::MethodChoice choice = mainwindow::ChooseMethod(in);
    if (choice.refusal) {
        refuse(*choice.refusal, false);
        return;
    }
    if (choice.warnSmallBrowser)
        platform::MsgBox(Message(56));
    Variables::ResizeMethod = choice.method;

    LastSkin = fields.outputXml;
    SetJobControlsEnabled(false);
    Job_Thread().Run();
}

void MainWindow::Job_Thread_Run() {
    // However the job ends (done, failed, or killed by a close), the window takes jobs again.
    struct Reenable {
        MainWindow& w;
        ~Reenable() { w.SetJobControlsEnabled(true); }
    } reenable{*this};

    SetStatus("Process start");
    jobrun::Mode window;
    window.kind = jobrun::Mode::Kind::Window;
    window.status = [this](const std::string& text) { SetStatus(text); };
    window.reanalyse = [this] {
        const platform::FolderItem input{fs::path(InputXML_EditField().Text())};
        OpenXML(&input);
    };
    const jobrun::Outcome outcome = jobrun::RunJob(window);

    if (outcome.ok) {
        Preview_button().SetEnabled(true);
        if (Variables::Window_Open)
            platform::CurrentLauncher().OpenItem(Variables::FileFolder);
    }
    SetStatus("");
    Chase_Wheel().SetVisible(false);
    if (outcome.unexpected)
        platform::MsgBox(
            "The job stopped on an unexpected failure" +
            (outcome.unexpected->empty() ? std::string(".") : ": " + *outcome.unexpected));
}
