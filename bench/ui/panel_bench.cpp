// The resource panel on a dialog of 10,000 objects in nested groups: opening the object tab,
// choosing an object in the tree and adding an object, each with the repaint that follows.
#include "ui/ui_bench_support.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/panels/resource_dlg.h"

#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int kObjects = 10000;

struct Editor {
    kx::RecordingMessageSink messages;
    CMainFrame frame;
    CKXDialogData *dialog = nullptr;

    Editor()
    {
        frame.SetMessageSink(&messages);
        frame.show();
        dialog = kx::bench::BuildLargeProject(frame, kObjects);
        frame.OpenDialogWindow(dialog);
        kx::bench::Settle();
    }
    CResourceDlg &Panel() { return *frame.ResourcePanel(); }
};

void BM_OpenObjectTab(benchmark::State &state)
{
    Editor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.Panel().SetMode(CResourceDlg::kModeDialog);
        kx::bench::Settle();
        state.ResumeTiming();
        editor.Panel().SetMode(CResourceDlg::kModeObject);
        kx::bench::Settle();
    }
}
BENCHMARK(BM_OpenObjectTab)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SelectObjectInTree(benchmark::State &state)
{
    Editor editor;
    editor.Panel().SetMode(CResourceDlg::kModeDialog);
    int k = 0;
    for (auto _ : state) {
        // Objects all over the tree, deep in their groups.
        CObjectData *object = editor.dialog->RootGroup()->ObjectAt(1 + (k++ * 7919) % kObjects);
        editor.Panel().ClickTreeItem(editor.Panel().ItemOf(object));
        kx::bench::Settle();
    }
}
BENCHMARK(BM_SelectObjectInTree)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_AddObject(benchmark::State &state)
{
    Editor editor;
    editor.Panel().SetMode(CResourceDlg::kModeObject);
    for (auto _ : state) {
        editor.Panel().AddType(1 + kTypeText);
        kx::bench::Settle();
    }
}
BENCHMARK(BM_AddObject)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
