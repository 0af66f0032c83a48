#include "windows/support/main_window_fixture.h"

#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/sarvelin.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "platform/widgets/pagepanel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>

#include <algorithm>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

int RecordingMainWindow::Count(const std::string& handler) const {
    return static_cast<int>(std::count(log.begin(), log.end(), handler));
}

void RecordingMainWindow::ShowToolTip(const std::string& text, platform::Control& control,
                                      std::int32_t position) {
    bubbles.push_back({text, &control, PagePanel1().Value()});
    MainWindow::ShowToolTip(text, control, position);
}

void RecordingMainWindow::Resize_Skin_CheckBox_Action() {
    log.push_back("Resize_Skin_CheckBox_Action");
    MainWindow::Resize_Skin_CheckBox_Action();
}

void RecordingMainWindow::ScaleCheckbox_Action() {
    log.push_back("ScaleCheckbox_Action");
    MainWindow::ScaleCheckbox_Action();
}

void RecordingMainWindow::Width_Output_EditField_TextChange() {
    log.push_back("Width_Output_EditField_TextChange");
    MainWindow::Width_Output_EditField_TextChange();
}

void RecordingMainWindow::Height_Output_EditField_TextChange() {
    log.push_back("Height_Output_EditField_TextChange");
    MainWindow::Height_Output_EditField_TextChange();
}

void RecordingMainWindow::PagePanel1_Change() {
    log.push_back("PagePanel1_Change");
    MainWindow::PagePanel1_Change();
}

void RecordingMainWindow::Breadcrumbs_Action(std::int32_t index, const std::string& caption) {
    log.push_back("Breadcrumbs_Action");
    MainWindow::Breadcrumbs_Action(index, caption);
}

void RecordingMainWindow::Border_Color_EditField_Open() {
    controlsAtPickerOpen = ControlCount();
    borderBoxSeenByPicker = FindControl("Border_Checkbox") != nullptr;
    MainWindow::Border_Color_EditField_Open();
}

void RecordingMainWindow::OpenXML(const platform::FolderItem* item) {
    if (JobRunning()) {
        ++reanalyses;
        if (failReanalysis)
            throw std::runtime_error("disk gone");
    }
    MainWindow::OpenXML(item);
}

void RecordingMainWindow::Check() {
    ++checks;
    if (failInCheck)
        throw std::runtime_error("no network card");
}

void RecordingMainWindow::Event_Open() {
    opened = true;
    simpleTickedAtOpen = Resize_Skin_CheckBox().Value();
    scaleTickedAtOpen = ScaleCheckbox().Value();
    widthTextChangesAtOpen = Count("Width_Output_EditField_TextChange");
    pageStepAtOpen = Sarvelin1().PageStep;
    MainWindow::Event_Open();
}

void RecordingMainWindow::Event_Close() {
    jobRunningAtClose = JobRunning();
    MainWindow::Event_Close();
}

std::string Skin(const TempFolder& folder, const std::string& name, int width, int height,
                 const std::string& extra) {
    const fs::path xml =
        folder.Write(name, "<?xml version=\"1.0\"?>\n<skin name=\"T\" version=\"7\" width=\"" +
                               std::to_string(width) + "\" height=\"" + std::to_string(height) +
                               "\">\n" + extra + "</skin>\n");
    QImage bitmap(8, 8, QImage::Format_RGB32);
    bitmap.fill(Qt::gray);
    bitmap.save(QString::fromStdString(fs::path(xml).replace_extension(".png").string()), "PNG");
    return xml.string();
}

MainWindowFixture::MainWindowFixture(Opening opening)
    : m_opening(opening) {
    state.SetEnv("MALVOREN_APP_DIR", temp.Path().string());
    state.SetEnv("XDG_CONFIG_HOME", (temp / "cfg").string());
    state.SetEnv("HOME", temp.Path().string());
    state.SetEnv("MALVOREN_OFFLINE", "1");
    state.SetEnv("MALVOREN_RESOURCES_DIR", std::string(MALVOREN_SOURCE_DIR) + "/resources");
}

void MainWindowFixture::SetUp() {
    FileTypes1::Initialize();
    // The settings file is written only with the date of the last update check.
    INI_Read_Write::LastCheck = platform::DateTime{2026, 12, 1, 9, 0, 0};
    fs::create_directories(temp / "cfg");
    if (m_opening == Opening::AtSetUp)
        Build();
}

void MainWindowFixture::TearDown() {
    platform::Window::SetModalHook({});
    CloseWindows(w.data());
    delete w.data();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

RecordingMainWindow& MainWindowFixture::Build() {
    delete w.data();
    w = new RecordingMainWindow;
    w->Build();
    return *w;
}

RecordingMainWindow& MainWindowFixture::Open(const std::optional<std::string>& settings) {
    delete w.data();
    fs::remove_all(temp / "cfg");
    if (settings) {
        fs::create_directories(ConfigFile().parent_path());
        temp.Write("cfg/Malvoren Tool/Config.ini", *settings);
    }
    ResetState();
    notices.clear();
    dialogs->shown.clear();
    return Build();
}

std::string MainWindowFixture::Skin(const std::string& name, int width, int height,
                                    const std::string& extra) const {
    return testsupport::Skin(temp, name, width, height, extra);
}

void MainWindowFixture::ChooseInput(const std::string& input) {
    dialogs->QueueOpenFile(input);
    w->Input_Button_Action();
}

void MainWindowFixture::PrepareSimple(const std::string& input, const std::string& width,
                                      const std::string& height) {
    ChooseInput(input);
    fs::create_directories(temp / "out");
    w->OutputXML_EditField().SetText((temp / "out" / "out.xml").string());
    // Free sizes: "Keep Skin in scale" would derive the height from the width.
    w->ScaleCheckbox().SetValue(false);
    w->Width_Output_EditField().SetText(width);
    w->Height_Output_EditField().SetText(height);
    w->Resize_Skin_CheckBox().SetValue(true);
}

void MainWindowFixture::FinishJob() {
    for (int i = 0; i < 200 && w->JobRunning(); ++i)
        QCoreApplication::processEvents();
    ASSERT_FALSE(w->JobRunning());
}

void MainWindowFixture::WriteTestishLanguage(const std::vector<std::string>& keys) const {
    std::string lng = "[Lang=Testish]\n";
    for (const std::string& key : keys)
        lng += key + "=T-" + key + "\n";
    temp.Write("testish.lng", lng);
}

fs::path MainWindowFixture::ConfigFile() const {
    return temp / "cfg" / "Malvoren Tool" / "Config.ini";
}

std::string MainWindowFixture::Log() const {
    return ReadAll(temp / "Malvoren log.txt");
}

}  // namespace testsupport
