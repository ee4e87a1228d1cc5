#include "render/png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace kx {

bool WritePng(const Surface &surface, const std::string &path)
{
    if (surface.IsEmpty())
        return false;
    // libpng's simplified interface takes the blue, green, red rows as they are and needs no
    // long jumps through our frames.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width());
    image.height = static_cast<png_uint_32>(surface.Height());
    image.format = PNG_FORMAT_BGR;
    const int written = png_image_write_to_file(
        &image, path.c_str(), 0, surface.Bits(), surface.Stride(), nullptr);
    png_image_free(&image);
    if (!written) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}

Surface Enlarge(const Surface &surface, int factor)
{
    if (surface.IsEmpty() || factor < 1 || surface.Width() > Surface::kMaxDimension / factor
        || surface.Height() > Surface::kMaxDimension / factor)
        return {};
    if (factor == 1)
        return surface;
    Surface large(surface.Width() * factor, surface.Height() * factor);
    // Nearest-neighbour stretching by a whole factor repeats each pixel factor times each way.
    large.Stretch(surface, 0, 0, large.Width(), large.Height());
    return large;
}

} // namespace kx
