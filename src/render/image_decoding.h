// PNG and GIF decoding into the 24-bit form of the preview, from bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kx {

// Larger pictures are refused before anything is allocated for them.
inline constexpr int kMaxPictureDimension = 16384;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// The fuzzer wants thousands of runs a second, not pictures of hundreds of megabytes; the checks
// are the same at any budget.
inline constexpr std::size_t kMaxPictureBytes = std::size_t {16} << 20;
#else
inline constexpr std::size_t kMaxPictureBytes = std::size_t {256} << 20;
#endif

// A decoded picture: rows from the top, 3 bytes per pixel (blue, green, red), each row padded to
// a multiple of 4 bytes.
struct Bitmap24 {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> pixels;
};

// Makes out a black bitmap of the size; false (out untouched) when a side is not positive or
// exceeds kMaxPictureDimension, or the rows would take more than kMaxPictureBytes.
bool AllocateBitmap(std::int64_t width, std::int64_t height, Bitmap24 &out);

bool IsPng(const std::uint8_t *data, std::size_t size);
bool IsGif(const std::uint8_t *data, std::size_t size);

// Any colour type and depth, interlaced or not. Pixels with alpha 0 become the key colour; all
// others keep their colour, drawn opaque. 16-bit colour samples keep their high byte.
bool DecodePng(const std::uint8_t *data, std::size_t size, Bitmap24 &out);

// The first frame in its palette colours; the transparent index keeps its palette colour. The
// picture has the size of the logical screen, grown when the frame reaches past it; the frame is
// placed at its offset and the rest shows the screen's background colour.
bool DecodeGif(const std::uint8_t *data, std::size_t size, Bitmap24 &out);

} // namespace kx
