// The View menu's play commands: "プレイ" (F5) turns the active dialog's window into the device's
// screen and back, with the dock of the events the application would receive; "初期状態で表示"
// draws every editing canvas with each object in its initial state (kept in the editor's
// settings).
#pragma once

#include <QObject>
#include <QPointer>

#include "render/object_states.h"

class CKXDialogEditorView;
class CPlayEventsDock;
class CPlayMode;
class QAction;
class QMainWindow;
class QMdiArea;

class CPlayCommands : public QObject {
    Q_OBJECT

public:
    // The events dock is added to the window's bottom area, hidden until a play starts.
    CPlayCommands(QMainWindow *window, QMdiArea *area);
    ~CPlayCommands() override;

    QAction *PlayAction() const { return m_playAction; }
    QAction *InitialStatesAction() const { return m_initialAction; }
    CPlayEventsDock *EventsDock() const { return m_dock; }
    // The play running, or none.
    CPlayMode *Current() const;

    // A new dialog window draws its objects as the others do.
    void AttachView(CKXDialogEditorView *view);
    // Plays the active dialog's window; ends the play that runs.
    void Start();
    void Stop();
    void RetranslateUi();
    // The play command is there while a dialog window is active or a play runs.
    void UpdateActions();

private:
    void SetInitialStates(bool on);
    const kx::IObjectStates *EditingStates() const;

    QMainWindow *m_window;
    QMdiArea *m_area;
    CPlayEventsDock *m_dock = nullptr;
    QAction *m_playAction = nullptr;
    QAction *m_initialAction = nullptr;
    QPointer<CPlayMode> m_play;
    kx::InitialStates m_initialStates;
};
