// kxdialog render, run as a program: the files it writes, its exit status and its arguments.
// The program is looked for beside this test program's build folder; the tests are skipped
// when it has not been built.
#include "render/dib_image.h"
#include "render/golden_project.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace {

std::string Program()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const std::filesystem::path program = self.parent_path().parent_path() / "src/cli/kxdialog";
    return std::filesystem::exists(program) ? program.string() : std::string();
}

std::string Quote(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs kxdialog render with the arguments and answers its exit status; what it says on
// standard error goes to said when given.
int Render(const std::string &arguments, std::string *said = nullptr)
{
    const std::string errors
        = std::filesystem::temp_directory_path() / ("kxrender-stderr-" + std::to_string(getpid()));
    const std::string command
        = Quote(Program()) + " render " + arguments + " >/dev/null 2>" + Quote(errors);
    const int status = std::system(command.c_str());
    if (said) {
        std::ifstream in(errors, std::ios::binary);
        said->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(errors);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Demo()
{
    return (std::filesystem::path(KX_TEST_DATA_DIR) / "../../examples/demo/demo.xml").string();
}

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Program().empty())
            GTEST_SKIP() << "kxdialog has not been built";
    }
    kxtest::TempDir out;
};

} // namespace

TEST_F(RenderCommand, AllDialogsGoIntoAFolderByName)
{
    const std::string folder = out.File("shots");
    // The demo draws without a message: a font message would mean texts without glyphs.
    std::string said;
    ASSERT_EQ(Render(Quote(Demo()) + " --all-dialogs -o " + Quote(folder), &said), 0);
    EXPECT_EQ(said, "");
    for (const char *name : {"Home.png", "Settings.png"}) {
        CDibImage picture;
        ASSERT_TRUE(picture.Load((std::filesystem::path(folder) / name).string())) << name;
        EXPECT_EQ(picture.GetWidth(), 480);
        EXPECT_EQ(picture.GetHeight(), 272);
    }
}

TEST_F(RenderCommand, ScaleEnlargesByWholePixels)
{
    const std::string one = out.File("one.png");
    const std::string two = out.File("two.png");
    ASSERT_EQ(Render(Quote(Demo()) + " --dialog Settings -o " + Quote(one)), 0);
    ASSERT_EQ(Render(Quote(Demo()) + " --dialog Settings --scale 2 -o " + Quote(two)), 0);
    CDibImage small;
    CDibImage large;
    ASSERT_TRUE(small.Load(one));
    ASSERT_TRUE(large.Load(two));
    ASSERT_EQ(large.GetWidth(), 960);
    ASSERT_EQ(large.GetHeight(), 544);
    for (int y = 0; y < 544; y += 7) {
        for (int x = 0; x < 960; x += 5) {
            ASSERT_EQ(0, std::memcmp(large.Row(y) + x * 3, small.Row(y / 2) + (x / 2) * 3, 3))
                << x << "," << y;
        }
    }
}

TEST_F(RenderCommand, ScaleGoesFromOneToSixteen)
{
    const std::string project = out.File("tiny.xml");
    std::ofstream(project) << "<root><Dialogs><Dialog><Name>T</Name><Size>3,2</Size><Objects>"
                              "<Object><Type>Canvas</Type><Name>OC1</Name><Size>1,1</Size>"
                              "</Object></Objects></Dialog></Dialogs></root>\n";
    for (const auto &[scale, width, height] : {std::tuple {1, 3, 2}, std::tuple {16, 48, 32}}) {
        const std::string png = out.File("tiny" + std::to_string(scale) + ".png");
        ASSERT_EQ(Render(Quote(project) + " --scale " + std::to_string(scale) + " -o " + png), 0);
        CDibImage picture;
        ASSERT_TRUE(picture.Load(png));
        EXPECT_EQ(picture.GetWidth(), width);
        EXPECT_EQ(picture.GetHeight(), height);
    }
    for (const char *scale : {"0", "17", "-1", "1.5"})
        EXPECT_EQ(Render(Quote(project) + " --scale " + scale + " -o " + out.File("no.png")), 2);
    EXPECT_FALSE(std::filesystem::exists(out.File("no.png")));
}

TEST_F(RenderCommand, PushStatesAreTheDownStatesOfButtonPictures)
{
    // The demo's buttons have pictures for Push (Down) and ActPush (ActDown).
    std::map<std::string, std::string> pictures;
    for (const char *state : {"Normal", "Down", "Push", "ActDown", "ActPush"}) {
        const std::string png = out.File(std::string(state) + ".png");
        std::string said;
        ASSERT_EQ(
            Render(Quote(Demo()) + " --dialog Home --state " + state + " -o " + png, &said), 0);
        EXPECT_EQ(said, "") << state;
        pictures[state] = ReadAll(png);
    }
    EXPECT_EQ(pictures["Push"], pictures["Down"]);
    EXPECT_EQ(pictures["ActPush"], pictures["ActDown"]);
    EXPECT_NE(pictures["Push"], pictures["Normal"]);
    EXPECT_NE(pictures["ActPush"], pictures["Push"]);
}

TEST_F(RenderCommand, WritesWhatTheCanvasDraws)
{
    kxtest::GoldenProject golden;
    if (!golden.Ready() || kxtest::GoldenProject::Updating())
        GTEST_SKIP() << "needs the golden project's fonts and its expected pictures";
    const std::string normal = out.File("normal.png");
    const std::string active = out.File("active.png");
    ASSERT_EQ(Render(Quote(golden.ProjectFile()) + " --dialog Small -o " + Quote(normal)), 0);
    ASSERT_EQ(Render(Quote(golden.ProjectFile()) + " -o " + Quote(active) + " --state active"), 0);
    for (const auto &[file, name] :
        {std::pair {normal, "golden_small"}, std::pair {active, "golden_small_active"}}) {
        CDibImage written;
        ASSERT_TRUE(written.Load(file));
        kx::Surface surface(written.GetWidth(), written.GetHeight());
        surface.Copy(written, 0, 0);
        EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden(name, surface));
    }
}

TEST_F(RenderCommand, InitialDrawsEachObjectInItsOwnState)
{
    kxtest::GoldenProject golden("states.xml");
    if (!golden.Ready() || kxtest::GoldenProject::Updating())
        GTEST_SKIP() << "needs the state scenes' fonts and their expected pictures";
    for (const auto &[dialog, word, name] : {std::tuple {"StateActive", "initial", "state_active"},
             std::tuple {"StateHide", "Initial", "state_hide"},
             std::tuple {"StateDownFallback", "INITIAL", "state_downfallback"}}) {
        const std::string png = out.File(std::string(dialog) + ".png");
        ASSERT_EQ(Render(Quote(golden.ProjectFile()) + " --dialog " + dialog + " --state " + word
                      + " -o " + Quote(png)),
            0);
        CDibImage written;
        ASSERT_TRUE(written.Load(png));
        kx::Surface surface(written.GetWidth(), written.GetHeight());
        surface.Copy(written, 0, 0);
        EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden(name, surface));
    }
}

TEST_F(RenderCommand, ExitStatus)
{
    const std::string png = Quote(out.File("x.png"));
    EXPECT_EQ(Render("--help"), 0);
    EXPECT_EQ(Render(Quote(out.File("absent.xml")) + " -o " + png), 1);
    EXPECT_EQ(Render(Quote(Demo()) + " --dialog NoSuchDialog -o " + png), 1);
    EXPECT_EQ(Render(Quote(Demo()) + " --all-dialogs -o /proc/version"), 1);
    EXPECT_EQ(Render(Quote(Demo())), 2); // no output
    EXPECT_EQ(Render("-o " + png), 2); // no project
    EXPECT_EQ(Render(Quote(Demo()) + " --dialog Home --all-dialogs -o " + png), 2);
    EXPECT_EQ(Render(Quote(Demo()) + " --scale 0 -o " + png), 2);
    EXPECT_EQ(Render(Quote(Demo()) + " --scale 2x -o " + png), 2);
    EXPECT_EQ(Render(Quote(Demo()) + " --state Sideways -o " + png), 2);
    EXPECT_EQ(Render(Quote(Demo()) + " --frobnicate -o " + png), 2);
    EXPECT_FALSE(std::filesystem::exists(out.File("x.png")));
    // The first dialog when none is named.
    EXPECT_EQ(Render(Quote(Demo()) + " -o " + png), 0);
    EXPECT_TRUE(std::filesystem::exists(out.File("x.png")));
}
