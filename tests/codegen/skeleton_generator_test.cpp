// The generation run: the exact text of the skeleton files and of the project file, the log, the
// marker rule over repeated runs, dialog selection, runs without a project, and the INI file.
#include "codegen/skeleton_generator.h"
#include "model/project_context.h"
#include "platform/ini_file.h"
#include "platform/message_sink.h"
#include "platform/text_conversion.h"
#include "projectfile/project_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using kx::CancelledLine;
using kx::RunGeneration;
using kx::SkeletonSettings;
using kx::UpdatedLine;

namespace {

const fs::path kDataDir = fs::path(KX_TEST_DATA_DIR) / "codegen" / "skeleton";

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteAll(const fs::path &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// What `diff -u` says about two files.
std::string UnifiedDiff(const fs::path &expected, const fs::path &actual)
{
    const std::string command = "diff -u '" + expected.string() + "' '" + actual.string() + "'";
    std::string output;
    if (std::FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

// Compares a generated file with its expected bytes. On a mismatch the generated file is kept in
// skeleton_actual/ beside the test's working folder and the failure shows the unified diff.
::testing::AssertionResult MatchesGolden(const fs::path &folder, const std::string &name)
{
    const fs::path expected = kDataDir / "expected" / name;
    const fs::path actual = folder / name;
    if (!fs::exists(actual))
        return ::testing::AssertionFailure() << name << " was not generated";
    if (ReadAll(expected) == ReadAll(actual))
        return ::testing::AssertionSuccess();
    const fs::path kept = fs::current_path() / "skeleton_actual";
    fs::create_directories(kept);
    fs::copy_file(actual, kept / name, fs::copy_options::overwrite_existing);
    return ::testing::AssertionFailure() << name << " differs from " << expected.string()
                                         << " (kept as " << (kept / name).string() << "):\n"
                                         << UnifiedDiff(expected, kept / name);
}

// The banner a skeleton file gets back when the user puts the marker into its first line.
std::string MarkedBanner(const std::string &name)
{
    const std::string marker
        = "// YES -----------------------------------------------------------------\n";
    const std::string rule
        = "//----------------------------------------------------------------------\n";
    return marker + "// " + name + "\n" + rule;
}

// The expected text after the plain banner of a skeleton file.
std::string GoldenBody(const std::string &name)
{
    const std::string text = ReadAll(kDataDir / "expected" / name);
    std::size_t end = 0;
    for (int line = 0; line < 3; ++line)
        end = text.find('\n', end) + 1;
    return text.substr(end);
}

std::vector<std::string> LogLines(const std::vector<kx::GenerationResult> &results)
{
    std::vector<std::string> lines;
    for (const kx::GenerationResult &result : results)
        lines.push_back(result.LogLine());
    return lines;
}

class SkeletonGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kx-skeleton-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        kx::RecordingMessageSink messages;
        kx::ProjectReader reader(m_project, messages);
        ASSERT_TRUE(reader.ReadFile((kDataDir / "project.xml").string()));
        ASSERT_FALSE(reader.ParseFailed());
        ASSERT_TRUE(messages.Messages().empty());
    }
    void TearDown() override
    {
        // Read-only files inside a writable folder go with it.
        std::error_code error;
        fs::remove_all(m_folder, error);
    }

    // Everything a run can write, into the test's folder.
    SkeletonSettings Everything() const
    {
        SkeletonSettings settings;
        settings.outputFolder = m_folder.string();
        settings.writeMain = true;
        settings.dialogScope = kx::kScopeAllDialogs;
        settings.writeProjectFile = true;
        return settings;
    }
    // The log lines of a run.
    std::vector<std::string> Run(const SkeletonSettings &settings)
    {
        return LogLines(RunGeneration(&m_project, settings, &m_messages));
    }
    std::string File(const std::string &name) const { return ReadAll(m_folder / name); }

    CProjectContext m_project;
    kx::RecordingMessageSink m_messages;
    fs::path m_folder;
};

const std::vector<std::string> kSkeletonFiles = {
    "main.cpp", "MyApp.cpp", "MyApp.h", "AppMyApp.cpp", "AppMyApp.h", "DlgMain.cpp", "DlgMain.h"};

} // namespace

TEST_F(SkeletonGeneratorTest, FirstRunWritesTheExpectedFilesAndLogsEachInOrder)
{
    const std::vector<std::string> expectedLog = {
        "○ resourceid.h を更新しました。",
        "○ main.cpp を更新しました。",
        "○ MyApp.cpp を更新しました。",
        "○ MyApp.h を更新しました。",
        "○ AppMyApp.cpp を更新しました。",
        "○ AppMyApp.h を更新しました。",
        "○ AppMyAppDesign.cpp を更新しました。",
        "○ DlgMain.cpp を更新しました。",
        "○ DlgMain.h を更新しました。",
        "○ DlgMainDesign.cpp を更新しました。",
        "○ DlgMainDesign.h を更新しました。",
        "○ DlgSettings.cpp を更新しました。",
        "○ DlgSettings.h を更新しました。",
        "○ DlgSettingsDesign.cpp を更新しました。",
        "○ DlgSettingsDesign.h を更新しました。",
        "○ myapp.rvpro を更新しました。",
    };
    EXPECT_EQ(Run(Everything()), expectedLog);
    EXPECT_TRUE(m_messages.Messages().empty());

    for (const std::string &name : kSkeletonFiles)
        EXPECT_TRUE(MatchesGolden(m_folder, name));
    EXPECT_TRUE(MatchesGolden(m_folder, "AppMyAppDesign.cpp"));
    EXPECT_TRUE(MatchesGolden(m_folder, "myapp.rvpro"));
}

TEST_F(SkeletonGeneratorTest, SecondRunRewritesOnlyMarkedFilesAndKeepsTheUsersWork)
{
    Run(Everything());
    const std::string resourceIds = File("resourceid.h");
    const std::string edited = File("DlgMain.cpp") + "// the user's code\n";
    WriteAll(m_folder / "DlgMain.cpp", edited);
    WriteAll(m_folder / "AppMyAppDesign.cpp", File("AppMyAppDesign.cpp") + "// stale\n");
    const std::string projectFile = File("myapp.rvpro");

    const std::vector<std::string> expectedLog = {
        "○ resourceid.h を更新しました。",
        "× main.cpp キャンセルしました。 first line has no YES",
        "× MyApp.cpp キャンセルしました。 first line has no YES",
        "× MyApp.h キャンセルしました。 first line has no YES",
        "× AppMyApp.cpp キャンセルしました。 first line has no YES",
        "× AppMyApp.h キャンセルしました。 first line has no YES",
        "○ AppMyAppDesign.cpp を更新しました。",
        "× DlgMain.cpp キャンセルしました。 first line has no YES",
        "× DlgMain.h キャンセルしました。 first line has no YES",
        "○ DlgMainDesign.cpp を更新しました。",
        "○ DlgMainDesign.h を更新しました。",
        "× DlgSettings.cpp キャンセルしました。 first line has no YES",
        "× DlgSettings.h キャンセルしました。 first line has no YES",
        "○ DlgSettingsDesign.cpp を更新しました。",
        "○ DlgSettingsDesign.h を更新しました。",
        "× myapp.rvpro キャンセルしました。 exists already",
    };
    EXPECT_EQ(Run(Everything()), expectedLog);

    EXPECT_EQ(File("DlgMain.cpp"), edited);
    EXPECT_TRUE(MatchesGolden(m_folder, "AppMyAppDesign.cpp"));
    EXPECT_EQ(File("myapp.rvpro"), projectFile);
    // The identifier counters start afresh with every run.
    EXPECT_EQ(File("resourceid.h"), resourceIds);
}

TEST_F(SkeletonGeneratorTest, MarkerInTheFirstLineDecidesWhetherAFileIsRewritten)
{
    Run(Everything());
    // Handed back: the marker in the first line, written by hand or by another editor that ends
    // its lines in CR LF.
    WriteAll(m_folder / "DlgMain.cpp", "// YES\nvoid Old();\n");
    WriteAll(m_folder / "MyApp.cpp", "// YES, regenerate\r\nint old;\r\n");
    // Still the user's: the marker only on the second line.
    const std::string secondLine = "// my header\n// YES\n";
    WriteAll(m_folder / "MyApp.h", secondLine);
    // A read-only file keeps its bytes even with the marker.
    const std::string readOnly = "// YES\nconst int kept = 1;\n";
    WriteAll(m_folder / "AppMyApp.cpp", readOnly);
    fs::permissions(m_folder / "AppMyApp.cpp", fs::perms(0444));
    // A folder where a file would go.
    fs::remove(m_folder / "AppMyApp.h");
    fs::create_directory(m_folder / "AppMyApp.h");

    SkeletonSettings settings = Everything();
    settings.writeResourceId = false;
    settings.writeMain = false;
    settings.writeProjectFile = false;
    settings.dialogScope = kx::kScopeThisDialog;
    settings.dialogName = "Main";
    const std::vector<std::string> expectedLog = {
        "○ MyApp.cpp を更新しました。",
        "× MyApp.h キャンセルしました。 first line has no YES",
        "× AppMyApp.cpp キャンセルしました。 file is read-only",
        "× AppMyApp.h キャンセルしました。 a folder has this name",
        "○ AppMyAppDesign.cpp を更新しました。",
        "○ DlgMain.cpp を更新しました。",
        "× DlgMain.h キャンセルしました。 first line has no YES",
        "○ DlgMainDesign.cpp を更新しました。",
        "○ DlgMainDesign.h を更新しました。",
    };
    EXPECT_EQ(Run(settings), expectedLog);

    // Rewritten with the marker line and without the notice lines of regenerated files.
    EXPECT_EQ(File("DlgMain.cpp"), MarkedBanner("DlgMain.cpp") + GoldenBody("DlgMain.cpp"));
    EXPECT_EQ(File("MyApp.cpp"), MarkedBanner("MyApp.cpp") + GoldenBody("MyApp.cpp"));
    EXPECT_EQ(File("MyApp.h"), secondLine);
    EXPECT_EQ(File("AppMyApp.cpp"), readOnly);
    EXPECT_TRUE(fs::is_directory(m_folder / "AppMyApp.h"));

    // A marked skeleton file stays marked: the next run rewrites it again.
    WriteAll(m_folder / "DlgMain.cpp", File("DlgMain.cpp") + "// added\n");
    Run(settings);
    EXPECT_EQ(File("DlgMain.cpp"), MarkedBanner("DlgMain.cpp") + GoldenBody("DlgMain.cpp"));
}

TEST_F(SkeletonGeneratorTest, TheMarkerTestReadsOneBoundedLine)
{
    // A file of one endless line is read only as far as a generated first line can reach: a
    // "YES" far behind is not seen, and the file stays the user's.
    const std::string endless = std::string(8 << 20, 'x') + "YES\n";
    WriteAll(m_folder / "MyApp.cpp", endless);
    WriteAll(m_folder / "MyApp.h", "// YES " + std::string(4000, '-') + "\nint old;\n");
    SkeletonSettings settings;
    settings.outputFolder = m_folder.string();
    settings.writeResourceId = false;
    settings.writeDialogs = false;
    const std::vector<std::string> log = Run(settings);
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0], "× MyApp.cpp キャンセルしました。 first line has no YES");
    EXPECT_EQ(log[1], "○ MyApp.h を更新しました。");
    EXPECT_EQ(File("MyApp.cpp").size(), endless.size());
}

TEST_F(SkeletonGeneratorTest, DialogsAreSelectedByExactNameOrAll)
{
    SkeletonSettings settings;
    settings.outputFolder = m_folder.string();
    settings.writeResourceId = false;
    settings.writeApplication = false;

    // A new window's settings: scope "this dialog" with no name selects nothing.
    EXPECT_TRUE(Run(settings).empty());
    settings.dialogName = "settings";
    EXPECT_TRUE(Run(settings).empty());

    settings.dialogName = "Settings";
    const std::vector<std::string> settingsOnly = {
        "○ DlgSettings.cpp を更新しました。",
        "○ DlgSettings.h を更新しました。",
        "○ DlgSettingsDesign.cpp を更新しました。",
        "○ DlgSettingsDesign.h を更新しました。",
    };
    EXPECT_EQ(Run(settings), settingsOnly);
    EXPECT_FALSE(fs::exists(m_folder / "DlgMain.cpp"));

    // With scope "all" the name does not matter.
    settings.dialogScope = kx::kScopeAllDialogs;
    EXPECT_EQ(Run(settings).size(), 8u);
    settings.writeDialogs = false;
    EXPECT_TRUE(Run(settings).empty());
}

TEST_F(SkeletonGeneratorTest, GetTextSupportIsTakenAfreshByEveryRun)
{
    SkeletonSettings settings = Everything();
    settings.getTextSupport = true;
    Run(settings);
    EXPECT_NE(File("DlgMainDesign.cpp").find("_(\"ようこそ\")"), std::string::npos);

    settings.getTextSupport = false;
    Run(settings);
    EXPECT_EQ(File("DlgMainDesign.cpp").find("_(\""), std::string::npos);
    EXPECT_NE(File("DlgMainDesign.cpp").find("\"ようこそ\""), std::string::npos);
}

TEST_F(SkeletonGeneratorTest, WithoutAProjectEveryFileIsCancelledUnderItsPlaceholder)
{
    const std::vector<std::string> expectedLog = {
        "× resourceid.h キャンセルしました。 no project is open",
        "× main.cpp キャンセルしました。 no project is open",
        "× ???.cpp キャンセルしました。 no project is open",
        "× ???.h キャンセルしました。 no project is open",
        "× App???.cpp キャンセルしました。 no project is open",
        "× App???Class.cpp キャンセルしました。 no project is open",
        "× App???.cpp キャンセルしました。 no project is open",
        "× ???.rvpro キャンセルしました。 no project is open",
    };
    EXPECT_EQ(LogLines(RunGeneration(nullptr, Everything(), &m_messages)), expectedLog);
    EXPECT_TRUE(fs::is_empty(m_folder));
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(SkeletonGeneratorTest, ProjectWithoutDialogsRefusesMainAndListsNoDialogSources)
{
    m_project.Dialogs().Clear();
    SkeletonSettings settings = Everything();
    settings.writeApplication = false;
    const std::vector<std::string> expectedLog = {
        "○ resourceid.h を更新しました。",
        "× main.cpp キャンセルしました。 the project has no dialog",
        "○ myapp.rvpro を更新しました。",
    };
    EXPECT_EQ(Run(settings), expectedLog);
    EXPECT_FALSE(fs::exists(m_folder / "main.cpp"));

    const std::string text = File("myapp.rvpro");
    const std::string sources = text.substr(text.find("[ProjectSource]\n"));
    EXPECT_EQ(sources,
        "[ProjectSource]\n"
        "000=@Source@main.cpp,0\n"
        "001=@Source@MyApp.h,0\n"
        "002=@Source@MyApp.cpp,0\n"
        "003=@Source@AppMyApp.cpp,0\n"
        "004=@Source@AppMyApp.h,0\n"
        "005=@Source@AppMyAppDesign.cpp,0\n"
        "006=@Lib@\n"
        "007=@Document@\n");
}

TEST_F(SkeletonGeneratorTest, ProjectFileIsOnlyEverCreated)
{
    SkeletonSettings settings;
    settings.outputFolder = m_folder.string();
    settings.writeResourceId = false;
    settings.writeApplication = false;
    settings.writeDialogs = false;
    settings.writeProjectFile = true;

    fs::create_directory(m_folder / "myapp.rvpro");
    EXPECT_EQ(Run(settings),
        std::vector<std::string> {"× myapp.rvpro キャンセルしました。 exists already"});
    fs::remove(m_folder / "myapp.rvpro");

    // A project name in Japanese: the file name stays as the file system spells it, the
    // entries are in the Windows Japanese code page.
    m_project.Root().SetProjectName("テスト");
    EXPECT_EQ(Run(settings), std::vector<std::string> {"○ テスト.rvpro を更新しました。"});
    const std::string text = File("テスト.rvpro");
    EXPECT_NE(text.find("NAME=" + kx::ToShiftJis("テスト") + "\n"), std::string::npos);
    EXPECT_NE(text.find("001=@Source@" + kx::ToShiftJis("テスト") + ".h,0\n"), std::string::npos);

    // Dialogs added since do not change an existing file.
    auto dialog = std::make_unique<CKXDialogData>("Extra", m_project.Prefixes());
    dialog->SetName("Extra");
    m_project.Dialogs().Add(dialog);
    EXPECT_EQ(Run(settings),
        std::vector<std::string> {"× テスト.rvpro キャンセルしました。 exists already"});
    EXPECT_EQ(File("テスト.rvpro"), text);
}

TEST_F(SkeletonGeneratorTest, OutputFolderGetsItsSlashAndAMissingOneCancelsEverything)
{
    EXPECT_EQ(kx::GenerationFolder(""), "./");
    EXPECT_EQ(kx::GenerationFolder("out"), "out/");
    EXPECT_EQ(kx::GenerationFolder("/a/b/"), "/a/b/");

    // Typed without the slash: the files land inside the folder, not beside it.
    fs::create_directory(m_folder / "src");
    SkeletonSettings settings;
    settings.outputFolder = (m_folder / "src").string();
    settings.writeDialogs = false;
    Run(settings);
    EXPECT_TRUE(fs::exists(m_folder / "src" / "resourceid.h"));
    EXPECT_TRUE(fs::exists(m_folder / "src" / "MyApp.h"));
    EXPECT_FALSE(fs::exists(m_folder / "srcMyApp.h"));

    // A folder that does not exist: every file is cancelled, and the project file, which the
    // run has to create, says so once.
    settings = Everything();
    settings.outputFolder = (m_folder / "missing").string();
    for (const std::string &line : Run(settings))
        EXPECT_EQ(line.rfind("× ", 0), 0u) << line;
    ASSERT_EQ(m_messages.Messages().size(), 1u);
    EXPECT_EQ(m_messages.Messages()[0].text, "ファイルのオープンに失敗しました.\nmyapp.rvpro");
    EXPECT_FALSE(fs::exists(m_folder / "missing"));
}

TEST(SkeletonLogTest, NamesAndCase)
{
    EXPECT_EQ(UpdatedLine("a.h"), "○ a.h を更新しました。");
    EXPECT_EQ(CancelledLine("a.h"), "× a.h キャンセルしました。");
    EXPECT_EQ(CancelledLine("a.h", "first line has no YES"),
        "× a.h キャンセルしました。 first line has no YES");
    // Only ASCII letters change; the bytes of other characters stay.
    EXPECT_EQ(kx::AsciiUpper("DlgMain_2"), "DLGMAIN_2");
    EXPECT_EQ(kx::AsciiLower("MyApp"), "myapp");
    EXPECT_EQ(kx::AsciiLower("Aテスト"), "aテスト");
}

// ---- The INI file ----

TEST(IniFileTest, KeepsSectionsAndKeysInWritingOrder)
{
    kx::IniFile ini;
    ini.SetString("B", "second", "2");
    ini.SetString("A", "first", "1");
    ini.SetInt("B", "number", -7);
    // Names match without regard to case; the first spelling and the place stay.
    ini.SetString("b", "SECOND", "two");
    ini.SetString("A", "empty", "");
    EXPECT_EQ(ini.ToText(),
        "[B]\n"
        "second=two\n"
        "number=-7\n"
        "\n"
        "[A]\n"
        "first=1\n"
        "empty=\n");
    EXPECT_EQ(ini.GetInt("b", "NUMBER", 0), -7);
    EXPECT_EQ(ini.GetString("A", "missing", "x"), "x");
    EXPECT_EQ(ini.Find("C", "first"), nullptr);
    EXPECT_EQ(kx::IniFile().ToText(), "");
}

TEST(IniFileTest, ReadsWhatOtherEditorsWrite)
{
    const kx::IniFile ini = kx::IniFile::FromText("stray=before any section\r\n"
                                                  "; a comment\r\n"
                                                  "[PREFIX]\r\n"
                                                  "  App = App  \r\n"
                                                  "Dlg=Dlg=x\r\n"
                                                  "no equals sign\r\n"
                                                  "\r\n"
                                                  "[ Other ]\n"
                                                  "Size=+12px\n"
                                                  "Bad=twelve\n"
                                                  "[prefix]\n"
                                                  "App=Application");
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.GetString("PREFIX", "App"), "Application");
    EXPECT_EQ(ini.GetString("PREFIX", "Dlg"), "Dlg=x");
    EXPECT_EQ(ini.Sections()[0].entries.size(), 2u);
    EXPECT_EQ(ini.GetString("Other", "size"), "+12px");
    EXPECT_EQ(ini.GetInt("Other", "Size", 0), 12);
    EXPECT_EQ(ini.GetInt("Other", "Bad", 5), 5);
    EXPECT_EQ(ini.Find("", "stray"), nullptr);

    // What it writes, it reads back the same.
    EXPECT_EQ(kx::IniFile::FromText(ini.ToText()).ToText(), ini.ToText());

    kx::IniFile untouched;
    untouched.SetString("S", "k", "v");
    EXPECT_FALSE(untouched.Load("/nonexistent/DialogEditor.ini"));
    EXPECT_FALSE(untouched.Load("/tmp"));
    EXPECT_EQ(untouched.GetString("S", "k"), "v");
}
