// Objects drawn in their own initial states (tests/data/render/states.xml, one object per
// dialog), compared pixel for pixel with tests/data/render/state_<dialog>.png: each state with the
// picture of its slot and, from a definition that lacks it, with the Normal picture and colours.
// To renew the pictures after an intended change of the drawing, run
//     KX_UPDATE_GOLDEN=1 build/tests/kxcore_tests --gtest_filter='States/InitialStateGolden.*'
// and look at every renewed picture before keeping it.
#include "render/golden_project.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/message_sink.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "render/freetype_font.h"
#include "render/object_states.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

class InitialStateGolden : public ::testing::TestWithParam<const char *> { };

constexpr const char *kScenes[] = {"StateDisable", "StateDisableFallback", "StateActive",
    "StateActiveFallback", "StateFocus", "StateFocusFallback", "StateDown", "StateDownFallback",
    "StateActDown", "StateActDownFallback", "StateHide", "EditFocus", "EditDownFallback"};

// "StateDisable" gives "state_disable", "EditFocus" "state_editfocus".
std::string GoldenName(std::string_view dialog)
{
    if (dialog.starts_with("State"))
        dialog.remove_prefix(5);
    std::string name = "state_";
    for (const char c : dialog)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

} // namespace

TEST_P(InitialStateGolden, DrawsAsTheExpectedPicture)
{
    kxtest::GoldenProject golden("states.xml");
    if (!golden.Ready())
        GTEST_SKIP() << "the fonts of the state scenes are not installed";
    CProjectContext project;
    kx::RecordingMessageSink messages;
    ASSERT_TRUE(golden.LoadInto(project, messages));
    CKXDialogData *dialog = project.Dialogs().FindByName(GetParam());
    ASSERT_NE(dialog, nullptr) << "states.xml has no dialog " << GetParam();

    CFreeTypeFont fonts(project, messages);
    kx::DialogPainter painter(project, fonts, messages);
    painter.Repair(*dialog);
    const std::string before = kx::FormatProject(project);
    const kx::InitialStates initial;
    painter.SetStateSource(&initial);
    kx::Surface surface(dialog->Width(), dialog->Height());
    painter.PaintDialog(surface, *dialog);
    EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden(GoldenName(GetParam()), surface));
    EXPECT_TRUE(messages.Messages().empty());
    // The states are the source's, never the model's.
    EXPECT_EQ(kx::FormatProject(project), before);
}

INSTANTIATE_TEST_SUITE_P(States, InitialStateGolden, ::testing::ValuesIn(kScenes),
    [](const ::testing::TestParamInfo<const char *> &info) { return std::string(info.param); });

// The slot that shows a state, by the slot words of each kind of definition: a state without a
// slot of its name shows Normal (-1 here), and the painter falls back.
TEST(StateSlot, FollowsTheSlotWords)
{
    const struct {
        int state;
        int button;
        int editbox;
        int frame;
    } cases[] = {
        {kx::kStateNormal, 0, 0, 0},
        {kx::kStateDisable, 1, 1, -1},
        {kx::kStateActive, 2, 2, -1},
        {kx::kStateFocus, 3, 3, -1},
        {kx::kStateDown, 4, -1, -1},
        {kx::kStateActDown, 5, -1, -1},
        {kx::kStateHide, -1, -1, -1},
        {7, -1, -1, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(kx::StateSlot(c.state, 0), c.button);
        EXPECT_EQ(kx::StateSlot(c.state, 1), c.editbox);
        EXPECT_EQ(kx::StateSlot(c.state, 2), c.frame);
    }
}
