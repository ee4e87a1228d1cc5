// The rules of the device's text drawing that need no font: reading UTF-8, vertical classes and
// the size-scaled effect strengths and offsets.
#include "render/font_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace kx;

namespace {

using Codes = std::vector<std::uint32_t>;

Codes Decode(std::string_view text)
{
    Codes out;
    std::size_t offset = 0;
    std::uint32_t c = 0;
    while (NextCodePoint(text, offset, c))
        out.push_back(c);
    return out;
}

} // namespace

TEST(Utf8Reading, SequencesAndWhereTheTextEnds)
{
    EXPECT_EQ(
        Decode("A\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80"), (Codes {0x41, 0xE9, 0x3042, 0x1F600}));
    EXPECT_EQ(Decode("\xFC\x84\x80\x80\x80\x80"), (Codes {0x4000000})); // the old six-byte form
    // A truncated three-byte sequence ends the text, at the end or before another character.
    EXPECT_EQ(Decode("A\xE3\x81"), (Codes {0x41}));
    EXPECT_EQ(Decode("A\xE3\x81"
                     "B"),
        (Codes {0x41}));
    EXPECT_EQ(Decode(std::string("A\xC3\0B", 4)), (Codes {0x41}));
    EXPECT_EQ(Decode(std::string("A\0B", 3)), (Codes {0x41}));
    EXPECT_EQ(Decode("A\xFE"
                     "B"),
        (Codes {0x41}));
    // Stray continuation bytes pass through as they are.
    EXPECT_EQ(Decode("\x80\xBF"
                     "A"),
        (Codes {0x80, 0xBF, 0x41}));
}

TEST(VerticalClasses, ListedCodePointsAndTheirNeighbours)
{
    EXPECT_EQ(VerticalClass(0x28), kClassRotated);
    EXPECT_EQ(VerticalClass(0x7C), kClassRotated);
    EXPECT_EQ(VerticalClass(0x30FC), kClassRotated); // the long vowel mark
    EXPECT_EQ(VerticalClass(0x3002), kClassCommaStop);
    EXPECT_EQ(VerticalClass(0x300C), kClassCornerBracket);
    EXPECT_EQ(VerticalClass(0x300D), kClassCornerBracket);
    EXPECT_EQ(VerticalClass(0x30C3), kClassSmallKana);
    for (std::uint32_t c : {0x41u, 0x2Cu, 0x3042u, 0x3064u, 0x30A2u, 0x300Eu, 0x7Fu})
        EXPECT_EQ(VerticalClass(c), kClassUpright) << std::hex << c;
}

TEST(EffectScaling, StrengthsAndOffsetsGrowWithTheSize)
{
    EXPECT_EQ((std::vector {EffectOffset(1, 16), EffectOffset(2, 16), EffectOffset(3, 16)}),
        (std::vector {1, 2, 3}));
    EXPECT_EQ((std::vector {EffectStrength(1, 16), EffectStrength(2, 16), EffectStrength(3, 16)}),
        (std::vector {20, 40, 61}));
    EXPECT_EQ((std::vector {EffectOffset(1, 80), EffectOffset(2, 80), EffectOffset(3, 80)}),
        (std::vector {2, 3, 5}));
    EXPECT_EQ(EffectStrength(1, 80), 102);
    EXPECT_EQ(EffectStrength(1, 1), 1); // never below n
}

TEST(EffectScaling, RoundingAtSizesWhereTheDivisionIsNotEven)
{
    // Offset D(n) = max(n, (n × size + 20) / 50) and strength E(n) = max(n, n × size × 64 / 50),
    // both truncated; worked out by hand.
    struct Case {
        int n, size, offset, strength;
    };
    const Case cases[] = {
        {1, 7, 1, 8}, // 0.54 → at least n; 8.96 → 8
        {2, 17, 2, 43}, // 1.08 → at least n; 43.52 → 43
        {3, 64, 4, 245}, // 4.24 → 4; 245.76 → 245
        {1, 129, 2, 165}, // 2.98 → 2; 165.12 → 165
        {1, 130, 3, 166}, // 3.0 exactly; 166.4 → 166
        {2, 129, 5, 330}, // 5.56 → 5; 330.24 → 330
        {3, 255, 15, 979}, // 15.7 → 15; 979.2 → 979
        {2, 0, 2, 2}, // a size of 0 still gives n
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + " at size " + std::to_string(c.size));
        EXPECT_EQ(EffectOffset(c.n, c.size), c.offset);
        EXPECT_EQ(EffectStrength(c.n, c.size), c.strength);
    }

    // The plans at size 129: D(1) = 2, D(2) = 5, D(3) = 8; E(1) = 165, E(2) = 330, E(3) = 495.
    const EffectPlan shadow = PlanEffect(1, true, true, 129);
    EXPECT_EQ(shadow.pass.strength, 330);
    EXPECT_EQ(shadow.pass.dx, 5);
    EXPECT_EQ(shadow.pass.dy, 5);
    const EffectPlan outline = PlanEffect(3, false, false, 129);
    EXPECT_EQ(outline.pass.strength, 495);
    EXPECT_EQ(outline.pass.dx, -2);
    EXPECT_EQ(outline.pass.dy, 5);
}

TEST(EffectScaling, PassesBeforeTheMainPass)
{
    // (has a pass, sets the strength, strength, sub colour, dx, dy, stroke) at size 80, where
    // D(1) = 2, D(2) = 3, D(3) = 5.
    using Pass = std::tuple<bool, bool, int, bool, int, int, bool>;
    const auto plan = [](int effect, bool boldEffect, bool bold) {
        const EffectPlan p = PlanEffect(effect, boldEffect, bold, 80);
        return Pass {p.hasPass, p.pass.setsStrength, p.pass.setsStrength ? p.pass.strength : 0,
            p.pass.subColour, p.pass.dx, p.pass.dy, p.stroke};
    };
    const auto E = [](int n) { return EffectStrength(n, 80); };
    EXPECT_EQ(plan(0, true, true), Pass(false, false, 0, true, 0, 0, false));
    EXPECT_EQ(plan(1, false, false), Pass(true, false, 0, true, 2, 2, false)); // strength kept
    EXPECT_EQ(plan(1, false, true), Pass(true, true, E(1), true, 2, 2, false));
    EXPECT_EQ(plan(1, true, false), Pass(true, false, 0, true, 2, 3, false));
    EXPECT_EQ(plan(1, true, true), Pass(true, true, E(2), true, 3, 3, false));
    EXPECT_EQ(plan(2, false, true), Pass(true, true, E(3), true, -2, 2, false));
    EXPECT_EQ(plan(2, true, false), Pass(true, true, E(4), true, -3, 3, false));
    EXPECT_EQ(plan(3, false, false), Pass(true, true, E(3), true, -2, 3, false));
    EXPECT_EQ(plan(3, true, true), Pass(true, true, E(6), true, -3, 5, false));
    EXPECT_EQ(plan(4, false, true), Pass(false, false, 0, true, 0, 0, true));
    EXPECT_EQ(plan(4, true, false), Pass(true, true, E(1), false, 0, 0, true));
    EXPECT_EQ(plan(4, true, true), Pass(true, true, E(2), false, 0, 2, true));
    EXPECT_EQ(plan(9, true, true), Pass(false, false, 0, true, 0, 0, false)); // main pass only
}
