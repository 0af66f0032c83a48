#include "engine/picture/pictures.h"

namespace Variables {

void ResetPictures() {
    BMP_picture.reset();
    New_picture.reset();
    OpenedPictureFile.clear();
    ComposeFailed = false;
}

}  // namespace Variables
