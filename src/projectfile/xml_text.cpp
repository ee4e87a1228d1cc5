#include "projectfile/xml_text.h"

#include "model/mb_text.h"

#include <charconv>

namespace kx {

void AppendEscaped(std::string &out, std::string_view value)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char *entity = nullptr;
        switch (value[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        default:
            continue;
        }
        out.append(value.substr(start, i - start));
        out += entity;
        start = i + 1;
    }
    out.append(value.substr(start));
}

void AppendElement(
    std::string &out, std::string_view indent, std::string_view tag, std::string_view value)
{
    out += indent;
    out += '<';
    out += tag;
    out += '>';
    AppendEscaped(out, value);
    out += "</";
    out += tag;
    out += ">\n";
}

namespace {

void AppendInt(std::string &out, int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

void AppendElement(std::string &out, std::string_view indent, std::string_view tag, int value)
{
    out += indent;
    out += '<';
    out += tag;
    out += '>';
    AppendInt(out, value);
    out += "</";
    out += tag;
    out += ">\n";
}

void AppendPair(std::string &out, std::string_view indent, std::string_view tag, int a, int b)
{
    out += indent;
    out += '<';
    out += tag;
    out += '>';
    AppendInt(out, a);
    out += ',';
    AppendInt(out, b);
    out += "</";
    out += tag;
    out += ">\n";
}

std::string EscapeObjectText(std::string_view cp932Text)
{
    std::string text = ReplaceAllMb(cp932Text, "&", "@amp;");
    text = ReplaceAllMb(text, "<", "@lt;");
    return ReplaceAllMb(text, ">", "@gt;");
}

} // namespace kx
