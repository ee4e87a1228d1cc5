// Cost of recording one change in a large dialog, with a short and with a long history.
#include "history/undo_buffer.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <vector>

namespace {

// 40 groups of 4 groups of 12 buttons: 2,120 objects and groups in all.
std::vector<CObjectData *> BuildDialog(CKXDialogData &dialog)
{
    std::vector<CObjectData *> leaves;
    CObjectDataList &root = *dialog.RootGroup();
    for (int g = 0; g < 40; ++g) {
        auto *outer = static_cast<CObjectDataList *>(root.CreateChild(kTypeGroup, "G"));
        for (int h = 0; h < 4; ++h) {
            auto *inner = static_cast<CObjectDataList *>(outer->CreateChild(kTypeGroup, "H"));
            for (int i = 0; i < 12; ++i) {
                CObjectData *button = inner->CreateChild(kTypeButton, "OB");
                button->SetPosition(i * 10, h * 10);
                button->SetWidth(8);
                leaves.push_back(button);
            }
        }
    }
    return leaves;
}

// Bytes of the heap in use, to tell what the history itself holds.
double HeapInUse()
{
    return static_cast<double>(mallinfo2().uordblks);
}

long PeakRssKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_SaveUndoInfoAfterOneMove(benchmark::State &state)
{
    const kx::PrefixSettings prefixes;
    CKXDialogData dialog("D", prefixes);
    const std::vector<CObjectData *> leaves = BuildDialog(dialog);
    dialog.SaveUndoInfo();
    const double heapBefore = HeapInUse();
    const int records = static_cast<int>(state.range(0));
    for (int r = 1; r < records; ++r) {
        leaves[static_cast<std::size_t>(r * 37) % leaves.size()]->SetPosition(r % 500, 1);
        dialog.SaveUndoInfo();
    }
    state.counters["records"] = dialog.History().Count();
    state.counters["objects"] = dialog.RootGroup()->CountNodes();
    state.counters["history_MiB"] = (HeapInUse() - heapBefore) / (1024.0 * 1024.0);
    state.counters["process_peak_rss_MiB"] = static_cast<double>(PeakRssKiB()) / 1024.0;

    CObjectData *moved = leaves[leaves.size() / 2];
    int x = 1000;
    for (auto _ : state) {
        moved->SetPosition(++x, 0);
        dialog.SaveUndoInfo();
        state.PauseTiming();
        dialog.History().Undo(); // keep the history at its size; the next save drops this step
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_SaveUndoInfoAfterOneMove)->Arg(10)->Arg(5000)->Unit(benchmark::kMicrosecond);
