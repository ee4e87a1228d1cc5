// What the editor's offscreen tests do as a user and the window system would: mouse events with
// the left button, posted work run to its end, and a message sink that notices boxes that a
// canvas paint would have opened.
#pragma once

#include "platform/message_sink.h"
#include "ui/canvas/kx_dialog_editor_view.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QPoint>
#include <QWidget>

namespace kx::test {

// A mouse event as the window system sends it, the left button held during moves.
inline void Mouse(QWidget *widget, QEvent::Type type, const QPoint &at,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Runs what was posted (deferred deletes, queued calls) as the event loop would.
inline void Flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Records messages and counts those that arrive while a canvas paints: each would have been a
// modal box opened inside a paint. Every paint of a canvas runs inside its filter.
class PaintWatchingSink final : public QObject, public kx::IMessageSink {
public:
    PaintWatchingSink() { qApp->installEventFilter(this); }

    void ShowMessage(std::string_view text, kx::MessageIcon icon) override
    {
        if (m_painting > 0)
            ++insidePaint;
        messages.ShowMessage(text, icon);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !qobject_cast<CKXDialogEditorView *>(watched))
            return false;
        ++m_painting;
        static_cast<QObject *>(watched)->event(event);
        --m_painting;
        return true;
    }

    kx::RecordingMessageSink messages;
    int insidePaint = 0;

private:
    int m_painting = 0;
};

} // namespace kx::test
