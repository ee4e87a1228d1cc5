// The snapping rule of drags (smart guides, the grid, the tolerance at every zoom, Alt) and the
// arrange commands (equal gaps with uneven sizes, same size, stacking order), without Qt.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/prefix_settings.h"
#include "ui/canvas/arrange.h"
#include "ui/canvas/canvas_interaction.h"
#include "ui/canvas/snapping.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Host : ICanvasHost {
    CObjectData *current = nullptr;
    int commits = 0;
    CObjectData *CurrentObject() override { return current; }
    void Reselect(CObjectData *object) override { current = object; }
    void Preview(const kx::KXRect &) override { }
    void Commit() override { ++commits; }
    void Invalidate() override { }
};

struct Dialog : ::testing::Test {
    kx::PrefixSettings prefixes;
    CKXDialogData dialog {"D", prefixes};
    CObjectDataList *Root() { return dialog.RootGroup(); }
    CObjectData *Add(CObjectDataList *group, const char *name, int x, int y, int w, int h)
    {
        CObjectData *o = group->CreateChild(kTypeText, name);
        o->SetPosition(x, y);
        o->SetWidth(w);
        o->SetHeight(h);
        return o;
    }
};

} // namespace

TEST(SnappingTest, EdgesAndCentresSnapByTheRuleOfTheTable)
{
    // The dialog is 400 x 1000; the objects lie far above or below the moving rectangles, so
    // that only x snaps unless a case says otherwise.
    CSnapTargets targets;
    targets.Collect(
        {{20, 100, 60, 140}, {120, 600, 150, 640}, {96, 800, 110, 820}}, {0, 0, 400, 1000});
    const MovingEdges move = MovingEdges::ForHit(kHitInside);
    const MovingEdges right = MovingEdges::ForHit(kHitRight);
    struct Case {
        const char *what;
        kx::KXRect rect;
        MovingEdges edges;
        SnapOptions options;
        int dx, dy;
        std::vector<SnapLine> lines;
    };
    const SnapOptions guides {true, 0, 1};
    const Case cases[] = {
        {"edge to edge", {62, 300, 92, 310}, move, guides, -2, 0, {{true, 60}}},
        {"centre to centre", {127, 300, 139, 310}, move, guides, 2, 0, {{true, 135}}},
        {"dialog edge", {367, 300, 397, 310}, move, guides, 3, 0, {{true, 400}}},
        {"dialog edge and dialog centre", {-3, 495, 27, 502}, move, guides, 3, 2,
            {{true, 0}, {false, 500}}},
        // 60 lies 3 to the left of the left edge, 96 3 to the right of the right edge.
        {"equal distances: the shift to the left wins", {63, 300, 93, 310}, move, guides, -3, 0,
            {{true, 60}}},
        {"beyond the tolerance", {66, 300, 96 - 7, 310}, move, guides, 0, 0, {}},
        {"400 %: two pixels are eight on the screen", {62, 300, 92, 310}, move, {true, 0, 4}, 0, 0,
            {}},
        {"400 %: one pixel snaps", {61, 300, 91, 310}, move, {true, 0, 4}, -1, 0, {{true, 60}}},
        {"resize: only the handle's edge", {30, 300, 58, 310}, right, guides, 2, 0, {{true, 60}}},
        {"both axes", {62, 97, 92, 137}, move, guides, -2, 3,
            {{true, 60}, {false, 100}, {false, 140}, {false, 120}}},
        {"grid without guides", {13, 303, 43, 313}, move, {false, 8, 1}, 3, 1, {}},
        {"guides win over the grid", {62, 300, 92, 310}, move, {true, 8, 1}, -2, -4, {{true, 60}}},
        {"nothing on", {62, 300, 92, 310}, move, {false, 0, 1}, 0, 0, {}},
    };
    for (const Case &c : cases) {
        const SnapResult snap = targets.Snap(c.rect, c.edges, c.options);
        EXPECT_EQ(snap.dx, c.dx) << c.what;
        EXPECT_EQ(snap.dy, c.dy) << c.what;
        EXPECT_EQ(snap.lines, c.lines) << c.what;
    }
    // The nearest neighbour on each axis, measured after the snap.
    const SnapResult near = targets.Snap({70, 110, 80, 118}, move, guides);
    EXPECT_EQ(near.dx, 0);
    ASSERT_EQ(near.distances.size(), 1u);
    EXPECT_EQ(near.distances[0], (SnapDistance {true, 60, 70, 114}));
}

TEST_F(Dialog, ADragSnapsOnceCommittedWhileAltAndTheArrowKeysNeverSnap)
{
    dialog.SetSize(400, 300);
    Add(Root(), "A", 20, 20, 40, 20); // right edge at 60
    CObjectData *b = Add(Root(), "B", 100, 100, 30, 20);
    Host host;
    CCanvasInteraction canvas(dialog, host);
    canvas.SetSnapOptions({true, 0, 1});
    canvas.Press(110, 110, {});
    canvas.Release(110, 110, {});
    ASSERT_TRUE(b->IsSelected());
    host.current = b;

    // With Alt the object goes exactly where the mouse takes it.
    canvas.Press(110, 110, {});
    canvas.Move(73, 110, {.alt = true});
    EXPECT_TRUE(canvas.Snap().lines.empty());
    canvas.Release(73, 110, {});
    EXPECT_EQ(b->GetRect(), (kx::KXRect {63, 100, 93, 120}));
    EXPECT_EQ(host.commits, 1);

    // Without, its left edge meets A's right edge while the guide holds, and the release is
    // one step.
    canvas.Press(80, 110, {});
    canvas.Move(81, 110, {});
    canvas.Move(87, 111, {});
    canvas.Move(81, 110, {});
    EXPECT_EQ(canvas.Snap().lines, (std::vector<SnapLine> {{true, 60}}));
    canvas.Release(81, 110, {});
    EXPECT_EQ(b->GetRect(), (kx::KXRect {60, 100, 90, 120}));
    EXPECT_EQ(host.commits, 2);
    EXPECT_TRUE(canvas.Snap().lines.empty());

    canvas.Nudge(-1, 0);
    EXPECT_EQ(b->GetRect(), (kx::KXRect {59, 100, 89, 120}));
    EXPECT_EQ(host.commits, 3);
}

TEST_F(Dialog, DistributeEvensTheGapsOfUnevenObjectsAndKeepsTheOutermost)
{
    CObjectData *a = Add(Root(), "A", 0, 0, 10, 10);
    CObjectData *d = Add(Root(), "D", 100, 40, 50, 10);
    CObjectData *c = Add(Root(), "C", 70, 20, 20, 10);
    // B is a group of two: it moves as one.
    CObjectDataList *b = static_cast<CObjectDataList *>(Root()->CreateChild(kTypeGroup, "G"));
    CObjectData *b1 = Add(b, "B1", 13, 0, 10, 5);
    Add(b, "B2", 23, 5, 20, 5);
    b->NormaliseBounds();
    Root()->SetSelected(true);
    const std::vector<CObjectData *> top = kx::TopSelected(*Root());
    ASSERT_EQ(top.size(), 4u);

    // Room between A's right (10) and D's left (100) less B's and C's widths: 40 in three gaps.
    EXPECT_TRUE(kx::Distribute(top, true));
    EXPECT_EQ(a->GetRect().left, 0);
    EXPECT_EQ(kx::CoveredRect(*b).left, 23);
    EXPECT_EQ(b1->GetRect().left, 23);
    EXPECT_EQ(c->GetRect().left, 67);
    EXPECT_EQ(d->GetRect().left, 100);
    EXPECT_FALSE(kx::Distribute(top, true)); // even already

    // Vertically in the order of the centres: A (0..10), B (0..10), C (20..30), D (40..50);
    // 10 pixels of room in three gaps: 3, 4 and 3.
    EXPECT_TRUE(kx::Distribute(top, false));
    EXPECT_EQ(a->GetRect().top, 0);
    EXPECT_EQ(kx::CoveredRect(*b).top, 13);
    EXPECT_EQ(c->GetRect().top, 27);
    EXPECT_EQ(d->GetRect().top, 40);
    EXPECT_FALSE(kx::Distribute({a, d}, true));
}

TEST_F(Dialog, SameSizeTakesTheFirstSelectedAndTheStackingOrderKeepsItsOrder)
{
    CObjectData *a = Add(Root(), "A", 0, 0, 10, 10);
    CObjectData *b = Add(Root(), "B", 20, 0, 30, 15);
    CObjectData *c = Add(Root(), "C", 60, 0, 40, 25);
    CObjectData *d = Add(Root(), "D", 60, 0, 40, 25);
    b->SetSelected(true);
    c->SetSelected(true);
    d->SetSelected(true);
    ASSERT_EQ(kx::FirstSelectedObject(*Root()), b);
    EXPECT_TRUE(kx::MakeSameSize(*Root(), *b, true, false));
    EXPECT_EQ(c->Width(), 30);
    EXPECT_EQ(c->Height(), 25);
    EXPECT_EQ(a->Width(), 10);
    EXPECT_TRUE(kx::MakeSameSize(*Root(), *b, false, true));
    EXPECT_EQ(d->Height(), 15);
    EXPECT_FALSE(kx::MakeSameSize(*Root(), *b, true, true));

    c->SetSelected(false);
    EXPECT_TRUE(kx::SendToBack(kx::TopSelected(*Root())));
    EXPECT_EQ(Root()->Children(), (std::vector<CObjectData *> {b, d, a, c}));
    EXPECT_FALSE(kx::SendToBack(kx::TopSelected(*Root())));
    EXPECT_TRUE(kx::BringToFront(kx::TopSelected(*Root())));
    EXPECT_EQ(Root()->Children(), (std::vector<CObjectData *> {a, c, b, d}));
}
