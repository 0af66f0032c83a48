#pragma once

#include "platform/launcher.h"
#include "support/temp_folder.h"
#include "windows/main/main_window.h"
#include "windows/support/window_fixture.h"

#include <QPointer>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

/// The main window with what tests look for recorded, and two failures a test can ask for.
class RecordingMainWindow : public MainWindow {
public:
    /// A bubble shown: its text, the control it points at, the page shown at that moment.
    struct Bubble {
        std::string text;
        platform::Control* control;
        std::int32_t page;
    };
    std::vector<Bubble> bubbles;

    /// The names of the recorded handlers in the order they ran (the method boxes' and the
    /// size fields' handlers, the page change and the step bar).
    std::vector<std::string> log;
    /// How often `handler` ran.
    int Count(const std::string& handler) const;

    /// What the build had done when the window's Open event began.
    bool opened = false;
    bool simpleTickedAtOpen = false;
    bool scaleTickedAtOpen = false;
    int widthTextChangesAtOpen = -1;
    std::int32_t pageStepAtOpen = 0;
    /// What existed when the border colour field opened.
    std::size_t controlsAtPickerOpen = 0;
    bool borderBoxSeenByPicker = false;

    /// The update checks that the opening ran; with `failInCheck` each one throws.
    int checks = 0;
    bool failInCheck = false;

    /// The re-reads of the skin while a job runs; with `failReanalysis` each one throws as no
    /// step of the job catches.
    int reanalyses = 0;
    bool failReanalysis = false;

    /// Whether the job ran when the last window's Close event began.
    inline static std::optional<bool> jobRunningAtClose;

    void ShowToolTip(const std::string& text, platform::Control& control,
                     std::int32_t position) override;
    void Resize_Skin_CheckBox_Action() override;
    void ScaleCheckbox_Action() override;
    void Width_Output_EditField_TextChange() override;
    void Height_Output_EditField_TextChange() override;
    void PagePanel1_Change() override;
    void Breadcrumbs_Action(std::int32_t index, const std::string& caption) override;
    void Border_Color_EditField_Open() override;
    void OpenXML(const platform::FolderItem* item) override;
    void Check() override;

protected:
    void Event_Open() override;
    void Event_Close() override;
};

/// Writes the skin `name` of width × height into `folder` with an 8 × 8 grey bitmap beside it
/// (the same name with ".png"); `extra` goes inside the skin element. Returns the skin's path.
std::string Skin(const TempFolder& folder, const std::string& name, int width, int height,
                 const std::string& extra = {});

/// A main window test: WindowState with the application's folder, the home folder and the
/// settings folder ("cfg") in a temporary folder, the shipped pictures, no network, scripted
/// dialogs and a recording launcher; the window is a RecordingMainWindow, built at set-up
/// unless the test opens it itself. The window still there at the end is deleted after every
/// other window of ours was closed.
class MainWindowFixture : public WindowFixture {
protected:
    enum class Opening { AtSetUp, ByTest };
    explicit MainWindowFixture(Opening opening = Opening::AtSetUp);

    void SetUp() override;
    void TearDown() override;

    /// Builds a new window over the state as it stands, after deleting the one before.
    RecordingMainWindow& Build();
    /// Opens a new window as a fresh start of the program would: the window before deleted,
    /// the state reset, `settings` as the content of the settings file (none without it), the
    /// notices and the shown messages cleared.
    RecordingMainWindow& Open(const std::optional<std::string>& settings);

    /// A skin in the temporary folder (see the free Skin()).
    std::string Skin(const std::string& name, int width, int height,
                     const std::string& extra = {}) const;
    /// Chooses `input` through the input "...".
    void ChooseInput(const std::string& input);
    /// Chooses `input` and prepares a "Simple" job into out/out.xml at free sizes (the scale
    /// box unticked).
    void PrepareSimple(const std::string& input, const std::string& width,
                       const std::string& height);
    /// Lets the started job run to its end.
    void FinishJob();
    /// Writes the language file "testish.lng" that translates each of `keys` to "T-" + key.
    void WriteTestishLanguage(const std::vector<std::string>& keys) const;

    /// The settings file and the job log.
    std::filesystem::path ConfigFile() const;
    std::string Log() const;

public:
    // Public, so that the cases of a table can reach them through the fixture.
    TempFolder temp;
    platform::ScopedRecordingLauncher launcher;
    QPointer<RecordingMainWindow> w;

private:
    Opening m_opening;
};

}  // namespace testsupport
