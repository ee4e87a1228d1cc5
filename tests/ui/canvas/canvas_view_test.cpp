// The canvas and the Edit menu on a real main window: mouse events at a zoom, the clipboard
// mends, cut of dialogs and definitions, align, delete, undo, and a long random run of edits
// that must leave a project that saves and loads back to the same file.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "ui/app/main_frame.h"
#include "ui/app/unsaved_changes.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/document_set.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/ui_events.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <random>

namespace {

using kx::test::Flush;
using kx::test::Mouse;
using kx::test::PaintWatchingSink;

bool SavesAndLoadsBack(CProjectContext &project, const QString &folder, std::string *problem)
{
    const std::string first = kx::FormatProject(project);
    const std::string path = (folder + QStringLiteral("/round.xml")).toStdString();
    std::ofstream(path, std::ios::binary) << first;
    CProjectContext again;
    kx::RecordingMessageSink quiet;
    kx::ProjectReader reader(again, quiet);
    if (!reader.ReadFile(path))
        return false;
    const std::string second = kx::FormatProject(again);
    if (first != second)
        *problem = first + "\n---- read back as ----\n" + second;
    return first == second;
}

} // namespace

class CanvasViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void DragsWorkInCanvasPixelsAtEveryZoom();
    void CopyAndPasteGiveFreeNamesAndStepOffEarlierCopies();
    void DefinitionsTravelAsTheirOwnText();
    void CuttingADialogClosesOnlyItsWindows();
    void AlignDeleteSelectAllAndUndo();
    void RandomEditsKeepAProjectThatLoadsBack();

private:
    CKXDialogData *Dialog(const char *name)
    {
        return m_frame->Project().Dialogs().FindByName(name);
    }
    CObjectData *Object(const char *dialog, const char *name)
    {
        return Dialog(dialog)->RootGroup()->FindByName(name);
    }

    CMainFrame *m_frame = nullptr;
    kx::RecordingMessageSink m_messages;
};

void CanvasViewTest::init()
{
    m_frame = new CMainFrame;
    // Deleting what is in use asks first; the tests delete.
    m_frame->Questions().confirmDelete = [](QWidget *, const QString &) { return true; };
    m_frame->SetMessageSink(&m_messages);
    m_frame->Questions().saveChanges
        = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
    m_frame->show();
    QVERIFY(m_frame->LoadProject(QStringLiteral(KX_DEMO_PROJECT)));
    m_messages.Clear();
}

void CanvasViewTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

void CanvasViewTest::DragsWorkInCanvasPixelsAtEveryZoom()
{
    CKXDialogEditorView *view = m_frame->OpenDialogWindow(Dialog("Home"));
    QVERIFY(view);
    view->SetZoom(3);
    Flush();
    // What the canvas repaired while drawing (the fan's size from its file) was part of the
    // loaded state: it is no step of its own.
    const int loaded = Dialog("Home")->History().Count();
    Dialog("Home")->SaveUndoInfo();
    QCOMPARE(Dialog("Home")->History().Count(), loaded);
    // The graph canvas of the demo: a plain click takes it, a drag of 30 screen pixels moves it by
    // 10.
    CObjectData *graph = Object("Home", "OCGraph");
    QVERIFY(graph);
    const int x = graph->AbsoluteX();
    const int y = graph->AbsoluteY();
    const qreal factor = 3 / view->devicePixelRatioF();
    const QPoint press((x + 20) * factor + 1, (y + 20) * factor + 1);
    const QPoint moved = press + QPoint(30 / view->devicePixelRatioF(), 0);
    Mouse(view, QEvent::MouseButtonPress, press);
    Mouse(view, QEvent::MouseMove, press + QPoint(15, 0));
    Mouse(view, QEvent::MouseMove, moved);
    Mouse(view, QEvent::MouseButtonRelease, moved);
    QCOMPARE(QPoint(graph->AbsoluteX(), graph->AbsoluteY()), QPoint(x + 10, y));
    QCOMPARE(view->ToCanvas(QPointF(press)), QPoint(x + 20, y + 20));

    // Arrow keys nudge by one canvas pixel, ten with Shift; each press is one step.
    const int records = Dialog("Home")->History().Count();
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(QPoint(graph->AbsoluteX(), graph->AbsoluteY()), QPoint(x + 9, y + 10));
    QCOMPARE(Dialog("Home")->History().Count(), records + 2);
    // Escape clears the selection.
    QTest::keyClick(view, Qt::Key_Escape);
    QCOMPARE(Dialog("Home")->RootGroup()->CountSelected(), 0);
}

void CanvasViewTest::CopyAndPasteGiveFreeNamesAndStepOffEarlierCopies()
{
    CEditCommands &edit = m_frame->EditCommands();
    CKXDialogData *home = Dialog("Home");
    CObjectDataList *root = home->RootGroup();
    m_frame->OpenDialogWindow(home);
    // One object deep inside a group that is not wholly selected.
    CObjectData *clock = Object("Home", "OTClock");
    QVERIFY(clock && clock->Parent() != root);
    root->DeselectAll();
    clock->SetSelected(true);
    const QPoint place(clock->AbsoluteX(), clock->AbsoluteY());
    edit.Copy();
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("OTClock")));

    // Into the other dialog: at the same place on its canvas, then 10 pixels off the copy
    // already there; one object arrives as itself, with a free name.
    CKXDialogData *settings = Dialog("Settings");
    m_frame->OpenDialogWindow(settings);
    for (int k = 0; k < 2; ++k) {
        edit.Paste();
        CObjectData *copy = settings->RootGroup()->ChildAt(settings->RootGroup()->ChildCount() - 1);
        QVERIFY(!copy->IsGroup());
        QCOMPARE(QPoint(copy->AbsoluteX(), copy->AbsoluteY()), place + QPoint(10 * k, 10 * k));
        QVERIFY(copy->Name() != "OTClock");
        QVERIFY(copy->IsSelected());
    }
    QCOMPARE(m_frame->Project().FindResourceByName("OTClock"), clock);

    // Text that is no objects changes nothing and records nothing.
    const int records = settings->History().Count();
    QApplication::clipboard()->setText(QStringLiteral("just words"));
    edit.Paste();
    QCOMPARE(settings->History().Count(), records);
}

void CanvasViewTest::DefinitionsTravelAsTheirOwnText()
{
    CEditCommands &edit = m_frame->EditCommands();
    CResourceDlg *panel = m_frame->ResourcePanel();
    CProjectContext &project = m_frame->Project();
    panel->SetMode(CResourceDlg::kModeImage);
    panel->ImageList()->SetCurrentRow(0);
    panel->SetMode(CResourceDlg::kModeImage);
    const std::string name = project.Images().At(0)->Name();
    const int images = project.Images().Count();
    edit.Cut();
    QCOMPARE(project.Images().Count(), images - 1);
    const QString text = QApplication::clipboard()->text();
    QVERIFY(text.startsWith(QStringLiteral("\t\t<Image>")));
    edit.Paste();
    edit.Paste();
    QCOMPARE(project.Images().Count(), images + 1);
    QVERIFY(project.Images().FindByName(name));
    QVERIFY(project.Images().FindByName(name + "2"));

    panel->SetMode(CResourceDlg::kModeFont);
    edit.Copy();
    edit.Paste();
    QVERIFY(project.Fonts().FindByName(project.Fonts().At(0)->Name() + "2"));
}

void CanvasViewTest::CuttingADialogClosesOnlyItsWindows()
{
    CKXDialogData *home = Dialog("Home");
    CKXDialogData *settings = Dialog("Settings");
    m_frame->OpenDialogWindow(settings);
    m_frame->OpenDialogWindow(home);
    CResourceDlg *panel = m_frame->ResourcePanel();
    panel->SetMode(CResourceDlg::kModeDialog);
    panel->ClickTreeItem(panel->ItemOf(settings)); // brings Settings forward
    panel->ClickTreeItem(panel->ItemOf(home));
    m_frame->MdiArea()->setActiveSubWindow(m_frame->MdiArea()->subWindowList().at(0));
    // The panel shows Home while the active window may be another: only Home's window goes.
    panel->ClickTreeItem(panel->ItemOf(home));
    m_frame->EditCommands().Cut();
    Flush();
    QCOMPARE(m_frame->Project().Dialogs().Count(), 1);
    const QList<CKXDialogEditorView *> views = m_frame->DialogViews();
    QCOMPARE(views.size(), 1);
    QCOMPARE(views.at(0)->Dialog(), Dialog("Settings"));
}

void CanvasViewTest::AlignDeleteSelectAllAndUndo()
{
    CEditCommands &edit = m_frame->EditCommands();
    CResourceDlg *panel = m_frame->ResourcePanel();
    CKXDialogData *home = Dialog("Home");
    m_frame->OpenDialogWindow(home);
    CObjectData *a = Object("Home", "OBHeat");
    CObjectData *b = Object("Home", "OBCool");
    QVERIFY(a && b);
    panel->SetMode(CResourceDlg::kModeDialog);
    panel->ClickTreeItem(panel->ItemOf(b));
    panel->ClickTreeItem(panel->ItemOf(a), Qt::ControlModifier); // a is the reference
    a->SetAbsoluteX(40);
    edit.UpdateActions();
    QVERIFY(edit.AlignActions().at(kAlignLeft)->isEnabled());
    edit.Align(kAlignLeft);
    QCOMPARE(a->AbsoluteX(), 40);
    QCOMPARE(b->AbsoluteX(), 40);
    edit.Undo();
    QVERIFY(b->AbsoluteX() != 40);
    edit.Redo();
    QCOMPARE(b->AbsoluteX(), 40);

    // The panel on the project's root: nothing to align against.
    panel->SetMode(CResourceDlg::kModeResource);
    edit.UpdateActions();
    QVERIFY(!edit.AlignActions().at(kAlignLeft)->isEnabled());

    const int objects = home->RootGroup()->CountNodes();
    edit.SelectAll();
    QCOMPARE(
        home->RootGroup()->CountSelected(), home->RootGroup()->CountNodes() - 1 - [&] {
            int groups = 0;
            for (int i = 1; i < objects; ++i)
                groups += home->RootGroup()->ObjectAt(i)->IsGroup();
            return groups;
        }());
    edit.DeleteSelection();
    QCOMPARE(home->RootGroup()->ChildCount(), 0);
    edit.Undo();
    QCOMPARE(home->RootGroup()->CountNodes(), objects);
}

void CanvasViewTest::RandomEditsKeepAProjectThatLoadsBack()
{
    QTemporaryDir folder;
    CEditCommands &edit = m_frame->EditCommands();
    CResourceDlg *panel = m_frame->ResourcePanel();
    CProjectContext &project = m_frame->Project();
    std::mt19937 random(5000);
    const auto pick = [&](int n) { return n > 0 ? static_cast<int>(random() % n) : 0; };
    int edits = 0;
    connect(&m_frame->Documents(), &CDocumentSet::DocumentChanged, this,
        [&edits](CKXDialogEditorDoc *, int what) { edits += what != kChangeSelection; });
    for (int step = 1; step <= 5000; ++step) {
        if (project.Dialogs().IsEmpty())
            break;
        CKXDialogData *dialog = project.Dialogs().At(pick(project.Dialogs().Count()));
        CKXDialogEditorView *view = m_frame->OpenDialogWindow(dialog);
        CCanvasInteraction *canvas = view->Interaction();
        const int w = std::max(dialog->Width(), 1);
        const int h = std::max(dialog->Height(), 1);
        const CanvasKeys keys {pick(5) == 0, pick(5) == 0};
        switch (pick(12)) {
        case 0:
        case 1:
        case 2: { // a drag: a move, a resize or a band
            const int x = pick(w), y = pick(h);
            canvas->Press(x, y, keys);
            canvas->Move(x + pick(41) - 20, y + pick(41) - 20);
            canvas->Move(x + pick(81) - 40, y + pick(81) - 40);
            canvas->Release(x + pick(81) - 40, y + pick(81) - 40, keys);
            break;
        }
        case 3:
            canvas->Nudge(pick(3) - 1, pick(3) - 1);
            break;
        case 4:
            panel->SetMode(CResourceDlg::kModeDialog);
            if (CObjectData *object
                = dialog->RootGroup()->ObjectAt(1 + pick(dialog->RootGroup()->CountNodes() - 1)))
                panel->ClickTreeItem(panel->ItemOf(object), Qt::ControlModifier);
            edit.Align(pick(6));
            break;
        case 5:
            edit.Copy();
            break;
        case 6:
            // Pastes of pastes nest and grow the dialog: keep it at a size a user works with.
            if (dialog->RootGroup()->CountNodes() < 400) {
                panel->SetMode(
                    pick(2) == 0 ? CResourceDlg::kModeDialog : CResourceDlg::kModeObject);
                edit.Paste();
            }
            break;
        case 7:
            panel->SetMode(CResourceDlg::kModeObject);
            edit.Cut();
            break;
        case 8:
            edit.DeleteSelection();
            break;
        case 9:
        case 10:
            edit.Undo();
            break;
        default:
            edit.Redo();
            break;
        }
        if (step % 100 == 0) {
            Flush();
            std::string problem;
            QVERIFY2(SavesAndLoadsBack(project, folder.path(), &problem),
                qPrintable(
                    QStringLiteral("step %1: ").arg(step) + QString::fromStdString(problem)));
        }
    }
    QVERIFY2(edits > 1500, qPrintable(QStringLiteral("only %1 edits").arg(edits)));
}

QTEST_MAIN(CanvasViewTest)
#include "canvas_view_test.moc"
