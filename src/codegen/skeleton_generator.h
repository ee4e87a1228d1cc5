// The generation run of the skeleton window: the identifier header, main.cpp, the application
// files, the files of the chosen dialogs and the project file of the development environment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CProjectContext;

namespace kx {

class IMessageSink;

// Which dialogs a run writes.
enum DialogScope : int {
    kScopeThisDialog = 0, // only the dialog whose name equals dialogName exactly
    kScopeAllDialogs = 1,
};

// What the skeleton window hands to a run; its initial values are those of a new window.
struct SkeletonSettings {
    std::string outputFolder; // the project folder in a new window
    bool writeResourceId = true;
    bool writeMain = false;
    bool writeApplication = true;
    bool writeDialogs = true;
    std::string dialogName;
    int dialogScope = kScopeThisDialog;
    bool writeProjectFile = false;
    bool getTextSupport = false;
};

// The folder that every file of a run goes into: the setting with a '/' appended when it does
// not end in one. An empty setting means the current folder, "./", never the file system's
// root.
std::string GenerationFolder(std::string_view outputFolder);

// What became of one file of a run.
enum class FileOutcome {
    Written,
    // Left alone because it belongs to the user: no "YES" in its first line, read-only, or a
    // development-environment project file that exists already.
    KeptForUser,
    // Nothing to write it from: no project is open, or main.cpp without a dialog.
    NotGenerated,
    // A name that would go into it is not a plain file name or could carry code.
    Refused,
    // It could not be written (a full disk, a read-only file system, a missing folder).
    Failed,
};

// One line of a run's log: the file, what became of it and why.
struct GenerationResult {
    std::string fileName;
    FileOutcome outcome = FileOutcome::Written;
    std::string reason; // empty for a written file

    bool IsWritten() const { return outcome == FileOutcome::Written; }
    // A refused or failed file: the run did not do what it was asked to.
    bool IsFailure() const
    {
        return outcome == FileOutcome::Refused || outcome == FileOutcome::Failed;
    }
    // "○ NAME を更新しました。" or "× NAME キャンセルしました。" followed by the reason.
    std::string LogLine() const;
};

// Runs one generation into the settings' folder and answers what became of each file, in the
// order written. A file that exists without the marker, cannot be written, has a name that is
// not a plain file name, would hold a name that is not an identifier, or needs a project when
// there is none is cancelled and the run goes on with the next. Without a project the
// application files and the project file are logged under placeholder names and no dialog is
// written. messages receives the one message box a run can show (the project file could not be
// created); none drops it.
std::vector<GenerationResult> RunGeneration(
    CProjectContext *project, const SkeletonSettings &settings, IMessageSink *messages = nullptr);

// Writes the ".rvpro" project file of the development environment, named after the project in
// lower case, into folder (ending in '/'). It is only ever created: whatever exists under that
// name already is left alone and the file counts as kept. The result names the file for the log
// ("???.rvpro" without a project). A file that cannot be created is reported to messages.
GenerationResult WriteProjectFile(
    const CProjectContext *project, const std::string &folder, IMessageSink *messages);

// The log lines of a written and of a cancelled file; the reason follows the cancel words.
std::string UpdatedLine(std::string_view fileName);
std::string CancelledLine(std::string_view fileName, std::string_view reason = {});

// ASCII letters changed to upper or lower case; every other byte (multibyte characters
// included) stays as it is.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

} // namespace kx
