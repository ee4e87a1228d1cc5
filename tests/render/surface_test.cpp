// The off-screen surface: size limits, pixel order, and clipping of every copy at all four edges.
#include "render/surface.h"

#include <gtest/gtest.h>

#include <climits>

using kx::Rgb;
using kx::Surface;

namespace {

constexpr std::uint32_t kMarker = Rgb(1, 2, 3);

// A picture whose every pixel tells where it came from: red = column, green = row.
Surface Numbered(int width, int height)
{
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            s.SetPixel(x, y, Rgb(x, y, 200));
    }
    return s;
}

Surface Marked(int width, int height)
{
    Surface s(width, height);
    s.Fill(kMarker);
    return s;
}

} // namespace

TEST(Surface, StartsBlackWithRowsPaddedToFourBytes)
{
    Surface s(5, 3);
    EXPECT_EQ(s.Width(), 5);
    EXPECT_EQ(s.Height(), 3);
    EXPECT_EQ(s.Stride(), 16);
    EXPECT_EQ(s.Row(1), s.Bits() + 16);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(s.GetPixel(x, y), 0u);
    }
    EXPECT_EQ(Surface(4, 1).Stride(), 12);
}

TEST(Surface, RefusesHostileSizes)
{
    for (auto [w, h] : {std::pair {0, 5}, {5, 0}, {-1, 5}, {5, -7}, {INT_MIN, INT_MIN},
             {Surface::kMaxDimension + 1, 1}, {1, INT_MAX}}) {
        Surface s(w, h);
        EXPECT_TRUE(s.IsEmpty()) << w << " x " << h;
        EXPECT_EQ(s.Width(), 0);
        EXPECT_EQ(s.Height(), 0);
        EXPECT_EQ(s.Bits(), nullptr);
        // Every operation on an empty surface is a no-op.
        s.Fill(kMarker);
        s.Copy(Numbered(4, 4), 0, 0);
        s.Stretch(Numbered(4, 4), 0, 0, 9, 9);
        s.SmoothStretch(Numbered(4, 4), 0, 0, 2, 2);
    }
    EXPECT_FALSE(Surface(Surface::kMaxDimension, 1).IsEmpty());
}

TEST(Surface, ColourValuesHaveRedInTheLowestByteAndPixelsAreStoredBlueFirst)
{
    Surface s(2, 1);
    s.SetPixel(1, 0, Rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(s.GetPixel(1, 0), 0x332211u);
    const std::uint8_t *p = s.Row(0) + 3;
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(kx::kKeyColour, Rgb(135, 0, 135));
}

TEST(Surface, PixelAccessOutsideIsHarmless)
{
    Surface s(3, 3);
    for (auto [x, y] : {std::pair {-1, 0}, {0, -1}, {3, 0}, {0, 3}, {INT_MIN, INT_MAX}}) {
        s.SetPixel(x, y, kMarker);
        EXPECT_EQ(s.GetPixel(x, y), 0u);
    }
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(s.GetPixel(x, y), 0u);
    }
}

TEST(Surface, FillRectDrawsOnlyItsVisiblePart)
{
    struct Case {
        int x, y, w, h;
    };
    for (const Case c : {Case {-2, -3, 4, 5}, Case {3, 4, 100, 100}, Case {-5, 1, INT_MAX, 1},
             Case {INT_MAX, 0, INT_MAX, 5}, Case {1, 1, 0, 3}, Case {1, 1, -4, 3}}) {
        Surface s(6, 6);
        s.FillRect(c.x, c.y, c.w, c.h, kMarker);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                const bool inside = c.w > 0 && c.h > 0 && x >= c.x
                    && std::int64_t {x} < std::int64_t {c.x} + c.w && y >= c.y
                    && std::int64_t {y} < std::int64_t {c.y} + c.h;
                EXPECT_EQ(s.GetPixel(x, y), inside ? kMarker : 0u)
                    << "rect " << c.x << "," << c.y << " " << c.w << "x" << c.h << " at " << x
                    << "," << y;
            }
        }
    }
}

TEST(Surface, CopyRectClipsToSourceAndTarget)
{
    const Surface source = Numbered(7, 5);
    struct Case {
        int sx, sy, w, h, x, y;
    };
    // Positions around all four edges of both the source and the target, and hostile ones.
    const Case cases[] = {{0, 0, 7, 5, 0, 0}, {0, 0, 7, 5, -3, -2}, {0, 0, 7, 5, 6, 4},
        {2, 1, 3, 3, 1, 1}, {-2, -1, 5, 4, 0, 0}, {5, 3, 10, 10, 2, 2}, {0, 0, 7, 5, -7, 0},
        {0, 0, 7, 5, 8, 0}, {0, 0, INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {INT_MIN, 0, 5, 5, 0, 0},
        {0, 0, 7, 5, INT_MAX, INT_MAX}, {-1, -1, INT_MAX, INT_MAX, -1, -1}};
    for (const Case &c : cases) {
        Surface target = Marked(8, 6);
        target.CopyRect(source, c.sx, c.sy, c.w, c.h, c.x, c.y);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                // The source pixel that lands here, if any.
                const std::int64_t sx = std::int64_t {x} - c.x + c.sx;
                const std::int64_t sy = std::int64_t {y} - c.y + c.sy;
                const bool copied = sx >= c.sx && sx < std::int64_t {c.sx} + c.w && sy >= c.sy
                    && sy < std::int64_t {c.sy} + c.h && sx >= 0 && sx < 7 && sy >= 0 && sy < 5;
                const std::uint32_t expected
                    = copied ? Rgb(static_cast<int>(sx), static_cast<int>(sy), 200) : kMarker;
                ASSERT_EQ(target.GetPixel(x, y), expected)
                    << "case " << (&c - cases) << " at " << x << "," << y;
            }
        }
    }
}

TEST(Surface, CopyOntoItselfHandlesOverlap)
{
    Surface s = Numbered(6, 6);
    s.CopyRect(s, 0, 0, 4, 4, 1, 2); // down and right
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.GetPixel(x + 1, y + 2), Rgb(x, y, 200));
    }
    Surface t = Numbered(6, 6);
    t.CopyRect(t, 2, 2, 4, 4, 0, 0); // up and left
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(t.GetPixel(x, y), Rgb(x + 2, y + 2, 200));
    }
}

TEST(Surface, StretchPicksTheNearestSourcePixelByIntegerScaling)
{
    const Surface source = Numbered(5, 3);
    struct Case {
        int x, y, w, h;
    };
    for (const Case c : {Case {0, 0, 13, 7}, Case {1, 2, 3, 2}, Case {-4, -3, 17, 11},
             Case {5, 4, 40, 40}, Case {0, 0, 5, 3}, Case {2, 1, 1, 1}}) {
        Surface target = Marked(12, 9);
        target.Stretch(source, c.x, c.y, c.w, c.h);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 12; ++x) {
                const int dx = x - c.x, dy = y - c.y;
                const bool inside = dx >= 0 && dx < c.w && dy >= 0 && dy < c.h;
                const std::uint32_t expected
                    = inside ? Rgb(dx * 5 / c.w, dy * 3 / c.h, 200) : kMarker;
                ASSERT_EQ(target.GetPixel(x, y), expected)
                    << c.x << "," << c.y << " " << c.w << "x" << c.h << " at " << x << "," << y;
            }
        }
    }
}

TEST(Surface, StretchOverAHugeRectangleDrawsOnlyTheVisiblePart)
{
    const Surface source = Numbered(4, 4);
    Surface target(16, 16);
    // Target column 0 lies 1e9 pixels into the rectangle: source column 1e9 * 4 / INT_MAX = 1.
    target.Stretch(source, -1'000'000'000, -1'000'000'000, INT_MAX, INT_MAX);
    EXPECT_EQ(target.GetPixel(0, 0) & 0xFF, 1u);
    target.Fill(0);
    target.SmoothStretch(source, -1'000'000'000, 0, INT_MAX, 16);
    EXPECT_EQ(target.GetPixel(0, 0) & 0xFF, 1u);
    Surface none(4, 4);
    none.Stretch(source, 0, 0, 0, 5);
    none.Stretch(source, 0, 0, -3, 5);
    none.Stretch(Surface(), 0, 0, 4, 4);
    EXPECT_EQ(none.GetPixel(0, 0), 0u);
}

TEST(Surface, TransparentCopyLeavesOutOnlyTheExactKeyColour)
{
    Surface source(4, 1);
    source.SetPixel(0, 0, kx::kKeyColour);
    source.SetPixel(1, 0, Rgb(136, 0, 135));
    source.SetPixel(2, 0, Rgb(135, 1, 135));
    source.SetPixel(3, 0, Rgb(10, 20, 30));
    Surface target = Marked(5, 2);
    target.CopyTransparent(source, 1, 1);
    target.CopyTransparent(source, -3, 0); // only source column 3 lands, at 0
    EXPECT_EQ(target.GetPixel(0, 0), Rgb(10, 20, 30));
    EXPECT_EQ(target.GetPixel(1, 0), kMarker);
    EXPECT_EQ(target.GetPixel(1, 1), kMarker);
    EXPECT_EQ(target.GetPixel(2, 1), Rgb(136, 0, 135));
    EXPECT_EQ(target.GetPixel(3, 1), Rgb(135, 1, 135));
    EXPECT_EQ(target.GetPixel(4, 1), Rgb(10, 20, 30));
}

TEST(Surface, SmoothStretchAveragesTheCoveredArea)
{
    // A 4 x 2 picture: columns alternate black and white, so each halved pixel is mid grey.
    Surface stripes(4, 2);
    for (int y = 0; y < 2; ++y) {
        stripes.SetPixel(1, y, Rgb(255, 255, 255));
        stripes.SetPixel(3, y, Rgb(255, 255, 255));
    }
    Surface target = Marked(3, 2);
    target.SmoothStretch(stripes, 0, 0, 2, 1);
    EXPECT_EQ(target.GetPixel(0, 0), Rgb(128, 128, 128));
    EXPECT_EQ(target.GetPixel(1, 0), Rgb(128, 128, 128));
    EXPECT_EQ(target.GetPixel(2, 0), kMarker);
    EXPECT_EQ(target.GetPixel(0, 1), kMarker);

    // Shrinking 3 columns (0, 90, 180) into 2: the middle column is split between both.
    Surface ramp(3, 1);
    ramp.SetPixel(1, 0, Rgb(90, 90, 90));
    ramp.SetPixel(2, 0, Rgb(180, 180, 180));
    Surface two(2, 1);
    two.SmoothStretch(ramp, 0, 0, 2, 1);
    EXPECT_EQ(two.GetPixel(0, 0), Rgb(30, 30, 30)); // (0 * 2 + 90 * 1) / 3
    EXPECT_EQ(two.GetPixel(1, 0), Rgb(150, 150, 150)); // (90 * 1 + 180 * 2) / 3

    // A flat colour stays exactly that colour at any scale, clipped or not.
    Surface flat(7, 5);
    flat.Fill(Rgb(200, 100, 50));
    Surface big(20, 20);
    big.SmoothStretch(flat, -3, -2, 19, 13);
    big.SmoothStretch(flat, 16, 17, 3, 2);
    EXPECT_EQ(big.GetPixel(0, 0), Rgb(200, 100, 50));
    EXPECT_EQ(big.GetPixel(15, 10), Rgb(200, 100, 50));
    EXPECT_EQ(big.GetPixel(16, 0), 0u);
    EXPECT_EQ(big.GetPixel(18, 18), Rgb(200, 100, 50));
    EXPECT_EQ(big.GetPixel(19, 19), 0u);
}

TEST(Surface, FitKeepsTheAspectAndTruncatesTheScaledSide)
{
    using kx::FitSize;
    using kx::KXSize;
    EXPECT_EQ(FitSize(30, 20, 30, 20), (KXSize {30, 20}));
    EXPECT_EQ(FitSize(30, 20, 100, 100), (KXSize {30, 20}));
    EXPECT_EQ(FitSize(30, 20, 20, 100), (KXSize {20, 13})); // 20 * 20 / 30 = 13.3
    EXPECT_EQ(FitSize(30, 20, 100, 10), (KXSize {15, 10}));
    EXPECT_EQ(FitSize(100, 3, 10, 10), (KXSize {10, 0}));
    // Equal ratios take the second rule: the height is the box's.
    EXPECT_EQ(FitSize(40, 20, 20, 10), (KXSize {20, 10}));
    EXPECT_EQ(FitSize(0, 5, 10, 10), (KXSize {}));
    EXPECT_EQ(FitSize(5, 5, -1, 10), (KXSize {}));
    EXPECT_EQ(FitSize(16384, 16384, INT_MAX, 1), (KXSize {1, 1}));
}

TEST(Surface, DrawFitUsesTheOwnSizeWhenItFitsElseTheFittedSize)
{
    const Surface picture = Numbered(6, 4);
    Surface roomy = Marked(10, 10);
    roomy.DrawFit(picture, 2, 3, 8, 7);
    EXPECT_EQ(roomy.GetPixel(2, 3), Rgb(0, 0, 200));
    EXPECT_EQ(roomy.GetPixel(7, 6), Rgb(5, 3, 200));
    EXPECT_EQ(roomy.GetPixel(8, 6), kMarker);

    Surface tight = Marked(10, 10);
    tight.DrawFit(picture, 0, 0, 3, 9); // fitted to 3 x 2
    EXPECT_NE(tight.GetPixel(2, 1), kMarker);
    EXPECT_EQ(tight.GetPixel(3, 0), kMarker);
    EXPECT_EQ(tight.GetPixel(0, 2), kMarker);
}

TEST(Surface, EveryOperationWritesOnlyInsideTheClipAndReportsWhereItWouldDraw)
{
    const Surface picture = Numbered(6, 4);
    using Operation = void (*)(Surface &, const Surface &);
    const Operation operations[] = {
        [](Surface &s, const Surface &) { s.FillRect(0, 0, 10, 10, Rgb(1, 2, 3)); },
        [](Surface &s, const Surface &p) { s.Copy(p, 0, 0); },
        [](Surface &s, const Surface &p) { s.CopyTransparent(p, 0, 0); },
        [](Surface &s, const Surface &p) { s.Stretch(p, 0, 0, 10, 10); },
        [](Surface &s, const Surface &p) { s.SmoothStretch(p, 0, 0, 10, 10); },
        [](Surface &s, const Surface &) { s.SetPixel(1, 1, Rgb(1, 2, 3)); },
    };
    const kx::KXRect wholes[] = {
        {0, 0, 10, 10}, {0, 0, 6, 4}, {0, 0, 6, 4}, {0, 0, 10, 10}, {0, 0, 10, 10}, {1, 1, 2, 2}};
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        Surface surface = Marked(10, 10);
        surface.SetClip({2, 2, 5, 4});
        surface.ResetTouched();
        operations[i](surface, picture);
        EXPECT_EQ(surface.Touched(), wholes[i]) << "operation " << i;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool inside = x >= 2 && x < 5 && y >= 2 && y < 4;
                if (!inside) {
                    ASSERT_EQ(surface.GetPixel(x, y), kMarker)
                        << "operation " << i << " at " << x << ", " << y;
                }
            }
        }
    }
    Surface surface = Marked(4, 4);
    surface.SetClip({-5, -5, 100, 100}); // kept to the surface
    EXPECT_EQ(surface.Clip(), (kx::KXRect {0, 0, 4, 4}));
}
