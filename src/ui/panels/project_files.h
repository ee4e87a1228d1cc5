// Files chosen for the project in the property fields: the "参照" box (pictures with a preview
// decoded as the canvas decodes them, TrueType fonts) and taking a chosen file into the project.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CProjectContext;
class QWidget;

namespace kx {
class IMessageSink;
}

namespace kx::ui {

struct EditorQuestions;

// What a file chosen for the project is: a picture (kept in resources/) or a TrueType font
// (kept in fonts/).
enum class ProjectFileKind { Picture, Font };

// The project's folder for files of that kind: <project folder>resources or <project folder>fonts
// (relative to the working folder while the project has no folder).
QString ProjectFileFolder(const CProjectContext &project, ProjectFileKind kind);

// The file dialog of a "参照" button, starting in folder. Pictures are listed as
// "イメージファイル(*.png|*.gif)" and shown beside the list as the canvas would draw them; fonts
// as "TrueTypeフォントファイル(*.ttf)". Empty when the user cancelled.
QString ChooseProjectFile(QWidget *parent, const QString &folder, ProjectFileKind kind);

// Makes a chosen file one that the project finds by its name alone, and answers that name.
// A project with a folder keeps it: a file outside its resources/ (pictures) or fonts/ folder is
// copied there once the user agrees, and a different file of the same name there is replaced
// only after a second question. A project without a folder (never saved) uses the file where it
// is until its first save copies it in (CopyStagedFiles). Nothing when the user declined or the
// copy failed (the reason goes to messages); the project folder and the files on disk are then
// as they were.
// agreed: the user has agreed to the copy already (one question for several files), so it is not
// asked again; the question about replacing a file still is. replaced, when given, tells whether
// a file of that name was replaced, so that whatever shows it is drawn again.
std::optional<QString> TakeIntoProject(CProjectContext &project, const EditorQuestions &questions,
    kx::IMessageSink &messages, QWidget *parent, const QString &chosen, ProjectFileKind kind,
    bool agreed = false, bool *replaced = nullptr);
// Whether TakeIntoProject would ask to copy the file: the project has a folder and the file is
// neither in it nor equal to the file of that name there.
bool NeedsCopyIntoProject(
    const CProjectContext &project, const QString &chosen, ProjectFileKind kind);

// The files chosen while the project had no folder, copied into folder's resources/ and fonts/
// (the project is about to be saved there). A file of that name already there with other
// contents is replaced only after the question. Answers the files copied, in words, one line
// each; failures go to messages.
QStringList CopyStagedFiles(CProjectContext &project, const EditorQuestions &questions,
    kx::IMessageSink &messages, QWidget *parent, const QString &folder);

} // namespace kx::ui
