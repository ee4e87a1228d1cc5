#include "ui/app/deferred_messages.h"

#include "ui/support/core_texts.h"
#include "ui/support/qt_text.h"

#include <QTimer>

#include <algorithm>

CDeferredMessages::CDeferredMessages(kx::IMessageSink &target, QObject *parent)
    : QObject(parent)
    , m_target(target)
{ }

void CDeferredMessages::ShowMessage(std::string_view text, kx::MessageIcon icon)
{
    const bool known = std::any_of(m_pending.begin(), m_pending.end(),
        [text](const Pending &pending) { return pending.text == text; });
    if (!known)
        m_pending.push_back({std::string(text), icon});
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_scheduled = false;
            Flush();
        });
    }
}

void CDeferredMessages::Flush()
{
    // The box of an earlier flush is open: what came meanwhile follows once it is closed.
    if (m_showing || m_pending.empty())
        return;
    const std::vector<Pending> shown = std::exchange(m_pending, {});
    std::string text;
    kx::MessageIcon icon = kx::MessageIcon::Information;
    if (shown.size() == 1) {
        text = shown.front().text;
        icon = shown.front().icon;
    } else {
        // Each text in the editor's language, since the box takes the whole as one text.
        for (const Pending &pending : shown) {
            if (!text.empty())
                text += "\n\n";
            text += kx::ui::ToUtf8(kx::ui::TranslateCoreText(pending.text));
            icon = std::max(icon, pending.icon);
        }
    }
    m_showing = true;
    m_target.ShowMessage(text, icon);
    m_showing = false;
    if (!m_pending.empty())
        Flush();
}
