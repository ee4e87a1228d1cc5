#include "ui/canvas/arrange.h"

#include "model/object_data_list.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kx {

namespace {

void CollectTop(CObjectDataList &group, std::vector<CObjectData *> &out)
{
    for (CObjectData *child : group.Children()) {
        if (child->IsSelected() && (!child->IsGroup() || child->CountSelected() > 0))
            out.push_back(child);
        else if (child->IsGroup())
            CollectTop(static_cast<CObjectDataList &>(*child), out);
    }
}

CObjectData *FirstLeaf(CObjectDataList &group)
{
    for (CObjectData *child : group.Children()) {
        if (child->IsGroup()) {
            if (CObjectData *found = FirstLeaf(static_cast<CObjectDataList &>(*child)))
                return found;
        } else if (child->SelectedFlag()) {
            return child;
        }
    }
    return nullptr;
}

void Cover(const CObjectData &object, KXRect &area)
{
    if (object.IsGroup()) {
        for (const CObjectData *child : static_cast<const CObjectDataList &>(object).Children())
            Cover(*child, area);
    } else {
        area = area.United(object.GetRect());
    }
}

void ResizeSelected(
    CObjectData &object, const CObjectData &reference, bool width, bool height, bool &changed)
{
    if (object.IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList &>(object).Children())
            ResizeSelected(*child, reference, width, height, changed);
        return;
    }
    if (!object.SelectedFlag())
        return;
    if (width && object.Width() != reference.Width()) {
        object.SetWidth(reference.Width());
        changed = true;
    }
    if (height && object.Height() != reference.Height()) {
        object.SetHeight(reference.Height());
        changed = true;
    }
}

void NormaliseAround(CObjectData &object)
{
    for (CObjectDataList *group = object.Parent(); group && !group->IsRoot();
         group = group->Parent())
        group->NormaliseBounds();
}

} // namespace

std::vector<CObjectData *> TopSelected(CObjectDataList &root)
{
    std::vector<CObjectData *> out;
    CollectTop(root, out);
    return out;
}

CObjectData *FirstSelectedObject(CObjectDataList &root)
{
    return FirstLeaf(root);
}

KXRect CoveredRect(const CObjectData &object)
{
    KXRect area;
    Cover(object, area);
    return area;
}

void MoveBy(CObjectData &object, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    object.SetAbsoluteX(Saturate(std::int64_t {object.AbsoluteX()} + dx));
    object.SetAbsoluteY(Saturate(std::int64_t {object.AbsoluteY()} + dy));
    NormaliseAround(object);
}

bool Distribute(const std::vector<CObjectData *> &objects, bool horizontal)
{
    const std::size_t n = objects.size();
    if (n < 3)
        return false;
    struct Item {
        CObjectData *object;
        std::int64_t low, high;
        std::int64_t Centre() const { return low + high; }
    };
    std::vector<Item> items;
    items.reserve(n);
    for (CObjectData *object : objects) {
        const KXRect r = CoveredRect(*object);
        items.push_back({object, horizontal ? r.left : r.top, horizontal ? r.right : r.bottom});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        return a.Centre() != b.Centre() ? a.Centre() < b.Centre() : a.low < b.low;
    });
    std::int64_t inner = 0;
    for (std::size_t i = 1; i + 1 < n; ++i)
        inner += items[i].high - items[i].low;
    // The room between the outermost two, shared out in equal gaps; the remainder of the
    // division goes to the gaps by rounding.
    const std::int64_t space = items[n - 1].low - items[0].high - inner;
    const auto gaps = static_cast<double>(n - 1);
    bool moved = false;
    std::int64_t before = 0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const auto share = static_cast<std::int64_t>(
            std::llround(static_cast<double>(space) * static_cast<double>(i) / gaps));
        const std::int64_t low = items[0].high + before + share;
        const int shift = Saturate(low - items[i].low);
        before += items[i].high - items[i].low;
        if (shift == 0)
            continue;
        MoveBy(*items[i].object, horizontal ? shift : 0, horizontal ? 0 : shift);
        moved = true;
    }
    return moved;
}

bool MakeSameSize(CObjectDataList &root, const CObjectData &reference, bool width, bool height)
{
    // Sizes leave every top-left corner, and so every group's origin, where it was.
    bool changed = false;
    ResizeSelected(root, reference, width, height, changed);
    return changed;
}

namespace {

// Moves each object to the end or the start of its group; answers whether any group's order
// is other than before.
bool Restack(const std::vector<CObjectData *> &objects, bool front)
{
    std::vector<std::pair<CObjectDataList *, std::vector<CObjectData *>>> before;
    for (CObjectData *object : objects) {
        CObjectDataList *parent = object->Parent();
        if (parent && std::none_of(before.begin(), before.end(), [parent](const auto &entry) {
                return entry.first == parent;
            }))
            before.emplace_back(parent, parent->Children());
    }
    // To the front each in turn, so their order among each other stays; to the back from the
    // last one.
    const auto move = [front](CObjectData *object) {
        CObjectDataList *parent = object->Parent();
        if (!parent || parent->ChildIndex(object) < 0)
            return;
        parent->RemoveChild(object);
        if (front)
            parent->AddChild(object);
        else
            parent->InsertChild(0, object);
    };
    if (front)
        std::for_each(objects.begin(), objects.end(), move);
    else
        std::for_each(objects.rbegin(), objects.rend(), move);
    return std::any_of(before.begin(), before.end(),
        [](const auto &entry) { return entry.first->Children() != entry.second; });
}

} // namespace

bool BringToFront(const std::vector<CObjectData *> &objects)
{
    return Restack(objects, true);
}

bool SendToBack(const std::vector<CObjectData *> &objects)
{
    return Restack(objects, false);
}

} // namespace kx
