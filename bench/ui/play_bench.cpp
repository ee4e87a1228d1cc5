// Play mode on a dialog of 2,000 objects: from the mouse event of a press (or a release) on a
// button to the finished paint of its other picture, and from a typed character in an edit box
// to the finished paint of its text. The view paints only the objects a state change touches.
#include "ui/ui_bench_support.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/surface.h"
#include "ui/app/main_frame.h"
#include "ui/app/play_commands.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/canvas/play_mode.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

constexpr int kObjects = 2000;

// A picture of one colour, as a decoded file would be.
kx::Surface Plain(int width, int height, std::uint32_t colour)
{
    kx::Surface surface(width, height);
    surface.Fill(colour);
    return surface;
}

struct Editor {
    kx::RecordingMessageSink messages;
    CMainFrame frame;
    kx::Surface normal = Plain(18, 9, kx::Rgb(40, 90, 200));
    kx::Surface pushed = Plain(18, 9, kx::Rgb(20, 40, 110));
    kx::Surface field = Plain(120, 20, kx::Rgb(250, 250, 250));
    kx::Surface focused = Plain(120, 20, kx::Rgb(200, 220, 255));
    CKXDialogData *dialog = nullptr;
    CKXDialogEditorView *view = nullptr;
    CObjectData *button = nullptr;
    CObjectData *box = nullptr;

    Editor()
    {
        frame.SetMessageSink(&messages);
        frame.show();
        dialog = kx::bench::BuildLargeProject(frame, kObjects);
        CProjectContext &project = frame.Project();
        // The buttons get a Normal and a Push picture; the last button becomes an edit box with
        // a Normal and a Focus picture, so the dialog still holds 2,000 objects.
        CImageData *buttons = project.Images().FindLastByName("IB");
        buttons->SetPicture(0, &normal);
        buttons->SetPicture(4, &pushed);
        auto editImage = std::make_unique<CImageData>();
        editImage->SetName("IE");
        editImage->SetType(kTypeEditbox);
        editImage->SetFontName("F");
        editImage->SetPicture(0, &field);
        editImage->SetPicture(3, &focused);
        project.Images().Add(editImage);
        CObjectDataList *root = dialog->RootGroup();
        for (int i = root->CountNodes() - 1; i > 0 && !box; --i) {
            CObjectData *o = root->ObjectAt(i);
            if (o->Type() == kTypeButton) {
                box = o;
                box->SetType(kTypeEditbox);
                box->SetImage("IE");
                box->SetWidth(120);
                box->SetClick(true);
            }
        }
        button = root->FindByName("OB555");
        frame.ProjectLoaded();
        view = frame.OpenDialogWindow(dialog);
        kx::bench::Settle();
        frame.Play().PlayAction()->trigger();
        kx::bench::Settle();
    }
    CPlaySession &Session() { return frame.Play().Current()->Session(); }
    void Mouse(QEvent::Type type, const CObjectData &object)
    {
        const QPointF at = view->ToWidget(object.GetRect()).center();
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(view, &event);
    }
    void Key(int key, const QString &text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(view, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(view, &release);
    }
    // The colour the canvas shows in the middle of the object.
    std::uint32_t Shown(const CObjectData &object) const
    {
        const kx::KXRect r = object.GetRect();
        const QColor c = view->Picture().pixelColor(r.left + 1, r.top + 1);
        return kx::Rgb(c.red(), c.green(), c.blue());
    }
};

void PressOrRelease(benchmark::State &state, bool press)
{
    Editor editor;
    int shownPushed = 0;
    for (auto _ : state) {
        if (!press) {
            state.PauseTiming();
            editor.Mouse(QEvent::MouseButtonPress, *editor.button);
            kx::bench::Settle();
            state.ResumeTiming();
        }
        editor.Mouse(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, *editor.button);
        kx::bench::Settle();
        state.PauseTiming();
        shownPushed += editor.Shown(*editor.button) == kx::Rgb(20, 40, 110);
        if (press) {
            editor.Mouse(QEvent::MouseButtonRelease, *editor.button);
            kx::bench::Settle();
        }
        state.ResumeTiming();
    }
    // Pressed, every press shows the Push picture; released, none does.
    state.counters["shown pushed"]
        = benchmark::Counter(shownPushed, benchmark::Counter::kAvgIterations);
    int objects = 0;
    CObjectDataList *root = editor.dialog->RootGroup();
    for (int i = 1; i < root->CountNodes(); ++i)
        objects += !root->ObjectAt(i)->IsGroup();
    state.counters["objects"] = objects;
}

void BM_PlayPressToPaint(benchmark::State &state)
{
    PressOrRelease(state, true);
}
BENCHMARK(BM_PlayPressToPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PlayReleaseToPaint(benchmark::State &state)
{
    PressOrRelease(state, false);
}
BENCHMARK(BM_PlayReleaseToPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PlayTypedCharacterToPaint(benchmark::State &state)
{
    Editor editor;
    editor.Mouse(QEvent::MouseButtonPress, *editor.box);
    editor.Mouse(QEvent::MouseButtonRelease, *editor.box);
    kx::bench::Settle();
    for (auto _ : state) {
        editor.Key(Qt::Key_A, QStringLiteral("a"));
        kx::bench::Settle();
        state.PauseTiming();
        editor.Key(Qt::Key_Backspace);
        kx::bench::Settle();
        state.ResumeTiming();
    }
    state.counters["focused"] = editor.Session().EditBox() == editor.box;
    editor.Key(Qt::Key_A, QStringLiteral("a"));
    state.counters["typed"] = editor.Session().EditText().size();
}
BENCHMARK(BM_PlayTypedCharacterToPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
