#pragma once

#include "engine/xml/rescale.h"

#include <string>
#include <vector>

namespace Variables {

/// Prepares the geometry lists for a bitmap builder: sorts `Mask`, `Fader` and
/// `Custom_Visual` in byte order and drops repeated entries, drops adjacent repeats of the
/// suppressed-message list, then runs the "Cleaning" stage of the per-skin tweaks.
void Cleaning();

}  // namespace Variables

namespace rescale {

/// The icon and button grid origins of the input bitmap (the last matching line wins).
void CollectGridOrigins(const std::vector<std::string>& lines, JobRun& run);
/// Rebuilds `Variables::Mask` ("x y width height", " grey" inside a rhythm zone).
void CollectMasks(const std::vector<std::string>& lines, JobRun& run);
/// Rebuilds `Variables::Fader` ("x y width height nb") from the round faders kept.
void CollectFaders(const std::vector<std::string>& lines, JobRun& run);
/// Appends "width*height*x*y*nb*nbx" to `Variables::Custom_Visual` for every custom element,
/// read from the rewritten lines.
void CollectCustomVisuals(const std::vector<std::string>& lines, JobRun& run);

/// A plain number as decimal text that reads back as the same number: whole numbers without a
/// decimal point, no exponent. Throws RuntimeException for a number that is not finite.
std::string PlainNumberText(double value);

}  // namespace rescale
