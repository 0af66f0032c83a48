#pragma once

#include <cstdint>

/// The bitmap of the "Simple" method.
namespace Variables {

/// Height of the strip that a shrinking job adds below the scaled bitmap.
inline constexpr std::int32_t kIconStripRows = 298;

/// Composes the output bitmap of a rescaled skin on a new canvas (`New_picture`) from the
/// input bitmap in `BMP_picture`: the whole bitmap scaled by the skin's ratios (plain smooth
/// drawing, or the box filter when `P_Old_Renderer` is off and the job shrinks or both ratios
/// differ from 1), the icon and button grids copied unscaled (into a 298-row strip below in a
/// shrinking job), fader strips of exact frame widths, the browser restyle, the day-skin
/// inversion and the masks; then hands the canvas over in `BMP_picture` and, in a shrinking
/// job, moves the grid elements of the skin to the strip and writes it again. The input
/// picture is never drawn on. Reports its own failures (job log, one message box,
/// `Job_Ok` false, `ComposeFailed` true, `BMP_picture` kept); a failing mask is reported and
/// the step goes on. A canvas above the picture size caps is refused before it is made, with
/// a message that says so (`methodreport::ReportPictureTooLarge`).
void Scale_Picture();

/// The day skin's stage "picture": every red, green and blue value v of `New_picture`
/// becomes 255 − v; the mask is not touched. Throws NilObjectException without a picture.
void Outdoor_Picture();

/// Installs `Outdoor_Picture` as the XML side's `OutdoorPictureStage`, which cannot reach the
/// composed picture itself. Every job start calls it, batch and window alike: installed by an
/// initialiser of this file instead, the stage would exist only in the programs whose linker
/// happened to keep this object file.
void InstallOutdoorPictureStage();

}  // namespace Variables
