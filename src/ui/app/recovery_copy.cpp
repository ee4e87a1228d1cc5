#include "ui/app/recovery_copy.h"

#include "model/project_context.h"
#include "projectfile/project_writer.h"
#include "projectfile/xml_file.h"
#include "ui/support/qt_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

constexpr const char *kPrefix = "recovery-";
constexpr const char *kCopySuffix = ".xml";
constexpr const char *kInfoSuffix = ".ini";
constexpr const char *kLockSuffix = ".lock";

// Only whether the process lives decides; a long session keeps its lock for hours.
void NeverStaleByAge(QLockFile &lock)
{
    lock.setStaleLockTime(0);
}

} // namespace

CRecoveryCopy::CRecoveryCopy(CProjectContext &project, QObject *parent)
    : QObject(parent)
    , m_project(project)
    , m_folder(DefaultFolder())
    // The process id alone may come back after a reboot; with the start time it is unique.
    , m_session(QStringLiteral("%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QDateTime::currentMSecsSinceEpoch()))
{
    m_timer.setInterval(kDefaultIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_project.IsModified())
            WriteNow();
    });
}

CRecoveryCopy::~CRecoveryCopy()
{
    Remove();
}

QString CRecoveryCopy::DefaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/KXDialogEditor");
}

void CRecoveryCopy::SetFolder(const QString &folder)
{
    if (folder == m_folder)
        return;
    Remove();
    m_folder = folder;
}

void CRecoveryCopy::SetInterval(int milliseconds)
{
    m_timer.setInterval(std::max(milliseconds, 1));
}

QString CRecoveryCopy::PathOf(const QString &suffix) const
{
    return m_folder + QLatin1Char('/') + QString::fromLatin1(kPrefix) + m_session + suffix;
}

QString CRecoveryCopy::CopyPath() const
{
    return PathOf(QString::fromLatin1(kCopySuffix));
}

void CRecoveryCopy::ModifiedChanged(bool modified)
{
    if (modified) {
        if (!m_timer.isActive())
            m_timer.start();
        return;
    }
    m_timer.stop();
    Remove();
}

bool CRecoveryCopy::TakeLock()
{
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    auto lock = std::make_unique<QLockFile>(PathOf(QString::fromLatin1(kLockSuffix)));
    NeverStaleByAge(*lock);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

bool CRecoveryCopy::WriteNow()
{
    const std::string text = kx::FormatProject(m_project);
    if (text == m_written && QFile::exists(CopyPath()))
        return true;
    // The lock comes first: a copy without a living lock is taken for abandoned.
    if (!TakeLock())
        return false;
    {
        QSettings info(PathOf(QString::fromLatin1(kInfoSuffix)), QSettings::IniFormat);
        info.setValue(
            QStringLiteral("ProjectName"), kx::ui::FromUtf8(m_project.Root().ProjectName()));
        info.setValue(QStringLiteral("ProjectFile"), kx::ui::FromLocalPath(m_projectFile));
        info.setValue(
            QStringLiteral("ProjectFolder"), kx::ui::FromLocalPath(m_project.ProjectFolder()));
        info.setValue(
            QStringLiteral("Written"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
        info.sync();
        if (info.status() != QSettings::NoError)
            return false;
    }
    if (!CXmlFile::WriteWhole(kx::ui::ToLocalPath(CopyPath()), text))
        return false;
    m_written = text;
    return true;
}

void CRecoveryCopy::Remove()
{
    m_written.clear();
    if (!m_lock)
        return;
    QFile::remove(CopyPath());
    QFile::remove(PathOf(QString::fromLatin1(kInfoSuffix)));
    m_lock->unlock();
    m_lock.reset();
}

QList<CRecoveryCopy::Abandoned> CRecoveryCopy::FindAbandoned() const
{
    QList<Abandoned> found;
    const QDir folder(m_folder);
    const QString own = QString::fromLatin1(kPrefix) + m_session;
    const QStringList copies = folder.entryList(
        {QString::fromLatin1(kPrefix) + QLatin1Char('*') + QString::fromLatin1(kCopySuffix)},
        QDir::Files);
    for (const QString &name : copies) {
        const QString base = name.chopped(int(qstrlen(kCopySuffix)));
        if (base == own)
            continue;
        Abandoned copy;
        copy.copyPath = folder.filePath(name);
        copy.infoPath = folder.filePath(base + QString::fromLatin1(kInfoSuffix));
        copy.lockPath = folder.filePath(base + QString::fromLatin1(kLockSuffix));
        // A lock that can be taken belongs to no running editor.
        QLockFile lock(copy.lockPath);
        NeverStaleByAge(lock);
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        const QSettings info(copy.infoPath, QSettings::IniFormat);
        copy.projectName = info.value(QStringLiteral("ProjectName")).toString();
        copy.projectFile = info.value(QStringLiteral("ProjectFile")).toString();
        copy.projectFolder = info.value(QStringLiteral("ProjectFolder")).toString();
        copy.written = QDateTime::fromString(
            info.value(QStringLiteral("Written")).toString(), Qt::ISODateWithMs);
        if (!copy.written.isValid())
            copy.written = QFileInfo(copy.copyPath).lastModified();
        found.append(copy);
    }
    std::sort(found.begin(), found.end(),
        [](const Abandoned &a, const Abandoned &b) { return a.written > b.written; });
    return found;
}

void CRecoveryCopy::Discard(const Abandoned &copy)
{
    QFile::remove(copy.copyPath);
    QFile::remove(copy.infoPath);
    QFile::remove(copy.lockPath);
}
