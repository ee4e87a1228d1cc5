// Fuzzing of the picture decoders: any bytes are decoded as PNG or GIF, and whatever decodes is
// drawn, so that a picture whose size and pixels disagree shows up as a bad read.
#include "render/dib_image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CDibImage image;
    if (!image.LoadFromMemory(data, size))
        return 0;
    kx::Surface surface(48, 48);
    image.Draw(surface, -3, -5);
    image.Draw(surface, 2, 2, 60, 30);
    image.DrawFit(surface, 0, 0, 40, 40);
    image.DrawThreeSlice(surface, -7, 9, 100);
    return 0;
}
