// The fixed word tables and the colour conversions. Every table is a constexpr array defined once
// here; the accessors hand out references to WordTable objects built over those arrays.
#include "model/vocabulary.h"

#include <array>
#include <cstdio>

namespace kx {

namespace {

// Folds ASCII letters only; bytes of 0x80 and above are never touched, whatever the locale.
unsigned char FoldAscii(unsigned char byte)
{
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<unsigned char>(byte - 'A' + 'a');
    return byte;
}

} // namespace

// ---- Multi-byte aware text helpers ----

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    std::size_t i = 0;
    while (i < a.size()) {
        const auto lead = static_cast<unsigned char>(a[i]);
        if (IsCp932LeadByte(lead) && i + 1 < a.size()) {
            // A double-byte character matches only byte for byte: its trail byte may lie in the
            // ASCII letter range, and folding it would confuse different characters.
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            i += 2;
            continue;
        }
        // A single byte, including a lead byte that ends the text without its trail byte.
        if (FoldAscii(lead) != FoldAscii(static_cast<unsigned char>(b[i])))
            return false;
        ++i;
    }
    return true;
}

// ---- Colours ----

namespace {

constexpr std::array<ColourRow, kNamedColourCount> kColourRows = {{
    {"BLACK", 0x00, 0x00, 0x00},
    {"BLUE", 0xFF, 0x00, 0x00},
    {"GREEN", 0x00, 0xFF, 0x00},
    {"RED", 0x00, 0x00, 0xFF},
    {"CYAN", 0xFF, 0xFF, 0x00},
    {"MAGENTA", 0xFF, 0x00, 0xFF},
    {"YELLOW", 0x00, 0xFF, 0xFF},
    {"WHITE", 0xFF, 0xFF, 0xFF},
    {"ORANGE", 0x00, 0x80, 0xFF},
    {"PINK", 0xC8, 0x80, 0xFF},
    {"PURPLE", 0x78, 0x00, 0xB4},
    {"SKYBLUE", 0xFA, 0xB4, 0x64},
    {"VIRIDIAN", 0x46, 0x96, 0x00},
    {"GRAY", 0x78, 0x78, 0x78},
    {"SILVER", 0xC8, 0xC8, 0xC8},
    {"TRANSPARENT", 0x87, 0x00, 0x87},
}};

constexpr std::string_view kComponentPrefix = "RGB(";
constexpr const char *kComponentFormat = "RGB(0x%x,0x%x,0x%x)";

std::string PrefixedName(const ColourRow &row)
{
    return std::string(kColourPrefix) + row.name;
}

} // namespace

std::span<const ColourRow> NamedColours()
{
    return kColourRows;
}

std::uint32_t ColourDrawingValue(const ColourRow &row)
{
    return static_cast<std::uint32_t>(row.c1) * 65536u + static_cast<std::uint32_t>(row.c2) * 256u
        + static_cast<std::uint32_t>(row.c3);
}

ColourParts ColourFromText(std::string_view text)
{
    ColourParts parts;
    if (text.starts_with(kComponentPrefix)) {
        // sscanf needs a terminated text, and a string_view need not be one. Components read
        // before a mismatch keep their values; the rest stay 0.
        const std::string copy(text);
        std::sscanf(copy.c_str(), kComponentFormat, &parts.c1, &parts.c2, &parts.c3);
        parts.index = kComponentColourIndex;
        return parts;
    }

    const std::string_view prefix = kColourPrefix;
    const std::string_view candidate = text.starts_with(prefix) ? text.substr(prefix.size()) : text;
    for (int i = 0; i < kNamedColourCount; ++i) {
        const ColourRow &row = kColourRows[static_cast<std::size_t>(i)];
        if (EqualsNoCase(candidate, row.name)) {
            parts.index = i;
            parts.c1 = row.c1;
            parts.c2 = row.c2;
            parts.c3 = row.c3;
            return parts;
        }
    }
    // Unknown text: a component colour of black.
    return parts;
}

ColourText TextFromComponents(unsigned c1, unsigned c2, unsigned c3)
{
    // Only the low eight bits decide whether a named colour is meant; a name is written then.
    const unsigned k1 = c1 & 0xFFu;
    const unsigned k2 = c2 & 0xFFu;
    const unsigned k3 = c3 & 0xFFu;
    for (int i = 0; i < kNamedColourCount; ++i) {
        const ColourRow &row = kColourRows[static_cast<std::size_t>(i)];
        if (row.c1 == k1 && row.c2 == k2 && row.c3 == k3)
            return {i, PrefixedName(row)};
    }

    // No name fits: the component form keeps the values exactly as given.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, kComponentFormat, c1, c2, c3);
    return {kComponentColourIndex, buffer};
}

std::uint32_t TextFromIndex(int index, std::string &text)
{
    if (index < 0 || index >= kNamedColourCount)
        return 0;
    const ColourRow &row = kColourRows[static_cast<std::size_t>(index)];
    text = PrefixedName(row);
    return ColourDrawingValue(row);
}

std::string NormaliseColourText(std::string_view text)
{
    if (text.starts_with(kColourPrefix) || text.starts_with(kComponentPrefix))
        return std::string(text);
    return std::string(kColourPrefix) + std::string(text);
}

std::uint32_t DrawingValueOfName(std::string_view name)
{
    for (const ColourRow &row : kColourRows) {
        if (name == row.name)
            return ColourDrawingValue(row);
    }
    return 0;
}

// ---- Word tables ----

int WordTable::Find(std::string_view word) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (EqualsNoCase(word, m_rows[i].word))
            return static_cast<int>(i);
    }
    return -1;
}

int WordTable::Match(std::string_view word, int current) const
{
    const int found = Find(word);
    return found >= 0 ? found : current;
}

const char *WordTable::Word(int index) const
{
    if (index < 0 || index >= Count())
        return "";
    return m_rows[static_cast<std::size_t>(index)].word;
}

const char *WordTable::Constant(int index) const
{
    if (index < 0 || index >= Count())
        return "";
    return m_rows[static_cast<std::size_t>(index)].constant;
}

int WordTable::Value(int index) const
{
    if (index < 0 || index >= Count())
        return 0;
    return m_rows[static_cast<std::size_t>(index)].value;
}

namespace {

constexpr WordRow kObjectStateRows[] = {
    {"Normal", "KX_ATTR_NORMAL", 0},
    {"Disable", "KX_ATTR_DISABLE", 1},
    {"Active", "KX_ATTR_ACTIVE", 2},
    {"Focus", "KX_ATTR_FOCUS", 3},
    {"Down", "KX_ATTR_DOWN", 4},
    {"ActDown", "KX_ATTR_ACTDOWN", 5},
    {"Hide", "KX_ATTR_HIDE", 6},
};

// Button slots are named in generated code by the object-state constant of the same index; the
// edit box uses the first four of them.
constexpr WordRow kButtonSlotRows[] = {
    {"Normal", "KX_ATTR_NORMAL", 0},
    {"Disable", "KX_ATTR_DISABLE", 1},
    {"Active", "KX_ATTR_ACTIVE", 2},
    {"Focus", "KX_ATTR_FOCUS", 3},
    {"Push", "KX_ATTR_DOWN", 4},
    {"ActPush", "KX_ATTR_ACTDOWN", 5},
};
constexpr std::size_t kEditBoxSlotCount = 4;

constexpr WordRow kFrameSlotRows[] = {
    {"Top", "KX_ATTR_TOP", 0},
    {"Middle", "KX_ATTR_MIDDLE", 1},
    {"Bottom", "KX_ATTR_BOTTOM", 2},
};

constexpr WordRow kAlignXRows[] = {
    {"Center", "KX_ALIGN_CENTER", 0},
    {"Left", "KX_ALIGN_LEFT", 1},
    {"Right", "KX_ALIGN_RIGHT", 2},
};

// Vertical centring adds no bit to the alignment word; Top and Bottom are flags.
constexpr WordRow kAlignYRows[] = {
    {"Top", "KX_ALIGN_TOP", 4},
    {"Middle", "KX_ALIGN_MIDDLE", 0},
    {"Bottom", "KX_ALIGN_BOTTOM", 8},
};

// Normal stretching has no constant of its own: generated code writes nothing for it.
constexpr WordRow kStretchRows[] = {
    {"Normal", "", 0x00},
    {"X-Stretch", "KX_ALIGN_XSTRETCH", 0x10},
    {"Y-Stretch", "KX_ALIGN_YSTRETCH", 0x20},
    {"XY-Stretch", "KX_ALIGN_STRETCH", 0x30},
    {"NoClip", "KX_ALIGN_NOCLIP", 0x80},
};

constexpr WordRow kFontEffectRows[] = {
    {"FONT_EFFECT_NORMAL", "FONT_EFFECT_NORMAL", 0},
    {"FONT_EFFECT_SHADOW", "FONT_EFFECT_SHADOW", 1},
    {"FONT_EFFECT_OUTLINE", "FONT_EFFECT_OUTLINE", 2},
    {"FONT_EFFECT_SHADOW_OUTLINE", "FONT_EFFECT_SHADOW_OUTLINE", 3},
    {"FONT_EFFECT_STROKE", "FONT_EFFECT_STROKE", 4},
};

constexpr WordRow kObjectTypeRows[] = {
    {"Button", "", 0},
    {"Editbox", "", 1},
    {"Frame", "", 2},
    {"Picture", "", 3},
    {"Icon", "", 4},
    {"Movie", "", 5},
    {"Canvas", "", 6},
    {"Text", "", 7},
    {"Group", "", 8},
};

constexpr WordTable kObjectStates {kObjectStateRows};
constexpr WordTable kButtonSlots {kButtonSlotRows};
constexpr WordTable kEditBoxSlots {
    std::span<const WordRow>(kButtonSlotRows).first(kEditBoxSlotCount)};
constexpr WordTable kFrameSlots {kFrameSlotRows};
constexpr WordTable kAlignX {kAlignXRows};
constexpr WordTable kAlignY {kAlignYRows};
constexpr WordTable kStretch {kStretchRows};
constexpr WordTable kFontEffects {kFontEffectRows};
constexpr WordTable kObjectTypes {kObjectTypeRows};

static_assert(std::size(kButtonSlotRows) == kMaxImageSlots);

} // namespace

const WordTable &ObjectStates()
{
    return kObjectStates;
}

const WordTable &AlignXWords()
{
    return kAlignX;
}

const WordTable &AlignYWords()
{
    return kAlignY;
}

const WordTable &StretchWords()
{
    return kStretch;
}

const WordTable &FontEffects()
{
    return kFontEffects;
}

const WordTable &ObjectTypes()
{
    return kObjectTypes;
}

const WordTable &ImageSlotWords(int imageType)
{
    switch (imageType) {
    case 1:
        return kEditBoxSlots;
    case 2:
        return kFrameSlots;
    default:
        // Type 0 and any unknown type use the button slots.
        return kButtonSlots;
    }
}

int AlignmentWord(int alignX, int alignY, int stretch)
{
    return kAlignX.Value(alignX) | kAlignY.Value(alignY) | kStretch.Value(stretch);
}

// ---- Switches ----

const char *SwitchWord(bool on)
{
    return on ? "ON" : "OFF";
}

bool SwitchFromText(std::string_view text)
{
    return EqualsNoCase(text, "ON");
}

} // namespace kx
