#pragma once

#include "platform/color.h"

#include <cstdint>
#include <string>
#include <vector>

/// The browser-area state: the browser rectangles of the input skin and the restyle options.
namespace Browser {

// Browser geometry, one entry per browser element whose attribute was found, in file order.
// `BrowserCount` counts the elements, so an array may hold fewer entries than the count.

inline std::vector<std::int32_t> Browser_X;
inline std::vector<std::int32_t> Browser_Y;
inline std::vector<std::int32_t> Browser_Width;
inline std::vector<std::int32_t> Browser_Height;
inline std::int32_t BrowserCount = 0;

// Restyle options.

/// Restyle the browser areas of the bitmap.
inline bool Browser_Change = false;
/// Fill the browser areas with `Browser_Color`.
inline bool Browser_Color_change = false;
/// Draw `B_Background_Picture` into the browser areas.
inline bool Browser_Picture_Change = false;
/// Rewrite the browser text attributes of the XML.
inline bool Browser_XML_Change = false;
inline platform::Color Browser_Color = platform::RGB(0, 0, 0);
/// Fill the whole rectangle instead of flood-filling from its centre.
inline bool B_Force_Color = false;
/// Scale the background picture to the rectangle.
inline bool B_Adapt_Picture = false;
/// Tile the background picture from the rectangle's top left.
inline bool B_Tile_Picture = false;
/// Path of the background picture.
inline std::string B_Background_Picture;
/// Cell 1 to 9 of a three-by-three grid, row by row from the top left, where an unscaled,
/// untiled background picture goes (5 is the centre).
inline std::int32_t B_Picture_Position = 5;
inline std::string B_Text_Font;
inline std::int32_t B_Text_Size = 0;
inline platform::Color B_Text_Color = platform::RGB(0, 0, 0);
inline platform::Color B_Selected_Color = platform::RGB(0, 0, 0);
inline platform::Color B_Stripes_Color = platform::RGB(0, 0, 0);

/// Forgets the browser rectangles: `BrowserCount` 0 and the four arrays emptied. The restyle
/// options are left alone.
void Init();

/// For tests: every value above back to its default.
void ResetDefaults();

}  // namespace Browser
