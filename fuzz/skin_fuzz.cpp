// The skin reader and analysis, then a "Simple" rescaling job, on any file. Every failure
// must end in the tool's own message box; the job writes only into its output folder,
// emptied before each input.
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/maths.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/dialogs.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Folders {
    Folders() {
        char pattern[] = "/tmp/malvoren-skin-fuzz-XXXXXX";
        root = ::mkdtemp(pattern);
        fs::create_directories(App());
        ::setenv("MALVOREN_APP_DIR", App().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    ~Folders() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path App() const { return root / "app"; }
    fs::path Out() const { return root / "out"; }
    fs::path root;
};

// Ratios of the job, picked by the input's last byte so that shrinking and growing on
// either axis are both explored: numerator / 4.
std::int32_t Scaled(std::int32_t value, unsigned numerator) {
    const long long v = static_cast<long long>(value) * numerator / 4;
    return v < 1 ? 1 : (v > 1000000 ? 1000000 : static_cast<std::int32_t>(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Folders folders;
    static platform::ScopedScriptedDialogs* dialogs = new platform::ScopedScriptedDialogs();
    (void)dialogs;

    std::error_code ec;
    fs::remove_all(folders.Out(), ec);
    fs::create_directories(folders.Out());
    const fs::path skin = folders.Out() / "skin.xml";
    {
        std::ofstream out(skin, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    Variables::ResetDefaults();
    Variables::ResetRescaleState();
    Browser::ResetDefaults();
    Maths::ResetDefaults();
    Variables::RC = "\n";
    Language::SetMessages();

    Variables::InputXMLPath = skin.string();
    if (!Variables::Open_XML())
        return 0;
    if (!Variables::Lecture(skin.string()))
        return 0;

    const unsigned pick = size ? data[size - 1] : 0;
    Variables::outWidth = Scaled(Variables::inWidth, 1 + (pick & 7));
    Variables::outHeight = Scaled(Variables::inHeight, 1 + ((pick >> 3) & 7));
    Variables::ResizeMethod = "Simple";
    Variables::OutputXMLPath = (folders.Out() / "new.xml").string();
    Variables::Job_Ok = true;
    Variables::XML_Job();
    return 0;
}
