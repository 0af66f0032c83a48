#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Refusing, before a job writes anything, the pictures its method would make above the
/// picture size caps.
namespace Variables {

/// A picture a job will compose, in pixels.
struct PlannedPicture {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool operator==(const PlannedPicture&) const = default;
};

/// Pictures that `method` ("Simple", "Border", "Browser" or "Smart", any case) will surely
/// compose for the current job (`inWidth`, `inHeight`, `outWidth`, `outHeight`, `SkinName`)
/// from a bitmap of `sourceWidth` × `sourceHeight`, each no larger than the real one: the
/// margins that custom elements add are known only once the skin is rewritten, and the wide
/// resize of a growing "RekordBox" skin is left out. None for an unknown method, sizes not
/// above 0, or a size outside 32 bits; the method reports those itself. Never throws.
std::vector<PlannedPicture> PlannedPictures(const std::string& method, std::int64_t sourceWidth,
                                            std::int64_t sourceHeight) noexcept;

/// Called before a job's first step. Reads the size of the bitmap the opener would take (the
/// first of the input XML's name with "bmp", "png", "jpg" that exists) from its header; when a
/// picture in `PlannedPictures` lies above the caps, reports it as the methods do
/// (`methodreport::ReportPictureTooLarge`: job log, message box, `Job_Ok` false) and gives
/// false, so the job can end before anything is written. Gives true when every planned
/// picture fits or there is no readable bitmap (the opener then reports). The methods still
/// refuse any picture above the caps when they come to make it.
bool OutputPicturesFit(const std::string& method);

}  // namespace Variables
