// The one crossing between the model's texts and Qt's. Titles and object texts live in the model
// as CP932 bytes; names, file names and the core's messages are UTF-8 (see the architecture
// notes). Widgets speak QString, so every label and field goes through one of these four.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kx::ui {

// A dialog title or an object text (CP932) for a widget, and back.
QString FromModelText(std::string_view cp932);
std::string ToModelText(const QString &text);

// A name, a file name or a message (UTF-8) for a widget, and back.
QString FromUtf8(std::string_view utf8);
std::string ToUtf8(const QString &text);

// A path as the file system spells it (bytes on Linux), and back.
std::string ToLocalPath(const QString &path);
QString FromLocalPath(std::string_view path);

} // namespace kx::ui
