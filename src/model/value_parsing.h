// How the project file's numeric values are read.
#pragma once

#include <span>
#include <string_view>
#include <utility>

namespace kx {

// Skips leading blanks, takes an optional sign and the digits up to the first other character.
// A text without digits gives 0; values beyond the range of int saturate at its limits.
int ParseDecimal(std::string_view text);

// A "x,y" pair: the text up to the first comma and the text after it (up to a second comma)
// read as decimals. A text without a comma, or of 64 characters or more, gives 0,0.
std::pair<int, int> ParsePair(std::string_view text);

// One row of an element table: an element name of the project file and its attribute index.
struct TagIndex {
    const char *tag;
    int index;
};

// Index of the first row whose tag equals the name exactly (case-sensitive); -1 when none does.
int FindTag(std::span<const TagIndex> table, std::string_view tag);

} // namespace kx
