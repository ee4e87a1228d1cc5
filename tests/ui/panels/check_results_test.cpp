// The project check in the editor: the command fills the dock with the problems of the model, a
// double-click selects what a row concerns, lines are shown only while the model is its file,
// and a row whose resource has gone checks again instead of touching it.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/app/unsaved_changes.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/document_set.h"
#include "ui/panels/check_results_dock.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/resource_dlg.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using Target = CCheckResultsModel::Target;

namespace {

// A picture that is missing (Push of IBOk) and an object named like that image definition.
constexpr const char *kProject = R"(<root>
<Property><Name>Checked</Name></Property>
<Images>
<Image><Type>Button</Type><Name>IBOk</Name><Normal>ok.png</Normal><Push>gone.png</Push></Image>
</Images>
<Dialogs>
<Dialog><Name>Main</Name><Size>200,100</Size><Objects><Name>OGROOT</Name>
<Object><Type>Button</Type><Name>OBOk</Name><Width>40</Width><Image>IBOk</Image></Object>
<Object><Type>Button</Type><Name>IBOk</Name><Position>60,0</Position><Width>40</Width>
<Image>IBOk</Image></Object>
</Objects></Dialog>
<Dialog><Name>Other</Name><Size>200,100</Size></Dialog>
</Dialogs>
</root>
)";

// The first row of that kind, or -1.
int RowOf(const CCheckResultsModel &results, kx::ProblemKind kind)
{
    for (int row = 0; row < results.rowCount(); ++row) {
        if (results.RowAt(row)->kind == kind)
            return row;
    }
    return -1;
}

} // namespace

class CheckResultsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void CommandListsProblemsAndRowsSelectWhatTheyConcern();
    void DemoProjectIsClean();

private:
    void LoadProblemProject();

    QTemporaryDir m_folder;
    CMainFrame *m_frame = nullptr;
    CCheckResultsDock *m_dock = nullptr;
    kx::RecordingMessageSink m_messages;
};

void CheckResultsTest::init()
{
    m_frame = new CMainFrame;
    // Deleting what is in use asks first; the tests delete.
    m_frame->Questions().confirmDelete = [](QWidget *, const QString &) { return true; };
    m_frame->SetMessageSink(&m_messages);
    m_frame->Questions().saveChanges
        = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
    m_dock = m_frame->CheckResults();
    m_frame->show();
}

void CheckResultsTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

void CheckResultsTest::LoadProblemProject()
{
    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("resources")));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QVERIFY(picture.save(m_folder.filePath(QStringLiteral("resources/ok.png"))));
    const QString path = m_folder.filePath(QStringLiteral("checked.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kProject) > 0);
    file.close();
    QVERIFY(m_frame->LoadProject(path));
}

void CheckResultsTest::CommandListsProblemsAndRowsSelectWhatTheyConcern()
{
    LoadProblemProject();
    // The dock stays hidden until the first check.
    QAction *run = m_dock->RunAction();
    QCOMPARE(run->shortcut(), QKeySequence(Qt::Key_F7));
    QVERIFY(!m_dock->isVisible());
    run->trigger();
    QVERIFY(m_dock->isVisible());

    // The model is its file unchanged: the rows carry the file's lines.
    const CCheckResultsModel &results = *m_dock->Results();
    const int missing = RowOf(results, kx::ProblemKind::kMissingFile);
    const int clash = RowOf(results, kx::ProblemKind::kNameClash);
    QVERIFY(missing >= 0 && clash >= 0);
    QCOMPARE(results.RowAt(missing)->target, Target::Image);
    QCOMPARE(results.RowAt(missing)->line, 4);
    QCOMPARE(results.RowAt(clash)->target, Target::Object);
    QCOMPARE(results.RowAt(clash)->concerns, QStringLiteral("Main / IBOk"));
    QCOMPARE(results.RowAt(clash)->line, 9);
    QVERIFY(m_dock->Summary()->text().startsWith(QStringLiteral("エラー ")));

    // A double-click on the clash row selects exactly that object and brings its window up.
    CProjectContext &project = m_frame->Project();
    CKXDialogData *main = project.Dialogs().At(0);
    CObjectData *named = main->RootGroup()->FindByName("IBOk");
    main->RootGroup()->FindByName("OBOk")->SetSelected(true);
    m_frame->OpenDialogWindow(main);
    m_frame->OpenDialogWindow(project.Dialogs().At(1));
    QTableView *view = m_dock->View();
    const QModelIndex cell = results.index(clash, CCheckResultsModel::kColumnMessage);
    view->scrollTo(cell);
    // A double-click as the window system sends it: a click, then the second press.
    const QPoint at = view->visualRect(cell).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(m_frame->ActiveView());
    QCOMPARE(m_frame->ActiveView()->Dialog(), main);
    QVERIFY(named->IsSelected());
    QCOMPARE(main->RootGroup()->CountSelected(), 1);
    QCOMPARE(m_frame->ResourcePanel()->CurrentResource(), named);
    QCOMPARE(
        m_frame->ResourcePanel()->Tree()->currentItem(), m_frame->ResourcePanel()->ItemOf(named));
    QVERIFY(!m_dock->IsOutdated()); // a new selection changes nothing the check looks at

    // An image definition's row shows it in the Image tab.
    QVERIFY(m_dock->ActivateRow(missing));
    QCOMPARE(m_frame->ResourcePanel()->Mode(), static_cast<int>(CResourceDlg::kModeImage));
    QCOMPARE(m_frame->ResourcePanel()->ImageList()->GetCurrentRow(), 0);
    QCOMPARE(m_frame->ResourcePanel()->CurrentResource(), project.Images().At(0));

    // After an edit the list says it is outdated, and a new check shows no lines.
    named->SetSelected(false);
    m_frame->Documents().For(main)->Commit(kChangeAttributes);
    QVERIFY(m_dock->IsOutdated());
    run->trigger();
    QVERIFY(!m_dock->IsOutdated());
    QCOMPARE(results.rowCount(), 2);
    QCOMPARE(results.RowAt(0)->line + results.RowAt(1)->line, 0);

    // The object leaves its dialog (the history keeps it) and the image definition is destroyed:
    // a row of either checks again instead of selecting, and both problems are gone.
    CResourceDlg *panel = m_frame->ResourcePanel();
    panel->SetMode(CResourceDlg::kModeDialog);
    panel->ClickTreeItem(panel->ItemOf(named));
    panel->Delete();
    panel->SetMode(CResourceDlg::kModeImage);
    panel->Delete();
    QVERIFY(project.Images().IsEmpty() && !main->RootGroup()->FindByName("IBOk"));
    QVERIFY(m_dock->IsOutdated());
    QVERIFY(!m_dock->ActivateRow(RowOf(results, kx::ProblemKind::kNameClash)));
    QVERIFY(!m_dock->IsOutdated());
    QCOMPARE(RowOf(results, kx::ProblemKind::kMissingFile), -1);
    QCOMPARE(RowOf(results, kx::ProblemKind::kNameClash), -1);
    QVERIFY(m_dock->Summary()->text().contains(QStringLiteral("検査をやり直しました")));
}

void CheckResultsTest::DemoProjectIsClean()
{
    QVERIFY(m_frame->LoadProject(QString::fromUtf8(KX_DEMO_PROJECT)));
    m_dock->RunAction()->trigger();
    QCOMPARE(m_dock->Results()->rowCount(), 0);
    QCOMPARE(m_dock->Summary()->text(), QStringLiteral("問題はありません。"));
}

QTEST_MAIN(CheckResultsTest)
#include "check_results_test.moc"
