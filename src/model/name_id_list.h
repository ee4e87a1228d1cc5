// The numbers by which a project file may refer to fonts and images, with the names they stand
// for.
#pragma once

#include <string>
#include <vector>

// What made an entry of a CNameIdList.
enum NameIdKind {
    kNameIdFont = 0,
    kNameIdImage = 1,
};

// One number with its name and the kind of definition that made it.
struct CNameId {
    int kind;
    int id;
    std::string name;
};

// Ordered list of number/name pairs. Entries are kept in the order they were added, duplicates
// included; font and image numbers share one list.
class CNameIdList {
public:
    // Appends an entry, even when the id is already present, and answers its index.
    int Add(int kind, const std::string &name, int id);
    // Name of the first entry added with this id, whatever its kind; "" when there is none.
    std::string NameOfId(int id) const;

    void Clear();
    int Count() const;
    // Entry at index 0..Count()-1; throws std::out_of_range for any other index.
    const CNameId &At(int index) const;

private:
    std::vector<CNameId> m_entries;
};
