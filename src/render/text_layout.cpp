#include "render/text_layout.h"

#include "model/font_data.h"
#include "model/vocabulary.h"
#include "platform/text_conversion.h"
#include "render/freetype_font.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace kx {

namespace {

using Int = std::int64_t;

// Inputs from the model are held within this range, and pens computed from them are brought
// back into int range with it; that far out nothing is visible anyway.
constexpr Int kFar = Int {1} << 24;

Int Bound(Int v)
{
    return std::clamp(v, -kFar, kFar);
}

int Pen(Int v)
{
    return static_cast<int>(std::clamp(v, -(Int {1} << 30), Int {1} << 30));
}

// a / b as a real ratio; 1 when there is nothing to divide by, so an empty measurement is drawn
// unscaled instead of with a matrix of infinities.
double Ratio(Int a, Int b)
{
    return b > 0 ? static_cast<double>(a) / static_cast<double>(b) : 1.0;
}

// a / b truncated toward zero, with b taken as 1 when it is not positive.
Int Divide(Int a, Int b)
{
    return a / std::max<Int>(b, 1);
}

enum class Horizontal { kCentre, kLeft, kRight };
enum class Vertical { kMiddle, kTop, kBottom };

Horizontal HorizontalOf(int align)
{
    switch (align & kAlignHorizontalMask) {
    case kAlignLeftValue:
        return Horizontal::kLeft;
    case kAlignRightValue:
        return Horizontal::kRight;
    default:
        return Horizontal::kCentre;
    }
}

Vertical VerticalOf(int align)
{
    if (align & kAlignTopBit)
        return Vertical::kTop;
    if (align & kAlignBottomBit)
        return Vertical::kBottom;
    return Vertical::kMiddle;
}

// The rectangle and margins in 64-bit arithmetic, bounded.
struct Room {
    Int x, y, w, h, mX, mY;
    Horizontal horizontal;
    Vertical vertical;
    int align;
};

// Baseline of the first line of a block P pixels high.
Int FirstBaseline(const Room &r, Int blockHeight, Int ascender)
{
    switch (r.vertical) {
    case Vertical::kTop:
        return r.y + r.mY + ascender;
    case Vertical::kBottom:
        return r.y + r.h - blockHeight - r.mY + ascender;
    case Vertical::kMiddle:
        break;
    }
    return r.y + (r.h - blockHeight) / 2 + ascender;
}

// Pen x of a line lineWidth pixels wide.
Int LineX(const Room &r, Int lineWidth)
{
    switch (r.horizontal) {
    case Horizontal::kLeft:
        return r.x + r.mX;
    case Horizontal::kRight:
        return r.x + r.w - r.mX - lineWidth;
    case Horizontal::kCentre:
        break;
    }
    return r.x + (r.w - lineWidth) / 2;
}

// Pen x of the first (rightmost) column of a block N pixels wide, O being half a column.
Int FirstColumnX(const Room &r, Int blockWidth, Int halfColumn)
{
    switch (r.horizontal) {
    case Horizontal::kLeft:
        return r.x + r.mX + blockWidth - halfColumn;
    case Horizontal::kRight:
        return r.x + r.w - r.mX - halfColumn;
    case Horizontal::kCentre:
        break;
    }
    return r.x + (r.w - blockWidth) / 2 + blockWidth - halfColumn;
}

// Pen y of a column columnHeight pixels high.
Int ColumnY(const Room &r, Int columnHeight)
{
    switch (r.vertical) {
    case Vertical::kTop:
        return r.y + r.mY;
    case Vertical::kBottom:
        return r.y + r.h - r.mY - columnHeight;
    case Vertical::kMiddle:
        break;
    }
    return r.y + (r.h - columnHeight) / 2;
}

// Where a line is drawn: its pen and the matrix it is drawn with.
struct LinePen {
    Int x;
    Int y;
    CFontData::Matrix matrix;
};

// Draws the lines of one object's text with one working style.
class TextBlock {
public:
    TextBlock(CFreeTypeFont &fonts, Surface &surface, CFontData &style,
        const std::vector<std::string> &lines, int lineHeight, int ascender)
        : m_fonts(fonts)
        , m_surface(surface)
        , m_style(style)
        , m_lines(lines)
        , m_lineHeight(lineHeight)
        , m_ascender(ascender)
    { }

    void DrawWithoutRoom(const Room &r);
    void DrawHorizontal(const Room &r);
    void DrawHorizontalStretched(const Room &r);
    void DrawVertical(const Room &r);
    void DrawVerticalStretched(const Room &r);
    // The block's lines are laid out as they would be drawn, and only their pens are noted.
    void ProbeInto(std::vector<LinePen> *pens) { m_pens = pens; }

private:
    Int Count() const { return static_cast<Int>(m_lines.size()); }
    Int LineStep() const { return Int {m_lineHeight} + kLineGap; }
    // Size of a line as measured with the identity matrix.
    KXRect Measure(std::string_view line)
    {
        m_style.SetTransform(CFontData::kIdentity);
        return m_fonts.MeasureText(line, 0, 0, m_style);
    }
    void Draw(const std::string &line, Int x, Int y)
    {
        if (m_pens)
            m_pens->push_back({x, y, m_style.Transform()});
        else
            m_fonts.DrawText(m_surface, line, Pen(x), Pen(y), m_style);
    }
    // The identity when nothing is scaled, else a horizontal and a vertical scale.
    void SetScale(bool unscaled, double sx, double sy)
    {
        m_style.SetTransform(unscaled ? CFontData::kIdentity : CFontData::Matrix {sx, 0, 0, sy});
    }
    // Height of a horizontal block: one line is as high as "y)" measures, several are spaced.
    Int BlockHeight()
    {
        if (Count() == 1)
            return Measure("y)").Height();
        return Count() * LineStep() - kLineGap;
    }
    Int Size() const { return m_style.Size(); }
    Int BlockWidth() const
    {
        return Count() == 1 ? Size() : Count() * (Size() + kLineGap) - kLineGap;
    }
    Int HalfColumn() const { return (Size() + 1) / 2; }

    CFreeTypeFont &m_fonts;
    Surface &m_surface;
    CFontData &m_style;
    const std::vector<std::string> &m_lines;
    int m_lineHeight;
    int m_ascender;
    std::vector<LinePen> *m_pens = nullptr;
};

void TextBlock::DrawWithoutRoom(const Room &r)
{
    for (Int j = 0; j < Count(); ++j)
        Draw(m_lines[j], r.x, r.y + m_ascender + j * LineStep());
}

void TextBlock::DrawHorizontal(const Room &r)
{
    const Int first = FirstBaseline(r, BlockHeight(), m_ascender);
    for (Int j = 0; j < Count(); ++j) {
        const Int width = Measure(m_lines[j]).Width();
        Draw(m_lines[j], LineX(r, width), first + j * LineStep());
    }
}

void TextBlock::DrawHorizontalStretched(const Room &r)
{
    const Int block = BlockHeight();
    const Int roomHeight = r.h - 2 * r.mY;
    Int rows = block;
    Int baseline = 0;
    if (block >= roomHeight) {
        if (r.align & kAlignYStretchBit) {
            rows = roomHeight;
            baseline = r.y + r.mY + Divide(rows * m_ascender, block);
        } else {
            baseline = r.y + r.mY + m_ascender;
        }
    } else {
        baseline = FirstBaseline(r, block, m_ascender);
    }
    const Int roomWidth = r.w - 2 * r.mX;
    for (const std::string &line : m_lines) {
        const Int width = Measure(line).Width();
        Int x = r.x + r.mX;
        Int target = width;
        if (width < roomWidth)
            x = LineX(r, width);
        else if (r.align & kAlignXStretchBit)
            target = roomWidth;
        SetScale(target == width && rows == block, Ratio(target, width), Ratio(rows, block));
        Draw(line, x, baseline);
        baseline += block > 0 ? LineStep() * rows / block : LineStep();
    }
}

void TextBlock::DrawVertical(const Room &r)
{
    const Int first = FirstColumnX(r, BlockWidth(), HalfColumn());
    for (Int j = 0; j < Count(); ++j) {
        const Int height = Measure(m_lines[j]).Height();
        Draw(m_lines[j], first - j * (2 * HalfColumn() + kLineGap), ColumnY(r, height));
    }
}

void TextBlock::DrawVerticalStretched(const Room &r)
{
    const Int block = BlockWidth();
    const Int half = HalfColumn();
    const Int roomWidth = r.w - 2 * r.mX;
    Int columns = block;
    Int x = 0;
    if (block < roomWidth) {
        x = FirstColumnX(r, block, half);
    } else if (r.align & kAlignXStretchBit) {
        columns = roomWidth;
        x = r.x + r.w - r.mX - Divide(half * columns, block);
    } else {
        x = r.x + r.w - half - r.mX;
    }
    const Int roomHeight = r.h - 2 * r.mY;
    for (const std::string &line : m_lines) {
        const Int height = Measure(line).Height();
        Int y = r.y + r.mY;
        Int target = height;
        if (height < roomHeight)
            y = ColumnY(r, height);
        else if (r.align & kAlignYStretchBit)
            target = roomHeight;
        SetScale(
            target == height && columns == block, Ratio(columns, block), Ratio(target, height));
        Draw(line, x, y);
        x += Divide((half + 5) * columns * -2, block);
    }
}

// Lays the block out by the rule the room and the alignment call for.
void Lay(TextBlock &block, const Room &room, const TextPlacement &place)
{
    if (2 * room.mY >= room.h || 2 * room.mX >= room.w) {
        block.DrawWithoutRoom(room);
        return;
    }
    const bool stretch = place.align & (kAlignXStretchBit | kAlignYStretchBit);
    if (place.vertical)
        stretch ? block.DrawVerticalStretched(room) : block.DrawVertical(room);
    else
        stretch ? block.DrawHorizontalStretched(room) : block.DrawHorizontal(room);
}

} // namespace

std::vector<std::string_view> SplitTextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.empty())
        return lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsCp932LeadByte(byte) && i + 1 < text.size()) {
            i += 2;
            continue;
        }
        if (byte == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            lines.push_back(text.substr(start, i - start));
            i += 2;
            start = i;
            // The text after the last cut allowed is dropped.
            if (lines.size() == static_cast<std::size_t>(kMaxTextLines))
                return lines;
            continue;
        }
        ++i;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void DrawObjectText(CFreeTypeFont &fonts, Surface &surface, std::string_view text,
    const CFontData &font, const TextPlacement &place)
{
    if (text.empty())
        return;
    std::vector<std::string> lines;
    for (std::string_view line : SplitTextLines(text))
        lines.push_back(ToUtf8(line));

    CFontData style(font);
    style.SetMainColour(place.mainColour);
    style.SetSubColour(place.subColour);
    style.SetVertical(place.vertical);
    style.SetTransform(CFontData::kIdentity);

    int lineHeight = 0;
    int ascender = 0;
    // Without a face nothing could be drawn; without metrics nothing could be placed.
    if (!fonts.GetMetrics(style, nullptr, &lineHeight, &ascender, nullptr))
        return;
    lineHeight = static_cast<int>(Bound(lineHeight));
    ascender = static_cast<int>(Bound(ascender));

    const Room room {Bound(place.x), Bound(place.y), Bound(place.width), Bound(place.height),
        Bound(place.marginX), Bound(place.marginY), HorizontalOf(place.align),
        VerticalOf(place.align), place.align};
    TextBlock block(fonts, surface, style, lines, lineHeight, ascender);
    Lay(block, room, place);
    // Nothing to undo for the clip: the preview never sets one, with or without "NoClip".
}

TextCaret TextCaretBox(CFreeTypeFont &fonts, std::string_view text, std::size_t caret,
    const CFontData &font, const TextPlacement &place)
{
    std::vector<std::string_view> parts = SplitTextLines(text);
    if (parts.empty())
        parts.push_back(text);
    // The line that holds the caret, and how much of it lies before the caret; a caret in a part
    // dropped after the last line stays at that line's end.
    std::size_t line = parts.size() - 1;
    std::size_t before = parts.back().size();
    for (std::size_t j = 0; j < parts.size(); ++j) {
        const auto start = static_cast<std::size_t>(parts[j].data() - text.data());
        if (caret <= start + parts[j].size()) {
            line = j;
            before = caret > start ? caret - start : 0;
            break;
        }
    }
    std::vector<std::string> lines;
    for (std::string_view part : parts)
        lines.push_back(ToUtf8(part));

    CFontData style(font);
    style.SetMainColour(place.mainColour);
    style.SetSubColour(place.subColour);
    style.SetVertical(place.vertical);
    style.SetTransform(CFontData::kIdentity);
    int lineHeight = 0;
    int ascender = 0;
    if (!fonts.GetMetrics(style, nullptr, &lineHeight, &ascender, nullptr))
        return {};
    lineHeight = static_cast<int>(Bound(lineHeight));
    ascender = static_cast<int>(Bound(ascender));

    const Room room {Bound(place.x), Bound(place.y), Bound(place.width), Bound(place.height),
        Bound(place.marginX), Bound(place.marginY), HorizontalOf(place.align),
        VerticalOf(place.align), place.align};
    Surface none;
    std::vector<LinePen> pens;
    TextBlock block(fonts, none, style, lines, lineHeight, ascender);
    block.ProbeInto(&pens);
    Lay(block, room, place);
    if (line >= pens.size())
        return {};
    const LinePen &pen = pens[line];

    // How far the pen moves over the characters before the caret, with the line's own scale: a
    // bar measured after them, less the bar alone, so that blanks count too.
    style.SetTransform(pen.matrix);
    const std::string prefix = ToUtf8(parts[line].substr(0, before));
    const KXRect bar = fonts.MeasureText("|", 0, 0, style);
    const KXRect after = prefix.empty() ? bar : fonts.MeasureText(prefix + "|", 0, 0, style);
    const double scaleY = pen.matrix[3] > 0 ? pen.matrix[3] : 1.0;
    TextCaret result;
    result.colour = place.mainColour;
    if (place.vertical) {
        const Int y = pen.y + (Int {after.bottom} - bar.bottom);
        const Int half = (Int {style.Size()} + 1) / 2;
        result.box = {Pen(pen.x - half), Pen(y), Pen(pen.x + half), Pen(y + 1)};
    } else {
        const Int x = pen.x + (Int {after.right} - bar.right);
        const Int top = pen.y - static_cast<Int>(ascender * scaleY);
        result.box = {Pen(x), Pen(top), Pen(x + 1),
            Pen(top + std::max<Int>(1, static_cast<Int>(lineHeight * scaleY)))};
    }
    return result;
}

} // namespace kx
