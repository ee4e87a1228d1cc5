#include "model/object_data.h"

#include "model/name_id_list.h"
#include "model/object_data_list.h"
#include "model/resource_lists.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using kx::KXRect;
using kx::KXSize;

namespace {

using XY = std::pair<int, int>;

// A dialog's root group that frees its whole tree when the test ends.
struct Dialog {
    CObjectDataList *root = new CObjectDataList;
    Dialog()
    {
        root->SetRoot(true);
        root->SetName(CObjectDataList::kRootName);
    }
    ~Dialog() { kx::DeleteTree(root); }
};

CObjectData *Add(CObjectDataList *group, int type, int x, int y, int w = 0, int h = 0)
{
    CObjectData *o = group->CreateChild(type, "");
    o->SetPosition(x, y);
    o->SetWidth(w);
    o->SetHeight(h);
    return o;
}

CObjectDataList *AddGroup(CObjectDataList *group, int x, int y)
{
    return static_cast<CObjectDataList *>(Add(group, kTypeGroup, x, y));
}

XY Pos(const CObjectData *o)
{
    return {o->X(), o->Y()};
}

} // namespace

TEST(ObjectDataTest, HitTestIncludesLeftTopEdgesOnlyAndSkipsLockedOrHidden)
{
    Dialog d;
    CObjectData *o = Add(AddGroup(d.root, 5, 5), kTypeCanvas, 10, 20, 30, 40);
    EXPECT_EQ(o->GetRect(), (KXRect {15, 25, 45, 65}));
    EXPECT_EQ(o->HitTest(15, 25), o);
    EXPECT_EQ(o->HitTest(44, 64), o);
    EXPECT_EQ(o->HitTest(45, 30), nullptr);
    EXPECT_EQ(o->HitTest(20, 65), nullptr);
    EXPECT_EQ(o->HitTest(14, 30), nullptr);
    o->SetLock(true);
    EXPECT_EQ(o->HitTest(20, 30), nullptr);
    o->SetLock(false);
    o->SetHide(true);
    EXPECT_EQ(o->HitTest(20, 30), nullptr);
}

TEST(ObjectDataTest, LockedAndHiddenObjectsAreStillSelectedAndAligned)
{
    Dialog d;
    CObjectData *locked = Add(AddGroup(d.root, 20, 0), kTypeText, 0, 0, 30, 10);
    CObjectData *hidden = Add(d.root, kTypePicture, 40, 40, 20, 20);
    CObjectData *outside = Add(d.root, kTypePicture, 90, 90, 20, 20);
    locked->SetLock(true);
    hidden->SetHide(true);
    outside->SetSelected(true);

    std::vector<CObjectData *> picked;
    d.root->SelectInRect(0, 0, 100, 100, &picked);
    EXPECT_EQ(picked, (std::vector<CObjectData *> {locked, hidden}));
    EXPECT_TRUE(locked->IsSelected());
    EXPECT_TRUE(outside->IsSelected()); // lying outside does not deselect
    outside->SetSelected(false);

    d.root->AlignEdge(kAlignRight, 100);
    EXPECT_EQ(locked->GetRect().left, 70);
    EXPECT_EQ(locked->X(), 50); // relative to its group at 20
    EXPECT_EQ(hidden->X(), 80);
    EXPECT_EQ(outside->X(), 90);
    d.root->AlignEdge(kAlignBottom, 60);
    EXPECT_EQ(Pos(locked), XY(50, 50));
    EXPECT_EQ(Pos(hidden), XY(80, 40));
}

TEST(ObjectDataTest, PreviewScaleShowsTheDragAndApplyScaleCommitsIt)
{
    Dialog d;
    CObjectData *o = Add(d.root, kTypeCanvas, 10, 10, 21, 21);
    CObjectData *idle = Add(d.root, kTypeCanvas, 10, 10, 21, 21);
    o->SetSelected(true);
    const KXRect from {0, 0, 100, 100};
    const KXRect to {0, 0, 150, 150};

    d.root->PreviewScale(from, to);
    EXPECT_EQ(o->PreviewOffsetX(), 5);
    EXPECT_DOUBLE_EQ(o->PreviewScaleX(), 1.5);
    EXPECT_EQ(o->GetRect(), (KXRect {15, 15, 47, 47})); // 31.5 rounds up while dragging
    EXPECT_EQ(Pos(o), XY(10, 10));
    EXPECT_EQ(idle->GetRect(), (KXRect {10, 10, 31, 31}));

    d.root->ApplyScale(from, to);
    EXPECT_EQ(Pos(o), XY(15, 15));
    EXPECT_EQ(o->Width(), 31); // integer arithmetic truncates
    EXPECT_EQ(o->Height(), 31);
    EXPECT_EQ(o->PreviewOffsetY(), 0);
    EXPECT_DOUBLE_EQ(o->PreviewScaleY(), 1.0);
    EXPECT_EQ(idle->GetRect(), (KXRect {10, 10, 31, 31}));
}

TEST(ObjectDataTest, ScaleIsRelativeToTheParentAndOnlyMovesForAnEmptyOldExtent)
{
    Dialog d;
    CObjectData *o = Add(AddGroup(d.root, 20, 0), kTypeCanvas, 5, 30, 10, 10); // canvas 25,30
    o->SetSelected(true);
    const KXRect from {10, 10, 110, 60};
    const KXRect to {30, 20, 230, 120};
    o->PreviewScale(from, to);
    EXPECT_EQ(o->GetRect(), (KXRect {60, 60, 80, 80}));
    o->ApplyScale(from, to);
    EXPECT_EQ(o->GetRect(), (KXRect {60, 60, 80, 80}));
    EXPECT_EQ(Pos(o), XY(40, 60));

    // A zero-width selection cannot be stretched horizontally: it is carried along instead.
    const KXRect line {60, 0, 60, 100};
    const KXRect moved {90, 0, 90, 200};
    o->PreviewScale(line, moved);
    EXPECT_DOUBLE_EQ(o->PreviewScaleX(), 1.0);
    EXPECT_EQ(o->GetRect().left, 90);
    o->ApplyScale(line, moved);
    EXPECT_EQ(o->GetRect(), (KXRect {90, 120, 110, 160}));
}

TEST(ObjectDataTest, CanvasCoordinatesStopAtTheIntLimitsInsteadOfWrapping)
{
    // Positions and sizes of a file can be anything an int holds; sums saturate.
    Dialog d;
    CObjectDataList *far = AddGroup(d.root, INT_MAX - 10, INT_MIN + 10);
    CObjectData *o = Add(far, kTypeCanvas, 100, -100, INT_MAX, INT_MAX);
    EXPECT_EQ(far->AbsoluteX(), INT_MAX - 10);
    EXPECT_EQ(o->AbsoluteX(), INT_MAX);
    EXPECT_EQ(o->AbsoluteY(), INT_MIN);
    EXPECT_EQ(o->GetRect(), (KXRect {INT_MAX, INT_MIN, INT_MAX, -1}));
    EXPECT_EQ(o->GetRect().Width(), 0);
    EXPECT_EQ(o->GetRect().Height(), INT_MAX);
    EXPECT_EQ((KXRect {INT_MIN, INT_MIN, INT_MAX, INT_MAX}).Width(), INT_MAX);
    EXPECT_EQ(o->HitTest(INT_MAX, 0), nullptr);

    // Placing at a canvas coordinate keeps the position within the int range.
    o->SetAbsoluteX(INT_MIN);
    EXPECT_EQ(o->X(), INT_MIN);
    o->SetAbsoluteX(0);
    EXPECT_EQ(o->X(), INT_MIN + 11); // the exact difference, 0 - (INT_MAX - 10)
    o->SetSelected(true);
    // Right edge at INT_MIN: the position stops at INT_MIN, the canvas x at INT_MIN + INT_MAX - 10.
    d.root->AlignEdge(1, INT_MIN);
    EXPECT_EQ(o->X(), INT_MIN);
    EXPECT_EQ(o->AbsoluteX(), -11);

    // Dragging and committing a resize of such an object stays within the range too: the left
    // edge, -11 × INT_MAX, stops at INT_MIN.
    const KXRect from {0, 0, 1, 1};
    const KXRect to {0, 0, INT_MAX, INT_MAX};
    d.root->PreviewScale(from, to);
    EXPECT_EQ(o->GetRect().left, INT_MIN);
    EXPECT_EQ(o->GetRect().right, -1);
    d.root->ApplyScale(from, to);
    EXPECT_EQ(o->Width(), INT_MAX);
    // The position stopped at INT_MIN again (canvas x -11), and the group took the corner of
    // its only child.
    EXPECT_EQ(o->AbsoluteX(), -11);
    EXPECT_EQ(o->X(), 0);

    EXPECT_EQ(kx::Nearest(1e300), INT_MAX);
    EXPECT_EQ(kx::Nearest(-1e300), INT_MIN);
    EXPECT_EQ(kx::Nearest(2.5), 3);
    EXPECT_EQ(kx::Nearest(-0.7), 0); // truncates toward zero, as the canvas does
}

TEST(ObjectDataTest, CollectSelectionInfoGathersOnlySelectedObjects)
{
    Dialog d;
    CObjectData *button = Add(d.root, kTypeButton, 10, 10, 50, 20);
    CObjectData *frame = Add(d.root, kTypeFrame, 100, 5, 60, 60);
    CObjectData *icon = Add(d.root, kTypeIcon, 0, 0, 500, 500);
    button->SetImage("BTN");
    frame->SetImage("FRM");
    icon->SetImage("BTN");
    button->SetSelected(true);
    frame->SetSelected(true);

    // Pictures of the sizes that matter; their pixels are never read here.
    struct SizedPicture : kx::IPicture {
        SizedPicture(int w, int h)
            : w(w)
            , h(h)
        { }
        int Width() const override { return w; }
        int Height() const override { return h; }
        const std::uint8_t *Row(int) const override { return nullptr; }
        int w, h;
    };
    const SizedPicture normal(40, 12), top(50, 8), middle(1, 20);

    CImageDataList images;
    auto btn = std::make_unique<CImageData>();
    btn->SetName("BTN");
    btn->SetPicture(0, &normal);
    auto frm = std::make_unique<CImageData>();
    frm->SetName("FRM");
    frm->SetPicture(0, &top);
    frm->SetPicture(1, &middle); // the bottom strip is missing
    ASSERT_EQ(images.Add(btn), 0);
    ASSERT_EQ(images.Add(frm), 1);

    KXRect bounds;
    KXSize minSize {1000, 1000};
    int kinds = 0;
    int count = 0;
    d.root->CollectSelectionInfo(&bounds, &minSize, &kinds, &count, &images);
    EXPECT_EQ(bounds, (KXRect {10, 5, 160, 65}));
    EXPECT_EQ(minSize, (KXSize {40, 12}));
    EXPECT_EQ(kinds, kSelectionStateImage | kSelectionFramed);
    EXPECT_EQ(count, 2);

    minSize = {1000, 1000};
    frame->CollectSelectionInfo(nullptr, &minSize, nullptr, nullptr, &images);
    EXPECT_EQ(minSize, (KXSize {50, 28}));
    icon->SetSelected(true);
    minSize = {1000, 1000};
    icon->CollectSelectionInfo(nullptr, &minSize, &kinds, nullptr, &images);
    EXPECT_EQ(kinds, kSelectionStateImage | kSelectionFramed | kSelectionPicture);
    EXPECT_EQ(minSize, (KXSize {10, 10})); // an icon is not sized by its definition
}

TEST(ObjectDataTest, ColourValuesKnowOnlyBareColourNames)
{
    CObjectData o;
    EXPECT_EQ(o.TextColourValue(), 0u); // BLACK
    EXPECT_EQ(o.SubColourValue(), 0x787878u); // GRAY
    o.SetTextCol("ORANGE");
    EXPECT_EQ(o.TextColourValue(), 0x0080FFu); // red in the lowest byte
    for (const char *text : {"RGB(0xFF,0xFF,0xFF)", "KX_COL_WHITE", "white", "VIOLET"}) {
        o.SetTextColSub(text);
        EXPECT_EQ(o.SubColourValue(), 0u) << text;
    }
}

TEST(ObjectDataTest, CopyFromTakesTrackedStateAndResetsEditingState)
{
    CObjectDataList parent;
    CObjectData source(&parent);
    source.SetType(kTypeText);
    source.SetName("LABEL");
    source.SetPosition(3, 4);
    source.SetLinespace(14);
    source.SetTreeExpanded(true);
    source.SetLock(true);
    source.SetHide(true);
    source.SetPushClick(true);
    source.SetPushTime(900);
    source.SetGetText(true);

    CObjectData copy;
    copy.SetSelected(true);
    copy.SetPreviewOffset(7, 7);
    copy.SetCached(std::make_unique<CachedPicture>());
    copy.CopyFrom(source);
    EXPECT_EQ(copy.Serial(), source.Serial());
    EXPECT_TRUE(copy.IsTreeExpanded());
    EXPECT_EQ(copy.Parent(), &parent);
    EXPECT_EQ(copy.Name(), "LABEL");
    EXPECT_EQ(Pos(&copy), XY(3, 4));
    EXPECT_EQ(copy.Linespace(), 14);
    EXPECT_FALSE(copy.SelectedFlag());
    EXPECT_EQ(copy.PreviewOffsetX(), 0);
    EXPECT_EQ(copy.Cached(), nullptr);
    EXPECT_FALSE(copy.Lock() || copy.Hide() || copy.PushClick() || copy.IsGetText());
    EXPECT_EQ(copy.PushTime(), 200);
}

TEST(ObjectDataTest, IsSameAsComparesEveryTrackedAttributeAndNothingElse)
{
    CObjectDataList parent;
    CObjectData a(&parent);
    CObjectData b;
    b.CopyFrom(a);
    b.SetLock(true);
    b.SetHide(true);
    b.SetPushClick(true);
    b.SetPushTime(1);
    b.SetGetText(true);
    b.SetTreeExpanded(true);
    b.SetSelected(true);
    b.SetPreviewOffset(3, 3);
    EXPECT_TRUE(a.IsSameAs(b));
    EXPECT_TRUE(a.IsSameAs(CObjectData(&parent))); // another serial, same attributes

    const std::vector<std::function<void(CObjectData &)>> changes = {
        [](CObjectData &o) { o.SetType(kTypeEditbox); },
        [](CObjectData &o) { o.SetName("n"); },
        [](CObjectData &o) { o.SetAttr(2); },
        [](CObjectData &o) { o.SetClick(true); },
        [](CObjectData &o) { o.SetRepeat(true); },
        [](CObjectData &o) { o.SetRadio(true); },
        [](CObjectData &o) { o.SetText("t"); },
        [](CObjectData &o) { o.SetPosition(0, 1); },
        [](CObjectData &o) { o.SetWidth(1); },
        [](CObjectData &o) { o.SetHeight(1); },
        [](CObjectData &o) { o.SetFont("f"); },
        [](CObjectData &o) { o.SetAlignX(2); },
        [](CObjectData &o) { o.SetAlignY(0); },
        [](CObjectData &o) { o.SetMarginX(1); },
        [](CObjectData &o) { o.SetMarginY(1); },
        [](CObjectData &o) { o.SetStretch(3); },
        [](CObjectData &o) { o.SetImage("i"); },
        [](CObjectData &o) { o.SetImageFile("a.png"); },
        [](CObjectData &o) { o.SetTextCol("RED"); },
        [](CObjectData &o) { o.SetTextColSub("RED"); },
        [](CObjectData &o) { o.SetVertical(true); },
        [](CObjectData &o) { o.SetLinespace(11); },
        [](CObjectData &o) { o.SetParent(nullptr); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        CObjectData changed;
        changed.CopyFrom(a);
        changes[i](changed);
        EXPECT_FALSE(a.IsSameAs(changed)) << "change " << i;
        EXPECT_FALSE(changed.IsSameAs(a)) << "change " << i;
        // CopyFrom carries every attribute that IsSameAs compares: undo restores the change.
        CObjectData restored;
        restored.CopyFrom(changed);
        EXPECT_TRUE(restored.IsSameAs(changed)) << "change " << i;
        restored.CopyFrom(a);
        EXPECT_TRUE(restored.IsSameAs(a)) << "change " << i;
    }
}

TEST(ObjectDataTest, ImageFileKeepsTheCachedPictureUnlessItChanges)
{
    CObjectData o;
    o.SetImageFile("a.png");
    o.SetCached(std::make_unique<CachedPicture>());
    o.SetImageFile("a.png");
    o.SetFont("FONT_S");
    EXPECT_NE(o.Cached(), nullptr);
    o.SetImageFile("b.png");
    EXPECT_EQ(o.Cached(), nullptr);
}

TEST(ObjectDataTest, ApplyAttributeReadsTypesSwitchesAndWords)
{
    EXPECT_EQ(CObjectData::ElementIndex("Margin"), kObjMarginX);
    EXPECT_EQ(CObjectData::ElementIndex("Align"), kObjAlignX);
    EXPECT_EQ(CObjectData::ElementIndex("AlignY"), kObjAlignY);
    EXPECT_EQ(CObjectData::ElementIndex("type"), -1);
    EXPECT_EQ(CObjectData::ElementIndex("Colour"), -1);

    const CNameIdList ids;
    CObjectData o;
    o.ApplyAttribute(kObjType, "EDITBOX", ids);
    EXPECT_EQ(o.Type(), kTypeEditbox);
    EXPECT_TRUE(o.Click());
    CObjectData t;
    t.ApplyAttribute(kObjType, "text", ids);
    EXPECT_EQ(t.Type(), kTypeText);
    EXPECT_FALSE(t.Click());
    t.ApplyAttribute(kObjType, "Slider", ids);
    EXPECT_EQ(t.Type(), kTypeText);

    o.ApplyAttribute(kObjClick, "1", ids);
    EXPECT_FALSE(o.Click());
    o.ApplyAttribute(kObjClick, "on", ids);
    EXPECT_TRUE(o.Click());
    o.ApplyAttribute(kObjLoop, "loop", ids);
    EXPECT_TRUE(o.Repeat());
    o.ApplyAttribute(kObjLoop, "ONCE", ids);
    EXPECT_FALSE(o.Repeat());
    o.ApplyAttribute(kObjAlignY, "bottom", ids);
    o.ApplyAttribute(kObjAlignY, "Sideways", ids);
    EXPECT_EQ(o.AlignY(), 2);
    o.ApplyAttribute(kObjStretch, "xy-stretch", ids);
    EXPECT_EQ(o.Stretch(), 3);
    o.ApplyAttribute(kObjAttr, "ActDown", ids);
    EXPECT_EQ(o.Attr(), 5);
    o.ApplyAttribute(kObjTextCol, "RGB(1,2,3)", ids);
    EXPECT_EQ(o.TextCol(), "RGB(1,2,3)");
}

TEST(ObjectDataTest, ApplyAttributeReadsNumbersPairsTextAndIds)
{
    CNameIdList ids;
    ids.Add(kNameIdFont, "FONT_S", 3);
    ids.Add(kNameIdImage, "IMG_B", 5);
    CObjectData o;
    o.SetPosition(9, 9);
    o.ApplyAttribute(kObjPosition, "10", ids);
    EXPECT_EQ(Pos(&o), XY(0, 0));
    o.ApplyAttribute(kObjPosition, "1,2,3", ids);
    EXPECT_EQ(Pos(&o), XY(1, 2));
    o.ApplyAttribute(kObjPosition, " 40 ,-3", ids);
    EXPECT_EQ(Pos(&o), XY(40, -3));
    o.ApplyAttribute(kObjPosition, "7," + std::string(60, '0') + "8", ids); // 63 characters
    EXPECT_EQ(Pos(&o), XY(7, 8));
    o.ApplyAttribute(kObjPosition, "7," + std::string(61, '0') + "8", ids); // 64 characters
    EXPECT_EQ(Pos(&o), XY(0, 0));

    o.ApplyAttribute(kObjWidth, " -12abc", ids);
    EXPECT_EQ(o.Width(), -12);
    o.ApplyAttribute(kObjHeight, "99999999999", ids);
    EXPECT_EQ(o.Height(), INT_MAX);
    o.ApplyAttribute(kObjMarginX, "-99999999999", ids);
    EXPECT_EQ(o.MarginX(), INT_MIN);
    o.ApplyAttribute(kObjPushTime, "ms", ids);
    EXPECT_EQ(o.PushTime(), 0);

    o.ApplyAttribute(kObjText, "a@amp;b@lt;c@gt;d @amp;lt;", ids);
    EXPECT_EQ(o.Text(), "a&b<c>d &lt;");
    o.ApplyAttribute(kObjText, "\xE3\x81\x82", ids); // HIRAGANA A, stored as CP932
    EXPECT_EQ(o.Text(), "\x82\xA0");

    o.ApplyAttribute(kObjFontId, "3", ids);
    EXPECT_EQ(o.Font(), "FONT_S");
    o.ApplyAttribute(kObjFontId, "4", ids);
    EXPECT_EQ(o.Font(), "");
    o.SetCached(std::make_unique<CachedPicture>());
    o.ApplyAttribute(kObjImageId, "5", ids);
    EXPECT_EQ(o.Image(), "IMG_B");
    EXPECT_EQ(o.Cached(), nullptr);
}

TEST(ObjectDataTest, ApplyAttributeMakesNamesUniqueWithinTheDialog)
{
    const CNameIdList ids;
    Dialog d;
    d.root->ApplyAttribute(kObjName, CObjectDataList::kRootName, ids);
    EXPECT_EQ(d.root->Name(), "OGROOT");

    CObjectData *first = Add(d.root, kTypeButton, 0, 0);
    first->ApplyAttribute(kObjName, "X", ids);
    CObjectDataList *group = AddGroup(d.root, 0, 0);
    CObjectData *second = Add(group, kTypeText, 0, 0);
    second->ApplyAttribute(kObjName, "X", ids);
    CObjectData *third = Add(d.root, kTypeButton, 0, 0);
    third->ApplyAttribute(kObjName, "X", ids);
    EXPECT_EQ(first->Name(), "X");
    EXPECT_EQ(second->Name(), "X2"); // searched from the root, not from the enclosing group
    EXPECT_EQ(third->Name(), "X3");

    // Only a group keeps "OGROOT"; an object of that name is numbered like any other.
    group->ApplyAttribute(kObjName, CObjectDataList::kRootName, ids);
    EXPECT_EQ(group->Name(), "OGROOT");
    third->ApplyAttribute(kObjName, CObjectDataList::kRootName, ids);
    EXPECT_EQ(third->Name(), "OGROOT2");
}
