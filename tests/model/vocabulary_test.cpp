#include "model/vocabulary.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
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

TEST(ColourTest, EveryNamedColourRoundTrips)
{
    ASSERT_EQ(NamedColours().size(), static_cast<std::size_t>(kNamedColourCount));
    for (int i = 0; i < kNamedColourCount; ++i) {
        const ColourRow &row = NamedColours()[static_cast<std::size_t>(i)];
        SCOPED_TRACE(row.name);
        ColourParts parts = ColourFromText(std::string(kColourPrefix) + row.name);
        EXPECT_EQ(parts.index, i);
        ColourText text = TextFromComponents(parts.c1, parts.c2, parts.c3);
        EXPECT_EQ(text.index, i);
        EXPECT_EQ(text.text, std::string(kColourPrefix) + row.name);
        EXPECT_EQ(ColourFromText(row.name).index, i);
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

TEST(WordTableTest, EveryTableRoundTrips)
{
    const std::vector<const WordTable *> tables
        = {&ObjectStates(), &AlignXWords(), &AlignYWords(), &StretchWords(), &FontEffects(),
            &ObjectTypes(), &ImageSlotWords(0), &ImageSlotWords(1), &ImageSlotWords(2)};
    for (const WordTable *table : tables) {
        ASSERT_GT(table->Count(), 0);
        for (int i = 0; i < table->Count(); ++i) {
            SCOPED_TRACE(table->Word(i));
            EXPECT_EQ(table->Find(table->Word(i)), i);
            std::string lower = table->Word(i);
            for (char &c : lower)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(table->Find(lower), i);
            EXPECT_STREQ(table->Word(table->Find(lower)), table->Word(i));
        }
        EXPECT_STREQ(table->Word(table->Count()), "");
        EXPECT_STREQ(table->Constant(-1), "");
        EXPECT_EQ(table->Value(table->Count()), 0);
    }
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
