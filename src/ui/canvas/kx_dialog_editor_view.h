// The canvas of one dialog window: the dialog drawn as the device draws it, at a whole zoom
// factor, with the selection frame over it. Mouse and keys go to the canvas interaction in
// canvas pixels; every finished edit goes through the dialog's document.
#pragma once

#include "render/surface.h"
#include "ui/canvas/canvas_interaction.h"
#include "ui/document/kx_dialog_editor_doc.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QStringList>
#include <QWidget>

#include <memory>

class CPlayMode;

namespace kx {
class DialogPainter;
class IObjectStates;
} // namespace kx

class CKXDialogEditorView : public QWidget, private ICanvasHost {
    Q_OBJECT

public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 8;
    // From this zoom on, a grid shows the pixel borders.
    static constexpr int kGridZoom = 4;

    CKXDialogEditorView(
        CKXDialogEditorDoc *document, kx::DialogPainter &painter, QWidget *parent = nullptr);
    ~CKXDialogEditorView() override;

    CKXDialogEditorDoc *Document() const { return m_doc; }
    // The dialog shown, or none once it has left the project.
    CKXDialogData *Dialog() const { return m_doc ? m_doc->Dialog() : nullptr; }
    CCanvasInteraction *Interaction() const { return m_interaction.get(); }

    // Fits the view to the dialog's size and has the whole dialog drawn again at the next paint.
    void Redraw();
    // The picture of the dialog as the device draws it, drawn now when it is out of date (null
    // without a dialog or for a dialog too large to draw).
    const QImage &Picture() const;

    // Whole factors from 1 (100 %) to 8 (800 %); the mouse works in canvas pixels at every zoom.
    int Zoom() const { return m_zoom; }
    void SetZoom(int zoom);
    // Zooms keeping the canvas point under this point of the widget where it is on the screen
    // (the window moves in its area), as Ctrl+wheel does.
    void ZoomAround(int zoom, const QPointF &widgetPoint);
    // Zooms keeping the selection's centre (the dialog's without a selection) in view, as
    // Ctrl+plus and Ctrl+minus do.
    void ZoomKeepingInView(int zoom);

    // The layout grid drawn over the canvas (spacing in canvas pixels), and how drags snap:
    // smart guides, and the grid.
    void SetGrid(bool shown, int spacing);
    void SetSnapping(bool guides, bool toGrid);
    bool GridShown() const { return m_gridShown; }
    int GridSpacing() const { return m_gridSpacing; }
    // The canvas pixel under a point of the widget.
    QPoint ToCanvas(const QPointF &position) const;
    // The canvas rectangle in the widget's coordinates.
    QRect ToWidget(const kx::KXRect &area) const;

    // The states objects are drawn in while editing: none for their Normal pictures, or their
    // initial states. The caller keeps the source alive while it is set.
    void SetStates(const kx::IObjectStates *states);
    // While a play runs on the canvas, the objects show the play's states, the selection frame
    // gives way to the play's own marks and the play takes the input; none draws the editing
    // canvas again.
    void SetPlay(CPlayMode *play);
    CPlayMode *Play() const { return m_play; }
    kx::DialogPainter &Painter() const { return m_painter; }
    // This part of the canvas is drawn again at the next paint.
    void UpdateArea(const kx::KXRect &area);

signals:
    // The dialog's size or the zoom changed: the window around the view should follow.
    void SizeChanged();
    // The mouse is over this canvas pixel (none: it left the canvas).
    void CanvasPointChanged(const QPoint &point, bool inside);
    // The selection frame changed (empty: nothing selected).
    void SelectionChanged(const QRect &frame);
    void ZoomChanged(int zoom);
    // The context menu is asked for at this canvas point (the selection is what it acts on).
    void ContextMenuRequested(const QPoint &canvasPoint, const QPoint &globalPosition);
    // Picture files (PNG, GIF) were dropped at this canvas point.
    void PicturesDropped(const QStringList &files, const QPoint &canvasPoint);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // ICanvasHost
    CObjectData *CurrentObject() override;
    void Reselect(CObjectData *object) override;
    void Preview(const kx::KXRect &area) override;
    void Commit() override;
    void Invalidate() override;

    void OnChanged(int what);
    void FitToDialog();
    void EnsureDrawn() const;
    void PaintTracker(QPainter &painter) const;
    void PaintGrid(QPainter &painter, const QRect &exposed) const;
    void PaintLayoutGrid(QPainter &painter, const QRect &exposed) const;
    void PaintGuides(QPainter &painter) const;
    // Where the guides and distances of a snap are drawn, in the widget's coordinates.
    QRegion GuideRegion(const SnapResult &snap) const;
    // The box of a distance's number.
    QRect DistanceLabel(const SnapDistance &distance) const;
    // The status bar follows the canvas pixel now under the mouse.
    void ReportPointer();
    void ApplySnapOptions();
    void UpdateCursor(const QPoint &canvas);
    // Device pixels per canvas pixel.
    qreal Scale() const;

    QPointer<CKXDialogEditorDoc> m_doc;
    kx::DialogPainter &m_painter;
    std::unique_ptr<CCanvasInteraction> m_interaction;
    int m_zoom = 1;
    // The dialog as drawn, and the QImage that shows the surface's rows without a copy.
    mutable kx::Surface m_canvas;
    mutable QImage m_picture;
    mutable bool m_dirty = true;
    // What must be drawn again before the next paint, short of everything.
    mutable kx::KXRect m_dirtyArea;
    kx::KXRect m_shownFrame;
    const kx::IObjectStates *m_states = nullptr;
    CPlayMode *m_play = nullptr;
    bool m_gridShown = false;
    int m_gridSpacing = 8;
    bool m_guides = true;
    bool m_snapToGrid = false;
    // The guides drawn now, and where the mouse was last seen (global, for the status bar).
    SnapResult m_shownSnap;
    QPointF m_lastGlobal;
    bool m_mouseInside = false;
};
