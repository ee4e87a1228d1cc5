// The layout of an object's text inside its rectangle, as the device library places it: lines,
// alignment, margins, shrinking or stretching to the room, and vertical columns.
#pragma once

#include "render/surface.h"

#include <cstdint>
#include <string_view>
#include <vector>

class CFontData;
class CFreeTypeFont;

namespace kx {

// Bits of the text alignment word.
inline constexpr int kAlignHorizontalMask = 0x03; // 0 centre, 1 left, 2 right
inline constexpr int kAlignLeftValue = 0x01;
inline constexpr int kAlignRightValue = 0x02;
inline constexpr int kAlignTopBit = 0x04;
inline constexpr int kAlignBottomBit = 0x08;
inline constexpr int kAlignXStretchBit = 0x10;
inline constexpr int kAlignYStretchBit = 0x20;
inline constexpr int kAlignNoClipBit = 0x80;

// Gap between lines (and between vertical columns) in pixels; the object's line space does not
// change the preview.
inline constexpr int kLineGap = 10;
// Lines drawn at most; the text after the last cut that fits is dropped.
inline constexpr int kMaxTextLines = 100;

// Cuts a CP932 text at every backslash followed by "n" (the two characters, not a line feed).
// A backslash that is the second byte of a double-byte character does not cut. At most
// kMaxTextLines lines; an empty text gives none.
std::vector<std::string_view> SplitTextLines(std::string_view cp932);

// Where and how an object's text is drawn.
struct TextPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::uint32_t mainColour = 0;
    std::uint32_t subColour = 0;
    int align = 0; // alignment word
    int marginX = 0;
    int marginY = 0;
    bool vertical = false;
};

// Draws the CP932 text in the rectangle with the font definition (which is not changed: drawing
// works on a copy that carries the colours, the direction and the stretch matrix). Nothing is
// drawn for an empty text or a font whose face cannot be had.
void DrawObjectText(CFreeTypeFont &fonts, Surface &surface, std::string_view text,
    const CFontData &font, const TextPlacement &place);

// A text caret: a bar as high as a line (as wide as a column in vertical text), in the text's
// main colour.
struct TextCaret {
    KXRect box;
    std::uint32_t colour = 0;
};

// Where the caret after the first caret bytes of the CP932 text stands when DrawObjectText lays
// the text out with this font and placement: after the last character before it, on its line.
// An empty text places it where its first line would start. Empty when the font gives no
// metrics.
TextCaret TextCaretBox(CFreeTypeFont &fonts, std::string_view text, std::size_t caret,
    const CFontData &font, const TextPlacement &place);

} // namespace kx
