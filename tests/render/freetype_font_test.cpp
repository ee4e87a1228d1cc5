// The text rasterizer with real fonts: effects, kerning, fixed-width faces, vertical text,
// strokes, broken UTF-8, missing and hostile font files, and the glyph cache.
#include "render/freetype_font.h"

#include "render/font_rules.h"
#include "render/test_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using kx::KXRect;
using kx::Rgb;
using kx::Surface;

namespace {

constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kRed = Rgb(255, 0, 0);

// Advances of one glyph read from FreeType itself, as an independent account of the font.
struct FaceFacts {
    bool ok = false;
    bool hasKerning = false;
    bool fixedWidth = false;
    int kerningX = 0; // between the two characters asked for, in pixels
    int advance = 0; // of the first character, horizontal, in pixels
    int verticalAdvance = 0; // of the first character, vertical layout, in pixels
};

FaceFacts ReadFacts(const std::string &path, int size, FT_ULong first, FT_ULong second = 0)
{
    FaceFacts facts;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library))
        return facts;
    FT_Face face = nullptr;
    if (!FT_New_Face(library, path.c_str(), 0, &face)
        && !FT_Set_Char_Size(face, 0, size * 64, 72, 72)) {
        facts.hasKerning = FT_HAS_KERNING(face);
        facts.fixedWidth = FT_IS_FIXED_WIDTH(face);
        const FT_UInt a = FT_Get_Char_Index(face, first);
        if (second) {
            FT_Vector k {0, 0};
            FT_Get_Kerning(face, a, FT_Get_Char_Index(face, second), FT_KERNING_DEFAULT, &k);
            facts.kerningX = static_cast<int>(k.x >> 6);
        }
        if (!FT_Load_Glyph(face, a, FT_LOAD_NO_BITMAP))
            facts.advance = static_cast<int>(face->glyph->advance.x >> 6);
        if (!FT_Load_Glyph(face, a, FT_LOAD_NO_BITMAP | FT_LOAD_VERTICAL_LAYOUT))
            facts.verticalAdvance = static_cast<int>(face->glyph->advance.y >> 6);
        facts.ok = true;
    }
    if (face)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
    return facts;
}

// The part of a surface inside a rectangle (right and bottom outside).
Surface Crop(const Surface &s, const KXRect &r)
{
    Surface out(r.Width(), r.Height());
    out.CopyRect(s, r.left, r.top, r.Width(), r.Height(), 0, 0);
    return out;
}

// Column of a surface with the most pixels differing from black.
int HeaviestColumn(const Surface &s)
{
    int best = 0;
    int bestCount = -1;
    for (int x = 0; x < s.Width(); ++x) {
        int count = 0;
        for (int y = 0; y < s.Height(); ++y)
            count += s.GetPixel(x, y) != kBlack ? 1 : 0;
        if (count > bestCount) {
            best = x;
            bestCount = count;
        }
    }
    return best;
}

class FreeTypeFontTest : public ::testing::Test {
protected:
    void SetUp() override { fonts = std::make_unique<CFreeTypeFont>(fp.project, fp.messages); }

    // A working copy of the definition in the given colours.
    static CFontData Style(const CFontData &font, std::uint32_t main = kWhite,
        std::uint32_t sub = kRed, bool vertical = false)
    {
        CFontData style(font);
        style.SetMainColour(main);
        style.SetSubColour(sub);
        style.SetVertical(vertical);
        return style;
    }

    // The text drawn on black at (x, y) with a fresh working copy.
    Surface Draw(const CFontData &font, std::string_view text, int x, int y, bool vertical = false,
        int width = 200, int height = 200)
    {
        Surface s(width, height);
        CFontData style = Style(font, kWhite, kRed, vertical);
        fonts->DrawText(s, text, x, y, style);
        return s;
    }

    kxtest::FontProject fp;
    std::unique_ptr<CFreeTypeFont> fonts;
};

} // namespace

TEST_F(FreeTypeFontTest, ShadowIsTheSubColourCopyDrawnFirstOneOffsetAway)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    const CFontData &plain16 = fp.AddFont("Plain16", "DejaVuSans.ttf", 16);
    const CFontData &shadow16 = fp.AddFont("Shadow16", "DejaVuSans.ttf", 16, kx::kEffectShadow);
    const CFontData &plain80 = fp.AddFont("Plain80", "DejaVuSans.ttf", 80);
    const CFontData &shadow80 = fp.AddFont("Shadow80", "DejaVuSans.ttf", 80, kx::kEffectShadow);

    // D(1) is 1 at size 16 and 2 at size 80.
    for (const auto &[plain, shadow, offset] :
        {std::tuple {&plain16, &shadow16, 1}, std::tuple {&plain80, &shadow80, 2}}) {
        SCOPED_TRACE(offset);
        const Surface actual = Draw(*shadow, "H", 20, 100);
        Surface expected(200, 200);
        CFontData sub = Style(*plain, kRed);
        fonts->DrawText(expected, "H", 20 + offset, 100 + offset, sub);
        CFontData main = Style(*plain, kWhite);
        fonts->DrawText(expected, "H", 20, 100, main);
        EXPECT_TRUE(kxtest::SamePixels(expected, actual));
        EXPECT_GT(kxtest::CountColour(actual, kRed), 0); // the copy shows below and right
    }
}

TEST_F(FreeTypeFontTest, KerningMovesTheSecondLetterInHorizontalTextOnly)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    const FaceFacts facts = ReadFacts(kxtest::SystemFontPath("DejaVuSans.ttf"), 16, 'A', 'V');
    ASSERT_TRUE(facts.ok);
    if (!facts.hasKerning)
        GTEST_SKIP() << "this DejaVuSans.ttf has no kerning table";
    ASSERT_LT(facts.kerningX, 0);
    const CFontData &font = fp.AddFont("Sans", "DejaVuSans.ttf", 16);

    const Surface actual = Draw(font, "AV", 10, 40);
    Surface expected(200, 200);
    CFontData style = Style(font);
    fonts->DrawText(expected, "A", 10, 40, style);
    fonts->DrawText(expected, "V", 10 + facts.advance + facts.kerningX, 40, style);
    EXPECT_TRUE(kxtest::SamePixels(expected, actual));

    // Vertical text: "V" comes one vertical advance below "A", without kerning.
    const Surface column = Draw(font, "AV", 40, 10, true);
    Surface unkerned(200, 200);
    CFontData vertical = Style(font, kWhite, kRed, true);
    fonts->DrawText(unkerned, "A", 40, 10, vertical);
    fonts->DrawText(unkerned, "V", 40, 10 + facts.verticalAdvance, vertical);
    EXPECT_TRUE(kxtest::SamePixels(unkerned, column));
}

TEST_F(FreeTypeFontTest, AsciiInFixedWidthFacesAdvancesHalfACellInHorizontalText)
{
    KX_REQUIRE_FONT(fp, "DejaVuSansMono.ttf");
    const std::string path = kxtest::SystemFontPath("DejaVuSansMono.ttf");
    const FaceFacts i = ReadFacts(path, 20, 'i');
    const FaceFacts e = ReadFacts(path, 20, 0xE9);
    ASSERT_TRUE(i.fixedWidth);
    const CFontData &font = fp.AddFont("Mono", "DejaVuSansMono.ttf", 20);
    CFontData style = Style(font);

    Surface expected(200, 200);
    fonts->DrawText(expected, "i", 10, 40, style);
    fonts->DrawText(expected, "i", 10 + i.advance / 2, 40, style);
    EXPECT_TRUE(kxtest::SamePixels(expected, Draw(font, "ii", 10, 40)));

    // U+00E9 lies above the ASCII range and advances by its whole cell.
    Surface wide(200, 200);
    fonts->DrawText(wide, "\xC3\xA9", 10, 40, style);
    fonts->DrawText(wide, "i", 10 + e.advance, 40, style);
    EXPECT_TRUE(kxtest::SamePixels(wide, Draw(font, "\xC3\xA9i", 10, 40)));

    // Vertical text keeps the whole advance.
    CFontData vertical = Style(font, kWhite, kRed, true);
    Surface column(200, 200);
    fonts->DrawText(column, "i", 40, 10, vertical);
    fonts->DrawText(column, "i", 40, 10 + i.verticalAdvance, vertical);
    EXPECT_TRUE(kxtest::SamePixels(column, Draw(font, "ii", 40, 10, true)));
}

TEST_F(FreeTypeFontTest, VerticalTextTurnsCornerBracketsAndKeepsKanaUpright)
{
    KX_REQUIRE_FONT(fp, "ipag.ttf");
    const CFontData &font = fp.AddFont("Gothic", "ipag.ttf", 32);
    const std::string open = "\xE3\x80\x8C"; // U+300C
    const std::string close = "\xE3\x80\x8D"; // U+300D
    const std::string a = "\xE3\x82\xA2"; // U+30A2

    // Upright, the opening bracket has its long stroke on the left and the closing one on the
    // right; turned a quarter clockwise, the other way round.
    for (const auto &[text, uprightLeft] : {std::pair {open, true}, std::pair {close, false}}) {
        const Surface flat = Draw(font, text, 50, 80);
        const Surface turned = Draw(font, text, 100, 20, true);
        const Surface flatInk = Crop(flat, kxtest::InkBox(flat, kBlack));
        const Surface turnedInk = Crop(turned, kxtest::InkBox(turned, kBlack));
        ASSERT_FALSE(flatInk.IsEmpty());
        ASSERT_FALSE(turnedInk.IsEmpty());
        EXPECT_EQ(HeaviestColumn(flatInk) < flatInk.Width() / 2, uprightLeft);
        EXPECT_EQ(HeaviestColumn(turnedInk) < turnedInk.Width() / 2, !uprightLeft);
        // A quarter turn swaps the sides of the ink.
        EXPECT_EQ(turnedInk.Width(), flatInk.Height());
        EXPECT_EQ(turnedInk.Height(), flatInk.Width());
    }

    // Katakana keep their horizontal shape in a column.
    const Surface flat = Draw(font, a, 50, 80);
    const Surface upright = Draw(font, a, 100, 20, true);
    EXPECT_TRUE(kxtest::SamePixels(
        Crop(flat, kxtest::InkBox(flat, kBlack)), Crop(upright, kxtest::InkBox(upright, kBlack))));

    // The whole column runs down from the pen: five cells high, one cell wide.
    const KXRect column
        = kxtest::InkBox(Draw(font, open + a + a + a + close, 100, 5, true, 200, 220), kBlack);
    EXPECT_GE(column.top, 5);
    EXPECT_GT(column.Height(), 3 * 32); // the kana alone take three cells
    EXPECT_LE(column.Width(), 34);
}

TEST_F(FreeTypeFontTest, StrokeDrawsOnlyTheBorder)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    const CFontData &plain = fp.AddFont("Plain", "DejaVuSans.ttf", 120);
    const CFontData &stroke = fp.AddFont("Stroke", "DejaVuSans.ttf", 120, kx::kEffectStroke);
    const Surface solid = Draw(plain, "I", 60, 150);
    const Surface hollow = Draw(stroke, "I", 60, 150);
    const KXRect solidBox = kxtest::InkBox(solid, kBlack);
    const KXRect hollowBox = kxtest::InkBox(hollow, kBlack);
    // The border follows the outline: the same place, give or take the quarter-pixel stroke.
    EXPECT_NEAR(hollowBox.left, solidBox.left, 1);
    EXPECT_NEAR(hollowBox.right, solidBox.right, 1);
    const int cx = (solidBox.left + solidBox.right) / 2;
    const int cy = (solidBox.top + solidBox.bottom) / 2;
    EXPECT_EQ(solid.GetPixel(cx, cy), kWhite);
    EXPECT_EQ(hollow.GetPixel(cx, cy), kBlack); // hollow inside
    EXPECT_NE(hollow.GetPixel(hollowBox.left, cy), kBlack); // inked at the edge
    EXPECT_EQ(kxtest::CountColour(hollow, kRed), 0); // the main colour only
}

TEST_F(FreeTypeFontTest, BrokenUtf8EndsTheText)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    const CFontData &font = fp.AddFont("Sans", "DejaVuSans.ttf", 16);
    const std::string cut = "A\xE3\x81"; // the first two bytes of U+3042
    const Surface a = Draw(font, "A", 10, 30);
    EXPECT_TRUE(kxtest::SamePixels(a, Draw(font, cut, 10, 30)));
    EXPECT_TRUE(kxtest::SamePixels(a, Draw(font, cut + "B", 10, 30)));
    CFontData style = Style(font);
    EXPECT_EQ(fonts->MeasureText(cut + "BC", 0, 0, style), fonts->MeasureText("A", 0, 0, style));
    // Nothing at all for an empty text.
    Surface s(50, 50);
    EXPECT_TRUE(fonts->DrawText(s, "", 10, 30, style).IsEmpty());
    EXPECT_EQ(kxtest::InkBox(s, kBlack), KXRect {});
}

TEST_F(FreeTypeFontTest, DrawnBoxHoldsTheInkAndMeasuringAddsTheEffectMargins)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    const CFontData &plain = fp.AddFont("Plain", "DejaVuSans.ttf", 24);
    const CFontData &shadow = fp.AddFont("Shadow", "DejaVuSans.ttf", 24, kx::kEffectShadow);
    const CFontData &outline
        = fp.AddFont("Outline", "DejaVuSans.ttf", 24, kx::kEffectOutline, true, true);

    Surface s(200, 100);
    CFontData style = Style(plain);
    const KXRect drawn = fonts->DrawText(s, "Wy", 20, 50, style);
    const KXRect ink = kxtest::InkBox(s, kBlack);
    // Drawn boxes are inclusive: the last column and row are right and bottom.
    EXPECT_LE(drawn.left, ink.left);
    EXPECT_LE(drawn.top, ink.top);
    EXPECT_GE(drawn.right, ink.right - 1);
    EXPECT_GE(drawn.bottom, ink.bottom - 1);
    EXPECT_LT(drawn.top, 50); // above the baseline
    EXPECT_GT(drawn.bottom, 50); // the tail of "y" below it

    CFontData p = Style(plain);
    CFontData sh = Style(shadow);
    CFontData ol = Style(outline);
    const KXRect base = fonts->MeasureText("Wy", 20, 50, p);
    EXPECT_EQ(base, drawn); // the same glyph boxes, measured without drawing
    EXPECT_EQ(fonts->MeasureText("Wy", 20, 50, sh),
        (KXRect {base.left, base.top, base.right + 1, base.bottom + 1}));
    EXPECT_EQ(fonts->MeasureText("Wy", 20, 50, ol),
        (KXRect {base.left, base.top - 3, base.right + 3, base.bottom + 3}));
    // Measuring a stroke turns the working copy's stroke flag on, as drawing does.
    CFontData stroke = Style(fp.AddFont("Stroke", "DejaVuSans.ttf", 24, kx::kEffectStroke));
    fonts->MeasureText("Wy", 20, 50, stroke);
    EXPECT_TRUE(stroke.StrokeFlag());
}

TEST_F(FreeTypeFontTest, UnusableSizesDrawNothing)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    for (int size : {0, -5, CFreeTypeFont::kMaxSize + 1, 1 << 28}) {
        const CFontData &font = fp.AddFont("Size" + std::to_string(size), "DejaVuSans.ttf", size);
        int height = 77;
        EXPECT_EQ(fonts->GetMetrics(font, nullptr, &height, nullptr, nullptr), 0);
        EXPECT_EQ(height, 77);
        EXPECT_EQ(kxtest::InkBox(Draw(font, "A", 10, 30), kBlack), KXRect {}) << size;
    }
}

TEST_F(FreeTypeFontTest, MissingFontFileIsReportedOnceWithItsPath)
{
    const CFontData &font = fp.AddFont("Gone", "missing.ttf", 16);
    CFontData style = Style(font);
    int height = 77;
    EXPECT_EQ(fonts->GetMetrics(font, nullptr, &height, nullptr, nullptr), 0);
    EXPECT_EQ(height, 77);
    EXPECT_EQ(fonts->MeasureText("A", 0, 0, style), KXRect {});
    Surface s(40, 40);
    EXPECT_EQ(fonts->DrawText(s, "A", 5, 30, style), KXRect {});
    ASSERT_EQ(fp.messages.Messages().size(), 1u);
    EXPECT_EQ(fp.messages.Messages()[0].text,
        "エラー：フォント[" + fp.project.ProjectFolder() + "fonts/missing.ttf]が使用できません。");

    // A failed file is not remembered: once it is there, it is used.
    const std::string real = kxtest::SystemFontPath("DejaVuSans.ttf");
    if (real.empty())
        return;
    std::filesystem::copy_file(real, fp.dir.Path() / "fonts" / "missing.ttf");
    EXPECT_FALSE(fonts->DrawText(s, "A", 5, 30, style).IsEmpty());
    EXPECT_EQ(fp.messages.Messages().size(), 1u);
}

TEST_F(FreeTypeFontTest, DefinitionWithoutFileUsesItsNameAsTheFileName)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    const CFontData &named = fp.AddFont("DejaVuSans.ttf", "", 16);
    const CFontData &filed = fp.AddFont("Sans", "DejaVuSans.ttf", 16);
    EXPECT_TRUE(kxtest::SamePixels(Draw(filed, "Ab", 5, 30), Draw(named, "Ab", 5, 30)));
    EXPECT_TRUE(fp.messages.Messages().empty());
}

TEST_F(FreeTypeFontTest, DefinitionsSharingAFaceIdentifierShareTheFirstFace)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    KX_REQUIRE_FONT(fp, "DejaVuSansMono.ttf");
    const CFontData &sans = fp.AddFont("Sans", "DejaVuSans.ttf", 24);
    CFontData &mono = fp.AddFont("Mono", "DejaVuSansMono.ttf", 24);
    mono.SetFaceId(sans.FaceId());

    const Surface bySans = Draw(sans, "Wim", 5, 40);
    EXPECT_TRUE(kxtest::SamePixels(bySans, Draw(mono, "Wim", 5, 40)));
    // A rasterizer that meets the mono definition first opens the mono file.
    CFreeTypeFont other(fp.project, fp.messages);
    Surface byMono(200, 200);
    CFontData style = Style(mono);
    other.DrawText(byMono, "Wim", 5, 40, style);
    EXPECT_FALSE(kxtest::SamePixels(bySans, byMono));
}

TEST_F(FreeTypeFontTest, HostileFontFilesDrawNothingAndDoNotCrash)
{
    // Random bytes, a folder named like a font, and the first part of a real font.
    std::ofstream(fp.dir.Path() / "fonts" / "noise.ttf", std::ios::binary)
        << std::string(4096, '\x5A') << "\x00\x01\x00\x00";
    std::filesystem::create_directories(fp.dir.Path() / "fonts" / "folder.ttf");
    const std::string real = kxtest::SystemFontPath("DejaVuSans.ttf");
    if (!real.empty()) {
        std::ifstream in(real, std::ios::binary);
        std::string head(30000, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(fp.dir.Path() / "fonts" / "cut.ttf", std::ios::binary) << head;
    }
    int effect = 0;
    for (const char *file : {"noise.ttf", "folder.ttf", "cut.ttf"}) {
        ++effect;
        const CFontData &font = fp.AddFont(file, file, 32, effect, true, effect % 2 == 0);
        Surface s(100, 100);
        CFontData style = Style(font);
        fonts->DrawText(s, "Ag\xE3\x81\x82", 5, 50, style);
        fonts->MeasureText("Ag", 5, 50, style);
    }
    // The noise and the folder are reported; the cut file may open and draw nothing useful.
    EXPECT_GE(fp.messages.Messages().size(), 2u);
}

TEST_F(FreeTypeFontTest, MissingGlyphsAreTheCharactersTheFaceLacks)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    KX_REQUIRE_FONT(fp, "ipag.ttf");
    const CFontData &sans = fp.AddFont("Sans", "DejaVuSans.ttf", 16);
    const CFontData &gothic = fp.AddFont("Gothic", "ipag.ttf", 16);
    // "A設定A設" and a line feed: each missing character once, in the order met.
    const std::string text = "A\xE8\xA8\xAD\xE5\xAE\x9A\nA\xE8\xA8\xAD";
    std::vector<std::uint32_t> missing {1};
    EXPECT_TRUE(fonts->FindMissingGlyphs(text, sans, missing));
    EXPECT_EQ(missing, (std::vector<std::uint32_t> {0x8A2D, 0x5B9A, 0x0A}));
    EXPECT_TRUE(fonts->FindMissingGlyphs(text, gothic, missing));
    EXPECT_EQ(missing, (std::vector<std::uint32_t> {0x0A}));
    // A face that cannot be had answers false, whatever the text.
    const CFontData &gone = fp.AddFont("Gone", "missing.ttf", 16);
    EXPECT_FALSE(fonts->FindMissingGlyphs("A", gone, missing));
    EXPECT_TRUE(missing.empty());
}

TEST_F(FreeTypeFontTest, CachedGlyphsGiveTheSamePixelsAsFreshOnes)
{
    KX_REQUIRE_FONT(fp, "ipag.ttf");
    const std::string text = "Ag\xE3\x80\x8C\xE3\x82\xA2\xE3\x83\xBC\xE3\x80\x82"; // Ag「アー。
    for (int effect = 0; effect <= 4; ++effect) {
        for (int variant = 0; variant < 8; ++variant) {
            const bool bold = variant & 1;
            const bool boldEffect = variant & 2;
            const bool vertical = variant & 4;
            SCOPED_TRACE(testing::Message() << "effect " << effect << " variant " << variant);
            const CFontData &font = fp.AddFont("F" + std::to_string(effect * 8 + variant),
                "ipag.ttf", 20, effect, bold, boldEffect);
            CFontData scaled = Style(font, kWhite, kRed, vertical);
            scaled.SetTransform({0.5, 0, 0, 1.5});
            const auto paint = [&](CFontData style) {
                Surface s(160, 200);
                fonts->DrawText(s, text, 40, 30, style);
                CFontData again = Style(font, kWhite, kRed, vertical);
                fonts->DrawText(s, text, 90, 60, again);
                return s;
            };
            fonts->SetGlyphCacheEnabled(true);
            paint(scaled); // fills the cache
            const Surface cached = paint(scaled);
            fonts->SetGlyphCacheEnabled(false);
            const Surface fresh = paint(scaled);
            EXPECT_TRUE(kxtest::SamePixels(fresh, cached));
        }
    }
}
