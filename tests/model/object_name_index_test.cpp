// Unique names through the name index answer exactly what a search of the tree answers.
#include "model/name_id_list.h"
#include "model/object_data_list.h"
#include "model/object_name_index.h"

#include <gtest/gtest.h>

#include <random>

TEST(ObjectNameIndexTest, MatchesTheTreeSearch)
{
    const CNameIdList ids;
    std::mt19937 random(3);
    const char *const words[] = {"a", "a2", "b", "OGROOT", "a3", "b2", "c"};
    auto *searched = new CObjectDataList(nullptr);
    auto *indexed = new CObjectDataList(nullptr);
    searched->SetName("OGROOT");
    indexed->SetName("OGROOT");
    kx::ObjectNameIndex names;
    names.Build(*indexed);

    std::vector<CObjectData *> left {searched}, right {indexed};
    for (int i = 0; i < 300; ++i) {
        const std::size_t at = random() % left.size();
        const char *word = words[random() % std::size(words)];
        CObjectData *a = left[at];
        CObjectData *b = right[at];
        if (random() % 3 == 0 || !a->IsGroup()) {
            // Rename an existing object (a file may name one twice).
            a->ApplyAttribute(kObjName, word, ids);
            b->ApplyAttribute(kObjName, word, ids, &names);
        } else {
            const int type = random() % 4 == 0 ? kTypeGroup : kTypeText;
            left.push_back(static_cast<CObjectDataList *>(a)->CreateChild(type, ""));
            right.push_back(static_cast<CObjectDataList *>(b)->CreateChild(type, ""));
            left.back()->ApplyAttribute(kObjName, word, ids);
            right.back()->ApplyAttribute(kObjName, word, ids, &names);
        }
        ASSERT_EQ(left.back()->Name(), right.back()->Name()) << "step " << i;
        ASSERT_EQ(a->Name(), b->Name()) << "step " << i;
    }
    kx::DeleteTree(searched);
    kx::DeleteTree(indexed);
}
