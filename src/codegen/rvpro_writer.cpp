// The ".rvpro" project file of the cross-development environment in which the generated
// application is built for the device: the list of generated sources, the build settings of four
// build variants, and empty connection settings for the build host, the target and the
// version-control server. The environment owns the file once it exists, so it is only ever
// created, never changed.
#include "codegen/skeleton_generator.h"

#include "codegen/code_names.h"

#include "model/project_context.h"
#include "platform/ini_file.h"
#include "platform/message_sink.h"
#include "platform/save_file.h"
#include "platform/text_conversion.h"
#include "projectfile/xml_file.h"

#include <cstdio>
#include <sys/stat.h>

namespace kx {

namespace {

constexpr std::string_view kGeneral = "GENERAL";
constexpr std::string_view kProject = "PROJECT";
constexpr std::string_view kSources = "ProjectSource";

// Suffixes of the four build variants of a setting: none and "sd" build for the host, "cr" and
// "cd" with the cross compiler; "sd" and "cd" are the debug builds.
constexpr const char *kVariants[] = {"", "sd", "cr", "cd"};

constexpr std::string_view kCrossLibraryPath
    = "-L/usr/local/sh4-linux/lib -Wl,-rpath-link,/usr/sh4-linux-gnu/lib";
constexpr std::string_view kIncludePath = "-I/usr/local/include/directfb "
                                          "-I/usr/local/include/cairo "
                                          "-I/usr/local/include/nimbo3 -I/usr/include/freetype2";

void AddGeneralSection(IniFile &ini)
{
    ini.SetString(kGeneral, "MAKEAPP", "Nimbo Resource Editor");
    ini.SetInt(kGeneral, "FORMATREV", 1);
}

// The build and connection settings. Host, target and password entries stay empty: the user
// fills them in inside the environment. n is the project name in lower case.
void AddProjectSection(IniFile &ini, const std::string &n)
{
    const auto set = [&](std::string_view key, std::string_view value) {
        ini.SetString(kProject, key, value);
    };
    const auto setInt = [&](std::string_view key, int value) { ini.SetInt(kProject, key, value); };
    const auto setVariants = [&](std::string_view key, std::string_view value) {
        for (const char *suffix : kVariants)
            set(std::string(key) + suffix, value);
    };

    set("NAME", n);
    set("FOLDER", "");
    set("FOLDERUNIX", "/home/kaihatsu/" + n + "/");
    setInt("USESF", 0);
    setInt("USECROSS", 0);
    set("FOLDERNAME", n);
    set("VERSION", "01030100");
    set("HOSTNAME", "");
    set("HOSTUSER", "kaihatsu");
    set("HOSTPASS", "");
    set("HOSTPASSROOT", "");
    setInt("HOSTENCODE", 1);
    setInt("SAVEHOSTPASS", 1);
    setInt("RUNNINGROOT", 1);
    set("TARGETNAME", "");
    set("TARGETUSER", "kaihatsu");
    set("TARGETPASS", "");
    set("TARGETPASSROOT", "");
    setInt("TARGETENCODE", 1);
    set("MOUNTPOINT", "/brisk");
    set("CROSSCC", "sh4-linux-gnu");
    setInt("NOGDBSERVER", 0);
    setInt("SAVETARGETPASS", 1);
    setVariants("CMDPARAM", "");
    setVariants("MAKEPARAM", "");
    setVariants("OUTPUTFILE", n);
    setVariants("LIBS", "-lnimbo3 -lcairo");
    // Only the cross builds need the device's libraries.
    set("LIBSPATH", "");
    set("LIBSPATHsd", "");
    set("LIBSPATHcr", kCrossLibraryPath);
    set("LIBSPATHcd", kCrossLibraryPath);
    setVariants("INCLUDESPATH", kIncludePath);
    set("CFLAGS", "-Wall");
    set("CFLAGSsd", "-Wall -g");
    set("CFLAGScr", "-Wall");
    set("CFLAGScd", "-Wall -g");
    setVariants("LDFLAGS", "");
    set("CLEAN", "rm -rf $(OBJS) $(OUTPUT)");
    set("MAKEMAKE", "make depend");
    setInt("USECVS", 0);
    // "CVSCONECT" and "CVSRIPOSITORY" are the names the environment reads, spelled as it does.
    for (const char *key : {"CVSPROJECT", "CVSCONECT", "CVSNAME", "CVSUSER", "CVSPASS"})
        set(key, "");
    setInt("CVSENCODE", 1);
    set("CVSRIPOSITORY", "");
    setInt("SAVECVSPASS", 1);
}

// Every source of the application, all dialogs included whichever the run wrote, numbered from
// "000" without gaps; then the environment's library and document folders.
void AddSourceSection(IniFile &ini, const CProjectContext &project)
{
    int number = 0;
    const auto add = [&](const std::string &value) {
        char key[16];
        std::snprintf(key, sizeof key, "%03d", number++);
        ini.SetString(kSources, key, value);
    };
    const auto addSource = [&](const std::string &file) { add("@Source@" + file + ",0"); };

    const std::string &name = project.Root().ProjectName();
    const std::string &a = project.Root().AppClassName();
    addSource("main.cpp");
    addSource(name + ".h");
    addSource(name + ".cpp");
    addSource(a + ".cpp");
    addSource(a + ".h");
    addSource(a + "Design.cpp");
    for (const auto &dialog : project.Dialogs()) {
        addSource(dialog->ClassSourceFile());
        addSource(dialog->HeaderFile());
        addSource(dialog->DesignSourceFile());
        addSource(dialog->DesignHeaderFile());
    }
    add("@Lib@");
    add("@Document@");
}

// Why the names of the project cannot be written into its INI text: the project name stands in
// file names and values, the class names in file names; a line break or a separator in any of
// them would add entries of its own. Empty when they can.
std::string NamesProblem(const CProjectContext &project)
{
    std::string problem = IdentifierTailProblem("project", project.Root().ProjectName());
    if (problem.empty())
        problem = IdentifierProblem("application class", project.Root().AppClassName());
    for (const auto &dialog : project.Dialogs()) {
        if (problem.empty())
            problem = IdentifierProblem("dialog class", dialog->ClassName());
    }
    return problem;
}

} // namespace

GenerationResult WriteProjectFile(
    const CProjectContext *project, const std::string &folder, IMessageSink *messages)
{
    if (!project)
        return {"???.rvpro", FileOutcome::NotGenerated, "no project is open"};
    const std::string n = AsciiLower(project->Root().ProjectName());
    const std::string fileName = n + ".rvpro";
    const std::string path = folder + fileName;
    std::string problem = GeneratedFileNameProblem(fileName, MaxFileNameLength(folder));
    if (problem.empty())
        problem = NamesProblem(*project);
    if (!problem.empty())
        return {fileName, FileOutcome::Refused, problem};

    // Whatever stands under that name (the file of an earlier run, a folder) is the user's.
    struct stat existing { };
    if (lstat(path.c_str(), &existing) == 0)
        return {fileName, FileOutcome::KeptForUser, "exists already"};

    IniFile ini;
    AddGeneralSection(ini);
    AddProjectSection(ini, n);
    AddSourceSection(ini, *project);
    // The environment reads the file in the Japanese Windows code page. The names of the model
    // are UTF-8 (ASCII in practice), so the text is converted as a whole.
    std::string error;
    if (!CXmlFile::WriteWhole(path, ToShiftJis(ini.ToText()), &error)) {
        if (messages)
            messages->ShowMessage(
                "ファイルのオープンに失敗しました.\n" + fileName, MessageIcon::Error);
        return {fileName, FileOutcome::Failed, error};
    }
    return {fileName, FileOutcome::Written, {}};
}

} // namespace kx
