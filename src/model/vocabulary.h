// The fixed word tables of the project: colours, object states, image slots, alignments, stretch
// modes, font effects, object types and the ON/OFF switch. Each table exists once here; the
// project file, the property panel, the generators and the preview all read from it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kx {

// ---- Multi-byte aware text helpers (texts in memory are CP932) ----

// True when the byte starts a double-byte character of code page 932.
bool IsCp932LeadByte(unsigned char byte);

// Compares two CP932 texts without regard to the case of ASCII letters. A double-byte character
// is compared as a unit, so its trail byte is never folded as if it were a letter.
bool EqualsNoCase(std::string_view a, std::string_view b);

// ---- Colours ----

struct ColourRow {
    const char *name; // bare name, for example "WHITE"
    std::uint8_t c1; // blue component of the preview
    std::uint8_t c2; // green component
    std::uint8_t c3; // red component
};

inline constexpr int kNamedColourCount = 16;
// Index that stands for a colour given by its components ("RGB(0x..,0x..,0x..)").
inline constexpr int kComponentColourIndex = 16;
inline constexpr const char *kColourPrefix = "KX_COL_";

std::span<const ColourRow> NamedColours();

// Drawing value c1 * 65536 + c2 * 256 + c3: a 0x00BBGGRR colour with red in the lowest byte.
std::uint32_t ColourDrawingValue(const ColourRow &row);

struct ColourParts {
    int index = kComponentColourIndex;
    unsigned c1 = 0;
    unsigned c2 = 0;
    unsigned c3 = 0;
};

// Takes a colour text apart: the component form, a prefixed name or a bare name.
ColourParts ColourFromText(std::string_view text);

struct ColourText {
    int index = kComponentColourIndex;
    std::string text;
};

// Turns three components back into a colour text: the prefixed name when the low eight bits of
// the components match a named colour, else the component form with the full values.
ColourText TextFromComponents(unsigned c1, unsigned c2, unsigned c3);

// For index 0..15 sets text to the prefixed name and answers the drawing value; for any other
// index leaves text unchanged and answers 0.
std::uint32_t TextFromIndex(int index, std::string &text);

// Background colours read from a project file: a text that begins with "KX_COL_" or "RGB(" is
// kept, anything else gets "KX_COL_" in front.
std::string NormaliseColourText(std::string_view text);

// Drawing value of a bare colour name, matched exactly (case-sensitive); 0 (black) when unknown.
std::uint32_t DrawingValueOfName(std::string_view name);

// ---- Word tables ----

// A row of a word table: the word of the project file and panel, the constant that generated
// code writes (empty where the library has none) and the value the preview uses.
struct WordRow {
    const char *word;
    const char *constant;
    int value;
};

// An ordered word table. The stored model value is the row index.
class WordTable {
public:
    constexpr explicit WordTable(std::span<const WordRow> rows)
        : m_rows(rows)
    { }

    int Count() const { return static_cast<int>(m_rows.size()); }
    std::span<const WordRow> Rows() const { return m_rows; }

    // Index of the row whose word equals the text without regard to case; -1 when none does.
    int Find(std::string_view word) const;
    // Like Find, but keeps the current index when nothing matches: an unknown word in a file
    // leaves the stored value as it was.
    int Match(std::string_view word, int current) const;

    // Word, constant or value of a row; an empty text (or 0) for an index out of range.
    const char *Word(int index) const;
    const char *Constant(int index) const;
    int Value(int index) const;

private:
    std::span<const WordRow> m_rows;
};

const WordTable &ObjectStates(); // "Attr": Normal .. Hide, with KX_ATTR_* constants
const WordTable &AlignXWords(); // Center, Left, Right
const WordTable &AlignYWords(); // Top, Middle, Bottom
const WordTable &StretchWords(); // Normal, X-Stretch, Y-Stretch, XY-Stretch, NoClip
const WordTable &FontEffects(); // FONT_EFFECT_* (the word is the constant)
const WordTable &ObjectTypes(); // Button .. Group

// Image slot words of an image definition of the given type (0 button, 1 edit box, 2 frame).
// Frame slots carry the KX_ATTR_TOP/MIDDLE/BOTTOM constants; button and edit-box slots are named
// in generated code by the object-state constant of the same index.
const WordTable &ImageSlotWords(int imageType);
inline constexpr int kMaxImageSlots = 6;

// Alignment word of the preview: horizontal | vertical | stretch values.
int AlignmentWord(int alignX, int alignY, int stretch);

// ---- Switches ----

const char *SwitchWord(bool on); // "ON" or "OFF"
bool SwitchFromText(std::string_view text); // "ON" without regard to case; anything else is off

} // namespace kx
