#include "model/object_data_list.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>

using kx::KXRect;
using kx::KXSize;

CObjectDataList::CObjectDataList(CObjectDataList *parent)
    : CObjectData(parent)
{
    SetType(kTypeGroup);
}

CObjectDataList::~CObjectDataList() = default;

void CObjectDataList::CopyFrom(const KXClass &other)
{
    CObjectData::CopyFrom(other);
    if (const auto *source = AsGroup(other)) {
        m_root = source->m_root;
        m_children = source->m_children;
    }
}

bool CObjectDataList::IsSameAs(const KXClass &other) const
{
    const auto *o = AsGroup(other);
    return o && SameTrackedState(*o) && m_root == o->m_root && m_children == o->m_children;
}

kx::TreeItem CObjectDataList::AddToTree(kx::ITreeSink &tree, kx::TreeItem parent)
{
    // The root group has no item of its own: the dialog's item shows its objects directly.
    if (m_root) {
        for (CObjectData *child : m_children)
            child->AddToTree(tree, parent);
        return parent;
    }
    const kx::TreeItem item = tree.InsertItem(parent, kx::kNoTreeItem, "Group = " + Name(), this);
    for (CObjectData *child : m_children)
        child->AddToTree(tree, item);
    tree.SetExpanded(item, IsTreeExpanded());
    return item;
}

CObjectData *CObjectDataList::HitTest(int x, int y)
{
    if (Lock() || Hide())
        return nullptr;
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        if (CObjectData *hit = (*it)->HitTest(x, y))
            return hit;
    }
    return nullptr;
}

void CObjectDataList::SetSelected(bool selected)
{
    if (m_children.empty()) {
        m_selected = selected;
        return;
    }
    for (CObjectData *child : m_children)
        child->SetSelected(selected);
}

bool CObjectDataList::IsSelected() const
{
    if (m_children.empty())
        return m_selected;
    return std::all_of(
        m_children.begin(), m_children.end(), [](const CObjectData *c) { return c->IsSelected(); });
}

CObjectData *CObjectDataList::FindSelected()
{
    if (m_selected)
        return this;
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        if (CObjectData *found = (*it)->FindSelected())
            return found;
    }
    return nullptr;
}

bool CObjectDataList::MoveSelectedInto(CObjectDataList *target)
{
    if (target == this)
        return false;
    if (IsSelected() && !Encloses(target)) {
        MoveInto(*target);
        return true;
    }
    for (std::size_t i = 0; i < m_children.size();) {
        if (m_children[i]->MoveSelectedInto(target))
            m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    return false;
}

int CObjectDataList::CountSelected() const
{
    int count = 0;
    for (const CObjectData *child : m_children)
        count += child->CountSelected();
    return count;
}

void CObjectDataList::SelectInRect(
    int left, int top, int right, int bottom, std::vector<CObjectData *> *list)
{
    if (m_children.empty()) {
        CObjectData::SelectInRect(left, top, right, bottom, list);
        return;
    }
    for (CObjectData *child : m_children)
        child->SelectInRect(left, top, right, bottom, list);
}

void CObjectDataList::CollectSelectionInfo(
    KXRect *bounds, KXSize *minSize, int *kindFlags, int *count, const CImageDataList *images)
{
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
        (*it)->CollectSelectionInfo(bounds, minSize, kindFlags, count, images);
}

bool CObjectDataList::LocateIndex(const CObjectData *object, int &counter) const
{
    if (CObjectData::LocateIndex(object, counter))
        return true;
    for (const CObjectData *child : m_children) {
        if (child->LocateIndex(object, counter))
            return true;
    }
    return false;
}

CObjectData *CObjectDataList::LocateAt(int index, int &counter)
{
    if (CObjectData *found = CObjectData::LocateAt(index, counter))
        return found;
    for (CObjectData *child : m_children) {
        if (CObjectData *found = child->LocateAt(index, counter))
            return found;
    }
    return nullptr;
}

void CObjectDataList::PreviewScale(const KXRect &from, const KXRect &to)
{
    for (CObjectData *child : m_children)
        child->PreviewScale(from, to);
}

void CObjectDataList::ApplyScale(const KXRect &from, const KXRect &to)
{
    if (from == to)
        return;
    for (CObjectData *child : m_children)
        child->ApplyScale(from, to);
    NormaliseBounds();
}

void CObjectDataList::AlignEdge(int kind, int value)
{
    for (CObjectData *child : m_children)
        child->AlignEdge(kind, value);
}

int CObjectDataList::GroupDepth(int level) const
{
    int depth = level + 1;
    for (const CObjectData *child : m_children)
        depth = std::max(depth, child->GroupDepth(level + 1));
    return depth;
}

int CObjectDataList::CountNodes() const
{
    int count = 1;
    for (const CObjectData *child : m_children)
        count += child->CountNodes();
    return count;
}

void CObjectDataList::ReplaceFontName(std::string_view oldName, std::string_view newName)
{
    for (CObjectData *child : m_children)
        child->ReplaceFontName(oldName, newName);
}

void CObjectDataList::ReplaceImageName(std::string_view oldName, std::string_view newName)
{
    for (CObjectData *child : m_children)
        child->ReplaceImageName(oldName, newName);
}

CObjectData *CObjectDataList::FindBySerial(std::uint64_t serial)
{
    if (CObjectData *found = CObjectData::FindBySerial(serial))
        return found;
    for (CObjectData *child : m_children) {
        if (CObjectData *found = child->FindBySerial(serial))
            return found;
    }
    return nullptr;
}

CObjectData *CObjectDataList::FindByName(std::string_view name)
{
    if (CObjectData *found = CObjectData::FindByName(name))
        return found;
    for (CObjectData *child : m_children) {
        if (CObjectData *found = child->FindByName(name))
            return found;
    }
    return nullptr;
}

void CObjectDataList::DeselectAll()
{
    if (m_children.empty()) {
        m_selected = false;
        return;
    }
    for (CObjectData *child : m_children)
        child->SetSelected(false);
}

int CObjectDataList::IndexOf(const CObjectData *object) const
{
    int counter = 0;
    return LocateIndex(object, counter) ? counter : -1;
}

CObjectData *CObjectDataList::ObjectAt(int index)
{
    int counter = 0;
    return index < 0 ? nullptr : LocateAt(index, counter);
}

CObjectData *CObjectDataList::ChildAt(int index) const
{
    if (index < 0 || index >= ChildCount())
        return nullptr;
    return m_children[static_cast<std::size_t>(index)];
}

int CObjectDataList::AddChild(CObjectData *object)
{
    m_children.push_back(object);
    return ChildCount() - 1;
}

void CObjectDataList::InsertChild(int index, CObjectData *object)
{
    index = std::clamp(index, 0, ChildCount());
    m_children.insert(m_children.begin() + index, object);
}

bool CObjectDataList::RemoveChild(CObjectData *object)
{
    const int index = ChildIndex(object);
    if (index < 0)
        return false;
    m_children.erase(m_children.begin() + index);
    return true;
}

int CObjectDataList::ChildIndex(const CObjectData *object) const
{
    const auto it = std::find(m_children.begin(), m_children.end(), object);
    return it == m_children.end() ? -1 : static_cast<int>(it - m_children.begin());
}

bool CObjectDataList::MoveChildUp(CObjectData *object)
{
    const int index = ChildIndex(object);
    if (index <= 0)
        return false;
    std::swap(m_children[index], m_children[index - 1]);
    return true;
}

bool CObjectDataList::MoveChildDown(CObjectData *object)
{
    const int index = ChildIndex(object);
    if (index < 0 || index + 1 >= ChildCount())
        return false;
    std::swap(m_children[index], m_children[index + 1]);
    return true;
}

CObjectData *CObjectDataList::CreateChild(int type, std::string_view name)
{
    CObjectData *child = type == kTypeGroup ? new CObjectDataList(this) : new CObjectData(this);
    AddChild(child);
    child->SetType(type);
    child->SetName(name);
    if (type == kTypeButton || type == kTypeEditbox)
        child->SetClick(true);
    return child;
}

void CObjectDataList::NormaliseBounds()
{
    if (m_root || m_children.empty())
        return;
    // Canvas coordinates of hostile files can lie far beyond the int range: 64-bit sums.
    const std::int64_t ox = AbsoluteX();
    const std::int64_t oy = AbsoluteY();
    std::int64_t mx = INT64_MAX;
    std::int64_t my = INT64_MAX;
    for (const CObjectData *child : m_children) {
        mx = std::min(mx, child->X() + std::int64_t {child->PreviewOffsetX()} + ox);
        my = std::min(my, child->Y() + std::int64_t {child->PreviewOffsetY()} + oy);
    }
    for (CObjectData *child : m_children) {
        child->SetPosition(
            kx::Saturate(child->X() + std::int64_t {child->PreviewOffsetX()} + ox - mx),
            kx::Saturate(child->Y() + std::int64_t {child->PreviewOffsetY()} + oy - my));
    }
    const CObjectDataList *parent = Parent();
    SetPosition(kx::Saturate(mx - (parent ? parent->AbsoluteX() : 0)),
        kx::Saturate(my - (parent ? parent->AbsoluteY() : 0)));
}

CObjectData *CObjectDataList::Ungroup()
{
    CObjectDataList *parent = Parent();
    if (!parent)
        return nullptr;
    if (m_children.empty())
        throw std::invalid_argument("Ungroup: the group has no children");
    const std::int64_t gx = AbsoluteX();
    const std::int64_t gy = AbsoluteY();
    const std::int64_t px = parent->AbsoluteX();
    const std::int64_t py = parent->AbsoluteY();
    int k = parent->ChildIndex(this);
    if (k < 0)
        k = parent->ChildCount();
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        CObjectData *child = m_children[i];
        parent->InsertChild(k + static_cast<int>(i), child);
        child->SetParent(parent);
        child->SetPosition(
            kx::Saturate(child->X() + std::int64_t {child->PreviewOffsetX()} + gx - px),
            kx::Saturate(child->Y() + std::int64_t {child->PreviewOffsetY()} + gy - py));
    }
    CObjectData *first = m_children.front();
    m_children.clear();
    parent->RemoveChild(this);
    return first;
}

CObjectData *CObjectDataList::RemoveWithEmptyAncestors(CObjectData *object)
{
    CObjectDataList *parent = object ? object->Parent() : nullptr;
    if (!parent || (object->IsGroup() && static_cast<CObjectDataList *>(object)->IsRoot()))
        return nullptr;
    for (;;) {
        const int index = parent->ChildIndex(object);
        if (index < 0)
            return nullptr;
        parent->RemoveChild(object);
        if (parent->ChildCount() > 0)
            return parent->ChildAt(std::min(index, parent->ChildCount() - 1));
        if (parent->IsRoot() || !parent->Parent())
            return parent;
        object = parent;
        parent = parent->Parent();
    }
}

CObjectDataList *CObjectDataList::GroupSelection(CObjectData *anchor, std::string_view name)
{
    CObjectDataList *parent = anchor ? anchor->Parent() : nullptr;
    if (!parent)
        return nullptr;
    auto *group = new CObjectDataList(parent);
    group->SetTreeExpanded(true);
    group->SetName(name);
    const int at = parent->ChildIndex(anchor);
    parent->InsertChild(at < 0 ? parent->ChildCount() : at, group);
    for (std::size_t i = 0; i < m_children.size();) {
        if (m_children[i]->MoveSelectedInto(group))
            m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    group->NormaliseBounds();
    group->SetSelected(true);
    return group;
}

bool CObjectDataList::Encloses(const CObjectData *object) const
{
    for (const CObjectData *o = object; o; o = o->Parent()) {
        if (o == this)
            return true;
    }
    return false;
}

namespace kx {

void DeleteTree(CObjectData *object)
{
    if (!object)
        return;
    if (object->IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList *>(object)->Children())
            DeleteTree(child);
    }
    delete object;
}

} // namespace kx
