// The File menu as desktop editors have it, driven through the window's own commands: Save
// confirms without a box, New Project starts afresh, Save As records the file, and every box
// shows names and file texts as they are.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "projectfile/clipboard_text.h"
#include "projectfile/project_writer.h"
#include "ui/app/main_frame.h"
#include "ui/app/settings_file.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/document_set.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/property_controls.h"
#include "ui/panels/property_panel.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/demo_project.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

using kx::ui::SaveChoice;

namespace {

using kx::test::CopyDemo;
using kx::test::ReadAll;

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

void Edit(CMainFrame &frame)
{
    CKXDialogData *dialog = frame.Project().Dialogs().At(0);
    dialog->SetTitle("edited");
    frame.Documents().For(dialog)->Commit(kChangeDialog);
}

// A message box as the user would have seen it.
struct ShownBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

// Runs command and answers every modal message box it opens (as a close without a choice).
QList<ShownBox> BoxesOf(const std::function<void()> &command)
{
    QList<ShownBox> boxes;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&boxes] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxes.append({box->windowTitle(), box->text(), box->textFormat()});
            box->done(0);
        }
    });
    timer.start();
    command();
    return boxes;
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void SaveConfirmsInTheStatusBarAndSaveAsInABox();
    void NewProjectAndDiscardProposeNoEarlierFile();
    void SavesRecordTheRecentFile();
    void BoxesShowTextsAsTheyAre();
    void PastingWhatIsNoObjectsSaysSo();

private:
    kx::RecordingMessageSink m_messages;
};

void FileCommandsTest::init()
{
    m_messages.Clear();
    // Each case starts with no recent files.
    QFile::remove(kx::EditorSettingsPath());
}

void FileCommandsTest::SaveConfirmsInTheStatusBarAndSaveAsInABox()
{
    QTemporaryDir folder;
    const QString path = CopyDemo(folder);
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    // The tool bar's button is Save; Save As has an icon of its own.
    const QList<QAction *> tools = frame.findChild<QToolBar *>()->actions();
    QVERIFY(tools.contains(frame.SaveAction()) && !tools.contains(frame.SaveAllAction()));
    QVERIFY(frame.SaveAction()->icon().pixmap(16).toImage()
        != frame.SaveAllAction()->icon().pixmap(16).toImage());

    QVERIFY(frame.LoadProject(path));
    m_messages.Clear();
    Edit(frame);
    frame.SaveAction()->trigger();
    QVERIFY(m_messages.Messages().empty());
    QCOMPARE(frame.statusBar()->currentMessage(), Utf8("ファイルを保存しました。"));
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(kx::FormatProject(frame.Project())));

    frame.statusBar()->clearMessage();
    frame.Questions().savePath = [&path](QWidget *, const QString &) { return path; };
    frame.SaveAllAction()->trigger();
    QCOMPARE(m_messages.Messages().size(), std::size_t(1));
    QCOMPARE(m_messages.Messages()[0].text, std::string("ファイルを保存しました。"));
    QVERIFY(frame.statusBar()->currentMessage().isEmpty());

    // The first Ctrl+S of a never-saved project copies a picture chosen elsewhere: the list is
    // still a box to read, the confirmation is not.
    frame.DiscardAll();
    m_messages.Clear();
    const QString picture = folder.filePath(Utf8("logo.png"));
    QVERIFY(QFile::copy(
        QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath() + Utf8("/resources/weather.png"), picture));
    frame.Questions().chooseFile
        = [&picture](QWidget *, const QString &, kx::ui::ProjectFileKind) { return picture; };
    QVERIFY(frame.NewDialogWindow());
    frame.ResourcePanel()->SetMode(CResourceDlg::kModeObject);
    frame.ResourcePanel()->AddType(1 + kTypePicture);
    frame.ResourcePanel()->Properties()->Controls().browse->click();
    const QString saved = folder.filePath(Utf8("new/p.xml"));
    QVERIFY(QDir(folder.path()).mkdir(Utf8("new")));
    frame.Questions().savePath = [&saved](QWidget *, const QString &) { return saved; };
    frame.SaveAction()->trigger();
    QVERIFY(QFile::exists(folder.filePath(Utf8("new/resources/logo.png"))));
    QCOMPARE(frame.statusBar()->currentMessage(), Utf8("ファイルを保存しました。"));
    QCOMPARE(m_messages.Messages().size(), std::size_t(1));
    const QString list = QString::fromStdString(m_messages.Messages()[0].text);
    QVERIFY(list.startsWith(Utf8("次のファイルをプロジェクトのフォルダにコピーしました。\n")));
    QVERIFY(list.contains(picture));
}

void FileCommandsTest::NewProjectAndDiscardProposeNoEarlierFile()
{
    QCOMPARE(CMainFrame().NewProjectAction()->shortcut(), QKeySequence(Utf8("Ctrl+Shift+N")));
    QCOMPARE(CMainFrame().NewDialogAction()->shortcut(), QKeySequence(Utf8("Ctrl+N")));
    // Each way of leaving a project, with each answer to the question about its changes.
    struct Case {
        const char *what;
        bool newProject; // else File › Discard All
        SaveChoice answer;
    };
    const Case cases[] = {
        {"new project, cancelled", true, SaveChoice::Cancel},
        {"new project, discarded", true, SaveChoice::Discard},
        {"new project, saved", true, SaveChoice::Save},
        {"discard all, discarded", false, SaveChoice::Discard},
    };
    for (const Case &test : cases) {
        QTemporaryDir folder;
        const QString path = CopyDemo(folder);
        CMainFrame frame;
        frame.SetMessageSink(&m_messages);
        frame.show();
        QStringList proposals;
        frame.Questions().savePath = [&proposals](QWidget *, const QString &proposal) {
            proposals << proposal;
            return QString();
        };
        frame.Questions().saveChanges = [&test](QWidget *, const QString &) { return test.answer; };
        QVERIFY(frame.LoadProject(path));
        frame.Project().Root().SetProjectName("Renamed");
        Edit(frame);
        const QByteArray edited = QByteArray::fromStdString(kx::FormatProject(frame.Project()));
        (test.newProject ? frame.NewProjectAction() : frame.DiscardAllAction())->trigger();
        if (test.answer == SaveChoice::Cancel) {
            QVERIFY2(frame.HasOwnFile() && frame.Project().IsModified(), test.what);
            QVERIFY2(!frame.Project().Dialogs().IsEmpty(), test.what);
            continue;
        }
        QVERIFY2(ReadAll(path)
                == (test.answer == SaveChoice::Save ? edited : ReadAll(Utf8(KX_DEMO_PROJECT))),
            test.what);
        QVERIFY2(frame.Project().Dialogs().IsEmpty() && !frame.HasOwnFile(), test.what);
        QVERIFY2(!frame.Project().IsModified(), test.what);
        if (test.newProject)
            QCOMPARE(frame.Project().Root().ProjectName(), std::string("Name"));
        // Neither Save As nor a save of work merged in later proposes the file that was left.
        QVERIFY(frame.NewDialogWindow());
        frame.SaveAllAction()->trigger();
        QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
        frame.SaveAction()->trigger();
        QVERIFY2(proposals == QStringList({QString(), QString()}), test.what);
    }
    // With nothing to lose, New Project asks nothing.
    CMainFrame frame;
    frame.Questions().saveChanges = [](QWidget *, const QString &) -> SaveChoice {
        QTest::qFail("asked", __FILE__, __LINE__);
        return SaveChoice::Cancel;
    };
    frame.NewProjectAction()->trigger();
}

void FileCommandsTest::SavesRecordTheRecentFile()
{
    QTemporaryDir folder;
    const QString path = CopyDemo(folder);
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.LoadProject(path));
    const QString other = folder.filePath(Utf8("other.xml"));
    frame.Questions().savePath = [&other](QWidget *, const QString &) { return other; };
    frame.SaveAllAction()->trigger();
    QCOMPARE(frame.RecentFiles(), QStringList({other, path}));
    // The menu lists it first, and choosing it loads it.
    QMenu *recent = nullptr;
    for (QAction *action : frame.menuBar()->actions().constFirst()->menu()->actions()) {
        if (action->menu())
            recent = action->menu();
    }
    QVERIFY(recent && recent->isEnabled());
    QVERIFY(recent->actions().constFirst()->text().endsWith(other));
    // A new project's first save records its file too.
    frame.NewProjectAction()->trigger();
    QVERIFY(frame.NewDialogWindow());
    const QString fresh = folder.filePath(Utf8("fresh.xml"));
    frame.Questions().savePath = [&fresh](QWidget *, const QString &) { return fresh; };
    frame.SaveAction()->trigger();
    QCOMPARE(frame.RecentFiles(), QStringList({fresh, other, path}));
    frame.NewProjectAction()->trigger();
    recent->actions().at(1)->trigger();
    QCOMPARE(frame.Project().Root().ProjectFilePath(), other.toStdString());
    QVERIFY(frame.Project().Fonts().Count() > 0);
}

void FileCommandsTest::BoxesShowTextsAsTheyAre()
{
    QTemporaryDir folder;
    const QString page = folder.filePath(Utf8("page.html"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body><root>not a project</root></body></html>\n");
    file.close();
    // The real boxes: no sink is set.
    CMainFrame frame;
    frame.show();
    const kx::ui::EditorQuestions real;
    CRecoveryCopy::Abandoned copy;
    copy.projectName = Utf8("<b>Demo</b>");
    struct Case {
        const char *what;
        std::function<void()> command;
        QString shows;
    };
    const Case cases[] = {
        {"a file that is a web page", [&] { frame.LoadProject(page); }, Utf8("<html>")},
        {"the question before changes are lost",
            [&] { real.saveChanges(&frame, Utf8("<b>Demo</b>")); }, Utf8("<b>Demo</b>")},
        {"the recovery copy", [&] { real.restore(&frame, copy); }, Utf8("<b>Demo</b>")},
        {"the about box",
            [&] {
                for (QAction *menu : frame.menuBar()->actions()) {
                    for (QAction *action : menu->menu()->actions()) {
                        if (action->text() == Utf8("バージョン情報(&A)"))
                            action->trigger();
                    }
                }
            },
            Utf8("KXDialogEditor\nVersion ")},
    };
    for (const Case &test : cases) {
        const QList<ShownBox> boxes = BoxesOf(test.command);
        QVERIFY2(boxes.size() == 1, test.what);
        QVERIFY2(boxes[0].format == Qt::PlainText, test.what);
        QVERIFY2(boxes[0].text.contains(test.shows), qPrintable(boxes[0].text));
    }
    QCOMPARE(BoxesOf(cases[2].command).value(0).title, Utf8("KXDialogEditor"));
    QVERIFY(BoxesOf(cases[0].command).value(0).text.contains(Utf8("<root>")));
}

void FileCommandsTest::PastingWhatIsNoObjectsSaysSo()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    CKXDialogData *home = frame.Project().Dialogs().FindByName("Home");
    QVERIFY(frame.OpenDialogWindow(home));
    CResourceDlg &panel = *frame.ResourcePanel();
    CEditCommands &edit = frame.EditCommands();
    // What Copy puts on the clipboard for one object.
    home->RootGroup()->DeselectAll();
    home->RootGroup()->ChildAt(0)->SetSelected(true);
    const QString objects = kx::ui::FromModelText(
        kx::FormatSelectionText(*home->RootGroup(), &frame.Project().Images()));
    const std::string before = kx::FormatProject(frame.Project());
    const char *const words[] = {"just words", "<html><body><b>x</b></body></html>",
        "<?xml version=\"1.0\"?>\n<root>\n</root>\n"};
    for (const int mode : {CResourceDlg::kModeDialog, CResourceDlg::kModeImage}) {
        panel.SetMode(mode);
        for (const char *text : words) {
            m_messages.Clear();
            QApplication::clipboard()->setText(Utf8(text));
            edit.Paste();
            if (mode == CResourceDlg::kModeDialog)
                edit.PasteAt(QPoint(5, 5));
            QVERIFY2(m_messages.Messages().size() == (mode == CResourceDlg::kModeDialog ? 2u : 1u),
                text);
            QCOMPARE(m_messages.Messages()[0].text,
                std::string("クリップボードにオブジェクトがありません"));
            QCOMPARE(kx::FormatProject(frame.Project()), before);
        }
    }
    // What the editor copied still pastes, without a word.
    m_messages.Clear();
    panel.SetMode(CResourceDlg::kModeDialog);
    const int count = home->RootGroup()->ChildCount();
    QApplication::clipboard()->setText(objects);
    edit.Paste();
    QCOMPARE(home->RootGroup()->ChildCount(), count + 1);
    QVERIFY(m_messages.Messages().empty());
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
