// Takes the pictures of the user guide from the real editor: the main window, its panel, canvas
// and windows, driven through the same commands a user's clicks reach, each saved as a PNG.
//   take_screenshots OUTPUT_FOLDER DEMO_PROJECT
// Run by scripts/screenshots.sh under Xvfb (make screenshots), with a private home so that no
// setting or recovery copy of the user's own editor shows.
#include "model/font_data.h"
#include "model/image_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "ui/app/language.h"
#include "ui/app/main_frame.h"
#include "ui/app/play_commands.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/dialogs/skeleton_dlg.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/check_results_dock.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/resource_dlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace {

QString g_output;
int g_failures = 0;

// Lets layouts, repaints and queued work finish before a picture is taken.
void Settle()
{
    for (int turn = 0; turn < 5; ++turn) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

void Save(const QImage &image, const QString &name)
{
    const QString path = g_output + QLatin1Char('/') + name + QStringLiteral(".png");
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "take_screenshots: cannot write %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

void Shoot(QWidget *window, const QString &name)
{
    Settle();
    Save(window->grab().toImage(), name);
}

// Runs open, which shows a modal window and waits for it; pictures that window and closes it.
void ShootModal(const QString &name, const std::function<void()> &open)
{
    bool taken = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || taken)
            return;
        taken = true;
        Settle();
        Save(modal->grab().toImage(), name);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    poll.start();
    open();
    if (!taken) {
        std::fprintf(stderr, "take_screenshots: no window for %s\n", qPrintable(name));
        ++g_failures;
    }
}

// The tree item whose resource has this name ("Type = Name" or the name alone).
QTreeWidgetItem *FindItem(QTreeWidgetItem *item, const QString &name)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem *child = item->child(i);
        const QString text = child->text(0);
        if (text == name || text.endsWith(QStringLiteral(" = ") + name))
            return child;
        if (QTreeWidgetItem *found = FindItem(child, name))
            return found;
    }
    return nullptr;
}

QTreeWidgetItem *Item(CMainFrame &frame, const QString &name)
{
    QTreeWidget *tree = frame.ResourcePanel()->Tree();
    QTreeWidgetItem *item = FindItem(tree->invisibleRootItem(), name);
    if (!item) {
        std::fprintf(stderr, "take_screenshots: no item %s\n", qPrintable(name));
        ++g_failures;
    }
    return item;
}

void Click(CMainFrame &frame, const QString &name, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    if (QTreeWidgetItem *item = Item(frame, name))
        frame.ResourcePanel()->ClickTreeItem(item, keys);
}

QAction *ActionWithText(QWidget *window, const QString &text)
{
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == text)
            return action;
    }
    std::fprintf(stderr, "take_screenshots: no command %s\n", qPrintable(text));
    ++g_failures;
    return nullptr;
}

void ShowFrame(CMainFrame &frame)
{
    frame.resize(1180, 760);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) {
        std::fprintf(stderr, "take_screenshots: the main window was never shown\n");
        ++g_failures;
    }
}

// From nothing: a new dialog and its first objects, added in the panel.
void TourNewProject(kx::IMessageSink &messages)
{
    CMainFrame frame;
    frame.SetMessageSink(&messages);
    ShowFrame(frame);
    Shoot(&frame, QStringLiteral("01-empty-editor"));

    CResourceDlg *panel = frame.ResourcePanel();
    // Texts need a font definition first.
    panel->SetMode(CResourceDlg::kModeFont);
    panel->Add();
    panel->SetMode(CResourceDlg::kModeDialog);
    panel->AddDialog();
    Settle();
    // A text, from the add combo of the object tab.
    panel->SetMode(CResourceDlg::kModeObject);
    for (int index = 1; index < panel->AddCombo()->count(); ++index) {
        const QString type = panel->AddCombo()->itemText(index);
        if (type == QStringLiteral("TEXT"))
            panel->AddType(index);
    }
    Shoot(&frame, QStringLiteral("02-new-dialog"));
}

// The demo: its dialogs drawn as the device draws them, the panel's tabs, the Edit commands,
// the settings, generation and the check.
void TourDemo(const QString &demo, kx::IMessageSink &messages)
{
    CMainFrame frame;
    frame.SetMessageSink(&messages);
    ShowFrame(frame);
    frame.LoadProject(demo);
    Click(frame, QStringLiteral("Home"));
    Settle();
    Click(frame, QStringLiteral("OBTimer"));
    Shoot(&frame, QStringLiteral("03-demo-button"));

    Click(frame, QStringLiteral("OTRoomLabel"));
    Click(frame, QStringLiteral("OTRoomTemp"), Qt::ControlModifier);
    Click(frame, QStringLiteral("OTRoomUnit"), Qt::ControlModifier);
    frame.ResourcePanel()->SetMode(CResourceDlg::kModeObject);
    Shoot(&frame, QStringLiteral("04-object-list"));

    frame.ResourcePanel()->SetMode(CResourceDlg::kModeImage);
    const CImageDataList &images = frame.Project().Images();
    for (int row = 0; row < images.Count(); ++row) {
        if (images.At(row)->Name() == "IBMode")
            emit frame.ResourcePanel()->ImageList()->RowClicked(row, Qt::NoModifier);
    }
    Shoot(&frame, QStringLiteral("05-image-definitions"));

    frame.ResourcePanel()->SetMode(CResourceDlg::kModeFont);
    const CFontDataList &fonts = frame.Project().Fonts();
    for (int row = 0; row < fonts.Count(); ++row) {
        if (fonts.At(row)->Name() == "FDigits32")
            emit frame.ResourcePanel()->FontList()->RowClicked(row, Qt::NoModifier);
    }
    Shoot(&frame, QStringLiteral("06-font-definitions"));

    frame.ResourcePanel()->SetMode(CResourceDlg::kModeResource);
    Click(frame, QStringLiteral("OTDate"));
    if (CKXDialogEditorView *view = frame.ActiveView())
        view->SetZoom(4);
    Shoot(&frame, QStringLiteral("07-zoom-400"));
    if (CKXDialogEditorView *view = frame.ActiveView())
        view->SetZoom(1);

    if (QAction *settings = ActionWithText(&frame, CMainFrame::tr("設定")))
        ShootModal(QStringLiteral("08-settings"), [settings] { settings->trigger(); });

    // Generation into a folder of its own, with the log of the run.
    QTemporaryDir output;
    frame.SkeletonAction()->trigger();
    Settle();
    for (CSkeletonDlg *skeleton : frame.findChildren<CSkeletonDlg *>()) {
        skeleton->OutputFolderEdit()->setText(output.path());
        skeleton->Generate();
        // The temporary folder's name means nothing to a reader.
        skeleton->OutputFolderEdit()->setText(QStringLiteral("/home/me/aircon/src"));
        Shoot(skeleton, QStringLiteral("09-generate-sources"));
        skeleton->close();
    }
}

// The check finds what a project lacks: here a picture file that has gone.
void TourCheck(const QString &demo, kx::IMessageSink &messages)
{
    QTemporaryDir copy;
    const QDir source = QFileInfo(demo).absoluteDir();
    QDir(copy.path()).mkpath(QStringLiteral("resources"));
    QDir(copy.path()).mkpath(QStringLiteral("fonts"));
    const QString project = copy.filePath(QStringLiteral("demo.xml"));
    QFile::copy(demo, project);
    for (const QString &folder : {QStringLiteral("resources"), QStringLiteral("fonts")}) {
        const QDir from(source.filePath(folder));
        for (const QFileInfo &file : from.entryInfoList(QDir::Files)) {
            QFile::copy(file.canonicalFilePath(),
                copy.filePath(folder + QLatin1Char('/') + file.fileName()));
        }
    }
    const QDir resources(copy.filePath(QStringLiteral("resources")));
    const QStringList pictures = resources.entryList(QDir::Files, QDir::Name);
    if (!pictures.isEmpty())
        QFile::remove(resources.filePath(pictures.constLast()));

    CMainFrame frame;
    frame.SetMessageSink(&messages);
    ShowFrame(frame);
    frame.LoadProject(project);
    Click(frame, QStringLiteral("Settings"));
    frame.CheckResults()->RunAction()->trigger();
    Shoot(&frame, QStringLiteral("10-check-results"));
}

// A mouse event on the canvas, at the middle of an object, as the window system sends it.
void MouseOn(CKXDialogEditorView *view, QEvent::Type type, const char *object)
{
    CObjectData *found = view->Dialog()->RootGroup()->FindByName(object);
    if (!found) {
        std::fprintf(stderr, "take_screenshots: no object %s\n", object);
        ++g_failures;
        return;
    }
    const QPointF at = view->ToWidget(found->GetRect()).center();
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held, {});
    QApplication::sendEvent(view, &event);
}

// Play mode: a button held down in the radio group of the modes, then a name typed through the
// input method, with the events the application receives; the editing canvas in the initial
// states.
void TourPlay(const QString &demo, kx::IMessageSink &messages)
{
    CMainFrame frame;
    frame.SetMessageSink(&messages);
    ShowFrame(frame);
    frame.LoadProject(demo);
    Click(frame, QStringLiteral("Home"));
    Settle();
    frame.Play().PlayAction()->trigger();
    Settle();
    if (CKXDialogEditorView *view = frame.ActiveView()) {
        MouseOn(view, QEvent::MouseButtonPress, "OBCool");
        MouseOn(view, QEvent::MouseButtonRelease, "OBCool");
        MouseOn(view, QEvent::MouseButtonPress, "OBDry");
    }
    Shoot(&frame, QStringLiteral("12-play-mode"));
    if (CKXDialogEditorView *view = frame.ActiveView())
        MouseOn(view, QEvent::MouseButtonRelease, "OBDry");
    frame.Play().PlayAction()->trigger();

    Click(frame, QStringLiteral("Settings"));
    Settle();
    frame.Play().PlayAction()->trigger();
    Settle();
    if (CKXDialogEditorView *view = frame.ActiveView()) {
        MouseOn(view, QEvent::MouseButtonPress, "OEPlace");
        MouseOn(view, QEvent::MouseButtonRelease, "OEPlace");
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("の窓際"));
        QApplication::sendEvent(view, &commit);
        QInputMethodEvent compose(QStringLiteral("せってい"), {});
        QApplication::sendEvent(view, &compose);
    }
    Shoot(&frame, QStringLiteral("13-play-typing"));
    frame.Play().PlayAction()->trigger();

    frame.Play().InitialStatesAction()->setChecked(true);
    Click(frame, QStringLiteral("OBReset"));
    Shoot(&frame, QStringLiteral("14-initial-states"));
    // The setting is the user's: the tour leaves it as it found it.
    frame.Play().InitialStatesAction()->setChecked(false);
}

// A mouse event on the canvas at a point of the widget, with the left button held but on release.
void MouseAt(CKXDialogEditorView *view, QEvent::Type type, const QPointF &at,
    Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, view->mapToGlobal(at),
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, keys);
    QApplication::sendEvent(view, &event);
}

// Laying out: a label dragged until its left edge meets another's, the guides and the distance
// to its neighbour shown while the mouse is held; then three labels selected and edited at once.
void TourLayout(const QString &demo, kx::IMessageSink &messages)
{
    CMainFrame frame;
    frame.SetMessageSink(&messages);
    ShowFrame(frame);
    frame.LoadProject(demo);
    Click(frame, QStringLiteral("Home"));
    Settle();
    CKXDialogEditorView *view = frame.ActiveView();
    CObjectDataList *root = view ? view->Dialog()->RootGroup() : nullptr;
    CObjectData *moved = root ? root->FindByName("OTRoomUnit") : nullptr;
    CObjectData *target = root ? root->FindByName("OTRoomLabel") : nullptr;
    if (!moved || !target) {
        std::fprintf(stderr, "take_screenshots: no labels to lay out\n");
        ++g_failures;
        return;
    }
    view->SetZoom(2);
    Settle();
    const QPointF from = view->ToWidget(moved->GetRect()).center();
    // Two pixels short of the other label's left edge, somewhat lower: the guide pulls it there.
    const int dx = target->GetRect().left - moved->GetRect().left + 2;
    const QPointF to = from + QPointF(dx * 2, 24 * 2);
    MouseAt(view, QEvent::MouseButtonPress, from);
    MouseAt(view, QEvent::MouseMove, (from + to) / 2);
    MouseAt(view, QEvent::MouseMove, to);
    Shoot(&frame, QStringLiteral("15-smart-guides"));
    // Let go with Alt held: snapping off for the last move, which goes nowhere.
    MouseAt(view, QEvent::MouseButtonRelease, to, Qt::AltModifier);
    frame.EditCommands().Undo();
    view->SetZoom(1);
    Settle();

    for (const char *name : {"OTRoomLabel", "OTRoomTemp", "OTRoomUnit"}) {
        CObjectData *object = root->FindByName(name);
        if (!object)
            continue;
        const QPointF at = view->ToWidget(object->GetRect()).center();
        const Qt::KeyboardModifiers keys
            = std::string(name) == "OTRoomLabel" ? Qt::NoModifier : Qt::ShiftModifier;
        MouseAt(view, QEvent::MouseButtonPress, at, keys);
        MouseAt(view, QEvent::MouseButtonRelease, at, keys);
    }
    frame.ResourcePanel()->SetMode(CResourceDlg::kModeDialog);
    Shoot(&frame, QStringLiteral("16-multi-selection"));
}

// The same editor in Japanese.
void TourJapanese(const QString &demo, kx::IMessageSink &messages)
{
    kx::ui::ApplyLanguage(kx::ui::Language::Japanese);
    CMainFrame frame;
    frame.SetMessageSink(&messages);
    ShowFrame(frame);
    frame.LoadProject(demo);
    Click(frame, QStringLiteral("Settings"));
    Settle();
    Click(frame, QStringLiteral("OEDeviceName"));
    Shoot(&frame, QStringLiteral("11-japanese"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KXDialogEditor"));
    if (argc != 3) {
        std::fprintf(stderr, "usage: take_screenshots OUTPUT_FOLDER DEMO_PROJECT\n");
        return 2;
    }
    g_output = QString::fromLocal8Bit(argv[1]);
    const QString demo = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    if (!QDir().mkpath(g_output)) {
        std::fprintf(stderr, "take_screenshots: cannot make %s\n", argv[1]);
        return 1;
    }
    // The messages a user would see in boxes go to standard error here.
    kx::RecordingMessageSink messages;
    kx::ui::ApplyLanguage(kx::ui::Language::English);
    TourNewProject(messages);
    TourDemo(demo, messages);
    TourCheck(demo, messages);
    TourPlay(demo, messages);
    TourLayout(demo, messages);
    TourJapanese(demo, messages);
    for (const auto &message : messages.Messages())
        std::fprintf(stderr, "message: %s\n", message.text.c_str());
    return g_failures == 0 ? 0 : 1;
}
