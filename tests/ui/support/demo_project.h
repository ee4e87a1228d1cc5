// The demo project as the editor's offscreen tests use it: a copy that saves may write, and the
// bytes of a file written.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

namespace kx::test {

// A file's bytes; none when it cannot be read.
inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A copy of the demo project in folder (pictures and fonts linked), so saves do not touch it.
inline QString CopyDemo(const QTemporaryDir &folder)
{
    const QString demo = QFileInfo(QString::fromUtf8(KX_DEMO_PROJECT)).absolutePath();
    QFile::link(demo + QStringLiteral("/resources"), folder.filePath(QStringLiteral("resources")));
    QFile::link(demo + QStringLiteral("/fonts"), folder.filePath(QStringLiteral("fonts")));
    const QString path = folder.filePath(QStringLiteral("demo.xml"));
    QFile::copy(QString::fromUtf8(KX_DEMO_PROJECT), path);
    return path;
}

} // namespace kx::test
