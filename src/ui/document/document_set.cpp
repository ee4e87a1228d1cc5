#include "ui/document/document_set.h"

#include "model/project_context.h"

CDocumentSet::CDocumentSet(CProjectContext &project, QObject *parent)
    : QObject(parent)
    , m_project(project)
{ }

CKXDialogEditorDoc *CDocumentSet::For(CKXDialogData *dialog)
{
    if (!dialog)
        return nullptr;
    if (CKXDialogEditorDoc *document = Find(dialog))
        return document;
    auto *document = new CKXDialogEditorDoc(m_project, dialog, this);
    connect(document, &CKXDialogEditorDoc::Changed, this,
        [this, document](int what) { emit DocumentChanged(document, what); });
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

void CDocumentSet::CommitResources(int what)
{
    m_project.SetModified(true);
    emit ResourcesChanged(what);
}
