// The drawing target of the preview: an off-screen 24-bit pixel buffer with the few copy
// operations the canvas needs (plain, stretched, key-colour transparent, smoothed fit).
#pragma once

#include "model/geometry.h"
#include "model/picture.h"

#include <cstdint>
#include <vector>

namespace kx {

// A 0x00BBGGRR colour value: red in the lowest byte.
constexpr std::uint32_t Rgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8
        | static_cast<std::uint32_t>(blue & 0xFF) << 16;
}

// The transparent key colour as a colour value.
inline constexpr std::uint32_t kKeyColour = Rgb(kKeyRed, kKeyGreen, kKeyBlue);

// Size of a picture of size (pictureWidth, pictureHeight) fitted into a box of (boxWidth,
// boxHeight): its own size when it fits, else scaled down keeping the aspect ratio, the scaled
// side truncated. Sizes of zero or less give an empty size.
KXSize FitSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

// Width x Height pixels of 3 bytes (blue, green, red), rows from the top, each row padded to a
// multiple of 4 bytes so a QImage can wrap the bytes as they are. Every operation clips to the
// surface: parts outside it are not drawn and nothing is written outside the buffer.
class Surface final : public IPicture {
public:
    // Larger surfaces are refused (they come out empty).
    static constexpr int kMaxDimension = 16384;

    Surface() = default;
    // A black surface; a size of zero or less, or over kMaxDimension, gives an empty surface.
    Surface(int width, int height);

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    bool IsEmpty() const { return m_width == 0; }
    // Bytes from one row to the next: width x 3 rounded up to a multiple of 4.
    int Stride() const { return m_stride; }
    const std::uint8_t *Row(int y) const override { return m_pixels.data() + Offset(y); }
    std::uint8_t *Row(int y) { return m_pixels.data() + Offset(y); }
    // All rows, Stride() bytes each; null for an empty surface.
    const std::uint8_t *Bits() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    std::uint8_t *Bits() { return m_pixels.empty() ? nullptr : m_pixels.data(); }

    // Colour of a pixel; 0 (black) outside the surface.
    std::uint32_t GetPixel(int x, int y) const;
    // Sets a pixel; ignored outside the surface.
    void SetPixel(int x, int y, std::uint32_t colour);
    void FillRect(int x, int y, int width, int height, std::uint32_t colour);
    void Fill(std::uint32_t colour) { FillRect(0, 0, m_width, m_height, colour); }

    // Copies the whole picture with its top-left corner at (x, y).
    void Copy(const IPicture &source, int x, int y);
    // Copies the part of the picture at (sourceX, sourceY) of size (width, height) to (x, y);
    // the part is first clipped to the picture.
    void CopyRect(
        const IPicture &source, int sourceX, int sourceY, int width, int height, int x, int y);
    // Copies only the first rows of the picture (all of it when rows exceeds its height).
    void CopyRows(const IPicture &source, int rows, int x, int y)
    {
        CopyRect(source, 0, 0, source.Width(), rows, x, y);
    }
    // Stretches the whole picture onto the rectangle by nearest neighbour: target column dx of
    // the rectangle shows source column dx * W / width, likewise for rows.
    void Stretch(const IPicture &source, int x, int y, int width, int height);
    // Copies the whole picture leaving out every pixel of the key colour.
    void CopyTransparent(const IPicture &source, int x, int y);
    // Scales the whole picture onto the rectangle by area averaging: every target pixel is the
    // mean of the source area it covers.
    void SmoothStretch(const IPicture &source, int x, int y, int width, int height);
    // Draws the picture at (x, y) at its own size when it fits the box, else smoothly scaled to
    // FitSize.
    void DrawFit(const IPicture &source, int x, int y, int width, int height);

    // ---- Partial repaints ----
    // Every drawing operation writes only inside the clip rectangle (the whole surface unless
    // set; intersected with it). Reading is never limited.
    void SetClip(const KXRect &clip);
    void ResetClip() { m_clip = {0, 0, m_width, m_height}; }
    const KXRect &Clip() const { return m_clip; }
    // The bounds of everything drawn since ResetTouched, as requested, before the clip: where
    // a drawing lands when nothing limits it. Writers that fill rows themselves report here.
    void ResetTouched() { m_touched = {}; }
    const KXRect &Touched() const { return m_touched; }
    void Touch(const KXRect &area) { m_touched = m_touched.United(area); }

private:
    std::size_t Offset(int y) const { return static_cast<std::size_t>(y) * m_stride; }
    void Touch(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<std::uint8_t> m_pixels;
    KXRect m_clip;
    KXRect m_touched;
};

} // namespace kx
