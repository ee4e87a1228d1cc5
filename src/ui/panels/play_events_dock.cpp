#include "ui/panels/play_events_dock.h"

#include "codegen/handler_names.h"
#include "model/kx_dialog_data.h"
#include "model/object_data.h"
#include "ui/support/qt_text.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

namespace {

using Kind = PlayEvent::Kind;

kx::DialogEvent HandlerEvent(Kind kind)
{
    switch (kind) {
    case Kind::Down:
        return kx::DialogEvent::DownButton;
    case Kind::Up:
        return kx::DialogEvent::UpButton;
    case Kind::Click:
    case Kind::Repeat:
        return kx::DialogEvent::ClickButton;
    default:
        return kx::DialogEvent::MoveCursor;
    }
}

// The act the handler is called with, as the library names it.
QString ActName(Kind kind)
{
    switch (kind) {
    case Kind::CursorDown:
    case Kind::Down:
        return QStringLiteral("KX_ACT_DOWN");
    case Kind::CursorMove:
        return QStringLiteral("KX_ACT_MOVE");
    case Kind::CursorUp:
    case Kind::Up:
        return QStringLiteral("KX_ACT_UP");
    case Kind::Click:
        return QStringLiteral("KX_ACT_CLICK");
    case Kind::Repeat:
        return QStringLiteral("KX_ACT_REPEAT");
    case Kind::Text:
        break;
    }
    return QString();
}

bool IsPointer(Kind kind)
{
    return kind == Kind::CursorDown || kind == Kind::CursorMove || kind == Kind::CursorUp;
}

} // namespace

CPlayEventsModel::CPlayEventsModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void CPlayEventsModel::Start(const CKXDialogData &dialog)
{
    beginResetModel();
    m_rows.clear();
    m_dialog = &dialog;
    m_next = 1;
    endResetModel();
}

void CPlayEventsModel::Add(const PlayEvent &event)
{
    if (!m_dialog)
        return;
    // A pointer that keeps moving and a box typed into again are one row each, brought up to
    // date, so that the list shows what happened rather than every step of it.
    if (!m_rows.empty()) {
        Row &last = m_rows.back();
        const bool sameObject = event.object && last.serial == event.object->Serial();
        if (last.kind == event.kind
            && (event.kind == Kind::CursorMove || (event.kind == Kind::Text && sameObject))) {
            last.x = event.x;
            last.y = event.y;
            last.text = kx::ui::FromModelText(event.text);
            ++last.count;
            const int row = static_cast<int>(m_rows.size()) - 1;
            emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
            return;
        }
    }
    if (static_cast<int>(m_rows.size()) >= kMaxRows) {
        beginRemoveRows(QModelIndex(), 0, 0);
        m_rows.erase(m_rows.begin());
        endRemoveRows();
    }
    Row row;
    row.kind = event.kind;
    row.number = m_next++;
    row.x = event.x;
    row.y = event.y;
    row.text = kx::ui::FromModelText(event.text);
    if (event.object) {
        row.serial = event.object->Serial();
        row.object = kx::ui::FromUtf8(event.object->Name());
        row.clickCase = kx::HasClickCase(*event.object);
    }
    if (event.kind != Kind::Text)
        row.handler = kx::ui::FromUtf8(kx::HandlerName(*m_dialog, HandlerEvent(event.kind)));
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

void CPlayEventsModel::Retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

QString CPlayEventsModel::Text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    const Row &r = m_rows[static_cast<std::size_t>(row)];
    switch (column) {
    case kColumnNumber:
        return QString::number(r.number);
    case kColumnTarget:
        return IsPointer(r.kind) ? tr("ポインタ") : r.object;
    case kColumnArguments: {
        if (r.kind == Kind::Text)
            return QStringLiteral("\"%1\"").arg(r.text);
        QString arguments = ActName(r.kind);
        if (IsPointer(r.kind))
            arguments = QStringLiteral("%1, %2, %3").arg(r.x).arg(r.y).arg(arguments);
        if (r.count > 1)
            arguments += QStringLiteral("  (×%1)").arg(r.count);
        return arguments;
    }
    case kColumnHandler:
        if (r.kind == Kind::Text)
            return tr("なし（文字列はエディットボックスが保持します）");
        if ((r.kind == Kind::Click || r.kind == Kind::Repeat) && r.clickCase)
            return tr("%1（case %2）").arg(r.handler, r.object);
        return r.handler;
    default:
        return QString();
    }
}

int CPlayEventsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CPlayEventsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CPlayEventsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return Text(index.row(), index.column());
}

QVariant CPlayEventsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case kColumnNumber:
        return QStringLiteral("#");
    case kColumnTarget:
        return tr("対象");
    case kColumnArguments:
        return tr("引数");
    case kColumnHandler:
        return tr("ハンドラ");
    default:
        return QVariant();
    }
}

CPlayEventsDock::CPlayEventsDock(QWidget *parent)
    : QDockWidget(parent)
{
    setObjectName(QStringLiteral("PlayEvents"));
    m_model = new CPlayEventsModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(
        CPlayEventsModel::kColumnNumber, QHeaderView::ResizeToContents);
    m_table->setColumnWidth(CPlayEventsModel::kColumnTarget, 140);
    m_table->setColumnWidth(CPlayEventsModel::kColumnArguments, 220);
    setWidget(m_table);
    RetranslateUi();
}

void CPlayEventsDock::Start(const CKXDialogData &dialog)
{
    m_model->Start(dialog);
}

void CPlayEventsDock::Add(const PlayEvent &event)
{
    m_model->Add(event);
    m_table->scrollToBottom();
}

void CPlayEventsDock::RetranslateUi()
{
    setWindowTitle(tr("イベント"));
    m_model->Retranslate();
}

void CPlayEventsDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDockWidget::changeEvent(event);
}
