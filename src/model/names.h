// The rules for the names the user gives resources. Names become C++ identifiers in the generated
// sources, so the editor accepts only what a compiler accepts there.
#pragma once

#include <string_view>

namespace kx {

// A name for a dialog, an object, an image or a font definition: ASCII letters, digits and '_',
// not empty and not beginning with a digit.
bool IsIdentifierName(std::string_view name);

// The project's name: ASCII letters, digits and '_' only; an empty name passes.
bool IsProjectName(std::string_view name);

} // namespace kx
