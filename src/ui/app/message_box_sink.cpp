#include "ui/app/message_box_sink.h"

#include <QMessageBox>
#include <QString>

void CMessageBoxSink::ShowMessage(std::string_view text, kx::MessageIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == kx::MessageIcon::Warning)
        boxIcon = QMessageBox::Warning;
    else if (icon == kx::MessageIcon::Error)
        boxIcon = QMessageBox::Critical;
    QMessageBox box(boxIcon, QString::fromUtf8(kCaption),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok,
        m_parent);
    box.exec();
}
