// Writes a photo-like 8-bit RGB PNG for bench/compare: make_fixture <out.png> <width> <height>.
#include "photo_like.h"
#include "platform/picture.h"
#include "platform/picturefile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s out.png width height\n", argv[0]);
        return 2;
    }
    const platform::Picture picture(bench::PhotoLike(std::atoi(argv[2]), std::atoi(argv[3])));
    platform::SavePicture(picture, std::filesystem::path(argv[1]), platform::PictureFormat::PNG);
    return 0;
}
