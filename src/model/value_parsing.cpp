#include "model/value_parsing.h"

#include <climits>

namespace kx {

int ParseDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate toward the sign's limit so that INT_MIN itself is reachable.
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::pair<int, int> ParsePair(std::string_view text)
{
    if (text.size() >= 64)
        return {0, 0};
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return {0, 0};
    std::string_view second = text.substr(comma + 1);
    second = second.substr(0, second.find(','));
    return {ParseDecimal(text.substr(0, comma)), ParseDecimal(second)};
}

int FindTag(std::span<const TagIndex> table, std::string_view tag)
{
    for (const TagIndex &row : table) {
        if (tag == row.tag)
            return row.index;
    }
    return -1;
}

} // namespace kx
