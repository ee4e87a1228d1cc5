#include "render/freetype_font.h"

#include "model/font_data.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/font_rules.h"
#include "render/glyph_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_STROKER_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

using kx::GlyphClass;
using kx::GlyphImage;
using kx::KXRect;

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct ManagerDeleter {
    void operator()(FTC_Manager manager) const { FTC_Manager_Done(manager); }
};
struct GlyphDeleter {
    void operator()(FT_Glyph glyph) const { FT_Done_Glyph(glyph); }
};
struct StrokerDeleter {
    void operator()(FT_Stroker stroker) const { FT_Stroker_Done(stroker); }
};

using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using ManagerPtr = std::unique_ptr<FTC_ManagerRec_, ManagerDeleter>;
using GlyphPtr = std::unique_ptr<FT_GlyphRec_, GlyphDeleter>;
using StrokerPtr = std::unique_ptr<FT_StrokerRec_, StrokerDeleter>;

// Faces, sizes and bytes the cache manager keeps. A dialog rarely uses more than a handful of
// font files; keeping a few more faces than FreeType's default of two spares reopening them on
// every paint.
constexpr FT_UInt kMaxCachedFaces = 16;
constexpr FT_UInt kMaxCachedSizes = 32;

constexpr FT_Fixed kOne = 0x10000;
constexpr FT_Matrix kIdentityMatrix {kOne, 0, 0, kOne};
// "エラー：フォント[<path>]が使用できません。"
constexpr const char *kFontUnusableBefore = "エラー：フォント[";
constexpr const char *kFontUnusableAfter = "]が使用できません。";

FTC_FaceID ToFaceId(int id)
{
    return reinterpret_cast<FTC_FaceID>(static_cast<std::intptr_t>(id));
}

// A scale factor held within a bound far beyond any sensible scale; not-a-number counts as 0.
double BoundScale(double v)
{
    constexpr double kBound = 1 << 20;
    return std::isfinite(v) ? std::clamp(v, -kBound, kBound) : 0.0;
}

// A scale factor in 16.16 units, truncated.
FT_Fixed ToFixed(double v)
{
    return static_cast<FT_Fixed>(BoundScale(v) * 65536.0);
}

bool IsIdentity(const CFontData::Matrix &m)
{
    return m[0] == 1.0 && m[1] == 0.0 && m[2] == 0.0 && m[3] == 1.0;
}

// Transform of one character of vertical text: upright classes keep the style's scale, the
// rotated ones turn a quarter clockwise on screen.
FT_Matrix VerticalMatrix(GlyphClass glyphClass, bool identity, const CFontData::Matrix &style)
{
    const bool turned = glyphClass == kx::kClassRotated || glyphClass == kx::kClassCornerBracket;
    if (identity)
        return turned ? FT_Matrix {0, kOne, -kOne, 0} : kIdentityMatrix;
    if (turned)
        return FT_Matrix {0, ToFixed(style[0]), -ToFixed(style[3]), 0};
    return FT_Matrix {ToFixed(style[0]), 0, 0, ToFixed(style[3])};
}

// Copies a FreeType bitmap, top row first, whatever the sign of its pitch.
void CopyBitmap(const FT_Bitmap &bitmap, int left, int top, GlyphImage &out)
{
    out.left = left;
    out.top = top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
        out.mode = GlyphImage::kGrey;
    else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        out.mode = GlyphImage::kMono;
    else
        out.mode = GlyphImage::kNone;
    const int rowBytes = out.mode == GlyphImage::kMono ? (out.width + 7) / 8 : out.width;
    const int pitch = std::abs(bitmap.pitch);
    if (out.mode == GlyphImage::kNone || !bitmap.buffer || rowBytes > pitch || out.rows <= 0) {
        out.mode = GlyphImage::kNone;
        return;
    }
    out.pitch = rowBytes;
    out.pixels.resize(static_cast<std::size_t>(rowBytes) * out.rows);
    for (int i = 0; i < out.rows; ++i) {
        const int sourceRow = bitmap.pitch >= 0 ? i : out.rows - 1 - i;
        std::copy_n(bitmap.buffer + static_cast<std::size_t>(sourceRow) * pitch, rowBytes,
            out.pixels.data() + static_cast<std::size_t>(i) * rowBytes);
    }
}

// Whether rendering the outline would make a bitmap too large to be a glyph of a preview.
bool OutlineTooLarge(FT_Outline &outline)
{
    FT_BBox box;
    FT_Outline_Get_CBox(&outline, &box);
    constexpr FT_Pos kLimit = FT_Pos {CFreeTypeFont::kMaxGlyphExtent} * 64;
    return box.xMax - box.xMin > kLimit || box.yMax - box.yMin > kLimit;
}

} // namespace

struct CFreeTypeFont::Impl {
    // The face and size of one operation.
    struct Active {
        FT_Face face = nullptr;
        FTC_FaceID id = nullptr;
        int faceId = 0;
        int size = 0;
        int charmapIndex = 0;
    };

    // One glyph pass: which glyph, how it is rendered, where it goes.
    struct Pass {
        FT_UInt glyph = 0;
        FT_Matrix matrix = kIdentityMatrix;
        GlyphClass glyphClass = kx::kClassHorizontal;
        bool vertical = false;
        bool identity = true;
        double scaleY = 1.0;
        int strength = 0;
        bool stroke = false;
        bool measure = false;
    };

    struct PassResult {
        KXRect box;
        std::int64_t advanceX = 0;
        std::int64_t advanceY = 0;
    };

    Impl(const CProjectContext &project, kx::IMessageSink &messages)
        : project(project)
        , messages(messages)
    { }

    static FT_Error RequestFace(
        FTC_FaceID faceId, FT_Library library, FT_Pointer requestData, FT_Face *face);
    bool LookupFace(const CFontData &style, Active &active);
    bool Lookup(const CFontData &style, Active &active);
    KXRect Run(kx::Surface *surface, std::string_view text, int x, int y, CFontData &style);
    PassResult RunPass(const Active &active, const Pass &pass, kx::Surface *surface, std::int64_t x,
        std::int64_t y, std::uint32_t colour);
    const GlyphImage &Glyph(const Active &active, const Pass &pass);
    GlyphImage Render(FT_Face face, const Pass &pass);

    const CProjectContext &project;
    kx::IMessageSink &messages;
    std::string currentFile;
    int currentSize = 0;
    LibraryPtr library;
    ManagerPtr manager;
    FTC_CMapCache cmapCache = nullptr;
    kx::GlyphCache glyphs;
    bool useGlyphCache = true;
    GlyphImage scratch;
    // Font files already reported as unusable, so that a broken file is reported once and not
    // on every measurement of every paint; forgotten when the file opens again.
    std::set<std::string> reported;
};

FT_Error CFreeTypeFont::Impl::RequestFace(
    FTC_FaceID faceId, FT_Library library, FT_Pointer requestData, FT_Face *face)
{
    auto *self = static_cast<Impl *>(requestData);
    std::string file = self->currentFile;
    if (file.empty()) {
        // A definition without a file names its font file by its own name.
        const int id = static_cast<int>(reinterpret_cast<std::intptr_t>(faceId));
        for (const auto &font : self->project.Fonts()) {
            if (font->FaceId() == id) {
                file = font->Name();
                break;
            }
        }
    }
    const std::string path = self->project.FontPath(file);
    // A name that leaves the fonts folder is never opened; the painter tells the user.
    if (path.empty())
        return FT_Err_Cannot_Open_Resource;
    FT_Face opened = nullptr;
    // Only regular files are handed to FreeType: a folder or a pipe named like a font file
    // must not block or confuse it.
    std::error_code ignored;
    FT_Error error = std::filesystem::is_regular_file(path, ignored)
        ? FT_New_Face(library, path.c_str(), 0, &opened)
        : FT_Err_Cannot_Open_Resource;
    if (error) {
        if (self->reported.insert(path).second) {
            self->messages.ShowMessage(
                kFontUnusableBefore + path + kFontUnusableAfter, kx::MessageIcon::Information);
        }
        return error;
    }
    error = FT_Select_Charmap(opened, FT_ENCODING_UNICODE);
    if (error) {
        FT_Done_Face(opened);
        return error;
    }
    self->reported.erase(path);
    // Glyphs of whatever face had this identifier before are no longer valid.
    self->glyphs.Clear();
    *face = opened;
    return FT_Err_Ok;
}

// The face of the style, opened through the requester when the cache does not hold it.
bool CFreeTypeFont::Impl::LookupFace(const CFontData &style, Active &active)
{
    if (!manager || !cmapCache)
        return false;
    active.faceId = style.FaceId();
    active.id = ToFaceId(active.faceId);
    currentFile = style.File();
    return FTC_Manager_LookupFace(manager.get(), active.id, &active.face) == FT_Err_Ok;
}

bool CFreeTypeFont::Impl::Lookup(const CFontData &style, Active &active)
{
    if (!LookupFace(style, active))
        return false;
    currentSize = style.Size();
    if (currentSize < 1 || currentSize > kMaxSize)
        return false;
    // A failed size lookup would leave whatever size the face had before active, so the text
    // would come out in the wrong size: it is not drawn instead.
    FTC_ScalerRec scaler {active.id, 0, static_cast<FT_UInt>(currentSize) * 64, 0, 72, 72};
    FT_Size size = nullptr;
    if (FTC_Manager_LookupSize(manager.get(), &scaler, &size) || !size)
        return false;
    active.face = size->face;
    active.size = currentSize;
    active.charmapIndex = active.face->charmap ? FT_Get_Charmap_Index(active.face->charmap) : -1;
    return active.charmapIndex >= 0;
}

GlyphImage CFreeTypeFont::Impl::Render(FT_Face face, const Pass &pass)
{
    GlyphImage out;
    // Measuring loads the glyph as FT_LOAD_RENDER would, but renders it only after the size
    // check below.
    FT_Int32 flags = pass.measure ? FT_LOAD_DEFAULT : FT_LOAD_NO_BITMAP;
    if (pass.vertical)
        flags |= FT_LOAD_VERTICAL_LAYOUT;
    if (FT_Load_Glyph(face, pass.glyph, flags))
        return out;
    const FT_GlyphSlot slot = face->glyph;
    out.loaded = true;
    out.advanceX = slot->advance.x;
    out.advanceY = slot->advance.y;
    out.metricWidth = slot->metrics.width;
    out.metricHeight = slot->metrics.height;
    out.horiBearingX = slot->metrics.horiBearingX;
    out.horiBearingY = slot->metrics.horiBearingY;
    out.horiAdvance = slot->metrics.horiAdvance;
    out.vertBearingY = slot->metrics.vertBearingY;
    out.vertAdvance = slot->metrics.vertAdvance;

    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (!pass.measure && pass.strength != 0)
            FT_Outline_Embolden(&slot->outline, pass.strength);
        if (OutlineTooLarge(slot->outline))
            return out;
        if (!pass.measure && pass.stroke) {
            // Only the border: a quarter-pixel round stroke around the outline.
            FT_Glyph raw = nullptr;
            if (FT_Get_Glyph(slot, &raw))
                return out;
            GlyphPtr glyph(raw);
            FT_Stroker rawStroker = nullptr;
            if (FT_Stroker_New(library.get(), &rawStroker))
                return out;
            StrokerPtr stroker(rawStroker);
            FT_Stroker_Set(
                stroker.get(), 16, FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
            // On success both calls destroy the glyph they were given and hand back a new one.
            FT_Glyph current = glyph.get();
            const FT_Error stroked = FT_Glyph_Stroke(&current, stroker.get(), 1);
            if (current != glyph.get()) {
                (void)glyph.release();
                glyph.reset(current);
            }
            stroker.reset();
            if (stroked)
                return out;
            const FT_Error rendered
                = FT_Glyph_To_Bitmap(&current, FT_RENDER_MODE_NORMAL, nullptr, 1);
            if (current != glyph.get()) {
                (void)glyph.release();
                glyph.reset(current);
            }
            if (rendered || glyph->format != FT_GLYPH_FORMAT_BITMAP)
                return out;
            const auto *bitmap = reinterpret_cast<FT_BitmapGlyph>(glyph.get());
            CopyBitmap(bitmap->bitmap, bitmap->left, bitmap->top, out);
            return out;
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL))
        return out;
    CopyBitmap(slot->bitmap, slot->bitmap_left, slot->bitmap_top, out);
    return out;
}

const GlyphImage &CFreeTypeFont::Impl::Glyph(const Active &active, const Pass &pass)
{
    if (!useGlyphCache) {
        scratch = Render(active.face, pass);
        return scratch;
    }
    const kx::GlyphKey key {active.faceId, active.size, pass.glyph,
        pass.measure ? 0 : pass.strength, !pass.measure && pass.stroke, pass.vertical, pass.measure,
        {pass.matrix.xx, pass.matrix.xy, pass.matrix.yx, pass.matrix.yy}};
    if (const GlyphImage *found = glyphs.Find(key))
        return *found;
    return glyphs.Store(key, Render(active.face, pass));
}

CFreeTypeFont::Impl::PassResult CFreeTypeFont::Impl::RunPass(const Active &active, const Pass &pass,
    kx::Surface *surface, std::int64_t x, std::int64_t y, std::uint32_t colour)
{
    const GlyphImage &g = Glyph(active, pass);
    PassResult result;
    if (!g.loaded)
        return result;
    std::int64_t left = x + g.left;
    std::int64_t top = y - g.top;
    const std::int64_t advanceX = g.advanceX >> 6;
    // The pen moves down a turned glyph by its advance, scaled like the glyph.
    const std::int64_t turnedAdvance
        = pass.identity ? advanceX : static_cast<std::int64_t>(advanceX * pass.scaleY);
    switch (pass.glyphClass) {
    case kx::kClassHorizontal:
        result.advanceX = advanceX;
        result.advanceY = -(g.advanceY >> 6);
        break;
    case kx::kClassUpright:
        result.advanceX = advanceX;
        result.advanceY = g.advanceY >> 6;
        left += -(g.vertAdvance >> 7);
        top += (g.horiBearingY >> 6) + (g.vertBearingY >> 6);
        break;
    case kx::kClassRotated:
        result.advanceX = g.advanceY >> 6;
        result.advanceY = turnedAdvance;
        left += (g.metricHeight >> 7) - (g.horiBearingY >> 6);
        top += pass.identity ? 0 : advanceX - turnedAdvance;
        break;
    case kx::kClassCommaStop:
        result.advanceX = advanceX;
        result.advanceY = g.advanceY >> 6;
        left += (g.vertAdvance >> 7) - (g.metricWidth >> 6) - (g.horiBearingX >> 6);
        top += (g.horiBearingX >> 6) + (g.horiBearingY >> 6);
        break;
    case kx::kClassCornerBracket:
        result.advanceX = g.advanceY >> 6;
        result.advanceY = turnedAdvance;
        left += (g.metricHeight >> 7) - (g.metricHeight >> 6);
        top += pass.identity ? 0 : advanceX - turnedAdvance;
        break;
    case kx::kClassSmallKana:
        result.advanceX = advanceX;
        result.advanceY = g.advanceY >> 6;
        left += -(((g.horiAdvance >> 6) - (g.horiBearingX >> 6)) / 2);
        top += (g.horiBearingY >> 6) + (g.vertBearingY >> 7);
        break;
    }
    // Pens driven far off by hostile texts or margins draw nothing rather than overflow.
    constexpr std::int64_t kFar = std::int64_t {1} << 30;
    if (left < -kFar || left > kFar || top < -kFar || top > kFar)
        return result;
    const int l = static_cast<int>(left);
    const int t = static_cast<int>(top);
    if (surface)
        result.box = kx::BlitGlyph(*surface, g, l, t, colour);
    else
        result.box = KXRect {l, t, l + g.width - 1, t + g.rows - 1};
    return result;
}

KXRect CFreeTypeFont::Impl::Run(
    kx::Surface *surface, std::string_view text, int x, int y, CFontData &style)
{
    Active active;
    if (!Lookup(style, active))
        return {};
    const bool measure = surface == nullptr;
    const bool vertical = style.Vertical();
    const CFontData::Matrix &transform = style.Transform();
    const bool identity = IsIdentity(transform);
    const FT_Matrix base = identity ? kIdentityMatrix
                                    : FT_Matrix {ToFixed(transform[0]), ToFixed(transform[1]),
                                        ToFixed(transform[2]), ToFixed(transform[3])};
    FT_Vector origin {0, 0};
    if (!vertical)
        FT_Set_Transform(active.face, const_cast<FT_Matrix *>(&base), &origin);

    const kx::EffectPlan plan
        = kx::PlanEffect(style.Effect(), style.BoldEffect(), style.Bold(), active.size);
    if (plan.stroke)
        style.SetStrokeFlag(true);
    const int mainStrength = style.Bold() ? kx::EffectStrength(1, active.size) : 0;
    const bool kerning = !vertical && FT_HAS_KERNING(active.face);
    // Fixed-width faces hold full-width cells; ASCII takes half a cell on the device.
    const bool halfAscii = !vertical && FT_IS_FIXED_WIDTH(active.face);

    Pass pass;
    pass.vertical = vertical;
    pass.identity = identity;
    pass.scaleY = BoundScale(transform[3]);
    pass.matrix = base;
    pass.measure = measure;
    std::int64_t penX = x;
    std::int64_t penY = y;
    FT_UInt previous = 0;
    std::size_t offset = 0;
    std::uint32_t codePoint = 0;
    KXRect box;
    while (kx::NextCodePoint(text, offset, codePoint)) {
        pass.glyphClass = vertical ? kx::VerticalClass(codePoint) : kx::kClassHorizontal;
        if (vertical) {
            pass.matrix = VerticalMatrix(pass.glyphClass, identity, transform);
            FT_Set_Transform(active.face, &pass.matrix, &origin);
        }
        pass.glyph = FTC_CMapCache_Lookup(cmapCache, active.id, active.charmapIndex, codePoint);
        if (kerning && previous && pass.glyph) {
            FT_Vector delta {0, 0};
            if (!FT_Get_Kerning(active.face, previous, pass.glyph, FT_KERNING_DEFAULT, &delta))
                penX += delta.x >> 6;
        }
        PassResult last;
        if (measure) {
            last = RunPass(active, pass, nullptr, penX, penY, 0);
            box = box.United(last.box);
        } else {
            pass.stroke = style.StrokeFlag();
            if (plan.hasPass) {
                const kx::EffectPass &effect = plan.pass;
                if (effect.setsStrength)
                    style.SetEmboldenStrength(effect.strength);
                pass.strength = style.EmboldenStrength();
                const std::uint32_t colour
                    = effect.subColour ? style.SubColour() : style.MainColour();
                box = box.United(
                    RunPass(active, pass, surface, penX + effect.dx, penY + effect.dy, colour).box);
            }
            style.SetEmboldenStrength(mainStrength);
            pass.strength = mainStrength;
            last = RunPass(active, pass, surface, penX, penY, style.MainColour());
            box = box.United(last.box);
        }
        if (halfAscii && codePoint < 0x7F)
            last.advanceX /= 2;
        penX += last.advanceX;
        penY += last.advanceY;
        previous = pass.glyph;
    }
    if (measure) {
        const kx::MeasureMargins margins
            = kx::MarginsForEffect(style.Effect(), style.BoldEffect(), style.Bold());
        box.top -= margins.top;
        box.right += margins.right;
        box.bottom += margins.bottom;
    }
    return box;
}

CFreeTypeFont::CFreeTypeFont(const CProjectContext &project, kx::IMessageSink &messages)
    : m_impl(std::make_unique<Impl>(project, messages))
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) {
        std::fputs("fail to FT_Init_FreeType.\n", stdout);
        return;
    }
    m_impl->library.reset(library);
    FTC_Manager manager = nullptr;
    if (FTC_Manager_New(library, kMaxCachedFaces, kMaxCachedSizes, 0, &Impl::RequestFace,
            m_impl.get(), &manager)) {
        std::fputs("fail to FT_Init_FreeType.2\n", stdout);
        return;
    }
    m_impl->manager.reset(manager);
    if (FTC_CMapCache_New(manager, &m_impl->cmapCache)) {
        m_impl->cmapCache = nullptr;
        std::fputs("fail to FT_Init_FreeType.3\n", stdout);
    }
}

CFreeTypeFont::~CFreeTypeFont() = default;

bool CFreeTypeFont::IsReady() const
{
    return m_impl->cmapCache != nullptr;
}

int CFreeTypeFont::GetMetrics(
    const CFontData &style, int *maxAdvance, int *height, int *ascender, int *descender)
{
    Impl::Active active;
    if (!m_impl->Lookup(style, active))
        return 0;
    const FT_Size_Metrics &metrics = active.face->size->metrics;
    if (maxAdvance)
        *maxAdvance = static_cast<int>(metrics.max_advance >> 6);
    if (height)
        *height = static_cast<int>(metrics.height >> 6);
    if (ascender)
        *ascender = static_cast<int>(metrics.ascender >> 6);
    if (descender)
        *descender = static_cast<int>(metrics.descender >> 6);
    return 1;
}

KXRect CFreeTypeFont::MeasureText(std::string_view text, int x, int y, CFontData &style)
{
    return m_impl->Run(nullptr, text, x, y, style);
}

KXRect CFreeTypeFont::DrawText(
    kx::Surface &surface, std::string_view text, int x, int y, CFontData &style)
{
    return m_impl->Run(&surface, text, x, y, style);
}

bool CFreeTypeFont::FindMissingGlyphs(
    std::string_view text, const CFontData &style, std::vector<std::uint32_t> &missing)
{
    missing.clear();
    Impl::Active active;
    if (!m_impl->LookupFace(style, active) || !active.face->charmap)
        return false;
    const int charmapIndex = FT_Get_Charmap_Index(active.face->charmap);
    if (charmapIndex < 0)
        return false;
    std::set<std::uint32_t> seen;
    std::size_t offset = 0;
    std::uint32_t codePoint = 0;
    while (kx::NextCodePoint(text, offset, codePoint)) {
        if (!seen.insert(codePoint).second)
            continue;
        if (FTC_CMapCache_Lookup(m_impl->cmapCache, active.id, charmapIndex, codePoint) == 0)
            missing.push_back(codePoint);
    }
    return true;
}

void CFreeTypeFont::ForgetFaces()
{
    if (m_impl->manager)
        FTC_Manager_Reset(m_impl->manager.get());
    m_impl->glyphs.Clear();
    m_impl->reported.clear();
}

void CFreeTypeFont::SetGlyphCacheEnabled(bool on)
{
    m_impl->useGlyphCache = on;
    if (!on)
        m_impl->glyphs.Clear();
}
