// The editor's settings file "DialogEditor.ini": where it lives and its "PREFIX" section, which
// holds the fifteen identifier prefixes.
#pragma once

#include "model/prefix_settings.h"

#include <QString>

namespace kx {

// The settings file of a program living in programFolder: the file beside the program when one
// exists there (a portable install), else $XDG_CONFIG_HOME/KXDialogEditor/DialogEditor.ini, with
// ~/.config standing in for an unset or relative XDG_CONFIG_HOME.
QString SettingsFileLocation(const QString &programFolder);
// The same for the running program.
QString SettingsFileLocation();

// Reads the "PREFIX" section of the file into prefixes; a key that is missing keeps the value
// prefixes had, and a value that cannot start a name is replaced by the built-in prefix. False
// (prefixes untouched) when the file cannot be read.
bool LoadPrefixSettings(PrefixSettings &prefixes, const QString &path);

// The editor's own Qt settings (recent files, the language), in the XDG configuration folder;
// not "DialogEditor.ini", which holds the prefixes that projects share.
QString EditorSettingsPath();

// Writes all fifteen prefixes into the "PREFIX" section of the file, creating its folder when
// needed; other sections of an existing file stay as they were.
bool SavePrefixSettings(const PrefixSettings &prefixes, const QString &path);

} // namespace kx
