#include "ui/app/settings_file.h"

#include "platform/ini_file.h"
#include "projectfile/xml_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kx {

namespace {

constexpr const char *kFileName = "DialogEditor.ini";
constexpr const char *kSection = "PREFIX";

std::string LocalPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QString ConfigHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace

QString SettingsFileLocation(const QString &programFolder)
{
    const QString beside = QDir(programFolder).filePath(QString::fromLatin1(kFileName));
    if (QFileInfo(beside).isFile())
        return beside;
    return ConfigHome() + QStringLiteral("/KXDialogEditor/") + QString::fromLatin1(kFileName);
}

QString SettingsFileLocation()
{
    return SettingsFileLocation(QCoreApplication::applicationDirPath());
}

QString EditorSettingsPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QStringLiteral("/KXDialogEditor/KXDialogEditor.conf");
}

bool LoadPrefixSettings(PrefixSettings &prefixes, const QString &path)
{
    IniFile ini;
    if (!ini.Load(LocalPath(path)))
        return false;
    // A value that cannot start a name (an old file, a hand edit) gives way to the built-in
    // prefix, so that no new resource is named with it.
    for (int i = 0; i < kPrefixCount; ++i) {
        if (const std::string *value = ini.Find(kSection, PrefixRows()[i].key)) {
            prefixes.Set(static_cast<PrefixIndex>(i),
                PrefixFault(*value) == NameFault::kNone ? *value : PrefixRows()[i].defaultValue);
        }
    }
    return true;
}

bool SavePrefixSettings(const PrefixSettings &prefixes, const QString &path)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    IniFile ini;
    ini.Load(LocalPath(path)); // a missing file starts empty
    for (int i = 0; i < kPrefixCount; ++i)
        ini.SetString(kSection, PrefixRows()[i].key, prefixes.Get(static_cast<PrefixIndex>(i)));
    return CXmlFile::WriteWhole(LocalPath(path), ini.ToText());
}

} // namespace kx
