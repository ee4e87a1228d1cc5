// The ways a user once crashed the editor or lost work, each driven through the real window: the
// panel's commands, the canvas, the Edit menu and the file commands.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "render/dialog_painter.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/property_panel.h"
#include "ui/panels/resource_dlg.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// A copy of the demo project in folder (pictures and fonts linked), so saves do not touch it.
QString CopyDemo(const QTemporaryDir &folder)
{
    const QString demo = QFileInfo(Utf8(KX_DEMO_PROJECT)).absolutePath();
    QFile::link(demo + Utf8("/resources"), folder.filePath(Utf8("resources")));
    QFile::link(demo + Utf8("/fonts"), folder.filePath(Utf8("fonts")));
    const QString path = folder.filePath(Utf8("demo.xml"));
    QFile::copy(Utf8(KX_DEMO_PROJECT), path);
    return path;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Records messages and counts those that arrive while a canvas paints: each would have been a
// modal box opened inside a paint. Every paint of a canvas runs inside its filter.
class PaintWatchingSink final : public QObject, public kx::IMessageSink {
public:
    PaintWatchingSink() { qApp->installEventFilter(this); }

    void ShowMessage(std::string_view text, kx::MessageIcon icon) override
    {
        if (m_painting > 0)
            ++insidePaint;
        messages.ShowMessage(text, icon);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !qobject_cast<CKXDialogEditorView *>(watched))
            return false;
        ++m_painting;
        static_cast<QObject *>(watched)->event(event);
        --m_painting;
        return true;
    }

    kx::RecordingMessageSink messages;
    int insidePaint = 0;

private:
    int m_painting = 0;
};

} // namespace

class SafeEditingTest : public QObject {
    Q_OBJECT

private slots:
    void AFontWithoutFileIsReportedAfterThePaintOnce();
    void DeletingAnImageDefinitionInUseDrawsPlaceholders();
};

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
    FlushDeletes();
    view = frame.OpenDialogWindow(home);
    QCOMPARE(view->Picture().pixel(place.left + 2, place.top + 2), QColor(255, 128, 128).rgb());
    QCOMPARE(sink.insidePaint, 0);
}

QTEST_MAIN(SafeEditingTest)
#include "safe_editing_test.moc"
