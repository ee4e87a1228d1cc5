#include "ui/canvas/kx_dialog_editor_view.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "render/dialog_painter.h"
#include "ui/canvas/play_mode.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <QtMath>

#include <cmath>

namespace {

kx::KXRect Whole(const CKXDialogData &dialog)
{
    return {0, 0, dialog.Width(), dialog.Height()};
}

CanvasKeys KeysOf(Qt::KeyboardModifiers modifiers)
{
    return {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0};
}

} // namespace

CKXDialogEditorView::CKXDialogEditorView(
    CKXDialogEditorDoc *document, kx::DialogPainter &painter, QWidget *parent)
    : QWidget(parent)
    , m_doc(document)
    , m_painter(painter)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    if (m_doc) {
        connect(m_doc, &CKXDialogEditorDoc::Changed, this, &CKXDialogEditorView::OnChanged);
        if (CKXDialogData *dialog = m_doc->Dialog())
            m_interaction
                = std::make_unique<CCanvasInteraction>(*dialog, static_cast<ICanvasHost &>(*this));
    }
    Redraw();
}

CKXDialogEditorView::~CKXDialogEditorView()
{
    if (m_play)
        m_play->ViewClosing();
}

qreal CKXDialogEditorView::Scale() const
{
    return static_cast<qreal>(m_zoom);
}

void CKXDialogEditorView::SetZoom(int zoom)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    FitToDialog();
    emit SizeChanged();
    emit ZoomChanged(m_zoom);
    update();
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

void CKXDialogEditorView::SetStates(const kx::IObjectStates *states)
{
    m_states = states;
    Redraw();
}

void CKXDialogEditorView::SetPlay(CPlayMode *play)
{
    m_play = play;
    Redraw();
}

void CKXDialogEditorView::UpdateArea(const kx::KXRect &area)
{
    m_dirtyArea = m_dirtyArea.United(area);
    update(ToWidget(area));
}

void CKXDialogEditorView::OnChanged(int what)
{
    const CKXDialogData *dialog = Dialog();
    if (!dialog)
        return;
    // An edit made elsewhere (the panel, undo, a paste) moves the frame; a drag in progress
    // keeps its own.
    if (m_interaction && !m_interaction->IsPressed())
        m_interaction->SyncTracker();
    const kx::KXRect area = m_doc->ChangedArea();
    const bool resized = m_canvas.Width() != std::min(dialog->Width(), kx::Surface::kMaxDimension)
        || m_canvas.Height() != std::min(dialog->Height(), kx::Surface::kMaxDimension);
    if (resized || area == Whole(*dialog) || (what & kChangeDialog)) {
        Redraw();
    } else if (!area.IsEmpty()) {
        m_dirtyArea = m_dirtyArea.United(area);
        update(ToWidget(area));
    }
    Invalidate();
}

void CKXDialogEditorView::Invalidate()
{
    // The frame is drawn over the picture: its old and new places are painted again.
    const kx::KXRect frame = m_interaction ? m_interaction->Tracker().rect : kx::KXRect {};
    if (frame != m_shownFrame) {
        update(ToWidget(m_shownFrame).adjusted(-2, -2, 2, 2));
        update(ToWidget(frame).adjusted(-2, -2, 2, 2));
        emit SelectionChanged(QRect(frame.left, frame.top, frame.Width(), frame.Height()));
    }
}

// ---- The canvas host ----

CObjectData *CKXDialogEditorView::CurrentObject()
{
    KXClass *current = m_doc ? m_doc->Current() : nullptr;
    if (!current || current->Kind() != kKindObject)
        return nullptr;
    return static_cast<CObjectData *>(current);
}

void CKXDialogEditorView::Reselect(CObjectData *object)
{
    if (!m_doc || !Dialog())
        return;
    m_doc->SetCurrent(object ? static_cast<KXClass *>(object) : Dialog());
    m_doc->Notify(kChangeSelection);
}

void CKXDialogEditorView::Preview(const kx::KXRect &area)
{
    m_dirtyArea = m_dirtyArea.United(area);
    update(ToWidget(area));
    Invalidate();
    // The panel's position and size fields follow the drag.
    if (m_doc)
        m_doc->Notify(kChangeGeometry);
}

void CKXDialogEditorView::Commit()
{
    if (m_doc)
        m_doc->Commit(kChangeGeometry);
}

// ---- Drawing ----

const QImage &CKXDialogEditorView::Picture() const
{
    EnsureDrawn();
    return m_picture;
}

void CKXDialogEditorView::EnsureDrawn() const
{
    // The painter serves every window: the states are this canvas's only while it draws.
    struct StatesWhileDrawing {
        kx::DialogPainter &painter;
        ~StatesWhileDrawing() { painter.SetStateSource(nullptr); }
    } states {m_painter};
    m_painter.SetStateSource(m_play ? &m_play->Session() : m_states);
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
    const CKXDialogData *dialog = Dialog();
    const QSize pixels = dialog && dialog->Width() > 0 && dialog->Height() > 0
        ? QSize(std::min(dialog->Width(), kx::Surface::kMaxDimension),
            std::min(dialog->Height(), kx::Surface::kMaxDimension))
        : QSize(1, 1);
    // One device pixel per canvas pixel at 100 %, whatever the screen's pixel ratio.
    const qreal factor = Scale() / devicePixelRatioF();
    setFixedSize(
        QSize(qCeil(pixels.width() * factor - 1e-9), qCeil(pixels.height() * factor - 1e-9)));
}

QPoint CKXDialogEditorView::ToCanvas(const QPointF &position) const
{
    const qreal factor = devicePixelRatioF() / Scale();
    return QPoint(static_cast<int>(std::floor(position.x() * factor)),
        static_cast<int>(std::floor(position.y() * factor)));
}

QRect CKXDialogEditorView::ToWidget(const kx::KXRect &area) const
{
    if (area.IsEmpty())
        return QRect();
    const qreal factor = Scale() / devicePixelRatioF();
    return QRectF(
        area.left * factor, area.top * factor, area.Width() * factor, area.Height() * factor)
        .toAlignedRect();
}

void CKXDialogEditorView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &picture = Picture();
    if (picture.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    // The exposed part of the canvas, whole canvas pixels, enlarged without smoothing.
    const qreal factor = Scale() / devicePixelRatioF();
    const QRect exposed = event->rect();
    const QPoint first = ToCanvas(exposed.topLeft());
    const QPoint last = ToCanvas(exposed.bottomRight());
    const QRect source = QRect(first, last).intersected(picture.rect());
    if (!source.isEmpty()) {
        const QRectF target(source.left() * factor, source.top() * factor, source.width() * factor,
            source.height() * factor);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(target, picture, source);
    }
    if (m_zoom >= kGridZoom)
        PaintGrid(painter, exposed);
    if (m_play)
        m_play->PaintOverlay(painter);
    else
        PaintTracker(painter);
}

void CKXDialogEditorView::PaintGrid(QPainter &painter, const QRect &exposed) const
{
    const qreal factor = Scale() / devicePixelRatioF();
    const QPoint first = ToCanvas(exposed.topLeft());
    const QPoint last = ToCanvas(exposed.bottomRight());
    painter.setPen(QPen(QColor(128, 128, 128, 90), 0));
    for (int x = first.x(); x <= last.x() + 1; ++x)
        painter.drawLine(
            QPointF(x * factor, exposed.top()), QPointF(x * factor, exposed.bottom() + 1));
    for (int y = first.y(); y <= last.y() + 1; ++y)
        painter.drawLine(
            QPointF(exposed.left(), y * factor), QPointF(exposed.right() + 1, y * factor));
}

void CKXDialogEditorView::PaintTracker(QPainter &painter) const
{
    const kx::KXRect frame = m_interaction ? m_interaction->Tracker().rect : kx::KXRect {};
    const_cast<CKXDialogEditorView *>(this)->m_shownFrame = frame;
    if (frame.IsEmpty())
        return;
    // A frame that shows on any colour: white under black dashes, and black handles.
    const QRect box = ToWidget(frame).adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.drawRect(box);
    for (const kx::KXRect &handle : m_interaction->Tracker().Handles())
        painter.fillRect(ToWidget(handle), Qt::black);
}

// ---- Mouse and keys ----

void CKXDialogEditorView::UpdateCursor(const QPoint &canvas)
{
    static const Qt::CursorShape kShapes[] = {Qt::ArrowCursor, Qt::SizeFDiagCursor,
        Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor, Qt::SizeAllCursor,
        Qt::SizeHorCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor};
    const int code = m_interaction ? m_interaction->Tracker().HitTest(canvas.x(), canvas.y()) : 0;
    setCursor(kShapes[std::clamp(code, 0, 9)]);
}

void CKXDialogEditorView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_interaction || !Dialog()) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint p = ToCanvas(event->position());
    m_interaction->Press(p.x(), p.y(), KeysOf(event->modifiers()));
}

void CKXDialogEditorView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = ToCanvas(event->position());
    const CKXDialogData *dialog = Dialog();
    emit CanvasPointChanged(p,
        dialog && p.x() >= 0 && p.y() >= 0 && p.x() < dialog->Width() && p.y() < dialog->Height());
    if (!m_interaction || !dialog)
        return;
    if (event->buttons() & Qt::LeftButton)
        m_interaction->Move(p.x(), p.y());
    else
        UpdateCursor(p);
}

void CKXDialogEditorView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_interaction || !Dialog())
        return;
    const QPoint p = ToCanvas(event->position());
    m_interaction->Release(p.x(), p.y(), KeysOf(event->modifiers()));
    UpdateCursor(p);
}

void CKXDialogEditorView::keyPressEvent(QKeyEvent *event)
{
    if (!m_interaction || !Dialog()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        m_interaction->Nudge(-step, 0);
        break;
    case Qt::Key_Right:
        m_interaction->Nudge(step, 0);
        break;
    case Qt::Key_Up:
        m_interaction->Nudge(0, -step);
        break;
    case Qt::Key_Down:
        m_interaction->Nudge(0, step);
        break;
    case Qt::Key_Escape:
        Dialog()->RootGroup()->DeselectAll();
        m_interaction->Reselect(nullptr);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CKXDialogEditorView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0)
        SetZoom(m_zoom + (delta > 0 ? 1 : -1));
    event->accept();
}

void CKXDialogEditorView::leaveEvent(QEvent *event)
{
    emit CanvasPointChanged(QPoint(), false);
    QWidget::leaveEvent(event);
}
