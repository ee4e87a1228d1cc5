#include "ui/canvas/kx_dialog_editor_view.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "render/dialog_painter.h"

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
        connect(m_doc, &CKXDialogEditorDoc::Changed, this, &CKXDialogEditorView::OnChanged);
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

void CKXDialogEditorView::OnChanged(int what)
{
    const CKXDialogData *dialog = Dialog();
    if (!dialog)
        return;
    const kx::KXRect whole {0, 0, dialog->Width(), dialog->Height()};
    const kx::KXRect area = m_doc->ChangedArea();
    const bool resized = m_canvas.Width() != std::min(dialog->Width(), kx::Surface::kMaxDimension)
        || m_canvas.Height() != std::min(dialog->Height(), kx::Surface::kMaxDimension);
    if (resized || area == whole || (what & kChangeDialog)) {
        Redraw();
        return;
    }
    if (!area.IsEmpty()) {
        m_dirtyArea = m_dirtyArea.United(area);
        update(ToWidget(area));
    }
    // The selection frame is drawn over the picture: its old and new places are painted again.
    const kx::KXRect frame = SelectionFrame();
    if (frame != m_shownFrame) {
        update(ToWidget(m_shownFrame).adjusted(-1, -1, 1, 1));
        update(ToWidget(frame).adjusted(-1, -1, 1, 1));
    }
}

const QImage &CKXDialogEditorView::Picture() const
{
    EnsureDrawn();
    return m_picture;
}

void CKXDialogEditorView::EnsureDrawn() const
{
    CKXDialogData *dialog = Dialog();
    if (!dialog) {
        m_picture = QImage();
        m_canvas = kx::Surface();
        return;
    }
    if (m_dirty) {
        m_dirty = false;
        m_dirtyArea = {};
        m_canvas = kx::Surface(dialog->Width(), dialog->Height());
        m_picture = QImage();
        if (m_canvas.IsEmpty())
            return;
        m_painter.PaintDialog(m_canvas, *dialog);
        // The image shows the surface's rows as they are; it lives exactly as long as they do.
        m_picture = QImage(m_canvas.Bits(), m_canvas.Width(), m_canvas.Height(), m_canvas.Stride(),
            QImage::Format_BGR888);
        m_picture.setDevicePixelRatio(devicePixelRatioF());
        return;
    }
    if (!m_dirtyArea.IsEmpty() && !m_canvas.IsEmpty()) {
        const kx::KXRect area = m_dirtyArea;
        m_dirtyArea = {};
        const kx::KXRect painted = m_painter.PaintArea(m_canvas, *dialog, area);
        // A text that reached beyond the area made the painter paint more: show that too.
        if (painted != area)
            const_cast<CKXDialogEditorView *>(this)->update(ToWidget(painted));
    }
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

QRect CKXDialogEditorView::ToWidget(const kx::KXRect &area) const
{
    if (area.IsEmpty())
        return QRect();
    const qreal ratio = devicePixelRatioF();
    return QRectF(area.left / ratio, area.top / ratio, area.Width() / ratio, area.Height() / ratio)
        .toAlignedRect();
}

kx::KXRect CKXDialogEditorView::SelectionFrame() const
{
    const CKXDialogData *dialog = Dialog();
    kx::KXRect bounds {};
    if (dialog)
        dialog->RootGroup()->CollectSelectionInfo(&bounds, nullptr, nullptr, nullptr);
    return bounds;
}

void CKXDialogEditorView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_picture.devicePixelRatio() != devicePixelRatioF() && !m_picture.isNull()) {
        m_dirty = true;
        FitToDialog();
    }
    const QImage &picture = Picture();
    if (picture.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    painter.drawImage(event->rect(), picture,
        QRectF(event->rect().topLeft() * picture.devicePixelRatio(),
            event->rect().size() * picture.devicePixelRatio()));
    // A frame around the selected objects, white under black dashes so it shows on any colour.
    const kx::KXRect frame = SelectionFrame();
    m_shownFrame = frame;
    if (frame.IsEmpty())
        return;
    const QRect box = ToWidget(frame).adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.drawRect(box);
}
