// The canvas of one dialog window: the dialog drawn by the renderer, one device pixel per pixel.
// It draws again whenever the dialog's document reports a finished edit.
#pragma once

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

    // Draws the dialog again and fits the view to its size.
    void Redraw();
    // The last drawn picture of the dialog (null before the first drawing or without a dialog).
    const QImage &Picture() const { return m_picture; }

signals:
    // The dialog's size changed: the window around the view should follow.
    void SizeChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FitToDialog();

    QPointer<CKXDialogEditorDoc> m_doc;
    kx::DialogPainter &m_painter;
    QImage m_picture;
};
