// The resource panel: the whole project as a tree and three lists, the commands that create,
// delete, reorder, group and rename resources, and the property fields of the resource shown.
// Every change of a dialog's objects ends in that dialog's edit funnel; changes of fonts, images
// and the project name end in the document set's.
#pragma once

#include "history/project_history.h"
#include "platform/tree_sink.h"
#include "ui/panels/property_panel.h"

#include <QHash>
#include <QWidget>

#include <memory>

class CBmpComboBox;
class CDocumentSet;
class CFontListCtrl;
class CImageListCtrl;
class CKXDialogData;
class CKXDialogEditorDoc;
class CObjectData;
class CObjectDataList;
class CObjectListCtrl;
class CProjectContext;
class QComboBox;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kx {
class IMessageSink;
}

class CResourceDlg : public QWidget, public kx::ITreeSink {
    Q_OBJECT

public:
    // The tabs, in their order.
    enum Mode { kModeResource, kModeDialog, kModeObject, kModeImage, kModeFont };

    CResourceDlg(CProjectContext &project, CDocumentSet &documents, kx::IMessageSink &messages,
        QWidget *parent = nullptr);

    // Builds the tree again from the model, makes the first dialog current and sets the row
    // counts of the lists (after a load).
    void Refresh();
    // Empties the tree and the lists.
    void Clear();
    // A dialog window became active: the panel shows its dialog.
    void ShowDialog(CKXDialogData *dialog);

    int Mode() const { return m_mode; }
    void SetMode(int mode);
    // The resource whose fields are shown (root, dialog, object, image or font definition).
    KXClass *CurrentResource() const { return m_properties->Resource(); }
    CKXDialogData *CurrentDialog() const { return m_dialog; }

    // ---- The commands of the panel's controls ----
    void MoveUp() { Move(-1); }
    void MoveDown() { Move(+1); }
    // Deletes the resource shown (asking first when objects use it); Cut does the same as a step
    // of its own name, once Edit › Cut has put the resource on the clipboard.
    void Delete();
    void Cut();
    void GroupOrUngroup();
    // The add combo's item (1 .. types): an object in modes 1 and 2, an image definition in
    // mode 3.
    void AddType(int comboIndex);
    // "追加": a dialog in mode 1, a font definition in mode 4.
    void Add();
    // Adds a dialog with a free name (title empty, 640 x 480), shows it in the dialog tab and asks
    // for its window. None when it could not be added.
    CKXDialogData *AddDialog();
    // Renames the resource shown to the name field's text; false when the name was refused.
    bool Rename();
    // Whether the keyboard focus is in the tree or one of the lists.
    bool ListsHaveFocus() const;
    // TrueType files dropped on the Font tab: taken into the project's fonts/ folder (one
    // question for several files) and added as font definitions, one step.
    void AddFontFiles(const QStringList &files);
    // Shows a resource that came into the project from elsewhere (a pasted dialog).
    void ShowFromOutside(KXClass *resource);
    // A click on a tree item or an object list row, with the keys held.
    void ClickTreeItem(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void ClickObjectRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // ---- Widgets, for the main window and tests ----
    QTreeWidget *Tree() const { return m_tree; }
    QTabBar *Tabs() const { return m_tabs; }
    CObjectListCtrl *ObjectList() const { return m_objectList; }
    CImageListCtrl *ImageList() const { return m_imageList; }
    CFontListCtrl *FontList() const { return m_fontList; }
    QComboBox *AddCombo() const { return m_addCombo; }
    QPushButton *UpButton() const { return m_up; }
    QPushButton *DownButton() const { return m_down; }
    QPushButton *DeleteButton() const { return m_delete; }
    QPushButton *GroupButton() const { return m_group; }
    QPushButton *AddButton() const { return m_add; }
    CPropertyPanel *Properties() const { return m_properties; }
    // The tree item of a resource, or none.
    QTreeWidgetItem *ItemOf(const KXClass *resource) const { return m_items.value(resource); }
    // The model object an item stands for.
    static KXClass *ItemObject(const QTreeWidgetItem *item);

    kx::TreeItem InsertItem(kx::TreeItem parent, kx::TreeItem after, const std::string &label,
        KXClass *object) override;
    void SetExpanded(kx::TreeItem item, bool expanded) override;

signals:
    // A dialog is to be shown: its window is to be opened or brought to the front.
    void DialogOpenRequested(CKXDialogData *dialog);
    // The dialog is about to leave the project: its windows must close now.
    void DialogRemoving(CKXDialogData *dialog);

protected:
    void changeEvent(QEvent *event) override;
    // Font files dragged onto the Font tab or its list.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    // Gives the buttons, the tabs and the add combo their texts in the language installed now.
    void RetranslateUi();
    void OnDocumentChanged(CKXDialogEditorDoc *document, int what);
    void OnResourcesChanged(int what);
    // After an undo or redo of the project's history: the panel shows what the step concerned.
    void ShowStepSubject(const kx::StepLabel &label);
    // Whether the resource whose fields are shown is still one of the project's.
    bool IsShownInProject() const;

    CKXDialogEditorDoc *DocumentOf(CKXDialogData *dialog) const;
    // The dialog whose tree holds the object, or none.
    CKXDialogData *DialogOf(const CObjectData *object) const;
    // Ends an edit of the dialog's objects in its funnel; the panel has updated itself already.
    void CommitDialog(CKXDialogData *dialog, int what);
    void CommitProject(std::unique_ptr<kx::ProjectStep> step, int what);
    // A step of the project's history about the resource.
    std::unique_ptr<kx::ProjectStep> MakeStep(kx::StepAction action, const KXClass *resource) const;
    // Asks the question unless it is empty; true when the command may go on.
    bool Confirm(const QString &question);

    // Shows the resource's fields, the commands that apply to it, and marks it in the tree.
    void ShowResource(KXClass *resource);
    void ShowCommands(PropertyKind kind);
    void FillAddCombo();
    void SelectTreeItem(const KXClass *resource);
    // Rebuilds the items of one dialog's objects (after grouping, undo, paste ...).
    void RebuildDialogItems(CKXDialogData *dialog);
    // Rebuilds them only when the items no longer follow the tree (names are brought up to date
    // on the way).
    void SyncDialogItems(CKXDialogData *dialog);
    bool SameShape(const CObjectDataList &group, QTreeWidgetItem *item);
    void RemoveItem(QTreeWidgetItem *item);
    void ForgetItems(QTreeWidgetItem *item);
    QString ItemLabel(const KXClass *resource) const;
    // Selection by a click (tree or object list): a plain click selects exactly the object, a
    // Ctrl-click toggles it. Answers the resource to show.
    KXClass *ClickObject(CObjectData *object, Qt::KeyboardModifiers modifiers);

    void Move(int step);
    void AddObject(int type);
    void AddImage(int type);
    void AddFont();
    void Remove(kx::StepAction action);
    void DeleteDefinition(kx::StepAction action);
    void DeleteDialog(CKXDialogData *dialog, kx::StepAction action);
    void DeleteObject(CObjectData *object);
    void Error(const QString &text);
    void Notice(const QString &text);

    CProjectContext &m_project;
    CDocumentSet &m_documents;
    kx::IMessageSink &m_messages;
    int m_mode = kModeResource;
    CKXDialogData *m_dialog = nullptr;
    // Set while the panel commits, so it does not rebuild what it has just updated.
    bool m_committing = false;
    // The tree item clicked in the event being handled (compared, never used).
    const QTreeWidgetItem *m_clickedItem = nullptr;

    QTreeWidget *m_tree = nullptr;
    QHash<const KXClass *, QTreeWidgetItem *> m_items;
    CObjectListCtrl *m_objectList = nullptr;
    CImageListCtrl *m_imageList = nullptr;
    CFontListCtrl *m_fontList = nullptr;
    QStackedWidget *m_upper = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_group = nullptr;
    QPushButton *m_add = nullptr;
    QComboBox *m_addCombo = nullptr;
    int m_addComboMode = -1;
    CPropertyPanel *m_properties = nullptr;
    QTabBar *m_tabs = nullptr;
};
