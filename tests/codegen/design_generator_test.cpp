// The design files of dialogs and the resource identifier header, checked against expected files
// written by hand for a test project that uses every object type and every variant of the
// statements. A mismatch prints a unified diff and keeps the generated file.
#include "codegen/design_context.h"
#include "codegen/generation_state.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/xml_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kDesignData = fs::path(KX_TEST_DATA_DIR) / "codegen" / "design";

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The output folder of one test. It is removed when the test passed and kept, for a look at
// what was generated, when it failed.
class OutputDir {
public:
    explicit OutputDir(const std::string &name)
        : m_path(fs::temp_directory_path() / ("kx-design-" + name + "-" + std::to_string(getpid())))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~OutputDir()
    {
        if (!::testing::Test::HasFailure())
            fs::remove_all(m_path);
    }
    OutputDir(const OutputDir &) = delete;
    OutputDir &operator=(const OutputDir &) = delete;

    // The folder as the generators take it, ending in '/'.
    std::string Folder() const { return m_path.string() + "/"; }
    fs::path File(const std::string &name) const { return m_path / name; }

private:
    fs::path m_path;
};

// Where the two texts first differ, for when no diff program can be run.
std::string FirstDifference(const std::string &expected, const std::string &actual)
{
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string el;
    std::string al;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, el));
        const bool moreA = static_cast<bool>(std::getline(a, al));
        if (!moreE && !moreA)
            return "the texts differ only in their last line end\n";
        if (!moreE || !moreA || el != al) {
            return "first difference in line " + std::to_string(line) + ":\n-" + el + "\n+" + al
                + "\n";
        }
    }
}

// Compares a generated file byte for byte with the expected one.
::testing::AssertionResult MatchesExpected(const fs::path &expected, const fs::path &actual)
{
    if (!fs::exists(actual))
        return ::testing::AssertionFailure() << actual << " was not generated";
    const std::string want = ReadAll(expected);
    const std::string got = ReadAll(actual);
    if (want == got)
        return ::testing::AssertionSuccess();
    std::string diff;
    const std::string command
        = "diff -u '" + expected.string() + "' '" + actual.string() + "' 2>/dev/null";
    if (std::FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            diff.append(buffer, n);
        pclose(pipe);
    }
    if (diff.empty())
        diff = FirstDifference(want, got);
    return ::testing::AssertionFailure()
        << actual << " differs from " << expected << " (the generated file is kept):\n"
        << diff;
}

// The project of the expected files.
void ReadTestProject(CProjectContext &project)
{
    kx::RecordingMessageSink messages;
    kx::ProjectReader reader(project, messages);
    ASSERT_TRUE(reader.ReadFile((kDesignData / "project.xml").string()));
    ASSERT_FALSE(reader.ParseFailed()) << reader.LastError();
    ASSERT_TRUE(messages.Messages().empty());
    ASSERT_EQ(project.Dialogs().Count(), 3);
}

// The banner of the identifier header, as the marker rule and its notice give it.
const std::string kResourceIdBanner
    = "// YES -----------------------------------------------------------------\n"
      "// resourceid.h\n"
      "// ※ このファイルはダイアログエディタが自動的に書き換えます。\n"
      "//    ファイル先頭の「YES」を消すと更新されなくなります。\n"
      "//----------------------------------------------------------------------\n";

class DesignGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override { ReadTestProject(m_project); }

    CKXDialogData &Dialog(const std::string &name)
    {
        CKXDialogData *dialog = m_project.Dialogs().FindByName(name);
        EXPECT_NE(dialog, nullptr) << name;
        return *dialog;
    }

    CProjectContext m_project;
};

TEST_F(DesignGeneratorTest, EveryGeneratedFileMatchesItsExpectedText)
{
    OutputDir out("all");
    kx::GenerationState state;
    state.getTextSupport = true;
    const kx::GenerationResult header = kx::WriteResourceIdHeader(&m_project, out.Folder(), state);
    ASSERT_TRUE(header.IsWritten()) << header.reason;
    EXPECT_EQ(header.fileName, "resourceid.h");
    for (const auto &dialog : m_project.Dialogs()) {
        kx::GenerationResult result
            = kx::WriteDialogDesignHeader(m_project, *dialog, out.Folder(), state);
        ASSERT_TRUE(result.IsWritten()) << result.reason;
        EXPECT_EQ(result.fileName, dialog->ClassName() + "Design.h");
        result = kx::WriteDialogDesignSource(m_project, *dialog, out.Folder(), state);
        ASSERT_TRUE(result.IsWritten()) << result.reason;
        EXPECT_EQ(result.fileName, dialog->ClassName() + "Design.cpp");
    }

    int compared = 0;
    for (const auto &entry : fs::directory_iterator(kDesignData / "expected")) {
        EXPECT_TRUE(MatchesExpected(entry.path(), out.File(entry.path().filename().string())));
        ++compared;
    }
    EXPECT_EQ(compared, 7);
}

TEST_F(DesignGeneratorTest, WithoutGetTextSupportEveryTextStaysInPlainQuotes)
{
    OutputDir out("plain");
    const kx::GenerationState state; // GetText support is off unless the run turns it on
    ASSERT_TRUE(
        kx::WriteDialogDesignSource(m_project, Dialog("Main"), out.Folder(), state).IsWritten());
    EXPECT_TRUE(MatchesExpected(
        kDesignData / "expected_no_gettext" / "DlgMainDesign.cpp", out.File("DlgMainDesign.cpp")));
}

TEST_F(DesignGeneratorTest, ClickCasesListTheClickableObjectsInPreOrder)
{
    // A group's own "Click" never gives a case: the library reports clicks of objects only.
    ASSERT_TRUE(Dialog("Main").RootGroup()->FindByName("OGTexts")->Click());

    OutputDir out("clicks");
    CXmlFile file;
    ASSERT_TRUE(file.OpenForGeneration(out.File("cases.txt").string()));
    kx::CodeStream stream(file);
    Dialog("Main").RootGroup()->EmitClickCase(stream);
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadAll(out.File("cases.txt")),
        "\t \tcase OBOk:\n\t \t\tbreak;\n"
        "\t \tcase OBCancel:\n\t \t\tbreak;\n"
        "\t \tcase OBStyled:\n\t \t\tbreak;\n"
        "\t \tcase OBRightAlignedStretch:\n\t \t\tbreak;\n"
        "\t \tcase OBNoFont:\n\t \t\tbreak;\n"
        "\t \tcase OBImageFont:\n\t \t\tbreak;\n"
        "\t \tcase OEMargin:\n\t \t\tbreak;\n"
        "\t \tcase OFPanel:\n\t \t\tbreak;\n"
        "\t \tcase OPBadge:\n\t \t\tbreak;\n"
        "\t \tcase OIWifi:\n\t \t\tbreak;\n"
        "\t \tcase OMOnce:\n\t \t\tbreak;\n"
        "\t \tcase OCDraw:\n\t \t\tbreak;\n"
        "\t \tcase OTVerticalText1:\n\t \t\tbreak;\n");
}

TEST_F(DesignGeneratorTest, EachFileOfThePairIsDecidedOnItsOwn)
{
    OutputDir out("owned");
    const kx::GenerationState state;
    CKXDialogData &dialog = Dialog("empty");
    const std::string users = "// my own header, no marker\nint keep;\n";
    WriteAll(out.File("DlgemptyDesign.h"), users);

    const kx::GenerationResult kept
        = kx::WriteDialogDesignHeader(m_project, dialog, out.Folder(), state);
    EXPECT_EQ(kept.outcome, kx::FileOutcome::KeptForUser);
    EXPECT_EQ(kept.fileName, "DlgemptyDesign.h");
    EXPECT_EQ(kept.LogLine(), "× DlgemptyDesign.h キャンセルしました。 first line has no YES");
    EXPECT_EQ(ReadAll(out.File("DlgemptyDesign.h")), users);

    const kx::GenerationResult written
        = kx::WriteDialogDesignSource(m_project, dialog, out.Folder(), state);
    ASSERT_TRUE(written.IsWritten());
    EXPECT_EQ(written.fileName, "DlgemptyDesign.cpp");
    EXPECT_EQ(written.LogLine(), "○ DlgemptyDesign.cpp を更新しました。");
    // The source carries the marker, so the next run rewrites it with the same text.
    const std::string first = ReadAll(out.File("DlgemptyDesign.cpp"));
    ASSERT_TRUE(kx::WriteDialogDesignSource(m_project, dialog, out.Folder(), state).IsWritten());
    EXPECT_EQ(ReadAll(out.File("DlgemptyDesign.cpp")), first);
    EXPECT_TRUE(MatchesExpected(
        kDesignData / "expected" / "DlgemptyDesign.cpp", out.File("DlgemptyDesign.cpp")));

    // A missing output folder fails the file, and the log still gets its name and the reason.
    const kx::GenerationResult missing
        = kx::WriteDialogDesignSource(m_project, dialog, out.Folder() + "missing/", state);
    EXPECT_EQ(missing.outcome, kx::FileOutcome::Failed);
    EXPECT_EQ(missing.LogLine(), "× DlgemptyDesign.cpp キャンセルしました。 folder does not exist");
}

// The statements of single objects, built with the model.
class DesignObjectTest : public ::testing::Test {
protected:
    DesignObjectTest() { m_root->SetRoot(true); }
    ~DesignObjectTest() override { kx::DeleteTree(m_root); }

    // What EmitDesign writes for the object under the root group.
    std::string Design(const CObjectData &object, const kx::DesignContext &context)
    {
        OutputDir out("object");
        CXmlFile file;
        EXPECT_TRUE(file.OpenForGeneration(out.File("design.txt").string()));
        kx::CodeStream stream(file);
        object.EmitDesign(stream, 1, context);
        EXPECT_TRUE(file.Close());
        return ReadAll(out.File("design.txt"));
    }

    CObjectDataList *m_root = new CObjectDataList(nullptr);
};

TEST_F(DesignObjectTest, WithoutImageDefinitionsEveryStyleCountsAsTheDefinitions)
{
    // The font, the margin and the stretch mode would all differ from any definition.
    CObjectData *button = m_root->CreateChild(kTypeButton, "OBLone");
    button->SetImage("IBBlue");
    button->SetFont("FOther");
    button->SetMarginY(3);
    button->SetStretch(1);
    button->SetAttr(2);
    const kx::DesignContext noProject {nullptr, false};
    EXPECT_EQ(Design(*button, noProject),
        "\tobj = pGroup1->AddButton(this,OBLone,\"\",0,0,0,IBBlue,KX_ATTR_ACTIVE);\n");

    // A line spacing of its own still needs the full style in front of it.
    button->SetLinespace(12);
    EXPECT_EQ(Design(*button, noProject),
        "\tobj = pGroup1->AddButton(this,OBLone,\"\",0,0,0,IBBlue,KX_ATTR_ACTIVE,FOther,"
        "KX_ALIGN_CENTER|KX_ALIGN_MIDDLE|KX_ALIGN_XSTRETCH,0,3,12);\n");
}

TEST(ResourceIdHeaderTest, AnEmptyProjectGivesTheThreeSectionsWithoutDefines)
{
    OutputDir out("empty");
    CProjectContext project;
    kx::GenerationState state;
    ASSERT_TRUE(kx::WriteResourceIdHeader(&project, out.Folder(), state).IsWritten());
    EXPECT_EQ(ReadAll(out.File("resourceid.h")),
        kResourceIdBanner
            + "#pragma once\n"
              "#define KEYBOARD 999\n"
              "\n// Font\n"
              "\n// Image\n"
              "\n// Dialog\n");
    EXPECT_EQ(state.fontCounter, 1000);
    EXPECT_EQ(state.imageCounter, 2000);
    EXPECT_EQ(state.dialogCounter, 3000);
}

TEST(ResourceIdHeaderTest, WithoutAProjectNothingIsWritten)
{
    OutputDir out("none");
    kx::GenerationState state;
    const kx::GenerationResult result = kx::WriteResourceIdHeader(nullptr, out.Folder(), state);
    EXPECT_EQ(result.outcome, kx::FileOutcome::NotGenerated);
    EXPECT_EQ(result.LogLine(), "× resourceid.h キャンセルしました。 no project is open");
    EXPECT_FALSE(fs::exists(out.File("resourceid.h")));
}

TEST(ResourceIdHeaderTest, EachRunNumbersFromTheCountersItIsGiven)
{
    CProjectContext project;
    ReadTestProject(project);
    OutputDir out("runs");

    kx::GenerationState first;
    ASSERT_TRUE(kx::WriteResourceIdHeader(&project, out.Folder(), first).IsWritten());
    const std::string firstText = ReadAll(out.File("resourceid.h"));
    EXPECT_EQ(first.fontCounter, 1003);
    EXPECT_EQ(first.imageCounter, 2004);
    EXPECT_EQ(first.dialogCounter, 3003);

    // A new run starts from fresh counters and gives the same numbers.
    kx::GenerationState second;
    ASSERT_TRUE(kx::WriteResourceIdHeader(&project, out.Folder(), second).IsWritten());
    EXPECT_EQ(ReadAll(out.File("resourceid.h")), firstText);

    // Counters that were not reset go on where they stopped.
    ASSERT_TRUE(kx::WriteResourceIdHeader(&project, out.Folder(), second).IsWritten());
    const std::string third = ReadAll(out.File("resourceid.h"));
    EXPECT_NE(third.find("#define FGothic16                      1003\n"), std::string::npos);
    EXPECT_NE(third.find("#define DLGMAIN                        3003\n"), std::string::npos);
}

TEST(ResourceIdHeaderTest, JapaneseNamesAreWrittenAsTheyAreOnDisk)
{
    // Names are UTF-8 in the model; upper-casing touches ASCII letters only, and a name is
    // padded by the columns its characters take on screen (two for "ッ").
    CProjectContext project;
    project.Prefixes().Set(kx::kPrefixDlg, "dlg");
    auto dialog = std::make_unique<CKXDialogData>("ッx", project.Prefixes());
    dialog->SetName("ッx");
    ASSERT_GE(project.Dialogs().Add(dialog), 0);

    OutputDir out("mb");
    kx::GenerationState state;
    ASSERT_TRUE(kx::WriteResourceIdHeader(&project, out.Folder(), state).IsWritten());
    EXPECT_EQ(ReadAll(out.File("resourceid.h")),
        kResourceIdBanner
            + "#pragma once\n"
              "#define KEYBOARD 999\n"
              "\n// Font\n"
              "\n// Image\n"
              "\n// Dialog\n"
              "#define DLGッX                         3000\n");

    // The design source includes the class header by the name the file has on disk.
    ASSERT_TRUE(kx::WriteDialogDesignSource(project, *project.Dialogs().At(0), out.Folder(), state)
                    .IsWritten());
    const std::string source = ReadAll(out.File("dlgッxDesign.cpp"));
    EXPECT_NE(source.find("// dlgッxDesign.cpp\n"), std::string::npos);
    EXPECT_NE(source.find("#include \"dlgッx.h\"\n"), std::string::npos);
    EXPECT_NE(source.find("namespace _dlgッx\n"), std::string::npos);
}

} // namespace
