#include "render/font_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kx {

bool NextCodePoint(std::string_view text, std::size_t &offset, std::uint32_t &codePoint)
{
    if (offset >= text.size())
        return false;
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead == 0x00 || lead > 0xFD)
        return false;
    if (lead < 0xC0) {
        codePoint = lead;
        ++offset;
        return true;
    }
    int continuation = 0;
    std::uint32_t value = 0;
    if (lead < 0xE0) {
        continuation = 1;
        value = lead & 0x1F;
    } else if (lead < 0xF0) {
        continuation = 2;
        value = lead & 0x0F;
    } else if (lead < 0xF8) {
        continuation = 3;
        value = lead & 0x07;
    } else if (lead < 0xFC) {
        continuation = 4;
        value = lead & 0x03;
    } else {
        continuation = 5;
        value = lead & 0x01;
    }
    std::size_t at = offset + 1;
    for (int i = 0; i < continuation; ++i, ++at) {
        if (at >= text.size())
            return false;
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80 || byte > 0xBF)
            return false;
        value = (value << 6) | (byte & 0x3F);
    }
    offset = at;
    codePoint = value;
    return true;
}

GlyphClass VerticalClass(std::uint32_t c)
{
    switch (c) {
    case 0x0028:
    case 0x0029:
    case 0x002D:
    case 0x003D:
    case 0x005B:
    case 0x005D:
    case 0x007B:
    case 0x007C:
    case 0x007D:
    case 0x007E:
    case 0x2212:
    case 0x301C:
    case 0x30FC:
    case 0xFF08:
    case 0xFF09:
    case 0xFF1D:
    case 0xFF3B:
    case 0xFF3D:
    case 0xFF5B:
    case 0xFF5D:
        return kClassRotated;
    case 0x3001:
    case 0x3002:
    case 0xFF0C:
    case 0xFF0E:
        return kClassCommaStop;
    case 0x300C:
    case 0x300D:
        return kClassCornerBracket;
    case 0x3041:
    case 0x3043:
    case 0x3045:
    case 0x3047:
    case 0x3049:
    case 0x3063:
    case 0x3083:
    case 0x3085:
    case 0x3087:
    case 0x30A1:
    case 0x30A3:
    case 0x30A5:
    case 0x30A7:
    case 0x30A9:
    case 0x30C3:
    case 0x30E3:
    case 0x30E5:
    case 0x30E7:
        return kClassSmallKana;
    default:
        return kClassUpright;
    }
}

int EffectStrength(int n, int size)
{
    return std::max(n, n * size * 64 / 50);
}

int EffectOffset(int n, int size)
{
    return std::max(n, (n * size + 20) / 50);
}

EffectPlan PlanEffect(int effect, bool boldEffect, bool bold, int size)
{
    const auto E = [size](int n) { return EffectStrength(n, size); };
    const auto D = [size](int n) { return EffectOffset(n, size); };
    // A sub-colour copy with its own strength, or with the strength left by the previous pass.
    const auto sub = [](bool sets, int strength, int dx, int dy) {
        return EffectPlan {false, true, EffectPass {sets, strength, true, dx, dy}};
    };
    switch (effect) {
    case kEffectShadow:
        if (!boldEffect)
            return bold ? sub(true, E(1), D(1), D(1)) : sub(false, 0, D(1), D(1));
        return bold ? sub(true, E(2), D(2), D(2)) : sub(false, 0, D(1), D(2));
    case kEffectOutline:
        // The thicker copy grows up and to the right; moving it left and down centres it.
        if (!boldEffect)
            return sub(true, E(bold ? 3 : 2), -D(1), D(1));
        return sub(true, E(bold ? 5 : 4), -D(2), D(2));
    case kEffectShadowOutline:
        if (!boldEffect)
            return sub(true, E(bold ? 4 : 3), -D(1), D(2));
        return sub(true, E(bold ? 6 : 5), -D(2), D(3));
    case kEffectStroke:
        if (!boldEffect)
            return EffectPlan {true, false, {}};
        if (!bold)
            return EffectPlan {true, true, EffectPass {true, E(1), false, 0, 0}};
        return EffectPlan {true, true, EffectPass {true, E(2), false, 0, D(1)}};
    default:
        return {};
    }
}

MeasureMargins MarginsForEffect(int effect, bool boldEffect, bool bold)
{
    // [effect][boldEffect][bold]; an effect outside the table measures like the normal one.
    static constexpr std::array<std::array<std::array<MeasureMargins, 2>, 2>, 5> kMargins {{
        {{{{{0, 0, 0}, {1, 1, 0}}}, {{{0, 0, 0}, {1, 1, 0}}}}},
        {{{{{0, 1, 1}, {1, 1, 2}}}, {{{0, 2, 2}, {1, 2, 4}}}}},
        {{{{{1, 1, 1}, {2, 2, 1}}}, {{{2, 2, 2}, {3, 3, 3}}}}},
        {{{{{1, 2, 1}, {2, 3, 1}}}, {{{2, 3, 2}, {3, 4, 2}}}}},
        {{{{{0, 0, 0}, {1, 1, 0}}}, {{{1, 1, 0}, {1, 2, 2}}}}},
    }};
    const int row = effect >= 0 && effect < 5 ? effect : 0;
    return kMargins[row][boldEffect ? 1 : 0][bold ? 1 : 0];
}

} // namespace kx
