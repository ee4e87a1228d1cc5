#include "model/object_name_index.h"

#include "model/object_data_list.h"

#include <functional>

namespace kx {

void ObjectNameIndex::Build(CObjectData &root)
{
    m_counts.clear();
    m_nextNumber.clear();
    const std::function<void(CObjectData &)> add = [&](CObjectData &object) {
        ++m_counts[object.Name()];
        if (object.IsGroup()) {
            for (CObjectData *child : static_cast<CObjectDataList &>(object).Children())
                add(*child);
        }
    };
    add(root);
}

bool ObjectNameIndex::Contains(std::string_view name) const
{
    const auto it = m_counts.find(std::string(name));
    return it != m_counts.end() && it->second > 0;
}

std::string ObjectNameIndex::MakeUnique(std::string_view name)
{
    if (!Contains(name))
        return std::string(name);
    int &next = m_nextNumber[std::string(name)];
    if (next < 2)
        next = 2;
    std::string candidate;
    for (;; ++next) {
        candidate = std::string(name) + std::to_string(next);
        if (!Contains(candidate))
            return candidate;
    }
}

void ObjectNameIndex::Rename(std::string_view oldName, std::string_view newName)
{
    const auto it = m_counts.find(std::string(oldName));
    if (it != m_counts.end() && --it->second <= 0) {
        m_counts.erase(it);
        // A freed name makes the numbered candidates below it worth trying again.
        m_nextNumber.clear();
    }
    ++m_counts[std::string(newName)];
}

} // namespace kx
