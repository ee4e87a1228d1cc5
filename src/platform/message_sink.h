// Where the core sends the messages that the editor shows in a message box. The editor shows a
// dialog, the command-line tool prints to standard error, and tests record what was said.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx {

enum class MessageIcon {
    Information,
    Warning,
    Error,
};

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // Shows one message (UTF-8) with the given icon and returns once the user has seen it.
    virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
};

// Prints every message on standard error, one line each, prefixed by its kind.
class StderrMessageSink final : public IMessageSink {
public:
    void ShowMessage(std::string_view text, MessageIcon icon) override;
};

// Keeps every message in order; used by tests and by callers that report later.
class RecordingMessageSink final : public IMessageSink {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };

    void ShowMessage(std::string_view text, MessageIcon icon) override;
    const std::vector<Message> &Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }

private:
    std::vector<Message> m_messages;
};

const char *MessageIconName(MessageIcon icon);

} // namespace kx
