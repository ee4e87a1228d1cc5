// Messages that arise while a canvas is painted (a font file that cannot be used, a font that
// stands in for a missing one, file names that leave the project): a modal box must never open
// inside a paint, so they are gathered and shown together, in one box, once the paint is over.
#pragma once

#include "platform/message_sink.h"

#include <QObject>

#include <string>
#include <vector>

class CDeferredMessages final : public QObject, public kx::IMessageSink {
    Q_OBJECT

public:
    // Gathered messages go on to target, which the caller keeps alive.
    explicit CDeferredMessages(kx::IMessageSink &target, QObject *parent = nullptr);

    // Keeps the message (once, however often it comes) and shows it when the event loop is back.
    void ShowMessage(std::string_view text, kx::MessageIcon icon) override;
    // Shows what was gathered now, as one message; nothing when nothing was.
    void Flush();
    // Whether messages wait to be shown.
    bool HasPending() const { return !m_pending.empty(); }

private:
    struct Pending {
        std::string text;
        kx::MessageIcon icon;
    };

    kx::IMessageSink &m_target;
    std::vector<Pending> m_pending;
    bool m_scheduled = false;
    bool m_showing = false;
};
