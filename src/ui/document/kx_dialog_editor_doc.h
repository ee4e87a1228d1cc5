// The window-side handle of one dialog of the project, and the one place where every edit of that
// dialog ends. The project owns the dialog; the document only refers to it.
#pragma once

#include "history/project_history.h"
#include "model/geometry.h"

#include <QObject>

#include <functional>

class CKXDialogData;
class CObjectData;
class KXClass;
class CProjectContext;

// What a finished edit touched; listeners refresh only what concerns them. Flags combine.
enum EditChange : int {
    kChangeSelection = 1 << 0, // which objects are selected (no history step on its own)
    kChangeTree = 1 << 1, // objects added, removed, grouped, reordered or renamed
    kChangeGeometry = 1 << 2, // positions and sizes of objects
    kChangeAttributes = 1 << 3, // any other attribute of objects
    kChangeDialog = 1 << 4, // the dialog's own name, title, size or background
    kChangeHistory = 1 << 5, // an undo or redo: anything may have changed
    // Changes outside the dialogs, announced by the document set.
    kChangeFonts = 1 << 6, // font definitions added, removed, renamed, reordered or edited
    kChangeImages = 1 << 7, // image definitions likewise
    kChangeProject = 1 << 8, // the project's own name
    kChangeDialogs = 1 << 9, // dialogs added, removed or reordered
    kChangeFiles = 1 << 10, // picture or font files changed on disk (replaced, copied in)
};

class CKXDialogEditorDoc : public QObject {
    Q_OBJECT

public:
    CKXDialogEditorDoc(CProjectContext &project, CKXDialogData *dialog, QObject *parent = nullptr);

    CKXDialogData *Dialog() const { return m_dialog; }
    // Lets go of the dialog (it is about to leave the project); later edits do nothing.
    void Detach();

    // The object (or the dialog itself) that the panel shows as current and that the canvas's
    // keyboard commands refer to; none when there is none. Answers none for an object that has
    // left the tree.
    KXClass *Current() const;
    void SetCurrent(KXClass *current) { m_current = current; }

    // Every finished edit ends here: one history step (none when nothing tracked changed), the
    // project marked modified, then one Changed signal. Answers whether a step was recorded.
    // label says what the step did for the Edit menu; without one it is told from what.
    bool Commit(int what, kx::StepLabel label = {});
    // Told of every step recorded, before the Changed signal (the journal of the project).
    void SetRecorded(std::function<void(CKXDialogData &, kx::StepLabel)> recorded)
    {
        m_recorded = std::move(recorded);
    }
    // A change that is no edit (a new selection): only the signal.
    void Notify(int what);

    // The dialog's history, one step back or forward. Every object is deselected first; the
    // object the step concerned becomes the selection. Answer that object (or none).
    bool CanUndo() const;
    bool CanRedo() const;
    CObjectData *Undo();
    CObjectData *Redo();

    // The part of the canvas the change being announced touched (read it while Changed is
    // emitted): empty for a change of the selection alone, the whole canvas when nothing
    // narrower is known.
    const kx::KXRect &ChangedArea() const { return m_area; }

    // Whether the dialog changed since the project was last saved or loaded.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

signals:
    // what: EditChange flags.
    void Changed(int what);

private:
    CObjectData *Step(bool back);
    void Announce(int what, const kx::KXRect &area);

    CProjectContext &m_project;
    CKXDialogData *m_dialog;
    std::function<void(CKXDialogData &, kx::StepLabel)> m_recorded;
    KXClass *m_current = nullptr;
    bool m_modified = false;
    kx::KXRect m_area;
};
