// Small text helpers of the project file: escaping values and appending formatted lines.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// Appends the value with "&", "<" and ">" written as XML entities, so that any name, title, file
// name or colour text reads back unchanged.
void AppendEscaped(std::string &out, std::string_view value);

// Appends "<indent><tag>value</tag>\n" with the value escaped.
void AppendElement(
    std::string &out, std::string_view indent, std::string_view tag, std::string_view value);
void AppendElement(std::string &out, std::string_view indent, std::string_view tag, int value);
// Appends "<indent><tag>a,b</tag>\n".
void AppendPair(std::string &out, std::string_view indent, std::string_view tag, int a, int b);

// Replaces "&", "<" and ">" of an object text by the escape words "@amp;", "@lt;" and "@gt;"
// (never inside a double-byte character), as object texts have always been stored.
std::string EscapeObjectText(std::string_view cp932Text);

} // namespace kx
