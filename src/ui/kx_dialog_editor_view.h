// The canvas of one dialog window: the dialog drawn by the renderer, one device pixel per pixel.
#pragma once

#include "ui/kx_dialog_editor_doc.h"

#include <QImage>
#include <QWidget>

namespace kx {
class DialogPainter;
}

class CKXDialogEditorView : public QWidget {
    Q_OBJECT

public:
    CKXDialogEditorView(
        CKXDialogData *dialog, kx::DialogPainter &painter, QWidget *parent = nullptr);

    CKXDialogEditorDoc &Document() { return m_doc; }
    const CKXDialogEditorDoc &Document() const { return m_doc; }

    // Draws the dialog again and fits the view to its size.
    void Redraw();
    // The last drawn picture of the dialog (null before the first drawing or without a dialog).
    const QImage &Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FitToDialog();

    CKXDialogEditorDoc m_doc;
    kx::DialogPainter &m_painter;
    QImage m_picture;
};
