// Drawing of image definitions by type: widened buttons, frames built from three strips, and
// stretched pictures.
#include "model/image_data.h"
#include "render/image_data_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kx::Rgb;
using kx::Surface;

namespace {

constexpr std::uint32_t kMarker = Rgb(255, 255, 255);
enum Type { kButton = 0, kEditbox = 1, kFrame = 2, kPicture = 3, kIcon = 4, kMovie = 5 };

// A picture whose pixels tell where they came from: red = column, green = row, blue = tag.
Surface Coded(int width, int height, int tag)
{
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            s.SetPixel(x, y, Rgb(x, y, tag));
    }
    return s;
}

Surface Target(int width, int height)
{
    Surface s(width, height);
    s.Fill(kMarker);
    return s;
}

// "tag:row" of the picture row shown by each surface row at column x; "-" where nothing is.
std::vector<std::string> Rows(const Surface &s, int x = 0)
{
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        const std::uint32_t c = s.GetPixel(x, y);
        rows.push_back(
            c == kMarker ? "-" : std::to_string(c >> 16) + ":" + std::to_string((c >> 8) & 0xFF));
    }
    return rows;
}

void Append(std::vector<std::string> &rows, int tag, int first, int count)
{
    for (int i = 0; i < count; ++i)
        rows.push_back(std::to_string(tag) + ":" + std::to_string(first + i));
}

// A frame definition of top 30 x 10, middle 30 x 20, bottom 30 x 10, tagged 1, 2 and 3.
struct FrameFixture {
    Surface top = Coded(30, 10, 1);
    Surface middle = Coded(30, 20, 2);
    Surface bottom = Coded(30, 10, 3);
    CImageData image;
    FrameFixture()
    {
        image.SetType(kFrame);
        image.SetPicture(0, &top);
        image.SetPicture(1, &middle);
        image.SetPicture(2, &bottom);
    }
};

} // namespace

TEST(FrameDrawing, BandsTheMiddleAndCutTheLastBand)
{
    FrameFixture f;
    Surface target = Target(40, 100);
    EXPECT_EQ(kx::DrawImageDefinition(f.image, target, 0, 0, 30, 95), 10); // the top strip
    std::vector<std::string> expected;
    Append(expected, 1, 0, 10); // top at 0
    Append(expected, 2, 0, 20); // bands at 10, 30, 50
    Append(expected, 2, 0, 20);
    Append(expected, 2, 0, 20);
    Append(expected, 2, 0, 15); // the last band at 70 keeps 15 rows
    Append(expected, 3, 0, 10); // bottom at 85
    expected.resize(100, "-");
    EXPECT_EQ(Rows(target), expected);
    EXPECT_EQ(target.GetPixel(29, 40), Rgb(29, 10, 2));
    EXPECT_EQ(target.GetPixel(30, 40), kMarker);
}

TEST(FrameDrawing, WidensEveryStripByThreeSlices)
{
    FrameFixture f;
    Surface target = Target(100, 60);
    EXPECT_EQ(kx::DrawImageDefinition(f.image, target, 2, 3, 95, 50), 10);
    // Target column 2 + 77 lies in the last middle piece (75..84 relative): source column 12.
    for (int y : {3, 20, 52})
        EXPECT_EQ(target.GetPixel(2 + 77, y) & 0xFF, 12u) << "row " << y;
    // And 2 + 90 in the right piece: source column 25.
    EXPECT_EQ(target.GetPixel(2 + 90, 45) & 0xFF, 25u);
    EXPECT_EQ(target.GetPixel(2 + 95, 45), kMarker);
    std::vector<std::string> expected(3, "-");
    Append(expected, 1, 0, 10);
    Append(expected, 2, 0, 20);
    Append(expected, 2, 0, 10);
    Append(expected, 3, 0, 10);
    expected.resize(60, "-");
    EXPECT_EQ(Rows(target, 50), expected);
}

TEST(FrameDrawing, ShortTargetKeepsBothStripsWhole)
{
    FrameFixture f;
    for (int height : {20, 12, 0}) {
        Surface target = Target(30, 25);
        EXPECT_EQ(kx::DrawImageDefinition(f.image, target, 0, 0, 30, height), 10);
        std::vector<std::string> expected;
        Append(expected, 1, 0, 10);
        Append(expected, 3, 0, 10);
        expected.resize(25, "-");
        EXPECT_EQ(Rows(target), expected) << "height " << height;
    }
}

TEST(FrameDrawing, ExactFitIsOnePlainCopy)
{
    FrameFixture f;
    Surface target = Target(30, 45);
    EXPECT_EQ(kx::DrawImageDefinition(f.image, target, 0, 0, 30, 40), 10);
    std::vector<std::string> expected;
    Append(expected, 1, 0, 10);
    Append(expected, 2, 0, 20);
    Append(expected, 3, 0, 10);
    expected.resize(45, "-");
    EXPECT_EQ(Rows(target), expected);
}

TEST(FrameDrawing, MissingStripDrawsNothing)
{
    for (int missing = 0; missing < 3; ++missing) {
        FrameFixture f;
        f.image.SetPicture(missing, nullptr);
        Surface target = Target(30, 50);
        EXPECT_EQ(kx::DrawImageDefinition(f.image, target, 0, 0, 30, 50), 0);
        EXPECT_EQ(Rows(target), std::vector<std::string>(50, "-"));
    }
}

TEST(FrameDrawing, HugeFrameReachingIntoTheSurfaceIsBandedQuickly)
{
    // The frame starts 1e9 rows above the surface and its bottom strip lands at row 85.
    FrameFixture f;
    Surface target = Target(30, 100);
    EXPECT_EQ(kx::DrawImageDefinition(f.image, target, 0, -1'000'000'000, 30, 1'000'000'095), 10);
    // Row r lies 1e9 - 10 + r rows into the middle: band row (r + 10) % 20, except the last
    // band of 15 rows, which starts 1'000'000'060 rows in (row 70).
    std::vector<std::string> expected;
    for (int r = 0; r < 85; ++r)
        Append(expected, 2, r < 70 ? (r + 10) % 20 : r - 70, 1);
    Append(expected, 3, 0, 10);
    expected.resize(100, "-");
    EXPECT_EQ(Rows(target), expected);
}

TEST(ImageDefinitionDrawing, ButtonsAndEditBoxesWidenTheirNormalPicture)
{
    const Surface normal = Coded(30, 12, 7);
    const Surface pressed = Coded(30, 12, 8);
    for (int type : {kButton, kEditbox}) {
        CImageData image;
        image.SetType(type);
        Surface target = Target(100, 20);
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 0, 0, 95, 20), 0);
        image.SetPicture(0, &normal);
        image.SetPicture(1, &pressed);
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 0, 0, 95, 20), 12);
        EXPECT_EQ(target.GetPixel(77, 11), Rgb(12, 11, 7));
        EXPECT_EQ(target.GetPixel(94, 0), Rgb(29, 0, 7));
        EXPECT_EQ(target.GetPixel(95, 0), kMarker);
        EXPECT_EQ(target.GetPixel(0, 12), kMarker); // the picture height, not the target's
    }
}

TEST(ImageDefinitionDrawing, PictureTypesStretchSlotZeroOverTheRectangle)
{
    const Surface picture = Coded(4, 2, 9);
    for (int type : {kPicture, kIcon, kMovie}) {
        CImageData image;
        image.SetType(type);
        image.SetPicture(0, &picture);
        Surface target = Target(20, 20);
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 1, 1, 8, 6), 6);
        EXPECT_EQ(target.GetPixel(1, 1), Rgb(0, 0, 9));
        EXPECT_EQ(target.GetPixel(8, 6), Rgb(3, 1, 9));
        EXPECT_EQ(target.GetPixel(9, 6), kMarker);
        EXPECT_EQ(target.GetPixel(8, 7), kMarker);
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 10, 10, -1, -1), 2);
        EXPECT_EQ(target.GetPixel(13, 11), Rgb(3, 1, 9));
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 0, 0, 0, 6), 0);
        image.SetPicture(0, nullptr);
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 0, 0, 8, 6), 0);
    }
}

TEST(ImageDefinitionDrawing, OtherTypesDrawNothing)
{
    const Surface picture = Coded(4, 4, 9);
    for (int type : {6, 7, 8, -1, 1000}) {
        CImageData image;
        image.SetType(type);
        image.SetPicture(0, &picture);
        Surface target = Target(10, 10);
        EXPECT_EQ(kx::DrawImageDefinition(image, target, 0, 0, 10, 10), 0);
        EXPECT_EQ(target.GetPixel(0, 0), kMarker);
    }
}
