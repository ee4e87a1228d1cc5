// The Edit menu: undo and redo through the dialog's history, cut, copy and paste through the
// clipboard, delete and select all, the six align commands, distribute, same size and the
// stacking order. Each command ends in the edit funnel of the dialog it changed, or in the
// document set's for definitions.
#pragma once

#include <QObject>

#include <QPoint>

#include <functional>
#include <optional>

#include "history/project_history.h"

class CDocumentSet;
class CKXDialogData;
class CKXDialogEditorDoc;
class CObjectDataList;
class CProjectContext;
class KXClass;
class QAction;

namespace kx {
class IMessageSink;
}

class CEditCommands : public QObject {
    Q_OBJECT

public:
    // What the panel's tab works on: cut, copy and paste follow it.
    enum class PanelTab { Project, Dialogs, Definitions };

    // What the commands need to know of the windows around them.
    struct Context {
        // The document of the active dialog window, else of the dialog the panel shows.
        std::function<CKXDialogEditorDoc *()> activeDocument;
        std::function<PanelTab()> panelTab;
        // The resource the panel shows (a dialog, an object, an image or font definition).
        std::function<KXClass *()> panelResource;
        // The panel's delete command (it asks first when objects use the resource), and the
        // same as a cut.
        std::function<void()> panelDelete;
        std::function<void()> panelCut;
        // Whether the keyboard focus is in the panel's tree or lists (Delete then acts there),
        // or on a canvas (cut and copy then take its selection).
        std::function<bool()> panelHasFocus;
        std::function<bool()> canvasHasFocus;
        // Shows a resource that a command brought into the project (a pasted dialog).
        std::function<void(KXClass *)> showResource;
        // Commits what is being typed in a property field, before the history moves.
        std::function<void()> finishEditing;
    };

    CEditCommands(CProjectContext &project, CDocumentSet &documents, kx::IMessageSink &messages,
        Context context, QObject *parent = nullptr);

    QAction *UndoAction() const { return m_undo; }
    QAction *RedoAction() const { return m_redo; }
    QAction *CutAction() const { return m_cut; }
    QAction *CopyAction() const { return m_copy; }
    QAction *PasteAction() const { return m_paste; }
    QAction *DeleteAction() const { return m_delete; }
    QAction *SelectAllAction() const { return m_selectAll; }
    // Align left, right, top, bottom, widths, heights: the order of AlignEdgeKind.
    const QList<QAction *> &AlignActions() const { return m_align; }
    // Distribute horizontally, vertically; make same width, height, size: the order of Arrange.
    const QList<QAction *> &ArrangeActions() const { return m_arrange; }
    QAction *BringToFrontAction() const { return m_front; }
    QAction *SendToBackAction() const { return m_back; }

    // The commands of ArrangeActions, in their order.
    enum Arrange {
        kDistributeHorizontally,
        kDistributeVertically,
        kSameWidth,
        kSameHeight,
        kSameSize,
        kArrangeCount
    };

    // ---- The commands, for the menus and for tests ----
    void Undo();
    void Redo();
    void Copy();
    void Cut();
    // Objects arrive 10 pixels right of and below their source while the source is still at
    // its place (each further paste 10 more); a single object arrives as itself, not in a group.
    void Paste();
    // The same with the pasted objects' top-left corner at this canvas point of the active dialog.
    void PasteAt(const QPoint &canvasPoint);
    // Removes the selected objects of the active dialog, with the groups they leave empty.
    void DeleteSelection();
    // The Delete key: what has the focus goes, the panel's item or the canvas's selection.
    void DeleteFocused();
    void SelectAll();
    void Align(int kind);
    // Equal gaps between three or more selected objects, or the size of the first selected
    // object (in the tree's order) for the others: one step each.
    void ArrangeSelection(int command);
    // The selection to the top or the bottom of its groups' stacking order (the tree's order).
    void BringToFront();
    void SendToBack();

    // Brings the enabled states up to date (before a menu shows, after every edit).
    void UpdateActions();
    // Gives the commands their texts in the language installed now.
    void RetranslateUi();

private:
    QAction *MakeAction(std::initializer_list<QKeySequence> keys);
    CKXDialogData *ActiveDialog() const;
    // The object the align commands measure against: the panel's object in its dialog and
    // object tabs.
    KXClass *AlignReference() const;
    // Tells the panel and the canvas that the selection is now this (the dialog for none).
    void Reselect(CKXDialogEditorDoc *document, KXClass *current);
    // The dialog the panel shows when cut and copy are to take it rather than objects.
    CKXDialogData *PanelDialog() const;
    void RemoveSelection(kx::StepAction action);
    // Whether the clipboard text holds objects, a dialog or definitions; says so when not.
    bool HoldsPastable(const QString &text);
    void PasteObjects(std::optional<QPoint> at);
    // Where pasted objects go: to the point, else off their source while it is in its place.
    void PlacePasted(CKXDialogData &dialog, CObjectDataList &pasted, std::optional<QPoint> at);
    void Restack(bool front);
    void PasteDefinitions(const QString &text);
    void PasteDialog(const QString &text);

    CProjectContext &m_project;
    CDocumentSet &m_documents;
    kx::IMessageSink &m_messages;
    Context m_context;
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_cut;
    QAction *m_copy;
    QAction *m_paste;
    QAction *m_delete;
    QAction *m_selectAll;
    QList<QAction *> m_align;
    QList<QAction *> m_arrange;
    QAction *m_front;
    QAction *m_back;
};
