#include "ui/document/kx_dialog_editor_doc.h"

#include "model/image_layout.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "render/changed_area.h"

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

namespace {

// What a step of the dialog did, as far as the funnel can tell: the object concerned when there
// is one current object.
kx::StepLabel LabelOf(int what, const KXClass *current)
{
    kx::StepLabel label;
    if (what & kChangeTree)
        label.action = kx::StepAction::Edit;
    else if (what & kChangeGeometry)
        label.action = kx::StepAction::Move;
    const auto *object = current ? AsObject(*current) : nullptr;
    if (object) {
        label.subject = kx::StepSubject::Object;
        label.name = object->Name();
    } else if (current && current->Kind() == kKindDialog) {
        label.subject = kx::StepSubject::Dialog;
        label.name = static_cast<const CKXDialogData *>(current)->Name();
    }
    return label;
}

} // namespace

bool CKXDialogEditorDoc::Commit(int what, kx::StepLabel label)
{
    if (!m_dialog)
        return false;
    UndoBuffer &history = m_dialog->History();
    const int before = history.Count();
    const int index = history.Index();
    // A button, edit box or frame that this edit left with a font that is none of the
    // definitions (a new object, another image or font) takes its image definition's layout,
    // inside this edit's step.
    kx::AdoptImageLayouts(*m_dialog->RootGroup(), m_project, [&history](const CObjectData &object) {
        const KXClass *stored = history.FindLatestCopy(object, -1);
        const CObjectData *latest = stored ? AsObject(*stored) : nullptr;
        return !latest || latest->Font() != object.Font() || latest->Image() != object.Image();
    });
    m_dialog->SaveUndoInfo();
    const bool recorded = history.Count() != before || history.Index() != index;
    if (recorded && m_recorded) {
        if (label == kx::StepLabel {})
            label = LabelOf(what, Current());
        m_recorded(*m_dialog, std::move(label));
    }
    // Lock, Hide and a few more are not tracked by the history, yet they are changes to save
    // and to draw: without a record, the whole canvas is drawn again.
    m_modified = true;
    m_project.SetModified(true);
    kx::KXRect area;
    if (recorded)
        area = kx::ChangedArea(*m_dialog, history.Index() - 1);
    else if (what & ~kChangeSelection)
        area = kx::DialogArea(*m_dialog);
    Announce(what, area);
    return recorded;
}

void CKXDialogEditorDoc::Notify(int what)
{
    Announce(what, {});
}

void CKXDialogEditorDoc::Announce(int what, const kx::KXRect &area)
{
    // A listener may end an edit of its own while this one is announced: the listeners after it
    // must still read this change's area.
    const kx::KXRect outer = m_area;
    m_area = area;
    emit Changed(what);
    m_area = outer;
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
    UndoBuffer &history = m_dialog->History();
    // The record stepped over: the last one in effect before an undo, after a redo.
    const int undone = history.Index() - 1;
    CObjectData *object = back ? history.Undo() : history.Redo();
    const kx::KXRect area = kx::ChangedArea(*m_dialog, back ? undone : history.Index() - 1);
    // The history may hand back an object that the step took out of the tree.
    if (object && m_dialog->RootGroup()->IndexOf(object) >= 0)
        object->SetSelected(true);
    else
        object = nullptr;
    m_current = object ? static_cast<KXClass *>(object) : m_dialog;
    m_modified = true;
    m_project.SetModified(true);
    Announce(kChangeHistory | kChangeSelection, area);
    return object;
}
