// The canvas's commands around the dialog windows: the View menu's smart guides, grid and snap to
// grid (kept in the editor's settings, the grid's spacing set in the settings dialog), the
// canvas's context menu, and picture files dropped on a canvas, which become Picture objects.
#pragma once

#include "ui/app/view_settings.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class CKXDialogEditorView;
class CMainFrame;
class QAction;
class QMenu;

class CCanvasCommands : public QObject {
    Q_OBJECT

public:
    explicit CCanvasCommands(CMainFrame &frame);
    ~CCanvasCommands() override;

    QAction *GuidesAction() const { return m_guides; }
    QAction *GridAction() const { return m_grid; }
    QAction *SnapToGridAction() const { return m_snap; }
    // The canvas's context menu and its own commands.
    QMenu *ContextMenu() const { return m_menu; }
    QAction *PasteHereAction() const { return m_pasteHere; }
    QAction *GroupAction() const { return m_group; }
    QAction *PropertiesAction() const { return m_properties; }

    // A new dialog window: its canvas takes the view settings, its context menu and drops.
    void AttachView(CKXDialogEditorView *view);
    // The settings may have changed (the settings dialog): every canvas takes them again.
    void ReloadSettings();
    const kx::ui::ViewSettings &Settings() const { return m_settings; }

    // Makes the context menu ready for the canvas point of the view (the point "Paste Here"
    // pastes at) and brings its commands up to date; the view's window becomes the active one.
    void PrepareContextMenu(CKXDialogEditorView *view, const QPoint &canvasPoint);
    // Picture files dropped at the canvas point: taken into the project (one question for
    // several files) and added as Picture objects of their natural size, one step.
    void DropPictures(
        CKXDialogEditorView *view, const QStringList &files, const QPoint &canvasPoint);

    void RetranslateUi();

private:
    void Apply();
    void Store();
    void ShowProperties();
    // The panel shows the active dialog's selection in its dialog tab.
    void ShowSelectionInPanel();

    CMainFrame &m_frame;
    kx::ui::ViewSettings m_settings;
    QAction *m_guides;
    QAction *m_grid;
    QAction *m_snap;
    QMenu *m_menu;
    QMenu *m_arrangeMenu;
    QAction *m_pasteHere;
    QAction *m_group;
    QAction *m_properties;
    QPointer<CKXDialogEditorView> m_menuView;
    QPoint m_menuPoint;
};
