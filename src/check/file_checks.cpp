// Files and what is in them: font files FreeType must open, pictures that must decode, and the
// glyphs that the texts need from their fonts.
#include "check/check_run.h"

#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/text_conversion.h"
#include "render/text_layout.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

namespace kx {

namespace {

// Characters named in one message at most; the rest are counted.
constexpr std::size_t kCharactersShown = 8;

bool IsRegularFile(const std::string &path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

// A font definition without a file name names its file by its own name.
const std::string &FontFile(const CFontData &font)
{
    return font.File().empty() ? font.Name() : font.File();
}

void AppendUtf8(std::string &out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// "\"設\" (U+8A2D), U+000A, ... and 3 more": printable characters are shown themselves as well.
std::string DescribeCharacters(const std::vector<std::uint32_t> &characters)
{
    std::string text;
    for (std::size_t i = 0; i < characters.size() && i < kCharactersShown; ++i) {
        const std::uint32_t c = characters[i];
        if (i > 0)
            text += ", ";
        const bool printable = c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0)
            && !(c >= 0xD800 && c < 0xE000) && c <= 0x10FFFF;
        if (printable) {
            text += '"';
            AppendUtf8(text, c);
            text += "\" ";
        }
        char code[16];
        std::snprintf(code, sizeof code, printable ? "(U+%04X)" : "U+%04X", c);
        text += code;
    }
    if (characters.size() > kCharactersShown)
        text += " and " + std::to_string(characters.size() - kCharactersShown) + " more";
    return text;
}

// "font \"FSans16\" (DejaVuSans.ttf)"
std::string FontLabel(const CFontData &font)
{
    return "font " + Quoted(font.Name()) + " (" + Quoted(FontFile(font)) + ")";
}

} // namespace

void CheckRun::CheckFonts()
{
    std::vector<std::uint32_t> ignored;
    for (const auto &font : m_project.Fonts()) {
        bool &usable = m_usableFonts[font.get()];
        const std::string &file = FontFile(*font);
        const std::string shown = Quoted("fonts/" + file);
        if (!StaysInFolder(file)) {
            Report(At(*font), Severity::kError, ProblemKind::kUnsafeFileName,
                "font file " + Quoted(file) + " of font definition " + Quoted(font->Name())
                    + " leads out of the project's fonts folder");
        } else if (!IsRegularFile(m_project.FontPath(file))) {
            Report(At(*font), Severity::kError, ProblemKind::kMissingFile,
                "font file " + shown + " of font definition " + Quoted(font->Name())
                    + " does not exist");
        } else if (!m_fonts.FindMissingGlyphs({}, *font, ignored)) {
            Report(At(*font), Severity::kError, ProblemKind::kUnusableFont,
                "font file " + shown + " of font definition " + Quoted(font->Name())
                    + " is not a font that FreeType can use with Unicode characters");
        } else if (font->Size() < 1 || font->Size() > CFreeTypeFont::kMaxSize) {
            Report(At(*font), Severity::kError, ProblemKind::kUnusableFont,
                "font definition " + Quoted(font->Name()) + " has the size "
                    + std::to_string(font->Size()) + "; sizes from 1 to "
                    + std::to_string(CFreeTypeFont::kMaxSize) + " pixels can be drawn");
        } else {
            usable = true;
        }
    }
}

void CheckRun::CheckImageDefinitions()
{
    for (const auto &image : m_project.Images()) {
        const std::string &font = image->FontName();
        if (!font.empty() && !m_project.Fonts().FindByName(font))
            Report(At(*image), Severity::kError, ProblemKind::kUnknownReference,
                "image definition " + Quoted(image->Name()) + " names font definition "
                    + Quoted(font) + ", which does not exist");
        const WordTable &slots = ImageSlotWords(image->Type());
        for (int slot = 0; slot < slots.Count(); ++slot) {
            if (!image->SlotFile(slot).empty())
                CheckPictureFile(image->SlotFile(slot), At(*image),
                    "image definition " + Quoted(image->Name()) + " (" + slots.Word(slot) + ")");
        }
    }
}

const IPicture *CheckRun::CheckPictureFile(
    std::string_view file, Problem where, std::string_view owner)
{
    const std::string of = " of " + std::string(owner);
    if (!StaysInFolder(file)) {
        Report(std::move(where), Severity::kError, ProblemKind::kUnsafeFileName,
            "picture file " + Quoted(file) + of + " leads out of the project's resources folder");
        return nullptr;
    }
    const std::string shown = "picture file " + Quoted("resources/" + std::string(file)) + of;
    if (!IsRegularFile(m_project.ImagePath(file))) {
        Report(std::move(where), Severity::kError, ProblemKind::kMissingFile,
            shown + " does not exist");
        return nullptr;
    }
    const IPicture *picture = DecodedPicture(file);
    if (!picture)
        Report(std::move(where), Severity::kError, ProblemKind::kUndecodablePicture,
            shown + " is not a PNG or GIF picture that can be decoded");
    return picture;
}

std::vector<std::uint32_t> CheckRun::MissingGlyphs(std::string_view cp932, const CFontData &font)
{
    std::vector<std::uint32_t> missing;
    std::vector<std::uint32_t> ofLine;
    for (const std::string_view line : SplitTextLines(cp932)) {
        m_fonts.FindMissingGlyphs(ToUtf8(line), font, ofLine);
        for (const std::uint32_t c : ofLine) {
            if (std::find(missing.begin(), missing.end(), c) == missing.end())
                missing.push_back(c);
        }
    }
    return missing;
}

void CheckRun::CheckGlyphs(
    std::string_view cp932, const CFontData &font, Problem where, std::string_view what)
{
    if (cp932.empty() || !IsUsable(&font))
        return;
    const std::vector<std::uint32_t> missing = MissingGlyphs(cp932, font);
    if (!missing.empty())
        Report(std::move(where), Severity::kError, ProblemKind::kMissingGlyph,
            std::string(what) + " has characters that " + FontLabel(font)
                + " has no glyph for: " + DescribeCharacters(missing));
}

void CheckRun::CheckTitle(const CKXDialogData &dialog)
{
    if (dialog.Title().empty())
        return;
    std::vector<const CFontData *> fonts = m_dialogFonts;
    if (fonts.empty() && !m_project.Fonts().IsEmpty() && IsUsable(m_project.Fonts().At(0)))
        fonts.push_back(m_project.Fonts().At(0));
    if (fonts.empty())
        return;
    // A character counts as missing when no font of the dialog has it.
    std::vector<std::uint32_t> missing = MissingGlyphs(dialog.Title(), *fonts.front());
    for (std::size_t i = 1; i < fonts.size() && !missing.empty(); ++i) {
        const std::vector<std::uint32_t> alsoMissing = MissingGlyphs(dialog.Title(), *fonts[i]);
        std::erase_if(missing, [&](std::uint32_t c) {
            return std::find(alsoMissing.begin(), alsoMissing.end(), c) == alsoMissing.end();
        });
    }
    if (missing.empty())
        return;
    std::string fontsText;
    for (const CFontData *font : fonts)
        fontsText += (fontsText.empty() ? "" : ", ") + Quoted(font->Name());
    Report(At(dialog), Severity::kError, ProblemKind::kMissingGlyph,
        "the title of dialog " + Quoted(dialog.Name()) + " has characters that "
            + (fonts.size() == 1 ? FontLabel(*fonts.front()) + " has no glyph for: "
                                 : "none of the dialog's fonts " + fontsText + " has a glyph for: ")
            + DescribeCharacters(missing));
}

} // namespace kx
