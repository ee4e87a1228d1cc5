// The subcommands of kxdialog. Each takes the arguments after its name and answers the exit
// status: 0 success, 1 a file could not be read or written, 2 wrong arguments.
#pragma once

#include <span>
#include <string>
#include <string_view>

class CProjectContext;

#include "platform/message_sink.h"

namespace kx::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int Resave(std::span<char *const> args);
int Info(std::span<char *const> args);
int Render(std::span<char *const> args);
int Generate(std::span<char *const> args);
// Unlike the others, answers 1 also when the project was read but has problems.
int Check(std::span<char *const> args);

// Loads a project file as the editor opens it: the project folder is the file's folder (set
// first, so pictures resolve while reading when decodePictures gives the project a picture
// cache). Messages of the reader go to messages, among them why a file cannot be read or is no
// project, and what the load dropped or changed; a file that cannot be read, is no project or is
// incomplete answers false.
bool LoadProject(
    CProjectContext &project, const std::string &path, IMessageSink &messages, bool decodePictures);

// Prints the core's messages on standard error, one line each after its kind, in the locale's
// language (cli_texts.h). file is the project file the command reads, which the English form of
// a parse error names.
class CliMessageSink final : public IMessageSink {
public:
    explicit CliMessageSink(std::string file)
        : m_file(std::move(file))
    { }
    void ShowMessage(std::string_view text, MessageIcon icon) override;

private:
    std::string m_file;
};

// True when args asks for the subcommand's help.
bool WantsHelp(std::span<char *const> args);

} // namespace kx::cli
