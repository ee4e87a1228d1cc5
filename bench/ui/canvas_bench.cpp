// The canvas on a dialog of 2,000 objects: one mouse-move step of a drag of 100 selected objects
// (live preview and the repaint of what changed), without and with smart guides, undo and redo of
// such a move, and copy and paste of 500 objects.
#include "ui/ui_bench_support.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/edit_commands.h"
#include "ui/document/kx_dialog_editor_doc.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kObjects = 2000;

struct Editor {
    kx::RecordingMessageSink messages;
    CMainFrame frame;
    CKXDialogData *dialog = nullptr;
    CKXDialogEditorView *view = nullptr;

    Editor()
    {
        frame.SetMessageSink(&messages);
        frame.show();
        dialog = kx::bench::BuildLargeProject(frame, kObjects);
        view = frame.OpenDialogWindow(dialog);
        kx::bench::Settle();
    }
    CCanvasInteraction &Canvas() { return *view->Interaction(); }
    // A plain click on an object of the first group takes the whole group: 100 objects. The
    // point lies inside the selection's frame, away from its handle bands, so that a second
    // press there drags the group. Answers that point.
    QPoint PressFirstGroup()
    {
        const kx::KXRect r = dialog->RootGroup()->ObjectAt(14)->GetRect();
        const QPoint at(r.left + 9, r.top + 4);
        Canvas().Press(at.x(), at.y(), {});
        return at;
    }
};

void DragSteps(benchmark::State &state, bool guides)
{
    Editor editor;
    editor.view->SetSnapping(guides, false);
    const QPoint at = editor.PressFirstGroup();
    editor.Canvas().Release(at.x(), at.y(), {});
    editor.Canvas().Press(at.x(), at.y(), {});
    editor.Canvas().Move(at.x() + 20, at.y() + 20); // past the threshold
    kx::bench::Settle();
    int step = 0;
    for (auto _ : state) {
        ++step;
        editor.Canvas().Move(at.x() + 20 + step % 7, at.y() + 20 + step % 5);
        kx::bench::Settle();
    }
    state.counters["selected"] = editor.dialog->RootGroup()->CountSelected();
    state.counters["dragging"] = editor.Canvas().HitCode() == kHitInside;
    editor.Canvas().Release(at.x() + 20, at.y() + 20, {});
}

void BM_DragStepOf100Objects(benchmark::State &state)
{
    DragSteps(state, false);
}
BENCHMARK(BM_DragStepOf100Objects)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same with the selection snapping to the other 1,900 objects and the dialog, the guides and
// distances drawn over the canvas.
void BM_DragStepOf100ObjectsWithSmartGuides(benchmark::State &state)
{
    DragSteps(state, true);
}
BENCHMARK(BM_DragStepOf100ObjectsWithSmartGuides)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A drag of the 100 objects, committed; then each iteration steps back (or forward) over it.
void UndoRedo(benchmark::State &state, bool undo)
{
    Editor editor;
    const QPoint at = editor.PressFirstGroup();
    editor.Canvas().Move(at.x() + 40, at.y() + 30);
    editor.Canvas().Release(at.x() + 40, at.y() + 30, {});
    kx::bench::Settle();
    CKXDialogEditorDoc &document = *editor.view->Document();
    state.counters["steps"] = editor.dialog->History().Index();
    for (auto _ : state) {
        if (!undo) {
            state.PauseTiming();
            document.Undo();
            kx::bench::Settle();
            state.ResumeTiming();
        }
        undo ? document.Undo() : document.Redo();
        kx::bench::Settle();
        if (undo) {
            state.PauseTiming();
            document.Redo();
            kx::bench::Settle();
            state.ResumeTiming();
        }
    }
}

void BM_UndoOfTheMove(benchmark::State &state)
{
    UndoRedo(state, true);
}
BENCHMARK(BM_UndoOfTheMove)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RedoOfTheMove(benchmark::State &state)
{
    UndoRedo(state, false);
}
BENCHMARK(BM_RedoOfTheMove)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CopyAndPasteOf500Objects(benchmark::State &state)
{
    Editor editor;
    CObjectDataList *root = editor.dialog->RootGroup();
    root->DeselectAll();
    for (int g = 0; g < 5; ++g)
        root->ChildAt(g)->SetSelected(true); // five groups of 100
    CEditCommands &edit = editor.frame.EditCommands();
    for (auto _ : state) {
        edit.Copy();
        edit.Paste();
        kx::bench::Settle();
        state.PauseTiming();
        // Back to 2,000 objects, and the same 500 selected again.
        edit.Undo();
        root->DeselectAll();
        for (int g = 0; g < 5; ++g)
            root->ChildAt(g)->SetSelected(true);
        kx::bench::Settle();
        state.ResumeTiming();
    }
    state.counters["copied"] = 500;
}
BENCHMARK(BM_CopyAndPasteOf500Objects)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
