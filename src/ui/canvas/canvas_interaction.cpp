#include "ui/canvas/canvas_interaction.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "render/changed_area.h"

#include <algorithm>
#include <cstdlib>

namespace {

kx::KXRect Grown(const kx::KXRect &r, int by)
{
    return r.IsEmpty() ? r : kx::KXRect {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

} // namespace

CCanvasInteraction::CCanvasInteraction(CKXDialogData &dialog, ICanvasHost &host)
    : m_dialog(dialog)
    , m_host(host)
{
    SyncTracker();
}

void CCanvasInteraction::SyncTracker()
{
    kx::KXRect bounds;
    int flags = 0;
    int count = 0;
    m_dialog.RootGroup()->CollectSelectionInfo(&bounds, nullptr, &flags, &count);
    m_tracker.rect = bounds;
    m_tracker.kindFlags = flags;
    m_count = count;
}

void CCanvasInteraction::Reselect(CObjectData *object)
{
    SyncTracker();
    m_host.Reselect(object);
    m_host.Invalidate();
}

CObjectData *CCanvasInteraction::OutermostGroupOf(CObjectData *object) const
{
    // A click into a group takes the whole group: the ancestor just below the root group.
    while (object->Parent() && object->Parent() != m_dialog.RootGroup())
        object = object->Parent();
    return object;
}

void CCanvasInteraction::Press(int x, int y, CanvasKeys keys)
{
    CObjectDataList *root = m_dialog.RootGroup();
    m_pressX = x;
    m_pressY = y;
    m_moved = false;
    m_targetsReady = false;
    m_snap = {};
    m_hitCode = m_tracker.HitTest(x, y);
    m_hitObject = root->PickAt(x, y);
    if (!keys.shift && m_hitObject && !m_hitObject->IsSelected())
        m_hitObject = OutermostGroupOf(m_hitObject);
    if (keys.shift || keys.ctrl)
        m_hitCode = kHitNone;
    if (m_hitCode == kHitInside && m_hitObject && !m_hitObject->IsSelected())
        m_hitCode = kHitNone;

    if (m_hitCode != kHitNone) {
        if (m_hitCode == kHitInside && m_hitObject && m_hitObject->IsSelected())
            Reselect(m_hitObject);
        else
            m_hitObject = m_host.CurrentObject();
    } else if (!m_hitObject || (keys.shift && !keys.ctrl)) {
        // A rubber band starts. With Shift it adds to the selection, and a Shift-click that
        // never becomes a band toggles one object: the selection must survive the press.
        if (!keys.shift) {
            root->DeselectAll();
            m_host.Reselect(nullptr);
        }
        m_tracker.rect = {x, y, x, y};
        m_tracker.kindFlags = CTracker::kRubberBand;
        m_host.Invalidate();
        m_hitObject = nullptr;
    } else {
        if (!keys.ctrl)
            root->DeselectAll();
        if (keys.ctrl && m_hitObject->IsSelected()) {
            m_hitObject->SetSelected(false);
            Reselect(root->FindSelected());
            m_hitObject = nullptr;
            m_hitCode = kHitConsumed;
        } else {
            m_hitObject->SetSelected(true);
            Reselect(m_hitObject);
            m_hitCode = m_tracker.HitTest(x, y);
        }
    }
    m_start = m_tracker.rect;
}

kx::KXRect CCanvasInteraction::Resized(int x, int y) const
{
    kx::KXRect r = m_start;
    const int min = kMinimumSize;
    switch (m_hitCode) {
    case kHitInside: {
        const int dx = x - m_pressX;
        const int dy = y - m_pressY;
        return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    case kHitTopLeft:
    case kHitLeft:
    case kHitBottomLeft:
        r.left = std::min(x, r.right - min);
        break;
    case kHitTopRight:
    case kHitRight:
    case kHitBottomRight:
        r.right = std::max(x, r.left + min);
        break;
    default:
        break;
    }
    switch (m_hitCode) {
    case kHitTopLeft:
    case kHitTop:
    case kHitTopRight:
        r.top = std::min(y, r.bottom - min);
        break;
    case kHitBottomLeft:
    case kHitBottom:
    case kHitBottomRight:
        r.bottom = std::max(y, r.top + min);
        break;
    default:
        break;
    }
    return r;
}

kx::KXRect CCanvasInteraction::Band(int x, int y) const
{
    // The band spans the press point and the mouse whichever way the mouse went.
    const int width = std::max(std::abs(x - m_pressX), kMinimumSize);
    const int height = std::max(std::abs(y - m_pressY), kMinimumSize);
    const int left = x < m_pressX ? m_pressX - width : m_pressX;
    const int top = y < m_pressY ? m_pressY - height : m_pressY;
    return {left, top, left + width, top + height};
}

kx::KXRect CCanvasInteraction::SelectionArea() const
{
    kx::KXRect area;
    // Selected objects are found through the tree: what was drawn and where it lies now.
    struct Walk {
        static void Add(const CObjectData &object, kx::KXRect &area)
        {
            if (object.IsGroup()) {
                for (const CObjectData *child :
                    static_cast<const CObjectDataList &>(object).Children())
                    Add(*child, area);
            } else if (object.SelectedFlag()) {
                area = area.United(kx::ObjectArea(object));
            }
        }
    };
    Walk::Add(*m_dialog.RootGroup(), area);
    return area;
}

kx::KXRect CCanvasInteraction::Snapped(const kx::KXRect &rect, CanvasKeys keys)
{
    m_snap = {};
    if (keys.alt || (!m_snapOptions.guides && m_snapOptions.grid <= 0))
        return rect;
    // What the selection may snap to is gathered once, when the drag has begun: the selection
    // is final by then.
    if (!m_targetsReady) {
        m_targets.Collect(*m_dialog.RootGroup(), m_dialog.Width(), m_dialog.Height());
        m_targetsReady = true;
    }
    const MovingEdges edges = MovingEdges::ForHit(m_hitCode);
    SnapResult snap = m_targets.Snap(rect, edges, m_snapOptions);
    kx::KXRect snapped = rect;
    if (edges.left)
        snapped.left += snap.dx;
    if (edges.right)
        snapped.right += snap.dx;
    if (edges.top)
        snapped.top += snap.dy;
    if (edges.bottom)
        snapped.bottom += snap.dy;
    // A resize keeps its minimum size: the axis that would go below it does not snap.
    const auto dropLines = [&snap](bool vertical) {
        std::erase_if(
            snap.lines, [vertical](const SnapLine &line) { return line.vertical == vertical; });
    };
    if (snapped.Width() < kMinimumSize && snapped.Width() < rect.Width()) {
        snapped.left = rect.left;
        snapped.right = rect.right;
        snap.dx = 0;
        dropLines(true);
    }
    if (snapped.Height() < kMinimumSize && snapped.Height() < rect.Height()) {
        snapped.top = rect.top;
        snapped.bottom = rect.bottom;
        snap.dy = 0;
        dropLines(false);
    }
    if (m_snapOptions.guides)
        snap.distances = m_targets.Distances(snapped);
    m_snap = std::move(snap);
    return snapped;
}

void CCanvasInteraction::Move(int x, int y, CanvasKeys keys)
{
    if (!IsPressed() || m_hitCode == kHitConsumed)
        return;
    const bool passed
        = std::abs(x - m_pressX) > kDragThreshold || std::abs(y - m_pressY) > kDragThreshold;
    if (m_hitObject && m_hitCode != kHitNone) {
        if (x == m_pressX && y == m_pressY)
            return;
        const kx::KXRect before = SelectionArea();
        m_tracker.rect = Resized(x, y);
        if (!m_moved && !passed)
            return;
        m_moved = true;
        m_tracker.rect = Snapped(m_tracker.rect, keys);
        m_dialog.RootGroup()->PreviewScale(m_start, m_tracker.rect);
        m_host.Preview(Grown(before.United(SelectionArea()), 1));
        return;
    }
    if (m_hitCode == kHitNone) {
        if (!m_moved && !passed) {
            m_host.Invalidate();
            return;
        }
        m_moved = true;
        m_tracker.rect = Band(x, y);
        m_host.Invalidate();
    }
}

void CCanvasInteraction::Release(int x, int y, CanvasKeys keys)
{
    if (!IsPressed())
        return;
    CObjectDataList *root = m_dialog.RootGroup();
    // The guides go with the drag.
    m_snap = {};
    m_targetsReady = false;
    if (m_moved) {
        if (m_hitCode < kHitTopLeft) {
            const kx::KXRect &r = m_tracker.rect;
            root->SelectInRect(r.left, r.top, r.right, r.bottom);
            Reselect(root->FindSelected());
        } else {
            const kx::KXRect to = m_tracker.rect;
            root->ApplyScale(m_start, to);
            m_host.Commit();
            SyncTracker();
            m_host.Invalidate();
        }
        m_hitObject = nullptr;
    } else if (keys.shift && !keys.ctrl) {
        if (CObjectData *object = root->PickAt(x, y)) {
            object->SetSelected(!object->IsSelected());
            Reselect(object);
        } else {
            SyncTracker();
            m_host.Invalidate();
        }
    } else if (m_hitObject) {
        if (x != m_pressX || y != m_pressY) {
            // A press that never became a drag puts everything back.
            m_tracker.rect = m_start;
            root->PreviewScale(m_start, m_start);
            m_host.Preview(Grown(SelectionArea(), 1));
        }
        m_host.Invalidate();
    } else {
        SyncTracker();
        m_host.Invalidate();
    }
    m_pressX = -1;
    m_pressY = -1;
}

void CCanvasInteraction::Nudge(int dx, int dy)
{
    CObjectData *reference = m_host.CurrentObject();
    if (!reference || (dx == 0 && dy == 0))
        return;
    const int x = reference->AbsoluteX();
    const int y = reference->AbsoluteY();
    const int w = kx::Nearest(reference->Width() * reference->PreviewScaleX());
    const int h = kx::Nearest(reference->Height() * reference->PreviewScaleY());
    const kx::KXRect from {x, y, x + w - 1, y + h - 1};
    const kx::KXRect to {from.left + dx, from.top + dy, from.right + dx, from.bottom + dy};
    m_dialog.RootGroup()->ApplyScale(from, to);
    m_host.Commit();
    Reselect(reference);
}
