// kxdialog generate: the skeleton window's generation run from the command line, and a check
// that tells whether the generated files of a folder are current.
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

constexpr const char *kGenerateUsage = R"(Usage: kxdialog generate PROJECT.xml [-o DIR]
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
)";

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
                std::fprintf(stderr, "kxdialog generate: %s needs a value\n", args[i]);
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
            std::fprintf(stderr, "kxdialog generate: unknown option \"%s\"\n", args[i]);
            return false;
        } else if (options.projectPath.empty()) {
            options.projectPath = arg;
        } else {
            std::fprintf(stderr, "kxdialog generate: more than one project given\n");
            return false;
        }
    }
    if (dialogChosen && allDialogs) {
        std::fprintf(stderr, "kxdialog generate: --dialog and --all-dialogs exclude each other\n");
        return false;
    }
    if (options.projectPath.empty()) {
        std::fprintf(stderr, "kxdialog generate: no project given\n");
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
        std::fprintf(stderr, "kxdialog generate: %s \"%s\": %s\n",
            result.outcome == FileOutcome::Refused ? "refused" : "cannot write",
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
    return names.empty() ? "(none)" : names;
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
        std::fprintf(stderr, "kxdialog generate: cannot make a temporary folder\n");
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
            std::fprintf(stderr, "kxdialog generate: cannot copy \"%s\"\n",
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
            std::printf("not current: %s\n", (output / name).string().c_str());
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
        std::fputs(kGenerateUsage, stdout);
        return kExitOk;
    }
    GenerateOptions options;
    if (!ParseArguments(args, options)) {
        std::fputs("Try \"kxdialog generate --help\".\n", stderr);
        return kExitUsage;
    }
    StderrMessageSink messages;
    CProjectContext project;
    if (!LoadProject(project, options.projectPath, messages, false))
        return kExitFailed;

    SkeletonSettings &settings = options.settings;
    if (settings.dialogScope == kScopeThisDialog && !settings.dialogName.empty()
        && !project.Dialogs().FindByName(settings.dialogName)) {
        std::fprintf(stderr,
            "kxdialog generate: the project has no dialog \"%s\"; its dialogs: %s\n",
            EscapedName(settings.dialogName).c_str(), DialogNames(project).c_str());
        return kExitUsage;
    }
    settings.outputFolder = options.outputFolder.value_or(project.ProjectFolder());
    settings.outputFolder = GenerationFolder(settings.outputFolder);
    std::error_code error;
    if (!fs::is_directory(settings.outputFolder, error)) {
        std::fprintf(stderr, "kxdialog generate: the output folder \"%s\" does not exist\n",
            settings.outputFolder.c_str());
        return kExitFailed;
    }

    if (options.check)
        return Check(project, settings);

    const std::vector<GenerationResult> results = RunGeneration(&project, settings, &messages);
    for (const GenerationResult &result : results)
        std::printf("%s\n", result.LogLine().c_str());
    std::fflush(stdout);
    return ReportFailures(results) ? kExitOk : kExitFailed;
}

} // namespace kx::cli
