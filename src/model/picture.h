// Decoded pictures as the model sees them: read-only 24-bit pixels, and the cache that loads
// them. The render layer provides the implementations (PNG and GIF decoding); the model only
// keeps pointers to pictures the cache owns.
#pragma once

#include <cstdint>
#include <string>

namespace kx {

// Key colour of transparency (KX_COL_TRANSPARENT): pixels of exactly this colour are holes.
inline constexpr std::uint8_t kKeyBlue = 0x87;
inline constexpr std::uint8_t kKeyGreen = 0x00;
inline constexpr std::uint8_t kKeyRed = 0x87;

// A decoded picture: Width() x Height() pixels, rows from the top, 3 bytes per pixel in the
// order blue, green, red.
class IPicture {
public:
    virtual ~IPicture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Row y, 0 <= y < Height(); Width() pixels.
    virtual const std::uint8_t *Row(int y) const = 0;
};

// Decodes image files once and keeps them for the life of the cache.
class IPictureCache {
public:
    virtual ~IPictureCache() = default;
    // The picture of the file at path (compared byte for byte), decoded on first use; none when
    // the file cannot be read or decoded.
    virtual const IPicture *Find(const std::string &path) = 0;
    // The file at path changed on disk: it is decoded again, in place, so whoever holds its
    // picture sees the new one (a file that no longer decodes keeps the old picture).
    virtual void Refresh(const std::string & /*path*/) { }
};

} // namespace kx
