#include "render/picture_drawing.h"

#include <algorithm>
#include <cstdint>

namespace kx {

namespace {

// Brings a far-off coordinate back into int range. Anything this far out stays invisible on
// every surface, so the drawing does not change.
int ClampCoordinate(std::int64_t v)
{
    constexpr std::int64_t kFar = std::int64_t {1} << 30;
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

} // namespace

void DrawStretched(Surface &surface, const IPicture &picture, int x, int y, int width, int height)
{
    surface.Stretch(picture, x, y, width == -1 ? picture.Width() : width,
        height == -1 ? picture.Height() : height);
}

int DrawThreeSlice(Surface &surface, const IPicture &picture, int x, int y, int width, int rows)
{
    const int pictureWidth = picture.Width();
    const int height = rows < 0 ? picture.Height() : std::min(rows, picture.Height());
    if (pictureWidth <= 0 || height <= 0)
        return 0;
    const int s = pictureWidth / 3;
    if (s == 0) {
        // No middle piece to repeat: widening would never advance.
        surface.CopyRect(picture, 0, 0, pictureWidth, height, x, y);
        return height;
    }
    const int leftWidth = pictureWidth - 2 * s;
    surface.CopyRect(picture, 0, 0, leftWidth, height, x, y);

    const auto copyMiddle = [&](std::int64_t at) {
        surface.CopyRect(picture, s, 0, s, height, ClampCoordinate(x + at), y);
    };
    std::int64_t filled = leftWidth;
    const std::int64_t limit = std::int64_t {width} - s;
    while (filled < limit) {
        if (filled + s <= limit) {
            const std::int64_t start = x + filled;
            // Pieces wholly outside the surface are stepped over in one go, so a huge width
            // costs no more than the visible part.
            if (start >= surface.Width()) {
                filled += (limit - filled) / s * s;
                continue;
            }
            if (start + s <= 0) {
                filled += std::min((limit - filled) / s, -start / s) * s;
                continue;
            }
            copyMiddle(filled);
            filled += s;
        } else {
            // The last piece ends exactly where the right piece begins, overlapping the one
            // before it.
            filled = limit - s;
            copyMiddle(filled);
            filled = limit;
        }
    }
    surface.CopyRect(picture, pictureWidth - s, 0, s, height, ClampCoordinate(x + filled), y);
    return height;
}

} // namespace kx
