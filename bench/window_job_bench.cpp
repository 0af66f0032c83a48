// One "Simple" job on the example skin (1024 x 768 on a 1024 x 1200 bitmap, doubled to
// 2048 x 1536), run by the main window's "Do the Job" and by batch mode. The window runs the
// job on its cooperative thread, whose yields let the loop paint the wheel and the status
// line; the difference between the two is what running inside the window costs. On a shared
// machine run it with --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true,
// so that a change of load falls on all three alike.
#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/launcher.h"
#include "platform/thread.h"
#include "platform/widgets/qt_dialogs.h"
#include "windows/main/main_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

// The application folder (job log), the settings folder and the skins, in a folder of their
// own; the example skin is copied there so nothing is written beside the sources.
const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / "malvoren-window-job-bench";
        fs::remove_all(dir);
        fs::create_directories(dir / "out");
        fs::create_directories(dir / "cfg");
        const fs::path examples = fs::path(MALVOREN_SOURCE_DIR) / "examples";
        fs::copy_file(examples / "tidewater.xml", dir / "tidewater.xml");
        fs::copy_file(examples / "tidewater.png", dir / "tidewater.png");
        ::setenv("MALVOREN_APP_DIR", dir.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
        ::setenv("MALVOREN_RESOURCES_DIR", MALVOREN_SOURCE_DIR "/resources", 0);
        return dir;
    }();
    return folder;
}

void ResetJobState() {
    Variables::ResetDefaults();
    Variables::RC = "\n";
    Variables::ResetPictures();
    Browser::ResetDefaults();
    // No folder is opened at the end of a job: the launcher only records.
    Variables::Window_Open = false;
}

void WindowJob(benchmark::State& state) {
    Folder();
    ResetJobState();
    Language::SetMessages();
    platform::ScopedScriptedDialogs dialogs;
    platform::ScopedRecordingLauncher launcher;
    // Closing deletes the window.
    auto* window = new MainWindow;
    window->Build();
    window->Show();
    const platform::FolderItem input(Folder() / "tidewater.xml");
    window->OpenXML(&input);
    window->OutputXML_EditField().SetText((Folder() / "out" / "tidewater.xml").string());
    window->ScaleCheckbox().SetValue(false);
    window->Width_Output_EditField().SetText("2048");
    window->Height_Output_EditField().SetText("1536");
    window->Resize_Skin_CheckBox().SetValue(true);
    // With range 0 the yields only check the kill flag, as in batch mode: the difference to
    // range 1 is what letting the loop run costs.
    const bool loop = state.range(0) != 0;
    std::function<void()> hook = platform::SetYieldHook({});
    std::int64_t yields = 0;
    platform::SetYieldHook([&] {
        ++yields;
        if (loop)
            hook();
    });
    const auto runJob = [window] {
        window->Job_Button_Action();
        while (window->JobRunning())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    // The first job warms the caches (fonts, the pictures' decoders) and is not timed.
    runJob();
    yields = 0;
    for (auto _ : state) {
        runJob();
        if (!Variables::Job_Ok)
            state.SkipWithError("the window's job failed");
    }
    platform::SetYieldHook(hook);
    state.counters["yields_per_job"] =
        static_cast<double>(yields) / static_cast<double>(state.iterations());
    window->Close(true);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(WindowJob)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(8);

void BatchJob(benchmark::State& state) {
    Folder();
    platform::ScopedScriptedDialogs dialogs;
    const std::string command = "\"malvoren\" -w 2048 -h 1536 -r simple tidewater.xml \"" +
                                (Folder() / "out" / "tidewater.xml").string() + "\"";
    ResetJobState();
    App::ParseCommand(command);  // warms the caches, not timed
    for (auto _ : state) {
        ResetJobState();
        if (!App::ParseCommand(command) || !Variables::Job_Ok)
            state.SkipWithError("the batch job failed");
    }
}
BENCHMARK(BatchJob)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(8);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // As the tool sets up its windows: the font, and the yields that let the loop run.
    platform::SetUpWindowMode();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
