#include "ui/panels/resource_list_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>

CResourceListModel::CResourceListModel(std::vector<const char *> headers, QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers(std::move(headers))
{ }

int CResourceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int CResourceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant CResourceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < columnCount())
        return tr(m_headers[static_cast<std::size_t>(section)]);
    return QVariant();
}

void CResourceListModel::SetRowCount(int count)
{
    count = std::max(count, 0);
    if (count > m_count) {
        beginInsertRows(QModelIndex(), m_count, count - 1);
        m_count = count;
        endInsertRows();
    } else if (count < m_count) {
        beginRemoveRows(QModelIndex(), count, m_count - 1);
        m_count = count;
        endRemoveRows();
    }
    if (m_current >= m_count)
        m_current = m_count - 1;
    RefreshRows();
}

void CResourceListModel::RefreshRows()
{
    if (m_count > 0)
        emit dataChanged(index(0, 0), index(m_count - 1, columnCount() - 1));
}

void CResourceListModel::Retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    RefreshRows();
}

void CResourceListModel::SetCurrentRow(int row)
{
    const int before = m_current;
    m_current = row;
    const int last = columnCount() - 1;
    if (before >= 0 && before < m_count)
        emit dataChanged(index(before, 0), index(before, last));
    if (row >= 0 && row < m_count && row != before)
        emit dataChanged(index(row, 0), index(row, last));
}

CResourceListView::CResourceListView(CResourceListModel *model, int rowHeight, QWidget *parent)
    : QTableView(parent)
    , m_model(model)
{
    model->setParent(this);
    setModel(model);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The list draws its current row itself; the view's own selection would hide those colours.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    // Fixed row heights let the view place ten thousand rows without asking for them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

void CResourceListView::SetCurrentRow(int row)
{
    m_model->SetCurrentRow(row);
    if (row >= 0 && row < m_model->rowCount())
        scrollTo(m_model->index(row, 0));
}

void CResourceListView::SetColumnWidths(std::initializer_list<int> widths)
{
    int column = 0;
    for (int width : widths)
        setColumnWidth(column++, width);
}

void CResourceListView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_model->Retranslate();
        viewport()->update();
    }
    QTableView::changeEvent(event);
}

void CResourceListView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        emit RowClicked(index.row(), event->modifiers());
}
