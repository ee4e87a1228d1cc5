// kxdialog resave and kxdialog info: load a project as the editor does, then write it again or
// describe it.
#include "cli/commands.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_writer.h"

#include <cstdio>
#include <string>

namespace kx::cli {

namespace {

constexpr const char *kResaveUsage = R"(Usage: kxdialog resave IN.xml OUT.xml
Loads the project IN.xml as the editor does (its prefixes, its folder) and writes the whole
project to OUT.xml. OUT.xml is replaced only when everything was written.
)";

constexpr const char *kInfoUsage = R"(Usage: kxdialog info IN.xml
Prints the project's name, the number of fonts, images and dialogs, and for every dialog its
name, size and number of objects.
)";

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
        std::fputs(kResaveUsage, stdout);
        return kExitOk;
    }
    if (args.size() != 2) {
        std::fputs(kResaveUsage, stderr);
        return kExitUsage;
    }
    StderrMessageSink messages;
    CProjectContext project;
    if (!LoadProject(project, args[0], messages, false))
        return kExitFailed;
    std::string error;
    if (!WriteProject(project, args[1], {}, &error)) {
        std::fprintf(stderr, "kxdialog: cannot write \"%s\": %s\n", args[1], error.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int Info(std::span<char *const> args)
{
    if (WantsHelp(args)) {
        std::fputs(kInfoUsage, stdout);
        return kExitOk;
    }
    if (args.size() != 1) {
        std::fputs(kInfoUsage, stderr);
        return kExitUsage;
    }
    StderrMessageSink messages;
    CProjectContext project;
    if (!LoadProject(project, args[0], messages, false))
        return kExitFailed;
    std::printf("Project: %s\n", project.Root().ProjectName().c_str());
    std::printf("Fonts: %d\n", project.Fonts().Count());
    std::printf("Images: %d\n", project.Images().Count());
    std::printf("Dialogs: %d\n", project.Dialogs().Count());
    for (const auto &dialog : project.Dialogs()) {
        // The root group itself is not an object of the dialog.
        std::printf("  %s  %dx%d  %d objects\n", dialog->Name().c_str(), dialog->Width(),
            dialog->Height(), dialog->RootGroup()->CountNodes() - 1);
    }
    return kExitOk;
}

} // namespace kx::cli
