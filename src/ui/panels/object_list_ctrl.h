// The objects of one dialog in pre-order: row 0 is the root group, then each object followed by
// its children. Each row is read from the dialog when it is drawn.
#pragma once

#include "ui/panels/resource_list_view.h"

class CKXDialogData;
class CObjectData;

class CObjectListModel : public CResourceListModel {
    Q_OBJECT

public:
    explicit CObjectListModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;

    CKXDialogData *Dialog() const { return m_dialog; }
    void SetDialog(CKXDialogData *dialog) { m_dialog = dialog; }
    CObjectData *ObjectAt(int row) const;
    // Forgets the row looked up last; called whenever the tree may have changed.
    void Invalidate() const
    {
        m_cachedRow = -1;
        m_cachedObject = nullptr;
    }

private:
    CKXDialogData *m_dialog = nullptr;
    // The six cells of a row are asked one after the other: one walk of the tree serves them.
    mutable int m_cachedRow = -1;
    mutable CObjectData *m_cachedObject = nullptr;
};

class CObjectListCtrl : public CResourceListView {
    Q_OBJECT

public:
    explicit CObjectListCtrl(QWidget *parent = nullptr);

    // Shows another dialog (none for no dialog): row 0 becomes current (-1 without a dialog).
    void SetDialog(CKXDialogData *dialog);
    CKXDialogData *GetDialog() const;
    // Row count := the number of nodes of the dialog's tree; the rows are asked again.
    void RefreshCount();
    // The object of the current row, or none.
    CObjectData *GetCurrentObject() const;
    // Row of the object in the dialog's pre-order, -1 when absent or without a dialog.
    int RowOf(const CObjectData *object) const;

private:
    CObjectListModel *Objects() const;
};
