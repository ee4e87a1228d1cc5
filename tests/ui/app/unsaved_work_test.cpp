// Unsaved work is never lost silently: the title shows it, closing and discarding ask first,
// "上書き保存" writes the project's own file, and a recovery copy outlives a killed editor.
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "ui/app/main_frame.h"
#include "ui/document/document_set.h"
#include "ui/support/demo_project.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <csignal>
#include <unistd.h>

using kx::ui::SaveChoice;

namespace {

using kx::test::CopyDemo;
using kx::test::ReadAll;

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// An edit through the funnel every edit command uses.
void Edit(CMainFrame &frame)
{
    CKXDialogData *dialog = frame.Project().Dialogs().At(0);
    dialog->SetTitle("edited");
    frame.Documents().For(dialog)->Commit(kChangeDialog);
}

// The window title as the window system shows it, '*' in place of the marker.
QString ShownTitle(const CMainFrame &frame)
{
    return frame.windowHandle()->title();
}

} // namespace

class UnsavedWorkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void TitleShowsTheProjectAndItsUnsavedState();
    void CloseAndDiscardAskFirst();
    void SaveWritesTheOwnFileOrAsksForOne();
    void RecoveryCopyFollowsUnsavedWork();
    void KilledEditorsCopyIsOfferedAndRestored();

private:
    kx::RecordingMessageSink m_messages;
    QTemporaryDir m_state;
};

void UnsavedWorkTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_state.isValid());
}

void UnsavedWorkTest::init()
{
    m_messages.Clear();
}

void UnsavedWorkTest::TitleShowsTheProjectAndItsUnsavedState()
{
    QTemporaryDir folder;
    const QString path = CopyDemo(folder);
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(ShownTitle(frame), Utf8("KXDialogEditor"));

    // Loaded into an empty project: that file, unchanged; an edit marks it.
    QVERIFY(frame.LoadProject(path));
    QCOMPARE(ShownTitle(frame), Utf8("KXDialogEditor - Demo (%1)").arg(path));
    Edit(frame);
    QCOMPARE(ShownTitle(frame), Utf8("KXDialogEditor - Demo (%1)*").arg(path));
    // A failed save keeps the mark, a successful one clears it.
    QVERIFY(!frame.SaveAllTo(folder.filePath(Utf8("none/x.xml"))));
    QVERIFY(frame.isWindowModified());
    QVERIFY(frame.SaveAllTo(path));
    QVERIFY(!frame.isWindowModified());
    // A load merged into other work matches no file on disk.
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    QVERIFY(frame.isWindowModified());
    frame.DiscardAll();
    QCOMPARE(ShownTitle(frame), Utf8("KXDialogEditor"));
}

void UnsavedWorkTest::CloseAndDiscardAskFirst()
{
    // Closing the window, then "全てのリソースを破棄", with each answer.
    for (int i = 0; i < 6; ++i) {
        const bool close = i < 3;
        const auto answer = SaveChoice(i % 3);
        QTemporaryDir folder;
        const QString path = CopyDemo(folder);
        const QByteArray before = ReadAll(path);
        CMainFrame frame;
        frame.SetMessageSink(&m_messages);
        int asked = 0;
        frame.Questions().saveChanges = [&](QWidget *, const QString &name) {
            ++asked;
            return name == Utf8("Demo") ? answer : SaveChoice::Cancel;
        };
        frame.show();
        QVERIFY(frame.LoadProject(path));
        Edit(frame);
        const QByteArray edited = QByteArray::fromStdString(kx::FormatProject(frame.Project()));
        if (close)
            QCOMPARE(frame.close(), answer != SaveChoice::Cancel);
        else
            frame.DiscardAllAction()->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(frame.Project().Dialogs().IsEmpty(), !close && answer != SaveChoice::Cancel);
        QCOMPARE(ReadAll(path), answer == SaveChoice::Save ? edited : before);
    }

    // Nothing unsaved: no question. A save that is cancelled or fails stops the close.
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    int asked = 0;
    frame.Questions().saveChanges = [&](QWidget *, const QString &) {
        ++asked;
        return SaveChoice::Save;
    };
    frame.Questions().savePath = [](QWidget *, const QString &) { return QString(); };
    frame.show();
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    frame.DiscardAllAction()->trigger();
    QCOMPARE(asked, 0);
    QVERIFY(frame.NewDialogWindow());
    QVERIFY(!frame.close());
    QTemporaryDir folder;
    frame.Questions().savePath
        = [&](QWidget *, const QString &) { return folder.filePath(Utf8("none/x.xml")); };
    QVERIFY(!frame.close());
    QCOMPARE(asked, 2);
    QVERIFY(frame.Project().IsModified());
}

void UnsavedWorkTest::SaveWritesTheOwnFileOrAsksForOne()
{
    QCOMPARE(CMainFrame().SaveAction()->shortcut(), QKeySequence(Utf8("Ctrl+S")));
    QCOMPARE(CMainFrame().SaveAllAction()->shortcut(), QKeySequence(Utf8("Ctrl+Shift+S")));
    QTemporaryDir folder;
    const QString path = CopyDemo(folder);
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QStringList proposals;
    QString answer;
    frame.Questions().savePath = [&](QWidget *, const QString &proposal) {
        proposals << proposal;
        return answer;
    };

    // A loaded project has its file: no dialog.
    QVERIFY(frame.LoadProject(path));
    Edit(frame);
    frame.SaveAction()->trigger();
    QVERIFY(proposals.isEmpty());
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(kx::FormatProject(frame.Project())));

    // A new project asks once; the file chosen becomes its file and its folder.
    frame.DiscardAll();
    QVERIFY(!frame.HasOwnFile());
    QVERIFY(frame.NewDialogWindow());
    QVERIFY(QDir(folder.path()).mkdir(Utf8("new")));
    answer = folder.filePath(Utf8("new/first.xml"));
    frame.SaveAction()->trigger();
    frame.SaveAction()->trigger();
    QCOMPARE(proposals.size(), 1);
    QVERIFY(frame.HasOwnFile());
    QCOMPARE(frame.Project().Root().ProjectFilePath(), answer.toStdString());
    QCOMPARE(frame.Project().ProjectFolder(), folder.filePath(Utf8("new/")).toStdString());
    // "全てのリソースの保存" keeps its dialog.
    frame.SaveAllAction()->trigger();
    QCOMPARE(proposals.size(), 2);
}

void UnsavedWorkTest::RecoveryCopyFollowsUnsavedWork()
{
    QTemporaryDir folder;
    const QString path = CopyDemo(folder);
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.Recovery().SetFolder(m_state.path());
    frame.Recovery().SetInterval(20);
    frame.Questions().saveChanges = [](QWidget *, const QString &) { return SaveChoice::Discard; };
    QVERIFY(frame.LoadProject(path));
    const QString copy = frame.Recovery().CopyPath();
    Edit(frame);
    QTRY_VERIFY(QFile::exists(copy));
    QCOMPARE(ReadAll(copy), QByteArray::fromStdString(kx::FormatProject(frame.Project())));
    // Later edits reach the copy at the next interval.
    frame.Project().Dialogs().At(0)->SetTitle("again");
    QTRY_COMPARE(ReadAll(copy), QByteArray::fromStdString(kx::FormatProject(frame.Project())));
    QVERIFY(frame.Save());
    QVERIFY(!QFile::exists(copy));

    // A clean exit, even one that gives up the changes, leaves no copy.
    Edit(frame);
    QTRY_VERIFY(QFile::exists(copy));
    QVERIFY(frame.close());
    QVERIFY(QDir(m_state.path()).entryList(QDir::Files).isEmpty());
}

void UnsavedWorkTest::KilledEditorsCopyIsOfferedAndRestored()
{
    QTemporaryDir folder;
    const QString path = CopyDemo(folder);
    // A live editor's copy is never offered.
    CProjectContext live;
    CRecoveryCopy liveCopy(live);
    liveCopy.SetFolder(m_state.path());
    QVERIFY(liveCopy.WriteNow());

    for (const bool accept : {false, true}) {
        // Another editor writes its copy and is killed.
        QProcess editor;
        editor.start(QCoreApplication::applicationFilePath(),
            {Utf8("--write-copy-and-die"), path, m_state.path()});
        QVERIFY(editor.waitForFinished());
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

        CMainFrame frame;
        frame.SetMessageSink(&m_messages);
        frame.Recovery().SetFolder(m_state.path());
        QList<CRecoveryCopy::Abandoned> offered;
        frame.Questions().restore = [&](QWidget *, const CRecoveryCopy::Abandoned &copy) {
            offered << copy;
            return accept;
        };
        frame.OfferRecovery();
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered[0].projectFile, path);
        QVERIFY(!QFile::exists(offered[0].copyPath));
        QCOMPARE(frame.Project().Dialogs().IsEmpty(), !accept);
        if (!accept)
            continue;
        // Restored: unsaved, with its own file and folder, copied again under this editor.
        QCOMPARE(frame.Project().Dialogs().At(0)->Title(), std::string("killed"));
        QVERIFY(frame.Project().IsModified());
        QVERIFY(frame.HasOwnFile());
        QCOMPARE(frame.Project().Root().ProjectFilePath(), path.toStdString());
        QCOMPARE(frame.Project().ProjectFolder(), (folder.path() + u'/').toStdString());
        QVERIFY(QFile::exists(frame.Recovery().CopyPath()));
        QVERIFY(frame.Save());
        QVERIFY(ReadAll(path).contains("<Title>killed</Title>"));
    }
}

// Started as "--write-copy-and-die PROJECT FOLDER": loads the project, edits it, writes the
// recovery copy as the editor does and is killed, as a crash would end it.
int main(int argc, char *argv[])
{
    if (argc == 4 && std::string_view(argv[1]) == "--write-copy-and-die") {
        QCoreApplication app(argc, argv);
        CProjectContext project;
        kx::RecordingMessageSink messages;
        kx::ProjectReader reader(project, messages);
        if (!reader.ReadFile(argv[2]))
            return 1;
        project.SetProjectFolder(
            QFileInfo(QString::fromLocal8Bit(argv[2])).absolutePath().toStdString());
        project.Dialogs().At(0)->SetTitle("killed");
        CRecoveryCopy copy(project);
        copy.SetFolder(QString::fromLocal8Bit(argv[3]));
        copy.SetProjectFile(argv[2]);
        if (!copy.WriteNow())
            return 1;
        ::kill(::getpid(), SIGKILL);
    }
    QApplication app(argc, argv);
    UnsavedWorkTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "unsaved_work_test.moc"
