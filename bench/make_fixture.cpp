// Writes a bitmap for bench/compare as an 8-bit RGB PNG:
//   make_fixture out.png width height                          photo-like
//   make_fixture --graphics out.png width skinHeight height    flat skin graphics
#include "graphics_skin.h"
#include "photo_like.h"
#include "platform/picture.h"
#include "platform/picturefile.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

int main(int argc, char** argv) {
    const bool graphics = argc == 6 && std::strcmp(argv[1], "--graphics") == 0;
    if (argc != 4 && !graphics) {
        std::fprintf(stderr,
                     "usage: %s out.png width height\n"
                     "       %s --graphics out.png width skinHeight height\n",
                     argv[0], argv[0]);
        return 2;
    }
    QImage image;
    if (graphics) {
        // The fonts need an application; no window is shown.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        image = bench::GraphicsSkin(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    } else {
        image = bench::PhotoLike(std::atoi(argv[2]), std::atoi(argv[3]));
    }
    const platform::Picture picture(image);
    platform::SavePicture(picture, std::filesystem::path(argv[graphics ? 2 : 1]),
                          platform::PictureFormat::PNG);
    return 0;
}
