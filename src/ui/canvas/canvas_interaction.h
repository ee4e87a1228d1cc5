// What the mouse and the keyboard do on a dialog's canvas: selecting, moving and resizing objects
// with the selection frame, rubber-band selection and nudging with the arrow keys. The view hands
// its events over in canvas pixels; this class changes the model and tells its host what to
// show, and knows nothing of Qt, so its rules are tested without a display.
#pragma once

#include "model/geometry.h"
#include "ui/canvas/snapping.h"
#include "ui/canvas/tracker.h"

class CKXDialogData;
class CObjectData;

// What the canvas asks of the editor around it.
class ICanvasHost {
public:
    virtual ~ICanvasHost() = default;
    // The object the panel shows as current, or none: what a drag starting inside the frame
    // and the arrow keys refer to.
    virtual CObjectData *CurrentObject() = 0;
    // The selection changed; the panel is to show this object, or the dialog for none.
    virtual void Reselect(CObjectData *object) = 0;
    // Objects follow the mouse: this part of the canvas is to be drawn again, and the fields of
    // the object shown follow.
    virtual void Preview(const kx::KXRect &area) = 0;
    // A move, a resize or a nudge is finished: one step of the history.
    virtual void Commit() = 0;
    // The view is to be drawn again (the frame changed without an edit).
    virtual void Invalidate() = 0;
};

// Modifier keys of a press or release.
struct CanvasKeys {
    bool shift = false;
    bool ctrl = false;
    // Alt held while dragging: no snapping.
    bool alt = false;
};

class CCanvasInteraction {
public:
    // Distance the mouse must travel (in x or y) before a press becomes a drag.
    static constexpr int kDragThreshold = 5;
    // Smallest width and height a resize leaves.
    static constexpr int kMinimumSize = 10;

    CCanvasInteraction(CKXDialogData &dialog, ICanvasHost &host);

    void Press(int x, int y, CanvasKeys keys);
    // Only while the left button is down. A move or resize snaps as the options say, unless
    // Alt is held.
    void Move(int x, int y, CanvasKeys keys = {});
    void Release(int x, int y, CanvasKeys keys);
    // Moves every selected object by (dx, dy), the object the panel shows as reference: one step
    // of the history per call. Never snaps.
    void Nudge(int dx, int dy);

    // The frame is made again from the selection of the model (after an edit elsewhere).
    void SyncTracker();
    // Selects the object (none: nothing), makes the frame and tells the host.
    void Reselect(CObjectData *object);

    // How drags snap (smart guides, the grid, the zoom the tolerance is measured at).
    void SetSnapOptions(const SnapOptions &options) { m_snapOptions = options; }
    const SnapOptions &Options() const { return m_snapOptions; }
    // The guides and distances that hold while a drag snaps; empty otherwise.
    const SnapResult &Snap() const { return m_snap; }

    const CTracker &Tracker() const { return m_tracker; }
    bool IsPressed() const { return m_pressX != -1; }
    bool HasMoved() const { return m_moved; }
    int HitCode() const { return m_hitCode; }
    CObjectData *HitObject() const { return m_hitObject; }
    int SelectionCount() const { return m_count; }

private:
    // The rectangle a handle drag gives for the mouse at (x, y), never below the minimum size.
    kx::KXRect Resized(int x, int y) const;
    // The rubber band between the press point and the mouse, in any direction, at least the
    // minimum size.
    kx::KXRect Band(int x, int y) const;
    // Where the selected objects were last drawn and lie now.
    kx::KXRect SelectionArea() const;
    CObjectData *OutermostGroupOf(CObjectData *object) const;
    // The rectangle of a drag after snapping (rect itself when nothing snaps).
    kx::KXRect Snapped(const kx::KXRect &rect, CanvasKeys keys);

    CKXDialogData &m_dialog;
    ICanvasHost &m_host;
    CTracker m_tracker;
    CObjectData *m_hitObject = nullptr;
    int m_hitCode = kHitNone;
    int m_pressX = -1;
    int m_pressY = -1;
    bool m_moved = false;
    kx::KXRect m_start;
    int m_count = 0;
    // No snapping until the view says how.
    SnapOptions m_snapOptions {false, 0, 1};
    CSnapTargets m_targets;
    bool m_targetsReady = false;
    SnapResult m_snap;
};
