// The documents of the project's dialogs, one per dialog, made when first asked for. Windows,
// the panel and the Edit commands reach a dialog's edit funnel through here, and whoever wants to
// hear of every edit of every dialog listens to DocumentChanged.
#pragma once

#include "ui/document/kx_dialog_editor_doc.h"

#include <QObject>

#include <map>

class CProjectContext;

class CDocumentSet : public QObject {
    Q_OBJECT

public:
    explicit CDocumentSet(CProjectContext &project, QObject *parent = nullptr);

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

    // The funnel of changes outside the dialogs (fonts, images, the project's name): marks the
    // project modified and tells every listener once. what: kChangeFonts, kChangeImages,
    // kChangeProject.
    void CommitResources(int what);

signals:
    void DocumentChanged(CKXDialogEditorDoc *document, int what);
    void ResourcesChanged(int what);

private:
    CProjectContext &m_project;
    std::map<const CKXDialogData *, CKXDialogEditorDoc *> m_documents;
};
