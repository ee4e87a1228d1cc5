// The property fields on a dialog of 2,000 objects: one commit of a field of an object, with all
// it brings about (the model written, the history step, the object list's row, the canvas
// painted where the object changed).
#include "ui/ui_bench_support.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
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

} // namespace
