// The skin reader and analysis, then a "Simple" rescaling job, on any file. Every failure
// must end in the tool's own message box; the job writes only into its output folder,
// emptied before each input.
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/maths.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "fuzz_support.h"
#include "messages/messages.h"
#include "platform/dialogs.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Ratios of the job, picked by the input's last byte so that shrinking and growing on
// either axis are both explored: numerator / 4.
std::int32_t Scaled(std::int32_t value, unsigned numerator) {
    const long long v = static_cast<long long>(value) * numerator / 4;
    return v < 1 ? 1 : (v > 1000000 ? 1000000 : static_cast<std::int32_t>(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolders folders("skin-fuzz");
    static platform::ScopedScriptedDialogs* dialogs = new platform::ScopedScriptedDialogs();
    (void)dialogs;

    folders.Empty();
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
