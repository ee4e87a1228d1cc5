// A group of objects: an object of type Group whose children share its origin. Every dialog has
// one root group ("OGROOT") holding its top-level objects; whole-dialog operations start there.
#pragma once

#include "model/object_data.h"

#include <vector>

// The children array does not own its elements: the editing history owns every object it has
// recorded, so unlinking an object from a group never destroys it.
class CObjectDataList : public CObjectData {
public:
    explicit CObjectDataList(CObjectDataList *parent = nullptr);
    ~CObjectDataList() override;

    static constexpr const char *kRootName = "OGROOT";

    // ---- Overrides that walk the children ----
    void CopyFrom(const KXClass &other) override;
    bool IsSameAs(const KXClass &other) const override;
    // A root group lists its children directly under parent and answers parent.
    kx::TreeItem AddToTree(kx::ITreeSink &tree, kx::TreeItem parent) override;
    CObjectData *HitTest(int x, int y) override;
    void SetSelected(bool selected) override;
    bool IsSelected() const override;
    CObjectData *FindSelected() override;
    bool MoveSelectedInto(CObjectDataList *target) override;
    int CountSelected() const override;
    void SelectInRect(int left, int top, int right, int bottom,
        std::vector<CObjectData *> *list = nullptr) override;
    void CollectSelectionInfo(kx::KXRect *bounds, kx::KXSize *minSize, int *kindFlags, int *count,
        const CImageDataList *images = nullptr) override;
    bool LocateIndex(const CObjectData *object, int &counter) const override;
    CObjectData *LocateAt(int index, int &counter) override;
    void PreviewScale(const kx::KXRect &from, const kx::KXRect &to) override;
    void ApplyScale(const kx::KXRect &from, const kx::KXRect &to) override;
    void AlignEdge(int kind, int value) override;
    int GroupDepth(int level) const override;
    int CountNodes() const override;
    void EmitEnumerator(kx::CodeStream &out) const override;
    void EmitIdNameCase(kx::CodeStream &out) const override;
    // The root group (level 0) creates pGroup1 with Group(); any other group adds itself to its
    // parent's group variable at its canvas position.
    void EmitDesign(
        kx::CodeStream &out, int level, const kx::DesignContext &context) const override;
    void EmitClickCase(kx::CodeStream &out) const override;
    void ReplaceFontName(std::string_view oldName, std::string_view newName) override;
    void ReplaceImageName(std::string_view oldName, std::string_view newName) override;
    CObjectData *FindBySerial(std::uint64_t serial) override;
    CObjectData *FindByName(std::string_view name) override;
    // Appends the group's element with the elements of all its children.
    void WriteXml(std::string &out, const CImageDataList *images) const override;
    // Appends the group's element with its selected descendants, when a child is selected.
    void AppendSelectionXml(std::string &out, const CImageDataList *images) const override;
    // Records the group itself, then every child, so the tree is visited in pre-order.
    void RecordHistory(UndoBuffer &history, UndoRecord &record) override;
    bool IsGroup() const override { return true; }

    // ---- Operations of groups ----
    CObjectData *PickAt(int x, int y) { return HitTest(x, y); }
    void DeselectAll();
    // Pre-order position of object in this subtree (this group is 0); -1 when absent.
    int IndexOf(const CObjectData *object) const;
    // The object at a pre-order position; none when out of range.
    CObjectData *ObjectAt(int index);

    const std::vector<CObjectData *> &Children() const { return m_children; }
    int ChildCount() const { return static_cast<int>(m_children.size()); }
    CObjectData *ChildAt(int index) const;
    // Appends the object and answers its index; the caller sets its parent.
    int AddChild(CObjectData *object);
    // Inserts the object at index (clamped to the array); the caller sets its parent.
    void InsertChild(int index, CObjectData *object);
    // Unlinks the object from the children without deleting it; false when it is not a child.
    bool RemoveChild(CObjectData *object);
    int ChildIndex(const CObjectData *object) const;
    // Swaps the child with its previous or next sibling (one step lower or higher in the
    // stacking order); false at the first or last place.
    bool MoveChildUp(CObjectData *object);
    bool MoveChildDown(CObjectData *object);

    // Creates an object (or a group for type Group) as the last child, with the type and name
    // set and "Click" on for buttons and edit boxes. The caller takes ownership.
    CObjectData *CreateChild(int type, std::string_view name);

    // Moves the group's origin to the top-left corner of its children, keeping their canvas
    // places. A root group and an empty group stay as they are.
    void NormaliseBounds();
    // Puts the children in the parent's array where the group was, keeping their canvas places,
    // and unlinks the group (which stays alive). Answers the former first child, or none when
    // the group has no parent. Throws std::invalid_argument for an empty group.
    CObjectData *Ungroup();
    // Unlinks the object from its group, and then every group this leaves empty from its own
    // parent, up to the root group, which always stays. The unlinked objects keep their parent
    // pointers and stay alive (the history owns them). Answers the object to show as current:
    // in the lowest group that keeps children, the child now at the removed place (the new last
    // child when the removed one was the last); the root group when it is left empty. None, and
    // nothing changes, for a root group or an object outside any group.
    static CObjectData *RemoveWithEmptyAncestors(CObjectData *object);
    // On a root group: makes a new group named name in the anchor's parent, just before the
    // anchor, moves every selected object into it (each keeps its place on the canvas, whatever
    // group it came from) and selects it. The caller takes ownership.
    CObjectDataList *GroupSelection(CObjectData *anchor, std::string_view name);

    bool IsRoot() const { return m_root; }
    void SetRoot(bool root) { m_root = root; }

    // Whether object is this group or lies somewhere inside it.
    bool Encloses(const CObjectData *object) const;

private:
    std::vector<CObjectData *> m_children;
    bool m_root = false;
};

// The group behind a model object, or none.
inline const CObjectDataList *AsGroup(const KXClass &object)
{
    const CObjectData *o = AsObject(object);
    return o && o->IsGroup() ? static_cast<const CObjectDataList *>(o) : nullptr;
}

namespace kx {
// Destroys an object and, for a group, everything below it. For owners that hold whole trees
// outside an editing history (tools, tests).
void DeleteTree(CObjectData *object);
} // namespace kx
