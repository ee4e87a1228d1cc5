#include "model/kx_dialog_data.h"

#include "model/object_data_list.h"

CKXDialogData::CKXDialogData(std::string_view name, const kx::PrefixSettings &prefixes)
    : KXClass(kKindDialog)
    , m_prefixes(&prefixes)
    , m_name(name)
    , m_root(new CObjectDataList(nullptr))
    , m_className(prefixes.Get(kx::kPrefixDlg) + m_name)
{
    m_root->SetName(CObjectDataList::kRootName);
    m_root->SetRoot(true);
}

CKXDialogData::~CKXDialogData()
{
    // Until the dialog keeps an editing history, it owns the objects reachable from its root.
    kx::DeleteTree(m_root);
}

void CKXDialogData::SetName(std::string_view name)
{
    m_name = name;
    m_className = m_prefixes->Get(kx::kPrefixDlg) + m_name;
    m_headerFile = m_className + ".h";
    m_designHeaderFile = m_className + "Design.h";
    m_designSourceFile = m_className + "Design.cpp";
    m_classSourceFile = m_className + ".cpp";
}

kx::TreeItem CKXDialogData::AddToTree(kx::ITreeSink &tree, kx::TreeItem parent, kx::TreeItem after)
{
    const kx::TreeItem item = tree.InsertItem(parent, after, m_name, this);
    m_root->AddToTree(tree, item);
    tree.SetExpanded(item, IsTreeExpanded());
    return item;
}
