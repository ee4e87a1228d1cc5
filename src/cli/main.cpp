// kxdialog: the command-line tool of KXDialogEditor. It works on project files without a display.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include <cstdio>
#include <span>
#include <string_view>

namespace {

constexpr kx::cli::Text kUsage = {R"(Usage: kxdialog COMMAND [ARGUMENTS]
       kxdialog [--help | --version]
Works on KXDialogEditor project files from the command line.

Commands:
  resave IN.xml OUT.xml   load a project and write it again
  info IN.xml             describe a project: fonts, images, dialogs
  render IN.xml -o OUT    draw dialogs as PNG files, as the canvas shows them
  generate PROJECT.xml    generate the application's sources, as the skeleton window does
  check PROJECT.xml       find problems: missing files and glyphs, bad names and references

Options:
  -h, --help       show this help and exit
  -V, --version    show the version and exit

"kxdialog COMMAND --help" describes a command.
)",
    R"(使い方: kxdialog コマンド [引数]
        kxdialog [--help | --version]
KXDialogEditor のプロジェクト ファイルをコマンド ラインで扱います。

コマンド:
  resave IN.xml OUT.xml   プロジェクトを読み込み、書き直します
  info IN.xml             プロジェクトの内容 (フォント、イメージ、ダイアログ) を表示します
  render IN.xml -o OUT    ダイアログをキャンバスと同じように PNG ファイルに描きます
  generate PROJECT.xml    スケルトン生成ウィンドウと同じようにアプリケーションのソースを生成します
  check PROJECT.xml       問題 (ファイルやグリフの不足、不正な名前や参照) を探します

オプション:
  -h, --help       このヘルプを表示して終了します
  -V, --version    バージョンを表示して終了します

各コマンドの説明は "kxdialog コマンド --help" で表示されます。
)"};

struct Command {
    std::string_view name;
    int (*run)(std::span<char *const>);
};

constexpr Command kCommands[] = {
    {"resave", kx::cli::Resave},
    {"info", kx::cli::Info},
    {"render", kx::cli::Render},
    {"generate", kx::cli::Generate},
    {"check", kx::cli::Check},
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs(kx::cli::Tr(kUsage), stdout);
        return kx::cli::kExitOk;
    }
    const std::string_view arg = argv[1];
    if (arg == "-h" || arg == "--help") {
        std::fputs(kx::cli::Tr(kUsage), stdout);
        return kx::cli::kExitOk;
    }
    if (arg == "-V" || arg == "--version") {
        std::printf("kxdialog %s\n", KX_VERSION);
        return kx::cli::kExitOk;
    }
    for (const Command &command : kCommands) {
        if (arg == command.name)
            return command.run(
                std::span<char *const>(argv + 2, static_cast<std::size_t>(argc - 2)));
    }
    std::fprintf(stderr,
        kx::cli::Tr({"kxdialog: unknown command \"%s\"\nTry \"kxdialog --help\".\n",
            "kxdialog: \"%s\" というコマンドはありません\n\"kxdialog --help\" をご覧ください。\n"}),
        argv[1]);
    return kx::cli::kExitUsage;
}
