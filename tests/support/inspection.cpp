#include "support/inspection.h"

#include <QString>

#include <system_error>

namespace fs = std::filesystem;

namespace testsupport {

fs::path InspectionFolder() {
    const fs::path folder(MALVOREN_INSPECTION_DIR);
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

void SaveForInspection(const QImage& image, const std::string& name, int zoom) {
    std::string file = name;
    if (file.size() < 4 || file.compare(file.size() - 4, 4, ".png") != 0)
        file += ".png";
    const QImage big = zoom > 1 ? image.scaled(image.width() * zoom, image.height() * zoom,
                                               Qt::IgnoreAspectRatio, Qt::FastTransformation)
                                : image;
    big.save(QString::fromStdString((InspectionFolder() / file).string()), "PNG");
}

void SaveForInspection(const platform::Picture& picture, const std::string& name, int zoom) {
    SaveForInspection(picture.Image(), name, zoom);
}

}  // namespace testsupport
