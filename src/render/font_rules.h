// The fixed rules of the device's text drawing that do not need FreeType: reading UTF-8 the way
// the device does, the character classes of vertical text, the size-scaled effect strengths and
// offsets, and the margins that measuring adds for each effect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kx {

// Text effects of a font definition (the index of FONT_EFFECT_*).
enum FontEffect : int {
    kEffectNormal = 0,
    kEffectShadow = 1,
    kEffectOutline = 2,
    kEffectShadowOutline = 3,
    kEffectStroke = 4,
};

// Placement class of a character in vertical text; horizontal text uses kClassHorizontal.
enum GlyphClass : int {
    kClassHorizontal = 0,
    kClassUpright = 1,
    kClassRotated = 2, // brackets, dashes and the like, turned a quarter clockwise
    kClassCommaStop = 3,
    kClassCornerBracket = 4, // turned like kClassRotated, placed differently
    kClassSmallKana = 5,
};

// Reads the character at offset and moves offset past it. False at the end of the text: the end
// of the view, a zero byte, a byte above 0xFD, or a sequence broken by a byte that is not a
// continuation byte (the rest of the text is then dropped). Stray continuation bytes and
// overlong forms are taken as they come, as the device does.
bool NextCodePoint(std::string_view text, std::size_t &offset, std::uint32_t &codePoint);

// Class of a code point in vertical text.
GlyphClass VerticalClass(std::uint32_t codePoint);

// E(n): embolden strength in 26.6 units that grows with the pixel size, never below n.
int EffectStrength(int n, int size);
// D(n): offset in pixels of an effect copy that grows with the pixel size, never below n.
int EffectOffset(int n, int size);

// One glyph pass drawn before the main pass of a character.
struct EffectPass {
    bool setsStrength = false; // else the strength of the previous pass stays
    int strength = 0;
    bool subColour = true; // else the main colour
    int dx = 0;
    int dy = 0;
};

// What an effect adds to every character before its main pass.
struct EffectPlan {
    bool stroke = false; // every pass draws only the glyph's stroked border
    bool hasPass = false;
    EffectPass pass;
};

EffectPlan PlanEffect(int effect, bool boldEffect, bool bold, int size);

// Pixels that measuring adds around the glyph boxes for an effect, so that the measured box
// holds the effect copies as well. The left edge is never widened.
struct MeasureMargins {
    int top = 0;
    int right = 0;
    int bottom = 0;
};

MeasureMargins MarginsForEffect(int effect, bool boldEffect, bool bold);

} // namespace kx
