// What a project may put into generated code: the rules for identifiers, quoted file names,
// colours and the names of generated files, and a whole run with a hostile name in each place
// the generators write one.
#include "codegen/code_names.h"
#include "codegen/skeleton_generator.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include <unistd.h>

namespace fs = std::filesystem;

TEST(CodeNamesTest, IdentifiersFileNamesAndColours)
{
    // Identifiers: ASCII letters, digits, "_" and non-ASCII characters, no leading digit.
    for (const char *name : {"OB1", "_x", "ボタン1", "DlgMain_2", ""})
        EXPECT_EQ(kx::IdentifierProblem("object", name), "") << name;
    EXPECT_EQ(kx::IdentifierProblem("object", "1st"),
        "object name \"1st\" is not an identifier: a name cannot begin with a digit");
    EXPECT_EQ(kx::IdentifierProblem("dialog", "Main\n#error"),
        "dialog name \"Main\\n#error\" is not an identifier: a name consists of ASCII letters, "
        "digits and underscores (_); it holds a line feed");
    EXPECT_EQ(kx::IdentifierProblem("font", "a b"),
        "font name \"a b\" is not an identifier: a name consists of ASCII letters, digits and "
        "underscores (_); it holds a blank");
    EXPECT_EQ(kx::IdentifierProblem("image", "I\"x"),
        "image name \"I\"x\" is not an identifier: a name consists of ASCII letters, digits and "
        "underscores (_); it holds a quote");
    EXPECT_EQ(kx::IdentifierProblem("image", "a-b"),
        "image name \"a-b\" is not an identifier: a name consists of ASCII letters, digits and "
        "underscores (_); it holds the character '-'");
    EXPECT_EQ(kx::IdentifierProblem("object", std::string("a\x01", 2)),
        "object name \"a\\x01\" is not an identifier: a name consists of ASCII letters, digits and "
        "underscores (_); it holds a control character");
    EXPECT_EQ(kx::IdentifierTailProblem("colour", "1A"), "");

    EXPECT_EQ(kx::LiteralProblem("picture file", "sub/ok 1.png"), "");
    EXPECT_EQ(kx::LiteralProblem("picture file", "a\".png"),
        "picture file name \"a\".png\" cannot be written in quotes: it holds a quote");
    EXPECT_EQ(kx::LiteralProblem("font file", "a\\b"),
        "font file name \"a\\b\" cannot be written in quotes: it holds a backslash");
    EXPECT_EQ(kx::TextLiteralProblem("OT1", "He said \"hi\""), ""); // written as held
    EXPECT_EQ(kx::TextLiteralProblem("OT1", "a\nb"),
        "the text of object \"OT1\" cannot be written in quotes: it holds a line feed");

    for (const char *colour : {"KX_COL_RED", "RGB(0x12,0x3,0xff)", ""})
        EXPECT_EQ(kx::ColourExpressionProblem("background colour", colour), "") << colour;
    EXPECT_NE(kx::ColourExpressionProblem("background colour", "RGB(1);x("), "");
    EXPECT_NE(kx::ColourExpressionProblem("background colour", "KX_COL_RED);"), "");
    EXPECT_NE(kx::ColourExpressionProblem("background colour", "red"), "");

    EXPECT_EQ(kx::GeneratedFileNameProblem("DlgMain.cpp", 255), "");
    EXPECT_EQ(kx::GeneratedFileNameProblem("", 255), "the file name is empty");
    EXPECT_EQ(
        kx::GeneratedFileNameProblem("..", 255), "the file name \"..\" leaves the output folder");
    EXPECT_EQ(kx::GeneratedFileNameProblem("../x.h", 255),
        "the file name \"../x.h\" holds a folder separator");
    EXPECT_EQ(kx::GeneratedFileNameProblem("a\\b.h", 255),
        "the file name \"a\\b.h\" holds a folder separator");
    EXPECT_EQ(kx::GeneratedFileNameProblem("a\tb.h", 255), "the file name \"a\\tb.h\" holds a tab");
    // With the suffix of a save's temporary file (24 characters) a name must fit the limit.
    EXPECT_EQ(kx::GeneratedFileNameProblem(std::string(231, 'a'), 255), "");
    EXPECT_NE(kx::GeneratedFileNameProblem(std::string(232, 'a'), 255), "");

    // Messages show names on one line, cut between characters.
    EXPECT_EQ(kx::PrintableName(std::string(59, 'a') + "あ"), std::string(59, 'a') + "...");
    EXPECT_EQ(kx::EscapedName("a\nb\x7f"), "a\\nb\\x7F");
    EXPECT_EQ(kx::PaddedRight("ッx", 5), "ッx  "); // the character takes two columns
}

namespace {

// A project with one name of each kind that the generators write, read from a file.
const char *const kProject = R"(<root>
<Property><PrefixApp>App</PrefixApp><PrefixDlg>Dlg</PrefixDlg><Name>Demo</Name></Property>
<Font><Name>F1</Name><File>f.ttf</File></Font>
<Image><Type>Button</Type><Name>IB1</Name><Normal>n.png</Normal><NormalCol>RED</NormalCol>
<Font>F1</Font></Image>
<Dialog><Name>Main</Name><ColorBG>KX_COL_WHITE</ColorBG><Objects>
<Object><Type>Button</Type><Name>OB1</Name><Image>IB1</Image><Font>F1</Font><Text>t</Text></Object>
<Objects><Name>OG1</Name>
<Object><Type>Text</Type><Name>OT1</Name><Font>F1</Font><TextCol>RED</TextCol>
<TextColSub>BLACK</TextColSub><Text>t</Text></Object>
<Object><Type>Picture</Type><Name>OP1</Name><ImageFile>p.png</ImageFile></Object>
</Objects></Objects></Dialog></root>
)";

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(CodeNamesTest, AHostileNameInAnyPlaceCancelsTheFilesItWouldGoInto)
{
    const std::string evil = "\n#error injected\n";
    // The text of the project to replace, and the files that must be refused then. The class
    // files of a dialog include its design files, so they go with them.
    const struct {
        const char *original;
        std::set<std::string> refused;
    } cases[] = {
        {"<Name>Demo</Name>",
            {"main.cpp", "Demo.cpp", "Demo.h", "AppDemo.cpp", "AppDemo.h", "AppDemoDesign.cpp",
                "DlgMain.h", "demo.rvpro"}},
        {"<PrefixApp>App</PrefixApp>",
            {"main.cpp", "AppDemo.cpp", "AppDemo.h", "AppDemoDesign.cpp", "DlgMain.h",
                "demo.rvpro"}},
        {"<PrefixDlg>Dlg</PrefixDlg>",
            {"resourceid.h", "main.cpp", "DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp",
                "DlgMainDesign.h", "demo.rvpro"}},
        {"<Name>Main</Name>",
            {"resourceid.h", "main.cpp", "DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp",
                "DlgMainDesign.h", "demo.rvpro"}},
        {"<Name>F1</Name>", {"resourceid.h", "AppDemoDesign.cpp"}},
        {"<File>f.ttf</File>", {"AppDemoDesign.cpp"}},
        {"<Name>IB1</Name>", {"resourceid.h", "AppDemoDesign.cpp"}},
        {"<Normal>n.png</Normal>", {"AppDemoDesign.cpp"}},
        {"<NormalCol>RED</NormalCol>", {"AppDemoDesign.cpp"}},
        {"<Font>F1</Font></Image>", {"AppDemoDesign.cpp"}},
        {"<ColorBG>KX_COL_WHITE</ColorBG>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
        {"<Name>OB1</Name>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp", "DlgMainDesign.h"}},
        {"<Image>IB1</Image>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
        {"<Name>OG1</Name>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp", "DlgMainDesign.h"}},
        {"<TextCol>RED</TextCol>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
        {"<TextColSub>BLACK</TextColSub>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
        {"<Font>F1</Font><TextCol>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
        {"<Text>t</Text></Object>\n<Object>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
        {"<ImageFile>p.png</ImageFile>", {"DlgMain.cpp", "DlgMain.h", "DlgMainDesign.cpp"}},
    };
    const fs::path dir = fs::temp_directory_path() / ("kxcodenames" + std::to_string(getpid()));
    for (const auto &c : cases) {
        std::string text = kProject;
        const std::size_t at = text.find(c.original);
        ASSERT_NE(at, std::string::npos) << c.original;
        // The value gets the hostile lines inside it, before its closing tag.
        const std::size_t close = text.find("</", at);
        text.insert(close, evil);

        fs::remove_all(dir);
        fs::create_directories(dir);
        CProjectContext project;
        kx::RecordingMessageSink messages;
        kx::ProjectReader reader(project, messages);
        ASSERT_TRUE(reader.ReadContent(text, "p.xml"));
        kx::SkeletonSettings settings;
        settings.outputFolder = dir.string();
        settings.writeMain = true;
        settings.dialogScope = kx::kScopeAllDialogs;
        settings.writeProjectFile = true;
        std::set<std::string> refused;
        for (const kx::GenerationResult &result : kx::RunGeneration(&project, settings)) {
            if (result.outcome == kx::FileOutcome::Refused) {
                // Named without the hostile part, so that the cases read as file names.
                // (The reader drops the line feed at the end of a value.)
                const std::string_view hostile = "\n#error injected";
                std::string name = result.fileName;
                if (const std::size_t part = name.find(hostile); part != std::string::npos)
                    name.erase(part, hostile.size());
                refused.insert(name);
                EXPECT_NE(result.reason.find("a line feed"), std::string::npos) << result.reason;
            } else {
                EXPECT_TRUE(result.IsWritten()) << c.original << ": " << result.LogLine();
            }
        }
        EXPECT_EQ(refused, c.refused) << c.original;
        for (const auto &entry : fs::directory_iterator(dir)) {
            EXPECT_EQ(ReadAll(entry.path()).find("#error injected"), std::string::npos)
                << c.original << ": " << entry.path();
        }
    }
    fs::remove_all(dir);
}
