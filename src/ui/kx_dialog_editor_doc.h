// The window-side handle of one dialog of the project. The project owns the dialog; closing the
// window only drops the reference.
#pragma once

class CKXDialogData;

class CKXDialogEditorDoc {
public:
    explicit CKXDialogEditorDoc(CKXDialogData *dialog)
        : m_dialog(dialog)
    { }

    CKXDialogData *Dialog() const { return m_dialog; }
    void SetDialog(CKXDialogData *dialog) { m_dialog = dialog; }

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

private:
    CKXDialogData *m_dialog;
    bool m_modified = false;
};
