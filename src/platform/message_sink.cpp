#include "platform/message_sink.h"

#include <iostream>

namespace kx {

void StderrMessageSink::ShowMessage(std::string_view text, MessageIcon icon)
{
    std::cerr << MessageIconName(icon) << ": " << text << '\n';
}

void RecordingMessageSink::ShowMessage(std::string_view text, MessageIcon icon)
{
    m_messages.push_back(Message {std::string(text), icon});
}

const char *MessageIconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Error:
        return "error";
    }
    // Only reached for a value cast from an out-of-range number.
    return "information";
}

} // namespace kx
