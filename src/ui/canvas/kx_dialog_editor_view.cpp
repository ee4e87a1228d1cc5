#include "ui/canvas/kx_dialog_editor_view.h"

#include "model/kx_dialog_data.h"
#include "render/dialog_painter.h"
#include "render/surface.h"

#include <QPaintEvent>
#include <QPainter>

CKXDialogEditorView::CKXDialogEditorView(
    CKXDialogEditorDoc *document, kx::DialogPainter &painter, QWidget *parent)
    : QWidget(parent)
    , m_doc(document)
    , m_painter(painter)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (m_doc)
        connect(m_doc, &CKXDialogEditorDoc::Changed, this, [this](int) { Redraw(); });
    Redraw();
}

void CKXDialogEditorView::Redraw()
{
    m_picture = QImage();
    CKXDialogData *dialog = Dialog();
    if (dialog) {
        kx::Surface canvas(dialog->Width(), dialog->Height());
        if (!canvas.IsEmpty()) {
            m_painter.PaintDialog(canvas, *dialog);
            // The surface goes away with this scope: keep a deep copy.
            m_picture = QImage(canvas.Bits(), canvas.Width(), canvas.Height(), canvas.Stride(),
                QImage::Format_BGR888)
                            .copy();
        }
    }
    const QSize before = size();
    FitToDialog();
    if (size() != before)
        emit SizeChanged();
    update();
}

void CKXDialogEditorView::FitToDialog()
{
    const qreal ratio = devicePixelRatioF();
    m_picture.setDevicePixelRatio(ratio);
    const QSize size
        = m_picture.isNull() ? QSize(1, 1) : m_picture.deviceIndependentSize().toSize();
    setFixedSize(size);
}

void CKXDialogEditorView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    if (m_picture.devicePixelRatio() != devicePixelRatioF())
        FitToDialog();
    painter.drawImage(QPoint(0, 0), m_picture);
}
