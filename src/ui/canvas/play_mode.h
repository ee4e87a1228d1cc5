// Play mode on a dialog's canvas: the window becomes the device's screen. The mouse, the keys and
// the input method go to a play of the dialog instead of the editing tools; the canvas draws the
// play's states and the caret of the focused edit box. Nothing of it edits the project.
#pragma once

#include "ui/canvas/play_session.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class CKXDialogEditorView;
class QInputMethodEvent;
class QInputMethodQueryEvent;
class QKeyEvent;
class QPainter;

class CPlayMode : public QObject, private IPlayHost {
    Q_OBJECT

public:
    // Starts a play of the view's dialog, every object in its initial state.
    explicit CPlayMode(CKXDialogEditorView *view, QObject *parent = nullptr);
    ~CPlayMode() override;

    // Gives the canvas back to editing, drawn as it was before the play (also when the play is
    // destroyed).
    void End();
    bool IsRunning() const { return m_running; }
    // The canvas goes away (its destructor tells): the play lets go of it and asks to end.
    void ViewClosing();

    CPlaySession &Session() { return *m_session; }
    const CPlaySession &Session() const { return *m_session; }
    CKXDialogEditorView *View() const { return m_view; }

    // The play's marks over the canvas picture: the caret of the focused edit box.
    void PaintOverlay(QPainter &painter) const;

signals:
    void EventReceived(const PlayEvent &event);
    // The play asks to end: Escape, or the dialog was edited while it ran.
    void EndRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // IPlayHost
    void Repaint(const kx::KXRect &area) override;
    void Receive(const PlayEvent &event) override;

    void KeyPressed(QKeyEvent *event);
    void InputMethod(QInputMethodEvent *event);
    void AnswerQuery(QInputMethodQueryEvent *query) const;
    // The caret in canvas pixels, or an empty box without an edit box in focus.
    kx::KXRect CaretBox(std::uint32_t *colour = nullptr) const;
    // After every input: the held button's timer and the input method's view of the caret.
    void Settle();
    std::int64_t Now() const { return m_clock.elapsed(); }
    // Whether the play still has its canvas and its dialog: a window that closes or a project
    // that goes takes them away before the play is ended.
    bool IsAlive() const;

    QPointer<CKXDialogEditorView> m_view;
    std::unique_ptr<CPlaySession> m_session;
    QElapsedTimer m_clock;
    QTimer m_tick;
    bool m_running = false;
    bool m_hadInputMethod = false;
    kx::KXRect m_caret;
};
