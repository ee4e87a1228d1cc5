#include "ui/panels/resource_dlg.h"

#include "model/kx_class.h"
#include "model/kx_dialog_data.h"
#include "model/project_context.h"
#include "ui/support/qt_text.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidgetItem *ToItem(kx::TreeItem item)
{
    return reinterpret_cast<QTreeWidgetItem *>(item);
}

} // namespace

CResourceDlg::CResourceDlg(CProjectContext &project, QWidget *parent)
    : QWidget(parent)
    , m_project(project)
    , m_tree(new QTreeWidget(this))
{
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemClicked, this,
        [this](QTreeWidgetItem *item, int) { OnItemChosen(item); });
    connect(m_tree, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem *item, int) { OnItemChosen(item); });
}

void CResourceDlg::Refresh()
{
    Clear();
    m_project.Root().AddToTree(*this);
}

void CResourceDlg::Clear()
{
    m_tree->clear();
}

KXClass *CResourceDlg::ItemObject(const QTreeWidgetItem *item)
{
    if (!item)
        return nullptr;
    return reinterpret_cast<KXClass *>(item->data(0, Qt::UserRole).value<quintptr>());
}

kx::TreeItem CResourceDlg::InsertItem(
    kx::TreeItem parent, kx::TreeItem after, const std::string &label, KXClass *object)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, kx::ui::FromUtf8(label));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
    QTreeWidgetItem *parentItem = ToItem(parent);
    QTreeWidgetItem *afterItem = ToItem(after);
    if (parentItem) {
        const int index
            = afterItem ? parentItem->indexOfChild(afterItem) + 1 : parentItem->childCount();
        parentItem->insertChild(index < 0 ? parentItem->childCount() : index, item);
    } else {
        const int index
            = afterItem ? m_tree->indexOfTopLevelItem(afterItem) + 1 : m_tree->topLevelItemCount();
        m_tree->insertTopLevelItem(index < 0 ? m_tree->topLevelItemCount() : index, item);
    }
    return reinterpret_cast<kx::TreeItem>(item);
}

void CResourceDlg::SetExpanded(kx::TreeItem item, bool expanded)
{
    if (QTreeWidgetItem *treeItem = ToItem(item))
        treeItem->setExpanded(expanded);
}

void CResourceDlg::OnItemChosen(QTreeWidgetItem *item)
{
    KXClass *object = ItemObject(item);
    if (object && object->Kind() == kKindDialog)
        emit DialogOpenRequested(static_cast<CKXDialogData *>(object));
}
