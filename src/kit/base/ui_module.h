#pragma once

#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// The kit's shared registries (textures by name and index, styles by class) and its picture
/// turns and mirrors.
namespace UI_Module {

using platform::PicturePtr;

/// Texture registry: names (compared without regard to case) to pictures, in registration
/// order; a texture's index is its position. It does not exist until first used, and then
/// holds the placeholder "UI_Module", a 1 × 1 picture, at index 0.
inline std::optional<std::vector<std::pair<std::string, PicturePtr>>> Textures;

/// Named-style registry: class key to the packed style string of its record, and the layout
/// version of that string ("1.0" when the key is missing). Nothing in the tool fills them, so
/// every control takes its built-in style; the readers' rule stays in place.
inline std::optional<std::map<std::string, std::string>> Styles;
inline std::optional<std::map<std::string, std::string>> StylesVersion;

/// Stores `picture` under `name`: appended when the name is new, replaced in place (keeping
/// its index) when it is known. A missing picture stores nothing, but the registry is made
/// all the same.
void AddTexture(PicturePtr picture, const std::string& name);
/// The index of `name`, or 0 (the placeholder) when it is not registered. Yields after each
/// entry that does not match.
std::int32_t TextureIndex(const std::string& name);
/// The picture at `index` (shared, not a copy), or none past the end or below 0.
PicturePtr GetTexture(std::int32_t index);

/// The stored style string for a class key, when the named-style registry holds it.
std::optional<std::string> StyleFor(const std::string& key);
/// The layout version of the stored style of `key`: "1.0" when none is recorded.
std::string StyleVersionFor(const std::string& key);

/// A copy of `picture` turned clockwise by `angle` degrees: 90 and 270 (also -270 and -90)
/// give an H × W picture with the mask turned alike; 180 (and -180) draws the picture onto a
/// new white one and mirrors it both ways, without a mask; 0, 360 and -360 give `picture`
/// itself. Any other angle gives a picture without visible pixels (1 × 1, transparent).
/// `color` and `n` are handed on to the mask's turn and change nothing. None gives none.
PicturePtr Rotate(PicturePtr picture, double angle, platform::Color color, std::int32_t n);
/// Mirrors the picture's colour pixels in place, per axis: 0 nothing, 1 mirror, 2 first half
/// onto the second, 3 blend with the mirror image (through a mask grey of 0x7F). Other modes
/// and a missing picture do nothing; the mask is left as it is.
void Flip(PicturePtr picture, std::int32_t horizontalMode, std::int32_t verticalMode);

/// Back to the start of a run: no registries (tests).
void ResetDefaults();

}  // namespace UI_Module
