// The documents of the project's dialogs, one per dialog, made when first asked for, and the
// project's editing history. Windows, the panel and the Edit commands reach a dialog's edit funnel
// through here, changes outside the dialogs end here as steps of the project's history, and Undo
// and Redo go back and forth through both in the order the user made them. Whoever wants to hear
// of every edit of every dialog listens to DocumentChanged.
#pragma once

#include "history/project_history.h"
#include "ui/document/kx_dialog_editor_doc.h"

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class CProjectContext;

class CDocumentSet : public QObject {
    Q_OBJECT

public:
    explicit CDocumentSet(CProjectContext &project, QObject *parent = nullptr);
    ~CDocumentSet() override;

    // The document of a dialog of the project (made now when there is none); none for a null
    // dialog.
    CKXDialogEditorDoc *For(CKXDialogData *dialog);
    // The document of the dialog if one was made.
    CKXDialogEditorDoc *Find(const CKXDialogData *dialog) const;
    // The dialog leaves the project: its document lets go of it and is deleted later.
    void Forget(const CKXDialogData *dialog);
    // Every dialog leaves the project.
    void ForgetAll();
    // After a save: no document holds unsaved changes.
    void ClearModified();

    // What a new dialog's history starts from: the repairs that drawing makes are made first (set
    // by the window that draws), then its first record is taken. loaded: the dialog came with a
    // load, whose repairs may reach the image and font definitions too; a dialog added to a
    // project being edited leaves them to the project's history.
    void SetRepair(std::function<void(CKXDialogData &, bool loaded)> repair)
    {
        m_repair = std::move(repair);
    }
    void StartHistory(CKXDialogData &dialog, bool loaded = false);

    // The funnel of changes outside the dialogs: the step (done already) joins the project's
    // history, the project is marked modified and every listener hears once. what: kChangeFonts,
    // kChangeImages, kChangeProject, kChangeDialogs.
    void CommitProject(std::unique_ptr<kx::ProjectStep> step, int what);
    // A change outside the dialogs that no history takes back (the settings' prefixes).
    void CommitResources(int what);
    // Picture or font files of the project changed on disk: whatever shows them draws them
    // afresh. The project itself is as it was.
    void FilesChanged() { emit ResourcesChanged(kChangeFiles); }

    // Undo and Redo with that document's dialog active (none: no dialog window): the latest step
    // of the project or of that dialog, whichever the user made last.
    bool CanUndo(CKXDialogEditorDoc *active);
    bool CanRedo(CKXDialogEditorDoc *active);
    std::optional<kx::StepLabel> UndoLabel(CKXDialogEditorDoc *active);
    std::optional<kx::StepLabel> RedoLabel(CKXDialogEditorDoc *active);
    void Undo(CKXDialogEditorDoc *active);
    void Redo(CKXDialogEditorDoc *active);
    // A load cannot be undone: the project's steps before it are forgotten (the dialogs keep
    // theirs).
    void ForgetProjectHistory();
    // Everything was discarded.
    void ClearHistory();
    const kx::EditJournal &Journal() const { return m_journal; }
    // What the step of the project last undone or redone did.
    const kx::StepLabel &LastStepLabel() const { return m_lastStep; }

signals:
    void DocumentChanged(CKXDialogEditorDoc *document, int what);
    // what: the EditChange flags of what changed outside the dialogs; with kChangeHistory for an
    // undone or redone step of the project, whose label tells what it concerned.
    void ResourcesChanged(int what);

private:
    void Step(CKXDialogEditorDoc *active, bool back);
    void Announce(const kx::ProjectStep &step);

    CProjectContext &m_project;
    std::map<const CKXDialogData *, CKXDialogEditorDoc *> m_documents;
    std::function<void(CKXDialogData &, bool)> m_repair;
    kx::EditJournal m_journal;
    kx::StepLabel m_lastStep;
};

// The EditChange flags of what a project step changes.
int ChangesOf(const kx::ProjectStep &step);
