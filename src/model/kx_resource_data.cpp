#include "model/kx_resource_data.h"

CKXResourceData::CKXResourceData(const kx::PrefixSettings &prefixes)
    : KXClass(kKindResource)
    , m_prefixes(&prefixes)
    , m_appClassName(prefixes.Get(kx::kPrefixApp) + m_projectName)
{ }

CKXResourceData::~CKXResourceData() = default;

void CKXResourceData::SetProjectName(std::string_view name)
{
    m_projectName = name;
    m_appClassName = m_prefixes->Get(kx::kPrefixApp) + m_projectName;
}

kx::TreeItem CKXResourceData::AddToTree(kx::ITreeSink &tree)
{
    const kx::TreeItem top
        = tree.InsertItem(kx::kNoTreeItem, kx::kNoTreeItem, "Root = " + m_projectName, this);
    for (const auto &dialog : m_dialogs)
        dialog->AddToTree(tree, top);
    tree.SetExpanded(top, true);
    return top;
}
