#include "ui/app/message_box_sink.h"

#include "ui/support/core_texts.h"

#include <QMessageBox>
#include <QString>

QString CMessageBoxSink::Caption()
{
    return tr(kCaption);
}

void CMessageBoxSink::ShowMessage(std::string_view text, kx::MessageIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == kx::MessageIcon::Warning)
        boxIcon = QMessageBox::Warning;
    else if (icon == kx::MessageIcon::Error)
        boxIcon = QMessageBox::Critical;
    const QString shown
        = m_context ? kx::ui::TranslateCoreText(text, *m_context) : kx::ui::TranslateCoreText(text);
    QMessageBox box(boxIcon, Caption(), shown, QMessageBox::Ok, m_parent);
    // Names and file contents are shown as they are: "<html>" is no markup here.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
