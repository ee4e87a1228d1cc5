// The project check in the editor: the command that checks the project as it is in memory, and
// the dockable list of what it found. A double-click on a row selects what the row concerns.
#pragma once

#include "check/problem.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDocumentSet;
class CProjectContext;
class CResourceDlg;
class KXClass;
class QAction;
class QLabel;
class QTableView;

// The problems of the last check, one row each. Rows keep names and serials but no pointers: the
// project may change after the check, and a row finds its resource again by serial when it is
// used, so a resource that has gone is never touched.
class CCheckResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kColumnSeverity, kColumnLine, kColumnConcerns, kColumnMessage, kColumnCount };
    // What a row selects when it is double-clicked.
    enum class Target { None, Dialog, Object, Font, Image };

    struct Row {
        kx::Severity severity = kx::Severity::kError;
        kx::ProblemKind kind = kx::ProblemKind::kNotWellFormed;
        int line = 0;
        std::string source; // the message as the check wrote it
        QString message; // as shown, in the editor's language
        // The names of the dialog and object, or the font or image, the problem concerns.
        QString dialogName, objectName, fontName, imageName;
        QString concerns; // as shown
        Target target = Target::None;
        std::uint64_t serial = 0;
    };

    explicit CCheckResultsModel(QObject *parent = nullptr);

    void SetProblems(const std::vector<kx::Problem> &problems);
    // The row, or none outside the list.
    const Row *RowAt(int row) const;
    int Count(kx::Severity severity) const;
    // The language changed: the rows and titles are said again.
    void Retranslate();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The message and the concerns column in the language installed now.
    static void Describe(Row &row);

    std::vector<Row> m_rows;
};

class CCheckResultsDock : public QDockWidget {
    Q_OBJECT

public:
    // fileOfModel answers the project file that the model still matches element for element
    // (its own file, unmodified since it was read or saved), or an empty text: only then are
    // lines shown, since lines of another state of the project would point at wrong elements.
    CCheckResultsDock(CProjectContext &project, CDocumentSet &documents, CResourceDlg &panel,
        std::function<std::string()> fileOfModel, QWidget *parent = nullptr);

    // "プロジェクトの検査" (F7): runs the check.
    QAction *RunAction() const { return m_runAction; }
    // Checks the project as it is now, fills the list and shows the dock.
    void Run();
    // The project changed after the check: the summary says so (the rows stay).
    void MarkOutdated();
    bool IsOutdated() const { return m_outdated; }

    // Selects what the row concerns: an object in its dialog's window and in the panel as a
    // click on its tree item does, a dialog's window, a font or image definition in its tab.
    // When it has left the project the check runs again instead. Answers whether something was
    // selected.
    bool ActivateRow(int row);

    CCheckResultsModel *Results() const { return m_results; }
    QTableView *View() const { return m_view; }
    QLabel *Summary() const { return m_summary; }

protected:
    void changeEvent(QEvent *event) override;

private:
    // The title, the command and the rows in the language installed now.
    void RetranslateUi();
    // The live resource a row concerns, found by its serial; none when it has gone.
    KXClass *Find(const CCheckResultsModel::Row &row) const;
    void Select(KXClass *resource);
    void ShowSummary();

    CProjectContext &m_project;
    QPointer<CResourceDlg> m_panel;
    std::function<std::string()> m_fileOfModel;
    CCheckResultsModel *m_results = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_summary = nullptr;
    QAction *m_runAction = nullptr;
    bool m_checked = false;
    bool m_withLines = false;
    bool m_outdated = false;
    // The check ran again because a chosen row's resource had gone.
    bool m_rechecked = false;
};
