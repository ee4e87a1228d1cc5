// Messages of the model and the renderer shown to the user as modal message boxes.
#pragma once

#include "platform/message_sink.h"

class QWidget;

class CMessageBoxSink final : public kx::IMessageSink {
public:
    static constexpr const char *kCaption = "RESOURCE EDITOR";

    explicit CMessageBoxSink(QWidget *parent = nullptr)
        : m_parent(parent)
    { }

    // The text is UTF-8; the box is modal and returns when the user closes it.
    void ShowMessage(std::string_view text, kx::MessageIcon icon) override;

private:
    QWidget *m_parent;
};
