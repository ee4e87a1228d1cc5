// The property fields on a dialog of 2,000 objects: one commit of a field of an object, with all
// it brings about (the model written, the history step, the object list's row, the canvas
// painted where the object changed), and one commit of a field on 500 selected objects and its
// undo.
#include "ui/ui_bench_support.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/kx_dialog_editor_doc.h"
#include "ui/panels/object_list_ctrl.h"
#include "ui/panels/property_controls.h"
#include "ui/panels/resource_dlg.h"

#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

constexpr int kObjects = 2000;

struct Editor {
    kx::RecordingMessageSink messages;
    CMainFrame frame;
    CKXDialogData *dialog = nullptr;
    CObjectData *object = nullptr;

    Editor()
    {
        frame.SetMessageSink(&messages);
        frame.show();
        dialog = kx::bench::BuildLargeProject(frame, kObjects);
        frame.OpenDialogWindow(dialog);
        // A text in the middle of the tree, shown in the object tab as a user would pick it.
        Panel().SetMode(CResourceDlg::kModeObject);
        object = dialog->RootGroup()->FindByName("OT1000");
        Panel().ClickObjectRow(Panel().ObjectList()->RowOf(object));
        kx::bench::Settle();
    }
    CResourceDlg &Panel() { return *frame.ResourcePanel(); }
    const CPropertyPanel::Widgets &Fields() { return Panel().Properties()->Controls(); }

    // Types the text into the field and leaves it.
    static void Type(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        edit->setModified(true);
        emit edit->editingFinished();
    }
};

void BM_CommitObjectText(benchmark::State &state)
{
    Editor editor;
    int k = 0;
    for (auto _ : state) {
        Editor::Type(editor.Fields().text, QStringLiteral("T%1").arg(k++ % 2));
        kx::bench::Settle();
    }
    state.counters["steps"] = editor.dialog->History().Count();
}
BENCHMARK(BM_CommitObjectText)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CommitObjectPosition(benchmark::State &state)
{
    Editor editor;
    const int x = editor.object->AbsoluteX();
    int k = 0;
    for (auto _ : state) {
        // The object moves inside its group, which takes its children's bounds again.
        Editor::Type(editor.Fields().x, QString::number(x + (k++ % 2) * 5));
        kx::bench::Settle();
    }
    state.counters["steps"] = editor.dialog->History().Count();
}
BENCHMARK(BM_CommitObjectPosition)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CommitObjectColour(benchmark::State &state)
{
    Editor editor;
    int k = 0;
    for (auto _ : state) {
        const int colour = 1 + k++ % 2;
        editor.Fields().colour->setCurrentIndex(colour);
        emit editor.Fields().colour->activated(colour);
        kx::bench::Settle();
    }
    state.counters["steps"] = editor.dialog->History().Count();
}
BENCHMARK(BM_CommitObjectColour)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Half the objects of each inner group of the first ten groups selected, texts and buttons: the
// fields show the 500 objects, and a text typed goes to all of them.
struct Selection500 : Editor {
    CKXDialogEditorDoc *document = nullptr;

    Selection500()
    {
        // Selected on the canvas, they are shown in the dialog tab.
        Panel().SetMode(CResourceDlg::kModeDialog);
        document = frame.ActiveView()->Document();
        Select();
    }
    void Select()
    {
        CObjectDataList *root = dialog->RootGroup();
        root->DeselectAll();
        CObjectData *first = nullptr;
        for (int g = 0; g < 10; ++g) {
            for (CObjectData *inner :
                static_cast<CObjectDataList *>(root->ChildAt(g))->Children()) {
                for (int i = 0; i < 5; ++i) {
                    CObjectData *object = static_cast<CObjectDataList *>(inner)->ChildAt(i);
                    object->SetSelected(true);
                    first = first ? first : object;
                }
            }
        }
        document->SetCurrent(first);
        document->Notify(kChangeSelection);
        kx::bench::Settle();
    }
};

void BM_CommitTextOf500Objects(benchmark::State &state)
{
    Selection500 editor;
    int k = 0;
    for (auto _ : state) {
        Editor::Type(editor.Fields().text, QStringLiteral("T%1").arg(k++ % 2));
        kx::bench::Settle();
    }
    state.counters["selected"]
        = static_cast<double>(editor.Panel().Properties()->Selection().size());
    state.counters["steps"] = editor.dialog->History().Count();
}
BENCHMARK(BM_CommitTextOf500Objects)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_UndoOfTheCommitOf500Objects(benchmark::State &state)
{
    Selection500 editor;
    Editor::Type(editor.Fields().text, QStringLiteral("All"));
    kx::bench::Settle();
    for (auto _ : state) {
        editor.document->Undo();
        kx::bench::Settle();
        state.PauseTiming();
        editor.document->Redo();
        kx::bench::Settle();
        state.ResumeTiming();
    }
    state.counters["steps"] = editor.dialog->History().Index();
}
BENCHMARK(BM_UndoOfTheCommitOf500Objects)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
