// Small icons for the tool bar's edit commands, drawn here so that they look the same whatever
// icon theme the desktop has (or none).
#pragma once

#include <QIcon>

namespace kx::ui {

enum class CommandIcon { Cut, Copy, Paste };

QIcon MakeCommandIcon(CommandIcon kind);

} // namespace kx::ui
