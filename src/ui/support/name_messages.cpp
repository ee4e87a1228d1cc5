#include "ui/support/name_messages.h"

#include <QCoreApplication>

namespace kx::ui {

QString NameFaultMessage(kx::NameFault fault)
{
    // The English forms are "Error: " and the core's words of the fault.
    const char *text = nullptr;
    switch (fault) {
    case kx::NameFault::kNone:
        return {};
    case kx::NameFault::kEmpty:
        text = QT_TRANSLATE_NOOP("NameMessages", "エラー: 名前を入力してください.");
        break;
    case kx::NameFault::kLeadingDigit:
        text = QT_TRANSLATE_NOOP("NameMessages", "エラー: 名前を数字で始めることはできません.");
        break;
    case kx::NameFault::kBadCharacter:
        text = QT_TRANSLATE_NOOP(
            "NameMessages", "エラー: 名前は半角英数字またはアンダースコア(_)で入力してください.");
        break;
    case kx::NameFault::kReservedWord:
        text = QT_TRANSLATE_NOOP("NameMessages", "エラー: C++の予約語は名前にできません.");
        break;
    }
    return QCoreApplication::translate("NameMessages", text);
}

} // namespace kx::ui
