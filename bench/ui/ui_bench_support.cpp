#include "ui/ui_bench_support.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include <unistd.h>

namespace kx::bench {

CKXDialogData *BuildLargeProject(CMainFrame &frame, int objects)
{
    CProjectContext &project = frame.Project();
    // The texts are drawn with an installed font, linked into a project folder of the run's own.
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("kx-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "fonts");
    std::error_code ignored;
    std::filesystem::create_symlink("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        folder / "fonts/DejaVuSans.ttf", ignored);
    project.SetProjectFolder(folder.string());
    auto font = std::make_unique<CFontData>();
    font->SetName("F");
    font->SetFile("DejaVuSans.ttf");
    font->SetSize(16);
    project.Fonts().Add(font);
    auto image = std::make_unique<CImageData>();
    image->SetName("IB");
    image->SetFontName("F");
    project.Images().Add(image);
    auto dialog = std::make_unique<CKXDialogData>("Big", project.Prefixes());
    dialog->SetSize(1920, 1080);
    CKXDialogData *big = dialog.get();
    project.Dialogs().Add(dialog);

    CObjectDataList *root = big->RootGroup();
    int made = 0;
    for (int g = 0; made < objects; ++g) {
        auto *outer = static_cast<CObjectDataList *>(
            root->CreateChild(kTypeGroup, "OGROUP" + std::to_string(g)));
        outer->SetPosition((g % 10) * 190, (g / 10 % 10) * 100);
        for (int h = 0; h < 10 && made < objects; ++h) {
            auto *inner = static_cast<CObjectDataList *>(outer->CreateChild(
                kTypeGroup, "OGROUP" + std::to_string(g) + "_" + std::to_string(h)));
            inner->SetPosition(0, h * 10);
            for (int i = 0; i < 10 && made < objects; ++i, ++made) {
                const bool text = made % 2 == 0;
                CObjectData *o = inner->CreateChild(
                    text ? kTypeText : kTypeButton, (text ? "OT" : "OB") + std::to_string(made));
                o->SetPosition(i * 19, 0);
                o->SetWidth(18);
                o->SetHeight(9);
                o->SetFont("F");
                if (text)
                    o->SetText("T");
                else
                    o->SetImage("IB");
            }
        }
    }
    big->SaveUndoInfo();
    frame.ProjectLoaded();
    return big;
}

void Settle()
{
    QCoreApplication::processEvents();
}

} // namespace kx::bench

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
