#include "ui/document/kx_dialog_editor_doc.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"

CKXDialogEditorDoc::CKXDialogEditorDoc(
    CProjectContext &project, CKXDialogData *dialog, QObject *parent)
    : QObject(parent)
    , m_project(project)
    , m_dialog(dialog)
{ }

void CKXDialogEditorDoc::Detach()
{
    m_dialog = nullptr;
    m_current = nullptr;
}

KXClass *CKXDialogEditorDoc::Current() const
{
    if (!m_dialog || !m_current)
        return nullptr;
    if (m_current == m_dialog)
        return m_current;
    const auto *object = AsObject(*m_current);
    return object && m_dialog->RootGroup()->IndexOf(object) >= 0 ? m_current : nullptr;
}

bool CKXDialogEditorDoc::Commit(int what)
{
    if (!m_dialog)
        return false;
    UndoBuffer &history = m_dialog->History();
    const int before = history.Count();
    const int index = history.Index();
    m_dialog->SaveUndoInfo();
    const bool recorded = history.Count() != before || history.Index() != index;
    // Lock, Hide and a few more are not tracked by the history, yet they are changes to save.
    m_modified = true;
    m_project.SetModified(true);
    emit Changed(what);
    return recorded;
}

void CKXDialogEditorDoc::Notify(int what)
{
    emit Changed(what);
}

bool CKXDialogEditorDoc::CanUndo() const
{
    return m_dialog && m_dialog->History().Index() > 1;
}

bool CKXDialogEditorDoc::CanRedo() const
{
    return m_dialog && m_dialog->History().Index() < m_dialog->History().Count();
}

CObjectData *CKXDialogEditorDoc::Undo()
{
    return CanUndo() ? Step(true) : nullptr;
}

CObjectData *CKXDialogEditorDoc::Redo()
{
    return CanRedo() ? Step(false) : nullptr;
}

CObjectData *CKXDialogEditorDoc::Step(bool back)
{
    m_dialog->RootGroup()->DeselectAll();
    CObjectData *object = back ? m_dialog->History().Undo() : m_dialog->History().Redo();
    // The history may hand back an object that the step took out of the tree.
    if (object && m_dialog->RootGroup()->IndexOf(object) >= 0)
        object->SetSelected(true);
    else
        object = nullptr;
    m_current = object ? static_cast<KXClass *>(object) : m_dialog;
    m_modified = true;
    m_project.SetModified(true);
    emit Changed(kChangeHistory | kChangeSelection);
    return object;
}
