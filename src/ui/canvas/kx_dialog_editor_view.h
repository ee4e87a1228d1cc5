// The canvas of one dialog window: the dialog drawn by the renderer, one device pixel per pixel.
// It draws again whenever the dialog's document reports a finished edit.
#pragma once

#include "render/surface.h"
#include "ui/document/kx_dialog_editor_doc.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace kx {
class DialogPainter;
}

class CKXDialogEditorView : public QWidget {
    Q_OBJECT

public:
    CKXDialogEditorView(
        CKXDialogEditorDoc *document, kx::DialogPainter &painter, QWidget *parent = nullptr);

    CKXDialogEditorDoc *Document() const { return m_doc; }
    // The dialog shown, or none once it has left the project.
    CKXDialogData *Dialog() const { return m_doc ? m_doc->Dialog() : nullptr; }

    // Fits the view to the dialog's size and has the whole dialog drawn again at the next paint.
    void Redraw();
    // The picture of the dialog as the device draws it, drawn now when it is out of date (null
    // without a dialog or for a dialog too large to draw).
    const QImage &Picture() const;

signals:
    // The dialog's size changed: the window around the view should follow.
    void SizeChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void OnChanged(int what);
    void FitToDialog();
    void EnsureDrawn() const;
    // The canvas rectangle in the widget's coordinates.
    QRect ToWidget(const kx::KXRect &area) const;
    kx::KXRect SelectionFrame() const;

    QPointer<CKXDialogEditorDoc> m_doc;
    kx::DialogPainter &m_painter;
    // The dialog as drawn, and the QImage that shows the surface's rows without a copy.
    mutable kx::Surface m_canvas;
    mutable QImage m_picture;
    mutable bool m_dirty = true;
    // What must be drawn again before the next paint, short of everything.
    mutable kx::KXRect m_dirtyArea;
    kx::KXRect m_shownFrame;
};
