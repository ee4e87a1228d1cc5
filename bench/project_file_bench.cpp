// Loading and saving a large project (20 dialogs of 500 objects), each next to what the libraries
// underneath need for the same bytes: Expat parsing with no handlers, and one fwrite.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// 20 dialogs, each with 25 groups of 19 objects of every type: 500 objects and groups a dialog.
void Build(CProjectContext &project)
{
    for (int i = 0; i < 4; ++i) {
        auto image = std::make_unique<CImageData>();
        image->SetName("IB" + std::to_string(i));
        image->SetSlotFile(0, "button.png", nullptr);
        image->SetSlotColour(0, "WHITE");
        image->SetFontName("F0");
        project.Images().Add(image);
    }
    auto font = std::make_unique<CFontData>();
    font->SetName("F0");
    font->SetFile("ipag.ttf");
    project.Fonts().Add(font);
    for (int d = 0; d < 20; ++d) {
        auto dialog = std::make_unique<CKXDialogData>("D", project.Prefixes());
        dialog->SetName("D" + std::to_string(d));
        dialog->SetTitle("\x90\xDD\x92\xE8 Settings"); // Japanese and ASCII
        for (int g = 0; g < 25; ++g) {
            auto *group = static_cast<CObjectDataList *>(
                dialog->RootGroup()->CreateChild(kTypeGroup, "G" + std::to_string(g)));
            for (int o = 0; o < 19; ++o) {
                CObjectData *object
                    = group->CreateChild(o % 8, "O" + std::to_string(g) + "_" + std::to_string(o));
                object->SetPosition(o * 12, g * 9);
                object->SetWidth(90);
                object->SetHeight(30);
                object->SetImage("IB1");
                object->SetFont("F0");
                object->SetText("\x83\x5E\x83\x43\x83\x7D\x81\x5B & <OK>");
                object->SetImageFile("picture.png");
            }
        }
        project.Dialogs().Add(dialog);
    }
}

const std::string &ProjectText()
{
    static const std::string text = [] {
        CProjectContext project;
        Build(project);
        return kx::FormatProject(project);
    }();
    return text;
}

void BM_LoadProject(benchmark::State &state)
{
    const std::string &text = ProjectText();
    for (auto _ : state) {
        state.PauseTiming();
        auto project = std::make_unique<CProjectContext>();
        state.ResumeTiming();
        kx::RecordingMessageSink messages;
        kx::ProjectReader reader(*project, messages);
        benchmark::DoNotOptimize(reader.ReadContent(text, "bench.xml"));
        state.PauseTiming();
        project.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ExpatParseOnly(benchmark::State &state)
{
    const std::string &text = ProjectText();
    for (auto _ : state) {
        XML_Parser parser = XML_ParserCreate("UTF-8");
        benchmark::DoNotOptimize(
            XML_Parse(parser, text.data(), static_cast<int>(text.size()), XML_TRUE));
        XML_ParserFree(parser);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

std::string TempPath(const char *name)
{
    return (std::filesystem::temp_directory_path()
        / (std::string(name) + std::to_string(getpid()) + ".xml"))
        .string();
}

void BM_SaveProject(benchmark::State &state)
{
    CProjectContext project;
    Build(project);
    const std::string path = TempPath("kxbench-save");
    for (auto _ : state)
        benchmark::DoNotOptimize(kx::WriteProject(project, path));
    // KX_BENCH_PROJECT=file keeps the project for measuring other tools on it.
    if (const char *keep = std::getenv("KX_BENCH_PROJECT"))
        std::filesystem::copy_file(path, keep, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ProjectText().size()));
}

void BM_SingleFwrite(benchmark::State &state)
{
    const std::string &text = ProjectText();
    const std::string path = TempPath("kxbench-fwrite");
    for (auto _ : state) {
        std::FILE *file = std::fopen(path.c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(text.data(), 1, text.size(), file));
        std::fclose(file);
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpatParseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleFwrite)->Unit(benchmark::kMillisecond);
