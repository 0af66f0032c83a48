// The picture reader on any file: the first byte picks the file's extension and the way it is
// opened, the rest are the file's bytes. Qt's decoders are not instrumented, so this target
// only looks for crashes, hangs and runaway allocations; a file without a readable picture is
// refused, which is fine.
#include "engine/picture/bitmap_files.h"
#include "engine/picture/pictures.h"
#include "engine/xml/variables.h"
#include "fuzz_support.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

using Folders = fuzzsupport::ScratchFolders;

constexpr const char* kExtensions[] = {".png", ".bmp", ".jpg", ".jpeg"};

// Reads every pixel, so that a picture whose size and data disagree shows.
unsigned Touch(platform::Picture& picture) {
    unsigned sum = 0;
    platform::RGBSurface& surface = picture.RGBSurface();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            sum += surface.Pixel(x, y).r;
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("MALVOREN_MAX_PIXELS", "4000000", 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folders folders("reader-fuzz");
    if (size == 0)
        return 0;
    folders.Empty();
    const std::uint8_t pick = data[0];
    const fs::path file = folders.In() / (std::string("skin") + kExtensions[pick % 4]);
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }

    platform::PicturePtr picture;
    if (pick & 4) {
        // As a job opens its bitmap: the reader behind the opener, its log and its messages.
        platform::ScopedScriptedDialogs dialogs;
        Variables::ResetDefaults();
        Variables::ResetPictures();
        Variables::RC = "\n";
        Language::SetMessages();
        Variables::InputXMLPath = (folders.In() / "skin.xml").string();
        if (Variables::Open_Picture(file.string()))
            picture = Variables::BMP_picture;
        Variables::ResetPictures();
    } else {
        const auto alpha =
            pick & 8 ? platform::PictureAlpha::Keep : platform::PictureAlpha::FlattenOnWhite;
        platform::PictureRead read = platform::ReadPictureFile(file, alpha);
        // A refusal says why; a picture is never refused in silence.
        if (!read.picture && read.refusal.empty())
            std::abort();
        picture = std::move(read.picture);
    }
    if (picture && picture->Width() * static_cast<long long>(picture->Height()) <= 1 << 20)
        (void)Touch(*picture);
    return 0;
}
