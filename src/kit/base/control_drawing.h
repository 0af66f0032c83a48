#pragma once

#include "platform/color.h"
#include "platform/picture.h"

#include <string_view>

namespace platform {
class Control;
class Graphics;
}  // namespace platform

/// The drawing routines that the check box, radio button, label and tooltip share: what lies
/// behind a control, a texture fill, and a picture from Base64 text. The controls call them
/// from their paint handlers with their own members; nothing here keeps state.
namespace kit {

/// What lies behind a control: its own background colour, or the window's colour with the
/// window's backdrop showing through.
struct Backdrop {
    bool hasBackcolor = false;
    platform::Color backcolor{0, 0, 0};
    /// The window's back colour, or 0xEDEDED when it has none.
    platform::Color windowColor{0xED, 0xED, 0xED};
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
/// control (only the direct parent is consulted).
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
