// The events of a play, as the generated application would receive them: one row per event with
// the object (or the pointer's place), the arguments, and the handler of the dialog's class that
// "kxdialog generate" writes for it, so that the user sees which stub runs.
#pragma once

#include "ui/canvas/play_session.h"

#include <QAbstractTableModel>
#include <QDockWidget>

#include <cstdint>
#include <vector>

class CKXDialogData;
class QTableView;

class CPlayEventsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kColumnNumber, kColumnTarget, kColumnArguments, kColumnHandler, kColumnCount };
    // Rows kept at most; the oldest go first.
    static constexpr int kMaxRows = 2000;

    explicit CPlayEventsModel(QObject *parent = nullptr);

    // A new play of the dialog: the list starts empty.
    void Start(const CKXDialogData &dialog);
    // A pointer that keeps moving, or an edit box typed into again, updates its last row.
    void Add(const PlayEvent &event);
    void Retranslate();

    // A row's cells as shown, for tests and the screenshots.
    QString Text(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        PlayEvent::Kind kind = PlayEvent::Kind::CursorDown;
        std::uint64_t serial = 0;
        int number = 0;
        QString object;
        int x = 0;
        int y = 0;
        QString text;
        QString handler; // "DlgHome::ClickButton"
        bool clickCase = false; // the click handler has a case for the object
        int count = 1;
    };

    std::vector<Row> m_rows;
    std::string m_className;
    const CKXDialogData *m_dialog = nullptr;
    int m_next = 1;
};

class CPlayEventsDock : public QDockWidget {
    Q_OBJECT

public:
    explicit CPlayEventsDock(QWidget *parent = nullptr);

    CPlayEventsModel *Model() const { return m_model; }
    QTableView *Table() const { return m_table; }
    void Start(const CKXDialogData &dialog);
    void Add(const PlayEvent &event);

protected:
    void changeEvent(QEvent *event) override;

private:
    void RetranslateUi();

    CPlayEventsModel *m_model = nullptr;
    QTableView *m_table = nullptr;
};
