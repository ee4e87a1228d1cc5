#include "render/image_decoding.h"

#include "model/picture.h"

#include <gif_lib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace kx {

namespace {

// ---- PNG ----

// Where libpng reads from. A read past the end is an error, so a truncated file fails.
struct PngSource {
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
};

void ReadPngData(png_structp png, png_bytep out, png_size_t length)
{
    auto *source = static_cast<PngSource *>(png_get_io_ptr(png));
    if (length > source->size - source->position)
        png_error(png, "unexpected end of file");
    std::memcpy(out, source->data + source->position, length);
    source->position += length;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) { }

// What the decoding needs beyond libpng's own state. It lives in the caller's frame, so the
// longjmp of an error skips no destructor.
struct PngJob {
    PngSource source;
    Bitmap24 bitmap;
    std::vector<std::uint8_t> buffer;
    std::vector<png_bytep> rows;
};

// Turns one decoded row (blue, green, red and, with 4 channels, alpha; 8 or 16 bits a sample)
// into a bitmap row. 16-bit samples keep their high byte; their alpha counts as zero only when
// all 16 bits are, so a barely visible pixel is not mistaken for a hole.
void StorePngRow(
    const std::uint8_t *in, int channels, int sampleBytes, int width, std::uint8_t *out)
{
    if (channels == 3 && sampleBytes == 1) {
        std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
        return;
    }
    const int pixelBytes = channels * sampleBytes;
    for (int i = 0; i < width; ++i, in += pixelBytes, out += 3) {
        const std::uint8_t *alpha = in + 3 * sampleBytes;
        if (channels == 4 && alpha[0] == 0 && alpha[sampleBytes - 1] == 0) {
            out[0] = kKeyBlue;
            out[1] = kKeyGreen;
            out[2] = kKeyRed;
        } else {
            out[0] = in[0];
            out[1] = in[sampleBytes];
            out[2] = in[2 * sampleBytes];
        }
    }
}

// The part of the decoding that libpng may leave by longjmp. Only trivially destructible locals
// live here, and none of them is read after the jump.
bool RunPngJob(png_structp png, png_infop info, PngJob &job)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);

    // Everything becomes blue, green, red, with alpha where the file has any transparency (an
    // alpha channel or tRNS); 8 bits a sample, or 16 for 16-bit files.
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    const int depth = png_get_bit_depth(png, info);
    if ((depth != 8 && depth != 16) || (channels != 3 && channels != 4))
        return false;
    const int sampleBytes = depth / 8;
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes < std::size_t {width} * channels * sampleBytes
        || !AllocateBitmap(width, height, job.bitmap))
        return false;

    Bitmap24 &bitmap = job.bitmap;
    if (passes == 1) {
        job.buffer.resize(rowBytes);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, job.buffer.data(), nullptr);
            StorePngRow(job.buffer.data(), channels, sampleBytes, bitmap.width,
                bitmap.pixels.data() + std::size_t {y} * bitmap.stride);
        }
        return true;
    }
    // Interlaced passes fill the whole picture together: it is decoded at once, within the
    // same bound as the bitmap.
    if (rowBytes > kMaxPictureBytes / height)
        return false;
    job.buffer.resize(rowBytes * height);
    job.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        job.rows[y] = job.buffer.data() + rowBytes * y;
    png_read_image(png, job.rows.data());
    for (png_uint_32 y = 0; y < height; ++y)
        StorePngRow(job.rows[y], channels, sampleBytes, bitmap.width,
            bitmap.pixels.data() + std::size_t {y} * bitmap.stride);
    return true;
}

// ---- GIF ----

struct GifSource {
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
};

// Hands giflib what is left; a short count at the end makes giflib report an error.
int ReadGifData(GifFileType *gif, GifByteType *out, int length)
{
    auto *source = static_cast<GifSource *>(gif->UserData);
    if (length <= 0)
        return 0;
    const std::size_t count
        = std::min(static_cast<std::size_t>(length), source->size - source->position);
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
    return static_cast<int>(count);
}

struct GifCloser {
    GifFileType *gif;
    ~GifCloser()
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

void StoreColour(const GifColorType &colour, std::uint8_t *out)
{
    out[0] = colour.Blue;
    out[1] = colour.Green;
    out[2] = colour.Red;
}

// Reads the image whose descriptor comes next into out.
bool ReadGifImage(GifFileType *gif, Bitmap24 &out)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return false;
    const GifImageDesc &frame = gif->Image;
    const ColorMapObject *palette = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!palette || !palette->Colors || frame.Left < 0 || frame.Top < 0 || frame.Width < 0
        || frame.Height < 0)
        return false;
    const std::int64_t width
        = std::max<std::int64_t>(gif->SWidth, std::int64_t {frame.Left} + frame.Width);
    const std::int64_t height
        = std::max<std::int64_t>(gif->SHeight, std::int64_t {frame.Top} + frame.Height);
    Bitmap24 bitmap;
    if (!AllocateBitmap(width, height, bitmap))
        return false;

    // Around the frame the screen shows its background colour.
    const ColorMapObject *screen = gif->SColorMap;
    if (screen && screen->Colors && gif->SBackGroundColor >= 0
        && gif->SBackGroundColor < screen->ColorCount) {
        std::uint8_t *row = bitmap.pixels.data();
        for (int x = 0; x < bitmap.width; ++x)
            StoreColour(screen->Colors[gif->SBackGroundColor], row + x * 3);
        for (int y = 1; y < bitmap.height; ++y)
            std::memcpy(row + static_cast<std::size_t>(y) * bitmap.stride, row,
                static_cast<std::size_t>(bitmap.width) * 3);
    }

    if (frame.Width > 0 && frame.Height > 0) {
        // Interlaced frames send every eighth row from 0, then from 4, every fourth from 2 and
        // every second from 1.
        static constexpr int kInterlaceStart[] = {0, 4, 2, 1};
        static constexpr int kInterlaceStep[] = {8, 8, 4, 2};
        const int passes = frame.Interlace ? 4 : 1;
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        static constexpr GifColorType kBlack {0, 0, 0};
        for (int pass = 0; pass < passes; ++pass) {
            const int start = frame.Interlace ? kInterlaceStart[pass] : 0;
            const int step = frame.Interlace ? kInterlaceStep[pass] : 1;
            for (int y = start; y < frame.Height; y += step) {
                if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
                    return false;
                std::uint8_t *out = bitmap.pixels.data()
                    + std::size_t(frame.Top + y) * bitmap.stride + std::size_t(frame.Left) * 3;
                for (int x = 0; x < frame.Width; ++x, out += 3) {
                    // An index past the palette has no colour; it shows black.
                    const int index = line[x];
                    StoreColour(index < palette->ColorCount ? palette->Colors[index] : kBlack, out);
                }
            }
        }
    }
    out = std::move(bitmap);
    return true;
}

} // namespace

bool AllocateBitmap(std::int64_t width, std::int64_t height, Bitmap24 &out)
{
    if (width <= 0 || height <= 0 || width > kMaxPictureDimension || height > kMaxPictureDimension)
        return false;
    const std::int64_t stride = (width * 3 + 3) & ~std::int64_t {3};
    if (static_cast<std::uint64_t>(stride * height) > kMaxPictureBytes)
        return false;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.stride = static_cast<int>(stride);
    out.pixels.assign(static_cast<std::size_t>(stride * height), 0);
    return true;
}

bool IsPng(const std::uint8_t *data, std::size_t size)
{
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool IsGif(const std::uint8_t *data, std::size_t size)
{
    return size >= 4 && std::memcmp(data, "GIF8", 4) == 0;
}

bool DecodePng(const std::uint8_t *data, std::size_t size, Bitmap24 &out)
{
    png_structp png
        = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    struct Destroyer {
        png_structp &png;
        png_infop &info;
        ~Destroyer() { png_destroy_read_struct(&png, &info, nullptr); }
    } destroyer {png, info};
    if (!info)
        return false;

    PngJob job;
    job.source = {data, size, 0};
    png_set_read_fn(png, &job.source, ReadPngData);
    // Refuse oversized headers inside png_read_info, and bound what one chunk may allocate.
    png_set_user_limits(png, kMaxPictureDimension, kMaxPictureDimension);
    png_set_chunk_malloc_max(png, std::size_t {8} << 20);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Mutated files seldom carry valid checksums; let the fuzzer reach the decoder behind them.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
    if (!RunPngJob(png, info, job))
        return false;
    out = std::move(job.bitmap);
    return true;
}

bool DecodeGif(const std::uint8_t *data, std::size_t size, Bitmap24 &out)
{
    GifSource source {data, size, 0};
    int error = 0;
    GifFileType *gif = DGifOpen(&source, ReadGifData, &error);
    if (!gif)
        return false;
    const GifCloser closer {gif};
    // Extensions before the first image are skipped: transparency and timing do not matter for
    // a still picture.
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return false;
        if (type == IMAGE_DESC_RECORD_TYPE)
            return ReadGifImage(gif, out);
        if (type == TERMINATE_RECORD_TYPE)
            return false;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
                return false;
            while (block) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                    return false;
            }
        }
    }
}

} // namespace kx
