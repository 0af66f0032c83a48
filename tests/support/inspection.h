#pragma once
// Pictures that tests render for a person to look at go to one folder of the build tree, never
// to the working folder: a test run from the source tree must leave it as it was.
#include "platform/picture.h"

#include <QImage>

#include <filesystem>
#include <string>

namespace testsupport {

/// The build tree's folder for pictures to look at (`rendered/` in the build folder), created
/// on first use.
std::filesystem::path InspectionFolder();

/// Writes `image` there as `name`.png (".png" is added when missing), enlarged `zoom` times
/// without smoothing so that single pixels can be seen. A failure to write is no test failure:
/// the pictures are only for looking at.
void SaveForInspection(const QImage& image, const std::string& name, int zoom = 1);
void SaveForInspection(const platform::Picture& picture, const std::string& name, int zoom = 1);

}  // namespace testsupport
