#include "ui/canvas/kx_dialog_editor_view.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "render/dialog_painter.h"
#include "ui/canvas/play_mode.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
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
    return {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0,
        (modifiers & Qt::AltModifier) != 0};
}

// Guides, distances and their numbers: one colour that stands out on dialogs and the grid.
const QColor kGuideColour(236, 0, 140);
const QColor kGridColour(0, 110, 255, 60);

// The dropped files that can become Picture objects.
QStringList DroppedPictures(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (suffix == QStringLiteral("png") || suffix == QStringLiteral("gif"))
            files.append(url.toLocalFile());
    }
    return files;
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
    setAcceptDrops(true);
    if (m_doc) {
        connect(m_doc, &CKXDialogEditorDoc::Changed, this, &CKXDialogEditorView::OnChanged);
        if (CKXDialogData *dialog = m_doc->Dialog())
            m_interaction
                = std::make_unique<CCanvasInteraction>(*dialog, static_cast<ICanvasHost &>(*this));
    }
    ApplySnapOptions();
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
    ApplySnapOptions();
    FitToDialog();
    emit SizeChanged();
    emit ZoomChanged(m_zoom);
    update();
    ReportPointer();
}

void CKXDialogEditorView::ZoomAround(int zoom, const QPointF &widgetPoint)
{
    const qreal before = Scale() / devicePixelRatioF();
    const QPointF canvas = widgetPoint / before;
    const QPoint held = mapToGlobal(widgetPoint.toPoint());
    SetZoom(zoom);
    auto *window = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!window)
        return;
    // The window has taken the new size; it moves so that the point is where it was.
    const QPointF now = canvas * (Scale() / devicePixelRatioF());
    const QPoint shift = held - mapToGlobal(now.toPoint());
    if (!shift.isNull())
        window->move(window->pos() + shift);
    ReportPointer();
}

void CKXDialogEditorView::ZoomKeepingInView(int zoom)
{
    const CKXDialogData *dialog = Dialog();
    if (!dialog) {
        SetZoom(zoom);
        return;
    }
    const kx::KXRect frame = m_interaction ? m_interaction->Tracker().rect : kx::KXRect {};
    const kx::KXRect around = frame.IsEmpty() ? Whole(*dialog) : frame;
    const QPointF centre((around.left + around.right) / 2.0, (around.top + around.bottom) / 2.0);
    const qreal before = Scale() / devicePixelRatioF();
    ZoomAround(zoom, centre * before);
    auto *window = qobject_cast<QMdiSubWindow *>(parentWidget());
    QMdiArea *area = window ? window->mdiArea() : nullptr;
    if (!area)
        return;
    // A centre that was out of sight is brought to the middle of the area.
    QWidget *port = area->viewport();
    const QPoint seen
        = port->mapFromGlobal(mapToGlobal((centre * (Scale() / devicePixelRatioF())).toPoint()));
    if (!port->rect().contains(seen))
        window->move(window->pos() + (port->rect().center() - seen));
    ReportPointer();
}

void CKXDialogEditorView::ReportPointer()
{
    if (!m_mouseInside)
        return;
    const QPoint local = mapFromGlobal(m_lastGlobal.toPoint());
    const QPoint p = ToCanvas(local);
    const CKXDialogData *dialog = Dialog();
    emit CanvasPointChanged(p,
        dialog && rect().contains(local) && p.x() >= 0 && p.y() >= 0 && p.x() < dialog->Width()
            && p.y() < dialog->Height());
}

void CKXDialogEditorView::SetGrid(bool shown, int spacing)
{
    spacing = std::max(spacing, 1);
    if (shown == m_gridShown && spacing == m_gridSpacing)
        return;
    m_gridShown = shown;
    m_gridSpacing = spacing;
    ApplySnapOptions();
    update();
}

void CKXDialogEditorView::SetSnapping(bool guides, bool toGrid)
{
    m_guides = guides;
    m_snapToGrid = toGrid;
    ApplySnapOptions();
}

void CKXDialogEditorView::ApplySnapOptions()
{
    if (!m_interaction)
        return;
    SnapOptions options;
    options.guides = m_guides;
    options.grid = m_snapToGrid ? m_gridSpacing : 0;
    options.zoom = m_zoom;
    m_interaction->SetSnapOptions(options);
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
    // The guides are drawn over the picture too: only their strips are painted again.
    static const SnapResult kNone;
    const SnapResult &snap = m_interaction ? m_interaction->Snap() : kNone;
    if (snap != m_shownSnap) {
        update(GuideRegion(m_shownSnap) + GuideRegion(snap));
        m_shownSnap = snap;
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
    // The exposed parts of the canvas, whole canvas pixels, enlarged without smoothing. A drag
    // exposes thin strips far apart (the guides): each is drawn on its own.
    const qreal factor = Scale() / devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect &exposed : event->region()) {
        const QPoint first = ToCanvas(exposed.topLeft());
        const QPoint last = ToCanvas(exposed.bottomRight());
        const QRect source = QRect(first, last).intersected(picture.rect());
        if (source.isEmpty())
            continue;
        const QRectF target(source.left() * factor, source.top() * factor, source.width() * factor,
            source.height() * factor);
        painter.drawImage(target, picture, source);
        if (m_gridShown)
            PaintLayoutGrid(painter, exposed);
        if (m_zoom >= kGridZoom)
            PaintGrid(painter, exposed);
    }
    if (m_play) {
        m_play->PaintOverlay(painter);
        return;
    }
    PaintTracker(painter);
    PaintGuides(painter);
}

void CKXDialogEditorView::PaintLayoutGrid(QPainter &painter, const QRect &exposed) const
{
    // Lines on the multiples of the spacing, over the picture and never into it.
    const qreal factor = Scale() / devicePixelRatioF();
    const QPoint first = ToCanvas(exposed.topLeft());
    const QPoint last = ToCanvas(exposed.bottomRight());
    const int step = m_gridSpacing;
    const auto firstLine
        = [step](int v) { return (v >= 0 ? v / step : (v - step + 1) / step) * step; };
    painter.setPen(QPen(kGridColour, 0));
    for (int x = firstLine(first.x()); x <= last.x() + 1; x += step)
        painter.drawLine(
            QPointF(x * factor, exposed.top()), QPointF(x * factor, exposed.bottom() + 1));
    for (int y = firstLine(first.y()); y <= last.y() + 1; y += step)
        painter.drawLine(
            QPointF(exposed.left(), y * factor), QPointF(exposed.right() + 1, y * factor));
}

QRect CKXDialogEditorView::DistanceLabel(const SnapDistance &distance) const
{
    const qreal factor = Scale() / devicePixelRatioF();
    const QString text = QString::number(distance.Length());
    const QFontMetrics metrics(font());
    const QSize box(metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
    const qreal middle = (distance.from + distance.to) / 2.0 * factor;
    const qreal across = (distance.across + 0.5) * factor;
    // Beside the distance's line: above a horizontal one, right of a vertical one.
    const QPoint at = distance.horizontal
        ? QPoint(qRound(middle) - box.width() / 2, qRound(across) - box.height() - 2)
        : QPoint(qRound(across) + 3, qRound(middle) - box.height() / 2);
    return QRect(at, box);
}

QRegion CKXDialogEditorView::GuideRegion(const SnapResult &snap) const
{
    QRegion region;
    const qreal factor = Scale() / devicePixelRatioF();
    for (const SnapLine &line : snap.lines) {
        const int at = qRound(line.position * factor);
        region += line.vertical ? QRect(at - 1, 0, 3, height()) : QRect(0, at - 1, width(), 3);
    }
    for (const SnapDistance &distance : snap.distances) {
        const int from = qRound(distance.from * factor);
        const int to = qRound(distance.to * factor);
        const int across = qRound((distance.across + 0.5) * factor);
        region += distance.horizontal ? QRect(from - 1, across - 4, to - from + 3, 9)
                                      : QRect(across - 4, from - 1, 9, to - from + 3);
        region += DistanceLabel(distance).adjusted(-1, -1, 1, 1);
    }
    return region;
}

void CKXDialogEditorView::PaintGuides(QPainter &painter) const
{
    const SnapResult &snap = m_shownSnap;
    if (snap.lines.empty() && snap.distances.empty())
        return;
    const qreal factor = Scale() / devicePixelRatioF();
    painter.setPen(QPen(kGuideColour, 0));
    for (const SnapLine &line : snap.lines) {
        const qreal at = line.position * factor;
        if (line.vertical)
            painter.drawLine(QPointF(at, 0), QPointF(at, height()));
        else
            painter.drawLine(QPointF(0, at), QPointF(width(), at));
    }
    for (const SnapDistance &distance : snap.distances) {
        const qreal from = distance.from * factor;
        const qreal to = distance.to * factor;
        const qreal across = (distance.across + 0.5) * factor;
        painter.setPen(QPen(kGuideColour, 0));
        if (distance.horizontal) {
            painter.drawLine(QPointF(from, across), QPointF(to, across));
            painter.drawLine(QPointF(from, across - 3), QPointF(from, across + 3));
            painter.drawLine(QPointF(to, across - 3), QPointF(to, across + 3));
        } else {
            painter.drawLine(QPointF(across, from), QPointF(across, to));
            painter.drawLine(QPointF(across - 3, from), QPointF(across + 3, from));
            painter.drawLine(QPointF(across - 3, to), QPointF(across + 3, to));
        }
        const QRect label = DistanceLabel(distance);
        painter.fillRect(label, kGuideColour);
        painter.setPen(Qt::white);
        painter.drawText(label, Qt::AlignCenter, QString::number(distance.Length()));
    }
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
    m_lastGlobal = event->globalPosition();
    m_mouseInside = true;
    const QPoint p = ToCanvas(event->position());
    const CKXDialogData *dialog = Dialog();
    emit CanvasPointChanged(p,
        dialog && p.x() >= 0 && p.y() >= 0 && p.x() < dialog->Width() && p.y() < dialog->Height());
    if (!m_interaction || !dialog)
        return;
    if (event->buttons() & Qt::LeftButton)
        m_interaction->Move(p.x(), p.y(), KeysOf(event->modifiers()));
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
    m_lastGlobal = event->globalPosition();
    m_mouseInside = true;
    if (delta != 0)
        ZoomAround(m_zoom + (delta > 0 ? 1 : -1), event->position());
    event->accept();
}

void CKXDialogEditorView::leaveEvent(QEvent *event)
{
    m_mouseInside = false;
    emit CanvasPointChanged(QPoint(), false);
    QWidget::leaveEvent(event);
}

void CKXDialogEditorView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_play || !m_interaction || !Dialog()) {
        QWidget::contextMenuEvent(event);
        return;
    }
    const QPoint p = ToCanvas(event->pos());
    // The menu acts on the selection: an object outside it is selected first, as a click would.
    CObjectData *under = Dialog()->RootGroup()->PickAt(p.x(), p.y());
    if (under && !under->IsSelected() && !m_interaction->IsPressed()) {
        m_interaction->Press(p.x(), p.y(), {});
        m_interaction->Release(p.x(), p.y(), {});
    }
    emit ContextMenuRequested(p, event->globalPos());
    event->accept();
}

void CKXDialogEditorView::dragEnterEvent(QDragEnterEvent *event)
{
    // Other files (a project) go on to the main window.
    if (!m_play && Dialog() && !DroppedPictures(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKXDialogEditorView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!m_play && Dialog() && !DroppedPictures(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKXDialogEditorView::dropEvent(QDropEvent *event)
{
    const QStringList files = DroppedPictures(event->mimeData());
    if (m_play || !Dialog() || files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit PicturesDropped(files, ToCanvas(event->position()));
}
