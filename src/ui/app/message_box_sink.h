// Messages of the model and the renderer shown to the user as modal message boxes, in the
// editor's language.
#pragma once

#include "platform/message_sink.h"

#include <QCoreApplication>

class QWidget;

namespace kx::ui {
struct CoreTextContext;
}

class CMessageBoxSink final : public kx::IMessageSink {
    Q_DECLARE_TR_FUNCTIONS(CMessageBoxSink)

public:
    static constexpr const char *kCaption = QT_TR_NOOP("RESOURCE EDITOR");

    explicit CMessageBoxSink(QWidget *parent = nullptr)
        : m_parent(parent)
    { }

    // The caption of the editor's message boxes, translated.
    static QString Caption();

    // What the messages shown from now on may refer to (the file being read); none when nothing
    // is going on. The caller keeps it alive while it is set.
    void SetContext(const kx::ui::CoreTextContext *context) { m_context = context; }

    // The text is UTF-8, a text of the core or of the editor; the core's are shown in the
    // editor's language. The box is modal and returns when the user closes it.
    void ShowMessage(std::string_view text, kx::MessageIcon icon) override;

private:
    QWidget *m_parent;
    const kx::ui::CoreTextContext *m_context = nullptr;
};
