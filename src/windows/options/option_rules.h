#pragma once

#include "platform/color.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The rules of the option dialogs and the full-size preview, kept out of the windows so that
/// they can be checked without one.
namespace optionrules {

// Browser options

/// The browser text size that the dialog lets through when it closes: the leading number of
/// the field's text lies from 8 to 36, both included.
bool TextSizeAccepted(std::string_view text) noexcept;

/// What closing the dialog does with the text size: when the leading number of `text` differs
/// from `current`, the size becomes its integer part and the browser text options are turned
/// on; an equal number writes nothing.
struct TextSizeStore {
    bool changed = false;
    std::int32_t size = 0;
};
TextSizeStore TextSizeOnClose(std::string_view text, std::int32_t current) noexcept;

/// The cell (1 to 9, row by row from the top left) of the 77 x 77 position grid that a press
/// at (x, y) selects. The thresholds lie on the frames' left and top lines, so a press on the
/// third column's left line still selects the middle column.
std::int32_t GridCellAt(int x, int y) noexcept;
/// The grid's drawing: the left or top edge of the white square of column or row `index`
/// (0 to 2), and of the one-pixel frame around it.
inline constexpr std::array<int, 3> kGridSquareEdges{3, 30, 57};
inline constexpr std::array<int, 3> kGridFrameEdges{2, 29, 56};
inline constexpr int kGridSquareSize = 17;
inline constexpr int kGridFrameSize = 19;
/// The colour of the highlighted cell.
inline constexpr platform::Color kGridHighlight{0x88, 0xC9, 0xF0};

/// The colour that an out-of-sight colour field stands for once the focus leaves it: a first
/// "#" is dropped from `text` (in place), then the rest is read as the six hexadecimal digits
/// of a colour literal.
platform::Color ColourFieldOnLeave(std::string& text);

// More options

/// The font percentage arrows: up steps by 10 while the number is below 990, down while it is
/// above 10 (the limits themselves do not step). Returns the new text, or `text` unchanged.
std::string FontArrowStep(std::string_view text, bool up);
/// The gain arrows: up steps by 50 while the number is at most 1450, down while it is at least
/// 150, so a value inside 100..1500 stays inside it.
std::string GainArrowStep(std::string_view text, bool up);
/// The gain field's clamp when it loses the focus: below 100 becomes "100", then above 1500
/// becomes "1500"; otherwise the text stays as typed.
std::string GainClamp(std::string_view text);

/// Whether ticking "Do not change logo size" shows the logo-size notice: the output is smaller
/// than the input in either axis (a ratio below 1, an input size of 0 never counting), and
/// the suppressed-message list neither turns every message off (element 0 equal to 1) nor
/// holds the notice's id 4 from element 1 on.
bool LogoNoticeDue(std::int32_t outWidth, std::int32_t inWidth, std::int32_t outHeight,
                   std::int32_t inHeight, const std::vector<std::int32_t>& runOnce);
/// The logo-size notice, joined with `rc`.
std::string LogoNoticeText(std::string_view rc);
inline constexpr std::int32_t kLogoNoticeId = 4;

/// The font percentage that Apply stores: the field's leading number with its fraction dropped.
/// A percentage of 0 or below (an empty, non-numeric or negative text) would give the job
/// fonts of size 0 or less, and one beyond the 32-bit range cannot be stored: both keep
/// `previous` instead.
std::int32_t FontPercentageOnApply(std::string_view text, std::int32_t previous) noexcept;
/// The gain sensibility that Apply stores: the leading number with its fraction dropped, or
/// `previous` when it lies beyond the 32-bit range.
std::int32_t GainOnApply(std::string_view text, std::int32_t previous) noexcept;

// Settings

/// The pop-up row of a listed language file: the entry's text before its first "*".
std::string LanguageRowText(std::string_view availableLangEntry);

// Full-size preview

/// The logo box and the close area found in a skin's lines, each as left, top, width, height
/// in window pixels (0 where nothing was found).
struct PreviewAreas {
    std::array<std::int32_t, 4> logo{};
    std::array<std::int32_t, 4> close{};
};
/// Scans every line: after a line holding "<logo>", the next two lines give the logo's
/// position ("<pos" x and y) and height, its width being height x 177 / 43; after a line
/// holding action="close", the next five lines give the close area ("<pos" x and y, "<size"
/// width and height). A later match overwrites an earlier one value by value; look-aheads stop
/// at the last line.
PreviewAreas ScanPreviewAreas(const std::vector<std::string>& lines);
/// Whether a press at (x, y) falls inside the close area, all four edges included.
bool InCloseArea(const std::array<std::int32_t, 4>& close, int x, int y) noexcept;

}  // namespace optionrules
