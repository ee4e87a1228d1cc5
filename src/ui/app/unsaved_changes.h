// The questions the editor asks before work could be lost: save the changes first, which file
// to save to, restore a recovery copy. Each is a replaceable function, so that tests answer
// without a modal box; the defaults show message boxes and the file dialog.
#pragma once

#include "ui/app/recovery_copy.h"

#include <QString>

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

    // The message boxes and the file dialog.
    EditorQuestions();
};

} // namespace kx::ui
