// Cost of the drawing rules the preview applies on every paint: widening a button picture and
// building a frame from three strips.
#include "model/image_data.h"
#include "render/image_data_drawing.h"
#include "render/picture_drawing.h"

#include <benchmark/benchmark.h>

namespace {

// A picture with a different colour in every pixel, so no copy can be skipped as uniform.
kx::Surface Gradient(int width, int height)
{
    kx::Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            s.SetPixel(x, y, kx::Rgb(x * 7, y * 5, x + y));
    }
    return s;
}

// A 90 x 40 button picture widened to 640 pixels: 18 middle pieces of 30 columns.
void BM_ThreeSliceTo640(benchmark::State &state)
{
    const kx::Surface picture = Gradient(90, 40);
    kx::Surface target(640, 40);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kx::DrawThreeSlice(target, picture, 0, 0, 640));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

// A 640 x 480 frame from strips of 30 x 10, 30 x 20 and 30 x 10: every strip widened, 23 bands.
void BM_Frame640x480(benchmark::State &state)
{
    const kx::Surface top = Gradient(30, 10);
    const kx::Surface middle = Gradient(30, 20);
    const kx::Surface bottom = Gradient(30, 10);
    CImageData image;
    image.SetType(2);
    image.SetPicture(0, &top);
    image.SetPicture(1, &middle);
    image.SetPicture(2, &bottom);
    kx::Surface target(640, 480);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kx::DrawImageDefinition(image, target, 0, 0, 640, 480));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

// Shrinking a 640 x 480 picture into a 160 x 160 preview box with smoothing.
void BM_SmoothFit640x480(benchmark::State &state)
{
    const kx::Surface picture = Gradient(640, 480);
    kx::Surface target(160, 160);
    for (auto _ : state) {
        target.DrawFit(picture, 0, 0, 160, 160);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_ThreeSliceTo640)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Frame640x480)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmoothFit640x480)->Unit(benchmark::kMicrosecond);
