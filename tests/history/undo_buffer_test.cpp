// Editing history: records, undo and redo, ownership of recorded objects, and the indexes that
// keep lookups independent of the history's length.
#include "history/undo_buffer.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class UndoTest : public ::testing::Test {
protected:
    kx::PrefixSettings prefixes;
    CKXDialogData dialog {"D", prefixes};
    CObjectDataList &root = *dialog.RootGroup();
    UndoBuffer &history = dialog.History();
};

// The latest copy as the history's records say it, searched one by one.
const KXClass *ScanLatestCopy(const UndoBuffer &history, const KXClass &object, int start)
{
    for (int r = start; r >= 0; --r) {
        const UndoRecord &record = history.Record(r);
        for (int i = record.Count() - 1; i >= 0; --i) {
            const KXClassBackup &s = record.At(i);
            if (s.Action() != ACT_ORIGINAL && s.Object()->Serial() == object.Serial())
                return s.Object();
        }
    }
    return nullptr;
}

} // namespace

TEST_F(UndoTest, LoadedStateCannotBeUndone)
{
    root.CreateChild(kTypeButton, "OB1");
    dialog.SaveUndoInfo();
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Index(), 1);
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.Index(), 1);
    EXPECT_EQ(history.Redo(), nullptr);
}

TEST_F(UndoTest, MoveIsUndoneAndRedoneAndTheObjectIsReturned)
{
    CObjectData *button = root.CreateChild(kTypeButton, "OB1");
    dialog.SaveUndoInfo();
    button->SetPosition(40, 50);
    dialog.SaveUndoInfo();

    EXPECT_EQ(history.Undo(), button);
    EXPECT_EQ(button->X(), 0);
    EXPECT_EQ(history.Index(), 1);
    EXPECT_EQ(history.Redo(), button);
    EXPECT_EQ(button->X(), 40);
    EXPECT_EQ(button->Y(), 50);
    EXPECT_EQ(history.Redo(), nullptr);
}

TEST_F(UndoTest, DeletedObjectStaysAliveAndComesBackInItsPlace)
{
    CObjectData *first = root.CreateChild(kTypeButton, "OB1");
    CObjectData *second = root.CreateChild(kTypeText, "OT1");
    dialog.SaveUndoInfo();
    root.RemoveChild(first);
    dialog.SaveUndoInfo();

    for (int round = 0; round < 2; ++round) {
        history.Undo();
        ASSERT_EQ(root.ChildCount(), 2);
        EXPECT_EQ(root.ChildAt(0), first);
        EXPECT_EQ(root.ChildAt(1), second);
        history.Redo();
        ASSERT_EQ(root.ChildCount(), 1);
        EXPECT_EQ(root.ChildAt(0), second);
    }
    EXPECT_EQ(first->Name(), "OB1"); // still owned by the history, never freed
    EXPECT_TRUE(history.Owns(first));
}

TEST_F(UndoTest, NewChangeAfterUndoDropsTheRedoSteps)
{
    dialog.SaveUndoInfo();
    root.CreateChild(kTypeButton, "OB1"); // owned only by the record about to be dropped
    dialog.SaveUndoInfo();
    root.CreateChild(kTypeButton, "OB2");
    dialog.SaveUndoInfo();
    ASSERT_EQ(history.Count(), 3);

    history.Undo();
    history.Undo();
    EXPECT_EQ(root.ChildCount(), 0);
    root.SetPosition(1, 1); // any change
    dialog.SaveUndoInfo();
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.Index(), 2);
    EXPECT_EQ(history.Redo(), nullptr);
    // Under LeakSanitizer this also proves that the dropped objects were freed exactly once.
}

TEST_F(UndoTest, UntrackedAttributesMakeNoRecordAndNoChangeKeepsRedo)
{
    CObjectData *button = root.CreateChild(kTypeButton, "OB1");
    dialog.SaveUndoInfo();
    button->SetHide(true);
    button->SetLock(true);
    button->SetPushTime(999);
    dialog.SaveUndoInfo();
    EXPECT_EQ(history.Count(), 1);

    button->SetPosition(5, 5);
    dialog.SaveUndoInfo();
    history.Undo();
    EXPECT_TRUE(button->Hide()); // never restored either
    dialog.SaveUndoInfo(); // nothing changed since the undo
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.Redo(), button);
}

TEST_F(UndoTest, DialogPropertiesAreRestoredButNotItsName)
{
    dialog.SaveUndoInfo();
    dialog.SetSize(320, 240);
    dialog.SetTitle("T");
    dialog.SetBackgroundColour("KX_COL_WHITE");
    dialog.SetPosition(3, 4);
    dialog.SetName("Main");
    dialog.SaveUndoInfo();
    ASSERT_EQ(history.Count(), 2);

    EXPECT_EQ(history.Undo(), nullptr); // the dialog is never the object to select
    EXPECT_EQ(history.Index(), 1);
    EXPECT_EQ(dialog.Width(), 640);
    EXPECT_EQ(dialog.Height(), 480);
    EXPECT_EQ(dialog.Title(), "");
    EXPECT_EQ(dialog.BackgroundColour(), "KX_COL_TRANSPARENT");
    EXPECT_EQ(dialog.X(), 0);
    EXPECT_EQ(dialog.Name(), "Main");
    EXPECT_EQ(dialog.ClassName(), "DlgMain");

    history.Redo();
    EXPECT_EQ(dialog.Width(), 320);
    EXPECT_EQ(dialog.Title(), "T");
}

TEST_F(UndoTest, ObjectsAreRankedBeforeGroups)
{
    auto *group = static_cast<CObjectDataList *>(root.CreateChild(kTypeGroup, "G"));
    dialog.SaveUndoInfo();
    CObjectData *button = group->CreateChild(kTypeButton, "OB1"); // changes the group too
    dialog.SaveUndoInfo();
    EXPECT_EQ(history.Undo(), button);
    EXPECT_EQ(group->ChildCount(), 0);
    EXPECT_EQ(history.Redo(), button);

    group->SetPosition(9, 9);
    dialog.SaveUndoInfo();
    EXPECT_EQ(history.Undo(), group);
}

TEST_F(UndoTest, ObjectsOutsideTheTreeAreStillRecorded)
{
    auto *group = static_cast<CObjectDataList *>(root.CreateChild(kTypeGroup, "G"));
    CObjectData *button = group->CreateChild(kTypeButton, "OB1");
    dialog.SaveUndoInfo();
    root.RemoveChild(group);
    dialog.SaveUndoInfo();
    // The detached object changes (its parent pointer, as moving would do it). Alone that makes
    // no record, since the walk of the tree finds nothing; with any change in the tree the
    // record also carries the detached object.
    button->SetParent(&root);
    dialog.SaveUndoInfo();
    EXPECT_EQ(history.Count(), 2);
    root.SetPosition(1, 0);
    dialog.SaveUndoInfo();
    ASSERT_EQ(history.Count(), 3);
    EXPECT_EQ(history.Record(2).Count(), 2);
    history.Undo();
    EXPECT_EQ(button->Parent(), group);
}

TEST(UndoOwnershipTest, EveryObjectIsFreedWithItsDialog)
{
    // A dialog that was never recorded, and one with recorded, deleted and unrecorded objects:
    // the dialogs free all they made, the history's copies included (LeakSanitizer also checks
    // that nothing is freed twice).
    const std::int64_t before = KXClass::LiveCount();
    {
        kx::PrefixSettings prefixes;
        CKXDialogData never("E", prefixes);
        never.RootGroup()->CreateChild(kTypeButton, "OB1");
        EXPECT_EQ(KXClass::LiveCount() - before, 3); // the dialog, its root group, the button

        CKXDialogData dialog("D", prefixes);
        CObjectDataList &root = *dialog.RootGroup();
        CObjectData *gone = root.CreateChild(kTypeButton, "OB1");
        dialog.SaveUndoInfo();
        root.RemoveChild(gone);
        dialog.SaveUndoInfo();
        root.CreateChild(kTypeText, "OT1");
        EXPECT_GT(KXClass::LiveCount() - before, 7);
    }
    EXPECT_EQ(KXClass::LiveCount(), before);
}

// The indexes must answer exactly what a plain search through the records answers, whatever
// mix of edits, undos, redos and dropped tails the history has been through.
TEST_F(UndoTest, IndexedLookupsMatchAPlainSearch)
{
    std::mt19937 random(7);
    std::vector<CObjectData *> everything {&root};
    for (int i = 0; i < 12; ++i)
        everything.push_back(root.CreateChild(i % 3 == 0 ? kTypeGroup : kTypeButton, "O"));
    dialog.SaveUndoInfo();

    for (int step = 0; step < 400; ++step) {
        const int action = static_cast<int>(random() % 6);
        CObjectData *object = everything[random() % everything.size()];
        if (action <= 2) {
            object->SetPosition(static_cast<int>(random() % 50), 0);
            dialog.SaveUndoInfo();
        } else if (action == 3 && object != &root && object->Parent()) {
            object->Parent()->RemoveChild(object);
            dialog.SaveUndoInfo();
        } else if (action == 4) {
            history.Undo();
        } else {
            history.Redo();
        }
        for (CObjectData *o : everything) {
            if (!history.Owns(o))
                continue;
            for (int start : {history.Index() - 1, history.Count() - 1, history.Index() / 2})
                ASSERT_EQ(history.FindLatestCopy(*o, start), ScanLatestCopy(history, *o, start))
                    << "step " << step;
        }
    }
}
