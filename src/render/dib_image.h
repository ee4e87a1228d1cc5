// A decoded PNG or GIF picture in the 24-bit form, with the drawing rules of the device library.
#pragma once

#include "model/picture.h"
#include "render/image_decoding.h"
#include "render/surface.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A picture decoded from a file once: its path (the cache key) and its pixels. An image that is
// not loaded has size 0 x 0 and draws nothing.
class CDibImage final : public kx::IPicture {
public:
    // Files past this size are refused unread.
    static constexpr std::size_t kMaxFileBytes = std::size_t {512} << 20;

    // Reads the file (opened for reading only; it must be a regular file) and decodes it by its
    // content, PNG or GIF, whatever its name. On failure the image is left empty.
    bool Load(const std::string &path);
    // Decodes PNG or GIF bytes; the image then has no path. On failure the image is left empty.
    bool LoadFromMemory(const std::uint8_t *data, std::size_t size);

    const std::string &Path() const { return m_path; }
    bool IsNull() const { return m_bitmap.width == 0; }
    int GetWidth() const { return m_bitmap.width; }
    int GetHeight() const { return m_bitmap.height; }
    // Bytes from one row to the next (rows are padded to a multiple of 4 bytes).
    int Stride() const { return m_bitmap.stride; }

    int Width() const override { return m_bitmap.width; }
    int Height() const override { return m_bitmap.height; }
    const std::uint8_t *Row(int y) const override
    {
        return m_bitmap.pixels.data() + static_cast<std::size_t>(y) * m_bitmap.stride;
    }

    // Stretches the whole image onto the rectangle, no smoothing; -1 means the own width or
    // height.
    void Draw(kx::Surface &surface, int x, int y, int width = -1, int height = -1) const;
    // Own size when it fits the box, else scaled down to fit with smoothing, aspect kept.
    void DrawFit(kx::Surface &surface, int x, int y, int width, int height) const;
    // Widens the image to width by repeating its middle third; answers the image height.
    int DrawThreeSlice(kx::Surface &surface, int x, int y, int width) const;

private:
    void Clear();

    std::string m_path;
    kx::Bitmap24 m_bitmap;
};
