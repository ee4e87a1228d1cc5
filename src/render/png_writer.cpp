#include "render/png_writer.h"

#include "platform/save_file.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace kx {

bool WritePng(const Surface &surface, const std::string &path, std::string *error)
{
    if (surface.IsEmpty()) {
        if (error)
            *error = "the picture is empty";
        return false;
    }
    // libpng's simplified interface takes the blue, green, red rows as they are and needs no
    // long jumps through our frames. The file is encoded in memory and saved through a
    // temporary file, so a failed write leaves the old file as it was.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width());
    image.height = static_cast<png_uint_32>(surface.Height());
    image.format = PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    std::vector<std::uint8_t> bytes;
    bool encoded
        = png_image_write_get_memory_size(image, size, 0, surface.Bits(), surface.Stride(), nullptr)
        != 0;
    if (encoded) {
        bytes.resize(size);
        encoded = png_image_write_to_memory(
                      &image, bytes.data(), &size, 0, surface.Bits(), surface.Stride(), nullptr)
            != 0;
    }
    png_image_free(&image);
    if (!encoded) {
        if (error)
            *error = "the picture cannot be encoded as PNG";
        return false;
    }
    return SaveFile::WriteWhole(
        path, std::string_view(reinterpret_cast<const char *>(bytes.data()), size), error);
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
