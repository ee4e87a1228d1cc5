// A small dialog with every kind of object, drawn and compared pixel for pixel with the expected
// pictures in tests/data/render. To renew them after an intended change of the drawing, run
//     KX_UPDATE_GOLDEN=1 build/tests/kxcore_tests --gtest_filter='GoldenImage.*'
// and look at every renewed picture before keeping it.
#include "render/golden_project.h"

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/dialog_painter.h"
#include "render/freetype_font.h"

#include <gtest/gtest.h>

namespace {

class GoldenImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!golden.Ready())
            GTEST_SKIP() << "the fonts of the golden project are not installed";
        ASSERT_TRUE(golden.LoadInto(project, messages));
        dialog = project.Dialogs().FindByName("Small");
        ASSERT_NE(dialog, nullptr);
    }

    kx::Surface Render(int state = -1)
    {
        CFreeTypeFont fonts(project, messages);
        kx::DialogPainter painter(project, fonts, messages);
        painter.SetStateOverride(state);
        kx::Surface surface(dialog->Width(), dialog->Height());
        painter.PaintDialog(surface, *dialog);
        return surface;
    }

    kxtest::GoldenProject golden;
    CProjectContext project;
    kx::RecordingMessageSink messages;
    CKXDialogData *dialog = nullptr;
};

} // namespace

TEST_F(GoldenImage, SmallDialog)
{
    EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden("golden_small", Render()));
    EXPECT_TRUE(messages.Messages().empty());
    // Painting again draws from the kept pictures: the same pixels.
    EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden("golden_small", Render()));
}

TEST_F(GoldenImage, SmallDialogInTheActiveState)
{
    EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden("golden_small_active", Render(2)));
}
