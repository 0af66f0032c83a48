// The rescaling job of a "Simple" resize, output file and job log included, on the example
// skin and on a generated skin of 20,000 lines. Every pass is one scan of the lines, so the
// time per thousand lines should be the same at both sizes.
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string>& ExampleSkin() {
    static const std::vector<std::string> lines = Variables::SplitSkinLines(
        Variables::ReadSkinFile(std::string(MALVOREN_SOURCE_DIR) + "/examples/tidewater.xml"));
    return lines;
}

/// The example skin's elements repeated until the skin has `count` lines: the same mix of
/// positions, sizes, icon lines, masks, faders and custom elements, only more of it.
std::vector<std::string> GeneratedSkin(std::size_t count) {
    const std::vector<std::string>& example = ExampleSkin();
    std::vector<std::string> lines(example.begin(), example.begin() + 2);
    while (lines.size() < count - 1) {
        for (std::size_t i = 2; i + 2 < example.size() && lines.size() < count - 1; ++i)
            lines.push_back(example[i]);
    }
    lines.push_back("</skin>");
    return lines;
}

/// A job as the job thread starts it: 1024 x 768 to 1366 x 660 (both ratios awkward), into a
/// scratch folder that also holds the job log.
void PrepareJob(const fs::path& folder) {
    fs::create_directories(folder);
    ::setenv("MALVOREN_APP_DIR", folder.c_str(), 1);
    Variables::RC = "\n";
    Language::SetMessages();
    Variables::inWidth = 1024;
    Variables::inHeight = 768;
    Variables::outWidth = 1366;
    Variables::outHeight = 660;
    Variables::SkinVersion = 7;
    Variables::ResizeMethod = "Simple";
    Variables::OutputXMLPath = (folder / "out.xml").string();
}

void RunJobs(benchmark::State& state, const std::vector<std::string>& skin) {
    const fs::path folder = fs::temp_directory_path() / "malvoren_bench_xml_job";
    PrepareJob(folder);
    for (auto _ : state) {
        state.PauseTiming();
        Variables::Str_Line = skin;
        Variables::Custom_Visual.clear();
        Variables::Job_Ok = true;
        fs::remove(folder / "Malvoren log.txt");
        state.ResumeTiming();
        Variables::XML_Job();
        benchmark::DoNotOptimize(Variables::Str_Line.data());
    }
    if (!Variables::Job_Ok)
        state.SkipWithError("the job failed");
    const double lines = static_cast<double>(skin.size());
    state.counters["lines"] = lines;
    // Seconds per thousand lines, shown in the unit benchmark picks (us, ms).
    state.counters["per_1000_lines"] =
        benchmark::Counter(lines / 1000.0, benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
    fs::remove_all(folder);
}

void ExampleSkinJob(benchmark::State& state) {
    RunJobs(state, ExampleSkin());
}

void GeneratedSkinJob(benchmark::State& state) {
    RunJobs(state, GeneratedSkin(static_cast<std::size_t>(state.range(0))));
}

BENCHMARK(ExampleSkinJob)->Unit(benchmark::kMicrosecond);
// 20,000 lines is the size asked about; the others show that the time stays linear.
BENCHMARK(GeneratedSkinJob)->Arg(5000)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
