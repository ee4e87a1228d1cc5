#include "ui/document/document_set.h"

#include "model/kx_dialog_data.h"
#include "model/project_context.h"

CDocumentSet::CDocumentSet(CProjectContext &project, QObject *parent)
    : QObject(parent)
    , m_project(project)
{ }

CDocumentSet::~CDocumentSet()
{
    // The steps keep what left the project; they go before the documents do.
    m_journal.Clear();
}

CKXDialogEditorDoc *CDocumentSet::For(CKXDialogData *dialog)
{
    if (!dialog)
        return nullptr;
    if (CKXDialogEditorDoc *document = Find(dialog))
        return document;
    auto *document = new CKXDialogEditorDoc(m_project, dialog, this);
    connect(document, &CKXDialogEditorDoc::Changed, this,
        [this, document](int what) { emit DocumentChanged(document, what); });
    // Each step the dialog's history records joins the journal before anyone hears of it.
    document->SetRecorded([this](CKXDialogData &recorded, kx::StepLabel label) {
        m_journal.AddDialogStep(recorded, recorded.History().Index(), std::move(label));
    });
    m_documents.emplace(dialog, document);
    return document;
}

CKXDialogEditorDoc *CDocumentSet::Find(const CKXDialogData *dialog) const
{
    const auto found = m_documents.find(dialog);
    return found == m_documents.end() ? nullptr : found->second;
}

void CDocumentSet::Forget(const CKXDialogData *dialog)
{
    const auto found = m_documents.find(dialog);
    if (found == m_documents.end())
        return;
    found->second->Detach();
    // A window may still be in the middle of handling a signal of this document.
    found->second->deleteLater();
    m_documents.erase(found);
}

void CDocumentSet::ForgetAll()
{
    while (!m_documents.empty())
        Forget(m_documents.begin()->first);
}

void CDocumentSet::ClearModified()
{
    for (const auto &entry : m_documents)
        entry.second->SetModified(false);
}

void CDocumentSet::StartHistory(CKXDialogData &dialog, bool loaded)
{
    if (m_repair)
        m_repair(dialog, loaded);
    dialog.SaveUndoInfo();
}

void CDocumentSet::CommitProject(std::unique_ptr<kx::ProjectStep> step, int what)
{
    if (step && !step->IsEmpty())
        m_journal.AddProjectStep(std::move(step));
    CommitResources(what);
}

void CDocumentSet::CommitResources(int what)
{
    m_project.SetModified(true);
    emit ResourcesChanged(what);
}

bool CDocumentSet::CanUndo(CKXDialogEditorDoc *active)
{
    return m_journal.UndoCandidate(active ? active->Dialog() : nullptr)
        || (active && active->CanUndo());
}

bool CDocumentSet::CanRedo(CKXDialogEditorDoc *active)
{
    return m_journal.RedoCandidate(active ? active->Dialog() : nullptr)
        || (active && active->CanRedo());
}

std::optional<kx::StepLabel> CDocumentSet::UndoLabel(CKXDialogEditorDoc *active)
{
    if (const auto *entry = m_journal.UndoCandidate(active ? active->Dialog() : nullptr))
        return entry->label;
    return std::nullopt;
}

std::optional<kx::StepLabel> CDocumentSet::RedoLabel(CKXDialogEditorDoc *active)
{
    if (const auto *entry = m_journal.RedoCandidate(active ? active->Dialog() : nullptr))
        return entry->label;
    return std::nullopt;
}

void CDocumentSet::Undo(CKXDialogEditorDoc *active)
{
    Step(active, true);
}

void CDocumentSet::Redo(CKXDialogEditorDoc *active)
{
    Step(active, false);
}

void CDocumentSet::Step(CKXDialogEditorDoc *active, bool back)
{
    CKXDialogData *dialog = active ? active->Dialog() : nullptr;
    kx::EditJournal::Entry *entry
        = back ? m_journal.UndoCandidate(dialog) : m_journal.RedoCandidate(dialog);
    if (!entry) {
        // Records the journal never saw (made before it knew the dialog) are still the
        // dialog's own to step through.
        if (active)
            back ? active->Undo() : active->Redo();
        return;
    }
    if (entry->step) {
        if (back)
            m_journal.Undone(*entry);
        else
            m_journal.Redone(*entry);
        Announce(*entry->step);
        return;
    }
    CKXDialogEditorDoc *document = For(const_cast<CKXDialogData *>(entry->dialog));
    if (back) {
        m_journal.Undone(*entry);
        // The dialog's history goes back to where the step began (records the journal never
        // saw on top of it go too).
        while (document->CanUndo() && document->Dialog()->History().Index() >= entry->record)
            document->Undo();
    } else {
        m_journal.Redone(*entry);
        while (document->CanRedo() && document->Dialog()->History().Index() < entry->record)
            document->Redo();
    }
}

void CDocumentSet::Announce(const kx::ProjectStep &step)
{
    m_lastStep = step.Label();
    m_project.SetModified(true);
    emit ResourcesChanged(ChangesOf(step) | kChangeHistory);
}

void CDocumentSet::ForgetProjectHistory()
{
    m_journal.ForgetProjectSteps();
}

void CDocumentSet::ClearHistory()
{
    m_journal.Clear();
}

int ChangesOf(const kx::ProjectStep &step)
{
    int what = 0;
    if (step.Changes() & kx::kStepFonts)
        what |= kChangeFonts;
    if (step.Changes() & kx::kStepImages)
        what |= kChangeImages;
    if (step.Changes() & kx::kStepDialogs)
        what |= kChangeDialogs;
    if (step.Changes() & kx::kStepProject)
        what |= kChangeProject;
    return what;
}
