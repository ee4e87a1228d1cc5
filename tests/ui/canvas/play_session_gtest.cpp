// A play of a dialog, without Qt: the scenes of tests/data/render/states.xml played and drawn
// pixel for pixel against tests/data/render/play_<scene>.png (to renew them after an intended
// change, run KX_UPDATE_GOLDEN=1 build/tests/kxcanvas_tests --gtest_filter='Scenes/*' and look
// at every picture), the events each scene delivers, and the timing and text rules.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/prefix_settings.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "platform/text_conversion.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "render/freetype_font.h"
#include "render/golden_project.h"
#include "render/test_fonts.h"
#include "ui/canvas/play_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Kind = PlayEvent::Kind;

struct Host : IPlayHost {
    std::vector<PlayEvent> events;
    kx::KXRect asked;
    void Repaint(const kx::KXRect &area) override { asked = asked.United(area); }
    void Receive(const PlayEvent &event) override { events.push_back(event); }

    std::vector<Kind> Kinds() const
    {
        std::vector<Kind> kinds;
        for (const PlayEvent &event : events)
            kinds.push_back(event.kind);
        return kinds;
    }
};

// The middle of an object, in canvas pixels.
struct Point {
    int x, y;
};
Point Middle(const CObjectData &object)
{
    const kx::KXRect r = object.GetRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Click(CPlaySession &play, const CObjectData &object)
{
    const Point at = Middle(object);
    play.Press(at.x, at.y, 0);
    play.Release(at.x, at.y, 10);
}

struct Scene {
    const char *name; // the test's and the golden picture's
    const char *dialog;
    std::function<void(CPlaySession &, CObjectDataList &)> play;
    std::vector<Kind> events;
};

const Scene kScenes[] = {
    {"PressHeld", "PlayPress",
        [](CPlaySession &play, CObjectDataList &root) {
            const Point at = Middle(*root.FindByName("OBPress"));
            play.Press(at.x, at.y, 0);
        },
        {Kind::CursorDown, Kind::Down}},
    {"ReleasedOff", "PlayPress",
        [](CPlaySession &play, CObjectDataList &root) {
            const Point at = Middle(*root.FindByName("OBPress"));
            play.Press(at.x, at.y, 0);
            play.Move(at.x, 40, 5); // below the button
            play.Release(at.x, 40, 10);
        },
        {Kind::CursorDown, Kind::Down, Kind::CursorMove, Kind::CursorUp, Kind::Up}},
    {"Radio", "PlayRadio",
        [](CPlaySession &play, CObjectDataList &root) { Click(play, *root.FindByName("OBRight")); },
        {Kind::CursorDown, Kind::Down, Kind::CursorUp, Kind::Up, Kind::Click}},
    {"Tab", "PlayTab", [](CPlaySession &play, CObjectDataList &) { play.FocusNext(false); }, {}},
    {"Typed", "PlayTyped",
        [](CPlaySession &play, CObjectDataList &root) {
            Click(play, *root.FindByName("OEName"));
            play.InsertText(kx::ToShiftJis("設定"));
        },
        {Kind::CursorDown, Kind::Down, Kind::CursorUp, Kind::Up, Kind::Click, Kind::Text}},
    {"Disabled", "PlayDisabled",
        [](CPlaySession &play, CObjectDataList &root) { Click(play, *root.FindByName("OBOff")); },
        {Kind::CursorDown, Kind::CursorUp}},
};

class PlayScene : public ::testing::TestWithParam<Scene> { };

std::string GoldenName(std::string_view scene)
{
    std::string name = "play_";
    for (const char c : scene)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

} // namespace

TEST_P(PlayScene, DrawsAsTheExpectedPicture)
{
    const Scene &scene = GetParam();
    kxtest::GoldenProject golden("states.xml");
    if (!golden.Ready())
        GTEST_SKIP() << "the fonts of the play scenes are not installed";
    CProjectContext project;
    kx::RecordingMessageSink messages;
    ASSERT_TRUE(golden.LoadInto(project, messages));
    CKXDialogData *dialog = project.Dialogs().FindByName(scene.dialog);
    ASSERT_NE(dialog, nullptr) << "states.xml has no dialog " << scene.dialog;
    CFreeTypeFont fonts(project, messages);
    kx::DialogPainter painter(project, fonts, messages);
    painter.Repair(*dialog);
    const std::string before = kx::FormatProject(project);

    Host host;
    CPlaySession play(*dialog, host);
    painter.SetStateSource(&play);
    // The canvas as the play starts, then only the parts the play asks for painted again.
    kx::Surface partial(dialog->Width(), dialog->Height());
    painter.PaintDialog(partial, *dialog);
    scene.play(play, *dialog->RootGroup());
    painter.PaintArea(partial, *dialog, host.asked);

    kx::Surface whole(dialog->Width(), dialog->Height());
    painter.PaintDialog(whole, *dialog);
    EXPECT_TRUE(kxtest::GoldenProject::MatchesGolden(GoldenName(scene.name), whole));
    EXPECT_TRUE(kxtest::SamePixels(whole, partial));
    EXPECT_EQ(host.Kinds(), scene.events);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(kx::FormatProject(project), before);
}

INSTANTIATE_TEST_SUITE_P(Scenes, PlayScene, ::testing::ValuesIn(kScenes),
    [](const ::testing::TestParamInfo<Scene> &info) { return std::string(info.param.name); });

// ---- Rules on a dialog built here (no pictures needed) ----

namespace {

struct Play : ::testing::Test {
    kx::PrefixSettings prefixes;
    CKXDialogData dialog {"D", prefixes};
    Host host;

    CObjectData *Add(CObjectDataList *group, int type, const char *name, int x, int attr = 0)
    {
        CObjectData *o = group->CreateChild(type, name);
        o->SetPosition(x, 0);
        o->SetWidth(40);
        o->SetHeight(20);
        o->SetAttr(attr);
        return o;
    }
    CObjectDataList *Root() { return dialog.RootGroup(); }
    std::vector<Kind> Take()
    {
        std::vector<Kind> kinds = host.Kinds();
        host.events.clear();
        return kinds;
    }
};

} // namespace

TEST_F(Play, PushClickComesWhileHeldAndRepeatKeepsComing)
{
    CObjectData *push = Add(Root(), kTypeButton, "OBPush", 0);
    push->SetPushClick(true);
    push->SetPushTime(200);
    CObjectData *repeat = Add(Root(), kTypeButton, "OBRepeat", 50);
    repeat->SetRepeat(true);
    CPlaySession play(dialog, host);

    play.Press(10, 10, 1000);
    EXPECT_EQ(play.NextTick(), 1200);
    play.Tick(1199);
    EXPECT_EQ(Take(), (std::vector<Kind> {Kind::CursorDown, Kind::Down}));
    play.Tick(1200);
    EXPECT_EQ(Take(), std::vector<Kind> {Kind::Click});
    EXPECT_EQ(play.NextTick(), -1);
    // Its click has come: letting go is no second one.
    play.Release(10, 10, 1500);
    EXPECT_EQ(Take(), (std::vector<Kind> {Kind::CursorUp, Kind::Up}));

    play.Press(60, 10, 0);
    play.Tick(CPlaySession::kRepeatDelay - 1);
    EXPECT_EQ(Take(), (std::vector<Kind> {Kind::CursorDown, Kind::Down}));
    play.Tick(CPlaySession::kRepeatDelay + CPlaySession::kRepeatInterval);
    EXPECT_EQ(Take(), (std::vector<Kind> {Kind::Repeat, Kind::Repeat}));
    // Off the button it stops repeating and shows its own state.
    play.Move(60, 40, 700);
    EXPECT_EQ(play.NextTick(), -1);
    EXPECT_EQ(play.StateOf(*repeat), kx::kStateNormal);
    play.Move(60, 10, 710);
    EXPECT_EQ(play.StateOf(*repeat), kx::kStateDown);
    play.Release(60, 10, 720);
    EXPECT_EQ(Take(),
        (std::vector<Kind> {
            Kind::CursorMove, Kind::CursorMove, Kind::CursorUp, Kind::Up, Kind::Click}));
}

TEST_F(Play, KeysMoveTheFocusAndClickButtons)
{
    auto *radio = static_cast<CObjectDataList *>(Root()->CreateChild(kTypeGroup, "OGRadio"));
    radio->SetRadio(true);
    CObjectData *a = Add(radio, kTypeButton, "OBA", 0, kx::kStateActive);
    CObjectData *b = Add(radio, kTypeButton, "OBB", 50);
    Add(Root(), kTypeButton, "OBOff", 100, kx::kStateDisable);
    Add(Root(), kTypeButton, "OBNoClick", 150)->SetClick(false);
    CObjectData *box = Add(Root(), kTypeEditbox, "OEBox", 200, kx::kStateFocus);
    CPlaySession play(dialog, host);

    // The edit box that starts in Focus holds the focus; Tab goes round the buttons and edit
    // boxes that take it, in tree order.
    EXPECT_EQ(play.Focus(), box);
    EXPECT_EQ(play.FocusOrder(), (std::vector<CObjectData *> {a, b, box}));
    play.FocusNext(false);
    EXPECT_EQ(play.Focus(), a);
    EXPECT_EQ(play.StateOf(*box), kx::kStateNormal);
    play.FocusNext(true);
    EXPECT_EQ(play.Focus(), box);
    play.FocusNext(true);
    EXPECT_EQ(play.Focus(), b);

    // Space on the focused button: pushed while down, clicked when up, the radio group's choice.
    play.KeyDown(0);
    EXPECT_EQ(play.StateOf(*b), kx::kStateDown);
    play.KeyUp(10);
    EXPECT_EQ(Take(), (std::vector<Kind> {Kind::Down, Kind::Up, Kind::Click}));
    EXPECT_EQ(play.StateOf(*a), kx::kStateNormal);
    play.FocusNext(false);
    EXPECT_EQ(play.StateOf(*b), kx::kStateActive);
    // An active button is pushed as ActDown.
    const kx::KXRect r = b->GetRect();
    play.Press(r.left + 1, r.top + 1, 20);
    EXPECT_EQ(play.StateOf(*b), kx::kStateActDown);
}

TEST_F(Play, TypingEditsTheShownTextByCharacters)
{
    CObjectData *box = Add(Root(), kTypeEditbox, "OEBox", 0);
    box->SetText(kx::ToShiftJis("名前"));
    CPlaySession play(dialog, host);
    // Not focused yet: typing goes nowhere.
    play.InsertText("x");
    EXPECT_EQ(play.TextOf(*box), nullptr);
    Click(play, *box);
    EXPECT_EQ(play.Focus(), box);
    EXPECT_EQ(play.StateOf(*box), kx::kStateFocus);
    host.events.clear();

    play.InsertText(kx::ToShiftJis("は"));
    play.MoveCaret(-2);
    play.InsertText("A");
    EXPECT_EQ(kx::ToUtf8(*play.TextOf(*box)), "名A前は");
    play.Backspace(); // the A
    play.Backspace(); // 名, both of its bytes
    play.DeleteForward(); // 前
    EXPECT_EQ(kx::ToUtf8(play.EditText()), "は");
    // What an input method composes is shown at the caret, not yet typed.
    play.CaretToEnd();
    play.SetPreedit(kx::ToShiftJis("せって"));
    EXPECT_EQ(kx::ToUtf8(*play.TextOf(*box)), "はせって");
    EXPECT_EQ(kx::ToUtf8(play.EditText()), "は");
    EXPECT_EQ(play.Caret(), play.TextOf(*box)->size());
    play.InsertText(kx::ToShiftJis("設定"));
    EXPECT_EQ(kx::ToUtf8(*play.TextOf(*box)), "は設定");
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(kx::ToUtf8(host.events.back().text), "は設定");
    // The model keeps its own text.
    EXPECT_EQ(kx::ToUtf8(box->Text()), "名前");
}
