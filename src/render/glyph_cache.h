// Rendered glyphs kept between paints, so that texts drawn again on every paint are not rendered
// anew by FreeType each time, and the blit that puts a glyph bitmap on a surface.
#pragma once

#include "model/geometry.h"
#include "render/surface.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kx {

// Everything a glyph pass takes from FreeType: the bitmap with its placement, the advance (after
// the transform) and the untransformed metrics, all lengths in 26.6 units except the bitmap.
struct GlyphImage {
    enum PixelMode : std::uint8_t { kNone, kMono, kGrey };

    bool loaded = false; // false: FreeType could not load the glyph; nothing is drawn
    PixelMode mode = kNone;
    int width = 0;
    int rows = 0;
    int pitch = 0; // bytes per row in pixels
    int left = 0; // bitmap left and top of FreeType
    int top = 0;
    std::int64_t advanceX = 0;
    std::int64_t advanceY = 0;
    std::int64_t metricWidth = 0;
    std::int64_t metricHeight = 0;
    std::int64_t horiBearingX = 0;
    std::int64_t horiBearingY = 0;
    std::int64_t horiAdvance = 0;
    std::int64_t vertBearingY = 0;
    std::int64_t vertAdvance = 0;
    std::vector<std::uint8_t> pixels; // rows pitch bytes apart, top row first
};

// What decides a glyph's rendering: face, size, glyph, embolden strength, stroke, layout, the
// transform (16.16) and whether it is only measured.
struct GlyphKey {
    int faceId = 0;
    int size = 0;
    std::uint32_t glyph = 0;
    int strength = 0;
    bool stroke = false;
    bool vertical = false;
    bool measure = false;
    std::array<std::int64_t, 4> transform {};

    bool operator==(const GlyphKey &) const = default;
};

struct GlyphKeyHash {
    std::size_t operator()(const GlyphKey &key) const;
};

// A bounded map from GlyphKey to GlyphImage. When it is full it starts again empty: texts of
// one dialog use few glyphs, so a simple bound is enough to keep hostile texts from growing it.
class GlyphCache {
public:
    static constexpr std::size_t kMaxEntries = 16384;
    static constexpr std::size_t kMaxBytes = std::size_t {32} << 20;

    const GlyphImage *Find(const GlyphKey &key) const;
    const GlyphImage &Store(const GlyphKey &key, GlyphImage image);
    void Clear();
    std::size_t Count() const { return m_entries.size(); }

private:
    std::unordered_map<GlyphKey, GlyphImage, GlyphKeyHash> m_entries;
    std::size_t m_bytes = 0;
};

// Puts a glyph bitmap on the surface with its top-left pixel at (left, top). A set bit of a
// monochrome bitmap writes the colour; a grey coverage a writes it at 255, leaves the pixel at 0
// and otherwise blends each component as old + a * (new - old) / 256, truncated toward zero.
// Answers the inclusive box (left, top, left + width - 1, top + rows - 1).
KXRect BlitGlyph(
    Surface &surface, const GlyphImage &glyph, int left, int top, std::uint32_t colour);

} // namespace kx
