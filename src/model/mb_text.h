// Search and replace on CP932 texts that never matches inside a double-byte character.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// Replaces every occurrence of from by to, scanning character by character: a match may start
// only at a character boundary, so the trail byte of a double-byte character never starts one.
std::string ReplaceAllMb(std::string_view text, std::string_view from, std::string_view to);

} // namespace kx
