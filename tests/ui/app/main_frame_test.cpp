// The main window over the demo project: loading fills the panel, the panel opens dialog windows
// that show what the renderer draws, and the file commands write what the writer formats.
#include "model/kx_dialog_data.h"
#include "platform/message_sink.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "render/freetype_font.h"
#include "render/surface.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/dialogs/skeleton_dlg.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/demo_project.h"
#include "ui/support/ui_events.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cerrno>
#include <cstring>

namespace {

using kx::test::ReadAll;

using kx::test::Flush;
using kx::test::Mouse;
using kx::test::PaintWatchingSink;

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

QTreeWidgetItem *FindDialogItem(QTreeWidget *tree, const QString &name)
{
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == name)
            return root->child(i);
    }
    return nullptr;
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void StartsWithEmptyModelAndNoWindow();
    void LoadingFillsTreeAndRecordsRecentFile();
    void LoadingTwiceKeepsOneCopyOfEach();
    void TreeOpensWindowShowingRenderedDialog();
    void NewDialogWindowsGetUniqueNames();
    void SaveAllWritesFormattedProject();
    void SaveDialogWritesThatDialogOnly();
    void SaveFontsAndImagesNeedsXmlExtension();
    void DiscardAllClosesWindowsAndEmptiesTree();
    void DroppedProjectFileIsLoaded();
    void CommandsAreEnabledByWhatTheProjectHolds();
    void FailedLoadsSayWhyAndLeaveTheRecentList();
    void AboutBoxShowsTheFourPartVersion();
    void LargeDialogOpensAtItsTopLeftCorner();

private:
    kx::RecordingMessageSink m_messages;
};

void MainFrameTest::initTestCase()
{
    // Keeps the recent-file list of the user's own settings out of the tests.
    QStandardPaths::setTestModeEnabled(true);
}

void MainFrameTest::init()
{
    m_messages.Clear();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QFile::remove(folder + Utf8("/KXDialogEditor/KXDialogEditor.conf"));
}

void MainFrameTest::StartsWithEmptyModelAndNoWindow()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.Project().Dialogs().IsEmpty());
    QVERIFY(frame.Project().Fonts().IsEmpty());
    QVERIFY(frame.Project().Images().IsEmpty());
    QVERIFY(frame.DialogViews().isEmpty());
    // The tree holds the project's root alone.
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItemCount(), 1);
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItem(0)->childCount(), 0);
    QVERIFY(!frame.SaveAllAction()->isEnabled());
    QVERIFY(!frame.SaveFontsAndImagesAction()->isEnabled());
    QVERIFY(!frame.DiscardAllAction()->isEnabled());
    QVERIFY(!frame.SkeletonAction()->isEnabled());
    QVERIFY(!frame.SaveDialogAction()->isVisible());
    QVERIFY(frame.RecentFiles().isEmpty());
    QCOMPARE(frame.ResourceBarAction()->text(), Utf8("リソースダイアログ"));
}

void MainFrameTest::LoadingFillsTreeAndRecordsRecentFile()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    QVERIFY(frame.DialogViews().isEmpty());

    QTreeWidget *tree = frame.ResourcePanel()->Tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), Utf8("Root = Demo"));
    const CKXDialogDataList &dialogs = frame.Project().Dialogs();
    QCOMPARE(root->childCount(), dialogs.Count());
    for (int i = 0; i < dialogs.Count(); ++i) {
        QCOMPARE(root->child(i)->text(0), QString::fromStdString(dialogs.At(i)->Name()));
        QCOMPARE(CResourceDlg::ItemObject(root->child(i)), dialogs.At(i));
    }
    QCOMPARE(root->child(0)->text(0), Utf8("Home"));
    // Each loaded dialog starts its undo history from what was read.
    for (const auto &dialog : dialogs)
        QCOMPARE(dialog->History().Count(), 1);
    QVERIFY(root->child(0)->childCount() > 0);
    QVERIFY(root->child(0)->child(0)->text(0).contains(Utf8(" = ")));

    QVERIFY(frame.SaveAllAction()->isEnabled());
    QVERIFY(frame.SaveFontsAndImagesAction()->isEnabled());
    QVERIFY(frame.DiscardAllAction()->isEnabled());
    QVERIFY(frame.SkeletonAction()->isEnabled());
    QCOMPARE(frame.RecentFiles().value(0), QFileInfo(Utf8(KX_DEMO_PROJECT)).absoluteFilePath());
}

void MainFrameTest::LoadingTwiceKeepsOneCopyOfEach()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    const int fonts = frame.Project().Fonts().Count();
    const int images = frame.Project().Images().Count();
    const int dialogs = frame.Project().Dialogs().Count();
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    QCOMPARE(frame.Project().Fonts().Count(), fonts);
    QCOMPARE(frame.Project().Images().Count(), images);
    QCOMPARE(frame.Project().Dialogs().Count(), dialogs);
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItem(0)->childCount(), dialogs);
    QCOMPARE(frame.RecentFiles().size(), 1);

    // A file that cannot be read changes nothing.
    QVERIFY(!frame.LoadProject(Utf8("/nonexistent/folder/project.xml")));
    QCOMPARE(frame.Project().Dialogs().Count(), dialogs);
}

void MainFrameTest::TreeOpensWindowShowingRenderedDialog()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));

    QTreeWidget *tree = frame.ResourcePanel()->Tree();
    QTreeWidgetItem *item = FindDialogItem(tree, Utf8("Home"));
    QVERIFY(item);
    tree->scrollToItem(item);
    const QPoint centre = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(frame.DialogViews().size(), 1);
    CKXDialogEditorView *view = frame.ActiveView();
    QVERIFY(view);
    CKXDialogData *home = frame.Project().Dialogs().FindByName("Home");
    QCOMPARE(view->Dialog(), home);
    QCOMPARE(view->size(), QSize(home->Width(), home->Height()));
    QVERIFY(frame.SaveDialogAction()->isVisible());
    QVERIFY(frame.windowTitle().endsWith(Utf8("Home")));

    // The window shows exactly what the renderer draws.
    kx::RecordingMessageSink renderMessages;
    CFreeTypeFont fonts(frame.Project(), renderMessages);
    kx::DialogPainter painter(frame.Project(), fonts, renderMessages);
    kx::Surface canvas(home->Width(), home->Height());
    painter.PaintDialog(canvas, *home);
    const QImage expected = QImage(
        canvas.Bits(), canvas.Width(), canvas.Height(), canvas.Stride(), QImage::Format_BGR888)
                                .convertToFormat(QImage::Format_RGB32);
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), expected.size());
    QVERIFY(shown == expected);
    // With the demo's fonts in place nothing was substituted or missed: the texts were drawn.
    QVERIFY(renderMessages.Messages().empty());
    QVERIFY(m_messages.Messages().empty());

    // Choosing the same dialog again activates its window instead of opening another.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(frame.DialogViews().size(), 1);

    // The skeleton generator opens once, for the dialog of the active window.
    frame.SkeletonAction()->trigger();
    CSkeletonDlg *skeleton = frame.SkeletonDialog();
    QVERIFY(skeleton);
    QVERIFY(skeleton->isVisible());
    QCOMPARE(skeleton->DialogNameEdit()->text(), Utf8("Home"));
    frame.SkeletonAction()->trigger();
    QCOMPARE(frame.SkeletonDialog(), skeleton);
    skeleton->hide();

    // Closing the window leaves the dialog in the project.
    frame.CloseDialogAction()->trigger();
    Flush();
    QVERIFY(frame.DialogViews().isEmpty());
    QCOMPARE(frame.Project().Dialogs().FindByName("Home"), home);
}

void MainFrameTest::NewDialogWindowsGetUniqueNames()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    CKXDialogEditorView *first = frame.NewDialogWindow();
    CKXDialogEditorView *second = frame.NewDialogWindow();
    QVERIFY(first && second);
    QCOMPARE(first->Dialog()->Name(), std::string("D"));
    QCOMPARE(second->Dialog()->Name(), std::string("D2"));
    QCOMPARE(first->size(), QSize(640, 480));
    QCOMPARE(frame.Project().Dialogs().Count(), 2);
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItem(0)->childCount(), 2);
    QVERIFY(frame.SaveAllAction()->isEnabled());
}

void MainFrameTest::SaveAllWritesFormattedProject()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    m_messages.Clear();

    const QString path = folder.filePath(Utf8("all.xml"));
    QVERIFY(frame.SaveAllTo(path));
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(kx::FormatProject(frame.Project())));
    QCOMPARE(m_messages.Messages().size(), std::size_t(1));
    QCOMPARE(m_messages.Messages()[0].text, std::string("ファイルを保存しました。"));
    QVERIFY(m_messages.Messages()[0].icon == kx::MessageIcon::Information);

    m_messages.Clear();
    const QString unwritable = folder.filePath(Utf8("missing/all.xml"));
    QVERIFY(!frame.SaveAllTo(unwritable));
    QCOMPARE(m_messages.Messages().size(), std::size_t(1));
    // The message says why, in the system's words.
    QCOMPARE(m_messages.Messages()[0].text,
        "ファイルを保存できませんでした。\n" + unwritable.toStdString() + "\n"
            + std::strerror(ENOENT));
    QVERIFY(m_messages.Messages()[0].icon == kx::MessageIcon::Warning);
}

void MainFrameTest::SaveDialogWritesThatDialogOnly()
{
    QTemporaryDir folder;
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    const CKXDialogData *home = frame.Project().Dialogs().FindByName("Home");
    QVERIFY(home);
    const QString path = folder.filePath(Utf8("Home.xml"));
    QVERIFY(frame.SaveDialogTo(*home, path));
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(kx::FormatProject(frame.Project(), "Home")));
    QVERIFY(ReadAll(path) != ReadAll(Utf8(KX_DEMO_PROJECT)));
}

void MainFrameTest::SaveFontsAndImagesNeedsXmlExtension()
{
    QTemporaryDir folder;
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    m_messages.Clear();

    const QString bare = folder.filePath(Utf8("assets"));
    QVERIFY(!frame.SaveFontsAndImagesTo(bare));
    QVERIFY(!QFile::exists(bare));
    QVERIFY(!QFile::exists(bare + Utf8(".xml")));
    QVERIFY(!frame.SaveFontsAndImagesTo(folder.filePath(Utf8("assets.txt"))));
    QVERIFY(!QFile::exists(folder.filePath(Utf8("assets.txt"))));

    const QString upper = folder.filePath(Utf8("assets.XML"));
    QVERIFY(frame.SaveFontsAndImagesTo(upper));
    QCOMPARE(ReadAll(upper), QByteArray::fromStdString(kx::FormatFontsAndImages(frame.Project())));
    QVERIFY(m_messages.Messages().empty());

    // A write that fails says so, with the system's reason, and answers no.
    const QString nowhere = folder.filePath(Utf8("no-such-folder/assets.xml"));
    QVERIFY(!frame.SaveFontsAndImagesTo(nowhere));
    QCOMPARE(m_messages.Messages().size(), std::size_t {1});
    QVERIFY(QString::fromStdString(m_messages.Messages().front().text).contains(nowhere));
}

void MainFrameTest::DiscardAllClosesWindowsAndEmptiesTree()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    for (const auto &dialog : frame.Project().Dialogs())
        QVERIFY(frame.OpenDialogWindow(dialog.get()));
    QCOMPARE(frame.DialogViews().size(), frame.Project().Dialogs().Count());

    frame.DiscardAllAction()->trigger();
    Flush();
    QVERIFY(frame.DialogViews().isEmpty());
    QVERIFY(frame.MdiArea()->subWindowList().isEmpty());
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItemCount(), 1);
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItem(0)->childCount(), 0);
    QVERIFY(frame.Project().Dialogs().IsEmpty());
    QVERIFY(frame.Project().Fonts().IsEmpty());
    QVERIFY(frame.Project().Images().IsEmpty());
    QVERIFY(!frame.DiscardAllAction()->isEnabled());

    // The same project loads again into the emptied model.
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItemCount(), 1);
}

void MainFrameTest::DroppedProjectFileIsLoaded()
{
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Utf8(KX_DEMO_PROJECT))});

    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    QCOMPARE(frame.Project().Dialogs().Count(), 2);
    QCOMPARE(frame.ResourcePanel()->Tree()->topLevelItem(0)->text(0), Utf8("Root = Demo"));
    QVERIFY(frame.DialogViews().isEmpty());
}

void MainFrameTest::CommandsAreEnabledByWhatTheProjectHolds()
{
    // Every mix of fonts, images and dialogs, made by emptying lists of the loaded demo.
    for (int mix = 0; mix < 8; ++mix) {
        const bool fonts = mix & 1;
        const bool images = mix & 2;
        const bool dialogs = mix & 4;
        CMainFrame frame;
        frame.SetMessageSink(&m_messages);
        QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
        if (!fonts)
            frame.Project().Fonts().Clear();
        if (!images)
            frame.Project().Images().Clear();
        if (!dialogs)
            frame.Project().Dialogs().Clear();
        frame.UpdateCommands();
        QCOMPARE(frame.SkeletonAction()->isEnabled(), fonts && images && dialogs);
        QCOMPARE(frame.SaveFontsAndImagesAction()->isEnabled(), fonts || images);
        QCOMPARE(frame.SaveAction()->isEnabled(), fonts || images || dialogs);
        QCOMPARE(frame.DiscardAllAction()->isEnabled(), fonts || images || dialogs);
    }
}

void MainFrameTest::FailedLoadsSayWhyAndLeaveTheRecentList()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    // Twelve project files: the list keeps the ten last loaded, the latest first.
    QStringList paths;
    for (int i = 0; i < 12; ++i) {
        paths << folder.filePath(QStringLiteral("p%1.xml").arg(i));
        QVERIFY(QFile::copy(Utf8(KX_DEMO_PROJECT), paths.last()));
        QVERIFY(frame.LoadProject(paths.last()));
    }
    QStringList expected;
    for (int i = 11; i >= 2; --i)
        expected << paths.at(i);
    QCOMPARE(frame.RecentFiles(), expected);

    // A picture the project names but resources/ lacks is listed once, in one message per load.
    std::string pictures;
    for (const auto &message : m_messages.Messages()) {
        if (message.text.starts_with("次の画像ファイルが resources フォルダにありません。")) {
            QVERIFY2(pictures.empty(), "the missing pictures are listed once");
            pictures = message.text;
        }
    }
    QVERIFY(pictures.find("\nbutton_normal.png") != std::string::npos);
    QCOMPARE(pictures.find("button_normal.png"), pictures.rfind("button_normal.png"));
    m_messages.Clear();

    // A file that is gone: the system's reason, and the entry leaves the list.
    const std::string folderBefore = frame.Project().ProjectFolder();
    QVERIFY(QFile::remove(paths.at(5)));
    QVERIFY(!frame.LoadProject(paths.at(5)));
    QCOMPARE(m_messages.Messages().size(), std::size_t(1));
    QCOMPARE(m_messages.Messages()[0].text,
        "「" + paths.at(5).toStdString() + "」を開けませんでした。\n" + std::strerror(ENOENT));
    QVERIFY(!frame.RecentFiles().contains(paths.at(5)));
    QCOMPARE(frame.RecentFiles().size(), 9);
    QCOMPARE(frame.Project().ProjectFolder(), folderBefore);

    // The demo itself has every picture: no list.
    m_messages.Clear();
    frame.DiscardAll();
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    QVERIFY(m_messages.Messages().empty());
}

void MainFrameTest::AboutBoxShowsTheFourPartVersion()
{
    CMainFrame frame;
    QAction *about = nullptr;
    for (QAction *menu : frame.menuBar()->actions()) {
        for (QAction *action : menu->menu()->actions()) {
            if (action->text() == Utf8("バージョン情報(&A)"))
                about = action;
        }
    }
    QVERIFY(about);
    QString text;
    QString caption;
    QTimer::singleShot(0, &frame, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        text = box->text();
        caption = box->windowTitle();
        box->accept();
    });
    about->trigger();
    QCOMPARE(caption, Utf8("バージョン情報 KXDialogEditor"));
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("Version (\\d+)\\.(\\d+)\\.(\\d+)\\.(\\d+)$"))
              .match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    // The first three parts are the build's version.
    QCOMPARE(
        match.captured(1) + u'.' + match.captured(2) + u'.' + match.captured(3), Utf8(KX_VERSION));
}

void MainFrameTest::LargeDialogOpensAtItsTopLeftCorner()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QByteArray project = ReadAll(Utf8(KX_DEMO_PROJECT));
    project.replace("<Size>480,272</Size>", "<Size>1920,1080</Size>");
    const QString path = folder.filePath(Utf8("big.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(project) == project.size());
    file.close();
    const QString demoFolder = QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath();
    QVERIFY(QFile::link(demoFolder + Utf8("/resources"), folder.filePath(Utf8("resources"))));

    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.LoadProject(path));
    CKXDialogEditorView *view
        = frame.OpenDialogWindow(frame.Project().Dialogs().FindByName("Home"));
    QVERIFY(view);
    QWidget *viewport = frame.MdiArea()->viewport();
    QVERIFY(viewport->width() < 1920 && viewport->height() < 1080);

    // The dialog's origin is in sight, just inside the window frame ...
    const QPoint origin = view->mapTo(viewport, QPoint(0, 0));
    QVERIFY(origin.x() >= 0 && origin.x() < 20 && origin.y() >= 0 && origin.y() < 60);
    const QImage shown = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage corner = view->Picture().copy(0, 0, 64, 64).convertToFormat(QImage::Format_RGB32);
    QVERIFY(shown.copy(QRect(origin, QSize(64, 64))) == corner);

    // ... and the scroll bars reach the far corner.
    QScrollBar *across = frame.MdiArea()->horizontalScrollBar();
    QScrollBar *down = frame.MdiArea()->verticalScrollBar();
    across->setValue(across->maximum());
    down->setValue(down->maximum());
    const QPoint end = view->mapTo(viewport, QPoint(1919, 1079));
    QVERIFY(viewport->rect().contains(end));
}

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
