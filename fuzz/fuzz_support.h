#pragma once
// What the fuzz targets share: the input read a byte at a time, a small picture made straight
// from the bytes (Qt's decoders are not instrumented, so pictures never come from a file), and
// a scratch folder emptied before every input.
#include "platform/picture.h"
#include "platform/rgbsurface.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzzsupport {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size) {}
    /// The next byte, or 0 once the input is used up: every input gives a whole case.
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    /// The next two bytes, low first: 0 to 65535.
    int Word() {
        const int low = Byte();
        return low | (Byte() << 8);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

/// A picture of 1 to 64 pixels a side (one byte each), then three bytes a pixel, row by row.
inline platform::PicturePtr PictureFromBytes(ByteReader& in) {
    const int w = 1 + in.Byte() % 64;
    const int h = 1 + in.Byte() % 64;
    auto pic = platform::Picture::New(w, h);
    auto& surface = pic->RGBSurface();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = in.Byte(), g = in.Byte(), b = in.Byte();
            surface.SetPixel(x, y, platform::RGB(r, g, b));
        }
    return pic;
}

/// A temporary folder holding the job's input ("in"), output ("out"), the program's folder
/// ("app", where the job log goes) and the user data folder, all pointed at from the
/// environment. Removed at exit.
class ScratchFolders {
public:
    explicit ScratchFolders(const std::string& name) {
        std::string pattern = "/tmp/malvoren-" + name + "-XXXXXX";
        // Without its folder a target would write wherever the paths fell: stop at once.
        const char* made = ::mkdtemp(pattern.data());
        if (made == nullptr) {
            std::perror(("cannot make the scratch folder " + pattern).c_str());
            std::abort();
        }
        m_root = made;
        ::setenv("MALVOREN_APP_DIR", App().c_str(), 1);
        ::setenv("XDG_DATA_HOME", Data().c_str(), 1);
    }
    ~ScratchFolders() {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    ScratchFolders(const ScratchFolders&) = delete;
    ScratchFolders& operator=(const ScratchFolders&) = delete;

    /// Empties every folder, so that nothing of one input is seen by the next.
    void Empty() const {
        std::error_code ec;
        for (const std::filesystem::path& p : {In(), Out(), App(), Data()})
            std::filesystem::remove_all(p, ec);
        for (const std::filesystem::path& p : {In(), Out(), App()})
            std::filesystem::create_directories(p);
    }
    std::filesystem::path In() const { return m_root / "in"; }
    std::filesystem::path Out() const { return m_root / "out"; }
    std::filesystem::path App() const { return m_root / "app"; }
    std::filesystem::path Data() const { return m_root / "data"; }

private:
    std::filesystem::path m_root;
};

}  // namespace fuzzsupport
