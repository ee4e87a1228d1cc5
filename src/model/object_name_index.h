// The object names of one dialog, for making names unique while a file is read without searching
// the whole tree for every name.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

class CObjectData;

namespace kx {

// Counts the names that the objects of a dialog hold. It answers exactly what a search of the
// tree would answer, as long as every name change of the dialog goes through Rename.
class ObjectNameIndex {
public:
    // Starts over with the names of every object in the tree below root (root included).
    void Build(CObjectData &root);
    // Whether an object of the dialog holds the name.
    bool Contains(std::string_view name) const;
    // The name itself when it is free, else the first free one of name + "2", name + "3", ...
    std::string MakeUnique(std::string_view name);
    // Records that an object's name changes from oldName to newName.
    void Rename(std::string_view oldName, std::string_view newName);

private:
    std::unordered_map<std::string, int> m_counts;
    // For each name, the number after which the next numbered candidate is searched: every
    // candidate below it was taken, and names are not freed while a file is read.
    std::unordered_map<std::string, int> m_nextNumber;
};

} // namespace kx
