// What the three lists of the resource panel share: a table with virtual rows (its model answers
// each visible cell from the project on demand), grid lines, whole-row picking and one current
// row that the list itself draws as selected.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

// The model side: a fixed set of columns and a row count that the panel keeps in step with the
// project. Subclasses answer the cells.
class CResourceListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // headers: the column titles as written, translated under this class's context.
    explicit CResourceListModel(std::vector<const char *> headers, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes a new row count and has every visible row asked again. Rows are computed when drawn,
    // so this costs what the visible rows cost, however long the list.
    void SetRowCount(int count);
    // Has the visible rows asked again without a change of count.
    void RefreshRows();
    int CurrentRow() const { return m_current; }
    void SetCurrentRow(int row);
    // The language changed: the titles and the cells are asked again.
    void Retranslate();

private:
    std::vector<const char *> m_headers;
    int m_count = 0;
    int m_current = -1;
};

class CResourceListView : public QTableView {
    Q_OBJECT

public:
    CResourceListView(CResourceListModel *model, int rowHeight, QWidget *parent = nullptr);

    CResourceListModel *ListModel() const { return m_model; }
    // The current row (-1 for none); the row that was current before is drawn again.
    void SetCurrentRow(int row);
    int GetCurrentRow() const { return m_model->CurrentRow(); }
    // Column widths in pixels, in column order.
    void SetColumnWidths(std::initializer_list<int> widths);

signals:
    // The user pressed the mouse on a row, with these modifier keys.
    void RowClicked(int row, Qt::KeyboardModifiers modifiers);

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    CResourceListModel *m_model;
};
