// kxdialog resave and kxdialog info: load a project as the editor does, then write it again or
// describe it.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_writer.h"

#include <cstdio>
#include <string>

namespace kx::cli {

namespace {

constexpr Text kResaveUsage = {R"(Usage: kxdialog resave IN.xml OUT.xml
Loads the project IN.xml as the editor does (its prefixes, its folder) and writes the whole
project to OUT.xml. OUT.xml is replaced only when everything was written.
)",
    R"(使い方: kxdialog resave IN.xml OUT.xml
プロジェクト IN.xml をエディタと同じように (プレフィックスもフォルダも) 読み込み、プロジェクト
全体を OUT.xml に書き出します。OUT.xml はすべて書き終えたときにだけ置き換わります。
)"};

constexpr Text kInfoUsage = {R"(Usage: kxdialog info IN.xml
Prints the project's name, the number of fonts, images and dialogs, and for every dialog its
name, size and number of objects.
)",
    R"(使い方: kxdialog info IN.xml
プロジェクトの名前、フォント、イメージ、ダイアログの数と、各ダイアログの名前、サイズ、
オブジェクトの数を表示します。
)"};

} // namespace

bool WantsHelp(std::span<char *const> args)
{
    for (const char *arg : args) {
        const std::string_view a = arg;
        if (a == "-h" || a == "--help")
            return true;
    }
    return false;
}

int Resave(std::span<char *const> args)
{
    if (WantsHelp(args)) {
        std::fputs(Tr(kResaveUsage), stdout);
        return kExitOk;
    }
    if (args.size() != 2) {
        std::fputs(Tr(kResaveUsage), stderr);
        return kExitUsage;
    }
    CliMessageSink messages(args[0]);
    CProjectContext project;
    if (!LoadProject(project, args[0], messages, false))
        return kExitFailed;
    std::string error;
    if (!WriteProject(project, args[1], {}, &error)) {
        std::fprintf(stderr,
            Tr({"kxdialog: cannot write \"%s\": %s\n", "kxdialog: \"%s\" を書き込めません: %s\n"}),
            args[1], error.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int Info(std::span<char *const> args)
{
    if (WantsHelp(args)) {
        std::fputs(Tr(kInfoUsage), stdout);
        return kExitOk;
    }
    if (args.size() != 1) {
        std::fputs(Tr(kInfoUsage), stderr);
        return kExitUsage;
    }
    CliMessageSink messages(args[0]);
    CProjectContext project;
    if (!LoadProject(project, args[0], messages, false))
        return kExitFailed;
    std::printf(Tr({"Project: %s\n", "プロジェクト: %s\n"}), project.Root().ProjectName().c_str());
    std::printf(Tr({"Fonts: %d\n", "フォント: %d\n"}), project.Fonts().Count());
    std::printf(Tr({"Images: %d\n", "イメージ: %d\n"}), project.Images().Count());
    std::printf(Tr({"Dialogs: %d\n", "ダイアログ: %d\n"}), project.Dialogs().Count());
    for (const auto &dialog : project.Dialogs()) {
        // The root group itself is not an object of the dialog. The completion reads the name
        // between the first two pairs of blanks.
        std::printf(Tr({"  %s  %dx%d  %d objects\n", "  %s  %dx%d  オブジェクト %d 個\n"}),
            dialog->Name().c_str(), dialog->Width(), dialog->Height(),
            dialog->RootGroup()->CountNodes() - 1);
    }
    return kExitOk;
}

} // namespace kx::cli
