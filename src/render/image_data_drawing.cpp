#include "render/image_data_drawing.h"

#include "model/image_data.h"
#include "model/object_data.h"
#include "render/picture_drawing.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kx {

namespace {

// Brings a far-off coordinate back into int range; that far out it stays invisible anyway.
int ClampCoordinate(std::int64_t v)
{
    constexpr std::int64_t kFar = std::int64_t {1} << 30;
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

// A frame strip: the picture as it is when the width matches, else widened.
void DrawStrip(Surface &surface, const IPicture &picture, int x, int y, int width, int rows = -1)
{
    if (width == picture.Width() && rows < 0)
        surface.Copy(picture, x, y);
    else
        DrawThreeSlice(surface, picture, x, y, width, rows);
}

int DrawFrame(const CImageData &image, Surface &surface, int x, int y, int width, int height)
{
    const IPicture *top = image.Picture(0);
    const IPicture *middle = image.Picture(1);
    const IPicture *bottom = image.Picture(2);
    if (!top || !middle || !bottom)
        return 0;
    const int topHeight = top->Height();
    const int bandHeight = middle->Height();
    const int bottomHeight = bottom->Height();
    if (topHeight <= 0 || bandHeight <= 0 || bottomHeight <= 0)
        return 0;

    DrawStrip(surface, *top, x, y, width);

    // Rows between the strips; the top and bottom strips are drawn whole even when they leave
    // none.
    const std::int64_t middleHeight
        = std::max<std::int64_t>(std::int64_t {height} - topHeight - bottomHeight, 0);
    const std::int64_t middleTop = std::int64_t {y} + topHeight;
    if (width == middle->Width() && middleHeight == bandHeight) {
        surface.Copy(*middle, x, ClampCoordinate(middleTop));
    } else {
        // Bands of the middle picture's height; the last one takes only the rows that remain.
        // Bands above the surface are stepped over and drawing stops below it.
        std::int64_t filled = 0;
        if (middleTop + bandHeight <= 0)
            filled = std::min(-middleTop / bandHeight * bandHeight, middleHeight);
        while (filled < middleHeight && middleTop + filled < surface.Height()) {
            const int rows
                = static_cast<int>(std::min<std::int64_t>(bandHeight, middleHeight - filled));
            DrawThreeSlice(surface, *middle, x, static_cast<int>(middleTop + filled), width, rows);
            filled += rows;
        }
    }

    DrawStrip(surface, *bottom, x, ClampCoordinate(middleTop + middleHeight), width);
    // Callers learn the height of the top strip, as for the single strip of a button.
    return topHeight;
}

} // namespace

int DrawImageDefinition(
    const CImageData &image, Surface &surface, int x, int y, int width, int height)
{
    switch (image.Type()) {
    case kTypeButton:
    case kTypeEditbox: {
        const IPicture *picture = image.Picture(0);
        return picture ? DrawThreeSlice(surface, *picture, x, y, width) : 0;
    }
    case kTypeFrame:
        return DrawFrame(image, surface, x, y, width, height);
    case kTypePicture:
    case kTypeIcon:
    case kTypeMovie: {
        const IPicture *picture = image.Picture(0);
        if (!picture)
            return 0;
        const int drawnWidth = width == -1 ? picture->Width() : width;
        const int drawnHeight = height == -1 ? picture->Height() : height;
        if (drawnWidth <= 0 || drawnHeight <= 0)
            return 0;
        surface.Stretch(*picture, x, y, drawnWidth, drawnHeight);
        return drawnHeight;
    }
    default:
        return 0;
    }
}

} // namespace kx
