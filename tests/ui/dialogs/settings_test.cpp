// The settings dialog and the settings file: OK writes every prefix, Cancel gives the old values
// back, a partial file keeps the defaults of what it lacks, and where the file is looked for.
#include "platform/ini_file.h"
#include "platform/message_sink.h"
#include "ui/app/settings_file.h"
#include "ui/dialogs/dlg_setting.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

kx::IniFile ReadIni(const QString &path)
{
    kx::IniFile ini;
    if (!ini.Load(QFile::encodeName(path).toStdString()))
        qWarning("cannot read %s", qPrintable(path));
    return ini;
}

bool WriteText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text) == text.size();
}

kx::PrefixIndex Index(int i)
{
    return static_cast<kx::PrefixIndex>(i);
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void OkWritesAllFifteenKeysInOrder();
    void OkWritesEditedValuesAndKeepsOtherSections();
    void CancelRestoresEveryPrefixAndLeavesTheFileAlone();
    void EmptyPrefixIsRefusedNamingItsField();
    void PrefixThatCannotStartANameIsRefusedAsTheNameFieldRefusesIt();
    void LoadingAPartialFileKeepsTheOtherDefaults();
    void LoadingAMissingFileFails();
    void FileBesideTheProgramWins();
    void OtherwiseTheFileLivesUnderXdgConfigHome();
};

void SettingsTest::OkWritesAllFifteenKeysInOrder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The folder does not exist yet: saving creates it.
    const QString path = dir.filePath(QStringLiteral("sub/DialogEditor.ini"));

    kx::PrefixSettings prefixes;
    DlgSetting dialog(prefixes, nullptr, path);
    for (int i = 0; i < kx::kPrefixCount; ++i)
        QCOMPARE(dialog.Field(Index(i))->text().toStdString(), prefixes.Get(Index(i)));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QVERIFY(QFile::exists(path));
    const kx::IniFile ini = ReadIni(path);
    QCOMPARE(ini.Sections().size(), std::size_t(1));
    const kx::IniFile::Section &section = ini.Sections().front();
    QCOMPARE(section.name, std::string("PREFIX"));
    QCOMPARE(section.entries.size(), std::size_t(kx::kPrefixCount));
    const char *const order[] = {"App", "Dlg", "IB", "IE", "IF", "OB", "OE", "OF", "OP", "OI", "OM",
        "OC", "OT", "FNT", "DID"};
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        QCOMPARE(section.entries[i].key, std::string(order[i]));
        QCOMPARE(section.entries[i].value, std::string(kx::PrefixRows()[i].defaultValue));
    }
}

void SettingsTest::OkWritesEditedValuesAndKeepsOtherSections()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DialogEditor.ini"));
    QVERIFY(WriteText(path, "[OTHER]\nx=1\n\n[PREFIX]\nDID=Old\n"));

    kx::PrefixSettings prefixes;
    DlgSetting dialog(prefixes, nullptr, path);
    dialog.Field(kx::kPrefixDID)->setText(QStringLiteral("Scr"));
    // Blanks around a prefix are not kept.
    dialog.Field(kx::kPrefixOB)->setText(QStringLiteral(" Btn\t"));
    dialog.Field(kx::kPrefixFNT)->setText(QStringLiteral("_Font9"));
    dialog.accept();

    QCOMPARE(prefixes.Get(kx::kPrefixDID), std::string("Scr"));
    QCOMPARE(prefixes.Get(kx::kPrefixOB), std::string("Btn"));
    QCOMPARE(prefixes.Get(kx::kPrefixFNT), std::string("_Font9"));

    const kx::IniFile ini = ReadIni(path);
    QCOMPARE(ini.GetString("PREFIX", "DID"), std::string("Scr"));
    QCOMPARE(ini.GetString("PREFIX", "OB"), std::string("Btn"));
    QCOMPARE(ini.GetString("PREFIX", "FNT"), std::string("_Font9"));
    QCOMPARE(ini.GetString("OTHER", "x"), std::string("1"));

    // What was written reads back as the same settings.
    kx::PrefixSettings reread;
    QVERIFY(kx::LoadPrefixSettings(reread, path));
    QVERIFY(reread == prefixes);
}

void SettingsTest::CancelRestoresEveryPrefixAndLeavesTheFileAlone()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DialogEditor.ini"));
    const QByteArray before = "[PREFIX]\nApp=Keep\n";
    QVERIFY(WriteText(path, before));

    kx::PrefixSettings prefixes;
    prefixes.Set(kx::kPrefixApp, "Keep");
    const kx::PrefixSettings original = prefixes;
    {
        DlgSetting dialog(prefixes, nullptr, path);
        for (int i = 0; i < kx::kPrefixCount; ++i)
            dialog.Field(Index(i))->setText(QStringLiteral("Changed%1").arg(i));
        dialog.reject();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(prefixes == original);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);

    // Cancelling without a file writes none.
    const QString absent = dir.filePath(QStringLiteral("absent/DialogEditor.ini"));
    DlgSetting second(prefixes, nullptr, absent);
    second.reject();
    QVERIFY(!QFile::exists(absent));
}

void SettingsTest::EmptyPrefixIsRefusedNamingItsField()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DialogEditor.ini"));
    // The labels that occur twice are told apart by their group.
    const std::map<kx::PrefixIndex, const char *> names {{kx::kPrefixDID, "「ダイアログ」"},
        {kx::kPrefixOB, "「ボタン」（オブジェクト）"},
        {kx::kPrefixIB, "「ボタン」（リソース イメージ）"}, {kx::kPrefixFNT, "「フォント」"}};
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        kx::PrefixSettings prefixes;
        const kx::PrefixSettings original = prefixes;
        kx::RecordingMessageSink messages;
        DlgSetting dialog(prefixes, nullptr, path);
        dialog.SetMessageSink(&messages);
        dialog.Field(Index((i + 1) % kx::kPrefixCount))->setText(QStringLiteral("Changed"));
        dialog.Field(Index(i))->setText(i % 2 ? QStringLiteral("  ") : QString());
        dialog.accept();

        QCOMPARE(dialog.result(), 0);
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        const QString text = QString::fromStdString(messages.Messages()[0].text);
        QCOMPARE(text,
            dialog.FieldName(Index(i))
                + QString::fromUtf8("のプレフィックスが空です。入力してください。"));
        if (names.count(Index(i)))
            QCOMPARE(dialog.FieldName(Index(i)), QString::fromUtf8(names.at(Index(i))));
        QVERIFY(prefixes == original);
        QVERIFY(!QFile::exists(path));
    }
}

void SettingsTest::PrefixThatCannotStartANameIsRefusedAsTheNameFieldRefusesIt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DialogEditor.ini"));
    const struct {
        const char *typed;
        const char *message; // what the name field says of the same name
    } cases[] = {
        {"9 bad", "エラー: 名前を数字で始めることはできません."},
        {" 1OB", "エラー: 名前を数字で始めることはできません."},
        {"O B", "エラー: 名前は半角英数字またはアンダースコア(_)で入力してください."},
        {"OB-", "エラー: 名前は半角英数字またはアンダースコア(_)で入力してください."},
        {"字", "エラー: 名前は半角英数字またはアンダースコア(_)で入力してください."},
        {"int", "エラー: C++の予約語は名前にできません."},
    };
    for (const auto &c : cases) {
        kx::PrefixSettings prefixes;
        const kx::PrefixSettings original = prefixes;
        kx::RecordingMessageSink messages;
        DlgSetting dialog(prefixes, nullptr, path);
        dialog.SetMessageSink(&messages);
        dialog.show();
        dialog.Field(kx::kPrefixDID)->setText(QStringLiteral("Scr"));
        dialog.Field(kx::kPrefixOB)->setText(QString::fromUtf8(c.typed));
        dialog.accept();

        QVERIFY2(dialog.isVisible(), c.typed);
        QCOMPARE(dialog.focusWidget(), dialog.Field(kx::kPrefixOB));
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(messages.Messages()[0].text),
            QString::fromUtf8("「ボタン」（オブジェクト）のプレフィックス: ")
                + QString::fromUtf8(c.message));
        QVERIFY(prefixes == original);
        QVERIFY(!QFile::exists(path));
    }
}

void SettingsTest::LoadingAPartialFileKeepsTheOtherDefaults()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DialogEditor.ini"));
    // A value that no new name may start with (written by hand, or by an older editor) gives
    // way to the built-in prefix.
    QVERIFY(WriteText(path,
        "[prefix]\r\ndid = Scr\r\nOT=Txt\r\nOB=9 bad\r\nOE=\r\nIB=a-b\r\n[OTHER]\r\n"
        "App=NotThis\r\n"));

    kx::PrefixSettings prefixes;
    QVERIFY(kx::LoadPrefixSettings(prefixes, path));
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        const kx::PrefixIndex index = Index(i);
        if (index == kx::kPrefixDID)
            QCOMPARE(prefixes.Get(index), std::string("Scr"));
        else if (index == kx::kPrefixOT)
            QCOMPARE(prefixes.Get(index), std::string("Txt"));
        else
            QCOMPARE(prefixes.Get(index), std::string(kx::PrefixRows()[i].defaultValue));
    }
}

void SettingsTest::LoadingAMissingFileFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    kx::PrefixSettings prefixes;
    prefixes.Set(kx::kPrefixDlg, "Mine");
    const kx::PrefixSettings before = prefixes;
    QVERIFY(!kx::LoadPrefixSettings(prefixes, dir.filePath(QStringLiteral("none.ini"))));
    QVERIFY(prefixes == before);
}

void SettingsTest::FileBesideTheProgramWins()
{
    QTemporaryDir program;
    QTemporaryDir config;
    QVERIFY(program.isValid() && config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    const QString beside = program.filePath(QStringLiteral("DialogEditor.ini"));
    QVERIFY(WriteText(beside, "[PREFIX]\n"));
    QCOMPARE(kx::SettingsFileLocation(program.path()), beside);

    // A folder of that name is no settings file.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkdir(QStringLiteral("DialogEditor.ini")));
    QCOMPARE(kx::SettingsFileLocation(other.path()),
        config.path() + QStringLiteral("/KXDialogEditor/DialogEditor.ini"));
    qunsetenv("XDG_CONFIG_HOME");
}

void SettingsTest::OtherwiseTheFileLivesUnderXdgConfigHome()
{
    QTemporaryDir program;
    QTemporaryDir config;
    QVERIFY(program.isValid() && config.isValid());

    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString expected = config.path() + QStringLiteral("/KXDialogEditor/DialogEditor.ini");
    QCOMPARE(kx::SettingsFileLocation(program.path()), expected);

    // The dialog writes where the file was looked for, creating the folder.
    kx::PrefixSettings prefixes;
    DlgSetting dialog(prefixes, nullptr, kx::SettingsFileLocation(program.path()));
    QCOMPARE(dialog.SettingsPath(), expected);
    dialog.accept();
    QVERIFY(QFile::exists(expected));

    // Unset or relative, XDG_CONFIG_HOME gives way to ~/.config.
    const QString home
        = QDir::homePath() + QStringLiteral("/.config/KXDialogEditor/DialogEditor.ini");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    QCOMPARE(kx::SettingsFileLocation(program.path()), home);
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(kx::SettingsFileLocation(program.path()), home);
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
