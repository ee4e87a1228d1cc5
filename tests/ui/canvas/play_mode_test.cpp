// Play mode and the initial states on the real main window with the demo: the play draws what
// "kxdialog render --state initial" draws, a long random run of input leaves the project, its
// history and its modified mark as they were and the canvas as it was drawn, an input method
// types Japanese, the events name the stubs the generator writes, and the initial states are a
// setting of the editor.
#include "codegen/skeleton_generator.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "platform/text_conversion.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "render/object_states.h"
#include "ui/app/main_frame.h"
#include "ui/app/play_commands.h"
#include "ui/app/settings_file.h"
#include "ui/app/unsaved_changes.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/canvas/play_mode.h"
#include "ui/document/kx_dialog_editor_doc.h"
#include "ui/panels/play_events_dock.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/ui_events.h"

#include <QAction>
#include <QApplication>
#include <QColorSpace>
#include <QFile>
#include <QInputMethodEvent>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

using kx::test::Flush;
using kx::test::Mouse;
using kx::test::PaintWatchingSink;

// The widget point in the middle of an object.
QPoint On(const CKXDialogEditorView *view, const CObjectData &object)
{
    return view->ToWidget(object.GetRect()).center();
}

// The pixels of a picture, whatever its format and colour space, to compare.
QImage Copy(const QImage &picture)
{
    QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    pixels.setColorSpace(QColorSpace());
    return pixels;
}

// The dialog as the painter draws it whole with this source of states.
QImage PaintedWith(
    kx::DialogPainter &painter, CKXDialogData &dialog, const kx::IObjectStates *states)
{
    kx::Surface surface(dialog.Width(), dialog.Height());
    painter.SetStateSource(states);
    painter.PaintDialog(surface, dialog);
    painter.SetStateSource(nullptr);
    return Copy(QImage(surface.Bits(), surface.Width(), surface.Height(), surface.Stride(),
        QImage::Format_BGR888));
}

} // namespace

class PlayModeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void PlayStartsAsRenderInitialDraws();
    void RandomInputLeavesTheProjectAsItWas();
    void InputMethodTypesJapanese();
    void EventsNameTheGeneratedStubs();
    void InitialStatesIsASettingAndEditingGoesOn();

private:
    CKXDialogData *Dialog(const char *name)
    {
        return m_frame->Project().Dialogs().FindByName(name);
    }
    CObjectData *Object(const char *dialog, const char *name)
    {
        return Dialog(dialog)->RootGroup()->FindByName(name);
    }
    CPlayCommands &Play() { return m_frame->Play(); }
    // Opens the dialog's window and starts a play of it.
    CKXDialogEditorView *StartPlay(const char *dialog)
    {
        CKXDialogEditorView *view = m_frame->OpenDialogWindow(Dialog(dialog));
        Flush();
        Play().PlayAction()->trigger();
        Flush();
        return view;
    }

    CMainFrame *m_frame = nullptr;
    kx::RecordingMessageSink m_messages;
};

void PlayModeTest::init()
{
    QSettings(kx::EditorSettingsPath(), QSettings::IniFormat).clear();
    m_frame = new CMainFrame;
    m_frame->SetMessageSink(&m_messages);
    m_frame->Questions().saveChanges
        = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
    m_frame->show();
    QVERIFY(m_frame->LoadProject(QStringLiteral(KX_DEMO_PROJECT)));
    m_messages.Clear();
}

void PlayModeTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

void PlayModeTest::PlayStartsAsRenderInitialDraws()
{
    const QString program
        = QCoreApplication::applicationDirPath() + QStringLiteral("/../src/cli/kxdialog");
    if (!QFile::exists(program))
        QSKIP("kxdialog has not been built");
    QVERIFY(!Play().PlayAction()->isEnabled());
    QTemporaryDir out;
    for (const char *name : {"Home", "Settings"}) {
        const QString png = out.filePath(QString::fromUtf8(name) + QStringLiteral(".png"));
        const QStringList arguments {QStringLiteral("render"), QStringLiteral(KX_DEMO_PROJECT),
            QStringLiteral("--dialog"), QString::fromUtf8(name), QStringLiteral("--state"),
            QStringLiteral("initial"), QStringLiteral("-o"), png};
        QCOMPARE(QProcess::execute(program, arguments), 0);
        CKXDialogEditorView *view = StartPlay(name);
        QVERIFY(Play().Current());
        QCOMPARE(Copy(view->Picture()), Copy(QImage(png)));
        Play().PlayAction()->trigger();
        Flush();
        QVERIFY(!Play().Current());
    }
    // The demo starts with a button active, one disabled and a text hidden, so the play's start
    // is not the editing canvas.
    QVERIFY(Copy(m_frame->ActiveView()->Picture())
        != Copy(QImage(out.filePath(QStringLiteral("Settings.png")))));
    QVERIFY(m_messages.Messages().empty());
}

void PlayModeTest::RandomInputLeavesTheProjectAsItWas()
{
    CProjectContext &project = m_frame->Project();
    for (const char *name : {"Home", "Settings"}) {
        CKXDialogData *dialog = Dialog(name);
        CKXDialogEditorView *view = m_frame->OpenDialogWindow(dialog);
        Flush();
        const QImage before = Copy(view->Picture());
        const std::string file = kx::FormatProject(project);
        const int records = dialog->History().Count();
        const int index = dialog->History().Index();
        const int selected = dialog->RootGroup()->CountSelected();
        const KXClass *current = m_frame->ResourcePanel()->CurrentResource();
        QVERIFY(!project.IsModified());

        Play().PlayAction()->trigger();
        Flush();
        QVERIFY(Play().EventsDock()->isVisible());
        CPlayMode *play = Play().Current();
        QVERIFY(play);
        // Presses aim at objects more often than not, at any object of the dialog.
        std::vector<CObjectData *> targets;
        CObjectDataList *root = dialog->RootGroup();
        for (int i = 1; i < root->CountNodes(); ++i) {
            if (CObjectData *o = root->ObjectAt(i); o && !o->IsGroup())
                targets.push_back(o);
        }

        std::mt19937 random(name[0]);
        const auto pick
            = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        for (int step = 0; step < 400; ++step) {
            const QPoint at = pick(3) == 0
                ? QPoint(pick(dialog->Width()), pick(dialog->Height()))
                : On(view,
                    *targets[static_cast<std::size_t>(pick(static_cast<int>(targets.size())))]);
            switch (pick(9)) {
            case 0:
            case 1:
                Mouse(view, QEvent::MouseButtonPress, at);
                Mouse(view, QEvent::MouseMove, at + QPoint(pick(60) - 30, pick(30) - 15));
                if (pick(2))
                    Mouse(view, QEvent::MouseButtonRelease, at);
                break;
            case 2:
                Mouse(view, QEvent::MouseButtonRelease, at);
                break;
            case 3:
                QTest::keyClick(view, pick(2) ? Qt::Key_Tab : Qt::Key_Backtab);
                break;
            case 4:
                QTest::keyClick(view, pick(2) ? Qt::Key_Space : Qt::Key_Return);
                break;
            case 5: {
                static const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                    Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_A, Qt::Key_Up};
                QTest::keyClick(view, keys[pick(8)]);
                break;
            }
            case 6:
                QTest::keyClicks(view, QStringLiteral("ok 1"));
                break;
            case 7: {
                QInputMethodEvent compose(QStringLiteral("せって"), {});
                QApplication::sendEvent(view, &compose);
                QInputMethodEvent commit;
                commit.setCommitString(pick(2) ? QStringLiteral("設定") : QStringLiteral("😀"));
                QApplication::sendEvent(view, &commit);
                break;
            }
            default:
                // Time passes for a held button: push-clicks and repeats.
                QTest::qWait(pick(30));
                break;
            }
            if (step % 50 == 49) {
                Flush();
                // What the play painted piece by piece is the dialog in the play's states.
                QCOMPARE(
                    Copy(view->Picture()), PaintedWith(view->Painter(), *dialog, &play->Session()));
            }
        }
        QVERIFY(Play().EventsDock()->Model()->rowCount() > 0);
        // Escape gives the canvas back.
        QTest::keyClick(view, Qt::Key_Escape);
        Flush();
        QVERIFY(!Play().Current());
        QVERIFY(!Play().PlayAction()->isChecked());
        QVERIFY(!Play().EventsDock()->isVisible());

        QCOMPARE(Copy(view->Picture()), before);
        QCOMPARE(kx::FormatProject(project), file);
        QCOMPARE(dialog->History().Count(), records);
        QCOMPARE(dialog->History().Index(), index);
        QCOMPARE(dialog->RootGroup()->CountSelected(), selected);
        QCOMPARE(m_frame->ResourcePanel()->CurrentResource(), current);
        QVERIFY(!project.IsModified());
        QVERIFY(!view->Document()->IsModified());
        QVERIFY(!m_frame->isWindowModified());
    }
    QVERIFY(m_messages.Messages().empty());
}

void PlayModeTest::InputMethodTypesJapanese()
{
    CKXDialogEditorView *view = StartPlay("Settings");
    CPlaySession &session = Play().Current()->Session();
    // The edit box that starts in Focus has the focus, and the input method is told so.
    QCOMPARE(session.EditBox(), Object("Settings", "OEDeviceName"));
    CObjectData *place = Object("Settings", "OEPlace");
    Mouse(view, QEvent::MouseButtonPress, On(view, *place));
    Mouse(view, QEvent::MouseButtonRelease, On(view, *place));
    QCOMPARE(session.EditBox(), place);
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImCursorRectangle);
    QApplication::sendEvent(view, &query);
    QVERIFY(query.value(Qt::ImEnabled).toBool());
    const QRect caret = query.value(Qt::ImCursorRectangle).toRect();
    QVERIFY(!caret.isEmpty());
    QVERIFY(view->ToWidget(place->GetRect()).contains(caret));

    QInputMethodEvent compose(QStringLiteral("せってい"), {});
    QApplication::sendEvent(view, &compose);
    QCOMPARE(kx::ToUtf8(*session.TextOf(*place)), std::string("2階 リビングせってい"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("設定"));
    QApplication::sendEvent(view, &commit);
    QCOMPARE(kx::ToUtf8(session.EditText()), std::string("2階 リビング設定"));
    const auto caretLeft = [view] {
        QInputMethodQueryEvent where(Qt::ImCursorRectangle);
        QApplication::sendEvent(view, &where);
        return where.value(Qt::ImCursorRectangle).toRect().left();
    };
    const int typed = caretLeft();
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(kx::ToUtf8(session.EditText()), std::string("2階 リビング設"));
    // The caret follows the text: past what was there, back by the character taken away.
    QVERIFY(caretLeft() > caret.left());
    QVERIFY(caretLeft() < typed);
    CPlayEventsModel *events = Play().EventsDock()->Model();
    QCOMPARE(events->Text(events->rowCount() - 1, CPlayEventsModel::kColumnArguments),
        QStringLiteral("\"2階 リビング設\""));
    // The model keeps its text.
    QCOMPARE(kx::ToUtf8(place->Text()), std::string("2階 リビング"));
}

void PlayModeTest::EventsNameTheGeneratedStubs()
{
    CKXDialogEditorView *view = StartPlay("Home");
    CObjectData *cool = Object("Home", "OBCool");
    CObjectData *heat = Object("Home", "OBHeat");
    CPlaySession &session = Play().Current()->Session();
    QCOMPARE(session.StateOf(*heat), kx::kStateActive);
    Mouse(view, QEvent::MouseButtonPress, On(view, *cool));
    QCOMPARE(session.StateOf(*cool), kx::kStateDown);
    Mouse(view, QEvent::MouseButtonRelease, On(view, *cool));
    // The radio group of the modes: cooling is chosen, heating no longer.
    QCOMPARE(session.StateOf(*cool), kx::kStateActive);
    QCOMPARE(session.StateOf(*heat), kx::kStateNormal);
    // The timer button is disabled: a click there reaches only the pointer's handler.
    CObjectData *timer = Object("Home", "OBTimer");
    Mouse(view, QEvent::MouseButtonPress, On(view, *timer));
    Mouse(view, QEvent::MouseButtonRelease, On(view, *timer));

    CPlayEventsModel *events = Play().EventsDock()->Model();
    QStringList rows;
    for (int row = 0; row < events->rowCount(); ++row) {
        rows << events->Text(row, CPlayEventsModel::kColumnTarget) + QLatin1Char('|')
                + events->Text(row, CPlayEventsModel::kColumnArguments)
                      .section(QStringLiteral(", "), -1)
                + QLatin1Char('|') + events->Text(row, CPlayEventsModel::kColumnHandler);
    }
    const QString pointer = CPlayEventsModel::tr("ポインタ");
    const QString clickCase
        = CPlayEventsModel::tr("%1（case %2）")
              .arg(QStringLiteral("DlgHome::ClickButton"), QStringLiteral("OBCool"));
    QCOMPARE(rows,
        QStringList({
            pointer + QStringLiteral("|KX_ACT_DOWN|DlgHome::MoveCursor"),
            QStringLiteral("OBCool|KX_ACT_DOWN|DlgHome::DownButton"),
            pointer + QStringLiteral("|KX_ACT_UP|DlgHome::MoveCursor"),
            QStringLiteral("OBCool|KX_ACT_UP|DlgHome::UpButton"),
            QStringLiteral("OBCool|KX_ACT_CLICK|") + clickCase,
            pointer + QStringLiteral("|KX_ACT_DOWN|DlgHome::MoveCursor"),
            pointer + QStringLiteral("|KX_ACT_UP|DlgHome::MoveCursor"),
        }));

    // The stubs are there in the generated class, under these names.
    QTemporaryDir out;
    kx::SkeletonSettings settings;
    settings.outputFolder = out.path().toStdString();
    settings.dialogScope = kx::kScopeAllDialogs;
    kx::RunGeneration(&m_frame->Project(), settings);
    QFile source(out.filePath(QStringLiteral("DlgHome.cpp")));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(source.readAll());
    for (const char *stub : {"void DlgHome::MoveCursor(", "void DlgHome::DownButton(",
             "void DlgHome::UpButton(", "void DlgHome::ClickButton(", "case OBCool:"})
        QVERIFY2(text.contains(QString::fromUtf8(stub)), stub);

    // A window closed while it plays takes the play with it.
    m_frame->CloseDialogAction()->trigger();
    Flush();
    Flush();
    QVERIFY(!Play().Current());
    QVERIFY(!Play().PlayAction()->isChecked());
    QVERIFY(!Play().EventsDock()->isVisible());
}

void PlayModeTest::InitialStatesIsASettingAndEditingGoesOn()
{
    QAction *initial = Play().InitialStatesAction();
    QVERIFY(!initial->isChecked());
    CKXDialogData *home = Dialog("Home");
    CKXDialogEditorView *view = m_frame->OpenDialogWindow(home);
    Flush();
    const QImage normal = Copy(view->Picture());
    initial->trigger();
    Flush();
    const kx::InitialStates states;
    QCOMPARE(Copy(view->Picture()), PaintedWith(view->Painter(), *home, &states));
    QVERIFY(Copy(view->Picture()) != normal);
    QVERIFY(QSettings(kx::EditorSettingsPath(), QSettings::IniFormat)
                .value(QStringLiteral("View/InitialStates"))
                .toBool());

    // Selecting and moving work as always, and are edits as always.
    CObjectData *heat = Object("Home", "OBHeat");
    const QPoint at = On(view, *heat);
    Mouse(view, QEvent::MouseButtonPress, at);
    Mouse(view, QEvent::MouseButtonRelease, at);
    QVERIFY(heat->IsSelected());
    const int x = heat->AbsoluteX();
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(heat->AbsoluteX(), x + 1);
    QVERIFY(m_frame->Project().IsModified());
    Flush();
    QCOMPARE(Copy(view->Picture()), PaintedWith(view->Painter(), *home, &states));

    // A play starts from the initial states and gives the canvas back in them.
    const QImage editing = Copy(view->Picture());
    Play().PlayAction()->trigger();
    Flush();
    QCOMPARE(Copy(view->Picture()), editing);
    Play().PlayAction()->trigger();
    Flush();
    QCOMPARE(Copy(view->Picture()), editing);

    // A window opened later, and the next start of the editor, draw the initial states too.
    m_frame->OpenDialogWindow(Dialog("Settings"));
    Flush();
    QCOMPARE(Copy(m_frame->ActiveView()->Picture()),
        PaintedWith(view->Painter(), *Dialog("Settings"), &states));
    CMainFrame next;
    QVERIFY(next.Play().InitialStatesAction()->isChecked());
    initial->trigger();
    Flush();
    QCOMPARE(Copy(view->Picture()), PaintedWith(view->Painter(), *home, nullptr));
}

QTEST_MAIN(PlayModeTest)
#include "play_mode_test.moc"
