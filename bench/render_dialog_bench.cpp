// Cost of a whole paint of a dialog as the canvas repaints it: the pattern, every object's kept
// picture and every text rasterized again. Two dialogs: the busiest one of the demo project and
// a 640 x 480 dialog of 200 buttons with widened pictures and texts in all five effects.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "platform/text_conversion.h"
#include "projectfile/project_reader.h"
#include "render/dialog_painter.h"
#include "render/dib_image_list.h"
#include "render/freetype_font.h"
#include "render/png_writer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string SystemFont(const std::string &name)
{
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator("/usr/share/fonts", error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error)
            break;
        if (it->path().filename() == name)
            return it->path().string();
    }
    return {};
}

// The demo project beside this source, or where KX_DEMO points.
std::string DemoProject()
{
    if (const char *path = std::getenv("KX_DEMO"))
        return path;
    return (fs::path(__FILE__).parent_path().parent_path() / "examples/demo/demo.xml").string();
}

// A project, its rasterizer and painter, and the dialog to paint.
struct Scene {
    CProjectContext project;
    kx::RecordingMessageSink messages;
    std::unique_ptr<CFreeTypeFont> fonts;
    std::unique_ptr<kx::DialogPainter> painter;
    CKXDialogData *dialog = nullptr;
    std::string error;

    void Start()
    {
        fonts = std::make_unique<CFreeTypeFont>(project, messages);
        painter = std::make_unique<kx::DialogPainter>(project, *fonts, messages);
    }
};

bool LoadDemo(Scene &scene)
{
    const std::string path = DemoProject();
    scene.project.SetPictureCache(std::make_unique<CDibImageList>());
    scene.project.SetProjectFolder(fs::absolute(path).parent_path().string());
    kx::ProjectReader reader(scene.project, scene.messages);
    if (!reader.ReadFile(path) || reader.ParseFailed()) {
        scene.error = "cannot read " + path;
        return false;
    }
    int most = -1;
    for (const auto &dialog : scene.project.Dialogs()) {
        const int count = dialog->RootGroup()->CountNodes();
        if (count > most) {
            most = count;
            scene.dialog = dialog.get();
        }
    }
    if (!scene.dialog) {
        scene.error = "the demo has no dialog";
        return false;
    }
    scene.Start();
    return true;
}

// A button picture 30 x 24: a shaded face with key-colour corners.
kx::Surface ButtonPicture(int hue)
{
    kx::Surface s(30, 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 30; ++x)
            s.SetPixel(x, y, kx::Rgb(40 + hue, 60 + y * 4, 200 - hue + x));
    }
    for (int x : {0, 29}) {
        for (int y : {0, 23})
            s.SetPixel(x, y, kx::kKeyColour);
    }
    return s;
}

// 640 x 480, 200 buttons in 20 rows of 10, five image definitions each with a font of its own
// effect (normal, shadow, outline, shadow and outline, stroke), texts in Latin and Japanese.
struct ButtonScene : Scene {
    fs::path folder;
    kx::Surface pictures[5];

    bool Build()
    {
        char pattern[] = "/tmp/kx-bench-XXXXXX";
        if (!::mkdtemp(pattern)) {
            error = "mkdtemp";
            return false;
        }
        folder = pattern;
        fs::create_directories(folder / "fonts");
        for (const char *name : {"DejaVuSans.ttf", "ipag.ttf"}) {
            const std::string source = SystemFont(name);
            if (source.empty()) {
                error = std::string(name) + " is not installed";
                return false;
            }
            fs::create_symlink(source, folder / "fonts" / name);
        }
        project.SetProjectFolder(folder.string());
        for (int effect = 0; effect < 5; ++effect) {
            auto font = std::make_unique<CFontData>();
            font->SetName("F" + std::to_string(effect));
            font->SetFile(effect % 2 ? "ipag.ttf" : "DejaVuSans.ttf");
            font->SetSize(16);
            font->SetEffect(effect);
            font->SetBold(effect == 3);
            font->SetBoldEffect(effect == 4);
            font->SetFaceId(project.Fonts().NextFaceId());
            project.Fonts().Add(font);

            pictures[effect] = ButtonPicture(effect * 30);
            auto image = std::make_unique<CImageData>();
            image->SetName("IB" + std::to_string(effect));
            image->SetType(kTypeButton);
            image->SetPicture(0, &pictures[effect]);
            image->SetFontName("F" + std::to_string(effect));
            image->SetSlotColour(0, "WHITE");
            image->SetSlotSubColour(0, "BLACK");
            image->SetMarginX(4);
            image->SetStretch(effect == 2 ? 1 : 0); // one kind shrinks its text to fit
            project.Images().Add(image);
        }
        auto dialog200 = std::make_unique<CKXDialogData>("Buttons", project.Prefixes());
        dialog200->SetSize(640, 480);
        for (int i = 0; i < 200; ++i) {
            CObjectData *button
                = dialog200->RootGroup()->CreateChild(kTypeButton, "OB" + std::to_string(i));
            button->SetPosition((i % 10) * 64 + 2, (i / 10) * 24);
            button->SetWidth(60);
            button->SetHeight(24);
            button->SetImage("IB" + std::to_string(i % 5));
            button->SetText(i % 2 ? kx::ToShiftJis("ボタン" + std::to_string(i))
                                  : "Button " + std::to_string(i));
        }
        dialog = dialog200.get();
        project.Dialogs().Add(dialog200);
        Start();
        return true;
    }

    ~ButtonScene()
    {
        std::error_code ignored;
        if (!folder.empty())
            fs::remove_all(folder, ignored);
    }
};

// Repaints: the first paint (outside the timing) keeps the object pictures and fills the
// caches, as on screen after the dialog has been shown once.
void Repaint(benchmark::State &state, Scene &scene)
{
    kx::Surface surface(scene.dialog->Width(), scene.dialog->Height());
    scene.painter->PaintDialog(surface, *scene.dialog);
    for (auto _ : state) {
        scene.painter->PaintDialog(surface, *scene.dialog);
        benchmark::ClobberMemory();
    }
}

void BM_DemoBusiestDialog(benchmark::State &state)
{
    Scene scene;
    if (!LoadDemo(scene)) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    state.SetLabel(scene.dialog->Name());
    Repaint(state, scene);
}

void BM_Buttons200(benchmark::State &state)
{
    ButtonScene scene;
    if (!scene.Build()) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    // KX_BENCH_SHOT=file.png keeps a picture of the dialog, to see what is measured.
    if (const char *shot = std::getenv("KX_BENCH_SHOT")) {
        kx::Surface surface(640, 480);
        scene.painter->PaintDialog(surface, *scene.dialog);
        kx::WritePng(surface, shot);
    }
    Repaint(state, scene);
}

// The same with every glyph rendered anew by FreeType on every paint.
void BM_Buttons200WithoutGlyphCache(benchmark::State &state)
{
    ButtonScene scene;
    if (!scene.Build()) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    scene.fonts->SetGlyphCacheEnabled(false);
    Repaint(state, scene);
}

// The first paint of the 200 buttons: fresh rasterizer (faces opened, no glyph kept) and no
// object picture kept.
void BM_Buttons200FirstPaint(benchmark::State &state)
{
    ButtonScene scene;
    if (!scene.Build()) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    kx::Surface surface(640, 480);
    for (auto _ : state) {
        state.PauseTiming();
        for (CObjectData *object : scene.dialog->RootGroup()->Children())
            object->DiscardCachedPicture();
        scene.Start();
        state.ResumeTiming();
        scene.painter->PaintDialog(surface, *scene.dialog);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_DemoBusiestDialog)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_Buttons200)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_Buttons200WithoutGlyphCache)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_Buttons200FirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(5);
