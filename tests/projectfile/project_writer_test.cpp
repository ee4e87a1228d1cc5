// The project file's exact bytes, the clipboard form of a selection, and safe saving.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "projectfile/project_writer.h"
#include "projectfile/xml_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char *kEmptyProject = "<?xml version=\"1.0\"?>\n"
                                      "<root>\n"
                                      "\t<Property>\n"
                                      "\t\t<Name>Name</Name>\n"
                                      "\t\t<PrefixApp>App</PrefixApp>\n"
                                      "\t\t<PrefixDlg>Dlg</PrefixDlg>\n"
                                      "\t\t<PrefixIB>IB</PrefixIB>\n"
                                      "\t\t<PrefixIE>IE</PrefixIE>\n"
                                      "\t\t<PrefixIF>IF</PrefixIF>\n"
                                      "\t\t<PrefixOB>OB</PrefixOB>\n"
                                      "\t\t<PrefixOE>OE</PrefixOE>\n"
                                      "\t\t<PrefixOF>OF</PrefixOF>\n"
                                      "\t\t<PrefixOP>OP</PrefixOP>\n"
                                      "\t\t<PrefixOI>OI</PrefixOI>\n"
                                      "\t\t<PrefixOM>OM</PrefixOM>\n"
                                      "\t\t<PrefixOC>OC</PrefixOC>\n"
                                      "\t\t<PrefixOT>OT</PrefixOT>\n"
                                      "\t\t<PrefixFNT>F</PrefixFNT>\n"
                                      "\t\t<PrefixDID>D</PrefixDID>\n"
                                      "\t</Property>\n"
                                      "\t<Fonts>\n"
                                      "\t</Fonts>\n"
                                      "\t<Images>\n"
                                      "\t</Images>\n"
                                      "\t<Dialogs>\n"
                                      "\t</Dialogs>\n"
                                      "</root>\n";

CImageData *AddImage(CProjectContext &project, const char *name, int type)
{
    auto image = std::make_unique<CImageData>();
    image->SetName(name);
    image->SetType(type);
    CImageData *raw = image.get();
    project.Images().Add(image);
    return raw;
}

CKXDialogData *AddDialog(CProjectContext &project, const char *name)
{
    auto dialog = std::make_unique<CKXDialogData>(name, project.Prefixes());
    CKXDialogData *raw = dialog.get();
    project.Dialogs().Add(dialog);
    return raw;
}

// The lines of text between the first line that equals from and the next line that equals to.
std::string Between(const std::string &text, const std::string &from, const std::string &to)
{
    const auto a = text.find(from);
    const auto b = text.find(to, a == std::string::npos ? 0 : a);
    if (a == std::string::npos || b == std::string::npos)
        return "<missing>";
    return text.substr(a, b + to.size() - a);
}

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(ProjectWriterTest, EmptyProjectAndFilters)
{
    CProjectContext project;
    EXPECT_EQ(kx::FormatProject(project), kEmptyProject);
    EXPECT_EQ(kx::FormatFontsAndImages(project),
        "<?xml version=\"1.0\"?>\n<root>\n\t<Fonts>\n\t</Fonts>\n\t<Images>\n\t</Images>\n"
        "</root>\n");

    AddDialog(project, "D1");
    AddImage(project, "IB1", 0);
    const std::string filtered = kx::FormatProject(project, "Main");
    EXPECT_NE(filtered.find("\t<Dialogs>\n\t</Dialogs>\n"), std::string::npos);
    EXPECT_NE(filtered.find("<Name>IB1</Name>"), std::string::npos);
    EXPECT_NE(kx::FormatProject(project, "D1").find("<Name>D1</Name>"), std::string::npos);
}

TEST(ProjectWriterTest, FontsAndImageStateLines)
{
    CProjectContext project;
    auto font = std::make_unique<CFontData>();
    font->SetName("F1");
    font->SetFile("ipag.ttf");
    font->SetEffect(3);
    font->SetBold(true);
    project.Fonts().Add(font);

    CImageData *button = AddImage(project, "IB1", 0);
    button->SetSlotFile(0, "n.png", nullptr);
    button->SetSlotColour(0, "WHITE");
    button->SetSlotFile(4, "p.png", nullptr);
    button->SetSlotSubColour(4, "GRAY");
    button->SetSlotColour(2, "RED"); // no file: none of its lines
    CImageData *frame = AddImage(project, "IF1", 2);
    frame->SetSlotFile(1, "m.png", nullptr);
    frame->SetSlotColour(0, "RED");
    CImageData *framed = AddImage(project, "IF2", 2);
    framed->SetSlotFile(0, "t.png", nullptr);
    framed->SetSlotColour(0, "RED");
    framed->SetSlotFile(2, "b.png", nullptr);

    const std::string text = kx::FormatFontsAndImages(project);
    EXPECT_EQ(Between(text, "\t\t<Font>", "</Font>\n"),
        "\t\t<Font>\n\t\t\t<Name>F1</Name>\n\t\t\t<File>ipag.ttf</File>\n\t\t\t<Size>16</Size>\n"
        "\t\t\t<Effect>FONT_EFFECT_SHADOW_OUTLINE</Effect>\n\t\t\t<Bold>ON</Bold>\n"
        "\t\t\t<BoldEffect>OFF</BoldEffect>\n\t\t</Font>\n");
    EXPECT_EQ(Between(text, "\t\t<Image>", "</Image>\n"),
        "\t\t<Image>\n\t\t\t<Type>Button</Type>\n\t\t\t<Name>IB1</Name>\n"
        "\t\t\t<Normal>n.png</Normal>\n\t\t\t<NormalCol>WHITE</NormalCol>\n"
        "\t\t\t<NormalColSub></NormalColSub>\n\t\t\t<Push>p.png</Push>\n"
        "\t\t\t<PushCol></PushCol>\n\t\t\t<PushColSub>GRAY</PushColSub>\n"
        "\t\t\t<Font></Font>\n\t\t\t<MarginX>0</MarginX>\n\t\t\t<MarginY>0</MarginY>\n"
        "\t\t\t<AlignX>Center</AlignX>\n\t\t\t<AlignY>Middle</AlignY>\n"
        "\t\t\t<Stretch>Normal</Stretch>\n\t\t</Image>\n");
    EXPECT_NE(text.find("<Name>IF1</Name>\n\t\t\t<Middle>m.png</Middle>\n\t\t\t<Font>"),
        std::string::npos); // without "Top" no colour lines at all
    EXPECT_NE(
        text.find("<Top>t.png</Top>\n\t\t\t<TopCol>RED</TopCol>\n\t\t\t<TopColSub></TopColSub>"
                  "\n\t\t\t<Bottom>b.png</Bottom>\n"),
        std::string::npos);
}

TEST(ProjectWriterTest, DialogsAndObjects)
{
    CProjectContext project;
    CImageData *image = AddImage(project, "IB1", 0);
    image->SetFontName("Body");
    CKXDialogData *dialog = AddDialog(project, "Main");
    dialog->SetTitle("\x93\xFA\x96\x7B <&>"); // "日本" in CP932
    dialog->SetBackgroundColour("RGB(0x1,0x2,0x3)");
    CObjectDataList &root = *dialog->RootGroup();
    CObjectData *button = root.CreateChild(kTypeButton, "OB1");
    button->SetImage("IB1");
    button->SetText("a&b<c>\x81\x40"); // ends in an ideographic space
    button->SetWidth(90);
    auto *group = static_cast<CObjectDataList *>(root.CreateChild(kTypeGroup, "G1"));
    group->SetPosition(10, 10);
    group->SetRadio(true);
    CObjectData *movie = group->CreateChild(kTypeMovie, "OM1");
    movie->SetWidth(50);
    movie->SetRepeat(true);
    movie->SetImageFile("anim.gif");

    const std::string text = kx::FormatProject(project);
    EXPECT_EQ(Between(text, "\t\t<Dialog>", "<Objects>"),
        "\t\t<Dialog>\n\t\t\t<Name>Main</Name>\n"
        "\t\t\t<Title>\xE6\x97\xA5\xE6\x9C\xAC &lt;&amp;&gt;</Title>\n"
        "\t\t\t<Position>0,0</Position>\n\t\t\t<Size>640,480</Size>\n"
        "\t\t\t<ColorBG>RGB(0x1,0x2,0x3)</ColorBG>\n\t\t\t<Objects>");
    EXPECT_EQ(Between(text, "\t\t\t\t<Object>", "</Object>\n"),
        "\t\t\t\t<Object>\n\t\t\t\t\t<Type>Button</Type>\n\t\t\t\t\t<Attr>Normal</Attr>\n"
        "\t\t\t\t\t<Name>OB1</Name>\n\t\t\t\t\t<Position>0,0</Position>\n"
        "\t\t\t\t\t<Lock>OFF</Lock>\n\t\t\t\t\t<Hide>OFF</Hide>\n\t\t\t\t\t<Width>90</Width>\n"
        "\t\t\t\t\t<Image>IB1</Image>\n"
        "\t\t\t\t\t<Text>a@amp;b@lt;c@gt;\xE3\x80\x80</Text>\n"
        "\t\t\t\t\t<GetText>OFF</GetText>\n\t\t\t\t\t<Font>Body</Font>\n"
        "\t\t\t\t\t<MarginX>0</MarginX>\n\t\t\t\t\t<MarginY>0</MarginY>\n"
        "\t\t\t\t\t<AlignX>Center</AlignX>\n\t\t\t\t\t<AlignY>Middle</AlignY>\n"
        "\t\t\t\t\t<Stretch>Normal</Stretch>\n\t\t\t\t\t<Repeat>OFF</Repeat>\n"
        "\t\t\t\t\t<PushClick>OFF</PushClick>\n\t\t\t\t\t<PushTime>200</PushTime>\n"
        "\t\t\t\t\t<Linespace>10</Linespace>\n\t\t\t\t\t<Click>ON</Click>\n"
        "\t\t\t\t</Object>\n");
    // Written with the image definition's font; writing leaves the model as it is.
    EXPECT_EQ(button->Font(), "");
    EXPECT_EQ(Between(text, "\t\t\t<Objects>\n\t\t\t\t<Name>G1", "</Objects>\n"),
        "\t\t\t<Objects>\n\t\t\t\t<Name>G1</Name>\n\t\t\t\t<Attr>Normal</Attr>\n"
        "\t\t\t\t<Position>10,10</Position>\n\t\t\t\t<Radio>ON</Radio>\n"
        "\t\t\t\t<Lock>OFF</Lock>\n\t\t\t\t<Hide>OFF</Hide>\n\t\t\t\t<Object>\n"
        "\t\t\t\t\t<Type>Movie</Type>\n\t\t\t\t\t<Attr>Normal</Attr>\n"
        "\t\t\t\t\t<Name>OM1</Name>\n\t\t\t\t\t<Position>0,0</Position>\n"
        "\t\t\t\t\t<Lock>OFF</Lock>\n\t\t\t\t\t<Hide>OFF</Hide>\n\t\t\t\t\t<Loop>LOOP</Loop>\n"
        "\t\t\t\t\t<ImageFile>anim.gif</ImageFile>\n\t\t\t\t\t<Click>OFF</Click>\n"
        "\t\t\t\t</Object>\n\t\t\t</Objects>\n");
    EXPECT_TRUE(text.ends_with("\t\t\t</Objects>\n\t\t</Dialog>\n\t</Dialogs>\n</root>\n"));
}

TEST(ProjectWriterTest, ClipboardFormHoldsTheSelectionInCp932)
{
    CProjectContext project;
    CKXDialogData *dialog = AddDialog(project, "Main");
    CObjectDataList &root = *dialog->RootGroup();
    CObjectData *text = root.CreateChild(kTypeText, "OT1");
    text->SetText("\x93\xFA");
    root.CreateChild(kTypeIcon, "OI1");
    auto *group = static_cast<CObjectDataList *>(root.CreateChild(kTypeGroup, "G1"));
    CObjectData *inner = group->CreateChild(kTypeCanvas, "OC1");
    group->CreateChild(kTypeCanvas, "OC2");

    std::string clip;
    root.AppendSelectionXml(clip, &project.Images());
    EXPECT_EQ(clip, ""); // nothing selected

    text->SetSelected(true);
    inner->SetSelected(true); // half of a group: the group is written with that half only
    root.AppendSelectionXml(clip, &project.Images());
    EXPECT_TRUE(clip.starts_with("\t\t\t<Objects>\n\t\t\t\t<Name>OGROOT</Name>\n"
                                 "\t\t\t\t\t<Attr>Normal</Attr>\n"));
    EXPECT_NE(clip.find("<Text>\x93\xFA</Text>"), std::string::npos);
    EXPECT_EQ(clip.find("OI1"), std::string::npos);
    EXPECT_NE(clip.find("<Name>G1</Name>"), std::string::npos);
    EXPECT_NE(clip.find("OC1"), std::string::npos);
    EXPECT_EQ(clip.find("OC2"), std::string::npos);

    // A group none of whose children is selected is left out, with everything in it.
    root.DeselectAll();
    root.ChildAt(1)->SetSelected(true);
    clip.clear();
    root.AppendSelectionXml(clip, &project.Images());
    EXPECT_NE(clip.find("OI1"), std::string::npos);
    EXPECT_EQ(clip.find("G1"), std::string::npos);
}

TEST(ProjectWriterTest, SavingReplacesTheFileOnlyWhenEverythingWasWritten)
{
    const fs::path dir = fs::temp_directory_path() / ("kxwriter" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "p.xml";
    CProjectContext project;

    EXPECT_FALSE(kx::WriteProject(project, (dir / "missing" / "p.xml").string()));

    ASSERT_TRUE(kx::WriteProject(project, file.string()));
    EXPECT_EQ(ReadAll(file), kEmptyProject);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    project.Root().SetProjectName("Two");
    ASSERT_TRUE(kx::WriteFontsAndImages(project, file.string()));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    {
        // A write that fails half-way (here: never committed) leaves the old file as it was.
        CXmlFile partial;
        ASSERT_TRUE(partial.OpenForWriting(file.string()));
        partial.Write("<?xml");
    }
    EXPECT_EQ(ReadAll(file), kx::FormatFontsAndImages(project));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // A folder that cannot be written: the save fails with the system's reason and the old file
    // stays. Root may write anywhere, so as root the save is tried once more as an ordinary user
    // ("nobody") in a child process.
    fs::permissions(dir, fs::perms(0755));
    fs::permissions(file, fs::perms(0644));
    fs::permissions(dir, fs::perms(0555));
    const auto failsWithReason = [&] {
        std::string error;
        return !kx::WriteProject(project, file.string(), {}, &error)
            && error == "Permission denied";
    };
    if (geteuid() == 0) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            _exit(failsWithReason() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    } else {
        EXPECT_TRUE(failsWithReason());
    }
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(ReadAll(file), kx::FormatFontsAndImages(project));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}
