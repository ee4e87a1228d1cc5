// A whole generation run (every file, every dialog) over a project of 100 dialogs of 100 objects,
// into an empty folder each time.
#include "codegen/skeleton_generator.h"
#include "model/object_data_list.h"
#include "model/project_context.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void Build(CProjectContext &project)
{
    project.Root().SetProjectName("Bench");
    auto image = std::make_unique<CImageData>();
    image->SetName("IB1");
    image->SetFontName("F0");
    project.Images().Add(image);
    auto font = std::make_unique<CFontData>();
    font->SetName("F0");
    font->SetFile("ipag.ttf");
    project.Fonts().Add(font);
    for (int d = 0; d < 100; ++d) {
        auto dialog = std::make_unique<CKXDialogData>("D", project.Prefixes());
        dialog->SetName("D" + std::to_string(d));
        for (int g = 0; g < 10; ++g) {
            auto *group = static_cast<CObjectDataList *>(
                dialog->RootGroup()->CreateChild(kTypeGroup, "G" + std::to_string(g)));
            for (int o = 0; o < 9; ++o) {
                CObjectData *object
                    = group->CreateChild(o % 8, "O" + std::to_string(g) + "_" + std::to_string(o));
                object->SetPosition(o * 12, g * 9);
                object->SetWidth(90);
                object->SetHeight(30);
                object->SetImage("IB1");
                object->SetFont("F0");
                object->SetText("\x83\x5E\x83\x43\x83\x7D\x81\x5B");
                object->SetImageFile("picture.png");
            }
        }
        project.Dialogs().Add(dialog);
    }
}

std::uintmax_t FolderBytes(const fs::path &folder)
{
    std::uintmax_t bytes = 0;
    for (const auto &entry : fs::directory_iterator(folder))
        bytes += entry.file_size();
    return bytes;
}

void BM_GenerationRun(benchmark::State &state)
{
    CProjectContext project;
    Build(project);
    const fs::path folder = fs::temp_directory_path() / ("kxbench-gen" + std::to_string(getpid()));
    kx::SkeletonSettings settings;
    settings.outputFolder = folder.string();
    settings.writeMain = true;
    settings.writeProjectFile = true;
    settings.dialogScope = kx::kScopeAllDialogs;
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder);
        fs::create_directories(folder);
        state.ResumeTiming();
        benchmark::DoNotOptimize(kx::RunGeneration(&project, settings));
        state.PauseTiming();
        bytes = FolderBytes(folder);
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.counters["bytes_written"] = static_cast<double>(bytes);
    state.counters["files"] = 4 * 100 + 8;
}

} // namespace

BENCHMARK(BM_GenerationRun)->Unit(benchmark::kMillisecond);
