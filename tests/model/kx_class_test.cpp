// Serials, copies and the dialog's derived names.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"

#include <gtest/gtest.h>

TEST(KXClassTest, SerialsAreUniqueAndCopiesKeepTheSourceSerial)
{
    const std::uint64_t next = KXClass::PeekNextSerial();
    CObjectData a;
    CObjectData b;
    EXPECT_GE(a.Serial(), next);
    EXPECT_EQ(b.Serial(), a.Serial() + 1);
    EXPECT_EQ(KXClass::PeekNextSerial(), b.Serial() + 1);

    a.SetTreeExpanded(true);
    b.CopyFrom(a);
    EXPECT_EQ(b.Serial(), a.Serial());
    EXPECT_TRUE(b.IsTreeExpanded());
    EXPECT_EQ(b.Kind(), kKindObject);
}

TEST(KXClassTest, NewDialogHasDefaultsAndItsRootGroup)
{
    const kx::PrefixSettings prefixes;
    CKXDialogData dialog("D", prefixes);
    EXPECT_EQ(dialog.Kind(), kKindDialog);
    EXPECT_EQ(dialog.ClassName(), "DlgD");
    EXPECT_EQ(dialog.HeaderFile(), "");
    EXPECT_EQ(dialog.Width(), 640);
    EXPECT_EQ(dialog.Height(), 480);
    EXPECT_EQ(dialog.BackgroundColour(), "KX_COL_TRANSPARENT");
    ASSERT_NE(dialog.RootGroup(), nullptr);
    EXPECT_EQ(dialog.RootGroup()->Name(), "OGROOT");
    EXPECT_TRUE(dialog.RootGroup()->IsRoot());

    dialog.SetName("Main");
    EXPECT_EQ(dialog.ClassName(), "DlgMain");
    EXPECT_EQ(dialog.HeaderFile(), "DlgMain.h");
    EXPECT_EQ(dialog.DesignHeaderFile(), "DlgMainDesign.h");
    EXPECT_EQ(dialog.DesignSourceFile(), "DlgMainDesign.cpp");
    EXPECT_EQ(dialog.ClassSourceFile(), "DlgMain.cpp");

    // A dialog with an empty name still gets a root group of its own.
    CKXDialogData unnamed("", prefixes);
    EXPECT_EQ(unnamed.RootGroup()->Name(), "OGROOT");
    EXPECT_EQ(unnamed.RootGroup()->Parent(), nullptr);
    EXPECT_NE(unnamed.RootGroup(), dialog.RootGroup());
    EXPECT_EQ(unnamed.RootGroup()->CountNodes(), 1);
}
