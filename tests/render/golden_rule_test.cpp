// One small scene per drawing rule (tests/data/render/rules.xml, one dialog each), compared pixel
// for pixel with tests/data/render/rule_<dialog>.png, so a failing test names the rule it broke.
// To renew the pictures after an intended change of the drawing, run
//     KX_UPDATE_GOLDEN=1 build/tests/kxcore_tests --gtest_filter='Rules/GoldenRule.*'
// and look at every renewed picture before keeping it.
#include "render/golden_project.h"

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/dialog_painter.h"
#include "render/freetype_font.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

class GoldenRule : public ::testing::TestWithParam<const char *> { };

// Three-slice widening of button and edit-box pictures; frames built from three banded strips;
// the five stretch modes of a text too large for its room; vertical text with turned, upright,
// small and punctuation characters; the five font effects; the placeholders of objects without
// pictures; pictures stretched to their object, with their transparent pixels left out.
constexpr const char *kRules[] = {"ThreeSlice", "Frame", "StretchNormal", "StretchX", "StretchY",
    "StretchXY", "StretchNoClip", "Vertical", "EffectNormal", "EffectShadow", "EffectOutline",
    "EffectShadowOutline", "EffectStroke", "Placeholder", "PictureStretch"};

std::string GoldenName(std::string_view dialog)
{
    std::string name = "rule_";
    for (const char c : dialog)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

} // namespace

TEST_P(GoldenRule, DrawsAsTheExpectedPicture)
{
    kxtest::GoldenProject golden("rules.xml");
    if (!golden.Ready())
        GTEST_SKIP() << "the fonts of the rule scenes are not installed";
    CProjectContext project;
    kx::RecordingMessageSink messages;
    ASSERT_TRUE(golden.LoadInto(project, messages));
    CKXDialogData *dialog = project.Dialogs().FindByName(GetParam());
    ASSERT_NE(dialog, nullptr) << "rules.xml has no dialog " << GetParam();

    CFreeTypeFont fonts(project, messages);
    kx::DialogPainter painter(project, fonts, messages);
    kx::Surface surface(dialog->Width(), dialog->Height());
    painter.PaintDialog(surface, *dialog);
    EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden(GoldenName(GetParam()), surface));
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, GoldenRule, ::testing::ValuesIn(kRules),
    [](const ::testing::TestParamInfo<const char *> &info) { return std::string(info.param); });
