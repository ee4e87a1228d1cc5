#include "ui/canvas/kx_dialog_editor_view.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "render/dialog_painter.h"
#include "render/surface.h"
#include "ui/support/picture_image.h"

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
    // Many edits may arrive before the next paint: the dialog is drawn once, when shown.
    m_dirty = true;
    const QSize before = size();
    FitToDialog();
    if (size() != before)
        emit SizeChanged();
    update();
}

const QImage &CKXDialogEditorView::Picture() const
{
    EnsureDrawn();
    return m_picture;
}

void CKXDialogEditorView::EnsureDrawn() const
{
    if (!m_dirty)
        return;
    m_dirty = false;
    m_picture = QImage();
    CKXDialogData *dialog = Dialog();
    if (!dialog)
        return;
    kx::Surface canvas(dialog->Width(), dialog->Height());
    if (canvas.IsEmpty())
        return;
    m_painter.PaintDialog(canvas, *dialog);
    m_picture = kx::ui::ToQImage(canvas);
    m_picture.setDevicePixelRatio(devicePixelRatioF());
}

void CKXDialogEditorView::FitToDialog()
{
    // One device pixel per pixel of the dialog.
    const CKXDialogData *dialog = Dialog();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = dialog && dialog->Width() > 0 && dialog->Height() > 0
        ? QSize(std::min(dialog->Width(), kx::Surface::kMaxDimension),
            std::min(dialog->Height(), kx::Surface::kMaxDimension))
        : QSize(1, 1);
    setFixedSize(QSizeF(pixels.width() / ratio, pixels.height() / ratio).toSize());
}

void CKXDialogEditorView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &picture = Picture();
    if (picture.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    if (picture.devicePixelRatio() != devicePixelRatioF()) {
        m_dirty = true;
        FitToDialog();
    }
    painter.drawImage(QPoint(0, 0), Picture());
    PaintSelection(painter);
}

void CKXDialogEditorView::PaintSelection(QPainter &painter) const
{
    const CKXDialogData *dialog = Dialog();
    if (!dialog)
        return;
    kx::KXRect bounds {};
    dialog->RootGroup()->CollectSelectionInfo(&bounds, nullptr, nullptr, nullptr);
    if (bounds.IsEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QRectF frame(
        bounds.left / ratio, bounds.top / ratio, bounds.Width() / ratio, bounds.Height() / ratio);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(frame.adjusted(0, 0, -1 / ratio, -1 / ratio));
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.drawRect(frame.adjusted(0, 0, -1 / ratio, -1 / ratio));
}
