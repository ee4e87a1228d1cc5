// What went wrong with a file the editor reads or writes, in words the user can act on: the
// system's reason for a file that cannot be opened or written, and the picture files a loaded
// project names that are not there.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <set>

class CProjectContext;
class KXClass;

namespace kx::ui {

// The system's reason why path cannot be opened for reading as a file (a missing file, a folder,
// no permission); empty when it can.
QString OpenFailureReason(const QString &path);

// Why a file of size bytes probably could not be written to path: the writer's own steps (a
// temporary file beside the target, room for the content) are tried again and the first system
// error is answered. Empty when every step succeeds now.
QString WriteFailureReason(const QString &path, std::size_t size);

// The image definitions and dialogs of the project: what a load finds there before it reads.
std::set<const KXClass *> PictureOwners(const CProjectContext &project);

// The picture files that the image definitions and the Picture, Icon and Movie objects of the
// dialogs name and that are not files in the project's resources folder, each name once, in the
// order first met. Definitions and dialogs in known (there before a load) are left out.
QStringList MissingPictureFiles(
    const CProjectContext &project, const std::set<const KXClass *> &known = {});

} // namespace kx::ui
