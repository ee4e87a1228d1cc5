// The Edit menu's arrange commands (distribute, same size, stacking order) and where pasted
// objects are placed.
#include "ui/document/edit_commands.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "ui/canvas/arrange.h"
#include "ui/document/document_set.h"

#include <set>
#include <tuple>

namespace {

// How far each further paste of the same objects lands from the one before.
constexpr int kPasteStep = 10;
// A bound of the search for a free place; no dialog is that full.
constexpr int kMaxPasteSteps = 1000;

using Place = std::tuple<int, int, int, int, int>; // type, left, top, right, bottom

Place PlaceOf(const CObjectData &object)
{
    const kx::KXRect r = object.GetRect();
    return {object.Type(), r.left, r.top, r.right, r.bottom};
}

void CollectPlaces(
    const CObjectData &object, const CObjectData &skipped, int type, std::set<Place> &places)
{
    if (&object == &skipped)
        return;
    if (object.IsGroup()) {
        for (const CObjectData *child : static_cast<const CObjectDataList &>(object).Children())
            CollectPlaces(*child, skipped, type, places);
    } else if (object.Type() == type) {
        places.insert(PlaceOf(object));
    }
}

} // namespace

void CEditCommands::PlacePasted(
    CKXDialogData &dialog, CObjectDataList &pasted, std::optional<QPoint> at)
{
    const kx::KXRect bounds = kx::CoveredRect(pasted);
    if (at) {
        kx::MoveBy(pasted, at->x() - bounds.left, at->y() - bounds.top);
        return;
    }
    // The source is recognised by its first object: one of the same type at the same place.
    // While it (or an earlier paste of it) is there, the paste moves on by another step.
    const CObjectData *first = kx::FirstSelectedObject(pasted);
    if (!first)
        return;
    std::set<Place> places;
    CollectPlaces(*dialog.RootGroup(), pasted, first->Type(), places);
    const auto [type, left, top, right, bottom] = PlaceOf(*first);
    int steps = 0;
    while (steps < kMaxPasteSteps) {
        const int by = steps * kPasteStep;
        if (!places.count({type, left + by, top + by, right + by, bottom + by}))
            break;
        ++steps;
    }
    kx::MoveBy(pasted, steps * kPasteStep, steps * kPasteStep);
}

void CEditCommands::ArrangeSelection(int command)
{
    CKXDialogEditorDoc *document = m_context.activeDocument();
    CKXDialogData *dialog = document ? document->Dialog() : nullptr;
    if (!dialog)
        return;
    CObjectDataList *root = dialog->RootGroup();
    bool changed = false;
    switch (command) {
    case kDistributeHorizontally:
    case kDistributeVertically:
        changed = kx::Distribute(kx::TopSelected(*root), command == kDistributeHorizontally);
        break;
    case kSameWidth:
    case kSameHeight:
    case kSameSize:
        if (const CObjectData *reference = kx::FirstSelectedObject(*root))
            changed = kx::MakeSameSize(
                *root, *reference, command != kSameHeight, command != kSameWidth);
        break;
    default:
        return;
    }
    if (changed)
        document->Commit(kChangeGeometry, {kx::StepAction::Align, kx::StepSubject::Objects, {}});
}

void CEditCommands::BringToFront()
{
    Restack(true);
}

void CEditCommands::SendToBack()
{
    Restack(false);
}

void CEditCommands::Restack(bool front)
{
    CKXDialogEditorDoc *document = m_context.activeDocument();
    CKXDialogData *dialog = document ? document->Dialog() : nullptr;
    if (!dialog)
        return;
    const std::vector<CObjectData *> objects = kx::TopSelected(*dialog->RootGroup());
    if (front ? kx::BringToFront(objects) : kx::SendToBack(objects))
        document->Commit(kChangeTree, {kx::StepAction::Edit, kx::StepSubject::Objects, {}});
}
