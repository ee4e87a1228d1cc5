#include "model/names.h"

#include <algorithm>

namespace kx {

namespace {

bool IsNameCharacter(char c)
{
    return c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool IsProjectName(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), IsNameCharacter);
}

bool IsIdentifierName(std::string_view name)
{
    return !name.empty() && !(name.front() >= '0' && name.front() <= '9') && IsProjectName(name);
}

} // namespace kx
