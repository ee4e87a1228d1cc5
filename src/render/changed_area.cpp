#include "render/changed_area.h"

#include "history/undo_buffer.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"

#include <unordered_set>
#include <vector>

namespace kx {

KXRect ObjectArea(const CObjectData &object)
{
    KXRect area = object.DrawnBounds().United(object.GetRect());
    if (object.IsGroup()) {
        for (const CObjectData *child : static_cast<const CObjectDataList &>(object).Children())
            area = area.United(ObjectArea(*child));
    }
    return area;
}

KXRect DialogArea(const CKXDialogData &dialog)
{
    return {0, 0, dialog.Width(), dialog.Height()};
}

namespace {

// The children that joined, left or changed their order between two states of a group: only
// their places change when a group's children array does.
KXRect ChildrenChange(const CObjectDataList &before, const CObjectDataList &after)
{
    const std::vector<CObjectData *> &was = before.Children();
    const std::vector<CObjectData *> &is = after.Children();
    const std::unordered_set<const CObjectData *> wasSet(was.begin(), was.end());
    const std::unordered_set<const CObjectData *> isSet(is.begin(), is.end());
    KXRect area;
    std::vector<const CObjectData *> keptWas;
    std::vector<const CObjectData *> keptIs;
    for (const CObjectData *child : was) {
        if (isSet.count(child))
            keptWas.push_back(child);
        else
            area = area.United(ObjectArea(*child));
    }
    for (const CObjectData *child : is) {
        if (wasSet.count(child))
            keptIs.push_back(child);
        else
            area = area.United(ObjectArea(*child));
    }
    for (std::size_t i = 0; i < keptWas.size(); ++i) {
        if (keptWas[i] != keptIs[i])
            area = area.United(ObjectArea(*keptWas[i])).United(ObjectArea(*keptIs[i]));
    }
    return area;
}

} // namespace

KXRect ChangedArea(const CKXDialogData &dialog, int recordIndex)
{
    const UndoBuffer &history = dialog.History();
    if (recordIndex < 0 || recordIndex >= history.Count())
        return {};
    const UndoRecord &record = history.Record(recordIndex);
    KXRect area;
    for (int i = 0; i < record.Count(); ++i) {
        const KXClassBackup &snapshot = record.At(i);
        const KXClass *stored = snapshot.Object();
        if (stored->Kind() == kKindDialog)
            return DialogArea(dialog);
        const CObjectData *copy = AsObject(*stored);
        if (!copy)
            continue;
        const CObjectData *live
            = snapshot.Action() == ACT_ORIGINAL ? copy : history.FindLive(*stored);
        const KXClass *earlier
            = recordIndex > 0 ? history.FindLatestCopy(*stored, recordIndex - 1) : nullptr;
        const CObjectDataList *before = earlier ? AsGroup(*earlier) : nullptr;
        const CObjectDataList *after = AsGroup(*copy);
        if (!live)
            continue;
        // A group that only changed its children array (an object added, removed, regrouped or
        // restacked in it) changes the places of those children, not of all it holds.
        if (before && after && before->X() == after->X() && before->Y() == after->Y()
            && before->Attr() == after->Attr())
            area = area.United(ChildrenChange(*before, *after));
        else
            area = area.United(ObjectArea(*live));
    }
    return area;
}

} // namespace kx
