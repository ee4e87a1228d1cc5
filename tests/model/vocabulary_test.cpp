#include "model/vocabulary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kx {
namespace {

TEST(EqualsNoCaseTest, FoldsAsciiLettersOnly)
{
    EXPECT_TRUE(EqualsNoCase("abc", "ABC"));
    EXPECT_TRUE(EqualsNoCase("X-Stretch", "x-STRETCH"));
    EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
    EXPECT_FALSE(EqualsNoCase("[", "{")); // not letters: no folding
}

TEST(EqualsNoCaseTest, DoubleByteCharacterIsComparedAsAUnit)
{
    // 0x83 0x41 and 0x83 0x61 are two different katakana; the trail byte must not be folded.
    EXPECT_FALSE(EqualsNoCase("\x83\x41", "\x83\x61"));
    EXPECT_TRUE(EqualsNoCase("a\x83\x41z", "A\x83\x41Z"));
    // A lead byte that ends the text is compared as a single byte.
    EXPECT_TRUE(EqualsNoCase("A\x83", "a\x83"));
    // The lead byte pairs with the next byte, so the 'q' after 0x81 0x41 still folds.
    EXPECT_TRUE(EqualsNoCase("\x81\x41q", "\x81\x41Q"));
}

TEST(ColourTest, ReadsNamesWithAndWithoutPrefix)
{
    ColourParts white = ColourFromText("KX_COL_white");
    EXPECT_EQ(white.index, 7);
    EXPECT_EQ(white.c1, 0xFFu);
    EXPECT_EQ(ColourFromText("Pink").index, 9);

    // The prefix itself is case-sensitive: the lower-case form is taken as a whole and unknown.
    ColourParts unknown = ColourFromText("kx_col_white");
    EXPECT_EQ(unknown.index, kComponentColourIndex);
    EXPECT_EQ(unknown.c1 + unknown.c2 + unknown.c3, 0u);
    EXPECT_EQ(ColourFromText("").index, kComponentColourIndex);
}

TEST(ColourTest, ReadsComponentForm)
{
    ColourParts full = ColourFromText("RGB(0x10,0xa0,0xFF)");
    EXPECT_EQ(full.index, kComponentColourIndex);
    EXPECT_EQ(full.c1, 0x10u);
    EXPECT_EQ(full.c2, 0xA0u);
    EXPECT_EQ(full.c3, 0xFFu);

    // Reading stops at the first mismatch; what was read before it is kept.
    ColourParts partial = ColourFromText("RGB(0x10,zz");
    EXPECT_EQ(partial.index, kComponentColourIndex);
    EXPECT_EQ(partial.c1, 0x10u);
    EXPECT_EQ(partial.c2, 0u);
    EXPECT_EQ(partial.c3, 0u);

    // A view into a longer buffer is read only up to its end.
    const std::string buffer = "RGB(0x12,0x34,0x56)789";
    ColourParts cut = ColourFromText(std::string_view(buffer).substr(0, 17));
    EXPECT_EQ(cut.c2, 0x34u);
    EXPECT_EQ(cut.c3, 0x5u);

    // The component form is recognised only in upper case.
    EXPECT_EQ(ColourFromText("rgb(0x10,0x20,0x30)").c1, 0u);
}

TEST(ColourTest, WritesNameWhenLowBitsMatch)
{
    EXPECT_EQ(TextFromComponents(0x87, 0, 0x87).text, "KX_COL_TRANSPARENT");
    EXPECT_EQ(TextFromComponents(0x87, 0, 0x87).index, 15);
    EXPECT_EQ(TextFromComponents(0, 0, 0).text, "KX_COL_BLACK");
    EXPECT_EQ(TextFromComponents(0x187, 0, 0x87).index, 15);

    ColourText custom = TextFromComponents(0x10, 0xA0, 0xFF);
    EXPECT_EQ(custom.index, kComponentColourIndex);
    EXPECT_EQ(custom.text, "RGB(0x10,0xa0,0xff)");
    EXPECT_EQ(TextFromComponents(0x110, 0xA0, 0xFF).text, "RGB(0x110,0xa0,0xff)");
}

TEST(ColourTest, TheSixteenNamedColours)
{
    // Name, drawing value (0x00BBGGRR): the fixed table of the library, written out here.
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {{"BLACK", 0x000000},
        {"BLUE", 0xFF0000}, {"GREEN", 0x00FF00}, {"RED", 0x0000FF}, {"CYAN", 0xFFFF00},
        {"MAGENTA", 0xFF00FF}, {"YELLOW", 0x00FFFF}, {"WHITE", 0xFFFFFF}, {"ORANGE", 0x0080FF},
        {"PINK", 0xC880FF}, {"PURPLE", 0x7800B4}, {"SKYBLUE", 0xFAB464}, {"VIRIDIAN", 0x469600},
        {"GRAY", 0x787878}, {"SILVER", 0xC8C8C8}, {"TRANSPARENT", 0x870087}};
    ASSERT_EQ(NamedColours().size(), expected.size());
    for (int i = 0; i < kNamedColourCount; ++i) {
        const auto &[name, value] = expected[static_cast<std::size_t>(i)];
        SCOPED_TRACE(name);
        EXPECT_STREQ(NamedColours()[static_cast<std::size_t>(i)].name, name.c_str());
        EXPECT_EQ(DrawingValueOfName(name), value);
        const ColourParts parts = ColourFromText("KX_COL_" + name);
        EXPECT_EQ(parts.index, i);
        EXPECT_EQ((std::uint32_t {parts.c1} << 16) | (parts.c2 << 8) | parts.c3, value);
        const ColourText text
            = TextFromComponents((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
        EXPECT_EQ(text.index, i);
        EXPECT_EQ(text.text, "KX_COL_" + name);
    }
}

TEST(ColourTest, TextAndDrawingValueFromIndex)
{
    std::string text = "unchanged";
    EXPECT_EQ(TextFromIndex(-1, text), 0u);
    EXPECT_EQ(TextFromIndex(kComponentColourIndex, text), 0u);
    EXPECT_EQ(text, "unchanged");
    // Red sits in the lowest byte of the drawing value.
    EXPECT_EQ(TextFromIndex(3, text), 0x0000FFu);
    EXPECT_EQ(text, "KX_COL_RED");
    EXPECT_EQ(TextFromIndex(10, text), 0x7800B4u);

    EXPECT_EQ(DrawingValueOfName("WHITE"), 0xFFFFFFu);
    EXPECT_EQ(DrawingValueOfName("white"), 0u);
    EXPECT_EQ(DrawingValueOfName("SKYBLUE"), 0xFAB464u);
}

TEST(ColourTest, NormalisesBackgroundText)
{
    EXPECT_EQ(NormaliseColourText("WHITE"), "KX_COL_WHITE");
    EXPECT_EQ(NormaliseColourText("KX_COL_RED"), "KX_COL_RED");
    EXPECT_EQ(NormaliseColourText("RGB(0x1,0x2,0x3)"), "RGB(0x1,0x2,0x3)");
    EXPECT_EQ(NormaliseColourText("kx_col_red"), "KX_COL_kx_col_red");
}

TEST(WordTableTest, EveryTableHoldsTheLibrarysWordsConstantsAndValues)
{
    struct Row {
        const char *word;
        const char *constant;
        int value;
    };
    const auto expect = [](const WordTable &table, const std::vector<Row> &rows) {
        ASSERT_EQ(table.Count(), static_cast<int>(rows.size()));
        for (int i = 0; i < table.Count(); ++i) {
            const Row &row = rows[static_cast<std::size_t>(i)];
            SCOPED_TRACE(row.word);
            EXPECT_STREQ(table.Word(i), row.word);
            EXPECT_STREQ(table.Constant(i), row.constant);
            EXPECT_EQ(table.Value(i), row.value);
        }
        EXPECT_STREQ(table.Word(table.Count()), "");
        EXPECT_STREQ(table.Constant(-1), "");
        EXPECT_EQ(table.Value(table.Count()), 0);
    };
    expect(ObjectStates(),
        {{"Normal", "KX_ATTR_NORMAL", 0}, {"Disable", "KX_ATTR_DISABLE", 1},
            {"Active", "KX_ATTR_ACTIVE", 2}, {"Focus", "KX_ATTR_FOCUS", 3},
            {"Down", "KX_ATTR_DOWN", 4}, {"ActDown", "KX_ATTR_ACTDOWN", 5},
            {"Hide", "KX_ATTR_HIDE", 6}});
    expect(AlignXWords(),
        {{"Center", "KX_ALIGN_CENTER", 0}, {"Left", "KX_ALIGN_LEFT", 1},
            {"Right", "KX_ALIGN_RIGHT", 2}});
    expect(AlignYWords(),
        {{"Top", "KX_ALIGN_TOP", 4}, {"Middle", "KX_ALIGN_MIDDLE", 0},
            {"Bottom", "KX_ALIGN_BOTTOM", 8}});
    expect(StretchWords(),
        {{"Normal", "", 0x00}, {"X-Stretch", "KX_ALIGN_XSTRETCH", 0x10},
            {"Y-Stretch", "KX_ALIGN_YSTRETCH", 0x20}, {"XY-Stretch", "KX_ALIGN_STRETCH", 0x30},
            {"NoClip", "KX_ALIGN_NOCLIP", 0x80}});
    expect(FontEffects(),
        {{"FONT_EFFECT_NORMAL", "FONT_EFFECT_NORMAL", 0},
            {"FONT_EFFECT_SHADOW", "FONT_EFFECT_SHADOW", 1},
            {"FONT_EFFECT_OUTLINE", "FONT_EFFECT_OUTLINE", 2},
            {"FONT_EFFECT_SHADOW_OUTLINE", "FONT_EFFECT_SHADOW_OUTLINE", 3},
            {"FONT_EFFECT_STROKE", "FONT_EFFECT_STROKE", 4}});
    expect(ImageSlotWords(0),
        {{"Normal", "KX_ATTR_NORMAL", 0}, {"Disable", "KX_ATTR_DISABLE", 1},
            {"Active", "KX_ATTR_ACTIVE", 2}, {"Focus", "KX_ATTR_FOCUS", 3},
            {"Push", "KX_ATTR_DOWN", 4}, {"ActPush", "KX_ATTR_ACTDOWN", 5}});
    expect(ImageSlotWords(1),
        {{"Normal", "KX_ATTR_NORMAL", 0}, {"Disable", "KX_ATTR_DISABLE", 1},
            {"Active", "KX_ATTR_ACTIVE", 2}, {"Focus", "KX_ATTR_FOCUS", 3}});
    expect(ImageSlotWords(2),
        {{"Top", "KX_ATTR_TOP", 0}, {"Middle", "KX_ATTR_MIDDLE", 1},
            {"Bottom", "KX_ATTR_BOTTOM", 2}});
    const char *const types[]
        = {"Button", "Editbox", "Frame", "Picture", "Icon", "Movie", "Canvas", "Text", "Group"};
    ASSERT_EQ(ObjectTypes().Count(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_STREQ(ObjectTypes().Word(i), types[i]);

    // Words are found without regard to case, "ActPush" among the button's slots.
    EXPECT_EQ(ObjectStates().Find("actdown"), 5);
    EXPECT_EQ(ImageSlotWords(0).Find("ACTPUSH"), 5);
    EXPECT_EQ(StretchWords().Find("xy-stretch"), 3);
    EXPECT_EQ(ObjectTypes().Find("GROUP"), 8);
}

TEST(WordTableTest, MatchKeepsCurrentIndexForUnknownWord)
{
    EXPECT_EQ(ObjectStates().Find("Sleeping"), -1);
    EXPECT_EQ(ObjectStates().Match("Sleeping", 4), 4);
    EXPECT_EQ(ObjectStates().Match("hide", 4), 6);
}

TEST(WordTableTest, TableContents)
{
    EXPECT_EQ(ObjectStates().Count(), 7);
    EXPECT_STREQ(ObjectStates().Constant(5), "KX_ATTR_ACTDOWN");

    // Image slots: the button's Push slot uses the Down state constant; edit boxes have four.
    EXPECT_STREQ(ImageSlotWords(0).Word(4), "Push");
    EXPECT_STREQ(ImageSlotWords(0).Constant(4), "KX_ATTR_DOWN");
    EXPECT_EQ(ImageSlotWords(1).Count(), 4);
    EXPECT_STREQ(ImageSlotWords(2).Constant(1), "KX_ATTR_MIDDLE");
    EXPECT_EQ(&ImageSlotWords(7), &ImageSlotWords(0));

    EXPECT_STREQ(StretchWords().Constant(0), "");
    EXPECT_STREQ(FontEffects().Word(3), FontEffects().Constant(3));
    EXPECT_EQ(ObjectTypes().Find("editbox"), 1);
    EXPECT_EQ(ObjectTypes().Count(), 9);
}

TEST(AlignmentTest, CombinesValues)
{
    const int middle = AlignYWords().Find("Middle");
    const int normal = StretchWords().Find("Normal");
    EXPECT_EQ(AlignmentWord(AlignXWords().Find("Center"), middle, normal), 0);
    EXPECT_EQ(AlignmentWord(AlignXWords().Find("Right"), AlignYWords().Find("Top"), normal), 2 | 4);
    EXPECT_EQ(AlignmentWord(1, 2, 4), 1 | 8 | 0x80);
    EXPECT_EQ(AlignmentWord(0, 0, 3), 4 | 0x30);
    EXPECT_EQ(AlignmentWord(-1, 9, 5), 0);
}

TEST(SwitchTest, OnAndOff)
{
    EXPECT_STREQ(SwitchWord(true), "ON");
    EXPECT_STREQ(SwitchWord(false), "OFF");
    EXPECT_TRUE(SwitchFromText("on"));
    EXPECT_FALSE(SwitchFromText("OFF"));
    EXPECT_FALSE(SwitchFromText("1"));
    EXPECT_FALSE(SwitchFromText(""));
}

} // namespace
} // namespace kx
