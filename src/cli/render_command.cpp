// kxdialog render: draws dialogs of a project as the editor's canvas does and writes them as PNG
// files.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "render/dialog_painter.h"
#include "render/dib_image_list.h"
#include "render/freetype_font.h"
#include "render/object_states.h"
#include "render/png_writer.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kx::cli {

namespace {

constexpr Text kRenderUsage
    = {R"(Usage: kxdialog render PROJECT.xml [--dialog NAME | --all-dialogs] -o OUT
                      [--state ATTR] [--scale N]
Draws dialogs of the project as the editor's canvas shows them and writes each as a 24-bit PNG.

  --dialog NAME    the dialog to draw (default: the project's first dialog)
  --all-dialogs    every dialog; OUT is then a folder that receives "<dialog name>.png"
  -o, --output OUT the PNG file to write, or the folder for --all-dialogs
  --state ATTR     draw buttons and edit boxes as if in this state (Normal, Disable, Active,
                   Focus, Down or Push, ActDown or ActPush) where their image has a picture
                   for it; "initial" draws every object in its own initial state ("Attr"), as
                   the editor's play mode starts, leaving out the objects that start hidden
  --scale N        enlarge the pictures N times (1 to 16) by repeating pixels
  -h, --help       show this help

Messages of the drawing (missing fonts, for example) go to standard error and do not change the
exit status: 0 when every dialog asked for was written, 1 when the project cannot be read, a
dialog does not exist or a file cannot be written, 2 for wrong arguments.
)",
        R"(使い方: kxdialog render PROJECT.xml [--dialog NAME | --all-dialogs] -o OUT
                      [--state ATTR] [--scale N]
プロジェクトのダイアログをエディタのキャンバスと同じように描き、それぞれ 24 ビットの PNG に
書き出します。

  --dialog NAME    描くダイアログ (既定: プロジェクトの最初のダイアログ)
  --all-dialogs    すべてのダイアログ。OUT はフォルダで、"<ダイアログ名>.png" を受け取ります
  -o, --output OUT 書き出す PNG ファイル、または --all-dialogs のときのフォルダ
  --state ATTR     ボタンとエディット ボックスを、イメージにその状態の画像があればその状態
                   (Normal, Disable, Active, Focus, Down または Push, ActDown または ActPush)
                   で描きます。"initial" は各オブジェクトをそれぞれの初期状態 ("Attr") で、
                   エディタのプレイ モードの開始と同じように描き、隠れて始まるオブジェクトは
                   描きません
  --scale N        画素を繰り返して N 倍 (1 から 16) に拡大します
  -h, --help       このヘルプを表示します

描画のメッセージ (フォントが見つからないなど) は標準エラーに出し、終了ステータスは変えません:
求めたダイアログをすべて書き出せば 0、プロジェクトを読み込めない、ダイアログが存在しない、
またはファイルを書き込めなければ 1、引数の誤りは 2。
)"};

constexpr int kMaxScale = 16;
// The --state word that draws each object in its own initial state.
constexpr std::string_view kInitialWord = "initial";

struct RenderOptions {
    std::string project;
    std::string dialog;
    bool allDialogs = false;
    std::string output;
    int state = -1;
    bool initialStates = false;
    int scale = 1;
};

int UsageError(const Text &problem, std::string_view detail = "")
{
    const std::string text(detail);
    std::fprintf(stderr, "kxdialog render: %s%s\n%s", Tr(problem), text.c_str(),
        Tr({"Try \"kxdialog render --help\".\n", "\"kxdialog render --help\" をご覧ください。\n"}));
    return kExitUsage;
}

// Index of a state word of objects or of button pictures; -1 for an unknown word.
int StateIndex(std::string_view word)
{
    const int state = ObjectStates().Find(word);
    return state >= 0 ? state : ImageSlotWords(0).Find(word);
}

std::optional<int> ParseScale(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc {} || end != text.data() + text.size() || value < 1 || value > kMaxScale)
        return std::nullopt;
    return value;
}

// Reads the arguments into options; answers kExitOk or the status to end with.
int ParseArguments(std::span<char *const> args, RenderOptions &options)
{
    bool haveDialog = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value
            = [&]() -> const char * { return i + 1 < args.size() ? args[++i] : nullptr; };
        if (arg == "--dialog") {
            const char *name = value();
            if (!name)
                return UsageError(
                    {"--dialog needs a dialog name", "--dialog にはダイアログの名前が必要です"});
            options.dialog = name;
            haveDialog = true;
        } else if (arg == "--all-dialogs") {
            options.allDialogs = true;
        } else if (arg == "-o" || arg == "--output") {
            const char *out = value();
            if (!out)
                return UsageError(
                    {"-o needs a file or folder", "-o にはファイルかフォルダが必要です"});
            options.output = out;
        } else if (arg == "--state") {
            const char *word = value();
            if (!word)
                return UsageError({"--state needs a state", "--state には状態が必要です"});
            options.initialStates = EqualsNoCase(word, kInitialWord);
            options.state = options.initialStates ? -1 : StateIndex(word);
            if (options.state < 0 && !options.initialStates)
                return UsageError({"unknown state ", "次の状態はありません: "}, word);
        } else if (arg == "--scale") {
            const char *text = value();
            const std::optional<int> scale = text ? ParseScale(text) : std::nullopt;
            if (!scale)
                return UsageError({"--scale needs a whole number from 1 to 16",
                    "--scale には 1 から 16 の整数が必要です"});
            options.scale = *scale;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError({"unknown option ", "次のオプションはありません: "}, arg);
        } else if (options.project.empty()) {
            options.project = arg;
        } else {
            return UsageError(
                {"more than one project given: ", "プロジェクトが 2 つ以上指定されています: "},
                arg);
        }
    }
    if (options.project.empty())
        return UsageError({"no project given", "プロジェクトが指定されていません"});
    if (options.output.empty())
        return UsageError({"no output given (-o)", "出力 (-o) が指定されていません"});
    if (haveDialog && options.allDialogs)
        return UsageError({"--dialog and --all-dialogs exclude each other",
            "--dialog と --all-dialogs は同時に指定できません"});
    return kExitOk;
}

// A file name made from a dialog name: characters that would leave the folder or break a line
// become "_".
std::string FileNameFor(const std::string &dialog)
{
    std::string name = dialog;
    for (char &c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        name.insert(0, "_");
    return name + ".png";
}

bool RenderOne(DialogPainter &painter, CKXDialogData &dialog, int scale, const std::string &path)
{
    Surface canvas(dialog.Width(), dialog.Height());
    if (canvas.IsEmpty()) {
        std::fprintf(stderr,
            Tr({"kxdialog render: dialog \"%s\" has no drawable size (%d x %d)\n",
                "kxdialog render: ダイアログ \"%s\" には描ける大きさがありません (%d x %d)\n"}),
            dialog.Name().c_str(), dialog.Width(), dialog.Height());
        return false;
    }
    painter.PaintDialog(canvas, dialog);
    const Surface picture = Enlarge(canvas, scale);
    if (picture.IsEmpty()) {
        std::fprintf(stderr,
            Tr({"kxdialog render: dialog \"%s\" is too large to enlarge %d times\n",
                "kxdialog render: ダイアログ \"%s\" は大きすぎて %d 倍に拡大できません\n"}),
            dialog.Name().c_str(), scale);
        return false;
    }
    std::string error;
    if (!WritePng(picture, path, &error)) {
        std::fprintf(stderr,
            Tr({"kxdialog render: cannot write \"%s\": %s\n",
                "kxdialog render: \"%s\" を書き込めません: %s\n"}),
            path.c_str(), error.c_str());
        return false;
    }
    return true;
}

} // namespace

int Render(std::span<char *const> args)
{
    if (WantsHelp(args)) {
        std::fputs(Tr(kRenderUsage), stdout);
        return kExitOk;
    }
    RenderOptions options;
    if (const int status = ParseArguments(args, options); status != kExitOk)
        return status;

    CliMessageSink messages(options.project);
    CProjectContext project;
    if (!LoadProject(project, options.project, messages, true))
        return kExitFailed;

    std::vector<CKXDialogData *> dialogs;
    if (options.allDialogs) {
        for (const auto &dialog : project.Dialogs())
            dialogs.push_back(dialog.get());
        std::error_code error;
        std::filesystem::create_directories(options.output, error);
        std::error_code ignored;
        if (!std::filesystem::is_directory(options.output, ignored)) {
            std::fprintf(stderr,
                Tr({"kxdialog render: cannot create the folder \"%s\": %s\n",
                    "kxdialog render: フォルダ \"%s\" を作れません: %s\n"}),
                options.output.c_str(),
                error ? error.message().c_str()
                      : Tr({"a file has this name", "同じ名前のファイルがあります"}));
            return kExitFailed;
        }
    } else if (!options.dialog.empty()) {
        CKXDialogData *dialog = project.Dialogs().FindByName(options.dialog);
        if (!dialog) {
            std::fprintf(stderr,
                Tr({"kxdialog render: the project has no dialog \"%s\"\n",
                    "kxdialog render: プロジェクトに \"%s\" というダイアログはありません\n"}),
                options.dialog.c_str());
            return kExitFailed;
        }
        dialogs.push_back(dialog);
    } else {
        if (project.Dialogs().IsEmpty()) {
            std::fputs(Tr({"kxdialog render: the project has no dialog\n",
                           "kxdialog render: プロジェクトにダイアログがありません\n"}),
                stderr);
            return kExitFailed;
        }
        dialogs.push_back(project.Dialogs().At(0));
    }

    CFreeTypeFont fonts(project, messages);
    DialogPainter painter(project, fonts, messages);
    painter.SetStateOverride(options.state);
    const InitialStates initial;
    if (options.initialStates)
        painter.SetStateSource(&initial);
    bool allWritten = true;
    for (CKXDialogData *dialog : dialogs) {
        const std::string path = options.allDialogs
            ? (std::filesystem::path(options.output) / FileNameFor(dialog->Name())).string()
            : options.output;
        allWritten = RenderOne(painter, *dialog, options.scale, path) && allWritten;
    }
    return allWritten ? kExitOk : kExitFailed;
}

} // namespace kx::cli
