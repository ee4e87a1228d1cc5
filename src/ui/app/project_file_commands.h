// The File menu's project commands and what lies behind them: a new project, loading, the saves,
// the recent files, discarding everything, and the project's own file that "上書き保存" writes.
#pragma once

#include "ui/app/recovery_copy.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <string>

class CDocumentSet;
class CKXDialogData;
class CMessageBoxSink;
class CProjectContext;
class QAction;
class QMainWindow;
class QMenu;

namespace kx {
class IMessageSink;
}

namespace kx::ui {
struct EditorQuestions;
}

class CProjectFileCommands : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxRecentFiles = 10;
    // How long the status bar confirms a save.
    static constexpr int kSavedMessageMs = 4000;

    // What the commands ask of the main window.
    struct Context {
        // Commits the property field being typed in.
        std::function<void()> finishEditing;
        // The model was filled: the panel shows it and the dialogs' histories start.
        std::function<void()> projectLoaded;
        // What painting found and has not been shown yet is shown now.
        std::function<void()> flushPaintMessages;
        // Closes every dialog window and empties the model, the panel and the histories.
        std::function<void()> discardAll;
        std::function<void()> updateTitle;
        // The dialog of the active dialog window, if any.
        std::function<const CKXDialogData *()> activeDialog;
    };

    // Messages go to messages; boxes is the sink behind it when no test replaced it, which is
    // told the file being read. The window is the parent of the file dialogs and shows the
    // confirmation of a save in its status bar.
    CProjectFileCommands(QMainWindow &window, CProjectContext &project, CDocumentSet &documents,
        kx::IMessageSink &messages, CMessageBoxSink &boxes, kx::ui::EditorQuestions &questions,
        CRecoveryCopy &recovery, Context context);

    QAction *NewProjectAction() const { return m_newProject; }
    QAction *OpenAction() const { return m_open; }
    QAction *SaveAction() const { return m_save; }
    QAction *SaveAsAction() const { return m_saveAs; }
    QAction *SaveDialogAction() const { return m_saveDialog; }
    QAction *SaveFontsAndImagesAction() const { return m_saveFonts; }
    QAction *DiscardAllAction() const { return m_discardAll; }
    QMenu *RecentMenu() const { return m_recentMenu; }
    void RetranslateUi();
    // Enables the commands by what the project holds; the dialog's own save shows only while a
    // dialog window is active.
    void UpdateActions(bool haveDialogWindow);

    // Loads a project file into the model and the panel; no window is opened. False when the
    // file cannot be read.
    bool LoadProject(const QString &path);
    // Loads a recovery copy as the project: unsaved, with the file and folder it came from.
    bool RestoreRecoveryCopy(const CRecoveryCopy::Abandoned &copy);

    // Writes the whole project and confirms it in a message box.
    bool SaveAllTo(const QString &path);
    bool SaveDialogTo(const CKXDialogData &dialog, const QString &path);
    // Writes fonts and images only when the file name ends in ".xml"; says nothing unless the
    // write fails.
    bool SaveFontsAndImagesTo(const QString &path);
    // "上書き保存": the whole project to its own file, or to a file asked for when it has none;
    // confirmed in the status bar.
    bool Save();
    // Asks for a file and saves the whole project there. False when cancelled or failed.
    bool SaveAs();
    // Before unsaved changes would be lost: asks whether to save them. True when the caller may
    // go on (nothing unsaved, saved, or discarded by the user); false on cancel or a failed save.
    bool ConfirmUnsavedChanges();
    // Asks about unsaved changes, then starts an empty project as the editor starts with.
    bool NewProject();

    // Whether the project has a file that "上書き保存" writes without asking (see CMainFrame).
    bool HasOwnFile() const { return m_ownFile; }
    // The project leaves its file (and its earlier files): a save asks for one and proposes none.
    void ForgetProjectFile();

    QStringList RecentFiles() const;

private:
    // How a successful save of the whole project is confirmed.
    enum class Confirmation { Box, StatusBar };

    bool WriteAll(const QString &path, Confirmation confirmation);
    bool AskAndWriteAll(Confirmation confirmation);
    void OnOpen();
    void OnSaveDialog();
    void OnSaveFontsAndImages();
    // The project's own file becomes path (and its folder the project folder), or it has none.
    void AdoptProjectFile(const std::string &path);
    void DisownProjectFile();
    void AddRecentFile(const QString &path);
    void RemoveRecentFile(const QString &path);
    void StoreRecentFiles(const QStringList &files);
    void RebuildRecentMenu();
    // What a load brought: the message of a failed load, the pictures it lacks.
    void ReportLoadFailure(const QString &path, const QString &reason);
    void ReportMissingPictures(const QStringList &files);
    // The failed save of size bytes to path, with the system's reason when it can be found.
    void ReportSaveFailure(const QString &path, std::size_t size);

    QMainWindow &m_window;
    CProjectContext &m_project;
    CDocumentSet &m_documents;
    kx::IMessageSink &m_messages;
    CMessageBoxSink &m_boxes;
    kx::ui::EditorQuestions &m_questions;
    CRecoveryCopy &m_recovery;
    Context m_context;
    bool m_ownFile = false;

    QAction *m_newProject;
    QAction *m_open;
    QAction *m_save;
    QAction *m_saveAs;
    QAction *m_saveDialog;
    QAction *m_saveFonts;
    QAction *m_discardAll;
    QMenu *m_recentMenu;
};
