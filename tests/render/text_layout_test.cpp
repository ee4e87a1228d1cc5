// Placement of an object's text: lines, alignment, margins, the no-room rule, stretching and
// vertical columns. Each layout is checked against the same lines drawn directly at the places
// the device computes, so any difference of position or scale shows as a pixel difference.
#include "render/text_layout.h"

#include "render/freetype_font.h"
#include "render/test_fonts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kx::KXRect;
using kx::Rgb;
using kx::Surface;
using kx::TextPlacement;

namespace {

constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kRed = Rgb(255, 0, 0);
constexpr int kLeftTop = kx::kAlignLeftValue | kx::kAlignTopBit;

TEST(TextLines, CutAtBackslashN)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(kx::SplitTextLines("A\\nB"), (Lines {"A", "B"}));
    EXPECT_EQ(kx::SplitTextLines("\\nA"), (Lines {"", "A"}));
    EXPECT_EQ(kx::SplitTextLines("A\\n"), (Lines {"A", ""}));
    EXPECT_EQ(kx::SplitTextLines("A\nB"), (Lines {"A\nB"})); // a real line feed does not cut
    EXPECT_EQ(kx::SplitTextLines("A\\B"), (Lines {"A\\B"}));
    EXPECT_TRUE(kx::SplitTextLines("").empty());
    // "表" is 0x95 0x5C: its second byte is a backslash that must not cut before "n".
    EXPECT_EQ(kx::SplitTextLines("\x95\x5Cn\\nX"), (Lines {"\x95\x5Cn", "X"}));
}

TEST(TextLines, AtMostOneHundredLines)
{
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += (i ? "\\n" : "") + std::to_string(i);
    const auto lines = kx::SplitTextLines(text);
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines.front(), "0");
    EXPECT_EQ(lines.back(), "99");

    // One hundred cuts: the empty rest after the last is dropped too.
    std::string cuts;
    for (int i = 0; i < 100; ++i)
        cuts += "x\\n";
    EXPECT_EQ(kx::SplitTextLines(cuts).size(), 100u);
}

class TextLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fp.LinkFont("ipag.ttf"))
            GTEST_SKIP() << "ipag.ttf is not installed (fonts-ipafont-gothic)";
        font = &fp.AddFont("Gothic", "ipag.ttf", 20);
        fonts = std::make_unique<CFreeTypeFont>(fp.project, fp.messages);
        ASSERT_EQ(fonts->GetMetrics(*font, nullptr, &lineHeight, &ascender, nullptr), 1);
        style = std::make_unique<CFontData>(*font);
        style->SetMainColour(kWhite);
        style->SetSubColour(kRed);
    }

    TextPlacement Place(
        int x, int y, int w, int h, int align, int mX = 0, int mY = 0, bool vertical = false) const
    {
        return TextPlacement {x, y, w, h, kWhite, kRed, align, mX, mY, vertical};
    }

    Surface Layout(std::string_view cp932, const TextPlacement &place)
    {
        Surface s(kSize, kSize);
        kx::DrawObjectText(*fonts, s, cp932, *font, place);
        return s;
    }

    // Size of a UTF-8 line as the layout measures it.
    KXRect Measure(std::string_view utf8, bool vertical = false)
    {
        style->SetVertical(vertical);
        style->SetTransform(CFontData::kIdentity);
        return fonts->MeasureText(utf8, 0, 0, *style);
    }

    // Draws a UTF-8 line directly with the given scale.
    void Line(Surface &s, std::string_view utf8, int x, int y, bool vertical = false,
        double sx = 1.0, double sy = 1.0)
    {
        style->SetVertical(vertical);
        style->SetTransform({sx, 0, 0, sy});
        fonts->DrawText(s, utf8, x, y, *style);
    }

    static constexpr int kSize = 300;
    kxtest::FontProject fp;
    CFontData *font = nullptr;
    std::unique_ptr<CFreeTypeFont> fonts;
    std::unique_ptr<CFontData> style;
    int lineHeight = 0;
    int ascender = 0;
};

TEST_F(TextLayoutTest, LinesAreALineHeightAndTenPixelsApart)
{
    Surface expected(kSize, kSize);
    Line(expected, "A", 10, 20 + ascender);
    Line(expected, "B", 10, 20 + ascender + lineHeight + 10);
    EXPECT_TRUE(kxtest::SamePixels(expected, Layout("A\\nB", Place(10, 20, 200, 200, kLeftTop))));
}

TEST_F(TextLayoutTest, OneLineIsCentredByTheHeightOfYAndParenthesis)
{
    const int p = Measure("y)").Height();
    const int width = Measure("Hello").Width();
    Surface expected(kSize, kSize);
    Line(expected, "Hello", 20 + (150 - width) / 2, 30 + (100 - p) / 2 + ascender);
    EXPECT_TRUE(kxtest::SamePixels(expected, Layout("Hello", Place(20, 30, 150, 100, 0))));
}

TEST_F(TextLayoutTest, RightAndBottomKeepTheirMargins)
{
    const int p = Measure("y)").Height();
    const int width = Measure("Edge").Width();
    const int align = kx::kAlignRightValue | kx::kAlignBottomBit;
    Surface expected(kSize, kSize);
    Line(expected, "Edge", 10 + 200 - 6 - width, 20 + 120 - p - 7 + ascender);
    EXPECT_TRUE(kxtest::SamePixels(expected, Layout("Edge", Place(10, 20, 200, 120, align, 6, 7))));
}

TEST_F(TextLayoutTest, WithoutRoomTheLinesStartAtTheCorner)
{
    // Margins of 10 in a 20-pixel-wide object leave no room; alignment is ignored.
    Surface expected(kSize, kSize);
    Line(expected, "AB", 30, 40 + ascender);
    Line(expected, "CD", 30, 40 + ascender + lineHeight + 10);
    const int align = kx::kAlignRightValue | kx::kAlignBottomBit;
    EXPECT_TRUE(
        kxtest::SamePixels(expected, Layout("AB\\nCD", Place(30, 40, 20, 200, align, 10, 0))));
    EXPECT_TRUE(
        kxtest::SamePixels(expected, Layout("AB\\nCD", Place(30, 40, 200, 20, align, 0, 10))));
}

// The stretch rules below are pinned with numbers worked out by hand at sizes where the
// divisions do not come out even, for the 20-pixel IPA Gothic: a line 20 high with the baseline
// 18 below its top, "Stretched" 88 wide.
TEST_F(TextLayoutTest, StretchNarrowsALineToTheRoom)
{
    ASSERT_EQ(Measure("Stretched").Width(), 88);
    ASSERT_EQ(ascender, 18);
    // Room 61 of 88: the line is drawn from the margin at 61/88 of its width; one line is as
    // high as "y)" (18), which fits the 144 rows, so its baseline is 20 + 3 + 18.
    const int align = kLeftTop | kx::kAlignXStretchBit | kx::kAlignYStretchBit;
    Surface expected(kSize, kSize);
    Line(expected, "Stretched", 14, 41, false, 61.0 / 88.0, 1.0);
    EXPECT_TRUE(
        kxtest::SamePixels(expected, Layout("Stretched", Place(10, 20, 61 + 8, 150, align, 4, 3))));
}

TEST_F(TextLayoutTest, StretchSqueezesTwoLinesIntoALowRoom)
{
    ASSERT_EQ(lineHeight, 20);
    ASSERT_EQ(ascender, 18);
    // Two lines make a block of 2 × 30 − 10 = 50 rows; the room has 23 − 2 × 2 = 19. The first
    // baseline is 20 + 2 + 19 × 18 / 50 = 22 + 6 (6.84, truncated); the next one 30 × 19 / 50 =
    // 11 (11.4) further down. Both are drawn 19/50 = 0.38 high from the left margin, 10 + 1.
    const int align = kLeftTop | kx::kAlignYStretchBit;
    Surface expected(kSize, kSize);
    Line(expected, "Up", 11, 28, false, 1.0, 0.38);
    Line(expected, "Down", 11, 39, false, 1.0, 0.38);
    EXPECT_TRUE(
        kxtest::SamePixels(expected, Layout("Up\\nDown", Place(10, 20, 202, 23, align, 1, 2))));
}

TEST_F(TextLayoutTest, StretchSqueezesTwoColumnsIntoANarrowRoom)
{
    // Two columns of the 20-pixel font are 2 × 30 − 10 = 50 wide, half a column (20 + 1) / 2 =
    // 10; the room is 25 − 2 × 1 = 23. The first column stands at 10 + 25 − 1 − 10 × 23 / 50 =
    // 34 − 4 (4.6, truncated) = 30, the next one −(10 + 5) × 23 × 2 / 50 = −13 (−13.8,
    // truncated toward zero) further left; both 23/50 = 0.46 wide, from the top margin 20 + 3.
    const std::string first = "\xE3\x82\xA2\xE3\x82\xA4"; // アイ
    const std::string second = "\xE3\x82\xA6\xE3\x82\xA8"; // ウエ
    const int align = kx::kAlignRightValue | kx::kAlignTopBit | kx::kAlignXStretchBit;
    Surface expected(kSize, kSize);
    Line(expected, first, 30, 23, true, 0.46, 1.0);
    Line(expected, second, 17, 23, true, 0.46, 1.0);
    EXPECT_TRUE(kxtest::SamePixels(expected,
        Layout("\x83\x41\x83\x43\\n\x83\x45\x83\x47", Place(10, 20, 25, 200, align, 1, 3, true))));
}

TEST_F(TextLayoutTest, StretchWithoutTheYBitKeepsTheHeight)
{
    // The X bit alone: a line too high for the room starts at the top margin, unscaled.
    const int align = kx::kAlignXStretchBit; // centred, middle
    const int width = Measure("Hi").Width();
    Surface expected(kSize, kSize);
    Line(expected, "Hi", 10 + (100 - width) / 2, 20 + 1 + ascender);
    EXPECT_TRUE(kxtest::SamePixels(expected, Layout("Hi", Place(10, 20, 100, 8, align, 0, 1))));
}

TEST_F(TextLayoutTest, VerticalColumnsRunFromRightToLeft)
{
    const std::string first = "\xE3\x82\xA2\xE3\x82\xA4"; // アイ
    const std::string second = "\xE3\x82\xA6\xE3\x82\xA8"; // ウエ
    const int half = (20 + 1) / 2;
    const int align = kx::kAlignRightValue | kx::kAlignTopBit;
    Surface expected(kSize, kSize);
    const int x = 10 + 200 - 5 - half;
    Line(expected, first, x, 20 + 3, true);
    Line(expected, second, x - (2 * half + 10), 20 + 3, true);
    EXPECT_TRUE(kxtest::SamePixels(expected,
        Layout("\x83\x41\x83\x43\\n\x83\x45\x83\x47", Place(10, 20, 200, 200, align, 5, 3, true))));
}

TEST_F(TextLayoutTest, VerticalStretchFitsAColumnIntoALowRoom)
{
    const std::string line = "\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xA6"; // アイウ
    const int height = Measure(line, true).Height();
    const int room = height / 2;
    const int half = (20 + 1) / 2;
    const int align = kx::kAlignRightValue | kx::kAlignTopBit | kx::kAlignYStretchBit;
    Surface expected(kSize, kSize);
    Line(expected, line, 10 + 100 - half, 20, true, 1.0, static_cast<double>(room) / height);
    EXPECT_TRUE(kxtest::SamePixels(
        expected, Layout("\x83\x41\x83\x43\x83\x45", Place(10, 20, 100, room, align, 0, 0, true))));
}

TEST_F(TextLayoutTest, TheDefinitionIsNotChangedByDrawing)
{
    Layout("Text\\nmore", Place(0, 0, 100, 100, kx::kAlignXStretchBit | kx::kAlignYStretchBit));
    EXPECT_EQ(font->Transform(), CFontData::kIdentity);
    EXPECT_EQ(font->MainColour(), 0u);
    EXPECT_FALSE(font->Vertical());
    EXPECT_EQ(font->EmboldenStrength(), 1);
}

TEST_F(TextLayoutTest, NothingIsDrawnForEmptyTextsOrMissingFaces)
{
    const Surface blank(kSize, kSize);
    EXPECT_TRUE(kxtest::SamePixels(blank, Layout("", Place(0, 0, 100, 100, 0))));
    font->SetFile("absent.ttf");
    font->SetFaceId(500);
    EXPECT_TRUE(kxtest::SamePixels(blank, Layout("A\\nB", Place(0, 0, 100, 100, 0x30))));
}

TEST_F(TextLayoutTest, BlankLinesAndHostileSizesAreHarmless)
{
    // A line with no ink measures 0 wide; stretching it must not divide by zero.
    const int xy = kx::kAlignXStretchBit | kx::kAlignYStretchBit;
    const Surface blank(kSize, kSize);
    EXPECT_TRUE(kxtest::SamePixels(blank, Layout("   ", Place(0, 0, 100, 3, xy))));
    EXPECT_TRUE(kxtest::SamePixels(blank, Layout(" \\n ", Place(0, 0, 3, 100, xy, 0, 0, true))));
    // Sizes and margins near the int limits draw nothing visible and do not overflow.
    Layout("A", Place(2147483000, -2147483000, 2147483647, 2147483647, xy, -2147483647, 5));
    Layout("A", Place(0, 0, -2147483647, 100, 0, 2147483647, 0));
}

} // namespace
