// The arrange commands on a dialog's selection, without Qt: equal gaps between three or more
// objects, the same size as the first selected object, and the stacking order (bring to front,
// send to back). Each changes the model only; the caller ends the edit in the dialog's funnel.
#pragma once

#include "model/geometry.h"

#include <vector>

class CObjectData;
class CObjectDataList;

namespace kx {

// The outermost selected objects, in the tree's order: a group whose objects are all selected
// counts once, as itself.
std::vector<CObjectData *> TopSelected(CObjectDataList &root);
// The first selected object that is no group, in the tree's order; none without a selection.
CObjectData *FirstSelectedObject(CObjectDataList &root);
// The canvas rectangle an object covers: its own, or for a group that of its objects.
KXRect CoveredRect(const CObjectData &object);

// Equal gaps between the objects along one axis, in the order of their centres; the first and
// the last stay where they are. Nothing for fewer than three. Answers whether anything moved.
bool Distribute(const std::vector<CObjectData *> &objects, bool horizontal);
// Every selected object that is no group takes the reference's width and/or height. Answers
// whether anything changed.
bool MakeSameSize(CObjectDataList &root, const CObjectData &reference, bool width, bool height);
// Moves the objects to the end (front) or the start (back) of their groups' stacking order,
// keeping their order among each other. Answers whether the order changed.
bool BringToFront(const std::vector<CObjectData *> &objects);
bool SendToBack(const std::vector<CObjectData *> &objects);
// Moves an object by (dx, dy) on the canvas; the groups around it take their children's bounds
// again.
void MoveBy(CObjectData &object, int dx, int dy);

} // namespace kx
