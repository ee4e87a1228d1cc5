// Three-slice widening of button and edit-box pictures, checked column by column with pictures
// whose columns all differ.
#include "render/picture_drawing.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using kx::Rgb;
using kx::Surface;

namespace {

constexpr std::uint32_t kMarker = Rgb(255, 255, 255);

// A picture whose red value is the column and green value the row.
Surface Columns(int width, int height)
{
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            s.SetPixel(x, y, Rgb(x, y, 50));
    }
    return s;
}

// Source column shown by each target column of a row; -1 where nothing was drawn.
std::vector<int> Drawn(const Surface &s, int row)
{
    std::vector<int> columns;
    for (int x = 0; x < s.Width(); ++x) {
        const std::uint32_t c = s.GetPixel(x, row);
        columns.push_back(c == kMarker ? -1 : static_cast<int>(c & 0xFF));
    }
    return columns;
}

// Appends the source columns first .. first + count - 1.
void Append(std::vector<int> &v, int first, int count)
{
    for (int i = 0; i < count; ++i)
        v.push_back(first + i);
}

Surface Target(int width, int height)
{
    Surface s(width, height);
    s.Fill(kMarker);
    return s;
}

} // namespace

TEST(ThreeSlice, RepeatsTheMiddleThirdAndOverlapsTheLastPiece)
{
    // 30 wide: s = 10, left piece 10. Widened to 95: middles at 10, 20, ..., 70, the last one
    // moved back to 75..84 over the piece at 70, the right piece at 85..94.
    const Surface picture = Columns(30, 4);
    Surface target = Target(100, 5);
    EXPECT_EQ(kx::DrawThreeSlice(target, picture, 0, 0, 95), 4);
    std::vector<int> expected;
    Append(expected, 0, 10);
    for (int i = 0; i < 6; ++i)
        Append(expected, 10, 10);
    Append(expected, 10, 5); // 70..74: first half of the piece at 70
    Append(expected, 10, 10); // 75..84
    Append(expected, 20, 10); // 85..94
    expected.insert(expected.end(), 5, -1);
    EXPECT_EQ(Drawn(target, 0), expected);
    EXPECT_EQ(Drawn(target, 3), expected);
    EXPECT_EQ(target.GetPixel(0, 3), Rgb(0, 3, 50));
    EXPECT_EQ(Drawn(target, 4), std::vector<int>(100, -1));
}

TEST(ThreeSlice, ExactMultipleNeedsNoOverlap)
{
    const Surface picture = Columns(30, 1);
    Surface target = Target(60, 1);
    kx::DrawThreeSlice(target, picture, 0, 0, 50);
    std::vector<int> expected;
    Append(expected, 0, 10);
    Append(expected, 10, 10);
    Append(expected, 10, 10);
    Append(expected, 10, 10);
    Append(expected, 20, 10);
    expected.insert(expected.end(), 10, -1);
    EXPECT_EQ(Drawn(target, 0), expected);
}

TEST(ThreeSlice, NarrowTargetStillShowsLeftAndRightSideBySide)
{
    const Surface picture = Columns(30, 2);
    for (int width : {15, 20, 0, -50}) {
        Surface target = Target(25, 2);
        kx::DrawThreeSlice(target, picture, 0, 0, width);
        std::vector<int> expected;
        Append(expected, 0, 10);
        Append(expected, 20, 10); // drawn 20 wide, past a target of 15
        expected.insert(expected.end(), 5, -1);
        EXPECT_EQ(Drawn(target, 1), expected) << "width " << width;
    }
    // Between L + s and L + 2s the one middle piece overlaps the left piece.
    Surface target = Target(30, 1);
    kx::DrawThreeSlice(target, picture, 0, 0, 25);
    std::vector<int> expected;
    Append(expected, 0, 5);
    Append(expected, 10, 10); // at limit - s = 5
    Append(expected, 20, 10);
    expected.insert(expected.end(), 5, -1);
    EXPECT_EQ(Drawn(target, 0), expected);
}

TEST(ThreeSlice, LeftPieceTakesTheRemainder)
{
    // 31 wide: s = 10, left piece 11, middle 10..19, right 21..30.
    const Surface picture = Columns(31, 1);
    Surface target = Target(55, 1);
    kx::DrawThreeSlice(target, picture, 0, 0, 50);
    std::vector<int> expected;
    Append(expected, 0, 11);
    Append(expected, 10, 10); // 11..20
    Append(expected, 10, 9); // 21..29, overwritten from 30 by the last piece
    Append(expected, 10, 10); // 30..39
    Append(expected, 21, 10); // 40..49
    expected.insert(expected.end(), 5, -1);
    EXPECT_EQ(Drawn(target, 0), expected);
}

TEST(ThreeSlice, PictureNarrowerThanThreeIsDrawnOnce)
{
    for (int width : {1, 2}) {
        const Surface picture = Columns(width, 6);
        Surface target = Target(50, 7);
        EXPECT_EQ(kx::DrawThreeSlice(target, picture, 3, 0, 40), 6);
        std::vector<int> expected(3, -1);
        Append(expected, 0, width);
        expected.resize(50, -1);
        EXPECT_EQ(Drawn(target, 5), expected) << "width " << width;
    }
    Surface target = Target(5, 5);
    EXPECT_EQ(kx::DrawThreeSlice(target, Surface(), 0, 0, 40), 0);
}

TEST(ThreeSlice, OnlyTheRequestedRowsAreDrawn)
{
    const Surface picture = Columns(9, 6);
    Surface target = Target(20, 8);
    EXPECT_EQ(kx::DrawThreeSlice(target, picture, 0, 1, 12, 4), 4);
    EXPECT_EQ(Drawn(target, 0), std::vector<int>(20, -1));
    EXPECT_EQ(target.GetPixel(5, 4), Rgb(5, 3, 50)); // second middle piece, picture row 3
    EXPECT_EQ(Drawn(target, 5), std::vector<int>(20, -1));
    EXPECT_EQ(kx::DrawThreeSlice(target, picture, 0, 0, 12, 100), 6);
}

TEST(ThreeSlice, HugeWidthsAndFarOffsetsDrawTheVisibleColumnsQuickly)
{
    // 3 wide: s = 1, so a naive loop would copy a piece per target column.
    const Surface picture = Columns(3, 1);

    Surface right = Target(8, 1);
    kx::DrawThreeSlice(right, picture, 0, 0, INT_MAX);
    EXPECT_EQ(Drawn(right, 0), (std::vector<int> {0, 1, 1, 1, 1, 1, 1, 1}));

    // The target starts far to the left and ends 5 columns into the surface: middles up to
    // column 3, right piece at 4.
    Surface left = Target(8, 1);
    kx::DrawThreeSlice(left, picture, INT_MIN + 10, 0, INT_MAX - 4);
    EXPECT_EQ(Drawn(left, 0), (std::vector<int> {1, 1, 1, 1, 2, -1, -1, -1}));

    // Wider pieces with an unaligned end: 30 wide (s = 10) at x = -2e9 - 3, 2e9 + 55 wide, so
    // limit = x + 2e9 + 45 lies at column 42. Regular pieces start at x + 10 + 10k; the last
    // piece is moved back to 32..41; the right piece follows at 42..51.
    const Surface wide = Columns(30, 1);
    Surface far = Target(60, 1);
    kx::DrawThreeSlice(far, wide, -2'000'000'003, 0, 2'000'000'055);
    std::vector<int> expected;
    for (int c = 0; c < 32; ++c)
        expected.push_back(10 + (c + 3) % 10);
    Append(expected, 10, 10);
    Append(expected, 20, 10);
    expected.resize(60, -1);
    EXPECT_EQ(Drawn(far, 0), expected);
}

TEST(ThreeSlice, StretchedDrawingTakesMinusOneAsTheOwnSize)
{
    const Surface picture = Columns(4, 3);
    Surface target = Target(10, 10);
    kx::DrawStretched(target, picture, 1, 1, -1, 6);
    EXPECT_EQ(target.GetPixel(4, 6), Rgb(3, 2, 50));
    EXPECT_EQ(target.GetPixel(5, 6), kMarker);
    EXPECT_EQ(target.GetPixel(4, 7), kMarker);
}
