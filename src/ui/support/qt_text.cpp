#include "ui/support/qt_text.h"

#include "platform/text_conversion.h"

#include <QFile>

namespace kx::ui {

QString FromModelText(std::string_view cp932)
{
    return FromUtf8(kx::ToUtf8(cp932));
}

std::string ToModelText(const QString &text)
{
    return kx::ToShiftJis(ToUtf8(text));
}

QString FromUtf8(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string ToLocalPath(const QString &path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromLocalPath(std::string_view path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace kx::ui
