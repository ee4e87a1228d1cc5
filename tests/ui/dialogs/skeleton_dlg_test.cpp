// The skeleton window: its controls as a new window shows them, runs into a folder with their
// log, the choice between the current dialog and all dialogs, and the bounded existence check
// of the folder chooser.
#include "model/kx_dialog_data.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/dialogs/folder_chooser.h"
#include "ui/dialogs/skeleton_dlg.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList LogLines(const CSkeletonDlg &dialog)
{
    QStringList lines;
    for (int i = 0; i < dialog.Log()->count(); ++i)
        lines << dialog.Log()->item(i)->text();
    return lines;
}

QString Updated(const char *file)
{
    return QString::fromUtf8("○ %1 を更新しました。").arg(QString::fromUtf8(file));
}

} // namespace

class SkeletonDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void NewWindowShowsTheInitialValues();
    void RunWritesTheFilesAndLogsEachOne();
    void DialogScopeChoosesWhichDialogsAreWritten();
    void PathExistsWithinAnswersForExistingAndMissingPaths();

private:
    void AddDialog(const char *name);

    std::unique_ptr<CProjectContext> m_project;
    std::unique_ptr<QTemporaryDir> m_projectDir;
    std::unique_ptr<QTemporaryDir> m_outputDir;
    kx::RecordingMessageSink m_messages;
};

void SkeletonDlgTest::init()
{
    m_projectDir = std::make_unique<QTemporaryDir>();
    m_outputDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_projectDir->isValid() && m_outputDir->isValid());
    m_project = std::make_unique<CProjectContext>();
    m_project->SetProjectFolder(m_projectDir->path().toStdString() + "/");
    m_project->Root().SetProjectName("MyApp");
    AddDialog("Main");
    AddDialog("Sub");
    m_messages.Clear();
}

void SkeletonDlgTest::cleanup()
{
    m_project.reset();
    m_outputDir.reset();
    m_projectDir.reset();
}

void SkeletonDlgTest::AddDialog(const char *name)
{
    auto dialog = std::make_unique<CKXDialogData>(name, m_project->Prefixes());
    dialog->SetName(name);
    m_project->Dialogs().Add(dialog);
}

void SkeletonDlgTest::NewWindowShowsTheInitialValues()
{
    CSkeletonDlg dialog(*m_project, nullptr);
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("スケルトン生成"));
    QVERIFY(!dialog.isModal());
    QCOMPARE(dialog.OutputFolderEdit()->text(), m_projectDir->path() + QStringLiteral("/"));
    QCOMPARE(dialog.BrowseButton()->text(), QString::fromUtf8("参照"));

    QVERIFY(dialog.ResourceIdCheck()->isChecked());
    QVERIFY(!dialog.MainCheck()->isChecked());
    QVERIFY(dialog.ApplicationCheck()->isChecked());
    QVERIFY(dialog.DialogsCheck()->isChecked());
    QVERIFY(dialog.DialogNameEdit()->text().isEmpty());
    QVERIFY(dialog.ThisDialogRadio()->isChecked());
    QVERIFY(!dialog.AllDialogsRadio()->isChecked());
    QVERIFY(!dialog.ProjectFileCheck()->isChecked());
    QVERIFY(!dialog.GetTextCheck()->isChecked());
    QCOMPARE(dialog.Log()->count(), 0);
    QCOMPARE(dialog.GenerateButton()->text(), QString::fromUtf8("スケルトン生成"));

    QCOMPARE(dialog.ApplicationCheck()->text(), QString::fromUtf8("アプリケーション"));
    QCOMPARE(dialog.DialogsCheck()->text(), QString::fromUtf8("ダイアログ"));
    QCOMPARE(dialog.ThisDialogRadio()->text(), QString::fromUtf8("このダイアログのみ"));
    QCOMPARE(dialog.AllDialogsRadio()->text(), QString::fromUtf8("すべてのダイアログ"));
    QCOMPARE(dialog.ProjectFileCheck()->text(), QString::fromUtf8("プロジェクト"));
    QCOMPARE(dialog.GetTextCheck()->text(), QString::fromUtf8("GetText対応する"));

    // The settings a run takes are those of a new window, the folder aside.
    const kx::SkeletonSettings settings = dialog.Settings();
    const kx::SkeletonSettings fresh;
    QCOMPARE(settings.outputFolder, m_project->ProjectFolder());
    QCOMPARE(settings.writeResourceId, fresh.writeResourceId);
    QCOMPARE(settings.writeMain, fresh.writeMain);
    QCOMPARE(settings.writeApplication, fresh.writeApplication);
    QCOMPARE(settings.writeDialogs, fresh.writeDialogs);
    QCOMPARE(settings.dialogScope, fresh.dialogScope);
    QCOMPARE(settings.writeProjectFile, fresh.writeProjectFile);
    QCOMPARE(settings.getTextSupport, fresh.getTextSupport);

    dialog.SetDialogName(QStringLiteral("Main"));
    QCOMPARE(dialog.DialogNameEdit()->text(), QStringLiteral("Main"));
    QCOMPARE(dialog.Settings().dialogName, std::string("Main"));
}

void SkeletonDlgTest::RunWritesTheFilesAndLogsEachOne()
{
    CSkeletonDlg dialog(*m_project, nullptr);
    dialog.SetMessageSink(&m_messages);
    const QString folder = m_outputDir->path();
    dialog.OutputFolderEdit()->setText(folder);
    dialog.SetDialogName(QStringLiteral("Main"));
    dialog.MainCheck()->setChecked(true);
    dialog.ProjectFileCheck()->setChecked(true);

    QTest::mouseClick(dialog.GenerateButton(), Qt::LeftButton);

    const QStringList log = LogLines(dialog);
    for (const char *file : {"resourceid.h", "main.cpp", "MyApp.cpp", "MyApp.h", "AppMyApp.cpp",
             "AppMyApp.h", "AppMyAppDesign.cpp", "DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp",
             "DlgMainDesign.h", "myapp.rvpro"}) {
        QVERIFY2(log.contains(Updated(file)), file);
        QVERIFY2(QFile::exists(QDir(folder).filePath(QString::fromUtf8(file))), file);
    }
    QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("DlgSub.cpp"))));
    QVERIFY(m_messages.Messages().empty());

    // A second run replaces the log with its own lines; the project file is only ever created,
    // and a skeleton file now belongs to the user, so both are cancelled with their reasons.
    const int first = dialog.Log()->count();
    dialog.Generate();
    QCOMPARE(dialog.Log()->count(), first);
    QCOMPARE(dialog.Log()->item(0)->text(), log.front());
    QVERIFY(LogLines(dialog).contains(
        QString::fromUtf8("× myapp.rvpro キャンセルしました。 exists already")));
    QVERIFY(LogLines(dialog).contains(
        QString::fromUtf8("× DlgMain.cpp キャンセルしました。 first line has no YES")));
}

void SkeletonDlgTest::DialogScopeChoosesWhichDialogsAreWritten()
{
    CSkeletonDlg dialog(*m_project, nullptr);
    dialog.SetMessageSink(&m_messages);
    const QDir folder(m_outputDir->path());
    dialog.OutputFolderEdit()->setText(folder.path());
    dialog.ResourceIdCheck()->setChecked(false);
    dialog.ApplicationCheck()->setChecked(false);

    // Only the named dialog; a name that matches none writes nothing.
    dialog.SetDialogName(QStringLiteral("Sub"));
    dialog.Generate();
    QVERIFY(folder.exists(QStringLiteral("DlgSub.cpp")));
    QVERIFY(!folder.exists(QStringLiteral("DlgMain.cpp")));
    QVERIFY(!folder.exists(QStringLiteral("resourceid.h")));
    QVERIFY(!folder.exists(QStringLiteral("MyApp.cpp")));
    QVERIFY(LogLines(dialog).contains(Updated("DlgSub.cpp")));
    QVERIFY(!LogLines(dialog).contains(Updated("DlgMain.cpp")));

    // All dialogs, whatever the name says.
    dialog.SetDialogName(QStringLiteral("Nothing"));
    dialog.AllDialogsRadio()->setChecked(true);
    QVERIFY(!dialog.ThisDialogRadio()->isChecked());
    QCOMPARE(dialog.Settings().dialogScope, int(kx::kScopeAllDialogs));
    dialog.Generate();
    QVERIFY(folder.exists(QStringLiteral("DlgMain.cpp")));
    QVERIFY(folder.exists(QStringLiteral("DlgMainDesign.h")));
    QVERIFY(LogLines(dialog).contains(Updated("DlgMain.cpp")));

    // Without "ダイアログ" no dialog is written at all.
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    dialog.OutputFolderEdit()->setText(empty.path());
    dialog.DialogsCheck()->setChecked(false);
    QVERIFY(dialog.Log()->count() > 0);
    dialog.Generate();
    QCOMPARE(dialog.Log()->count(), 0);
    QVERIFY(QDir(empty.path()).isEmpty());
}

void SkeletonDlgTest::PathExistsWithinAnswersForExistingAndMissingPaths()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(kx::PathExistsWithin(dir.path()));
    QVERIFY(kx::PathExistsWithin(dir.path(), 10000));
    QVERIFY(!kx::PathExistsWithin(dir.filePath(QStringLiteral("missing/folder"))));
    QVERIFY(!kx::PathExistsWithin(QString()));

    // Many short checks in a row: each worker finishes with its own block.
    for (int i = 0; i < 50; ++i)
        QVERIFY(kx::PathExistsWithin(dir.path(), 5000));
}

QTEST_MAIN(SkeletonDlgTest)
#include "skeleton_dlg_test.moc"
