#pragma once

#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {
class Control;
class Graphics;
}  // namespace platform

/// The drawing routines that the kit's controls share: what lies behind a control, the fill
/// kinds, a texture fill, the grey of a disabled look, and a picture from Base64 text. The
/// controls call them from their paint handlers with their own members; nothing here keeps
/// state.
namespace kit {

/// Greys and colours that several controls' looks share.
inline constexpr platform::Color kWhite{0xFF, 0xFF, 0xFF};
inline constexpr platform::Color kBlack{0, 0, 0};
/// The mask grey of a glossy rim, and of a pressed control's rim.
inline constexpr platform::Color kRimGrey{0xD0, 0xD0, 0xD0};
inline constexpr platform::Color kPressedRimGrey{0xEA, 0xEA, 0xEA};
/// The colour of a window without a back colour of its own.
inline constexpr platform::Color kWindowGrey{0xED, 0xED, 0xED};
/// The built-in dark look: a control's border, its drop shadow, and its text's shadow.
inline constexpr platform::Color kBorderColor{0x20, 0x22, 0x24};
inline constexpr platform::Color kShadowColor{0x4D, 0x4E, 0x52};
inline constexpr platform::Color kTextShadowColor{0x10, 0x11, 0x12};

/// A new picture of w × h, or none when a side has no pixels: a style that leaves a part of a
/// control's look no room skips that part instead of failing the whole paint.
platform::PicturePtr NewPictureOrNone(std::int32_t w, std::int32_t h);

/// Fills all of `g` by a style's fill kind: 1 the first colour, 2 a vertical and 3 a horizontal
/// gradient from the first colour to the second, 4 the texture through `texture`; any other
/// kind leaves `g` as it is.
void FillByKind(platform::Graphics& g, std::int32_t kind, platform::Color c1, platform::Color c2,
                const std::function<void(platform::Graphics&)>& texture);

/// What lies behind a control: its own background colour, or the window's colour with the
/// window's backdrop showing through.
struct Backdrop {
    bool hasBackcolor = false;
    platform::Color backcolor{0, 0, 0};
    /// The window's back colour, or 0xEDEDED when it has none.
    platform::Color windowColor = kWindowGrey;
    /// The window's backdrop picture, or none.
    const platform::Picture* picture = nullptr;
    /// The control's rectangle in its window's coordinates.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// The grey of `c`: level 0.2989 × red + 0.587 × green + 0.114 × blue in double precision,
/// truncated. The weights add up to 0.9999, so white gives 0xFEFEFE.
platform::Color ToGray(platform::Color c) noexcept;

/// The back colour of the control's window, or 0xEDEDED when it has none or no window.
platform::Color WindowColorOf(const platform::Control& control);

/// What lies behind `control`, read anew from it and its window.
Backdrop BackdropOf(const platform::Control& control, bool hasBackcolor, platform::Color backcolor);

/// False when the control or its direct parent control is disabled: the look of a disabled
/// control, and whether a button or pop-up takes the pointer and keys (only the direct parent
/// is consulted).
bool DrawsEnabled(const platform::Control& control);

/// Fills all of `g` with the control's own colour when it has one; otherwise with the window
/// colour and then, when the control's top-left corner lies before the backdrop's right and
/// bottom edges, the backdrop's pixels under the control, unscaled. Only the corner is
/// tested; the part of the slice outside the backdrop keeps the window colour.
void DrawControlBackground(platform::Graphics& g, const Backdrop& backdrop);

/// Fill kind 4: draws `texture` once at (0, 0) when it is at least as large as `g`, else tiles
/// it from the top-left corner (rows while y ≤ g's height, columns while x ≤ g's width).
/// With `greyed`, a grey copy is drawn instead: every pixel the grey of its colour, opaque,
/// the texture's transparency dropped. No texture draws nothing.
void DrawTextureFill(platform::Graphics& g, const platform::Picture* texture, bool greyed);

/// The opaque grey copy of `picture` that a disabled control's texture fill shows.
platform::PicturePtr GreyCopy(const platform::Picture& picture);

/// Decodes standard Base64 text of an encoded picture (PNG, alpha kept); carriage returns
/// and line feeds inside it are skipped. None when the text is no valid Base64 or its bytes
/// are no readable picture.
platform::PicturePtr StringToPicture(std::string_view base64);

}  // namespace kit
