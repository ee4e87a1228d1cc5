// The resource panel: the project as a tree of the root, its dialogs and their objects.
#pragma once

#include "platform/tree_sink.h"

#include <QWidget>

class CKXDialogData;
class CProjectContext;
class QTreeWidget;
class QTreeWidgetItem;

class CResourceDlg : public QWidget, public kx::ITreeSink {
    Q_OBJECT

public:
    explicit CResourceDlg(CProjectContext &project, QWidget *parent = nullptr);

    // Builds the tree again from the model.
    void Refresh();
    // Empties the tree.
    void Clear();

    QTreeWidget *Tree() const { return m_tree; }
    // The model object an item stands for.
    static KXClass *ItemObject(const QTreeWidgetItem *item);

    kx::TreeItem InsertItem(kx::TreeItem parent, kx::TreeItem after, const std::string &label,
        KXClass *object) override;
    void SetExpanded(kx::TreeItem item, bool expanded) override;

signals:
    // The user chose a dialog: its window is to be opened or activated.
    void DialogOpenRequested(CKXDialogData *dialog);

private:
    void OnItemChosen(QTreeWidgetItem *item);

    CProjectContext &m_project;
    QTreeWidget *m_tree;
};
