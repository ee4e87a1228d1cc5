#include "model/name_id_list.h"

int CNameIdList::Add(int kind, const std::string &name, int id)
{
    m_entries.push_back(CNameId {kind, id, name});
    return static_cast<int>(m_entries.size()) - 1;
}

std::string CNameIdList::NameOfId(int id) const
{
    for (const CNameId &entry : m_entries) {
        if (entry.id == id)
            return entry.name;
    }
    return {};
}

void CNameIdList::Clear()
{
    m_entries.clear();
}

int CNameIdList::Count() const
{
    return static_cast<int>(m_entries.size());
}

const CNameId &CNameIdList::At(int index) const
{
    // A negative index turns into a huge one, which at() rejects as well.
    return m_entries.at(static_cast<std::size_t>(index));
}
