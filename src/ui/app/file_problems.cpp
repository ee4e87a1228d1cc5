#include "ui/app/file_problems.h"

#include "model/image_data.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "ui/support/qt_text.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::ui {

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void AddOnce(QStringList &names, const std::string &file)
{
    const QString name = FromLocalPath(file);
    if (!names.contains(name))
        names.append(name);
}

bool IsFile(const std::string &path)
{
    struct stat info { };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void CollectObjectFiles(
    const CProjectContext &project, const CObjectDataList &group, QStringList &missing)
{
    for (const CObjectData *object : group.Children()) {
        if (!object)
            continue;
        if (object->IsGroup()) {
            CollectObjectFiles(project, static_cast<const CObjectDataList &>(*object), missing);
            continue;
        }
        const int type = object->Type();
        const bool picture = type == kTypePicture || type == kTypeIcon || type == kTypeMovie;
        if (picture && !object->ImageFile().empty()
            && !IsFile(project.ImagePath(object->ImageFile())))
            AddOnce(missing, object->ImageFile());
    }
}

} // namespace

QString OpenFailureReason(const QString &path)
{
    const std::string local = ToLocalPath(path);
    const int fd = ::open(local.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return SystemReason(errno);
    struct stat info { };
    const int error = fstat(fd, &info) != 0 ? errno : (S_ISDIR(info.st_mode) ? EISDIR : 0);
    ::close(fd);
    return error ? SystemReason(error) : QString();
}

QString WriteFailureReason(const QString &path, std::size_t size)
{
    const std::string local = ToLocalPath(path);
    struct stat info { };
    if (stat(local.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return SystemReason(EISDIR);
    // The writer makes its temporary file beside the target and renames it over the target.
    std::string probe = local + ".XXXXXX";
    const int fd = mkstemp(probe.data());
    if (fd < 0)
        return SystemReason(errno);
    int error = 0;
    if (size > 0)
        error = posix_fallocate(fd, 0, static_cast<off_t>(size));
    // A file system without preallocation cannot tell about room this way.
    if (error == EOPNOTSUPP || error == EINVAL)
        error = 0;
    ::close(fd);
    unlink(probe.c_str());
    return error ? SystemReason(error) : QString();
}

std::set<const KXClass *> PictureOwners(const CProjectContext &project)
{
    std::set<const KXClass *> owners;
    for (const auto &image : project.Images())
        owners.insert(image.get());
    for (const auto &dialog : project.Dialogs())
        owners.insert(dialog.get());
    return owners;
}

QStringList MissingPictureFiles(
    const CProjectContext &project, const std::set<const KXClass *> &known)
{
    QStringList missing;
    for (const auto &image : project.Images()) {
        if (known.count(image.get()))
            continue;
        for (int slot = 0; slot < kx::kMaxImageSlots; ++slot) {
            const std::string &file = image->SlotFile(slot);
            if (!file.empty() && !IsFile(project.ImagePath(file)))
                AddOnce(missing, file);
        }
    }
    for (const auto &dialog : project.Dialogs()) {
        if (!known.count(dialog.get()) && dialog->RootGroup())
            CollectObjectFiles(project, *dialog->RootGroup(), missing);
    }
    return missing;
}

} // namespace kx::ui
