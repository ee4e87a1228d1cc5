// Picking a folder, and asking whether a path exists without letting a slow or unreachable
// network path freeze the window.
#pragma once

#include <QString>

class QWidget;

namespace kx {

// Lets the user pick a folder, starting at startFolder (the current folder when that does not
// exist). Answers the chosen folder, or an empty text when the user cancelled.
QString ChooseFolder(QWidget *parent, const QString &startFolder);

// Whether path exists, asked on a worker thread. The caller waits at most milliseconds; a check
// that takes longer counts as a path that does not exist, and its late answer is dropped.
bool PathExistsWithin(const QString &path, int milliseconds = 2000);

} // namespace kx
