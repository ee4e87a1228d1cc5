// Small icons for the tool bar's edit and save commands, drawn here so that they look the same
// whatever icon theme the desktop has (or none).
#pragma once

#include <QIcon>

namespace kx::ui {

enum class CommandIcon { Cut, Copy, Paste, Save, SaveAs };

QIcon MakeCommandIcon(CommandIcon kind);

} // namespace kx::ui
