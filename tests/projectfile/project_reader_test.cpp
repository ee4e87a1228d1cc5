// Reading project files and pasted object text into the model: the sections of the file, values
// and their layout, duplicates, errors, nesting and hostile input.
#include "projectfile/clipboard_text.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"

#include "model/font_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using kx::MessageIcon;
using kx::ProjectReader;

namespace {

const std::string kAiUtf8 = "\xE3\x81\x82\xE3\x81\x84"; // あい
const std::string kAiCp932 = "\x82\xA0\x82\xA2";

// The editor's layout: one element per line, indented with one tab per level (written here as
// four blanks each, turned into tabs by Tabbed).
const char *const kProjectFile = R"(<?xml version="1.0"?>
<root>
    <Property>
        <Name>Demo</Name>
        <PrefixApp>MyApp</PrefixApp>
        <PrefixDID>ID_</PrefixDID>
    </Property>
    <Fonts>
        <Font>
            <Name>Gothic</Name>
            <Size>24</Size>
            <Bold>ON</Bold>
        </Font>
    </Fonts>
    <Images>
        <Image>
            <Type>Button</Type>
            <Name>BtnImage</Name>
            <Normal>n.png</Normal>
            <Font>Gothic</Font>
        </Image>
    </Images>
    <Dialogs>
        <Dialog>
            <Name>Main</Name>
            <Title>TITLE</Title>
            <Size>320,240</Size>
            <Objects>
                <Name>OGROOT</Name>
                <Object>
                    <Type>Text</Type>
                    <Name>Label</Name>
                    <Text>TITLE @lt;b@gt; @amp;</Text>
                    <Font>Mincho</Font>
                </Object>
            <Objects>
                <Name>Panel</Name>
                <Position>30,40</Position>
                <Object>
                    <Name>Ok</Name>
                    <Image>BtnImage</Image>
                </Object>
            </Objects>
            </Objects>
        </Dialog>
    </Dialogs>
</root>
)";

std::string Tabbed(std::string_view text)
{
    std::string result;
    bool lineStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lineStart && text.substr(i, 4) == "    ") {
            result += '\t';
            i += 3;
            continue;
        }
        lineStart = text[i] == '\n';
        result += text[i];
    }
    return result;
}

class ProjectReaderTest : public ::testing::Test {
protected:
    ProjectReaderTest()
        : m_dir(fs::temp_directory_path()
            / ("kxreader" + std::to_string(getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::create_directories(m_dir);
    }
    ~ProjectReaderTest() override { fs::remove_all(m_dir); }

    std::string WriteFile(const std::string &content, const std::string &name = "project.xml")
    {
        const std::string path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    bool Read(const std::string &content, const std::string &name = "project.xml")
    {
        return reader.ReadFile(WriteFile(content, name));
    }

    CKXDialogData *Dialog(const char *name) const { return project.Dialogs().FindByName(name); }

    CProjectContext project;
    kx::RecordingMessageSink messages;
    ProjectReader reader {project, messages};

private:
    fs::path m_dir;
};

} // namespace

TEST_F(ProjectReaderTest, ReadsEverySectionOfAFileInTheEditorsLayout)
{
    std::string file = Tabbed(kProjectFile);
    for (std::size_t at; (at = file.find("TITLE")) != std::string::npos;)
        file.replace(at, 5, kAiUtf8);
    const std::string path = WriteFile(file);
    ASSERT_TRUE(reader.ReadFile(path));
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_TRUE(reader.LastError().empty());
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(project.Root().ProjectFilePath(), path);
    EXPECT_TRUE(project.ProjectFolder().empty()); // the caller's job

    EXPECT_EQ(project.Root().ProjectName(), "Demo");
    // The class name follows the "App" prefix in force when the name is read.
    EXPECT_EQ(project.Root().AppClassName(), "AppDemo");
    EXPECT_EQ(project.Prefixes().Get(kx::kPrefixApp), "MyApp");
    EXPECT_EQ(project.Prefixes().Get(kx::kPrefixDID), "ID_");

    ASSERT_EQ(project.Fonts().Count(), 1);
    EXPECT_EQ(project.Fonts().At(0)->Size(), 24);
    EXPECT_TRUE(project.Fonts().At(0)->Bold());
    EXPECT_EQ(project.Fonts().At(0)->FaceId(), 100);

    ASSERT_EQ(project.Images().Count(), 1);
    const CImageData *image = project.Images().At(0);
    EXPECT_EQ(image->SlotFile(0), "n.png");
    EXPECT_EQ(image->FontName(), "Gothic"); // a value of the image, not a new font

    const CKXDialogData *dialog = Dialog("Main");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Title(), kAiCp932);
    EXPECT_EQ(dialog->Height(), 240);

    const CObjectDataList *root = dialog->RootGroup();
    EXPECT_EQ(root->Name(), "OGROOT");
    EXPECT_TRUE(root->IsRoot());
    ASSERT_EQ(root->ChildCount(), 2);
    const CObjectData *label = root->ChildAt(0);
    EXPECT_EQ(label->Type(), kTypeText);
    EXPECT_EQ(label->Text(), kAiCp932 + " <b> &");
    EXPECT_EQ(label->Font(), "Mincho");

    const CObjectDataList *panel = AsGroup(*root->ChildAt(1));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->IsRoot());
    EXPECT_EQ(panel->Name(), "Panel");
    EXPECT_EQ(panel->X(), 30);
    ASSERT_EQ(panel->ChildCount(), 1);
    EXPECT_EQ(panel->ChildAt(0)->Image(), "BtnImage");
    EXPECT_EQ(panel->ChildAt(0)->Parent(), panel);
}

TEST_F(ProjectReaderTest, TabsAndLineEndsAroundValuesAreLayoutButBlanksAreValues)
{
    ASSERT_TRUE(Read("<root><Property>\n<Name>\tA\tB\t</Name>\n"
                     "<PrefixApp>  X </PrefixApp>\r\n<PrefixDlg>\r\n</PrefixDlg>\n"
                     "</Property></root>"));
    EXPECT_EQ(project.Root().ProjectName(), "AB");
    EXPECT_EQ(project.Prefixes().Get(kx::kPrefixApp), "  X ");
    EXPECT_EQ(project.Prefixes().Get(kx::kPrefixDlg), "Dlg");

    ASSERT_TRUE(Read("<root><Property><Name>  </Name></Property></root>"));
    EXPECT_EQ(project.Root().ProjectName(), "  ");
    ASSERT_TRUE(Read("<root><Property><Name>\t</Name></Property></root>"));
    EXPECT_EQ(project.Root().ProjectName(), "  ");
}

TEST_F(ProjectReaderTest, ValuesInSeveralPiecesAreAppliedWhole)
{
    ASSERT_TRUE(Read("<root><Dialog><Name>D</Name><Title>a&amp;b&#x41;</Title>\n"
                     "<ColorBG>KX_COL_\nRED</ColorBG>\n"
                     "<Objects><Object><Name>x&lt;y</Name><Text>first\n"
                     "second</Text></Object></Objects></Dialog></root>"));
    EXPECT_FALSE(reader.ParseFailed());
    const CKXDialogData *dialog = Dialog("D");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Title(), "a&bA");
    EXPECT_EQ(dialog->BackgroundColour(), "KX_COL_\nRED");
    ASSERT_EQ(dialog->RootGroup()->ChildCount(), 1);
    EXPECT_EQ(dialog->RootGroup()->ChildAt(0)->Name(), "x<y");
    EXPECT_EQ(dialog->RootGroup()->ChildAt(0)->Text(), "first\nsecond");
}

TEST_F(ProjectReaderTest, ElementsOutsideTheirPlaceAreValuesOrIgnored)
{
    ASSERT_TRUE(Read("<root>"
                     "<Property><Name>P</Name></Property>"
                     "<PrefixDID>W</PrefixDID>" // still a property until a section starts
                     "<Objects><Name>Stray</Name></Objects>" // no dialog: harmless
                     "<Objects><Dialog><Title>T</Title>"
                     "<Font><File>f.ttf</File></Font>" // no font definition
                     "<Objects><Object><Name>O</Name><Font>F</Font><Image>I</Image></Object>"
                     "</Objects><Size>1,1</Size>" // after the objects: ignored
                     "</Dialog></Objects>"
                     "<Font><Name>Real</Name></Font>"
                     "</root>"));
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_EQ(project.Prefixes().Get(kx::kPrefixDID), "W");

    // A dialog without a name takes the "PrefixDID" in force when it starts.
    const CKXDialogData *dialog = Dialog("W");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Title(), "T");
    EXPECT_EQ(dialog->Width(), 640);
    ASSERT_EQ(dialog->RootGroup()->ChildCount(), 1);
    EXPECT_EQ(dialog->RootGroup()->ChildAt(0)->Font(), "F");
    EXPECT_EQ(dialog->RootGroup()->ChildAt(0)->Image(), "I");

    ASSERT_EQ(project.Fonts().Count(), 1);
    EXPECT_EQ(project.Fonts().At(0)->Name(), "Real");
    EXPECT_TRUE(project.Images().IsEmpty());
}

TEST_F(ProjectReaderTest, DefinitionsAndDialogsWithTakenNamesAreDroppedWhole)
{
    const std::string first
        = WriteFile("<root>"
                    "<Font><Name>F</Name><Size>10</Size></Font>"
                    "<Image><Name>I</Name><MarginX>1</MarginX></Image>"
                    "<Dialog><Name>D</Name><Title>first</Title>"
                    "<Objects><Object><Name>A</Name></Object></Objects></Dialog>"
                    "<Dialog><Name>D</Name><Title>second</Title>"
                    "<Objects><Objects><Object><Name>B</Name></Object></Objects></Objects>"
                    "</Dialog></root>",
            "first.xml");
    ASSERT_TRUE(reader.ReadFile(first));
    // The drop is told, in one message for the load.
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
        "Loading \"" + first + "\":\n- dialog \"D\" was dropped: the name is taken");
    EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Warning);
    messages.Clear();
    ASSERT_EQ(project.Dialogs().Count(), 1);
    EXPECT_EQ(Dialog("D")->Title(), "first");
    ASSERT_EQ(Dialog("D")->RootGroup()->ChildCount(), 1);
    EXPECT_EQ(Dialog("D")->RootGroup()->ChildAt(0)->Name(), "A");

    // A second file merges; its definitions named like loaded ones are dropped with their values.
    const std::string second = WriteFile("<root><Property><Name>Second</Name></Property>"
                                         "<Font><Name>F</Name><Size>30</Size></Font>"
                                         "<Font><Name>G</Name></Font>"
                                         "<Image><Name>I</Name><MarginX>9</MarginX></Image>"
                                         "<Dialog><Name>E</Name></Dialog></root>",
        "second.xml");
    ASSERT_TRUE(reader.ReadFile(second));
    EXPECT_EQ(project.Root().ProjectName(), "Second");
    EXPECT_EQ(project.Root().ProjectFilePath(), second);
    ASSERT_EQ(project.Fonts().Count(), 2);
    EXPECT_EQ(project.Fonts().At(0)->Size(), 10);
    EXPECT_EQ(project.Fonts().At(1)->Name(), "G");
    EXPECT_EQ(project.Fonts().At(1)->FaceId(), 101);
    ASSERT_EQ(project.Images().Count(), 1);
    EXPECT_EQ(project.Images().At(0)->MarginX(), 1);
    EXPECT_EQ(project.Dialogs().Count(), 2);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
        "Loading \"" + second
            + "\":\n- font \"F\" was dropped: the name is taken\n"
              "- image \"I\" was dropped: the name is taken");
}

TEST_F(ProjectReaderTest, OneMessageTellsWhatTheLoadDroppedOrChanged)
{
    // Characters without a CP932 form become "?", named with their object; file names that
    // leave the project's folders are listed once; definitions with a taken name are dropped,
    // also within the same file.
    const std::string path = WriteFile("<root>"
                                       "<Font><Name>F</Name><File>/etc/passwd</File></Font>"
                                       "<Font><Name>F</Name><File>b.ttf</File></Font>"
                                       "<Image><Name>I</Name><Normal>../../outside.png</Normal>"
                                       "<Push>../../outside.png</Push><Active>sub/ok.png</Active>"
                                       "</Image>"
                                       "<Dialog><Name>D</Name><Title>a\U0001F600b</Title>"
                                       "<Objects><Object><Name>T</Name><Type>Text</Type>"
                                       "<Text>\U0001F600\U0001F601あ</Text>"
                                       "<ImageFile>sub/../../x.png</ImageFile></Object>"
                                       "<Object><Name>U</Name><Text>あ?</Text></Object>"
                                       "</Objects></Dialog></root>");
    ASSERT_TRUE(reader.ReadFile(path));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
        "Loading \"" + path
            + "\":\n"
              "- font \"F\" was dropped: the name is taken\n"
              "- the title of dialog \"D\": 1 character has no Shift_JIS (CP932) form and "
              "became \"?\"\n"
              "- the text of object \"T\" in dialog \"D\": 2 characters have no Shift_JIS "
              "(CP932) form and became \"?\"\n"
              "- Pictures and fonts are read only from the project's resources/ and fonts/ "
              "folders; these file names leave them and were not opened: \"/etc/passwd\" "
              "\"../../outside.png\" \"sub/../../x.png\"");
    EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Dialog("D")->Title(), "a?b");
    EXPECT_EQ(project.Fonts().At(0)->File(), "/etc/passwd"); // kept as data, never opened
    EXPECT_EQ(project.ImagePath("/etc/passwd"), "");

    // The names were told; the next load of the same names says nothing more of them.
    messages.Clear();
    ASSERT_TRUE(Read("<root><Font><Name>G</Name><File>/etc/passwd</File></Font></root>"));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(ProjectReaderTest, ParseErrorIsShownOnceAndKeepsWhatWasRead)
{
    std::string file = "<?xml version=\"1.0\"?>\n<root>\n<Fonts>\n";
    for (char name = 'A'; name <= 'H'; ++name) // lines 4 to 11
        file += std::string("\t<Font><Name>") + name + "</Name></Font>\n";
    file += "<Font><Name>Z</Name></Fnt>\n</Fonts>\n</root>\n";

    EXPECT_TRUE(Read(file)); // the caller goes on as after a complete load
    EXPECT_TRUE(reader.ParseFailed());
    const std::string expected = "XML sErrMsg : mismatched tag at sLine 12 (11)\n";
    EXPECT_EQ(reader.LastError(), expected);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, expected);
    EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Information);
    ASSERT_EQ(project.Fonts().Count(), 8);
    EXPECT_EQ(project.Fonts().At(7)->Name(), "H");
    // Expat places the mismatched "</Fnt>" (from column 21 of line 12) at its name.
    EXPECT_EQ(reader.ErrorColumn(), 23);
}

TEST_F(ProjectReaderTest, ParseErrorColumnCountsTheTabsAndCharactersOfTheLine)
{
    // The parser sees the lines without their tabs and counts characters, not bytes; the
    // column is the one of the file's own line. A clean read has none.
    const struct {
        const char *line;
        int column;
    } cases[] = {
        {"<Font><Name>Z</Name></Fnt>", 23},
        {"\t\t<Font><Name>Z</Name></Fnt>", 25},
        {"\t<Font><Name>\xE3\x81\x82\t\xE3\x81\x84</Name></Fnt>", 26},
        {"\t<Font><Name>Z</Name>&</Font>", 23},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(Read(std::string("<root>\n<Fonts>\n") + c.line + "\n</Fonts>\n</root>\n"));
        EXPECT_TRUE(reader.ParseFailed()) << c.line;
        EXPECT_EQ(reader.ErrorColumn(), c.column) << c.line;
    }
    ASSERT_TRUE(Read("<root>\n\t<Fonts/>\n</root>\n"));
    EXPECT_EQ(reader.ErrorColumn(), 0);
}

TEST_F(ProjectReaderTest, EveryReadStartsFromTheInitialState)
{
    // Stops inside a property block and inside a dialog.
    ASSERT_TRUE(Read("<root><Dialog><Name>Half</Name><Objects><Object><Name>O</Name>"
                     "</Objects></Object></Dialog></root>"));
    EXPECT_TRUE(reader.ParseFailed());
    EXPECT_EQ(Dialog("Half"), nullptr); // unfinished: dropped with its objects
    ASSERT_TRUE(Read("<root><Property><Name>Kept</Name>\n<Oops>\n"));
    EXPECT_TRUE(reader.ParseFailed());
    EXPECT_EQ(project.Root().ProjectName(), "Kept");

    // Without a fresh start this name would still be read as a property.
    ASSERT_TRUE(Read("<root><Name>Leaked</Name><Dialog><Name>D</Name></Dialog></root>"));
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_TRUE(reader.LastError().empty());
    EXPECT_EQ(project.Root().ProjectName(), "Kept");
    ASSERT_NE(Dialog("D"), nullptr);
    EXPECT_EQ(Dialog("D")->RootGroup()->ChildCount(), 0);
    EXPECT_EQ(messages.Messages().size(), 2u);
}

TEST_F(ProjectReaderTest, GroupsNestDeeplyUpToTheLimit)
{
    auto nested = [](const char *name, int depth) {
        std::string text = "<root><Dialog><Name>" + std::string(name) + "</Name>\n";
        for (int i = 0; i < depth; ++i)
            text += "<Objects><Name>G" + std::to_string(i) + "</Name>\n";
        text += "<Object><Name>Leaf</Name></Object>\n";
        for (int i = 0; i < depth; ++i)
            text += "</Objects>\n";
        return text + "</Dialog></root>\n";
    };

    ASSERT_TRUE(Read(nested("Twelve", 12)));
    const CObjectData *object = Dialog("Twelve")->RootGroup();
    for (int level = 1; level < 12; ++level) {
        const CObjectDataList *group = AsGroup(*object);
        ASSERT_NE(group, nullptr);
        ASSERT_EQ(group->ChildCount(), 1);
        object = group->ChildAt(0);
        EXPECT_EQ(object->Name(), "G" + std::to_string(level));
        EXPECT_EQ(object->Parent(), group);
    }
    ASSERT_EQ(AsGroup(*object)->ChildCount(), 1);

    ASSERT_TRUE(Read(nested("Limit", ProjectReader::kMaxOpenGroups)));
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_EQ(Dialog("Limit")->RootGroup()->CountNodes(), ProjectReader::kMaxOpenGroups + 1);

    ASSERT_TRUE(Read(nested("Deeper", ProjectReader::kMaxOpenGroups + 1)));
    EXPECT_TRUE(reader.ParseFailed());
    const std::string expected
        = "The project file nests groups deeper than 1000 levels; reading stopped at line 1002.";
    EXPECT_EQ(reader.LastError(), expected);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, expected);
    EXPECT_EQ(Dialog("Deeper"), nullptr);
    EXPECT_EQ(project.Dialogs().Count(), 2);
}

TEST_F(ProjectReaderTest, PastedTextBecomesAGroupInsideTheRoot)
{
    ASSERT_TRUE(Read("<root><Dialog><Name>D</Name><Objects><Name>OGROOT</Name>"
                     "<Object><Name>B1</Name></Object><Object><Name>B2</Name></Object>"
                     "</Objects></Dialog></root>"));
    const std::string path = project.Root().ProjectFilePath();
    CKXDialogData *dialog = Dialog("D");

    // The clipboard form: CP932 texts, escape words, the root group outermost.
    const std::string clipboard = "\t\t\t<Objects>\n"
                                  "\t\t\t\t<Name>OGROOT</Name>\n"
                                  "\t\t\t\t\t<Attr>Normal</Attr>\n"
                                  "\t\t\t\t<Object>\n"
                                  "\t\t\t\t\t<Name>B1</Name>\n"
                                  "\t\t\t\t\t<Text>"
        + kAiCp932
        + "@amp;</Text>\n"
          "\t\t\t\t</Object>\n"
          "\t\t\t\t<Object>\n"
          "\t\t\t\t\t<Type>Editbox</Type>\n"
          "\t\t\t\t\t<Name>B2</Name>\n"
          "\t\t\t\t</Object>\n"
          "\t\t\t</Objects>\n";
    ASSERT_TRUE(reader.ReadText(clipboard, *dialog));
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_EQ(project.Root().ProjectFilePath(), path);

    CObjectDataList *root = dialog->RootGroup();
    ASSERT_EQ(root->ChildCount(), 3);
    const CObjectDataList *pasted = AsGroup(*root->ChildAt(2));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->Name(), "OGROOT");
    EXPECT_FALSE(pasted->IsRoot());
    EXPECT_EQ(pasted->Parent(), root);
    ASSERT_EQ(pasted->ChildCount(), 2);
    EXPECT_EQ(pasted->ChildAt(0)->Name(), "B12");
    EXPECT_EQ(pasted->ChildAt(0)->Text(), kAiCp932 + "&");
    EXPECT_EQ(pasted->ChildAt(1)->Name(), "B22");
    EXPECT_EQ(pasted->ChildAt(1)->Type(), kTypeEditbox);

    // A broken paste reports like a file and keeps the dialog in the list.
    ASSERT_TRUE(reader.ReadText("<Objects><Object></Objects>", *dialog));
    EXPECT_TRUE(reader.ParseFailed());
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(project.Dialogs().Count(), 1);
}

TEST_F(ProjectReaderTest, PastedObjectsBringNoDefinitions)
{
    ASSERT_TRUE(Read("<root><Dialog><Name>D</Name><Objects><Name>OGROOT</Name>"
                     "<Object><Name>B1</Name></Object></Objects></Dialog></root>"));
    CKXDialogData *dialog = Dialog("D");
    const int fonts = project.Fonts().Count();
    // A font definition as the panel copies it, pasted on a canvas: no objects, nothing changes.
    CFontData copied;
    copied.SetName("F9");
    copied.SetSize(32);
    const std::string font = kx::FormatFontElement(copied);
    EXPECT_EQ(kx::PasteSelectionText(font, *dialog, project, messages), nullptr);
    EXPECT_EQ(project.Fonts().Count(), fonts);
    EXPECT_EQ(project.Fonts().FindByName("F9"), nullptr);
    EXPECT_EQ(dialog->RootGroup()->ChildCount(), 1);
}

TEST_F(ProjectReaderTest, FilesThatAreNoProjectAreRefusedWithTheirReason)
{
    // Each refusal is one message with the reason, and the model stays as it was.
    project.Root().SetProjectFilePath("kept.xml");
    const std::string missing = (fs::temp_directory_path() / "kx-no-such-file.xml").string();
    const std::string folder = fs::temp_directory_path().string();
    const std::string empty = WriteFile("", "empty.xml");
    const std::string other = WriteFile("<?xml version=\"1.0\"?>\n<html><Property><Name>X</Name>"
                                        "</Property></html>\n",
        "other.xml");
    const std::string text = WriteFile("just words\n", "text.xml");
    const std::string blank = WriteFile("\n\n", "blank.xml");
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, "Cannot read \"" + missing + "\": No such file or directory."},
        {folder, "Cannot read \"" + folder + "\": it is a folder."},
        {"/dev/zero", "Cannot read \"/dev/zero\": it is not a regular file."},
        {empty, "\"" + empty + "\" is empty: it is not a project file."},
        {other,
            "\"" + other + "\" is not a project file: its first element is <html>, not <root>."},
        {text, "\"" + text + "\" is not a project file: syntax error at line 1."},
        {blank, "\"" + blank + "\" is not a project file: no element found at line 3."},
    };
    for (const auto &c : cases) {
        messages.Clear();
        EXPECT_FALSE(reader.ReadFile(c.path)) << c.path;
        ASSERT_EQ(messages.Messages().size(), 1u) << c.path;
        EXPECT_EQ(messages.Messages()[0].text, c.message);
        EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Error);
        EXPECT_EQ(reader.LastError(), c.message);
        EXPECT_FALSE(reader.ParseFailed());
    }
    EXPECT_EQ(project.Root().ProjectName(), "Name");
    EXPECT_EQ(project.Root().ProjectFilePath(), "kept.xml");
    EXPECT_TRUE(project.Fonts().IsEmpty());

    // A file larger than the limit is refused before anything is read into memory.
    const std::string large = WriteFile("<root/>", "large.xml");
    fs::resize_file(large, ProjectReader::kMaxFileSize + 1);
    messages.Clear();
    EXPECT_FALSE(reader.ReadFile(large));
    EXPECT_EQ(reader.LastError(), "Cannot read \"" + large + "\": it is larger than 1 GiB.");
    EXPECT_EQ(fs::file_size(large), static_cast<std::uintmax_t>(ProjectReader::kMaxFileSize) + 1);
    fs::remove(large);
}

TEST_F(ProjectReaderTest, TheDeclaredEncodingIsIgnored)
{
    // Not UTF-8, whatever the declaration says.
    EXPECT_TRUE(Read("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<root><Property><Name>"
        + kAiCp932 + "</Name></Property></root>\n"));
    EXPECT_TRUE(reader.ParseFailed());
    EXPECT_EQ(project.Root().ProjectName(), "Name");
}

TEST_F(ProjectReaderTest, HugeAndHostileInputStaysCheap)
{

    std::string name(50'000'000, 'n');
    ASSERT_TRUE(Read("<root><Property><Name>" + name + "</Name></Property></root>"));
    EXPECT_EQ(project.Root().ProjectName().size(), name.size());
    project.Root().SetProjectName("");
    name = {};

    // Outside a dialog no group opens, and none of the ends closes one.
    std::string opening;
    std::string closing;
    for (int i = 0; i < 100'000; ++i) {
        opening += "<Objects>";
        closing += "</Objects>";
    }
    ASSERT_TRUE(Read("<root>" + opening + closing + "</root>"));
    EXPECT_FALSE(reader.ParseFailed());
    ASSERT_TRUE(Read("<root><Dialog><Name>Deep</Name>" + opening + closing + "</Dialog></root>"));
    EXPECT_TRUE(reader.ParseFailed());
    EXPECT_EQ(Dialog("Deep"), nullptr);

    // A token over many short lines: handed over line by line, Expat would scan it again from
    // its start for every line (seconds instead of milliseconds).
    std::string comment = "<root><!--";
    for (int i = 0; i < 150'000; ++i)
        comment += "x\n";
    ASSERT_TRUE(Read(comment + "--><Property><Name>After</Name></Property></root>\n"));
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_EQ(project.Root().ProjectName(), "After");

    std::string garbage;
    for (int i = 0; i < 100'000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    EXPECT_FALSE(Read(garbage)); // no project file
    EXPECT_TRUE(Read("<root>\n" + garbage));
    EXPECT_TRUE(reader.ParseFailed());
}

TEST_F(ProjectReaderTest, TheRootGroupKeepsItsNameWhateverTheFileSays)
{
    const std::string file
        = WriteFile("<root><Dialog><Name>D</Name>"
                    "<Objects><Name>Renamed</Name><Objects><Name>Inner</Name>"
                    "<Object><Name>A</Name></Object></Objects></Objects></Dialog></root>",
            "root.xml");
    ASSERT_TRUE(reader.ReadFile(file));
    const CObjectDataList *root = Dialog("D")->RootGroup();
    EXPECT_EQ(root->Name(), "OGROOT");
    ASSERT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(root->ChildAt(0)->Name(), "Inner");
}
