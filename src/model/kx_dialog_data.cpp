#include "model/kx_dialog_data.h"

#include "model/object_data_list.h"
#include "model/value_parsing.h"
#include "model/vocabulary.h"
#include "platform/text_conversion.h"

#include <functional>
#include <vector>

CKXDialogData::CKXDialogData(std::string_view name, const kx::PrefixSettings &prefixes)
    : KXClass(kKindDialog)
    , m_prefixes(&prefixes)
    , m_name(name)
    , m_root(new CObjectDataList(nullptr))
    , m_history(this)
    , m_className(prefixes.Get(kx::kPrefixDlg) + m_name)
{
    m_root->SetName(CObjectDataList::kRootName);
    m_root->SetRoot(true);
}

CKXDialogData::CKXDialogData(SnapshotTag, const kx::PrefixSettings &prefixes)
    : KXClass(kKindDialog)
    , m_prefixes(&prefixes)
    , m_history(nullptr)
{ }

CKXDialogData::~CKXDialogData()
{
    if (!m_root)
        return;
    // The history owns every object it has recorded. Objects of the tree it never met (a dialog
    // that was never recorded, an object added since the last step) are freed here, after the
    // history, so that nothing is freed twice and nothing is left behind.
    std::vector<CObjectData *> unowned;
    const std::function<void(CObjectData *)> collect = [&](CObjectData *object) {
        if (!m_history.Owns(object))
            unowned.push_back(object);
        if (object->IsGroup()) {
            for (CObjectData *child : static_cast<CObjectDataList *>(object)->Children())
                collect(child);
        }
    };
    collect(m_root);
    m_history.Clear();
    for (CObjectData *object : unowned)
        delete object;
}

std::unique_ptr<CKXDialogData> CKXDialogData::MakeSnapshot(const CKXDialogData &dialog)
{
    std::unique_ptr<CKXDialogData> copy(new CKXDialogData(SnapshotTag {}, *dialog.m_prefixes));
    copy->CopyFrom(dialog);
    return copy;
}

void CKXDialogData::CopyFrom(const KXClass &other)
{
    KXClass::CopyFrom(other);
    const auto *source = dynamic_cast<const CKXDialogData *>(&other);
    if (!source)
        return;
    m_name = source->m_name;
    RestoreProperties(*source);
}

bool CKXDialogData::IsSameAs(const KXClass &other) const
{
    const auto *o = dynamic_cast<const CKXDialogData *>(&other);
    return o && m_name == o->m_name && m_title == o->m_title && m_x == o->m_x && m_y == o->m_y
        && m_width == o->m_width && m_height == o->m_height && m_background == o->m_background;
}

void CKXDialogData::RestoreProperties(const CKXDialogData &snapshot)
{
    m_title = snapshot.m_title;
    m_x = snapshot.m_x;
    m_y = snapshot.m_y;
    m_width = snapshot.m_width;
    m_height = snapshot.m_height;
    m_background = snapshot.m_background;
}

int CKXDialogData::ElementIndex(std::string_view tag)
{
    // Index 1 is not used by any dialog element.
    static constexpr kx::TagIndex kElements[] = {
        {"Name", kDlgName},
        {"Title", kDlgTitle},
        {"Position", kDlgPosition},
        {"Size", kDlgSize},
        {"ColorBG", kDlgColorBG},
    };
    return kx::FindTag(kElements, tag);
}

void CKXDialogData::ApplyAttribute(int index, std::string_view text)
{
    switch (index) {
    case kDlgName:
        SetName(text);
        break;
    case kDlgTitle:
        m_title = kx::ToShiftJis(text);
        break;
    case kDlgPosition:
        std::tie(m_x, m_y) = kx::ParsePair(text);
        break;
    case kDlgSize:
        std::tie(m_width, m_height) = kx::ParsePair(text);
        break;
    case kDlgColorBG:
        m_background = kx::NormaliseColourText(text);
        break;
    default:
        break;
    }
}

void CKXDialogData::UsePrefixes(const kx::PrefixSettings &prefixes)
{
    m_prefixes = &prefixes;
    SetName(std::string(m_name));
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

void CKXDialogData::Rename(std::string_view name)
{
    SetName(name);
    m_history.ForEachStoredObject([&](KXClass &stored) {
        if (stored.Serial() == Serial() && stored.Kind() == kKindDialog)
            static_cast<CKXDialogData &>(stored).m_name = name;
    });
}

kx::TreeItem CKXDialogData::AddToTree(kx::ITreeSink &tree, kx::TreeItem parent, kx::TreeItem after)
{
    const kx::TreeItem item = tree.InsertItem(parent, after, m_name, this);
    m_root->AddToTree(tree, item);
    tree.SetExpanded(item, IsTreeExpanded());
    return item;
}
