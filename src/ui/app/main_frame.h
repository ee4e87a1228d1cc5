// The editor's main window: it holds the project for the whole process, the resource panel and
// the dialog windows, and wires the menus to the rooms of the commands (files, edit, canvas,
// play).
#pragma once

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/deferred_messages.h"
#include "ui/app/message_box_sink.h"
#include "ui/app/project_file_commands.h"
#include "ui/app/recovery_copy.h"
#include "ui/app/unsaved_changes.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <string>

class CCanvasCommands;
class CCheckResultsDock;
class CWindowLayout;
class CDocumentSet;
class CPlayCommands;
class CEditCommands;
class CStatusIndicators;
class CFreeTypeFont;
class CKXDialogData;
class CKXDialogEditorView;
class CResourceDlg;
class CSkeletonDlg;
class QAction;
class QDockWidget;
class QLabel;
class QToolBar;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kx {
class DialogPainter;
}

class CMainFrame : public QMainWindow, private kx::IProjectObserver {
    Q_OBJECT

public:
    static constexpr int kMaxRecentFiles = CProjectFileCommands::kMaxRecentFiles;

    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    CProjectContext &Project() { return m_project; }
    CResourceDlg *ResourcePanel() const { return m_resourceDlg; }
    QDockWidget *ResourceBar() const { return m_resourceBar; }
    // The project check's command and the dock of its results.
    CCheckResultsDock *CheckResults() const { return m_checkResults; }
    QMdiArea *MdiArea() const { return m_mdiArea; }
    // The edit funnels of the dialogs.
    CDocumentSet &Documents() const { return *m_documents; }
    // The Edit menu's commands.
    CEditCommands &EditCommands() const { return *m_editCommands; }
    CStatusIndicators &StatusIndicators() const { return *m_status; }
    // The View menu's play mode and initial-states commands.
    CPlayCommands &Play() const { return *m_play; }
    // The canvas's guides and grid, its context menu and dropped pictures.
    CCanvasCommands &Canvas() const { return *m_canvas; }
    // The File menu's project commands: new project, load, save, recent files, discard.
    CProjectFileCommands &Files() const { return *m_files; }
    // The window's layout kept between runs, and View › Reset Layout.
    CWindowLayout &Layout() const { return *m_layout; }
    // Where messages for the user go (the sink set, or the message boxes).
    kx::IMessageSink &Messages() { return m_messages; }
    // Zoom of the active dialog window: in, out, and back to 100 %.
    void ZoomBy(int step);
    void ResetZoom();

    // Messages go to this sink from now on; none restores the message boxes. The caller keeps
    // the sink alive while it is set.
    void SetMessageSink(kx::IMessageSink *sink);
    // What painting found and has not been shown yet is shown now (it is shown by itself once
    // the event loop runs again).
    void ShowPaintMessages() { m_paintMessages.Flush(); }
    // The questions asked before work could be lost; tests replace them.
    kx::ui::EditorQuestions &Questions() { return m_questions; }
    // The copy of unsaved work kept for a crash.
    CRecoveryCopy &Recovery() const { return *m_recovery; }

    // Loads a project file into the model and the panel; no window is opened. False when the
    // file cannot be read.
    bool LoadProject(const QString &path) { return m_files->LoadProject(path); }
    // The model was filled (by a load or a tool): the panel shows it, and every dialog's history
    // starts from its state now.
    void ProjectLoaded();
    // Creates a dialog with a free name and opens its window.
    CKXDialogEditorView *NewDialogWindow();
    // Activates the window of the dialog, or opens one.
    CKXDialogEditorView *OpenDialogWindow(CKXDialogData *dialog);
    // Every open dialog window, in the order of the window list.
    QList<CKXDialogEditorView *> DialogViews() const;
    CKXDialogEditorView *ActiveView() const;

    // Writes the whole project (or only one dialog) and tells the user how it went.
    bool SaveAllTo(const QString &path) { return m_files->SaveAllTo(path); }
    bool SaveDialogTo(const CKXDialogData &dialog, const QString &path)
    {
        return m_files->SaveDialogTo(dialog, path);
    }
    // Writes fonts and images only when the file name ends in ".xml"; says nothing unless the
    // write fails.
    bool SaveFontsAndImagesTo(const QString &path) { return m_files->SaveFontsAndImagesTo(path); }
    // Closes every dialog window and empties the model and the panel; the project leaves its
    // file.
    void DiscardAll();
    // Draws every dialog window again.
    void RedrawAll();

    QStringList RecentFiles() const { return m_files->RecentFiles(); }

    // Whether the project has a file that "上書き保存" writes without asking: the file it was
    // loaded from or first saved to. A read that broke off, or discarding everything, takes it
    // away, so that a partial model never silently replaces a file.
    bool HasOwnFile() const { return m_files->HasOwnFile(); }
    // "上書き保存": the whole project to its own file, or to a file asked for when it has none;
    // confirmed in the status bar.
    bool Save() { return m_files->Save(); }
    // Asks for a file and saves the whole project there. False when cancelled or failed.
    bool SaveAs() { return m_files->SaveAs(); }
    // Before unsaved changes would be lost: asks whether to save them. True when the caller may
    // go on (nothing unsaved, saved, or discarded by the user); false on cancel or a failed save.
    bool ConfirmUnsavedChanges() { return m_files->ConfirmUnsavedChanges(); }
    // Commits the property field being typed in.
    void FinishEditing();
    // Offers each recovery copy that an editor left behind and restores the ones accepted; the
    // others are deleted.
    void OfferRecovery();
    // Loads a recovery copy as the project: unsaved, with the file and folder it came from.
    bool RestoreRecoveryCopy(const CRecoveryCopy::Abandoned &copy)
    {
        return m_files->RestoreRecoveryCopy(copy);
    }
    // The window title: the project's name, its file, '*' while modified, the active dialog.
    void UpdateTitle();

    // The menu and tool bar commands, for tests and shortcuts.
    QAction *NewProjectAction() const { return m_files->NewProjectAction(); }
    QAction *NewDialogAction() const { return m_newAction; }
    QAction *SaveAction() const { return m_files->SaveAction(); }
    QAction *SaveAllAction() const { return m_files->SaveAsAction(); }
    QAction *SaveFontsAndImagesAction() const { return m_files->SaveFontsAndImagesAction(); }
    QAction *DiscardAllAction() const { return m_files->DiscardAllAction(); }
    QAction *SaveDialogAction() const { return m_files->SaveDialogAction(); }
    QAction *CloseDialogAction() const { return m_closeDialogAction; }
    QAction *SkeletonAction() const { return m_skeletonAction; }
    QAction *ResourceBarAction() const;
    // The skeleton generator window, once it has been opened.
    CSkeletonDlg *SkeletonDialog() const { return m_skeletonDlg; }
    // Brings enabled and visible states of the commands up to date with the model.
    void UpdateCommands();

protected:
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Hands every message to the sink chosen now, so the renderer can keep one reference.
    class SinkRelay final : public kx::IMessageSink {
    public:
        explicit SinkRelay(kx::IMessageSink *target)
            : m_target(target)
        { }
        void SetTarget(kx::IMessageSink *target) { m_target = target; }
        void ShowMessage(std::string_view text, kx::MessageIcon icon) override
        {
            m_target->ShowMessage(text, icon);
        }

    private:
        kx::IMessageSink *m_target;
    };

    void CloseAllDialogWindows() override;
    void ClearResourcePanel() override;
    void ProjectModifiedChanged(bool modified) override;

    // Gives every menu, command and bar its text in the language installed now.
    void RetranslateUi();
    void CreateActions();
    void CreateEditCommands();
    // The view's signals reach the status bar while it is the active one.
    void ConnectView(CKXDialogEditorView *view);
    void CreateMenus();
    void CreateToolBar();
    void CreateResourceBar();
    void CreateFileCommands();

    void OnAbout();
    void OnSettings();
    void OnSkeleton();
    void OnSubWindowActivated(QMdiSubWindow *window);
    // Closes every window of the dialog and drops its document: the dialog leaves the project.
    void CloseDialogWindows(CKXDialogData *dialog);
    void OnResourcesChanged(int what);
    void UpdateWindowTitles(const CKXDialogData *dialog);

    // A window larger than the area starts at its top-left corner, not pushed off to the left.
    void PlaceSubWindow(QMdiSubWindow *window);

    CMessageBoxSink m_messageBoxes;
    SinkRelay m_messages;
    // What the painter and the rasterizer find while a canvas paints, shown after the paint.
    CDeferredMessages m_paintMessages;
    CProjectContext m_project;
    std::unique_ptr<CFreeTypeFont> m_fonts;
    std::unique_ptr<kx::DialogPainter> m_painter;

    CDocumentSet *m_documents = nullptr;
    CEditCommands *m_editCommands = nullptr;
    CStatusIndicators *m_status = nullptr;
    QMdiArea *m_mdiArea = nullptr;
    QDockWidget *m_resourceBar = nullptr;
    CResourceDlg *m_resourceDlg = nullptr;
    CCheckResultsDock *m_checkResults = nullptr;
    CPlayCommands *m_play = nullptr;
    CCanvasCommands *m_canvas = nullptr;
    CWindowLayout *m_layout = nullptr;
    CProjectFileCommands *m_files = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_readyLabel = nullptr;
    CSkeletonDlg *m_skeletonDlg = nullptr;
    kx::ui::EditorQuestions m_questions;
    CRecoveryCopy *m_recovery = nullptr;

    QAction *m_newAction = nullptr;
    QAction *m_closeDialogAction = nullptr;
    QAction *m_settingsAction = nullptr;
    QAction *m_skeletonAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_redrawAction = nullptr;
    QAction *m_zoomInAction = nullptr;
    QAction *m_zoomOutAction = nullptr;
    QAction *m_zoomResetAction = nullptr;
    QAction *m_aboutAction = nullptr;
};
