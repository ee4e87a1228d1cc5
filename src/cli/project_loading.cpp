// Loading a project for a subcommand, the same way for every command.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "render/dib_image_list.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace kx::cli {

void CliMessageSink::ShowMessage(std::string_view text, MessageIcon icon)
{
    const char *kind = icon == MessageIcon::Error ? Tr({"error", "エラー"})
        : icon == MessageIcon::Warning            ? Tr({"warning", "警告"})
                                                  : Tr({"information", "情報"});
    std::fprintf(stderr, "%s: %s\n", kind, CoreText(text, m_file).c_str());
}

bool LoadProject(
    CProjectContext &project, const std::string &path, IMessageSink &messages, bool decodePictures)
{
    if (decodePictures)
        project.SetPictureCache(std::make_unique<CDibImageList>());
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    project.SetProjectFolder(
        (error ? std::filesystem::path(path) : absolute).parent_path().string());
    ProjectReader reader(project, messages);
    // A file that cannot be read or is no project has told why through messages.
    if (!reader.ReadFile(path))
        return false;
    if (reader.ParseFailed()) {
        std::fprintf(stderr,
            Tr({"kxdialog: \"%s\" is not a complete project file\n",
                "kxdialog: \"%s\" は完全なプロジェクト ファイルではありません\n"}),
            path.c_str());
        return false;
    }
    return true;
}

} // namespace kx::cli
