#include "test_images.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace kxtest {

namespace {

void AppendPngData(png_structp png, png_bytep data, png_size_t length)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushPng(png_structp) { }

int AppendGifData(GifFileType *gif, const GifByteType *data, int length)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

ColorMapObject *MakePalette(const std::vector<GifColorType> &colours)
{
    if (colours.empty())
        return nullptr;
    return GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
}

void Check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(what);
}

} // namespace

namespace {

// The libpng calls, apart from anything with a destructor, so an error's longjmp skips none.
bool RunPngWriter(png_structp png, png_infop info, const PngRecipe &recipe, png_bytepp rows,
    png_color_16p transparentColour, std::vector<std::uint8_t> *out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, AppendPngData, FlushPng);
    png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colourType,
        recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
        PNG_FILTER_TYPE_DEFAULT);
    if (!recipe.palette.empty())
        png_set_PLTE(png, info, recipe.palette.data(), static_cast<int>(recipe.palette.size()));
    if (!recipe.paletteAlpha.empty())
        png_set_tRNS(png, info, recipe.paletteAlpha.data(),
            static_cast<int>(recipe.paletteAlpha.size()), nullptr);
    if (transparentColour)
        png_set_tRNS(png, info, nullptr, 0, transparentColour);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<std::uint8_t> PngBytes(const PngRecipe &recipe)
{
    int channels = 1;
    if (recipe.colourType == PNG_COLOR_TYPE_RGB)
        channels = 3;
    else if (recipe.colourType == PNG_COLOR_TYPE_RGB_ALPHA)
        channels = 4;
    else if (recipe.colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        channels = 2;
    const std::size_t rowBytes
        = (static_cast<std::size_t>(recipe.width) * channels * recipe.bitDepth + 7) / 8;
    std::vector<std::uint8_t> samples = recipe.samples;
    samples.resize(rowBytes * recipe.height);
    std::vector<png_bytep> rows(recipe.height);
    for (int y = 0; y < recipe.height; ++y)
        rows[y] = samples.data() + rowBytes * y;
    png_color_16 colour = recipe.transparentColour.value_or(png_color_16 {});
    std::vector<std::uint8_t> out;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool written = RunPngWriter(
        png, info, recipe, rows.data(), recipe.transparentColour ? &colour : nullptr, &out);
    png_destroy_write_struct(&png, &info);
    Check(written, "libpng could not write the test image");
    return out;
}

std::vector<std::uint8_t> RgbaPng(int width, int height, const std::vector<std::uint8_t> &rgba)
{
    PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    recipe.samples = rgba;
    return PngBytes(recipe);
}

std::vector<std::uint8_t> GifBytes(const GifRecipe &recipe)
{
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, AppendGifData, &error);
    Check(gif, "EGifOpen");
    EGifSetGifVersion(gif, true);
    ColorMapObject *global = MakePalette(recipe.globalPalette);
    ColorMapObject *local = MakePalette(recipe.localPalette);
    const int depth = global ? global->BitsPerPixel : 8;
    bool ok = EGifPutScreenDesc(
                  gif, recipe.screenWidth, recipe.screenHeight, depth, recipe.background, global)
        == GIF_OK;
    if (ok && recipe.transparentIndex >= 0) {
        GraphicsControlBlock control {};
        control.TransparentColor = recipe.transparentIndex;
        GifByteType block[4];
        const std::size_t length = EGifGCBToExtension(&control, block);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block)
            == GIF_OK;
    }
    const int frames = recipe.secondFrame ? 2 : 1;
    for (int frame = 0; ok && frame < frames; ++frame) {
        ok = EGifPutImageDesc(gif, recipe.left, recipe.top, recipe.width, recipe.height,
                 recipe.interlaced, local)
            == GIF_OK;
        std::vector<GifPixelType> line(recipe.width);
        // Interlaced frames are sent in pass order: every eighth row from 0, from 4, every
        // fourth from 2, every second from 1.
        std::vector<int> order;
        if (recipe.interlaced) {
            const int start[] = {0, 4, 2, 1};
            const int step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass) {
                for (int y = start[pass]; y < recipe.height; y += step[pass])
                    order.push_back(y);
            }
        } else {
            for (int y = 0; y < recipe.height; ++y)
                order.push_back(y);
        }
        for (int y : order) {
            for (int x = 0; x < recipe.width; ++x) {
                // The second frame paints every pixel with the last index of the palette.
                line[x] = frame == 0
                    ? recipe.indices.at(static_cast<std::size_t>(y) * recipe.width + x)
                    : 1;
            }
            if (ok)
                ok = EGifPutLine(gif, line.data(), recipe.width) == GIF_OK;
        }
    }
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    Check(ok && closed, "giflib could not write the test image");
    return out;
}

void WriteFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(
        reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    Check(static_cast<bool>(file), "could not write a test file");
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kx-render-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(
        m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace kxtest
