// The subcommands of kxdialog. Each takes the arguments after its name and answers the exit
// status: 0 success, 1 a file could not be read or written, 2 wrong arguments.
#pragma once

#include <span>
#include <string_view>

namespace kx::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int Resave(std::span<char *const> args);
int Info(std::span<char *const> args);
int Render(std::span<char *const> args);
int Generate(std::span<char *const> args);

// True when args asks for the subcommand's help.
bool WantsHelp(std::span<char *const> args);

} // namespace kx::cli
