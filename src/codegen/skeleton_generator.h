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

// Runs one generation into the settings' folder and answers the log, one UTF-8 line per file in
// the order written: "○ NAME を更新しました。" or "× NAME キャンセルしました。". A file that
// exists without the marker, cannot be written, or needs a project when there is none is
// cancelled and the run goes on with the next. Without a project the application files and the
// project file are logged under placeholder names and no dialog is written. messages receives
// the one message box a run can show (the project file could not be created); none drops it.
std::vector<std::string> RunGeneration(
    CProjectContext *project, const SkeletonSettings &settings, IMessageSink *messages = nullptr);

// Writes the ".rvpro" project file of the development environment, named after the project in
// lower case, into folder (ending in '/'). It is only ever created: whatever exists under that
// name already is left alone and the file counts as cancelled. fileName receives the name for
// the log ("???.rvpro" without a project). A file that cannot be created is reported to messages.
bool WriteProjectFile(const CProjectContext *project, const std::string &folder,
    std::string &fileName, IMessageSink *messages);

// The log lines of a written and of a cancelled file.
std::string UpdatedLine(std::string_view fileName);
std::string CancelledLine(std::string_view fileName);

// ASCII letters changed to upper or lower case; every other byte (multibyte characters
// included) stays as it is.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

} // namespace kx
