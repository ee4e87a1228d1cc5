// The questions the editor asks the user: before work could be lost (save the changes first,
// which file to save to, restore a recovery copy) and when a file is chosen for the project (which
// file, copy it into the project, replace a file there). Each is a replaceable function, so that
// tests answer without a modal box; the defaults show message boxes and the file dialogs.
#pragma once

#include "ui/app/recovery_copy.h"
#include "ui/panels/project_files.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace kx::ui {

// The answer to "save the changes first?".
enum class SaveChoice { Save, Discard, Cancel };

struct EditorQuestions {
    // The project named projectName has unsaved changes: save them, throw them away, or stay.
    std::function<SaveChoice(QWidget *parent, const QString &projectName)> saveChanges;
    // The file to save the whole project to, proposal first; empty when the user cancelled.
    std::function<QString(QWidget *parent, const QString &proposal)> savePath;
    // A copy of unsaved work left by an editor that did not end cleanly: restore it?
    std::function<bool(QWidget *parent, const CRecoveryCopy::Abandoned &copy)> restore;
    // The file to use for a property field, chosen starting in folder; empty when the user
    // cancelled. Pictures are shown with a preview.
    std::function<QString(QWidget *parent, const QString &folder, ProjectFileKind kind)> chooseFile;
    // The chosen file lies outside the project's folder for such files: copy it there?
    std::function<bool(QWidget *parent, const QString &file, const QString &folder)>
        copyIntoProject;
    // Several files (dropped together) lie outside the project's folder for such files: copy all
    // of them there? One question for all.
    std::function<bool(QWidget *parent, const QStringList &files, const QString &folder)>
        copyAllIntoProject;
    // The project's folder holds another file of that name: replace it with the chosen one?
    std::function<bool(QWidget *parent, const QString &existing)> replaceFile;
    // Something that is in use is about to be deleted (question says what and who uses it):
    // delete it?
    std::function<bool(QWidget *parent, const QString &question)> confirmDelete;

    // The message boxes and the file dialog.
    EditorQuestions();
};

} // namespace kx::ui
