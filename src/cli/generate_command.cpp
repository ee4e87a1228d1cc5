// kxdialog generate: the skeleton window's generation run from the command line, and a check
// that tells whether the generated files of a folder are current.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include "codegen/code_names.h"
#include "codegen/skeleton_generator.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace kx::cli {

namespace {

constexpr Text kGenerateUsage = {R"(Usage: kxdialog generate PROJECT.xml [-o DIR]
         [--dialog NAME | --all-dialogs] [--main] [--project-file] [--gettext]
         [--no-resource-id] [--no-app] [--no-dialogs] [--check]
Generates the sources of the device application from the project, as the editor's
skeleton window does, and prints one line per file: written or cancelled. A file that
exists without "YES" in its first line belongs to the user and is never touched.

  -o, --output DIR  output folder (default: the project's folder); it must exist
  --dialog NAME     write the files of the dialog NAME (exact, case-sensitive)
  --all-dialogs     write the files of every dialog
  --main            write main.cpp (it opens the first dialog)
  --project-file    write the .rvpro file of the development environment (only
                    when it does not exist yet)
  --gettext         wrap texts marked GetText in _("...")
  --no-resource-id  do not write resourceid.h
  --no-app          do not write the application files
  --no-dialogs      do not write dialog files
  --check           write nothing; list the files that a run would change and exit 1
                    when there are any, 0 when everything is current

Without --dialog or --all-dialogs no dialog file is written. A cancelled file is logged
with the reason after "キャンセルしました。".
Exit status: 0 the run completed (files the user owns are left alone and count as done),
1 the project cannot be read, the output folder does not exist, a file could not be
written or a name of the project cannot be written as a file name or identifier (each
named on standard error), or --check found changes; 2 wrong arguments, or --dialog names
no dialog of the project.
)",
    R"(使い方: kxdialog generate PROJECT.xml [-o DIR]
         [--dialog NAME | --all-dialogs] [--main] [--project-file] [--gettext]
         [--no-resource-id] [--no-app] [--no-dialogs] [--check]
エディタのスケルトン生成ウィンドウと同じように、プロジェクトからデバイス アプリケーションの
ソースを生成し、ファイルごとに 1 行 (書き込んだか、キャンセルしたか) を表示します。1 行目に
"YES" のない既存のファイルは利用者のものであり、決して変更しません。

  -o, --output DIR  出力フォルダ (既定: プロジェクトのフォルダ)。存在している必要があります
  --dialog NAME     ダイアログ NAME のファイルを書き込みます (大文字小文字を区別して完全一致)
  --all-dialogs     すべてのダイアログのファイルを書き込みます
  --main            main.cpp を書き込みます (最初のダイアログを開きます)
  --project-file    開発環境の .rvpro ファイルを書き込みます (まだ存在しないときだけ)
  --gettext         GetText の印が付いたテキストを _("...") で囲みます
  --no-resource-id  resourceid.h を書き込みません
  --no-app          アプリケーションのファイルを書き込みません
  --no-dialogs      ダイアログのファイルを書き込みません
  --check           何も書き込まず、生成で変わるファイルを一覧にします。変わるファイルが
                    あれば 1、すべて最新なら 0 で終了します

--dialog も --all-dialogs もなければ、ダイアログのファイルは書き込みません。キャンセルした
ファイルは "キャンセルしました。" の後に理由を付けて記録します。
終了ステータス: 0 生成が完了した (利用者のファイルはそのまま残し、完了として数えます)、
1 プロジェクトを読み込めない、出力フォルダが存在しない、ファイルを書き込めなかった、または
プロジェクトの名前がファイル名や識別子として書けない (それぞれ標準エラーに表示します)、
または --check で変更が見つかった、2 引数の誤り、または --dialog の名前のダイアログが
プロジェクトにない。
)"};

struct GenerateOptions {
    std::string projectPath;
    std::optional<std::string> outputFolder;
    SkeletonSettings settings;
    bool check = false;
};

// Reads the arguments into options; false (after saying why) for wrong arguments.
bool ParseArguments(std::span<char *const> args, GenerateOptions &options)
{
    bool dialogChosen = false;
    bool allDialogs = false;
    SkeletonSettings &s = options.settings;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto needsValue = [&]() -> const char * {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr,
                    Tr({"kxdialog generate: %s needs a value\n",
                        "kxdialog generate: %s には値が必要です\n"}),
                    args[i]);
                return nullptr;
            }
            return args[++i];
        };
        if (arg == "-o" || arg == "--output") {
            const char *value = needsValue();
            if (!value)
                return false;
            options.outputFolder = value;
        } else if (arg == "--dialog") {
            const char *value = needsValue();
            if (!value)
                return false;
            s.dialogName = value;
            s.dialogScope = kScopeThisDialog;
            dialogChosen = true;
        } else if (arg == "--all-dialogs") {
            s.dialogScope = kScopeAllDialogs;
            allDialogs = true;
        } else if (arg == "--main") {
            s.writeMain = true;
        } else if (arg == "--project-file") {
            s.writeProjectFile = true;
        } else if (arg == "--gettext") {
            s.getTextSupport = true;
        } else if (arg == "--no-resource-id") {
            s.writeResourceId = false;
        } else if (arg == "--no-app") {
            s.writeApplication = false;
        } else if (arg == "--no-dialogs") {
            s.writeDialogs = false;
        } else if (arg == "--check") {
            options.check = true;
        } else if (arg.starts_with('-') && arg != "-") {
            std::fprintf(stderr,
                Tr({"kxdialog generate: unknown option \"%s\"\n",
                    "kxdialog generate: \"%s\" というオプションはありません\n"}),
                args[i]);
            return false;
        } else if (options.projectPath.empty()) {
            options.projectPath = arg;
        } else {
            std::fputs(Tr({"kxdialog generate: more than one project given\n",
                           "kxdialog generate: プロジェクトが 2 つ以上指定されています\n"}),
                stderr);
            return false;
        }
    }
    if (dialogChosen && allDialogs) {
        std::fputs(Tr({"kxdialog generate: --dialog and --all-dialogs exclude each other\n",
                       "kxdialog generate: --dialog と --all-dialogs は同時に指定できません\n"}),
            stderr);
        return false;
    }
    if (options.projectPath.empty()) {
        std::fputs(Tr({"kxdialog generate: no project given\n",
                       "kxdialog generate: プロジェクトが指定されていません\n"}),
            stderr);
        return false;
    }
    return true;
}

// Names every file that a run refused or could not write on standard error; true when there
// was none.
bool ReportFailures(const std::vector<GenerationResult> &results)
{
    bool none = true;
    for (const GenerationResult &result : results) {
        if (!result.IsFailure())
            continue;
        const Text refused = {"kxdialog generate: refused \"%s\": %s\n",
            "kxdialog generate: \"%s\" を拒否しました: %s\n"};
        const Text failed = {"kxdialog generate: cannot write \"%s\": %s\n",
            "kxdialog generate: \"%s\" を書き込めません: %s\n"};
        std::fprintf(stderr, Tr(result.outcome == FileOutcome::Refused ? refused : failed),
            EscapedName(result.fileName).c_str(), result.reason.c_str());
        none = false;
    }
    return none;
}

// The dialog names of the project, for the message about a dialog that does not exist.
std::string DialogNames(const CProjectContext &project)
{
    std::string names;
    for (const auto &dialog : project.Dialogs())
        names += (names.empty() ? "" : ", ") + EscapedName(dialog->Name());
    return names.empty() ? Tr({"(none)", "(なし)"}) : names;
}

std::optional<std::string> ReadWhole(const fs::path &path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A folder of its own under the system's temporary folder, removed with everything in it when
// the object goes.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::error_code error;
        std::string pattern = (fs::temp_directory_path(error) / "kxdialog-check-XXXXXX").string();
        if (!error && mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        if (!m_path.empty())
            fs::remove_all(m_path, error);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    bool Made() const { return !m_path.empty(); }
    const fs::path &Path() const { return m_path; }

private:
    fs::path m_path;
};

// Puts what stands under name in from into to, as far as the generator can tell: a file with
// its bytes and permissions, a folder as an empty folder.
bool CopyForCheck(const fs::path &from, const fs::path &to)
{
    std::error_code error;
    const fs::file_status status = fs::status(from, error);
    if (!fs::exists(status))
        return true;
    if (fs::is_directory(status))
        return fs::create_directory(to, error);
    if (!fs::copy_file(from, to, error))
        return false;
    fs::permissions(to, status.permissions(), error);
    return !error;
}

// Runs the generation into a copy of the output folder and lists the files that the run would
// write with other bytes than they hold now (or that do not exist yet).
int Check(CProjectContext &project, const SkeletonSettings &settings)
{
    const fs::path output = settings.outputFolder;
    RecordingMessageSink quiet;

    // A first run into an empty folder names every file the run can touch.
    TemporaryFolder names;
    TemporaryFolder copy;
    if (!names.Made() || !copy.Made()) {
        std::fputs(Tr({"kxdialog generate: cannot make a temporary folder\n",
                       "kxdialog generate: 一時フォルダを作れません\n"}),
            stderr);
        return kExitFailed;
    }
    SkeletonSettings trial = settings;
    trial.outputFolder = names.Path().string();
    const std::vector<GenerationResult> allFiles = RunGeneration(&project, trial, &quiet);

    // The second run meets those files as the real folder holds them, so the marker rule
    // decides as it would there: only what it rewrites counts. A refused name is no file of the
    // folder and is never looked up.
    for (const GenerationResult &result : allFiles) {
        if (result.outcome == FileOutcome::Refused || result.outcome == FileOutcome::NotGenerated)
            continue;
        const std::string &name = result.fileName;
        if (!CopyForCheck(output / name, copy.Path() / name)) {
            std::fprintf(stderr,
                Tr({"kxdialog generate: cannot copy \"%s\"\n",
                    "kxdialog generate: \"%s\" をコピーできません\n"}),
                (output / name).string().c_str());
            return kExitFailed;
        }
    }
    trial.outputFolder = copy.Path().string();
    int changed = 0;
    const std::vector<GenerationResult> results = RunGeneration(&project, trial, &quiet);
    for (const GenerationResult &result : results) {
        if (!result.IsWritten())
            continue;
        const std::string &name = result.fileName;
        if (ReadWhole(output / name) != ReadWhole(copy.Path() / name)) {
            std::printf(Tr({"not current: %s\n", "最新ではありません: %s\n"}),
                (output / name).string().c_str());
            ++changed;
        }
    }
    const bool noFailures = ReportFailures(results);
    return changed == 0 && noFailures ? kExitOk : kExitFailed;
}

} // namespace

int Generate(std::span<char *const> args)
{
    if (WantsHelp(args)) {
        std::fputs(Tr(kGenerateUsage), stdout);
        return kExitOk;
    }
    GenerateOptions options;
    if (!ParseArguments(args, options)) {
        std::fputs(Tr({"Try \"kxdialog generate --help\".\n",
                       "\"kxdialog generate --help\" をご覧ください。\n"}),
            stderr);
        return kExitUsage;
    }
    CliMessageSink messages(options.projectPath);
    CProjectContext project;
    if (!LoadProject(project, options.projectPath, messages, false))
        return kExitFailed;

    SkeletonSettings &settings = options.settings;
    if (settings.dialogScope == kScopeThisDialog && !settings.dialogName.empty()
        && !project.Dialogs().FindByName(settings.dialogName)) {
        std::fprintf(stderr,
            Tr({"kxdialog generate: the project has no dialog \"%s\"; its dialogs: %s\n",
                "kxdialog generate: プロジェクトに \"%s\" というダイアログはありません。"
                "ダイアログ: %s\n"}),
            EscapedName(settings.dialogName).c_str(), DialogNames(project).c_str());
        return kExitUsage;
    }
    settings.outputFolder = options.outputFolder.value_or(project.ProjectFolder());
    settings.outputFolder = GenerationFolder(settings.outputFolder);
    std::error_code error;
    if (!fs::is_directory(settings.outputFolder, error)) {
        std::fprintf(stderr,
            Tr({"kxdialog generate: the output folder \"%s\" does not exist\n",
                "kxdialog generate: 出力フォルダ \"%s\" が存在しません\n"}),
            settings.outputFolder.c_str());
        return kExitFailed;
    }

    if (options.check)
        return Check(project, settings);

    const std::vector<GenerationResult> results = RunGeneration(&project, settings, &messages);
    for (const GenerationResult &result : results)
        std::printf("%s\n", CoreText(result.LogLine()).c_str());
    std::fflush(stdout);
    return ReportFailures(results) ? kExitOk : kExitFailed;
}

} // namespace kx::cli
