#include "codegen/code_names.h"

#include "model/names.h"
#include "platform/save_file.h"
#include "platform/text_conversion.h"

#include <algorithm>
#include <cstdio>

namespace kx {

namespace {

// Names longer than this are cut in messages.
constexpr std::size_t kShownLength = 60;

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// What a byte that may not stand in a quoted text is, for the message.
std::string Describe(unsigned char c)
{
    if (c == '\\')
        return "a backslash";
    return ForbiddenCharacter(std::string_view(reinterpret_cast<const char *>(&c), 1));
}

std::string Problem(std::string_view what, std::string_view name, std::string_view why)
{
    return std::string(what) + " name \"" + PrintableName(name) + "\" " + std::string(why);
}

// The identifier rule's answer for name, in the words of the rule, with the character that
// broke it when there is one.
std::string RuleProblem(std::string_view what, std::string_view name, NameUse use)
{
    // An empty name (a reference to no font, for one) writes nothing that could be code.
    if (name.empty())
        return {};
    const NameFault fault = IdentifierNameFault(name, use, NameLetters::kAsciiAndOthers);
    if (fault == NameFault::kNone)
        return {};
    std::string why = std::string("is not an identifier: ") + NameFaultText(fault);
    if (fault == NameFault::kBadCharacter)
        why += "; it holds " + ForbiddenCharacter(name, NameLetters::kAsciiAndOthers);
    return Problem(what, name, why);
}

} // namespace

std::string IdentifierProblem(std::string_view what, std::string_view name)
{
    return RuleProblem(what, name, NameUse::kIdentifier);
}

std::string IdentifierTailProblem(std::string_view what, std::string_view name)
{
    return RuleProblem(what, name, NameUse::kTail);
}

std::string LiteralProblem(std::string_view what, std::string_view name)
{
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\' || IsControl(c)) {
            return Problem(what, name, "cannot be written in quotes: it holds " + Describe(c));
        }
    }
    return {};
}

std::string TextLiteralProblem(std::string_view object, std::string_view cp932Text)
{
    // No trail byte of a CP932 character is a control character, so bytes can be tested alone.
    for (const char ch : cp932Text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsControl(c)) {
            return "the text of object \"" + PrintableName(object)
                + "\" cannot be written in quotes: it holds " + Describe(c);
        }
    }
    return {};
}

std::string ColourExpressionProblem(std::string_view what, std::string_view expression)
{
    constexpr std::string_view kConstant = "KX_COL_";
    constexpr std::string_view kComponents = "RGB(";
    if (expression.starts_with(kConstant))
        return IdentifierTailProblem(what, expression.substr(kConstant.size()));
    if (expression.starts_with(kComponents) && expression.ends_with(')')) {
        const std::string_view inside
            = expression.substr(kComponents.size(), expression.size() - kComponents.size() - 1);
        for (const char ch : inside) {
            const auto c = static_cast<unsigned char>(ch);
            if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != ',' && c != ' ')
                return Problem(what, expression, "is not a colour: it holds " + Describe(c));
        }
        return {};
    }
    if (expression.empty())
        return {};
    return Problem(what, expression, "is not a colour constant or RGB(...) form");
}

std::string GeneratedFileNameProblem(std::string_view name, std::size_t maxLength)
{
    if (name.empty())
        return "the file name is empty";
    if (name == "." || name == "..")
        return "the file name \"" + std::string(name) + "\" leaves the output folder";
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '/' || c == '\\')
            return "the file name \"" + PrintableName(name) + "\" holds a folder separator";
        if (IsControl(c))
            return "the file name \"" + PrintableName(name) + "\" holds " + Describe(c);
    }
    if (name.size() + kMaxTemporarySuffix > maxLength)
        return "the file name \"" + PrintableName(name) + "\" is too long for the file system";
    return {};
}

std::string PaddedRight(std::string_view text, std::size_t columns)
{
    std::string padded(text);
    const bool ascii = std::all_of(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::size_t width = ascii ? text.size() : ToShiftJis(text).size();
    if (width < columns)
        padded.append(columns - width, ' ');
    return padded;
}

std::string EscapedName(std::string_view name)
{
    std::string shown;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (IsControl(c)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += ch;
        }
    }
    return shown;
}

std::string PrintableName(std::string_view name)
{
    // Cut between characters, never inside a multibyte one.
    std::size_t cut = std::min(name.size(), kShownLength);
    while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    std::string shown = EscapedName(name.substr(0, cut));
    if (cut < name.size())
        shown += "...";
    return shown;
}

} // namespace kx
