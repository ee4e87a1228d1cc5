// The mouse and key rules of the canvas, without Qt: hit codes of the selection frame, the drag
// threshold, the minimum size, handles by kind, rubber bands, Shift and Ctrl, nudging.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/prefix_settings.h"
#include "ui/canvas/canvas_interaction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Host : ICanvasHost {
    CObjectData *current = nullptr;
    int commits = 0;
    int previews = 0;
    std::vector<CObjectData *> reselected;

    CObjectData *CurrentObject() override { return current; }
    void Reselect(CObjectData *object) override
    {
        reselected.push_back(object);
        current = object;
    }
    void Preview(const kx::KXRect &) override { ++previews; }
    void Commit() override { ++commits; }
    void Invalidate() override { }
};

struct Canvas : ::testing::Test {
    kx::PrefixSettings prefixes;
    CKXDialogData dialog {"D", prefixes};
    Host host;
    CCanvasInteraction canvas {dialog, host};

    CObjectData *Add(CObjectDataList *group, int type, const char *name, int x, int y, int w, int h)
    {
        CObjectData *o = group->CreateChild(type, name);
        o->SetPosition(x, y);
        o->SetWidth(w);
        o->SetHeight(h);
        return o;
    }
    CObjectDataList *Root() { return dialog.RootGroup(); }
    void Drag(int x0, int y0, int x1, int y1, CanvasKeys keys = {})
    {
        canvas.Press(x0, y0, keys);
        canvas.Move(x1, y1);
        canvas.Release(x1, y1, keys);
    }
    static kx::KXRect Rect(const CObjectData *o) { return o->GetRect(); }
};

} // namespace

TEST(TrackerTest, HitCodesFollowTheBandsAndTheKindOfSelection)
{
    CTracker tracker;
    tracker.rect = {10, 20, 60, 50};
    struct Case {
        int x, y, flags, code;
    };
    const Case cases[] = {
        {10, 20, 0, kHitTopLeft},
        {15, 25, 0, kHitTopLeft},
        {16, 20, 0, kHitTop},
        {60, 20, 0, kHitTopRight},
        {10, 26, 0, kHitLeft},
        {35, 35, 0, kHitInside},
        {60, 44, 0, kHitRight},
        {10, 50, 0, kHitBottomLeft},
        {35, 45, 0, kHitBottom},
        {55, 45, 0, kHitBottomRight},
        {9, 30, 0, kHitNone},
        {61, 30, 0, kHitNone},
        // Buttons and edit boxes: width only; pictures: moved only.
        {10, 20, 2, kHitNone},
        {35, 20, 2, kHitNone},
        {10, 35, 2, kHitLeft},
        {60, 35, 2, kHitRight},
        {10, 35, 4, kHitNone},
        {35, 35, 4, kHitInside},
        {35, 35, 7, kHitInside},
    };
    for (const Case &c : cases) {
        tracker.kindFlags = c.flags;
        EXPECT_EQ(tracker.HitTest(c.x, c.y), c.code) << c.x << "," << c.y << " flags " << c.flags;
    }
    // In a frame lower than 10 pixels the top band wins; an empty frame or none at all is missed.
    tracker.kindFlags = 0;
    tracker.rect = {0, 0, 40, 8};
    EXPECT_EQ(tracker.HitTest(20, 4), kHitTop); // in both bands
    EXPECT_EQ(tracker.HitTest(20, 7), kHitBottom);
    tracker.rect = {};
    EXPECT_EQ(tracker.HitTest(0, 0), kHitNone);
    tracker.rect = {10, 20, 60, 50};
    tracker.hasWindow = false;
    EXPECT_EQ(tracker.HitTest(35, 35), kHitNone);

    tracker.hasWindow = true;
    const int expected[] = {8, 2, 0};
    const int flags[] = {1, 2, 4};
    for (int i = 0; i < 3; ++i) {
        tracker.kindFlags = flags[i];
        EXPECT_EQ(tracker.Handles().size(), static_cast<std::size_t>(expected[i]));
    }
}

TEST_F(Canvas, ADragOfFivePixelsOrLessChangesNothingAndRecordsNothing)
{
    CObjectData *text = Add(Root(), kTypeText, "T", 20, 20, 40, 30);
    canvas.Press(30, 30, {});
    ASSERT_TRUE(text->IsSelected());
    host.current = text;
    canvas.Move(35, 25);
    canvas.Release(35, 25, {});
    EXPECT_EQ(Rect(text), (kx::KXRect {20, 20, 60, 50}));
    EXPECT_EQ(host.commits, 0);

    Drag(30, 30, 36, 30);
    EXPECT_EQ(Rect(text), (kx::KXRect {26, 20, 66, 50}));
    EXPECT_EQ(host.commits, 1);
    EXPECT_FALSE(canvas.IsPressed());
}

TEST_F(Canvas, ResizingNeverGoesBelowTenByTenAndButtonsScaleOnlyTheirWidth)
{
    CObjectData *frame = Add(Root(), kTypeFrame, "F", 20, 20, 40, 30);
    canvas.Press(40, 40, {});
    canvas.Release(40, 40, {});
    Drag(20, 20, 300, 300); // the top-left handle far past the other corner
    EXPECT_EQ(Rect(frame), (kx::KXRect {50, 40, 60, 50}));

    Root()->DeselectAll();
    CObjectData *a = Add(Root(), kTypeButton, "A", 100, 100, 20, 30);
    CObjectData *b = Add(Root(), kTypeButton, "B", 120, 100, 20, 30);
    a->SetSelected(true);
    b->SetSelected(true);
    canvas.SyncTracker();
    EXPECT_EQ(canvas.Tracker().kindFlags, kSelectionStateImage);
    EXPECT_EQ(canvas.Tracker().HitTest(100, 100), kHitNone); // no corner handle
    host.current = a;
    Drag(100, 115, 60, 115); // the left handle: the frame grows from 40 to 80 wide
    EXPECT_EQ(Rect(a), (kx::KXRect {60, 100, 100, 130}));
    EXPECT_EQ(Rect(b), (kx::KXRect {100, 100, 140, 130}));
}

TEST_F(Canvas, RubberBandsSpanThePressPointAndTheMouseInAnyDirection)
{
    CObjectData *inside = Add(Root(), kTypeText, "In", 30, 30, 10, 10);
    CObjectData *outside = Add(Root(), kTypeText, "Out", 5, 5, 10, 10);
    Drag(80, 80, 25, 25); // up and to the left
    EXPECT_TRUE(inside->IsSelected());
    EXPECT_FALSE(outside->IsSelected());
    EXPECT_EQ(host.reselected.back(), inside);
    // A tiny band is still 10 x 10 from the press point.
    Root()->DeselectAll();
    Drag(42, 42, 35, 42); // left by 7: passes the threshold, 10 high, 10 wide
    EXPECT_FALSE(inside->IsSelected());
}

TEST_F(Canvas, ShiftTogglesOneObjectAndAPlainClickTakesTheOuterGroup)
{
    auto *group = static_cast<CObjectDataList *>(Root()->CreateChild(kTypeGroup, "G"));
    auto *inner = static_cast<CObjectDataList *>(group->CreateChild(kTypeGroup, "H"));
    CObjectData *a = Add(inner, kTypeText, "A", 0, 0, 10, 10);
    CObjectData *b = Add(group, kTypeText, "B", 20, 0, 10, 10);
    canvas.Press(5, 5, {});
    canvas.Release(5, 5, {});
    EXPECT_TRUE(a->IsSelected() && b->IsSelected());
    EXPECT_EQ(host.reselected.back(), group);

    Root()->DeselectAll();
    canvas.Press(5, 5, {true, false});
    canvas.Release(5, 5, {true, false});
    EXPECT_TRUE(a->IsSelected());
    EXPECT_FALSE(b->IsSelected());
    canvas.Press(5, 5, {true, false});
    canvas.Release(5, 5, {true, false});
    EXPECT_FALSE(a->IsSelected());

    // Ctrl on a selected object deselects it alone and consumes the press.
    group->SetSelected(true);
    canvas.SyncTracker();
    canvas.Press(25, 5, {false, true});
    EXPECT_EQ(canvas.HitCode(), kHitConsumed);
    EXPECT_FALSE(b->IsSelected());
    canvas.Move(60, 60);
    canvas.Release(60, 60, {false, true});
    EXPECT_EQ(Rect(a), (kx::KXRect {0, 0, 10, 10}));
}

TEST_F(Canvas, ArrowKeysMoveEverySelectedObjectOneStepPerPress)
{
    CObjectData *a = Add(Root(), kTypeText, "A", 10, 10, 10, 10);
    CObjectData *b = Add(Root(), kTypeText, "B", 50, 10, 10, 10);
    CObjectData *c = Add(Root(), kTypeText, "C", 90, 10, 10, 10);
    canvas.Nudge(10, 0); // no reference: nothing
    EXPECT_EQ(host.commits, 0);
    a->SetSelected(true);
    b->SetSelected(true);
    host.current = b;
    canvas.Nudge(10, 0);
    canvas.Nudge(0, -1);
    EXPECT_EQ(Rect(a), (kx::KXRect {20, 9, 30, 19}));
    EXPECT_EQ(Rect(b), (kx::KXRect {60, 9, 70, 19}));
    EXPECT_EQ(Rect(c), (kx::KXRect {90, 10, 100, 20}));
    EXPECT_EQ(host.commits, 2);
}
