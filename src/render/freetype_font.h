// The text rasterizer of the preview: TrueType glyphs drawn with FreeType the way the device
// library draws them, with its effects, emboldening and vertical layout.
#pragma once

#include "model/geometry.h"
#include "render/surface.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class CFontData;
class CProjectContext;

namespace kx {
class IMessageSink;
}

// Draws and measures UTF-8 texts in the style of a working copy of a font definition. One
// instance serves the whole program: it owns the FreeType library and FreeType's cache manager,
// so a font file is opened once and shared by every text that uses it. Faces are keyed by the
// definition's face identifier and opened from the project's fonts folder.
//
// Boxes answered here are inclusive pixel boxes: a bitmap of w x h pixels at (left, top) covers
// (left, top, left + w - 1, top + h - 1). They are joined as a union in which a box with
// right <= left or bottom <= top counts as empty.
class CFreeTypeFont {
public:
    // Starts FreeType; a failure prints one line on standard output and leaves an instance that
    // draws nothing.
    CFreeTypeFont(const CProjectContext &project, kx::IMessageSink &messages);
    ~CFreeTypeFont();

    CFreeTypeFont(const CFreeTypeFont &) = delete;
    CFreeTypeFont &operator=(const CFreeTypeFont &) = delete;

    // Whether FreeType and its caches started.
    bool IsReady() const;

    // Whole-pixel metrics of the style's face at its size into the out-parameters given. Answers
    // 1, or 0 when the face or the size cannot be had (the out-parameters are then untouched).
    int GetMetrics(
        const CFontData &style, int *maxAdvance, int *height, int *ascender, int *descender);

    // The box the text would cover when drawn with its pen origin at (x, y), widened by the
    // fixed margins of the style's effect. A stroke effect turns the style's stroke flag on.
    kx::KXRect MeasureText(std::string_view text, int x, int y, CFontData &style);

    // Draws the text with its pen origin (the start of the baseline) at (x, y) and answers the
    // union of the glyph boxes drawn. The style's embolden strength and stroke flag carry over
    // from one character, and one call, to the next.
    kx::KXRect DrawText(
        kx::Surface &surface, std::string_view text, int x, int y, CFontData &style);

    // Collects into missing, each once and in the order of first appearance, the characters of
    // the UTF-8 text (read as DrawText reads it) that the style's face maps to no glyph, so that
    // the device would draw them as the face's missing-glyph box. Answers false, leaving missing
    // empty, when the face cannot be had; the size plays no part.
    bool FindMissingGlyphs(
        std::string_view text, const CFontData &style, std::vector<std::uint32_t> &missing);

    // Lets go of every cached face, size and glyph, so the next use opens the font files again
    // (for a project that was loaded anew, or font files that changed).
    void ForgetFaces();

    // Rendered glyphs are kept between calls unless this is turned off; the pixels are the same
    // either way.
    void SetGlyphCacheEnabled(bool on);

    // Pixel sizes outside 1..kMaxSize draw nothing: FreeType would otherwise be asked for
    // bitmaps of gigabytes.
    static constexpr int kMaxSize = 4096;
    // A glyph whose outline reaches further than this many pixels across is not rendered.
    static constexpr int kMaxGlyphExtent = 8192;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
