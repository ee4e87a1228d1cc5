#include "ui/dialogs/folder_chooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kx {

namespace {

// What the waiting side and the worker share. Both hold it, so it stays valid until the later
// of the two lets go: after a time-out the worker still writes into a live block, never into
// freed memory.
struct ExistenceCheck {
    std::string path;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool exists = false;
};

} // namespace

bool PathExistsWithin(const QString &path, int milliseconds)
{
    if (path.isEmpty())
        return false;
    auto check = std::make_shared<ExistenceCheck>();
    check->path = QFile::encodeName(path).toStdString();

    std::thread worker([check] {
        std::error_code error;
        const bool exists = std::filesystem::exists(check->path, error) && !error;
        {
            std::lock_guard lock(check->mutex);
            check->exists = exists;
            check->done = true;
        }
        check->finished.notify_one();
    });
    // The worker may outlive this call when the file system hangs; it owns its share of the block.
    worker.detach();

    std::unique_lock lock(check->mutex);
    if (!check->finished.wait_for(
            lock, std::chrono::milliseconds(milliseconds), [&] { return check->done; }))
        return false;
    return check->exists;
}

QString ChooseFolder(QWidget *parent, const QString &startFolder)
{
    const QString start = !startFolder.isEmpty() && PathExistsWithin(startFolder)
        ? startFolder
        : QDir::currentPath();
    return QFileDialog::getExistingDirectory(parent,
        QCoreApplication::translate("FolderChooser", "フォルダを選択してください"), start,
        QFileDialog::ShowDirsOnly);
}

} // namespace kx
