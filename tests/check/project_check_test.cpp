// The project check on a project written here with one of each kind of problem: every problem
// is found, at the line of its element, and nothing else is.
#include "check/project_check.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "render/test_fonts.h"
#include "render/test_images.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using kx::Problem;
using kx::ProblemKind;
using kx::Severity;

namespace {

// Each element that should have a problem carries a comment "@name" on its start line.
constexpr const char *kProject = R"(<?xml version="1.0"?>
<root>
	<Property>
		<Name>Checked</Name>
	</Property>
	<Fonts>
		<Font> <!--@FSans-->
			<Name>FSans</Name>
			<File>DejaVuSans.ttf</File>
			<Size>16</Size>
		</Font>
		<Font> <!--@FMissing-->
			<Name>FMissing</Name>
			<File>missing.ttf</File>
		</Font>
		<Font> <!--@FNoise-->
			<Name>FNoise</Name>
			<File>noise.ttf</File>
		</Font>
		<Font> <!--@FZero-->
			<Name>FZero</Name>
			<File>DejaVuSans.ttf</File>
			<Size>0</Size>
		</Font>
		<Font> <!--@FEscape-->
			<Name>FEscape</Name>
			<File>../../outside.ttf</File>
		</Font>
		<Font> <!--@FSansAgain-->
			<Name>FSans</Name>
			<File>DejaVuSans.ttf</File>
		</Font>
		<Font> <!--@2fast-->
			<Name>2fast</Name>
			<File>DejaVuSans.ttf</File>
		</Font>
	</Fonts>
	<Images>
		<Image>
			<Type>Button</Type>
			<Name>IBPress</Name>
			<Normal>ok.png</Normal>
			<Push>ok.png</Push>
			<Font>FSans</Font>
		</Image>
		<Image>
			<Type>Button</Type>
			<Name>IBPlain</Name>
			<Normal>ok.png</Normal>
			<Font>FSans</Font>
		</Image>
		<Image> <!--@IBBroken-->
			<Type>Button</Type>
			<Name>IBBroken</Name>
			<Normal>noise.png</Normal>
			<Disable>gone.png</Disable>
		</Image>
		<Image> <!--@IEField-->
			<Type>Editbox</Type>
			<Name>IEField</Name>
			<Normal>ok.png</Normal>
			<Font>FNowhere</Font>
		</Image>
		<Image>
			<Type>Frame</Type>
			<Name>IFOpen</Name>
			<Top>ok.png</Top>
			<Middle>ok.png</Middle>
			<Font>FSans</Font>
		</Image>
	</Images>
	<Dialogs>
		<Dialog> <!--@Main-->
			<Name>Main</Name>
			<Title>設定</Title>
			<Size>200,100</Size>
			<Objects>
				<Name>OGROOT</Name>
				<Object>
					<Type>Button</Type>
					<Name>OBOk</Name>
					<Position>10,10</Position>
					<Width>40</Width>
					<Image>IBPress</Image>
					<Text>OK</Text>
				</Object>
				<Object> <!--@OBNoPush-->
					<Type>Button</Type>
					<Name>OBNoPush</Name>
					<Position>60,10</Position>
					<Width>40</Width>
					<Image>IBPlain</Image>
				</Object>
				<Object> <!--@OBNoImage-->
					<Type>Button</Type>
					<Name>OBNoImage</Name>
					<Width>40</Width>
					<Image>IBNowhere</Image>
				</Object>
				<Object> <!--@OBEdit-->
					<Type>Button</Type>
					<Name>OBEdit</Name>
					<Width>40</Width>
					<Image>IEField</Image>
					<Click>OFF</Click>
				</Object>
				<Object> <!--@OTJapanese-->
					<Type>Text</Type>
					<Name>OTJapanese</Name>
					<Size>100,20</Size>
					<Text>日本</Text>
					<Font>FSans</Font>
				</Object>
				<Object> <!--@OTNoFont-->
					<Type>Text</Type>
					<Name>OTNoFont</Name>
					<Size>100,20</Size>
					<Font>FNowhere</Font>
				</Object>
				<Object> <!--@FSansObject-->
					<Type>Canvas</Type>
					<Name>FSans</Name>
					<Size>10,10</Size>
				</Object>
				<Object> <!--@MyLabel-->
					<Type>Canvas</Type>
					<Name>my label</Name>
					<Size>10,10</Size>
				</Object>
				<Object> <!--@OPOutside-->
					<Type>Picture</Type>
					<Name>OPOutside</Name>
					<Position>500,20</Position>
					<Size>10,10</Size>
					<ImageFile>ok.png</ImageFile>
				</Object>
				<Object> <!--@OPEdge-->
					<Type>Picture</Type>
					<Name>OPEdge</Name>
					<Position>195,20</Position>
					<Size>10,10</Size>
					<ImageFile>ok.png</ImageFile>
				</Object>
				<Object> <!--@OCZero-->
					<Type>Canvas</Type>
					<Name>OCZero</Name>
					<Size>0,20</Size>
				</Object>
				<Object> <!--@OPGone-->
					<Type>Picture</Type>
					<Name>OPGone</Name>
					<Size>10,10</Size>
					<ImageFile>gone.png</ImageFile>
				</Object>
				<Object> <!--@OPNoise-->
					<Type>Icon</Type>
					<Name>OPNoise</Name>
					<Size>10,10</Size>
					<ImageFile>noise.png</ImageFile>
				</Object>
				<Object> <!--@OPEscape-->
					<Type>Picture</Type>
					<Name>OPEscape</Name>
					<Size>10,10</Size>
					<ImageFile>/etc/passwd</ImageFile>
				</Object>
				<Object> <!--@OFOpen-->
					<Type>Frame</Type>
					<Name>OFOpen</Name>
					<Size>50,40</Size>
					<Image>IFOpen</Image>
				</Object>
				<Object>
					<Type>Canvas</Type>
					<Name>OCTwice</Name>
					<Size>10,10</Size>
				</Object>
				<Object> <!--@OCTwice2-->
					<Type>Canvas</Type>
					<Name>OCTwice</Name>
					<Size>10,10</Size>
				</Object>
				<Objects>
					<Name>OGChoice</Name>
					<Position>0,60</Position>
					<Radio>ON</Radio>
					<Object> <!--@OBChoice-->
						<Type>Button</Type>
						<Name>OBChoice</Name>
						<Width>40</Width>
						<Image>IBPress</Image>
					</Object>
				</Objects>
			</Objects>
		</Dialog>
		<Dialog> <!--@MainAgain-->
			<Name>Main</Name>
			<Size>100,100</Size>
		</Dialog>
	</Dialogs>
</root>
)";

struct Expected {
    const char *marker; // the "@name" comment on the element's line
    ProblemKind kind;
    Severity severity;
    const char *says; // a part of the message
};

class ProjectCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string sans = kxtest::SystemFontPath("DejaVuSans.ttf");
        if (sans.empty())
            GTEST_SKIP() << "DejaVuSans.ttf is not installed (fonts-dejavu-core)";
        const std::filesystem::path folder = dir.Path();
        std::filesystem::create_directories(folder / "fonts");
        std::filesystem::create_directories(folder / "resources");
        std::filesystem::create_symlink(sans, folder / "fonts" / "DejaVuSans.ttf");
        std::ofstream(folder / "fonts" / "noise.ttf") << std::string(2000, 'Z');
        std::ofstream(folder / "resources" / "noise.png") << "not a picture";
        kxtest::WriteFile(folder / "resources" / "ok.png",
            kxtest::RgbaPng(4, 4, std::vector<std::uint8_t>(64, 200)));
    }

    std::string Write(const std::string &text)
    {
        const std::string path = dir.File("project.xml");
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Line of the element marked "@marker" in text.
    static int LineOf(const std::string &text, const std::string &marker)
    {
        std::istringstream in(text);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.find("<!--@" + marker + "-->") != std::string::npos)
                return number;
        }
        ADD_FAILURE() << "no marker " << marker;
        return -1;
    }

    kxtest::TempDir dir;
    CProjectContext project;
};

} // namespace

TEST_F(ProjectCheckTest, FindsEveryKindOfProblemAtTheLineOfItsElement)
{
    const std::vector<Expected> expected = {
        {"FMissing", ProblemKind::kMissingFile, Severity::kError, "\"fonts/missing.ttf\""},
        {"FNoise", ProblemKind::kUnusableFont, Severity::kError, "FreeType"},
        {"FZero", ProblemKind::kUnusableFont, Severity::kError, "size 0"},
        {"FEscape", ProblemKind::kUnsafeFileName, Severity::kError, "leads out"},
        {"FSansAgain", ProblemKind::kDuplicateName, Severity::kError, "is defined again"},
        {"2fast", ProblemKind::kBadName, Severity::kError, "\"2fast\" is not a C++ identifier"},
        {"IBBroken", ProblemKind::kUndecodablePicture, Severity::kError, "\"resources/noise.png\""},
        {"IBBroken", ProblemKind::kMissingFile, Severity::kError,
            "of image definition \"IBBroken\" (Disable)"},
        {"IEField", ProblemKind::kUnknownReference, Severity::kError, "\"FNowhere\""},
        {"Main", ProblemKind::kMissingGlyph, Severity::kError, "\"設\" (U+8A2D), \"定\" (U+5B9A)"},
        {"OBNoPush", ProblemKind::kMissingStatePicture, Severity::kError, "no Push picture"},
        {"OBNoImage", ProblemKind::kUnknownReference, Severity::kError, "\"IBNowhere\""},
        {"OBEdit", ProblemKind::kWrongImageType, Severity::kWarning, "made for Editbox"},
        {"OTJapanese", ProblemKind::kMissingGlyph, Severity::kError, "(U+65E5)"},
        {"OTNoFont", ProblemKind::kUnknownReference, Severity::kError, "\"FNowhere\""},
        {"FSansObject", ProblemKind::kNameClash, Severity::kError, "font definition \"FSans\""},
        {"MyLabel", ProblemKind::kBadName, Severity::kError, "\"my label\""},
        {"OPOutside", ProblemKind::kOutsideDialog, Severity::kWarning, "lies outside"},
        {"OPEdge", ProblemKind::kOutsideDialog, Severity::kWarning, "reaches past the edge"},
        {"OCZero", ProblemKind::kZeroSize, Severity::kWarning, "0 x 20"},
        {"OPGone", ProblemKind::kMissingFile, Severity::kError, "\"resources/gone.png\""},
        {"OPNoise", ProblemKind::kUndecodablePicture, Severity::kError, "PNG or GIF"},
        {"OPEscape", ProblemKind::kUnsafeFileName, Severity::kError, "\"/etc/passwd\""},
        {"OFOpen", ProblemKind::kMissingStatePicture, Severity::kError, "no Bottom picture"},
        {"OCTwice2", ProblemKind::kDuplicateName, Severity::kWarning, "renamed \"OCTwice2\""},
        {"OBChoice", ProblemKind::kMissingStatePicture, Severity::kError, "no Active picture"},
        {"MainAgain", ProblemKind::kDuplicateName, Severity::kError, "dialog \"Main\""},
    };
    const std::string path = Write(kProject);
    const std::vector<Problem> problems = kx::CheckProjectFile(path, project);

    std::vector<bool> matched(problems.size(), false);
    for (const Expected &e : expected) {
        const int line = LineOf(kProject, e.marker);
        bool found = false;
        for (std::size_t i = 0; i < problems.size() && !found; ++i) {
            const Problem &p = problems[i];
            if (!matched[i] && p.kind == e.kind && p.line == line && p.severity == e.severity
                && p.message.find(e.says) != std::string::npos)
                found = matched[i] = true;
        }
        EXPECT_TRUE(found) << "no " << kx::ProblemKindWord(e.kind) << " at line " << line << " ("
                           << e.marker << ") saying " << e.says;
    }
    for (std::size_t i = 0; i < problems.size(); ++i) {
        EXPECT_TRUE(matched[i]) << "unexpected: " << problems[i].line << ": "
                                << problems[i].message;
    }
    EXPECT_TRUE(std::is_sorted(problems.begin(), problems.end(),
        [](const Problem &a, const Problem &b) { return a.line < b.line; }));

    // The problems point at what they concern, for the editor to select it.
    for (const Problem &p : problems) {
        if (p.object) {
            EXPECT_EQ(p.object->Name(), p.objectName);
            ASSERT_NE(p.dialog, nullptr);
            EXPECT_GT(p.dialog->RootGroup()->IndexOf(p.object), 0) << p.message;
        }
        if (p.font) {
            EXPECT_EQ(p.font->Name(), p.fontName);
        }
        if (p.image) {
            EXPECT_EQ(p.image->Name(), p.imageName);
        }
    }
}

TEST_F(ProjectCheckTest, FileProblemsAreProblemsToo)
{
    // Cut off in the middle of a dialog: the error's line, and the part before it still checked.
    const std::string text = "<root>\n<Fonts>\n<Font>\n<Name>FLost</Name>\n<File>lost.ttf</File>\n"
                             "</Font>\n</Fonts>\n<Dialogs>\n<Dialog>\n<Name>D</Name>\n";
    std::vector<Problem> problems = kx::CheckProjectFile(Write(text), project);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(problems[0].kind, ProblemKind::kMissingFile);
    EXPECT_EQ(problems[1].line, 11);
    EXPECT_EQ(problems[1].kind, ProblemKind::kNotWellFormed);

    CProjectContext other;
    problems = kx::CheckProjectFile(Write("<html><body>hello</body></html>\n"), other);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, ProblemKind::kNotAProject);

    CProjectContext none;
    problems = kx::CheckProjectFile(dir.File("absent.xml"), none);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, ProblemKind::kUnreadableFile);
    EXPECT_EQ(problems[0].line, 0);
}

TEST(SlotsInUseTest, FollowTheStateTheClickAndTheRadioGroup)
{
    struct Case {
        int type;
        int attr;
        bool click;
        bool radio;
        std::vector<int> slots;
    };
    const std::vector<Case> cases = {
        {kTypeButton, 0, false, false, {0}},
        {kTypeButton, 0, true, false, {0, 4}},
        {kTypeButton, 1, true, false, {0, 1, 4}},
        {kTypeButton, 4, false, false, {0, 4}}, // Down shows Push
        {kTypeButton, 5, false, false, {0, 5}}, // ActDown shows ActPush
        {kTypeButton, 6, false, false, {0}}, // Hide shows nothing more
        {kTypeButton, 2, true, true, {0, 2, 4}},
        {kTypeButton, 0, false, true, {0, 2}},
        {kTypeEditbox, 0, true, true, {0, 3}}, // a radio group does not concern edit boxes
        {kTypeEditbox, 4, false, false, {0}}, // an edit box has no Push picture
        {kTypeEditbox, 1, false, false, {0, 1}},
        {kTypeFrame, 3, true, true, {0, 1, 2}},
        {kTypeText, 1, true, false, {}},
        {kTypePicture, 0, true, false, {}},
    };
    for (const Case &c : cases) {
        CObjectDataList group;
        group.SetRadio(c.radio);
        CObjectData object(&group);
        object.SetType(c.type);
        object.SetAttr(c.attr);
        object.SetClick(c.click);
        EXPECT_EQ(kx::SlotsInUse(object), c.slots) << "type " << c.type << " attr " << c.attr
                                                   << " click " << c.click << " radio " << c.radio;
    }
    CObjectDataList group;
    EXPECT_TRUE(kx::SlotsInUse(group).empty());
}
