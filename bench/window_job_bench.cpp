// A "Simple" job run by the main window's "Do the Job" and by batch mode, on two skins: the
// example skin (1024 x 768 on a 1024 x 1200 bitmap, doubled to 2048 x 1536) and a large one
// (1920 x 1200 on a photo-like 1920 x 3000 bitmap, to 7680 x 4800: a 92-megapixel bitmap
// out). The window runs the job on its cooperative thread, whose yields and waits let the
// loop paint the wheel and the status line; the difference between the two is what running
// inside the window costs. On a shared machine run it with --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true, so that a change of load falls on all alike.
//
// WindowJobLatency runs the same window job while another thread posts a click on the step
// bar every 20 ms, and reports how long the clicks waited for the loop (click_max_ms,
// click_mean_ms), the longest time the loop went unserved (gap_max_ms), and for each status
// text when it was painted and whether the job painted it itself, before going on, or the
// loop painted it later (printed to standard error).
#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "messages/messages.h"
#include "photo_like.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/launcher.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/thread.h"
#include "platform/widgets/qt_dialogs.h"
#include "windows/main/main_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

using SteadyClock = std::chrono::steady_clock;

double MsSince(SteadyClock::time_point from, SteadyClock::time_point to = SteadyClock::now()) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Skin {
    const char* name;
    int outWidth;
    int outHeight;
};
constexpr Skin kSkins[] = {{"tidewater", 2048, 1536}, {"large", 7680, 4800}};

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
        // The large skin: 300 buttons on a 1920 x 1200 skin whose bitmap is 1920 x 3000.
        std::ofstream xml(dir / "large.xml");
        xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<skin name=\"Bench\" version=\"8\" width=\"1920\" height=\"1200\">\n"
               "<panel name=\"main\" visible=\"yes\">\n";
        for (int i = 0; i < 300; ++i)
            xml << "<button action=\"deck 1 play\" x=\"" << (i * 37) % 1800 << "\" y=\""
                << (i * 53) % 1100 << "\" width=\"60\" height=\"30\">\n<off x=\"" << (i * 61) % 1800
                << "\" y=\"" << 1200 + (i * 7) % 1700 << "\"/>\n</button>\n";
        xml << "</panel>\n</skin>\n";
        xml.close();
        platform::SavePicture(platform::Picture(bench::PhotoLike(1920, 3000)), dir / "large.png",
                              platform::PictureFormat::PNG);
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

MainWindow* OpenWindow(const Skin& skin) {
    Folder();
    ResetJobState();
    Language::SetMessages();
    // Closing deletes the window.
    auto* window = new MainWindow;
    window->Build();
    window->Show();
    const platform::FolderItem input(Folder() / (std::string(skin.name) + ".xml"));
    window->OpenXML(&input);
    window->OutputXML_EditField().SetText(
        (Folder() / "out" / (std::string(skin.name) + ".xml")).string());
    window->ScaleCheckbox().SetValue(false);
    window->Width_Output_EditField().SetText(std::to_string(skin.outWidth));
    window->Height_Output_EditField().SetText(std::to_string(skin.outHeight));
    window->Resize_Skin_CheckBox().SetValue(true);
    // The job is watched on the "Generating" page, where "Do the Job" and the status line are.
    window->Breadcrumbs().SetValue(3);
    return window;
}

void CloseWindow(MainWindow* window) {
    window->Close(true);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Variables::ResetPictures();
}

void RunWindowJob(MainWindow& window) {
    window.Job_Button_Action();
    while (window.JobRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WindowJob(benchmark::State& state) {
    const Skin& skin = kSkins[state.range(0)];
    platform::ScopedScriptedDialogs dialogs;
    platform::ScopedRecordingLauncher launcher;
    MainWindow* window = OpenWindow(skin);
    // With range 0 the yields only check the kill flag, as in batch mode: the difference to
    // range 1 is what letting the loop run costs.
    const bool loop = state.range(1) != 0;
    std::function<void()> hook = platform::SetYieldHook({});
    std::int64_t turns = 0;
    double servedMs = 0;
    platform::SetYieldHook([&] {
        ++turns;
        if (loop) {
            const auto from = SteadyClock::now();
            hook();
            servedMs += MsSince(from);
        }
    });
    // The first job warms the caches (fonts, the pictures' decoders) and is not timed.
    RunWindowJob(*window);
    turns = 0;
    servedMs = 0;
    for (auto _ : state) {
        RunWindowJob(*window);
        if (!Variables::Job_Ok)
            state.SkipWithError("the window's job failed");
    }
    platform::SetYieldHook(hook);
    state.counters["turns_per_job"] =
        static_cast<double>(turns) / static_cast<double>(state.iterations());
    // The time the job's thread spent serving the loop (in its yields and its waits alike).
    state.counters["served_ms_per_job"] = servedMs / static_cast<double>(state.iterations());
    CloseWindow(window);
}
BENCHMARK(WindowJob)
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->ArgNames({"skin", "loop"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(4);

void BatchJob(benchmark::State& state) {
    const Skin& skin = kSkins[state.range(0)];
    Folder();
    platform::ScopedScriptedDialogs dialogs;
    const std::string command =
        "\"malvoren\" -w " + std::to_string(skin.outWidth) + " -h " +
        std::to_string(skin.outHeight) + " -r simple " + skin.name + ".xml \"" +
        (Folder() / "out" / (std::string(skin.name) + ".xml")).string() + "\"";
    ResetJobState();
    App::ParseCommand(command);  // warms the caches, not timed
    for (auto _ : state) {
        ResetJobState();
        if (!App::ParseCommand(command) || !Variables::Job_Ok)
            state.SkipWithError("the batch job failed");
    }
    Variables::ResetPictures();
}
BENCHMARK(BatchJob)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("skin")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(4);

// Watches the window while a job runs: when the loop served it, when each click posted to the
// step bar arrived, and when each status text was painted.
class Watcher : public QObject {
public:
    Watcher(MainWindow& window, SteadyClock::time_point start)
        : m_window(window)
        , m_start(start) {
        window.Breadcrumbs().installEventFilter(this);
        window.Message_Text().installEventFilter(this);
        // A timer that fires at every turn of the loop at least 1 ms after the last.
        m_turns.setTimerType(Qt::PreciseTimer);
        m_turns.setInterval(1);
        QObject::connect(&m_turns, &QTimer::timeout, [this] { Turn(); });
        m_turns.start();
    }
    ~Watcher() override {
        m_window.Breadcrumbs().removeEventFilter(this);
        m_window.Message_Text().removeEventFilter(this);
    }

    void Turn() {
        const auto now = SteadyClock::now();
        if (m_lastTurn != SteadyClock::time_point()) {
            const double gap = MsSince(m_lastTurn, now);
            gapMax = std::max(gapMax, gap);
            if (gap >= kLongGapMs)
                longGaps.push_back({MsSince(m_start, m_lastTurn), gap});
        }
        m_lastTurn = now;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window.Breadcrumbs() && event->type() == QEvent::MouseButtonPress) {
            const auto posted =
                static_cast<std::int64_t>(static_cast<QMouseEvent*>(event)->timestamp());
            const double waited = MsSince(m_start) - static_cast<double>(posted);
            clicks.push_back(waited);
        } else if (watched == &m_window.Message_Text() && event->type() == QEvent::Paint) {
            const std::string text = m_window.Message_Text().Text();
            if (statuses.empty() || statuses.back().text != text)
                statuses.push_back({text, MsSince(m_start), !platform::InsideYield()});
        }
        return false;
    }

    struct Status {
        std::string text;
        double atMs;
        bool paintedByTheJob;  // outside a turn of the loop: the job's own immediate paint
    };
    struct Gap {
        double fromMs;
        double lengthMs;
    };
    static constexpr double kLongGapMs = 30;
    std::vector<double> clicks;
    std::vector<Status> statuses;
    std::vector<Gap> longGaps;  // kLongGapMs or more
    double gapMax = 0;

private:
    MainWindow& m_window;
    SteadyClock::time_point m_start;
    QTimer m_turns;
    SteadyClock::time_point m_lastTurn;
};

void WindowJobLatency(benchmark::State& state) {
    const Skin& skin = kSkins[state.range(0)];
    platform::ScopedScriptedDialogs dialogs;
    platform::ScopedRecordingLauncher launcher;
    MainWindow* window = OpenWindow(skin);
    RunWindowJob(*window);
    double clickMax = 0, clickSum = 0, gapMax = 0;
    std::size_t clickCount = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        Watcher watcher(*window, start);
        std::atomic<bool> done{false};
        // Clicks on the step bar's "Generating", the page shown, so that the status line stays
        // in view; each carries the time it was posted.
        QWidget* bar = &window->Breadcrumbs();
        const QPointF at(407, 14);
        const QPointF global = bar->mapToGlobal(at);
        const QPointingDevice* mouse = QPointingDevice::primaryPointingDevice();
        std::thread clicker([&] {
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                const auto stamp = static_cast<quint64>(MsSince(start));
                auto* press = new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                              Qt::LeftButton, Qt::NoModifier, mouse);
                press->setTimestamp(stamp);
                auto* release =
                    new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier, mouse);
                QCoreApplication::postEvent(bar, press);
                QCoreApplication::postEvent(bar, release);
            }
        });
        RunWindowJob(*window);
        done = true;
        clicker.join();
        QApplication::processEvents();
        if (!Variables::Job_Ok)
            state.SkipWithError("the window's job failed");
        for (double c : watcher.clicks) {
            clickMax = std::max(clickMax, c);
            clickSum += c;
        }
        clickCount += watcher.clicks.size();
        gapMax = std::max(gapMax, watcher.gapMax);
        std::fprintf(stderr, "%s job: %.0f ms;", skin.name, MsSince(start));
        for (const auto& s : watcher.statuses)
            std::fprintf(stderr, " \"%s\" at %.0f ms (%s);", s.text.c_str(), s.atMs,
                         s.paintedByTheJob ? "by the job" : "by the loop");
        for (const auto& g : watcher.longGaps)
            std::fprintf(stderr, " unserved from %.0f ms for %.0f ms;", g.fromMs, g.lengthMs);
        std::fprintf(stderr, " %zu clicks, the slowest waited %.0f ms\n", watcher.clicks.size(),
                     watcher.clicks.empty()
                         ? 0.0
                         : *std::max_element(watcher.clicks.begin(), watcher.clicks.end()));
    }
    state.counters["click_max_ms"] = clickMax;
    state.counters["click_mean_ms"] = clickCount ? clickSum / static_cast<double>(clickCount) : 0;
    state.counters["gap_max_ms"] = gapMax;
    CloseWindow(window);
}
BENCHMARK(WindowJobLatency)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("skin")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

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
