#include "render/glyph_cache.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace kx {

namespace {

void Mix(std::size_t &seed, std::uint64_t value)
{
    seed ^= std::hash<std::uint64_t> {}(value) + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2);
}

std::uint8_t Blend(std::uint8_t old, std::uint8_t target, int a)
{
    return static_cast<std::uint8_t>(old + a * (target - old) / 256);
}

} // namespace

std::size_t GlyphKeyHash::operator()(const GlyphKey &key) const
{
    std::size_t seed = 0;
    Mix(seed, static_cast<std::uint32_t>(key.faceId));
    Mix(seed, static_cast<std::uint32_t>(key.size));
    Mix(seed, key.glyph);
    Mix(seed, static_cast<std::uint32_t>(key.strength));
    Mix(seed, (key.stroke ? 1u : 0u) | (key.vertical ? 2u : 0u) | (key.measure ? 4u : 0u));
    for (std::int64_t v : key.transform)
        Mix(seed, static_cast<std::uint64_t>(v));
    return seed;
}

const GlyphImage *GlyphCache::Find(const GlyphKey &key) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second;
}

const GlyphImage &GlyphCache::Store(const GlyphKey &key, GlyphImage image)
{
    const std::size_t bytes = image.pixels.size() + sizeof(GlyphImage);
    if (m_entries.size() >= kMaxEntries || m_bytes + bytes > kMaxBytes)
        Clear();
    m_bytes += bytes;
    return m_entries.insert_or_assign(key, std::move(image)).first->second;
}

void GlyphCache::Clear()
{
    m_entries.clear();
    m_bytes = 0;
}

KXRect BlitGlyph(Surface &surface, const GlyphImage &glyph, int left, int top, std::uint32_t colour)
{
    const KXRect box {left, top, left + glyph.width - 1, top + glyph.rows - 1};
    if (glyph.mode == GlyphImage::kNone)
        return box;
    const auto red = static_cast<std::uint8_t>(colour);
    const auto green = static_cast<std::uint8_t>(colour >> 8);
    const auto blue = static_cast<std::uint8_t>(colour >> 16);
    surface.Touch({left, top, left + glyph.width, top + glyph.rows});
    // Only the columns that land inside the surface's clip are visited.
    const KXRect &clip = surface.Clip();
    const int firstColumn = std::max(0, clip.left - left);
    const int lastColumn = std::min(glyph.width, clip.right - left);
    for (int i = 0; i < glyph.rows; ++i) {
        const int y = top + i;
        if (y < clip.top)
            continue;
        if (y >= clip.bottom)
            break;
        const std::uint8_t *source
            = glyph.pixels.data() + static_cast<std::size_t>(i) * glyph.pitch;
        std::uint8_t *out = surface.Row(y);
        for (int j = firstColumn; j < lastColumn; ++j) {
            std::uint8_t *p = out + static_cast<std::size_t>(left + j) * 3;
            if (glyph.mode == GlyphImage::kMono) {
                if (source[j >> 3] & (0x80 >> (j & 7))) {
                    p[0] = blue;
                    p[1] = green;
                    p[2] = red;
                }
                continue;
            }
            const int a = source[j];
            if (a == 0)
                continue;
            if (a == 255) {
                p[0] = blue;
                p[1] = green;
                p[2] = red;
                continue;
            }
            p[0] = Blend(p[0], blue, a);
            p[1] = Blend(p[1], green, a);
            p[2] = Blend(p[2], red, a);
        }
    }
    return box;
}

} // namespace kx
