// The Help menu's user guide and keyboard shortcuts: the guide is found in an installation and in
// a build folder, shows its pictures and follows its contents links; the shortcut list holds what
// the main window's actions have at the moment it is shown.
#include "ui/app/help_commands.h"
#include "ui/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

namespace {

bool WriteFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The rows of the shortcut list: "menu / command" -> keys.
QMap<QString, QString> ListedShortcuts(const QTreeWidget &table)
{
    QMap<QString, QString> rows;
    for (int i = 0; i < table.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *group = table.topLevelItem(i);
        for (int j = 0; j < group->childCount(); ++j) {
            rows.insert(group->text(0) + QStringLiteral(" / ") + group->child(j)->text(0),
                group->child(j)->text(1));
        }
    }
    return rows;
}

} // namespace

class HelpCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void UserGuideIsFoundInAnInstallationAndInABuild();
    void GuideShowsItsPicturesAndFollowsItsContents();
    void ShortcutListIsReadFromTheActionsWhenShown();
};

void HelpCommandsTest::initTestCase()
{
    // Keeps the user's own settings and recent files out of the tests.
    QStandardPaths::setTestModeEnabled(true);
}

void HelpCommandsTest::UserGuideIsFoundInAnInstallationAndInABuild()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    const QString installed
        = root + QStringLiteral("/usr/share/kxdialogeditor/doc/user-guide.html");
    QVERIFY(WriteFile(installed, "<h1>Guide</h1>"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/usr/bin")));
    // A build folder names its sources in its cache; a program may lie a few folders below it.
    const QString sourceGuide = root + QStringLiteral("/src/docs/user-guide.md");
    QVERIFY(WriteFile(sourceGuide, "# Guide\n"));
    QVERIFY(WriteFile(root + QStringLiteral("/build/CMakeCache.txt"),
        "CMAKE_HOME_DIRECTORY:INTERNAL=" + root.toUtf8()
            + "/src\nKXDialogEditor_SOURCE_DIR:STATIC=" + root.toUtf8() + "/src\n"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/build/src/ui")));
    // Another project's build is not ours, even with a guide beside its sources.
    QVERIFY(WriteFile(root + QStringLiteral("/other/CMakeCache.txt"),
        "CMAKE_HOME_DIRECTORY:INTERNAL=" + root.toUtf8() + "/src\n"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/other/bin")));
    // An installation inside a build folder is the installation.
    QVERIFY(
        WriteFile(root + QStringLiteral("/build/stage/share/kxdialogeditor/doc/user-guide.html"),
            "<h1>Staged</h1>"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/build/stage/bin")));

    const struct {
        const char *program;
        QString guide;
    } cases[] = {
        {"/usr/bin", installed},
        {"/build/src/ui", sourceGuide},
        {"/build", sourceGuide},
        {"/build/stage/bin",
            root + QStringLiteral("/build/stage/share/kxdialogeditor/doc/user-guide.html")},
        {"/other/bin", QString()},
        {"/nowhere", QString()},
    };
    for (const auto &c : cases) {
        QCOMPARE(kx::ui::FindUserGuide(root + QString::fromUtf8(c.program)), c.guide);
    }
    QCOMPARE(kx::ui::InstalledUserGuide(root + QStringLiteral("/other/bin")),
        root + QStringLiteral("/other/share/kxdialogeditor/doc/user-guide.html"));

    // This test program lies in the build folder of the repository's sources.
    const QString repositoryGuide = QFileInfo(QStringLiteral(KX_DEMO_PROJECT))
                                        .dir()
                                        .filePath(QStringLiteral("../../docs/user-guide.md"));
    QCOMPARE(QFileInfo(kx::ui::FindUserGuide(QCoreApplication::applicationDirPath()))
                 .canonicalFilePath(),
        QFileInfo(repositoryGuide).canonicalFilePath());
}

void HelpCommandsTest::GuideShowsItsPicturesAndFollowsItsContents()
{
    CMainFrame frame;
    auto *help = frame.findChild<CHelpCommands *>();
    QVERIFY(help);
    QCOMPARE(help->UserGuideAction()->shortcut(), QKeySequence(QKeySequence::HelpContents));
    help->UserGuideAction()->trigger();
    QTextBrowser *guide = help->GuideWindow();
    QVERIFY(guide);
    QVERIFY(QTest::qWaitForWindowExposed(guide));
    QVERIFY(guide->document()->toPlainText().contains(QStringLiteral("KXDialogEditor user guide")));
    // The pictures are found beside the guide.
    const QVariant picture = guide->loadResource(
        QTextDocument::ImageResource, QUrl(QStringLiteral("images/01-empty-editor.png")));
    QVERIFY(!picture.isNull());
    // Screenshots of the whole editor are fitted to the window's width.
    QVERIFY(picture.value<QImage>().width() < guide->width());

    // A contents link brings its heading to the top; one to a heading that is not there moves
    // nothing.
    QCOMPARE(guide->verticalScrollBar()->value(), 0);
    emit guide->anchorClicked(QUrl(QStringLiteral("#objects-on-the-canvas")));
    const int scrolled = guide->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    QCOMPARE(guide->cursorForPosition(QPoint(4, 4)).block().text(),
        QStringLiteral("Objects on the canvas"));
    emit guide->anchorClicked(QUrl(QStringLiteral("#no-such-heading")));
    QCOMPARE(guide->verticalScrollBar()->value(), scrolled);
    QCOMPARE(kx::ui::HeadingAnchor(QStringLiteral("The command-line tool")),
        QStringLiteral("the-command-line-tool"));
    QCOMPARE(kx::ui::HeadingAnchor(QStringLiteral("Objects, on the canvas!")),
        QStringLiteral("objects-on-the-canvas"));

    // Without a guide the window says where an installation keeps it.
    help->ShowUserGuide(QString());
    QVERIFY(guide->document()->toPlainText().contains(
        kx::ui::InstalledUserGuide(QCoreApplication::applicationDirPath())));
}

void HelpCommandsTest::ShortcutListIsReadFromTheActionsWhenShown()
{
    CMainFrame frame;
    auto *help = frame.findChild<CHelpCommands *>();
    QVERIFY(help);
    help->ShortcutsAction()->trigger();
    QVERIFY(help->ShortcutsWindow() && help->ShortcutsWindow()->isVisible());
    QMap<QString, QString> rows = ListedShortcuts(*help->ShortcutTable());

    // Every action of the window that has keys is listed with all of them, under its menu and
    // without its mnemonic.
    int withKeys = 0;
    for (const QAction *action : frame.findChildren<QAction *>()) {
        if (action->shortcuts().isEmpty())
            continue;
        ++withKeys;
        QStringList keys;
        for (const QKeySequence &key : action->shortcuts())
            keys.append(key.toString(QKeySequence::NativeText));
        const QStringList found = rows.keys(keys.join(QStringLiteral(", ")));
        QVERIFY2(!found.isEmpty(), qPrintable(action->text()));
        QVERIFY2(!found.constFirst().contains(QLatin1Char('&')), qPrintable(found.constFirst()));
    }
    QCOMPARE(rows.size(), withKeys);
    QVERIFY(rows.value(QString::fromUtf8("編集 / 元に戻す")).startsWith(QStringLiteral("Ctrl+Z")));
    QVERIFY(rows.values().contains(QStringLiteral("F7")));
    QVERIFY(rows.values().contains(QStringLiteral("F1")));

    // A key given to a command later is in the list the next time it is shown.
    QAction *about = nullptr;
    for (QAction *action : frame.findChildren<QAction *>()) {
        if (action->text() == QString::fromUtf8("バージョン情報(&A)"))
            about = action;
    }
    QVERIFY(about);
    about->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+V")));
    help->ShortcutsAction()->trigger();
    rows = ListedShortcuts(*help->ShortcutTable());
    QCOMPARE(
        rows.value(QString::fromUtf8("ヘルプ / バージョン情報")), QStringLiteral("Ctrl+Alt+V"));
}

QTEST_MAIN(HelpCommandsTest)
#include "help_commands_test.moc"
