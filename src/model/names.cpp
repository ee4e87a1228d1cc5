#include "model/names.h"

#include <algorithm>
#include <array>

namespace kx {

namespace {

// Every word of C++ that cannot name a variable or an enumerator.
constexpr std::array<std::string_view, 92> kCppKeywords {"alignas", "alignof", "and", "and_eq",
    "asm", "auto", "bitand", "bitor", "bool", "break", "case", "catch", "char", "char8_t",
    "char16_t", "char32_t", "class", "compl", "concept", "const", "consteval", "constexpr",
    "constinit", "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype",
    "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export",
    "extern", "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable",
    "namespace", "new", "noexcept", "not", "not_eq", "nullptr", "operator", "or", "or_eq",
    "private", "protected", "public", "register", "reinterpret_cast", "requires", "return", "short",
    "signed", "sizeof", "static", "static_assert", "static_cast", "struct", "switch", "template",
    "this", "thread_local", "throw", "true", "try", "typedef", "typeid", "typename", "union",
    "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq"};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNameCharacter(char c, NameLetters letters)
{
    return c == '_' || IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
        || (letters == NameLetters::kAsciiAndOthers && static_cast<unsigned char>(c) >= 0x80);
}

// The first character that the rule does not take.
std::string_view::const_iterator FirstForbidden(std::string_view name, NameLetters letters)
{
    return std::find_if_not(
        name.begin(), name.end(), [letters](char c) { return IsNameCharacter(c, letters); });
}

} // namespace

NameFault IdentifierNameFault(std::string_view name, NameUse use, NameLetters letters)
{
    const bool whole = use == NameUse::kIdentifier;
    if (whole && name.empty())
        return NameFault::kEmpty;
    if (whole && IsDigit(name.front()))
        return NameFault::kLeadingDigit;
    if (FirstForbidden(name, letters) != name.end())
        return NameFault::kBadCharacter;
    if (whole && std::find(kCppKeywords.begin(), kCppKeywords.end(), name) != kCppKeywords.end())
        return NameFault::kReservedWord;
    return NameFault::kNone;
}

bool IsIdentifierName(std::string_view name)
{
    return IdentifierNameFault(name) == NameFault::kNone;
}

bool IsProjectName(std::string_view name)
{
    return IdentifierNameFault(name, NameUse::kTail) == NameFault::kNone;
}

std::string ForbiddenCharacter(std::string_view name, NameLetters letters)
{
    const auto found = FirstForbidden(name, letters);
    if (found == name.end())
        return {};
    const auto c = static_cast<unsigned char>(*found);
    switch (c) {
    case '\n':
        return "a line feed";
    case '\r':
        return "a carriage return";
    case '\t':
        return "a tab";
    case ' ':
        return "a blank";
    case '"':
    case '\'':
        return "a quote";
    default:
        break;
    }
    if (c < 0x20 || c == 0x7F)
        return "a control character";
    if (c >= 0x80)
        return "a character that is not ASCII";
    return std::string("the character '") + static_cast<char>(c) + "'";
}

const char *NameFaultText(NameFault fault)
{
    switch (fault) {
    case NameFault::kNone:
        return "";
    case NameFault::kEmpty:
        return "a name cannot be empty";
    case NameFault::kLeadingDigit:
        return "a name cannot begin with a digit";
    case NameFault::kBadCharacter:
        return "a name consists of ASCII letters, digits and underscores (_)";
    case NameFault::kReservedWord:
        return "a name cannot be a C++ keyword";
    }
    return "";
}

} // namespace kx
