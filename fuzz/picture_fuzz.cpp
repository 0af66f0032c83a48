// The bitmap builders on a picture made straight from the input (Qt's decoders are not
// instrumented): two bytes give the source's size (1 to 64 each), the next bytes a few
// geometry values, the rest its pixels. Refusals throw the tool's exceptions; anything else
// is a finding.
#include "engine/picture/browser_graphics.h"
#include "engine/picture/pictures.h"
#include "engine/picture/scaler.h"
#include "engine/xml/browser.h"
#include "fuzz_support.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/rgbsurface.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class Reader : public fuzzsupport::ByteReader {
public:
    using ByteReader::ByteReader;
    // A size or position from -50 to 349: small, negative and past-the-edge values alike, yet
    // small enough that an input runs in milliseconds. The top 256 values give the ends of the
    // 32-bit range and the picture caps instead.
    std::int32_t Geometry() {
        static constexpr std::int32_t kExtremes[] = {INT32_MIN, INT32_MIN + 1, -1,       0, 16384,
                                                     16385,     INT32_MAX - 1, INT32_MAX};
        const int v = Word();
        if (v >= 0xFF00)
            return kExtremes[v & 7];
        return v % 400 - 50;
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("MALVOREN_MAX_PIXELS", "4000000", 1);
    // One thread: a new pool for every small picture costs more than the work.
    ::setenv("MALVOREN_WORKERS", "1", 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const std::int32_t outW = in.Geometry();
    const std::int32_t outH = in.Geometry();
    const std::int32_t bx = in.Geometry(), by = in.Geometry();
    const std::int32_t bw = in.Geometry(), bh = in.Geometry();
    const std::uint8_t flags = in.Byte();
    const platform::PicturePtr source = fuzzsupport::PictureFromBytes(in);

    try {
        (void)Variables::ScalePicture1(source, outW, outH);
    } catch (const platform::RuntimeException&) {
    }

    // The browser restyling on a canvas the size of the source.
    Variables::New_picture = platform::Picture::New(source->Width(), source->Height());
    Variables::New_picture->Graphics().DrawPicture(*source, 0, 0);
    Browser::B_Force_Color = (flags & 1) != 0;
    Browser::Browser_Color = platform::RGB(flags, 255 - flags, flags / 2);
    Browser::B_Background_Picture.clear();
    try {
        Browser::Change_Browser_Graphics(bw, bh, bx, by);
    } catch (const platform::RuntimeException&) {
    }
    Variables::New_picture.reset();
    return 0;
}
