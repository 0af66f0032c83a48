// The whole "Simple" job in-process, the way batch mode runs it: a generated 1920 x 1200 skin
// whose bitmap is a photo-like 1920 x 3000 PNG, resized to 2560 x 1600. Separate stages show
// where the time goes: reading the bitmap, composing, writing the PNG.
#include "engine/picture/bitmap_files.h"
#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/xml/analysis.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "photo_like.h"
#include "platform/picture.h"
#include "platform/picturefile.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / "malvoren-simple-bench";
        fs::create_directories(dir / "in");
        fs::create_directories(dir / "out");
        std::ofstream xml(dir / "in" / "skin.xml");
        xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<skin name=\"Bench\" version=\"8\" width=\"1920\" height=\"1200\">\n"
               "<panel name=\"main\" visible=\"yes\">\n";
        for (int i = 0; i < 300; ++i)
            xml << "<button action=\"deck 1 play\" x=\"" << (i * 37) % 1800 << "\" y=\""
                << (i * 53) % 1100 << "\" width=\"60\" height=\"30\">\n<off x=\"" << (i * 61) % 1800
                << "\" y=\"" << 1200 + (i * 7) % 1700 << "\"/>\n</button>\n";
        xml << "</panel>\n</skin>\n";
        xml.close();
        const platform::Picture bitmap(bench::PhotoLike(1920, 3000));
        platform::SavePicture(bitmap, dir / "in" / "skin.png", platform::PictureFormat::PNG);
        ::setenv("MALVOREN_APP_DIR", (dir / "out").c_str(), 1);
        Variables::RC = "\n";
        Language::SetMessages();
        return dir;
    }();
    return folder;
}

void StartJob() {
    Variables::InputXMLPath = (Folder() / "in" / "skin.xml").string();
    Variables::OutputXMLPath = (Folder() / "out" / "skin.xml").string();
    Variables::outWidth = 2560;
    Variables::outHeight = 1600;
    Variables::ResizeMethod = "simple";
    Variables::Job_Ok = true;
    Variables::XMLSavedThisJob = false;
    Variables::Lecture(Variables::InputXMLPath);
    Variables::Open_XML();
    Variables::XML_Job();
}

void WholeJob(benchmark::State& state) {
    for (auto _ : state) {
        StartJob();
        Variables::Open_Picture("");
        Variables::Scale_Picture();
        Variables::Save_Picture();
        if (!Variables::Job_Ok)
            state.SkipWithError("the job failed");
    }
    state.counters["MB_out"] =
        static_cast<double>(fs::file_size(Folder() / "out" / "skin.png")) / 1e6;
}
BENCHMARK(WholeJob)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void ReadBitmap(benchmark::State& state) {
    StartJob();
    for (auto _ : state)
        Variables::Open_Picture("");
}
BENCHMARK(ReadBitmap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void Compose(benchmark::State& state) {
    StartJob();
    Variables::Open_Picture("");
    const platform::PicturePtr input = Variables::BMP_picture;
    for (auto _ : state) {
        Variables::BMP_picture = input;
        Variables::Scale_Picture();
    }
}
BENCHMARK(Compose)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void WritePng(benchmark::State& state) {
    StartJob();
    Variables::Open_Picture("");
    Variables::Scale_Picture();
    const platform::PicturePtr composed = Variables::BMP_picture;
    for (auto _ : state) {
        Variables::BMP_picture = composed;
        Variables::Save_Picture();
    }
}
BENCHMARK(WritePng)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
