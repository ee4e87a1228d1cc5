// The canvas's craft on a real main window: a drag that snaps to another object is one step and
// its guide is drawn over the picture, never into it; Alt drags freely; pastes land off their
// source, or where the context menu was opened; the context menu's commands act on the object
// under the pointer; dropped pictures and fonts join the project after one question; zooming
// keeps what the user looks at in place and the status bar follows.
#include "model/font_data.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/canvas_commands.h"
#include "ui/app/main_frame.h"
#include "ui/app/status_indicators.h"
#include "ui/app/unsaved_changes.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/qt_text.h"
#include "ui/support/ui_events.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

using kx::test::Flush;
using kx::test::Mouse;
using kx::test::PaintWatchingSink;

QMimeData *Files(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

void SavePicture(int width, int height, const QString &path)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(path));
}

void Drop(QWidget *target, const QPoint &at, const QStringList &paths)
{
    std::unique_ptr<QMimeData> data(Files(paths));
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

class CanvasCraftTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ASnappedDragIsOneStepAndItsGuideAnOverlay();
    void PastesLandOffTheirSourceOrWhereTheMenuWasOpened();
    void TheContextMenuActsOnTheObjectUnderThePointer();
    void DroppedPicturesAndFontsJoinTheProjectAfterOneQuestion();
    void ZoomKeepsWhatIsLookedAtAndTheStatusBarFollows();

private:
    CObjectData *Add(const char *name, int x, int y, int w, int h)
    {
        CObjectData *o = m_dialog->RootGroup()->CreateChild(kTypeText, name);
        o->SetPosition(x, y);
        o->SetWidth(w);
        o->SetHeight(h);
        return o;
    }
    int Steps() const { return m_dialog->History().Index(); }
    void Click(const QPoint &at, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        Mouse(m_view, QEvent::MouseButtonPress, at, keys);
        Mouse(m_view, QEvent::MouseButtonRelease, at, keys);
    }
    // The context menu as a right click opens it.
    QMenu *OpenMenu(const QPoint &at)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, m_view->mapToGlobal(at));
        QApplication::sendEvent(m_view, &event);
        return m_frame->Canvas().ContextMenu();
    }

    CMainFrame *m_frame = nullptr;
    CKXDialogEditorView *m_view = nullptr;
    CKXDialogData *m_dialog = nullptr;
    CObjectData *m_a = nullptr;
    CObjectData *m_b = nullptr;
    kx::RecordingMessageSink m_messages;
};

void CanvasCraftTest::init()
{
    m_frame = new CMainFrame;
    m_frame->SetMessageSink(&m_messages);
    m_frame->Questions().saveChanges
        = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
    m_frame->show();
    m_view = m_frame->NewDialogWindow();
    QVERIFY(m_view);
    m_dialog = m_view->Dialog();
    m_a = Add("OTA", 20, 20, 40, 20); // right edge at 60
    m_b = Add("OTB", 100, 100, 30, 20);
    m_view->Document()->Commit(kChangeTree);
    Flush();
}

void CanvasCraftTest::cleanup()
{
    if (QMenu *menu = m_frame->Canvas().ContextMenu())
        menu->hide();
    delete m_frame;
    m_frame = nullptr;
}

void CanvasCraftTest::ASnappedDragIsOneStepAndItsGuideAnOverlay()
{
    QVERIFY(m_frame->Canvas().GuidesAction()->isChecked());
    Click({110, 110});
    const int before = Steps();
    Mouse(m_view, QEvent::MouseButtonPress, {110, 110});
    Mouse(m_view, QEvent::MouseMove, {80, 110});
    Mouse(m_view, QEvent::MouseMove, {74, 110}); // the left edge 4 pixels right of A's right
    const auto &snap = m_view->Interaction()->Snap();
    QCOMPARE(snap.lines.size(), std::size_t {1});
    QCOMPARE(snap.lines[0].position, 60);
    Flush();
    // The guide crosses the canvas on the screen; the dialog's picture has no trace of it.
    const QImage screen = m_view->grab().toImage();
    QCOMPARE(screen.pixelColor(60, 400), QColor(236, 0, 140));
    QVERIFY(m_view->Picture().pixelColor(60, 400) != QColor(236, 0, 140));
    Mouse(m_view, QEvent::MouseButtonRelease, {74, 110});
    QCOMPARE(m_b->GetRect(), (kx::KXRect {60, 100, 90, 120}));
    QCOMPARE(Steps(), before + 1);
    QVERIFY(m_view->Interaction()->Snap().lines.empty());

    // Undone in one step; with Alt the same drag lands where the mouse took it.
    m_frame->EditCommands().Undo();
    QCOMPARE(m_b->GetRect().left, 100);
    Click({110, 110});
    Mouse(m_view, QEvent::MouseButtonPress, {110, 110});
    Mouse(m_view, QEvent::MouseMove, {80, 110}, Qt::AltModifier);
    Mouse(m_view, QEvent::MouseMove, {74, 110}, Qt::AltModifier);
    Mouse(m_view, QEvent::MouseButtonRelease, {74, 110}, Qt::AltModifier);
    QCOMPARE(m_b->GetRect().left, 64);

    // The grid snaps the selection's corner when turned on.
    m_frame->Canvas().GuidesAction()->setChecked(false);
    m_frame->Canvas().SnapToGridAction()->setChecked(true);
    Mouse(m_view, QEvent::MouseButtonPress, {80, 110});
    Mouse(m_view, QEvent::MouseMove, {90, 113});
    Mouse(m_view, QEvent::MouseButtonRelease, {90, 113});
    QCOMPARE(m_b->GetRect().left, 72);
    QCOMPARE(m_b->GetRect().top, 104);
}

void CanvasCraftTest::PastesLandOffTheirSourceOrWhereTheMenuWasOpened()
{
    CEditCommands &edit = m_frame->EditCommands();
    Click({30, 30});
    m_view->setFocus();
    edit.Copy();
    const QString copied = QApplication::clipboard()->text();
    CObjectDataList *root = m_dialog->RootGroup();
    for (int k = 1; k <= 2; ++k) {
        const int before = Steps();
        edit.Paste();
        QCOMPARE(Steps(), before + 1);
        // One object arrives as itself, 10 more to the right and down with each paste.
        CObjectData *pasted = root->ChildAt(root->ChildCount() - 1);
        QCOMPARE(pasted->Type(), kTypeText);
        QVERIFY(pasted->IsSelected());
        QCOMPARE(
            pasted->GetRect(), (kx::KXRect {20 + 10 * k, 20 + 10 * k, 60 + 10 * k, 40 + 10 * k}));
    }
    QCOMPARE(QApplication::clipboard()->text(), copied);

    // The source moved away: the next paste takes its old place, the copies stay where they are.
    m_a->SetPosition(200, 200);
    m_view->Document()->Commit(kChangeGeometry);
    edit.Paste();
    QCOMPARE(root->ChildAt(root->ChildCount() - 1)->GetRect().left, 20);

    // Paste Here puts the objects' corner at the point the menu was opened at.
    QMenu *menu = OpenMenu({300, 250});
    QVERIFY(menu->isVisible());
    QVERIFY(m_frame->Canvas().PasteHereAction()->isEnabled());
    m_frame->Canvas().PasteHereAction()->trigger();
    QCOMPARE(root->ChildAt(root->ChildCount() - 1)->GetRect(), (kx::KXRect {300, 250, 340, 270}));
}

void CanvasCraftTest::TheContextMenuActsOnTheObjectUnderThePointer()
{
    CObjectData *c = Add("OTC", 200, 100, 50, 20);
    m_view->Document()->Commit(kChangeTree);
    CObjectDataList *root = m_dialog->RootGroup();
    Click({110, 110});
    // A right click on A selects A alone, as a click would.
    QMenu *menu = OpenMenu({30, 30});
    QVERIFY(m_a->IsSelected());
    QVERIFY(!m_b->IsSelected());
    const QList<QAction *> actions = menu->actions();
    CEditCommands &edit = m_frame->EditCommands();
    for (QAction *command :
        {edit.CutAction(), edit.CopyAction(), edit.DeleteAction(), edit.BringToFrontAction(),
            edit.SendToBackAction(), m_frame->Canvas().PasteHereAction(),
            m_frame->Canvas().GroupAction(), m_frame->Canvas().PropertiesAction()})
        QVERIFY(actions.contains(command));

    int before = Steps();
    edit.BringToFrontAction()->trigger();
    QCOMPARE(root->ChildAt(root->ChildCount() - 1), m_a);
    QCOMPARE(Steps(), before + 1);
    edit.SendToBackAction()->trigger();
    QCOMPARE(root->ChildAt(0), m_a);

    // Three objects in a row: equal gaps, as the menu's arrange commands make them.
    Click({110, 110}, Qt::ShiftModifier);
    Click({210, 110}, Qt::ShiftModifier);
    QCOMPARE(root->CountSelected(), 3);
    menu = OpenMenu({210, 110});
    before = Steps();
    edit.ArrangeActions().at(CEditCommands::kDistributeHorizontally)->trigger();
    QCOMPARE(Steps(), before + 1);
    QCOMPARE(m_b->GetRect().left - m_a->GetRect().right, c->GetRect().left - m_b->GetRect().right);
    edit.ArrangeActions().at(CEditCommands::kSameWidth)->trigger();
    QCOMPARE(c->Width(), m_a->Width());

    // Group, then the fields of the group.
    m_frame->Canvas().GroupAction()->trigger();
    QCOMPARE(root->ChildCount(), 1);
    QVERIFY(root->ChildAt(0)->IsGroup());
    m_frame->ResourceBar()->hide();
    m_frame->Canvas().PropertiesAction()->trigger();
    QVERIFY(m_frame->ResourceBar()->isVisible());
    QCOMPARE(m_frame->ResourcePanel()->CurrentResource(), static_cast<KXClass *>(root->ChildAt(0)));
}

void CanvasCraftTest::DroppedPicturesAndFontsJoinTheProjectAfterOneQuestion()
{
    QTemporaryDir temp;
    const QString project = temp.filePath(QStringLiteral("project"));
    const QString outside = temp.filePath(QStringLiteral("outside"));
    QDir().mkpath(project);
    QDir().mkpath(outside);
    m_frame->Project().SetProjectFolder(kx::ui::ToLocalPath(project + QLatin1Char('/')));
    SavePicture(12, 7, outside + QStringLiteral("/wide.png"));
    SavePicture(5, 9, outside + QStringLiteral("/tall.png"));
    int copyAll = 0;
    int copyOne = 0;
    bool agree = true;
    m_frame->Questions().copyAllIntoProject
        = [&](QWidget *, const QStringList &files, const QString &) {
              copyAll += static_cast<int>(files.size());
              return agree;
          };
    m_frame->Questions().copyIntoProject = [&](QWidget *, const QString &, const QString &) {
        ++copyOne;
        return agree;
    };

    const int before = Steps();
    const int objects = m_dialog->RootGroup()->ChildCount();
    Drop(m_view, {50, 60}, {outside + "/wide.png", outside + "/tall.png"});
    QCOMPARE(copyAll, 2);
    QCOMPARE(copyOne, 0);
    QCOMPARE(Steps(), before + 1);
    CObjectDataList *root = m_dialog->RootGroup();
    QCOMPARE(root->ChildCount(), objects + 2);
    const CObjectData *wide = root->ChildAt(objects);
    const CObjectData *tall = root->ChildAt(objects + 1);
    QCOMPARE(wide->Type(), kTypePicture);
    QCOMPARE(wide->ImageFile(), std::string("wide.png"));
    QCOMPARE(wide->GetRect(), (kx::KXRect {50, 60, 62, 67}));
    QCOMPARE(tall->GetRect(), (kx::KXRect {60, 70, 65, 79}));
    QVERIFY(QFileInfo::exists(project + "/resources/wide.png"));
    QVERIFY(QFileInfo::exists(project + "/resources/tall.png"));

    // One file from outside gets the chooser's own question; declined, nothing changes.
    SavePicture(3, 3, outside + QStringLiteral("/small.png"));
    agree = false;
    Drop(m_view, {10, 10}, {outside + "/small.png"});
    QCOMPARE(copyOne, 1);
    QCOMPARE(root->ChildCount(), objects + 2);
    QVERIFY(!QFileInfo::exists(project + "/resources/small.png"));

    // TrueType files dropped on the Font tab become font definitions, one question for both.
    agree = true;
    const QString fonts = QFileInfo(QStringLiteral(KX_DEMO_PROJECT)).dir().filePath("fonts/");
    QVERIFY(QFile::copy(fonts + "DejaVuSans.ttf", outside + "/one.ttf"));
    QVERIFY(QFile::copy(fonts + "DejaVuSansMono.ttf", outside + "/two.ttf"));
    CResourceDlg *panel = m_frame->ResourcePanel();
    panel->SetMode(CResourceDlg::kModeFont);
    const int fontCount = m_frame->Project().Fonts().Count();
    Drop(panel->FontList()->viewport(), {5, 5}, {outside + "/one.ttf", outside + "/two.ttf"});
    QCOMPARE(copyAll, 4);
    QCOMPARE(m_frame->Project().Fonts().Count(), fontCount + 2);
    QCOMPARE(m_frame->Project().Fonts().At(fontCount + 1)->File(), std::string("two.ttf"));
    QVERIFY(QFileInfo::exists(project + "/fonts/one.ttf"));
}

void CanvasCraftTest::ZoomKeepsWhatIsLookedAtAndTheStatusBarFollows()
{
    // Ctrl+wheel: the canvas pixel under the pointer stays under it.
    const QPoint pointer(120, 90);
    Mouse(m_view, QEvent::MouseMove, pointer);
    const QPoint held = m_view->mapToGlobal(pointer);
    QWheelEvent wheel(QPointF(pointer), QPointF(held), QPoint(), QPoint(0, 120), Qt::NoButton,
        Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view, &wheel);
    QCOMPARE(m_view->Zoom(), 2);
    QCOMPARE(m_view->mapToGlobal(pointer * 2), held);
    QLabel *position = m_frame->StatusIndicators().Position();
    QCOMPARE(position->text(), QStringLiteral("120, 90"));

    // Ctrl+plus keeps the selection's centre in view; the pointer now stands over another canvas
    // pixel and the status bar says so at once.
    Click(QPoint(110, 110) * 2);
    Mouse(m_view, QEvent::MouseMove, pointer);
    const QPoint centre = m_view->mapToGlobal(QPoint(115, 110) * 2);
    const QPoint still = m_view->mapToGlobal(pointer);
    m_frame->ZoomBy(+1);
    QCOMPARE(m_view->Zoom(), 3);
    QCOMPARE(m_view->mapToGlobal(QPoint(115, 110) * 3), centre);
    const QPoint under = m_view->ToCanvas(QPointF(m_view->mapFromGlobal(still)));
    QVERIFY(under != QPoint(pointer.x() / 2, pointer.y() / 2));
    QCOMPARE(position->text(), QStringLiteral("%1, %2").arg(under.x()).arg(under.y()));
}

QTEST_MAIN(CanvasCraftTest)
#include "canvas_craft_test.moc"
