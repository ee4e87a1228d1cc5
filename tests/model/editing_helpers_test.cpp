// What the resource panel's commands rest on: free names, the name rule, removing objects with
// the groups they leave empty, reordering lists, and renames that reach the editing history.
#include "model/names.h"
#include "model/object_data_list.h"
#include "model/project_context.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

CKXDialogData *AddDialog(CProjectContext &project, const char *name)
{
    auto dialog = std::make_unique<CKXDialogData>(name, project.Prefixes());
    CKXDialogData *raw = dialog.get();
    project.Dialogs().Add(dialog);
    raw->SaveUndoInfo();
    return raw;
}

template <typename T>
T *AddNamed(CNamedList<T> &list, const char *name)
{
    auto item = std::make_unique<T>();
    item->SetName(name);
    T *raw = item.get();
    list.Add(item);
    return raw;
}

std::string Names(const CObjectDataList &group)
{
    std::string names;
    for (const CObjectData *child : group.Children())
        names += child->Name() + " ";
    return names;
}

} // namespace

TEST(NameRuleTest, IdentifiersAndProjectNames)
{
    using kx::NameFault;
    struct Case {
        const char *name;
        NameFault identifier;
        NameFault tail; // a project name, a colour after "KX_COL_"
        NameFault generated; // Japanese allowed
        const char *forbidden;
    };
    const Case cases[] = {
        {"OB", NameFault::kNone, NameFault::kNone, NameFault::kNone, ""},
        {"_x9", NameFault::kNone, NameFault::kNone, NameFault::kNone, ""},
        // would make "#define 1abc"; digits are found before characters
        {"1abc", NameFault::kLeadingDigit, NameFault::kNone, NameFault::kLeadingDigit, ""},
        {"9 bad", NameFault::kLeadingDigit, NameFault::kBadCharacter, NameFault::kLeadingDigit,
            "a blank"},
        {"", NameFault::kEmpty, NameFault::kNone, NameFault::kEmpty, ""},
        {"a-b", NameFault::kBadCharacter, NameFault::kBadCharacter, NameFault::kBadCharacter,
            "the character '-'"},
        {"設定", NameFault::kBadCharacter, NameFault::kBadCharacter, NameFault::kNone,
            "a character that is not ASCII"},
        {"a\n#error", NameFault::kBadCharacter, NameFault::kBadCharacter, NameFault::kBadCharacter,
            "a line feed"},
        {"class", NameFault::kReservedWord, NameFault::kNone, NameFault::kReservedWord, ""},
        {"classes", NameFault::kNone, NameFault::kNone, NameFault::kNone, ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(kx::IdentifierNameFault(c.name), c.identifier) << c.name;
        EXPECT_EQ(kx::IdentifierNameFault(c.name, kx::NameUse::kTail), c.tail) << c.name;
        EXPECT_EQ(kx::IdentifierNameFault(
                      c.name, kx::NameUse::kIdentifier, kx::NameLetters::kAsciiAndOthers),
            c.generated)
            << c.name;
        EXPECT_EQ(kx::IsIdentifierName(c.name), c.identifier == NameFault::kNone) << c.name;
        EXPECT_EQ(kx::IsProjectName(c.name), c.tail == NameFault::kNone) << c.name;
        EXPECT_EQ(kx::ForbiddenCharacter(c.name), c.forbidden) << c.name;
    }
    EXPECT_STREQ(kx::NameFaultText(NameFault::kLeadingDigit), "a name cannot begin with a digit");
    EXPECT_STREQ(kx::NameFaultText(NameFault::kNone), "");
}

TEST(UniqueNameTest, CountsFromTwoAcrossEveryKindAndDialog)
{
    CProjectContext project;
    CKXDialogData *first = AddDialog(project, "D");
    CObjectDataList *root = first->RootGroup();
    EXPECT_EQ(project.UniqueName("D"), "D2"); // the File menu's New and the panel agree
    for (int i = 0; i < 3; ++i)
        root->CreateChild(kTypeButton, project.UniqueName("OB"));
    EXPECT_EQ(Names(*root), "OB OB2 OB3 ");

    // A freed name is given again; a name taken in another dialog, or by a definition, is not.
    CObjectData *second = root->ChildAt(1);
    CObjectDataList::RemoveWithEmptyAncestors(second);
    EXPECT_EQ(project.UniqueName("OB"), "OB2");
    AddDialog(project, "E")->RootGroup()->CreateChild(kTypeButton, "OB2");
    AddNamed(project.Fonts(), "OB4");
    EXPECT_EQ(project.UniqueName("OB"), "OB5");

    EXPECT_EQ(project.UniqueGroupName(), "OGROUP0");
    root->CreateChild(kTypeGroup, "OGROUP0");
    EXPECT_EQ(project.UniqueGroupName(), "OGROUP1");
    kx::DeleteTree(second);
}

TEST(RemoveObjectTest, EmptiedGroupsGoUpToTheRootAndTheNextObjectIsNamed)
{
    CProjectContext project;
    CObjectDataList *root = AddDialog(project, "D")->RootGroup();
    CObjectData *a = root->CreateChild(kTypeText, "A");
    auto *outer = static_cast<CObjectDataList *>(root->CreateChild(kTypeGroup, "G1"));
    auto *inner = static_cast<CObjectDataList *>(outer->CreateChild(kTypeGroup, "G2"));
    CObjectData *deep = inner->CreateChild(kTypeText, "X");
    CObjectData *b = root->CreateChild(kTypeText, "B");

    // The only child of a nested group takes both groups with it; the root stays.
    EXPECT_EQ(CObjectDataList::RemoveWithEmptyAncestors(deep), b);
    EXPECT_EQ(Names(*root), "A B ");
    EXPECT_EQ(deep->Parent(), inner); // unlinked objects keep their parent for undo
    // The last child hands over to the new last child; the very last leaves the root current.
    EXPECT_EQ(CObjectDataList::RemoveWithEmptyAncestors(b), a);
    EXPECT_EQ(CObjectDataList::RemoveWithEmptyAncestors(a), root);
    EXPECT_EQ(CObjectDataList::RemoveWithEmptyAncestors(root), nullptr);
    EXPECT_EQ(root->ChildCount(), 0);
    // Emptied groups hold nothing any more: each unlinked object goes on its own.
    for (CObjectData *o :
        {a, b, deep, static_cast<CObjectData *>(inner), static_cast<CObjectData *>(outer)})
        kx::DeleteTree(o);
}

TEST(ListOrderTest, SwapsNeighboursAndRefusesBothEnds)
{
    CProjectContext project;
    AddNamed(project.Fonts(), "F1");
    AddNamed(project.Fonts(), "F2");
    EXPECT_FALSE(project.Fonts().Swap(0, -1));
    EXPECT_FALSE(project.Fonts().Swap(1, 2));
    EXPECT_TRUE(project.Fonts().Swap(0, 1));
    EXPECT_EQ(project.Fonts().At(0)->Name(), "F2");
}

TEST(DepthTest, CountsEveryEnclosingGroup)
{
    CProjectContext project;
    CObjectDataList *root = AddDialog(project, "D")->RootGroup();
    auto *group = static_cast<CObjectDataList *>(root->CreateChild(kTypeGroup, "G"));
    EXPECT_EQ(root->Depth(), 0);
    EXPECT_EQ(group->Depth(), 1);
    EXPECT_EQ(group->CreateChild(kTypeText, "T")->Depth(), 2);
}

TEST(HistoryRenameTest, UndoNeverBringsBackAnOldDefinitionName)
{
    CProjectContext project;
    AddNamed(project.Fonts(), "F");
    AddNamed(project.Images(), "IB");
    CKXDialogData *dialog = AddDialog(project, "D");
    CObjectData *button = dialog->RootGroup()->CreateChild(kTypeButton, "OB");
    button->SetFont("F");
    button->SetImage("IB");
    dialog->SaveUndoInfo();
    button->SetPosition(10, 0);
    dialog->SaveUndoInfo();
    // An object the history keeps outside the tree is renamed too.
    CObjectDataList::RemoveWithEmptyAncestors(button);
    dialog->SaveUndoInfo();

    project.RenameFontReference("F", "Body");
    project.RenameImageReference("IB", "Ok");
    dialog->History().Undo();
    dialog->History().Undo();
    ASSERT_EQ(dialog->RootGroup()->ChildAt(0), button);
    EXPECT_EQ(button->Font(), "Body");
    EXPECT_EQ(button->Image(), "Ok");
    EXPECT_EQ(button->X(), 0);
}

TEST(HistoryRenameTest, RenamingADialogKeepsItsRedoSteps)
{
    CProjectContext project;
    CKXDialogData *dialog = AddDialog(project, "D");
    dialog->RootGroup()->CreateChild(kTypeText, "T");
    dialog->SaveUndoInfo();
    dialog->History().Undo();
    const int records = dialog->History().Count();

    dialog->Rename("Main");
    dialog->SaveUndoInfo();
    EXPECT_EQ(dialog->History().Count(), records);
    EXPECT_NE(dialog->History().Redo(), nullptr);
    EXPECT_EQ(dialog->Name(), "Main");
    EXPECT_EQ(dialog->ClassName(), "DlgMain");
}
