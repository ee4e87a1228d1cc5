#include "model/name_id_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(NameIdListTest, KeepsEveryEntryInOrderAndFindsTheFirstId)
{
    CNameIdList list;
    EXPECT_EQ(list.Add(kNameIdFont, "FONT_SMALL", 3), 0);
    EXPECT_EQ(list.Add(kNameIdImage, "IMG_LOGO", 3), 1);
    EXPECT_EQ(list.Add(kNameIdFont, "FONT_SMALL", 3), 2); // duplicates are not merged
    EXPECT_EQ(list.Add(kNameIdImage, "", 7), 3);

    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.At(1).kind, kNameIdImage);
    EXPECT_EQ(list.At(1).id, 3);
    EXPECT_EQ(list.At(1).name, "IMG_LOGO");
    EXPECT_THROW(list.At(4), std::out_of_range);
    EXPECT_THROW(list.At(-1), std::out_of_range);

    EXPECT_EQ(list.NameOfId(3), "FONT_SMALL");
    EXPECT_EQ(list.NameOfId(7), "");
    EXPECT_EQ(list.NameOfId(99), "");
}

TEST(NameIdListTest, FirstAddedKindWinsAndClearEmpties)
{
    CNameIdList list;
    list.Add(kNameIdImage, "IMG_ARROW", 5);
    list.Add(kNameIdFont, "FONT_BIG", 5);
    EXPECT_EQ(list.NameOfId(5), "IMG_ARROW");

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.NameOfId(5), "");
    EXPECT_EQ(list.Add(kNameIdFont, "FONT_BIG", 5), 0);
    EXPECT_EQ(list.NameOfId(5), "FONT_BIG");
}
