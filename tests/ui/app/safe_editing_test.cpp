// The ways a user once crashed the editor or lost work, each driven through the real window: the
// panel's commands, the canvas, the Edit menu and the file commands.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/dialogs/skeleton_dlg.h"
#include "ui/document/document_set.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/bmp_combo_box.h"
#include "ui/panels/check_results_dock.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/property_controls.h"
#include "ui/panels/property_panel.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/demo_project.h"
#include "ui/support/qt_text.h"
#include "ui/support/ui_events.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

using kx::test::CopyDemo;
using kx::test::ReadAll;

using kx::test::Flush;
using kx::test::Mouse;
using kx::test::PaintWatchingSink;

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class SafeEditingTest : public QObject {
    Q_OBJECT

private slots:
    void AFontWithoutFileIsReportedAfterThePaintOnce();
    void DeletingAnImageDefinitionInUseDrawsPlaceholders();
    void DeletedDialogsAndFontsComeBackWithUndo();
    void TheDeleteKeyActsWhereTheFocusIs();
    void AMergedProjectBelongsToNoFile();
    void PicturesOfANeverSavedProjectAreShownAndCopiedIn();
    void AReplacedPictureIsDrawnAnew();
    void TheRecoveryCopyLeavesTheModelAlone();
    void TypedTextIsNeverLost();
    void APictureOfItsOwnSizeKeepsIt();
    void ACtrlClickTogglesOnceInEveryStyle();
    void PanelCommandsKeepTheirRules();
    void AbsentFontFilesAreListedOnce();
    void APastedDialogLeavesTheDefinitionsAlone();
};

namespace {

// The demo loaded from a copy, with every question answered as a user who agrees would.
struct Session {
    QTemporaryDir folder;
    CMainFrame frame;
    kx::RecordingMessageSink messages;
    QStringList asked;

    Session()
    {
        frame.SetMessageSink(&messages);
        frame.Questions().confirmDelete = [this](QWidget *, const QString &question) {
            asked.append(question);
            return true;
        };
        frame.Questions().saveChanges
            = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
        frame.show();
        // Focus, and with it the Delete key's target, needs an active window.
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
    }
    bool Load() { return frame.LoadProject(CopyDemo(folder)); }
    CResourceDlg &Panel() { return *frame.ResourcePanel(); }
    CProjectContext &Project() { return frame.Project(); }
    CEditCommands &Edit() { return frame.EditCommands(); }
};

} // namespace

void SafeEditingTest::AFontWithoutFileIsReportedAfterThePaintOnce()
{
    CMainFrame frame;
    PaintWatchingSink sink;
    frame.SetMessageSink(&sink);
    frame.show();
    CKXDialogEditorView *view = frame.NewDialogWindow();
    QVERIFY(view);
    CResourceDlg *panel = frame.ResourcePanel();
    panel->SetMode(CResourceDlg::kModeFont);
    panel->Add(); // a font definition without a file
    panel->SetMode(CResourceDlg::kModeObject);
    panel->AddType(1 + kTypeText);
    QCOMPARE(view->Dialog()->RootGroup()->ChildCount(), 1);
    QLineEdit *text = panel->Properties()->Controls().text;
    text->setText(Utf8("Hello"));
    emit text->editingFinished();
    for (int paint = 0; paint < 3; ++paint) {
        view->update();
        QVERIFY(!view->grab().isNull());
        QCoreApplication::processEvents();
    }
    QCOMPARE(sink.insidePaint, 0);
    // One box after the paint, not one per repaint.
    QCOMPARE(sink.messages.Messages().size(), std::size_t {1});
    QVERIFY(
        QString::fromStdString(sink.messages.Messages().front().text).contains(Utf8("fonts/F")));
}

void SafeEditingTest::DeletingAnImageDefinitionInUseDrawsPlaceholders()
{
    QTemporaryDir folder;
    CMainFrame frame;
    PaintWatchingSink sink;
    frame.SetMessageSink(&sink);
    frame.show();
    QStringList asked;
    frame.Questions().confirmDelete = [&asked](QWidget *, const QString &question) {
        asked.append(question);
        return true;
    };
    QVERIFY(frame.LoadProject(CopyDemo(folder)));
    CKXDialogData *home = frame.Project().Dialogs().FindByName("Home");
    CKXDialogEditorView *view = frame.OpenDialogWindow(home);
    QVERIFY(!view->Picture().isNull());
    CObjectData *button = home->RootGroup()->FindByName("OBHeat");
    QVERIFY(button && button->Image() == "IBMode");
    const kx::KXRect place = button->GetRect();

    CResourceDlg *panel = frame.ResourcePanel();
    panel->SetMode(CResourceDlg::kModeImage);
    panel->ImageList()->SetCurrentRow(
        frame.Project().Images().IndexOf(frame.Project().Images().FindByName("IBMode")));
    panel->Delete();
    // The question named the users.
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.front().contains(Utf8("IBMode")) && asked.front().contains(Utf8("Home")));
    QVERIFY(!frame.Project().Images().FindByName("IBMode"));
    // The window open: drawn at once with the placeholder of a name no definition has.
    QCOMPARE(view->Picture().pixel(place.left + 2, place.top + 2), QColor(255, 128, 128).rgb());
    // Closed and opened again: the same.
    view->parentWidget()->close();
    Flush();
    view = frame.OpenDialogWindow(home);
    QCOMPARE(view->Picture().pixel(place.left + 2, place.top + 2), QColor(255, 128, 128).rgb());
    QCOMPARE(sink.insidePaint, 0);
}

void SafeEditingTest::DeletedDialogsAndFontsComeBackWithUndo()
{
    Session s;
    QVERIFY(s.Load());
    const std::string original = kx::FormatProject(s.Project());
    CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
    s.frame.OpenDialogWindow(home);
    // An object step of Home, then the dialog deleted from the tree.
    CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
    const int x = heat->AbsoluteX();
    s.Panel().SetMode(CResourceDlg::kModeDialog);
    s.Panel().ClickTreeItem(s.Panel().ItemOf(heat));
    s.frame.ActiveView()->setFocus();
    QTest::keyClick(s.frame.ActiveView(), Qt::Key_Right);
    QCOMPARE(heat->AbsoluteX(), x + 1);
    s.Panel().ClickTreeItem(s.Panel().ItemOf(home));
    s.Panel().Delete();
    QCOMPARE(s.asked.size(), 1);
    QVERIFY(s.asked.back().contains(Utf8("Home")));
    QVERIFY(!s.Project().Dialogs().FindByName("Home"));
    QVERIFY(s.frame.DialogViews().isEmpty());
    QCOMPARE(s.Edit().UndoAction()->text(), Utf8("ダイアログ Home の削除 を元に戻す(&U)"));
    s.Edit().Undo();
    QCOMPARE(s.Project().Dialogs().FindByName("Home"), home);
    // Back with its objects and its own history: its window undoes the move.
    s.frame.OpenDialogWindow(home);
    s.Edit().Undo();
    QCOMPARE(heat->AbsoluteX(), x);
    QCOMPARE(kx::FormatProject(s.Project()), original);

    // A font that texts use: asked, deleted, its users keep the name, and it comes back.
    s.Panel().SetMode(CResourceDlg::kModeFont);
    CFontData *font = s.Project().Fonts().FindByName("FSans16");
    s.Panel().FontList()->SetCurrentRow(s.Project().Fonts().IndexOf(font));
    s.Panel().Delete();
    QCOMPARE(s.asked.size(), 2);
    QVERIFY(s.asked.back().contains(Utf8("FSans16")) && s.asked.back().contains(Utf8("Home")));
    QVERIFY(!s.Project().Fonts().FindByName("FSans16"));
    for (CKXDialogEditorView *view : s.frame.DialogViews())
        QVERIFY(!view->Picture().isNull());
    QCOMPARE(s.Edit().UndoAction()->text(), Utf8("フォント FSans16 の削除 を元に戻す(&U)"));
    s.Edit().Undo();
    QCOMPARE(s.Project().Fonts().FindByName("FSans16"), font);
    QCOMPARE(s.Panel().CurrentResource(), static_cast<KXClass *>(font));
    s.Edit().Redo();
    s.Edit().Undo();
    QCOMPARE(kx::FormatProject(s.Project()), original);
    QCOMPARE(s.asked.size(), 2);

    // Cut puts the dialog on the clipboard; paste brings it in under a free name.
    s.Panel().SetMode(CResourceDlg::kModeDialog);
    CKXDialogData *settings = s.Project().Dialogs().FindByName("Settings");
    s.Panel().ClickTreeItem(s.Panel().ItemOf(settings));
    s.Panel().Tree()->setFocus();
    s.Edit().Cut();
    QVERIFY(!s.Project().Dialogs().FindByName("Settings"));
    s.Edit().Paste();
    s.Edit().Paste();
    QVERIFY(s.Project().Dialogs().FindByName("Settings"));
    QVERIFY(s.Project().Dialogs().FindByName("Settings2"));
    QCOMPARE(s.Project().Dialogs().FindByName("Settings2")->RootGroup()->ChildCount(),
        settings->RootGroup()->ChildCount());
    for (int step = 0; step < 3; ++step)
        s.Edit().Undo();
    QCOMPARE(kx::FormatProject(s.Project()), original);
}

void SafeEditingTest::TheDeleteKeyActsWhereTheFocusIs()
{
    Session s;
    QVERIFY(s.Load());
    CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
    CKXDialogEditorView *view = s.frame.OpenDialogWindow(home);
    CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
    s.Panel().SetMode(CResourceDlg::kModeDialog);
    s.Panel().ClickTreeItem(s.Panel().ItemOf(heat));
    // In the image list, Delete removes the image definition shown there, not the object
    // selected on the canvas.
    s.Panel().SetMode(CResourceDlg::kModeImage);
    const int images = s.Project().Images().Count();
    s.Panel().ImageList()->setFocus();
    QVERIFY(s.Panel().ListsHaveFocus());
    s.Edit().DeleteAction()->trigger();
    QCOMPARE(s.Project().Images().Count(), images - 1);
    QCOMPARE(home->RootGroup()->FindByName("OBHeat"), heat);
    // On the canvas it removes the selection.
    view->setFocus();
    s.Edit().DeleteAction()->trigger();
    QVERIFY(!home->RootGroup()->FindByName("OBHeat"));
}

void SafeEditingTest::AMergedProjectBelongsToNoFile()
{
    Session s;
    QVERIFY(s.Load());
    QTemporaryDir other;
    const QString second = CopyDemo(other);
    const QByteArray before = ReadAll(second);
    QVERIFY(s.frame.LoadProject(second));
    QVERIFY(!s.frame.HasOwnFile());
    QStringList proposed;
    s.frame.Questions().savePath = [&proposed](QWidget *, const QString &proposal) {
        proposed.append(proposal);
        return QString();
    };
    QVERIFY(!s.frame.Save());
    QCOMPARE(proposed.size(), 1);
    QVERIFY(proposed.front() != second);
    QCOMPARE(ReadAll(second), before);
}

void SafeEditingTest::PicturesOfANeverSavedProjectAreShownAndCopiedIn()
{
    Session s;
    QTemporaryDir elsewhere;
    const QString picture = elsewhere.filePath(Utf8("logo.png"));
    QVERIFY(QFile::copy(
        QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath() + Utf8("/resources/weather.png"), picture));
    s.frame.Questions().chooseFile
        = [&picture](QWidget *, const QString &, kx::ui::ProjectFileKind) { return picture; };
    CKXDialogEditorView *view = s.frame.NewDialogWindow();
    s.Panel().SetMode(CResourceDlg::kModeObject);
    s.Panel().AddType(1 + kTypePicture);
    s.Panel().Properties()->Controls().browse->click();
    CObjectData *object = view->Dialog()->RootGroup()->ChildAt(0);
    QCOMPARE(object->ImageFile(), std::string("logo.png"));
    // Found where it is, at once, at its own size; the project took no folder from it.
    QVERIFY(s.Project().ProjectFolder().empty());
    QVERIFY(object->Width() > 20);
    QVERIFY(view->Picture().pixel(object->Width() / 2, object->Height() / 2)
        != view->Picture().pixel(object->Width() + 2, object->Height() + 2));
    // A font chosen from a system folder is used there; no folder is derived from its place.
    const QString fontFile = Utf8("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    QVERIFY(QFile::exists(fontFile));
    s.frame.Questions().chooseFile
        = [&fontFile](QWidget *, const QString &, kx::ui::ProjectFileKind) { return fontFile; };
    s.Panel().SetMode(CResourceDlg::kModeFont);
    s.Panel().AddButton()->click();
    s.Panel().Properties()->Controls().browse->click();
    QCOMPARE(s.Project().Fonts().At(0)->File(), std::string("DejaVuSans.ttf"));
    QVERIFY(s.Project().ProjectFolder().empty());
    QCOMPARE(kx::ui::FromLocalPath(s.Project().FontPath("DejaVuSans.ttf")), fontFile);

    const QString saved = elsewhere.filePath(Utf8("project/p.xml"));
    QDir().mkpath(QFileInfo(saved).absolutePath());
    s.messages.Clear();
    QVERIFY(s.frame.SaveAllTo(saved));
    const QString folder = QFileInfo(saved).absolutePath();
    QCOMPARE(ReadAll(folder + Utf8("/resources/logo.png")), ReadAll(picture));
    QCOMPARE(ReadAll(folder + Utf8("/fonts/DejaVuSans.ttf")), ReadAll(fontFile));
    // The user is told what was copied, and the project now finds its own copies.
    QVERIFY(s.messages.Messages().size() >= 1);
    QVERIFY(QString::fromStdString(s.messages.Messages().back().text).contains(Utf8("logo.png")));
    QCOMPARE(kx::ui::FromLocalPath(s.Project().FontPath("DejaVuSans.ttf")),
        folder + Utf8("/fonts/DejaVuSans.ttf"));
}

void SafeEditingTest::AReplacedPictureIsDrawnAnew()
{
    Session s;
    QVERIFY(s.Load());
    s.frame.Questions().copyIntoProject
        = [](QWidget *, const QString &, const QString &) { return true; };
    s.frame.Questions().replaceFile = [](QWidget *, const QString &) { return true; };
    CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
    CKXDialogEditorView *view = s.frame.OpenDialogWindow(home);
    CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
    const kx::KXRect place = heat->GetRect();
    const QRgb before = view->Picture().pixel(place.left + 3, place.top + 3);
    // The project's resources folder is a link to the demo's: a folder of its own, with a copy.
    const QString resources = s.folder.filePath(Utf8("resources"));
    QFile::remove(resources);
    QDir().mkpath(resources);
    const QString demo = QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath() + Utf8("/resources/");
    for (const QString &name : QDir(demo).entryList(QDir::Files))
        QFile::copy(demo + name, resources + Utf8("/") + name);
    CImageData *mode = s.Project().Images().FindByName(heat->Image());
    const QString normal = kx::ui::FromUtf8(mode->SlotFile(0));
    // A file of that name but other pixels, chosen for the Normal state.
    QTemporaryDir other;
    const QString replacement = other.filePath(normal);
    QImage solid(QImage(resources + Utf8("/") + normal).size(), QImage::Format_RGB32);
    solid.fill(QColor(10, 200, 30));
    QVERIFY(solid.save(replacement, "PNG"));
    s.frame.Questions().chooseFile = [&replacement](QWidget *, const QString &,
                                         kx::ui::ProjectFileKind) { return replacement; };
    s.Panel().SetMode(CResourceDlg::kModeImage);
    emit s.Panel().ImageList()->RowClicked(s.Project().Images().IndexOf(mode), Qt::NoModifier);
    QCOMPARE(s.Panel().CurrentResource(), static_cast<KXClass *>(mode));
    s.Panel().Properties()->Controls().states[0].browse->click();
    const QRgb after = view->Picture().pixel(place.left + 3, place.top + 3);
    QVERIFY(after != before);
    QCOMPARE(after, QColor(10, 200, 30).rgb());
}

void SafeEditingTest::TheRecoveryCopyLeavesTheModelAlone()
{
    Session s;
    QVERIFY(s.Load());
    CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
    CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
    // A font that is none of the definitions, as a file may hold it.
    heat->SetFont("");
    s.Project().SetModified(true);
    const std::string before = kx::FormatProject(s.Project());
    QVERIFY(s.frame.Recovery().WriteNow());
    QCOMPARE(heat->Font(), std::string());
    QCOMPARE(kx::FormatProject(s.Project()), before);
}

void SafeEditingTest::TypedTextIsNeverLost()
{
    // A text typed into a field and not yet left, then a command: the command takes it, as if
    // the field had been left first.
    struct Case {
        const char *what;
        bool name; // typed into the Name field, else into the Text field
        std::function<void(Session &)> command;
    };
    QTemporaryDir output;
    const Case cases[] = {
        {"Ctrl+S", false, [](Session &s) { s.frame.SaveAction()->trigger(); }},
        {"Ctrl+S, name", true, [](Session &s) { s.frame.SaveAction()->trigger(); }},
        {"check", false, [](Session &s) { s.frame.CheckResults()->RunAction()->trigger(); }},
        {"generate", false,
            [&output](Session &s) {
                s.frame.SkeletonAction()->trigger();
                CSkeletonDlg *generator = s.frame.SkeletonDialog();
                generator->SetMessageSink(&s.messages);
                generator->OutputFolderEdit()->setText(output.path());
                generator->GenerateButton()->click();
            }},
        {"close", false, [](Session &s) { s.frame.close(); }},
        {"a tab clicked, name", true,
            [](Session &s) {
                QTabBar *tabs = s.Panel().Tabs();
                QTest::mouseClick(
                    tabs, Qt::LeftButton, {}, tabs->tabRect(CResourceDlg::kModeObject).center());
            }},
        {"another object shown, name", true,
            [](Session &s) {
                CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
                s.Panel().ClickTreeItem(s.Panel().ItemOf(home->RootGroup()->FindByName("OBTimer")));
            }},
        // The typed value is committed, then undone and redone as a step of its own.
        {"undo and redo", false,
            [](Session &s) {
                s.Edit().Undo();
                s.Edit().Redo();
            }},
    };
    for (const Case &test : cases) {
        Session s;
        QVERIFY(s.Load());
        int asked = 0;
        s.frame.Questions().saveChanges = [&asked](QWidget *, const QString &) {
            ++asked;
            return kx::ui::SaveChoice::Discard;
        };
        CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
        s.frame.OpenDialogWindow(home);
        CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
        s.Panel().SetMode(CResourceDlg::kModeDialog);
        s.Panel().ClickTreeItem(s.Panel().ItemOf(heat));
        QLineEdit *field = test.name ? s.Panel().Properties()->NameEdit()
                                     : s.Panel().Properties()->Controls().text;
        const QString typed = test.name ? Utf8("OBTyped") : Utf8("Typed42");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, typed);
        test.command(s);
        const std::string value
            = test.name ? heat->Name() : kx::ui::FromModelText(heat->Text()).toStdString();
        QVERIFY2(value == typed.toStdString(), test.what);
        if (std::string_view(test.what).starts_with("Ctrl+S"))
            QVERIFY2(ReadAll(kx::ui::FromLocalPath(s.Project().Root().ProjectFilePath()))
                         .contains(typed.toUtf8()),
                test.what);
        if (std::string_view(test.what) == "close")
            QCOMPARE(asked, 1);
    }
}

void SafeEditingTest::APictureOfItsOwnSizeKeepsIt()
{
    Session s;
    QVERIFY(s.Load());
    CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
    s.frame.OpenDialogWindow(home);
    CObjectData *picture = nullptr;
    for (int i = 1; CObjectData *object = home->RootGroup()->ObjectAt(i); ++i) {
        if (!picture && object->Type() == kTypePicture)
            picture = object;
    }
    QVERIFY(picture);
    picture->SetWidth(-1);
    picture->SetHeight(-1);
    s.frame.Documents().For(home)->Commit(kChangeAttributes);
    const QImage own(QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath() + Utf8("/resources/")
        + kx::ui::FromUtf8(picture->ImageFile()));
    QVERIFY(!own.isNull());
    s.Panel().SetMode(CResourceDlg::kModeDialog);
    s.Panel().ClickTreeItem(s.Panel().ItemOf(picture));
    const CPropertyPanel::Widgets &w = s.Panel().Properties()->Controls();
    // The fields show the drawn size; a commit of one field changes that one only.
    QCOMPARE(w.width->Value(), own.width());
    QCOMPARE(w.height->Value(), own.height());
    const int x = picture->AbsoluteX();
    w.x->setText(QString::number(x + 5));
    w.x->setModified(true);
    emit w.x->editingFinished();
    QCOMPARE(picture->AbsoluteX(), x + 5);
    QCOMPARE(picture->Width(), -1);
    QCOMPARE(picture->Height(), -1);
    w.width->setText(QStringLiteral("30"));
    w.width->setModified(true);
    emit w.width->editingFinished();
    QCOMPARE(picture->Width(), 30);
    QCOMPARE(picture->Height(), -1);
    QCOMPARE(w.height->Value(), own.height());
}

namespace {

// A desktop whose item views open an item with a single click.
class SingleClickStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *answer) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

} // namespace

void SafeEditingTest::ACtrlClickTogglesOnceInEveryStyle()
{
    for (const bool singleClick : {false, true}) {
        SingleClickStyle style;
        Session s;
        QVERIFY(s.Load());
        CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
        s.frame.OpenDialogWindow(home);
        s.Panel().SetMode(CResourceDlg::kModeDialog);
        QTreeWidget *tree = s.Panel().Tree();
        if (singleClick)
            tree->setStyle(&style);
        tree->expandAll();
        CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
        CObjectData *timer = home->RootGroup()->FindByName("OBTimer");
        // Clicked as the window system delivers it, with the modifiers the application sees.
        const auto click = [&](CObjectData *object, Qt::KeyboardModifiers modifiers) {
            QTreeWidgetItem *item = s.Panel().ItemOf(object);
            tree->scrollToItem(item);
            const QPoint at
                = tree->viewport()->mapTo(&s.frame, tree->visualItemRect(item).center());
            QTest::mouseClick(s.frame.windowHandle(), Qt::LeftButton, modifiers, at);
        };
        click(heat, Qt::NoModifier);
        QVERIFY(heat->IsSelected());
        click(timer, Qt::ControlModifier);
        QVERIFY2(timer->IsSelected() && heat->IsSelected(), singleClick ? "single" : "double");
        click(timer, Qt::ControlModifier);
        QVERIFY2(!timer->IsSelected() && heat->IsSelected(), singleClick ? "single" : "double");
        tree->setStyle(nullptr);
    }
}

void SafeEditingTest::PanelCommandsKeepTheirRules()
{
    Session s;
    QVERIFY(s.Load());
    const std::string original = kx::FormatProject(s.Project());
    CKXDialogData *home = s.Project().Dialogs().FindByName("Home");
    s.frame.OpenDialogWindow(home);
    CPropertyPanel &fields = *s.Panel().Properties();
    const auto rename = [&](KXClass *resource, const char *name) {
        s.Panel().ClickTreeItem(s.Panel().ItemOf(resource));
        fields.NameEdit()->setText(Utf8(name));
        fields.NameEdit()->setModified(true);
        emit fields.NameEdit()->editingFinished();
    };
    s.Panel().SetMode(CResourceDlg::kModeDialog);

    // An object's name is unique within its dialog only.
    CObjectData *timer = home->RootGroup()->FindByName("OBTimer");
    s.messages.Clear();
    rename(timer, "OBHeat");
    QCOMPARE(timer->Name(), std::string("OBTimer"));
    QCOMPARE(s.messages.Messages().size(), std::size_t {1});
    rename(timer, "OBBack"); // a button of the Settings dialog
    QCOMPARE(timer->Name(), std::string("OBBack"));

    // Ungrouping through the panel puts the children in the group's place, one step.
    CObjectData *heat = home->RootGroup()->FindByName("OBHeat");
    CObjectDataList *mode = heat->Parent();
    const int children = mode->ChildCount();
    const int rootChildren = home->RootGroup()->ChildCount();
    s.Panel().ClickTreeItem(s.Panel().ItemOf(mode));
    s.Panel().GroupOrUngroup();
    QCOMPARE(heat->Parent(), home->RootGroup());
    QCOMPARE(home->RootGroup()->ChildCount(), rootChildren - 1 + children);

    // An image definition's new name reaches its users and is undone with them.
    s.Panel().SetMode(CResourceDlg::kModeImage);
    CImageData *image = s.Project().Images().FindByName(heat->Image());
    emit s.Panel().ImageList()->RowClicked(s.Project().Images().IndexOf(image), Qt::NoModifier);
    QCOMPARE(s.Panel().CurrentResource(), static_cast<KXClass *>(image));
    fields.NameEdit()->setText(Utf8("IBRenamed"));
    fields.NameEdit()->setModified(true);
    emit fields.NameEdit()->editingFinished();
    QCOMPARE(heat->Image(), std::string("IBRenamed"));
    // The picture combo lists the definitions of the type in list order, by their new names.
    CBmpComboBox *combo = fields.Controls().image;
    combo->SetImageType(-1);
    combo->SetImageType(kTypeButton);
    std::vector<std::string> listed;
    for (const auto &definition : s.Project().Images()) {
        if (definition->Type() == kTypeButton)
            listed.push_back(definition->Name());
    }
    QCOMPARE(combo->count(), static_cast<int>(listed.size()));
    for (int i = 0; i < combo->count(); ++i)
        QCOMPARE(combo->GetNameAt(i), listed[static_cast<std::size_t>(i)]);
    QVERIFY(combo->SelectByName("IBRenamed") >= 0);
    QCOMPARE(combo->SelectByName("NoSuchImage"), -1);

    // After a delete the panel shows something still in the project, never what went.
    s.Panel().Delete();
    QVERIFY(!s.Project().Images().FindByName("IBRenamed"));
    QVERIFY(s.Panel().CurrentResource() != image);
    s.Panel().SetMode(CResourceDlg::kModeDialog);
    CKXDialogData *settings = s.Project().Dialogs().FindByName("Settings");
    s.Panel().ClickTreeItem(s.Panel().ItemOf(settings));
    s.Panel().Delete();
    QVERIFY(s.Panel().CurrentResource() != settings);

    // The add combo rests on its first entry; a new text takes the panel's margins.
    s.Panel().SetMode(CResourceDlg::kModeObject);
    QComboBox *add = s.Panel().AddCombo();
    emit add->activated(1 + kTypeText);
    QCOMPARE(add->currentIndex(), 0);
    const auto *text = static_cast<CObjectData *>(s.Panel().CurrentResource());
    QVERIFY(text && text->Type() == kTypeText);
    QCOMPARE(text->MarginX(), fields.MarginX());
    QCOMPARE(text->MarginY(), fields.MarginY());

    // Every one of these steps undoes, in order, to the file as it was.
    while (s.Edit().UndoAction()->isEnabled())
        s.Edit().UndoAction()->trigger();
    QCOMPARE(kx::FormatProject(s.Project()), original);
}

void SafeEditingTest::AbsentFontFilesAreListedOnce()
{
    // The demo without its fonts folder: one message names the fonts, however many objects
    // use them and however often the canvases paint.
    Session s;
    const QString demo = QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath();
    QFile::link(demo + Utf8("/resources"), s.folder.filePath(Utf8("resources")));
    const QString path = s.folder.filePath(Utf8("demo.xml"));
    QVERIFY(QFile::copy(Utf8(KX_DEMO_PROJECT), path));
    QVERIFY(s.frame.LoadProject(path));
    for (const auto &dialog : s.Project().Dialogs())
        s.frame.OpenDialogWindow(dialog.get());
    for (int round = 0; round < 3; ++round) {
        for (CKXDialogEditorView *view : s.frame.DialogViews())
            view->repaint();
        QCoreApplication::processEvents();
    }
    QCOMPARE(s.messages.Messages().size(), std::size_t {1});
    for (const auto &font : s.Project().Fonts())
        QVERIFY(QString::fromStdString(s.messages.Messages().front().text)
                    .contains(kx::ui::FromUtf8(font->File())));
}

void SafeEditingTest::APastedDialogLeavesTheDefinitionsAlone()
{
    // The font of the frames' image definition deleted, then a dialog with frames pasted: the
    // definition keeps naming the deleted font (its change would be no step of the history),
    // and undoing both gives the file back.
    Session s;
    QVERIFY(s.Load());
    const std::string original = kx::FormatProject(s.Project());
    CImageData *panel = s.Project().Images().FindByName("IFPanel");
    const std::string fontName = panel->FontName();
    s.Panel().SetMode(CResourceDlg::kModeFont);
    s.Panel().FontList()->SetCurrentRow(
        s.Project().Fonts().IndexOf(s.Project().Fonts().FindByName(fontName)));
    s.Panel().Delete();
    QVERIFY(!s.Project().Fonts().FindByName(fontName));
    s.Panel().SetMode(CResourceDlg::kModeDialog);
    s.Panel().ClickTreeItem(s.Panel().ItemOf(s.Project().Dialogs().FindByName("Settings")));
    s.Panel().Tree()->setFocus();
    s.Edit().Copy();
    s.Edit().Paste();
    QVERIFY(s.Project().Dialogs().FindByName("Settings2"));
    QCOMPARE(panel->FontName(), fontName);
    s.Edit().Undo();
    s.Edit().Undo();
    QCOMPARE(kx::FormatProject(s.Project()), original);
}

QTEST_MAIN(SafeEditingTest)
#include "safe_editing_test.moc"
