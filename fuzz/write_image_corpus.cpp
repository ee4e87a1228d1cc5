// Writes the seed corpus of the picture-decoder fuzzer: one small file of each kind the decoders
// tell apart. Run it with the corpus folder as its argument; the files are kept in the
// repository, so this only needs to run again when a seed is added.
#include "render/test_images.h"

#include <cstdio>
#include <filesystem>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const auto write = [&folder](const char *name, const std::vector<std::uint8_t> &bytes) {
        kxtest::WriteFile(folder / name, bytes);
    };

    kxtest::PngRecipe rgba;
    rgba.width = 4;
    rgba.height = 3;
    rgba.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int i = 0; i < 12; ++i)
        rgba.samples.insert(rgba.samples.end(),
            {std::uint8_t(i * 20), std::uint8_t(255 - i), 135, std::uint8_t(i % 3 ? 255 : 0)});
    write("rgba.png", kxtest::PngBytes(rgba));
    rgba.interlaced = true;
    write("rgba_interlaced.png", kxtest::PngBytes(rgba));

    kxtest::PngRecipe grey16;
    grey16.width = 3;
    grey16.height = 2;
    grey16.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grey16.bitDepth = 16;
    grey16.samples = {0x12, 0x34, 0, 0, 0xFF, 0xFF, 0, 1, 0x80, 0, 0xFF, 0xFF};
    write("grey_alpha16.png", kxtest::PngBytes(grey16));

    kxtest::PngRecipe palette;
    palette.width = 5;
    palette.height = 2;
    palette.colourType = PNG_COLOR_TYPE_PALETTE;
    palette.bitDepth = 4;
    palette.samples = {0x01, 0x23, 0x10, 0x32, 0x10, 0x00};
    palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {135, 0, 135}};
    palette.paletteAlpha = {0, 128};
    write("palette_trns.png", kxtest::PngBytes(palette));

    kxtest::PngRecipe rgbKey;
    rgbKey.width = 2;
    rgbKey.height = 2;
    rgbKey.samples = {1, 2, 3, 4, 5, 6, 1, 2, 3, 7, 8, 9};
    rgbKey.transparentColour = png_color_16 {0, 1, 2, 3, 0};
    write("rgb_trns.png", kxtest::PngBytes(rgbKey));

    kxtest::GifRecipe gif;
    gif.screenWidth = 5;
    gif.screenHeight = 4;
    gif.background = 3;
    gif.globalPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {135, 0, 135}};
    gif.left = 1;
    gif.top = 1;
    gif.width = 3;
    gif.height = 2;
    gif.indices = {0, 1, 2, 3, 2, 1};
    gif.transparentIndex = 1;
    gif.secondFrame = true;
    write("two_frames.gif", kxtest::GifBytes(gif));

    kxtest::GifRecipe interlaced;
    interlaced.screenWidth = interlaced.width = 2;
    interlaced.screenHeight = interlaced.height = 9;
    interlaced.interlaced = true;
    interlaced.localPalette = {{0, 0, 0}, {255, 255, 255}};
    for (int i = 0; i < 18; ++i)
        interlaced.indices.push_back(static_cast<std::uint8_t>(i % 2));
    write("interlaced_local_palette.gif", kxtest::GifBytes(interlaced));
    return 0;
}
