// Builds PNG and GIF files for the render tests (and the fuzzing seeds) with libpng and giflib,
// so that no binary test image has to be kept in the repository.
#pragma once

#include <gif_lib.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kxtest {

// A PNG described by its raw samples: rows as libpng expects them for the colour type and bit
// depth (packed for depths below 8, big-endian for 16).
struct PngRecipe {
    int width = 1;
    int height = 1;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint8_t> samples;
    std::vector<png_color> palette;
    std::vector<std::uint8_t> paletteAlpha; // tRNS of a palette image
    std::optional<png_color_16> transparentColour; // tRNS of a grey or RGB image
};

std::vector<std::uint8_t> PngBytes(const PngRecipe &recipe);

// An 8-bit RGBA PNG from rows of r, g, b, a samples.
std::vector<std::uint8_t> RgbaPng(int width, int height, const std::vector<std::uint8_t> &rgba);

// A GIF of one frame (plus, optionally, a second frame that a decoder must ignore).
struct GifRecipe {
    int screenWidth = 1;
    int screenHeight = 1;
    int background = 0;
    std::vector<GifColorType> globalPalette; // size a power of two, or empty for none
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
    bool interlaced = false;
    std::vector<GifColorType> localPalette;
    std::vector<std::uint8_t> indices; // width x height, rows from the top in picture order
    int transparentIndex = -1;
    bool secondFrame = false;
};

std::vector<std::uint8_t> GifBytes(const GifRecipe &recipe);

void WriteFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes);

// A fresh folder under the system temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &Path() const { return m_path; }
    std::string File(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace kxtest
