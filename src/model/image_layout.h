// A button, edit box or frame whose font is none of the font definitions draws its text with
// the layout of its image definition. Taking that layout into the object is a change of the
// model, so it is made where an edit or a load changes the model, never while showing it.
#pragma once

#include <functional>

class CObjectData;
class CObjectDataList;
class CProjectContext;

namespace kx {

// Sets the object's font, alignments, stretch and margins to those of its image definition when
// it is a button, edit box or frame whose font is not defined and that has an image definition.
// Answers whether anything changed.
bool AdoptImageLayout(CObjectData &object, const CProjectContext &project);

// The same for every object under the group, at any depth, that concerns() names.
// Answers how many objects changed.
int AdoptImageLayouts(CObjectDataList &group, const CProjectContext &project,
    const std::function<bool(const CObjectData &)> &concerns);

} // namespace kx
