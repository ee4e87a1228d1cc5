// Decoding of PNG and GIF files into the 24-bit form, refusal of bad and hostile files, and the
// picture cache.
#include "render/dib_image.h"
#include "render/dib_image_list.h"
#include "test_images.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using kx::Rgb;
using kxtest::GifRecipe;
using kxtest::PngRecipe;

namespace {

constexpr std::uint32_t kKey = kx::kKeyColour;

std::uint32_t PixelOf(const kx::IPicture &picture, int x, int y)
{
    const std::uint8_t *p = picture.Row(y) + x * 3;
    return Rgb(p[2], p[1], p[0]);
}

bool Decode(CDibImage &image, const std::vector<std::uint8_t> &bytes)
{
    return image.LoadFromMemory(bytes.data(), bytes.size());
}

// A 3 x 2 RGB picture with six different colours.
std::vector<std::uint8_t> SmallRgbPng()
{
    PngRecipe recipe;
    recipe.width = 3;
    recipe.height = 2;
    recipe.samples = {10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    return kxtest::PngBytes(recipe);
}

void PutBigEndian(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// The small PNG with its header changed to claim another size and colour type; the checksum is
// recomputed, so only the values themselves can be objected to.
std::vector<std::uint8_t> PngWithHeader(std::uint32_t width, std::uint32_t height, int colourType)
{
    std::vector<std::uint8_t> png = SmallRgbPng();
    // IHDR data starts after the signature (8), the chunk length (4) and type (4).
    PutBigEndian(png, 16, width);
    PutBigEndian(png, 20, height);
    png[25] = static_cast<std::uint8_t>(colourType);
    PutBigEndian(png, 29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
    return png;
}

// Offset of the first byte of a chunk's length field; the file size when there is no such chunk.
std::size_t ChunkOffset(const std::vector<std::uint8_t> &png, const char *type)
{
    std::size_t i = 8;
    while (i + 8 <= png.size()) {
        if (std::memcmp(png.data() + i + 4, type, 4) == 0)
            return i;
        const std::size_t length = std::size_t {png[i]} << 24 | std::size_t {png[i + 1]} << 16
            | std::size_t {png[i + 2]} << 8 | png[i + 3];
        i += 12 + length; // length, type, data, checksum
    }
    return png.size();
}

GifRecipe FourColourGif()
{
    GifRecipe recipe;
    recipe.screenWidth = recipe.width = 3;
    recipe.screenHeight = recipe.height = 2;
    recipe.globalPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}};
    recipe.indices = {0, 1, 2, 3, 1, 0};
    return recipe;
}

} // namespace

TEST(PngDecoding, ZeroAlphaBecomesTheKeyColourAndAnyOtherAlphaIsDrawnOpaque)
{
    // 3 x 2: a transparent border column on both sides of an opaque and a half-transparent pixel.
    const std::vector<std::uint8_t> rgba = {
        1, 2, 3, 0, /**/ 200, 10, 20, 128, /**/ 255, 255, 255, 0, //
        0, 0, 0, 0, /**/ 0, 255, 0, 255, /**/ 135, 0, 135, 255, //
    };
    CDibImage image;
    ASSERT_TRUE(Decode(image, kxtest::RgbaPng(3, 2, rgba)));
    ASSERT_EQ(image.GetWidth(), 3);
    ASSERT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.Stride(), 12);
    EXPECT_EQ(PixelOf(image, 0, 0), kKey);
    EXPECT_EQ(PixelOf(image, 1, 0), Rgb(200, 10, 20)); // not blended with anything
    EXPECT_EQ(PixelOf(image, 2, 0), kKey);
    EXPECT_EQ(PixelOf(image, 0, 1), kKey);
    EXPECT_EQ(PixelOf(image, 1, 1), Rgb(0, 255, 0));
    EXPECT_EQ(PixelOf(image, 2, 1), kKey); // painted in the key colour: a hole as well
    EXPECT_TRUE(image.Path().empty());
}

TEST(PngDecoding, EveryColourTypeAndDepthBecomesEightBitBlueGreenRed)
{
    struct Case {
        const char *name;
        PngRecipe recipe;
        std::vector<std::uint32_t> expected; // the first pixels of row 0
    };
    const auto recipe
        = [](int width, int colourType, int depth, std::vector<std::uint8_t> samples) {
              PngRecipe s;
              s.width = width;
              s.colourType = colourType;
              s.bitDepth = depth;
              s.samples = std::move(samples);
              return s;
          };
    std::vector<Case> cases = {
        {"grey 8", recipe(2, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0xFF}),
            {Rgb(64, 64, 64), Rgb(255, 255, 255)}},
        // 9 one-bit pixels span two bytes: 1 0 1 1 0 0 0 0 | 1
        {"grey 1", recipe(9, PNG_COLOR_TYPE_GRAY, 1, {0xB0, 0x80}),
            {Rgb(255, 255, 255), 0, Rgb(255, 255, 255), Rgb(255, 255, 255), 0, 0, 0, 0,
                Rgb(255, 255, 255)}},
        {"grey 16 keeps the high byte", recipe(1, PNG_COLOR_TYPE_GRAY, 16, {0x12, 0x34}),
            {Rgb(0x12, 0x12, 0x12)}},
        {"grey alpha", recipe(2, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0, 0x80, 1}),
            {kKey, Rgb(128, 128, 128)}},
        {"rgb 16", recipe(1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}),
            {Rgb(0x12, 0x56, 0x9A)}},
        // Alpha 1 of 65535 is not zero: the pixel stays.
        {"rgba 16",
            recipe(2, PNG_COLOR_TYPE_RGB_ALPHA, 16,
                {1, 0, 2, 0, 3, 0, 0, 0, /**/ 4, 0, 5, 0, 6, 0, 0, 1}),
            {kKey, Rgb(4, 5, 6)}},
    };

    // 4-bit palette with tRNS: index 0 transparent, 1 half, 2 beyond the tRNS entries (opaque).
    PngRecipe palette = recipe(3, PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x20});
    palette.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    palette.paletteAlpha = {0, 100};
    cases.push_back({"palette trns", palette, {kKey, Rgb(4, 5, 6), Rgb(7, 8, 9)}});
    PngRecipe opaquePalette = recipe(2, PNG_COLOR_TYPE_PALETTE, 8, {1, 0});
    opaquePalette.palette = {{1, 2, 3}, {135, 0, 135}};
    cases.push_back({"palette", opaquePalette, {kKey, Rgb(1, 2, 3)}});

    // A single transparent colour: only exact matches become holes.
    PngRecipe rgbKey = recipe(2, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 10, 20, 31});
    rgbKey.transparentColour = png_color_16 {0, 10, 20, 30, 0};
    cases.push_back({"rgb trns", rgbKey, {kKey, Rgb(10, 20, 31)}});
    PngRecipe greyKey = recipe(2, PNG_COLOR_TYPE_GRAY, 8, {7, 8});
    greyKey.transparentColour = png_color_16 {0, 0, 0, 0, 8};
    cases.push_back({"grey trns", greyKey, {Rgb(7, 7, 7), kKey}});

    for (const Case &c : cases) {
        CDibImage image;
        ASSERT_TRUE(Decode(image, kxtest::PngBytes(c.recipe))) << c.name;
        ASSERT_EQ(image.GetWidth(), c.recipe.width) << c.name;
        for (std::size_t x = 0; x < c.expected.size(); ++x)
            EXPECT_EQ(PixelOf(image, static_cast<int>(x), 0), c.expected[x])
                << c.name << " x " << x;
    }
}

TEST(PngDecoding, InterlacedDecodesLikeNonInterlaced)
{
    // Odd sizes so that every Adam7 pass has partial rows and columns.
    PngRecipe recipe;
    recipe.width = 13;
    recipe.height = 11;
    recipe.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int i = 0; i < 13 * 11; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        recipe.samples.insert(recipe.samples.end(),
            {v, static_cast<std::uint8_t>(v * 3), static_cast<std::uint8_t>(255 - v),
                static_cast<std::uint8_t>(i % 5 == 0 ? 0 : 200)});
    }
    CDibImage plain;
    ASSERT_TRUE(Decode(plain, kxtest::PngBytes(recipe)));
    recipe.interlaced = true;
    CDibImage interlaced;
    ASSERT_TRUE(Decode(interlaced, kxtest::PngBytes(recipe)));
    ASSERT_EQ(interlaced.GetWidth(), 13);
    ASSERT_EQ(interlaced.GetHeight(), 11);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x) {
            const int i = y * 13 + x;
            const std::uint32_t expected = i % 5 == 0 ? kKey : Rgb(i, i * 3, 255 - i);
            EXPECT_EQ(PixelOf(interlaced, x, y), expected) << x << "," << y;
            EXPECT_EQ(PixelOf(plain, x, y), expected) << x << "," << y;
        }
    }
}

TEST(GifDecoding, FirstFrameInPaletteColoursWithTheTransparentIndexKeptVisible)
{
    GifRecipe recipe = FourColourGif();
    recipe.transparentIndex = 1;
    recipe.secondFrame = true; // paints everything with index 1; must not show
    CDibImage image;
    ASSERT_TRUE(Decode(image, kxtest::GifBytes(recipe)));
    ASSERT_EQ(image.GetWidth(), 3);
    ASSERT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(PixelOf(image, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 1, 0), Rgb(0, 255, 0)); // the transparent index: no hole
    EXPECT_EQ(PixelOf(image, 2, 0), Rgb(0, 0, 255));
    EXPECT_EQ(PixelOf(image, 0, 1), Rgb(9, 8, 7));
    EXPECT_EQ(PixelOf(image, 2, 1), Rgb(255, 0, 0));
}

TEST(GifDecoding, InterlacedRowsLandInPictureOrder)
{
    GifRecipe recipe;
    recipe.screenWidth = recipe.width = 2;
    recipe.screenHeight = recipe.height = 11;
    recipe.interlaced = true;
    recipe.globalPalette.resize(16);
    for (int i = 0; i < 16; ++i)
        recipe.globalPalette[i] = {static_cast<GifByteType>(i), 0, 0};
    for (int y = 0; y < 11; ++y)
        recipe.indices.insert(recipe.indices.end(), {static_cast<std::uint8_t>(y), 15});
    CDibImage image;
    ASSERT_TRUE(Decode(image, kxtest::GifBytes(recipe)));
    for (int y = 0; y < 11; ++y) {
        EXPECT_EQ(PixelOf(image, 0, y), Rgb(y, 0, 0)) << "row " << y;
        EXPECT_EQ(PixelOf(image, 1, y), Rgb(15, 0, 0)) << "row " << y;
    }
}

TEST(GifDecoding, FrameIsPlacedOnTheScreenBackgroundAndGrowsItWhenItReachesPast)
{
    GifRecipe recipe = FourColourGif();
    recipe.screenWidth = 6;
    recipe.screenHeight = 5;
    recipe.background = 2;
    recipe.left = 2;
    recipe.top = 1;
    recipe.localPalette = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    CDibImage image;
    ASSERT_TRUE(Decode(image, kxtest::GifBytes(recipe)));
    ASSERT_EQ(image.GetWidth(), 6);
    ASSERT_EQ(image.GetHeight(), 5);
    EXPECT_EQ(PixelOf(image, 0, 0), Rgb(0, 0, 255)); // background, from the global palette
    EXPECT_EQ(PixelOf(image, 5, 4), Rgb(0, 0, 255));
    EXPECT_EQ(PixelOf(image, 2, 1), Rgb(1, 1, 1)); // frame pixel 0, local palette
    EXPECT_EQ(PixelOf(image, 4, 2), Rgb(1, 1, 1));
    EXPECT_EQ(PixelOf(image, 3, 2), Rgb(2, 2, 2));
    EXPECT_EQ(PixelOf(image, 5, 1), Rgb(0, 0, 255));

    recipe.screenWidth = 2;
    recipe.screenHeight = 2;
    ASSERT_TRUE(Decode(image, kxtest::GifBytes(recipe)));
    EXPECT_EQ(image.GetWidth(), 5);
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_EQ(PixelOf(image, 4, 2), Rgb(1, 1, 1));
}

TEST(ImageLoading, DecoderIsChosenByContentNotByName)
{
    kxtest::TempDir dir;
    kxtest::WriteFile(dir.File("really_png.gif"), SmallRgbPng());
    kxtest::WriteFile(dir.File("really_gif.png"), kxtest::GifBytes(FourColourGif()));
    kxtest::WriteFile(dir.File("noext"), SmallRgbPng());
    for (const char *name : {"really_png.gif", "really_gif.png", "noext"}) {
        CDibImage image;
        EXPECT_TRUE(image.Load(dir.File(name))) << name;
        EXPECT_EQ(image.Path(), dir.File(name));
        EXPECT_EQ(image.GetWidth(), 3);
    }
}

TEST(ImageLoading, ReadOnlyFileLoads)
{
    kxtest::TempDir dir;
    const std::string path = dir.File("locked.png");
    kxtest::WriteFile(path, SmallRgbPng());
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    const auto loads = [&path] {
        CDibImage image;
        return image.Load(path) && PixelOf(image, 2, 1) == Rgb(7, 8, 9);
    };
    EXPECT_TRUE(loads());
    if (::geteuid() == 0) {
        // Root may open any file for writing, which would hide a read-write open: load it once
        // more as an ordinary user.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(loads() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    struct stat info { };
    ASSERT_EQ(::stat(path.c_str(), &info), 0); // still there, unchanged
    EXPECT_EQ(info.st_mode & 0777, 0444u);
}

TEST(ImageLoading, FilesThatAreNotPicturesAreRefusedAndLeaveTheImageEmpty)
{
    kxtest::TempDir dir;
    kxtest::WriteFile(dir.File("text.png"), {'h', 'e', 'l', 'l', 'o'});
    kxtest::WriteFile(dir.File("empty.png"), {});
    kxtest::WriteFile(dir.File("gif_magic_only.gif"), {'G', 'I', 'F', '8'});
    std::vector<std::uint8_t> signature = SmallRgbPng();
    signature.resize(8);
    kxtest::WriteFile(dir.File("png_signature_only.png"), signature);
    std::filesystem::create_directory(dir.Path() / "folder.png");
    ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0644), 0);
    const std::string good = dir.File("good.png");
    kxtest::WriteFile(good, SmallRgbPng());

    for (const std::string &path :
        {dir.File("text.png"), dir.File("empty.png"), dir.File("gif_magic_only.gif"),
            dir.File("png_signature_only.png"), dir.File("folder.png"), dir.File("pipe.png"),
            dir.File("missing.png"), std::string("/dev/zero"), std::string()}) {
        CDibImage image;
        ASSERT_TRUE(image.Load(good));
        EXPECT_FALSE(image.Load(path)) << path;
        EXPECT_EQ(image.GetWidth(), 0) << path;
        EXPECT_EQ(image.GetHeight(), 0) << path;
        EXPECT_TRUE(image.Path().empty()) << path;
        EXPECT_TRUE(image.IsNull()) << path;
    }
    // The named pipe has no writer: opening it must not wait for one.
    CDibImage image;
    EXPECT_FALSE(image.LoadFromMemory(nullptr, 0));
}

TEST(ImageLoading, TruncatedAndCorruptFilesAreRefused)
{
    // Every cut before the end of the pixel data fails.
    const std::vector<std::uint8_t> png = SmallRgbPng();
    const std::size_t pngDataEnd = ChunkOffset(png, "IEND");
    ASSERT_LT(pngDataEnd, png.size());
    for (std::size_t length = 0; length < pngDataEnd; ++length) {
        CDibImage image;
        EXPECT_FALSE(image.LoadFromMemory(png.data(), length)) << "png cut at " << length;
    }
    GifRecipe recipe = FourColourGif();
    recipe.screenWidth = recipe.width = 40;
    recipe.indices.resize(40 * 2, 3);
    const std::vector<std::uint8_t> gif = kxtest::GifBytes(recipe);
    // The last bytes are the end of the pixel data, the block terminator and the trailer.
    for (std::size_t length = 0; length + 3 < gif.size(); ++length) {
        CDibImage image;
        EXPECT_FALSE(image.LoadFromMemory(gif.data(), length)) << "gif cut at " << length;
    }

    // A flipped byte inside the compressed pixels breaks the checksum of its chunk.
    std::vector<std::uint8_t> flipped = png;
    flipped[ChunkOffset(png, "IDAT") + 10] ^= 0x55;
    CDibImage image;
    EXPECT_FALSE(Decode(image, flipped));
    // An undefined colour type in a header with a valid checksum.
    EXPECT_FALSE(Decode(image, PngWithHeader(3, 2, 5)));
    // GIF pixel data that is not valid LZW: codes beyond the table. The data sub-block follows
    // the header (6), screen (7), palette (12), image descriptor (10) and code size (1).
    std::vector<std::uint8_t> badLzw = kxtest::GifBytes(FourColourGif());
    const std::size_t block = 6 + 7 + 12 + 10 + 1;
    ASSERT_EQ(badLzw[block - 1], 2); // minimum code size of a 4-colour palette
    for (std::size_t i = 0; i < badLzw[block]; ++i)
        badLzw[block + 1 + i] = 0xFF;
    EXPECT_FALSE(Decode(image, badLzw));
    EXPECT_TRUE(image.IsNull());
}

TEST(ImageLoading, HostileDimensionsAreRefusedBeforeAllocating)
{
    CDibImage image;
    // Beyond the side limit, and within it but over the pixel budget (16384 x 16384 x 3 bytes).
    EXPECT_FALSE(Decode(image, PngWithHeader(100000, 100000, PNG_COLOR_TYPE_RGB)));
    EXPECT_FALSE(Decode(image, PngWithHeader(16385, 1, PNG_COLOR_TYPE_RGB)));
    EXPECT_FALSE(Decode(image, PngWithHeader(16384, 16384, PNG_COLOR_TYPE_RGB)));
    EXPECT_FALSE(Decode(image, PngWithHeader(0xFFFFFFFF, 0xFFFFFFFF, PNG_COLOR_TYPE_RGB)));
    // A GIF whose screen or frame is far too large.
    GifRecipe screen = FourColourGif();
    screen.screenWidth = 65535;
    screen.screenHeight = 65535;
    EXPECT_FALSE(Decode(image, kxtest::GifBytes(screen)));
    GifRecipe frame = FourColourGif();
    frame.left = 16383;
    EXPECT_FALSE(Decode(image, kxtest::GifBytes(frame)));
    // The largest accepted side still decodes.
    PngRecipe wide;
    wide.width = 16384;
    wide.colourType = PNG_COLOR_TYPE_GRAY;
    EXPECT_TRUE(Decode(image, kxtest::PngBytes(wide)));
    EXPECT_EQ(image.GetWidth(), 16384);
}

TEST(ImageDrawing, DrawDrawFitAndThreeSliceUseTheDecodedPixels)
{
    CDibImage image;
    ASSERT_TRUE(Decode(image, SmallRgbPng()));
    kx::Surface target(10, 10);
    image.Draw(target, 1, 1);
    EXPECT_EQ(target.GetPixel(3, 2), Rgb(7, 8, 9));
    EXPECT_EQ(target.GetPixel(4, 2), 0u);
    image.Draw(target, 0, 5, 6, 4);
    EXPECT_EQ(target.GetPixel(5, 8), Rgb(7, 8, 9));
    EXPECT_EQ(image.DrawThreeSlice(target, 0, 0, 7), 2);
    EXPECT_EQ(target.GetPixel(6, 1), Rgb(7, 8, 9));
    target.Fill(0);
    image.DrawFit(target, 0, 0, 10, 10);
    EXPECT_EQ(target.GetPixel(2, 1), Rgb(7, 8, 9));
    EXPECT_EQ(target.GetPixel(3, 1), 0u);

    CDibImage empty;
    target.Fill(0);
    empty.Draw(target, 0, 0, 5, 5);
    empty.DrawFit(target, 0, 0, 5, 5);
    EXPECT_EQ(empty.DrawThreeSlice(target, 0, 0, 5), 0);
    EXPECT_EQ(target.GetPixel(0, 0), 0u);
}

TEST(PictureCache, SamePathSharesOneImageThatIsNeverReloaded)
{
    kxtest::TempDir dir;
    const std::string path = dir.File("a.png");
    kxtest::WriteFile(path, SmallRgbPng());
    CDibImageList cache;
    kx::IPictureCache &asCache = cache;
    const kx::IPicture *first = asCache.Find(path);
    ASSERT_NE(first, nullptr);
    // The file changes on disk, even into garbage: the first decoded form stays.
    kxtest::WriteFile(path, {'x'});
    EXPECT_EQ(asCache.Find(path), first);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(first->Width(), 3);
}

TEST(PictureCache, PathsAreComparedByteForByte)
{
    kxtest::TempDir dir;
    kxtest::WriteFile(dir.File("a.png"), SmallRgbPng());
    CDibImageList cache;
    const CDibImage *plain = cache.Find(dir.File("a.png"));
    const CDibImage *doubled = cache.Find(dir.Path().string() + "//a.png");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(doubled, nullptr);
    EXPECT_NE(plain, doubled);
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.Find(dir.File("A.png")), nullptr);
    EXPECT_EQ(cache.At(1), doubled);
}

TEST(PictureCache, FailureAddsNothingAndTheNextLookupTriesAgain)
{
    kxtest::TempDir dir;
    const std::string path = dir.File("later.gif");
    CDibImageList cache;
    EXPECT_EQ(cache.Find(path), nullptr);
    kxtest::WriteFile(path, {'G', 'I', 'F', '8', '9', 'a'});
    EXPECT_EQ(cache.Find(path), nullptr);
    EXPECT_EQ(cache.Count(), 0);
    kxtest::WriteFile(path, kxtest::GifBytes(FourColourGif()));
    const CDibImage *image = cache.Find(path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Path(), path);
    EXPECT_EQ(cache.Count(), 1);
}
