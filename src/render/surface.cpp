#include "render/surface.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace kx {

namespace {

// A copy after clipping: the source corner, the target corner and the size, all inside both.
struct ClippedCopy {
    int sourceX = 0;
    int sourceY = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Clips one axis of a copy to the source extent and the target span [targetFirst, targetLast).
// The arithmetic is 64-bit so that hostile coordinates near the int limits cannot wrap.
bool ClipAxis(std::int64_t source, std::int64_t target, std::int64_t length, int sourceLength,
    int targetFirst, int targetLast, int &outSource, int &outTarget, int &outLength)
{
    if (source < 0) {
        target -= source;
        length += source;
        source = 0;
    }
    if (target < targetFirst) {
        source += targetFirst - target;
        length -= targetFirst - target;
        target = targetFirst;
    }
    length = std::min({length, sourceLength - source, targetLast - target});
    if (length <= 0)
        return false;
    outSource = static_cast<int>(source);
    outTarget = static_cast<int>(target);
    outLength = static_cast<int>(length);
    return true;
}

bool ClipCopy(const IPicture &source, const Surface &target, int sourceX, int sourceY, int width,
    int height, int x, int y, ClippedCopy &out)
{
    const KXRect &clip = target.Clip();
    return ClipAxis(sourceX, x, width, source.Width(), clip.left, clip.right, out.sourceX, out.x,
               out.width)
        && ClipAxis(sourceY, y, height, source.Height(), clip.top, clip.bottom, out.sourceY, out.y,
            out.height);
}

// The visible part [first, last) of the target span [start, start + length) on an axis of the
// given size; empty when nothing of it is visible.
struct VisibleSpan {
    int first = 0;
    int last = 0;
    bool IsEmpty() const { return last <= first; }
};

VisibleSpan Visible(int start, int length, int clipFirst, int clipLast)
{
    const std::int64_t first = std::max<std::int64_t>(start, clipFirst);
    const std::int64_t last = std::min<std::int64_t>(std::int64_t {start} + length, clipLast);
    if (length <= 0 || last <= first)
        return {};
    return {static_cast<int>(first), static_cast<int>(last)};
}

void StorePixel(std::uint8_t *p, std::uint32_t colour)
{
    p[0] = static_cast<std::uint8_t>(colour >> 16);
    p[1] = static_cast<std::uint8_t>(colour >> 8);
    p[2] = static_cast<std::uint8_t>(colour);
}

// Source pixels that cover one target column (or row) of an area-averaging scale, and how much
// each covers. The weights of one target pixel add up to the source length.
struct Footprint {
    std::vector<int> firstTap; // per target pixel: index of its first tap; one extra at the end
    std::vector<int> source; // per tap: source pixel
    std::vector<std::uint32_t> weight; // per tap
};

// Footprints of the target pixels first .. last - 1 of a span of targetLength pixels at start,
// showing sourceLength source pixels. Target pixel t covers [t * S, (t + 1) * S) and source pixel
// s covers [s * T, (s + 1) * T) on a common scale of S * T units per span.
Footprint MakeFootprint(
    int start, std::int64_t targetLength, std::int64_t sourceLength, VisibleSpan span)
{
    Footprint f;
    f.firstTap.reserve(static_cast<std::size_t>(span.last - span.first) + 1);
    for (int t = span.first; t < span.last; ++t) {
        f.firstTap.push_back(static_cast<int>(f.source.size()));
        const std::int64_t lo = (std::int64_t {t} - start) * sourceLength;
        const std::int64_t hi = lo + sourceLength;
        for (std::int64_t s = lo / targetLength; s * targetLength < hi; ++s) {
            const std::int64_t w
                = std::min(hi, (s + 1) * targetLength) - std::max(lo, s * targetLength);
            f.source.push_back(static_cast<int>(s));
            f.weight.push_back(static_cast<std::uint32_t>(w));
        }
    }
    f.firstTap.push_back(static_cast<int>(f.source.size()));
    return f;
}

} // namespace

KXSize FitSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {};
    if (boxWidth >= pictureWidth && boxHeight >= pictureHeight)
        return {pictureWidth, pictureHeight};
    const std::int64_t w = boxWidth, h = boxHeight, pw = pictureWidth, ph = pictureHeight;
    // boxWidth / pictureWidth < boxHeight / pictureHeight, compared without rounding.
    if (w * ph < h * pw)
        return {boxWidth, static_cast<int>(w * ph / pw)};
    return {static_cast<int>(h * pw / ph), boxHeight};
}

Surface::Surface(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return;
    m_width = width;
    m_height = height;
    m_stride = (width * 3 + 3) & ~3;
    m_pixels.assign(static_cast<std::size_t>(m_stride) * height, 0);
    ResetClip();
}

void Surface::SetClip(const KXRect &clip)
{
    m_clip = {std::clamp(clip.left, 0, m_width), std::clamp(clip.top, 0, m_height),
        std::clamp(clip.right, 0, m_width), std::clamp(clip.bottom, 0, m_height)};
    if (m_clip.IsEmpty())
        m_clip = {};
}

void Surface::Touch(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0)
        return;
    const auto bound = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
    };
    Touch(KXRect {bound(x), bound(y), bound(x + width), bound(y + height)});
}

std::uint32_t Surface::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const std::uint8_t *p = Row(y) + x * 3;
    return Rgb(p[2], p[1], p[0]);
}

void Surface::SetPixel(int x, int y, std::uint32_t colour)
{
    Touch(x, y, 1, 1);
    if (!m_clip.Contains(x, y))
        return;
    StorePixel(Row(y) + x * 3, colour);
}

void Surface::FillRect(int x, int y, int width, int height, std::uint32_t colour)
{
    Touch(x, y, width, height);
    const VisibleSpan columns = Visible(x, width, m_clip.left, m_clip.right);
    const VisibleSpan rows = Visible(y, height, m_clip.top, m_clip.bottom);
    if (columns.IsEmpty() || rows.IsEmpty())
        return;
    std::uint8_t *first = Row(rows.first) + columns.first * 3;
    for (int c = 0; c < columns.last - columns.first; ++c)
        StorePixel(first + c * 3, colour);
    const std::size_t bytes = static_cast<std::size_t>(columns.last - columns.first) * 3;
    for (int r = rows.first + 1; r < rows.last; ++r)
        std::memcpy(Row(r) + columns.first * 3, first, bytes);
}

void Surface::Copy(const IPicture &source, int x, int y)
{
    CopyRect(source, 0, 0, source.Width(), source.Height(), x, y);
}

void Surface::CopyRect(
    const IPicture &source, int sourceX, int sourceY, int width, int height, int x, int y)
{
    Touch(x, y, std::min<std::int64_t>(width, source.Width()),
        std::min<std::int64_t>(height, source.Height()));
    ClippedCopy c;
    if (!ClipCopy(source, *this, sourceX, sourceY, width, height, x, y, c))
        return;
    const std::size_t bytes = static_cast<std::size_t>(c.width) * 3;
    // A surface copied onto itself may overlap: walk the rows away from the overlap.
    const bool upward = &source == this && c.y > c.sourceY;
    for (int i = 0; i < c.height; ++i) {
        const int r = upward ? c.height - 1 - i : i;
        std::memmove(Row(c.y + r) + c.x * 3, source.Row(c.sourceY + r) + c.sourceX * 3, bytes);
    }
}

void Surface::Stretch(const IPicture &source, int x, int y, int width, int height)
{
    const int sourceWidth = source.Width();
    const int sourceHeight = source.Height();
    if (sourceWidth <= 0 || sourceHeight <= 0)
        return;
    if (width == sourceWidth && height == sourceHeight) {
        Copy(source, x, y);
        return;
    }
    if (&source == this) {
        const Surface copy(*this);
        Stretch(copy, x, y, width, height);
        return;
    }
    Touch(x, y, width, height);
    const VisibleSpan columns = Visible(x, width, m_clip.left, m_clip.right);
    const VisibleSpan rows = Visible(y, height, m_clip.top, m_clip.bottom);
    if (columns.IsEmpty() || rows.IsEmpty())
        return;

    // Byte offset in a source row of every visible target column.
    std::vector<int> sourceOffset(static_cast<std::size_t>(columns.last - columns.first));
    for (int px = columns.first; px < columns.last; ++px) {
        const std::int64_t dx = std::int64_t {px} - x;
        sourceOffset[px - columns.first] = static_cast<int>(dx * sourceWidth / width) * 3;
    }
    const std::size_t bytes = sourceOffset.size() * 3;
    int previousSourceRow = -1;
    for (int py = rows.first; py < rows.last; ++py) {
        const std::int64_t dy = std::int64_t {py} - y;
        const int sy = static_cast<int>(dy * sourceHeight / height);
        std::uint8_t *out = Row(py) + columns.first * 3;
        if (sy == previousSourceRow) {
            // Enlarged rows repeat: copy the row just built.
            std::memcpy(out, Row(py - 1) + columns.first * 3, bytes);
            continue;
        }
        const std::uint8_t *in = source.Row(sy);
        for (int offset : sourceOffset) {
            std::memcpy(out, in + offset, 3);
            out += 3;
        }
        previousSourceRow = sy;
    }
}

void Surface::CopyTransparent(const IPicture &source, int x, int y)
{
    if (&source == this)
        return; // every pixel would land on itself
    Touch(x, y, source.Width(), source.Height());
    ClippedCopy c;
    if (!ClipCopy(source, *this, 0, 0, source.Width(), source.Height(), x, y, c))
        return;
    for (int r = 0; r < c.height; ++r) {
        const std::uint8_t *in = source.Row(c.sourceY + r) + c.sourceX * 3;
        std::uint8_t *out = Row(c.y + r) + c.x * 3;
        for (int i = 0; i < c.width; ++i, in += 3, out += 3) {
            if (in[0] != kKeyBlue || in[1] != kKeyGreen || in[2] != kKeyRed)
                std::memcpy(out, in, 3);
        }
    }
}

void Surface::SmoothStretch(const IPicture &source, int x, int y, int width, int height)
{
    const int sourceWidth = source.Width();
    const int sourceHeight = source.Height();
    if (sourceWidth <= 0 || sourceHeight <= 0)
        return;
    if (width == sourceWidth && height == sourceHeight) {
        Copy(source, x, y);
        return;
    }
    if (&source == this) {
        const Surface copy(*this);
        SmoothStretch(copy, x, y, width, height);
        return;
    }
    Touch(x, y, width, height);
    const VisibleSpan columns = Visible(x, width, m_clip.left, m_clip.right);
    const VisibleSpan rows = Visible(y, height, m_clip.top, m_clip.bottom);
    if (columns.IsEmpty() || rows.IsEmpty())
        return;

    const Footprint across = MakeFootprint(x, width, sourceWidth, columns);
    const Footprint down = MakeFootprint(y, height, sourceHeight, rows);
    const std::size_t count = static_cast<std::size_t>(columns.last - columns.first);
    std::vector<std::uint64_t> rowSum(count * 3);
    std::vector<std::uint64_t> sum(count * 3);
    // Each target pixel's weights add up to sourceWidth across and sourceHeight down.
    const std::uint64_t total = std::uint64_t(sourceWidth) * std::uint64_t(sourceHeight);

    for (int r = 0; r < rows.last - rows.first; ++r) {
        std::fill(sum.begin(), sum.end(), 0);
        for (int tap = down.firstTap[r]; tap < down.firstTap[r + 1]; ++tap) {
            const std::uint8_t *in = source.Row(down.source[tap]);
            std::fill(rowSum.begin(), rowSum.end(), 0);
            for (std::size_t c = 0; c < count; ++c) {
                for (int t = across.firstTap[c]; t < across.firstTap[c + 1]; ++t) {
                    const std::uint8_t *p = in + across.source[t] * 3;
                    const std::uint64_t w = across.weight[t];
                    rowSum[c * 3] += p[0] * w;
                    rowSum[c * 3 + 1] += p[1] * w;
                    rowSum[c * 3 + 2] += p[2] * w;
                }
            }
            const std::uint64_t w = down.weight[tap];
            for (std::size_t i = 0; i < sum.size(); ++i)
                sum[i] += rowSum[i] * w;
        }
        std::uint8_t *out = Row(rows.first + r) + columns.first * 3;
        for (std::size_t i = 0; i < sum.size(); ++i)
            out[i] = static_cast<std::uint8_t>((sum[i] + total / 2) / total);
    }
}

void Surface::DrawFit(const IPicture &source, int x, int y, int width, int height)
{
    const KXSize size = FitSize(source.Width(), source.Height(), width, height);
    if (size.width > 0 && size.height > 0)
        SmoothStretch(source, x, y, size.width, size.height);
}

} // namespace kx
