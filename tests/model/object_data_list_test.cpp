#include "model/object_data_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using kx::KXRect;

namespace {

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

CObjectData *Add(
    CObjectDataList *group, int type, const char *name, int x, int y, int w = 10, int h = 10)
{
    CObjectData *o = group->CreateChild(type, name);
    o->SetPosition(x, y);
    o->SetWidth(w);
    o->SetHeight(h);
    return o;
}

CObjectDataList *AddGroup(CObjectDataList *group, const char *name, int x = 0, int y = 0)
{
    return static_cast<CObjectDataList *>(Add(group, kTypeGroup, name, x, y, 0, 0));
}

using Objects = std::vector<CObjectData *>;
using XY = std::pair<int, int>;

XY Pos(const CObjectData *o)
{
    return {o->X(), o->Y()};
}

// Records what AddToTree inserts; item handles are 1000 plus the insertion index.
struct RecordingTree : kx::ITreeSink {
    struct Item {
        kx::TreeItem parent;
        std::string label;
        KXClass *object;
        bool expanded = false;
    };
    std::vector<Item> items;

    kx::TreeItem InsertItem(
        kx::TreeItem parent, kx::TreeItem, const std::string &label, KXClass *object) override
    {
        items.push_back({parent, label, object});
        return 1000 + items.size() - 1;
    }
    void SetExpanded(kx::TreeItem item, bool expanded) override
    {
        items.at(item - 1000).expanded = expanded;
    }
};

} // namespace

TEST(GroupTest, CreateChildMakesObjectsAndGroups)
{
    Dialog d;
    CObjectData *button = d.root->CreateChild(kTypeButton, "B");
    CObjectData *edit = d.root->CreateChild(kTypeEditbox, "E");
    CObjectData *text = d.root->CreateChild(kTypeText, "T");
    CObjectData *group = d.root->CreateChild(kTypeGroup, "G");
    EXPECT_EQ(d.root->Children(), (Objects {button, edit, text, group}));
    EXPECT_TRUE(button->Click() && edit->Click());
    EXPECT_FALSE(text->Click() || group->Click());
    EXPECT_EQ(text->Parent(), d.root);
    EXPECT_NE(dynamic_cast<CObjectDataList *>(group), nullptr);
}

TEST(GroupTest, SelectionIsCarriedByTheLeaves)
{
    Dialog d;
    CObjectDataList *g = AddGroup(d.root, "G");
    CObjectData *a = Add(g, kTypeText, "A", 0, 0);
    CObjectData *b = Add(g, kTypeText, "B", 0, 0);
    d.root->SetSelected(true);
    EXPECT_TRUE(g->IsSelected());
    EXPECT_FALSE(g->SelectedFlag());
    EXPECT_EQ(d.root->CountSelected(), 2);
    EXPECT_EQ(d.root->FindSelected(), b); // searched from the last child
    b->SetSelected(false);
    EXPECT_FALSE(g->IsSelected());
    EXPECT_EQ(d.root->FindSelected(), a);

    // A group without children holds the selection itself but never counts it.
    CObjectDataList *empty = AddGroup(d.root, "E");
    EXPECT_FALSE(empty->IsSelected());
    empty->SetSelected(true);
    EXPECT_TRUE(empty->IsSelected());
    EXPECT_EQ(d.root->FindSelected(), empty);
    EXPECT_EQ(d.root->CountSelected(), 1);
    d.root->DeselectAll();
    EXPECT_EQ(d.root->FindSelected(), nullptr);
    EXPECT_FALSE(empty->IsSelected());
}

TEST(GroupTest, PreOrderNumberingAndSearches)
{
    Dialog d;
    CObjectDataList *g = AddGroup(d.root, "A");
    CObjectData *inner = Add(g, kTypeText, "A", 0, 0);
    CObjectDataList *h = AddGroup(g, "H");
    CObjectData *deep = Add(h, kTypeText, "D", 0, 0);
    CObjectData *last = Add(d.root, kTypeText, "D", 0, 0);
    const Objects order {d.root, g, inner, h, deep, last};
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        EXPECT_EQ(d.root->IndexOf(order[i]), i);
        EXPECT_EQ(d.root->ObjectAt(i), order[i]);
    }
    EXPECT_EQ(d.root->ObjectAt(6), nullptr);
    EXPECT_EQ(d.root->ObjectAt(-1), nullptr);
    EXPECT_EQ(g->IndexOf(deep), 3);
    EXPECT_EQ(g->IndexOf(last), -1);

    EXPECT_EQ(d.root->FindByName("A"), g); // the group before its child
    EXPECT_EQ(d.root->FindByName("D"), deep);
    EXPECT_EQ(d.root->FindByName("d"), nullptr);
    EXPECT_EQ(d.root->FindBySerial(deep->Serial()), deep);
    EXPECT_EQ(h->FindBySerial(last->Serial()), nullptr);
    EXPECT_EQ(d.root->CountNodes(), 6);
    EXPECT_EQ(d.root->GroupDepth(0), 3);
    EXPECT_EQ(h->GroupDepth(0), 1);
}

TEST(GroupTest, HitTestFindsTheTopmostChildOfVisibleGroups)
{
    Dialog d;
    CObjectDataList *g = AddGroup(d.root, "G", 100, 100);
    CObjectData *lower = Add(g, kTypeCanvas, "L", 0, 0, 50, 50);
    CObjectData *upper = Add(g, kTypeCanvas, "U", 20, 20, 50, 50);
    EXPECT_EQ(d.root->HitTest(130, 130), upper);
    EXPECT_EQ(d.root->PickAt(110, 110), lower);
    EXPECT_EQ(d.root->HitTest(10, 10), nullptr);
    upper->SetHide(true);
    EXPECT_EQ(d.root->HitTest(130, 130), lower);
    upper->SetHide(false);
    g->SetHide(true);
    EXPECT_EQ(d.root->HitTest(130, 130), nullptr);
    g->SetHide(false);
    g->SetLock(true);
    EXPECT_EQ(d.root->HitTest(110, 110), nullptr);
}

TEST(GroupTest, NormaliseBoundsMovesTheOriginToTheChildren)
{
    Dialog d;
    CObjectDataList *outer = AddGroup(d.root, "O", 100, 100);
    CObjectDataList *g = AddGroup(outer, "G");
    CObjectData *a = Add(g, kTypeText, "A", 10, 20);
    CObjectData *b = Add(g, kTypeText, "B", 30, 5);
    g->NormaliseBounds();
    EXPECT_EQ(Pos(g), XY(10, 5));
    EXPECT_EQ(Pos(a), XY(0, 15));
    EXPECT_EQ(Pos(b), XY(20, 0));
    EXPECT_EQ(a->GetRect().left, 110);
    EXPECT_EQ(b->GetRect().top, 105);

    d.root->NormaliseBounds(); // the root keeps its origin
    EXPECT_EQ(outer->X(), 100);
    CObjectDataList *empty = AddGroup(d.root, "E", 7, 8);
    empty->NormaliseBounds();
    EXPECT_EQ(empty->X(), 7);
}

TEST(GroupTest, UngroupPutsChildrenInTheGroupsPlace)
{
    Dialog d;
    CObjectData *before = Add(d.root, kTypeText, "P", 0, 0);
    CObjectDataList *g = AddGroup(d.root, "G", 10, 10);
    CObjectData *a = Add(g, kTypeText, "A", 5, 5);
    CObjectData *b = Add(g, kTypeText, "B", 0, 40);
    CObjectData *after = Add(d.root, kTypeText, "Q", 0, 0);

    EXPECT_EQ(g->Ungroup(), a);
    EXPECT_EQ(d.root->Children(), (Objects {before, a, b, after}));
    EXPECT_EQ(a->Parent(), d.root);
    EXPECT_EQ(Pos(a), XY(15, 15));
    EXPECT_EQ(b->Y(), 50);
    EXPECT_EQ(g->ChildCount(), 0);

    // An empty group cannot be ungrouped; a group without parent has nowhere to go.
    d.root->InsertChild(1, g);
    EXPECT_THROW(g->Ungroup(), std::invalid_argument);
    EXPECT_EQ(d.root->ChildIndex(g), 1);
    EXPECT_EQ(d.root->ChildCount(), 5);
    EXPECT_EQ(d.root->Ungroup(), nullptr);
}

TEST(GroupTest, GroupSelectionWrapsSelectedObjectsAtTheAnchor)
{
    Dialog d;
    CObjectData *a = Add(d.root, kTypeText, "A", 0, 0);
    CObjectData *b = Add(d.root, kTypeText, "B", 10, 20);
    CObjectData *c = Add(d.root, kTypeText, "C", 0, 0);
    CObjectData *e = Add(d.root, kTypeText, "E", 30, 5);
    b->SetSelected(true);
    e->SetSelected(true);

    CObjectDataList *n = d.root->GroupSelection(b, "OGROUP1");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(d.root->Children(), (Objects {a, n, c}));
    EXPECT_EQ(n->Children(), (Objects {b, e}));
    EXPECT_EQ(n->Parent(), d.root);
    EXPECT_EQ(b->Parent(), n);
    EXPECT_EQ(n->Name(), "OGROUP1");
    EXPECT_TRUE(n->IsTreeExpanded());
    EXPECT_TRUE(n->IsSelected());
    EXPECT_EQ(Pos(n), XY(10, 5));
    EXPECT_EQ(e->GetRect().left, 30);
    EXPECT_EQ(e->GetRect().top, 5);
}

TEST(GroupTest, GroupSelectionTakesObjectsOutOfSubGroups)
{
    Dialog d;
    CObjectDataList *sub = AddGroup(d.root, "S", 100, 100);
    CObjectData *a = Add(sub, kTypeText, "A", 5, 5);
    CObjectData *b = Add(sub, kTypeText, "B", 0, 0);
    CObjectDataList *whole = AddGroup(d.root, "W");
    CObjectData *w = Add(whole, kTypeText, "W1", 40, 40);
    CObjectData *c = Add(d.root, kTypeText, "C", 50, 60);
    a->SetSelected(true);
    whole->SetSelected(true);
    c->SetSelected(true);

    CObjectDataList *n = d.root->GroupSelection(c, "OGROUP2");
    EXPECT_EQ(d.root->Children(), (Objects {sub, n}));
    EXPECT_EQ(sub->Children(), (Objects {b}));
    EXPECT_EQ(n->Children(), (Objects {a, whole, c})); // a wholly selected group moves as one
    EXPECT_EQ(whole->Children(), (Objects {w}));
    EXPECT_EQ(whole->Parent(), n);
    // Every object keeps its place on the canvas, also one that came out of another group.
    EXPECT_EQ(Pos(n), XY(0, 0));
    EXPECT_EQ(XY(a->AbsoluteX(), a->AbsoluteY()), XY(105, 105));
    EXPECT_EQ(XY(w->AbsoluteX(), w->AbsoluteY()), XY(40, 40));
    EXPECT_EQ(XY(c->AbsoluteX(), c->AbsoluteY()), XY(50, 60));
}

TEST(GroupTest, MoveSelectedIntoNeverPutsAGroupInsideItself)
{
    Dialog d;
    CObjectDataList *g = AddGroup(d.root, "G");
    CObjectData *x = Add(g, kTypeText, "X", 0, 0);
    CObjectDataList *h = AddGroup(g, "H");
    CObjectDataList *target = AddGroup(h, "T");
    g->SetSelected(true);
    ASSERT_TRUE(g->IsSelected()); // the empty target holds its own flag

    EXPECT_FALSE(g->MoveSelectedInto(g));
    EXPECT_FALSE(g->MoveSelectedInto(target));
    EXPECT_EQ(g->Children(), (Objects {h}));
    EXPECT_EQ(target->Children(), (Objects {x}));
    EXPECT_EQ(h->Children(), (Objects {target}));

    CObjectDataList *other = AddGroup(d.root, "O");
    EXPECT_TRUE(g->MoveSelectedInto(other));
    EXPECT_EQ(g->Parent(), other);
    EXPECT_TRUE(d.root->RemoveChild(g)); // the caller unlinks it from its old place
    EXPECT_EQ(other->Children(), (Objects {g}));
}

TEST(GroupTest, ScaleAlignAndRenamesReachNestedObjects)
{
    Dialog d;
    CObjectDataList *g = AddGroup(d.root, "G");
    CObjectData *a = Add(g, kTypeCanvas, "A", 10, 20, 20, 20);
    CObjectData *b = Add(g, kTypeCanvas, "B", 40, 40, 20, 20);
    a->SetSelected(true);
    const KXRect from {10, 20, 30, 40};
    const KXRect to {10, 20, 50, 60};

    d.root->ApplyScale(from, from); // nothing to do: the group is not even normalised
    EXPECT_EQ(g->X(), 0);
    d.root->PreviewScale(from, to);
    EXPECT_EQ(a->GetRect(), (KXRect {10, 20, 50, 60}));
    EXPECT_EQ(b->PreviewOffsetX(), 0);
    d.root->ApplyScale(from, to);
    EXPECT_EQ(a->GetRect(), (KXRect {10, 20, 50, 60}));
    EXPECT_EQ(b->GetRect(), (KXRect {40, 40, 60, 60}));
    EXPECT_EQ(Pos(g), XY(10, 20)); // normalised after scaling

    b->SetSelected(true);
    d.root->AlignEdge(kAlignLeft, 5);
    EXPECT_EQ(a->GetRect().left, 5);
    EXPECT_EQ(b->GetRect().left, 5);

    a->SetFont("F1");
    a->SetImage("I1");
    b->SetImage("I2");
    a->SetCached(std::make_unique<CachedPicture>());
    b->SetCached(std::make_unique<CachedPicture>());
    d.root->ReplaceFontName("F1", "F9");
    d.root->ReplaceImageName("I1", "I9");
    EXPECT_EQ(a->Font(), "F9");
    EXPECT_EQ(a->Image(), "I9");
    EXPECT_EQ(a->Cached(), nullptr);
    EXPECT_NE(b->Cached(), nullptr);
}

TEST(GroupTest, AddToTreeLabelsItemsAndListsRootObjectsDirectly)
{
    Dialog d;
    CObjectData *ok = Add(d.root, kTypeButton, "OK", 0, 0);
    CObjectDataList *g = AddGroup(d.root, "G1");
    CObjectData *t = Add(g, kTypeText, "T", 0, 0);
    g->SetTreeExpanded(true);
    t->SetTreeExpanded(true);

    RecordingTree tree;
    const kx::TreeItem dialogItem = 42;
    EXPECT_EQ(d.root->AddToTree(tree, dialogItem), dialogItem);
    ASSERT_EQ(tree.items.size(), 3u);
    EXPECT_EQ(tree.items[0].label, "Button = OK");
    EXPECT_EQ(tree.items[0].parent, dialogItem);
    EXPECT_EQ(tree.items[0].object, ok);
    EXPECT_FALSE(tree.items[0].expanded);
    EXPECT_EQ(tree.items[1].label, "Group = G1");
    EXPECT_EQ(tree.items[1].parent, dialogItem);
    EXPECT_TRUE(tree.items[1].expanded);
    EXPECT_EQ(tree.items[2].label, "Text = T");
    EXPECT_EQ(tree.items[2].parent, 1001u);
    EXPECT_TRUE(tree.items[2].expanded);
}

TEST(GroupTest, CopyAndCompareIncludeRootFlagAndChildren)
{
    Dialog d;
    CObjectData *a = Add(d.root, kTypeText, "A", 0, 0);
    CObjectData *b = Add(d.root, kTypeText, "B", 0, 0);
    CObjectDataList copy;
    copy.CopyFrom(*d.root);
    EXPECT_TRUE(copy.IsRoot());
    EXPECT_EQ(copy.Children(), (Objects {a, b}));
    EXPECT_EQ(copy.Serial(), d.root->Serial());
    EXPECT_TRUE(copy.IsSameAs(*d.root));

    d.root->MoveChildDown(a);
    EXPECT_FALSE(copy.IsSameAs(*d.root));
    copy.CopyFrom(*d.root);
    copy.SetRoot(false);
    EXPECT_FALSE(copy.IsSameAs(*d.root));

    // A group is never the same as a plain object, even with equal attributes.
    CObjectDataList group;
    CObjectData object;
    object.SetType(kTypeGroup);
    EXPECT_FALSE(group.IsSameAs(object));
    EXPECT_FALSE(object.IsSameAs(group));
}
