#include "ui/panels/resource_dlg.h"

#include "model/kx_class.h"
#include "model/kx_dialog_data.h"
#include "model/names.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/message_sink.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/object_list_ctrl.h"
#include "ui/panels/resource_users.h"
#include "ui/support/name_messages.h"
#include "ui/support/qt_text.h"
#include "ui/support/vocabulary_texts.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

QTreeWidgetItem *ToItem(kx::TreeItem item)
{
    return reinterpret_cast<QTreeWidgetItem *>(item);
}

// The prefix that names new resources of a kind; the built-in one when the setting is empty, so
// that a new resource never gets an empty name.
std::string PrefixFor(const CProjectContext &project, kx::PrefixIndex index)
{
    return kx::UsablePrefix(project.Prefixes(), index);
}

PropertyKind KindOf(const KXClass *resource)
{
    if (!resource)
        return PropertyKind::None;
    switch (resource->Kind()) {
    case kKindResource:
        return PropertyKind::Project;
    case kKindDialog:
        return PropertyKind::Dialog;
    case kKindObject:
        return PropertyKind::Object;
    case kKindImage:
        return PropertyKind::Image;
    case kKindFont:
        return PropertyKind::Font;
    default:
        return PropertyKind::None;
    }
}

// The image definitions of one type, in list order: what the picture combo lists.
const CImageData *FirstImageOfType(const CImageDataList &images, int type)
{
    for (const auto &image : images) {
        if (image->Type() == type)
            return image.get();
    }
    return nullptr;
}

bool UsesImageDefinition(int type)
{
    return type == kTypeButton || type == kTypeEditbox || type == kTypeFrame;
}

} // namespace

CResourceDlg::CResourceDlg(
    CProjectContext &project, CDocumentSet &documents, kx::IMessageSink &messages, QWidget *parent)
    : QWidget(parent)
    , m_project(project)
    , m_documents(documents)
    , m_messages(messages)
{
    CreateControls();
    connect(&m_documents, &CDocumentSet::DocumentChanged, this, &CResourceDlg::OnDocumentChanged);
    connect(&m_documents, &CDocumentSet::ResourcesChanged, this, &CResourceDlg::OnResourcesChanged);
    // Even an empty project has its root: the place to start from.
    Refresh();
}

void CResourceDlg::CreateControls()
{
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setUniformRowHeights(true);
    m_objectList = new CObjectListCtrl(this);
    m_imageList = new CImageListCtrl(m_project.Images(), this);
    m_fontList = new CFontListCtrl(m_project.Fonts(), this);
    m_upper = new QStackedWidget(this);
    m_upper->addWidget(m_tree);
    m_upper->addWidget(m_objectList);
    m_upper->addWidget(m_imageList);
    m_upper->addWidget(m_fontList);

    m_up = new QPushButton(this);
    m_down = new QPushButton(this);
    m_delete = new QPushButton(this);
    m_group = new QPushButton(this);
    m_addCombo = new QComboBox(this);
    m_add = new QPushButton(this);
    auto *commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (QWidget *control : {static_cast<QWidget *>(m_up), static_cast<QWidget *>(m_down),
             static_cast<QWidget *>(m_delete), static_cast<QWidget *>(m_group),
             static_cast<QWidget *>(m_addCombo), static_cast<QWidget *>(m_add)})
        commands->addWidget(control);
    commands->addStretch(1);

    m_properties = new CPropertyPanel(m_project, m_documents, m_messages, this);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_properties);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    m_tabs = new QTabBar(this);
    // Font files dropped on the Font tab become font definitions (resource_drops.cpp).
    for (QWidget *target : {static_cast<QWidget *>(m_tabs), m_fontList->viewport()}) {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }
    for (int tab = kModeResource; tab <= kModeFont; ++tab)
        m_tabs->addTab(QString());
    m_tabs->setExpanding(false);
    RetranslateUi();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(m_upper, 3);
    layout->addLayout(commands);
    layout->addWidget(scroll, 2);
    layout->addWidget(m_tabs);

    connect(m_tabs, &QTabBar::currentChanged, this, &CResourceDlg::SetMode);
    // Styles that open items with a single click activate the item in the same release that
    // clicks it: that activation is the click itself, not a second one (a Ctrl-click would
    // toggle twice). Activations of their own (Return, a double click) still count.
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item, int) {
        m_clickedItem = item;
        QTimer::singleShot(0, this, [this] { m_clickedItem = nullptr; });
        ClickTreeItem(item, QApplication::keyboardModifiers());
    });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item, int) {
        if (std::exchange(m_clickedItem, nullptr) == item)
            return;
        ClickTreeItem(item, QApplication::keyboardModifiers());
    });
    const auto remember = [](QTreeWidgetItem *item, bool expanded) {
        if (KXClass *object = ItemObject(item))
            object->SetTreeExpanded(expanded);
    };
    connect(m_tree, &QTreeWidget::itemExpanded, this,
        [remember](QTreeWidgetItem *item) { remember(item, true); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
        [remember](QTreeWidgetItem *item) { remember(item, false); });
    connect(m_objectList, &CResourceListView::RowClicked, this, &CResourceDlg::ClickObjectRow);
    connect(m_imageList, &CResourceListView::RowClicked, this, [this](int row) {
        m_imageList->SetCurrentRow(row);
        ShowResource(m_project.Images().At(row));
    });
    connect(m_fontList, &CResourceListView::RowClicked, this, [this](int row) {
        m_fontList->SetCurrentRow(row);
        ShowResource(m_project.Fonts().At(row));
    });
    connect(m_up, &QPushButton::clicked, this, &CResourceDlg::MoveUp);
    connect(m_down, &QPushButton::clicked, this, &CResourceDlg::MoveDown);
    connect(m_delete, &QPushButton::clicked, this, &CResourceDlg::Delete);
    connect(m_group, &QPushButton::clicked, this, &CResourceDlg::GroupOrUngroup);
    connect(m_add, &QPushButton::clicked, this, &CResourceDlg::Add);
    connect(m_addCombo, &QComboBox::activated, this, [this](int index) {
        // The combo rests on its first item; choosing a type runs the command once.
        m_addCombo->setCurrentIndex(0);
        if (index > 0)
            AddType(index);
    });
    connect(m_properties, &CPropertyPanel::NameEdited, this, &CResourceDlg::Rename);
}

void CResourceDlg::RetranslateUi()
{
    m_up->setText(tr("▲"));
    m_down->setText(tr("▼"));
    m_delete->setText(tr("削除"));
    m_group->setText(tr("グループ"));
    m_add->setText(tr("追加"));
    for (QPushButton *button : {m_up, m_down})
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
    // The tabs, in the order of Mode.
    static const char *const kTabs[] = {QT_TR_NOOP("Resource"), QT_TR_NOOP("Dialog"),
        QT_TR_NOOP("Object"), QT_TR_NOOP("Image"), QT_TR_NOOP("Font")};
    for (int tab = kModeResource; tab <= kModeFont; ++tab)
        m_tabs->setTabText(tab, tr(kTabs[tab]));
    // The add combo is filled again in the new language.
    m_addComboMode = -1;
    FillAddCombo();
}

void CResourceDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QWidget::changeEvent(event);
}

// ---- Tree sink ----

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
    if (object)
        m_items.insert(object, item);
    return reinterpret_cast<kx::TreeItem>(item);
}

void CResourceDlg::SetExpanded(kx::TreeItem item, bool expanded)
{
    if (QTreeWidgetItem *treeItem = ToItem(item))
        treeItem->setExpanded(expanded);
}

KXClass *CResourceDlg::ItemObject(const QTreeWidgetItem *item)
{
    if (!item)
        return nullptr;
    return reinterpret_cast<KXClass *>(item->data(0, Qt::UserRole).value<quintptr>());
}

QString CResourceDlg::ItemLabel(const KXClass *resource) const
{
    switch (resource->Kind()) {
    case kKindResource:
        return QStringLiteral("Root = ")
            + kx::ui::FromUtf8(static_cast<const CKXResourceData *>(resource)->ProjectName());
    case kKindDialog:
        return kx::ui::FromUtf8(static_cast<const CKXDialogData *>(resource)->Name());
    case kKindObject: {
        const auto *object = static_cast<const CObjectData *>(resource);
        return QString::fromLatin1(kx::ObjectTypes().Word(object->Type())) + QStringLiteral(" = ")
            + kx::ui::FromUtf8(object->Name());
    }
    default:
        return QString();
    }
}

void CResourceDlg::ForgetItems(QTreeWidgetItem *item)
{
    m_items.remove(ItemObject(item));
    for (int i = 0; i < item->childCount(); ++i)
        ForgetItems(item->child(i));
}

void CResourceDlg::RemoveItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    ForgetItems(item);
    delete item;
}

void CResourceDlg::RebuildDialogItems(CKXDialogData *dialog)
{
    QTreeWidgetItem *item = ItemOf(dialog);
    if (!item)
        return;
    const bool expanded = item->isExpanded();
    for (QTreeWidgetItem *child : item->takeChildren()) {
        ForgetItems(child);
        delete child;
    }
    dialog->RootGroup()->AddToTree(*this, reinterpret_cast<kx::TreeItem>(item));
    item->setExpanded(expanded);
}

bool CResourceDlg::SameShape(const CObjectDataList &group, QTreeWidgetItem *item)
{
    // The root group's children hang directly under the dialog's item.
    if (item->childCount() != group.ChildCount())
        return false;
    for (int i = 0; i < group.ChildCount(); ++i) {
        const CObjectData *child = group.ChildAt(i);
        QTreeWidgetItem *childItem = item->child(i);
        if (ItemObject(childItem) != child)
            return false;
        const QString label = ItemLabel(child);
        if (childItem->text(0) != label)
            childItem->setText(0, label);
        if (child->IsGroup() && !SameShape(static_cast<const CObjectDataList &>(*child), childItem))
            return false;
    }
    return true;
}

void CResourceDlg::SyncDialogItems(CKXDialogData *dialog)
{
    QTreeWidgetItem *item = ItemOf(dialog);
    if (item && !SameShape(*dialog->RootGroup(), item))
        RebuildDialogItems(dialog);
}

void CResourceDlg::SelectTreeItem(const KXClass *resource)
{
    QTreeWidgetItem *item = ItemOf(resource);
    // The root group has no item of its own: its dialog's item stands for it.
    if (!item && resource && resource->Kind() == kKindObject)
        item = ItemOf(DialogOf(static_cast<const CObjectData *>(resource)));
    const QSignalBlocker quiet(m_tree);
    m_tree->setCurrentItem(item);
    if (item)
        m_tree->scrollToItem(item);
}

// ---- Showing the project ----

void CResourceDlg::Refresh()
{
    Clear();
    m_project.Root().AddToTree(*this);
    m_dialog = m_project.Dialogs().At(0);
    m_objectList->SetDialog(m_dialog);
    m_objectList->RefreshCount();
    m_imageList->RefreshCount();
    m_fontList->RefreshCount();
    SetMode(m_mode);
}

void CResourceDlg::Clear()
{
    m_tree->clear();
    m_items.clear();
    m_dialog = nullptr;
    m_objectList->SetDialog(nullptr);
    m_imageList->RefreshCount();
    m_fontList->RefreshCount();
    m_properties->Show(PropertyKind::None, nullptr);
    ShowCommands(PropertyKind::None);
}

void CResourceDlg::ShowDialog(CKXDialogData *dialog)
{
    if (!dialog || dialog == m_dialog)
        return;
    m_dialog = dialog;
    if (m_mode == kModeObject) {
        SetMode(kModeObject);
    } else if (m_mode == kModeResource || m_mode == kModeDialog) {
        SelectTreeItem(dialog);
        if (m_mode == kModeDialog)
            ShowResource(dialog);
    }
}

void CResourceDlg::SetMode(int mode)
{
    // Another tab shows other fields, or refills these: what is typed is committed first.
    m_properties->FinishEditing();
    m_mode = std::clamp(mode, static_cast<int>(kModeResource), static_cast<int>(kModeFont));
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_mode);
    }
    FillAddCombo();
    switch (m_mode) {
    case kModeResource:
        m_upper->setCurrentWidget(m_tree);
        SelectTreeItem(&m_project.Root());
        ShowResource(m_tree->topLevelItemCount() > 0 ? &m_project.Root() : nullptr);
        break;
    case kModeDialog: {
        m_upper->setCurrentWidget(m_tree);
        KXClass *current = ItemObject(m_tree->currentItem());
        ShowResource(current ? current : m_dialog);
        break;
    }
    case kModeObject: {
        m_upper->setCurrentWidget(m_objectList);
        m_objectList->SetDialog(m_dialog);
        m_objectList->RefreshCount();
        CObjectData *selected = m_dialog ? m_dialog->RootGroup()->FindSelected() : nullptr;
        const int row = selected ? m_objectList->RowOf(selected) : (m_dialog ? 0 : -1);
        m_objectList->SetCurrentRow(row);
        ShowResource(m_objectList->GetCurrentObject());
        break;
    }
    case kModeImage:
        m_upper->setCurrentWidget(m_imageList);
        m_imageList->RefreshCount();
        if (m_imageList->GetCurrentRow() < 0 && !m_project.Images().IsEmpty())
            m_imageList->SetCurrentRow(0);
        ShowResource(m_project.Images().At(m_imageList->GetCurrentRow()));
        break;
    case kModeFont:
        m_upper->setCurrentWidget(m_fontList);
        m_fontList->RefreshCount();
        if (m_fontList->GetCurrentRow() < 0 && !m_project.Fonts().IsEmpty())
            m_fontList->SetCurrentRow(0);
        ShowResource(m_project.Fonts().At(m_fontList->GetCurrentRow()));
        break;
    }
}

void CResourceDlg::FillAddCombo()
{
    // Objects are added in the tree and object tabs, image definitions in the image tab.
    const int comboMode = m_mode == kModeImage ? kModeImage : kModeObject;
    if (comboMode == m_addComboMode)
        return;
    m_addComboMode = comboMode;
    const QSignalBlocker quiet(m_addCombo);
    m_addCombo->clear();
    m_addCombo->addItem(tr("新規作成"));
    const int types = comboMode == kModeImage ? 3 : 8;
    for (int type = 0; type < types; ++type)
        m_addCombo->addItem(
            kx::ui::VocabularyText(QByteArray(kx::ObjectTypes().Word(type)).toUpper().constData()));
    m_addCombo->setCurrentIndex(0);
}

void CResourceDlg::ShowResource(KXClass *resource)
{
    const PropertyKind kind = KindOf(resource);
    m_properties->Show(kind, resource);
    ShowCommands(kind);
    if (kind == PropertyKind::Dialog || kind == PropertyKind::Object) {
        CKXDialogData *dialog = kind == PropertyKind::Dialog
            ? static_cast<CKXDialogData *>(resource)
            : DialogOf(static_cast<CObjectData *>(resource));
        if (CKXDialogEditorDoc *document = DocumentOf(dialog))
            document->SetCurrent(resource);
    }
}

void CResourceDlg::ShowCommands(PropertyKind kind)
{
    const bool editable = kind != PropertyKind::None && kind != PropertyKind::Project;
    m_up->setVisible(editable);
    m_down->setVisible(editable);
    m_delete->setVisible(editable);
    m_group->setVisible(kind == PropertyKind::Object);
    // Each tab also offers its own add command when nothing of its kind is shown yet, so that
    // the first dialog, object, image or font definition can be made.
    m_add->setVisible(kind == PropertyKind::Dialog || kind == PropertyKind::Font
        || m_mode == kModeDialog || m_mode == kModeFont);
    m_addCombo->setVisible(kind == PropertyKind::Object || kind == PropertyKind::Image
        || (m_mode == kModeObject && m_dialog) || m_mode == kModeImage);
}

// ---- Documents ----

CKXDialogEditorDoc *CResourceDlg::DocumentOf(CKXDialogData *dialog) const
{
    return m_documents.For(dialog);
}

CKXDialogData *CResourceDlg::DialogOf(const CObjectData *object) const
{
    if (!object)
        return nullptr;
    while (object->Parent())
        object = object->Parent();
    for (const auto &dialog : m_project.Dialogs()) {
        if (dialog->RootGroup() == object)
            return dialog.get();
    }
    return nullptr;
}

void CResourceDlg::CommitDialog(CKXDialogData *dialog, int what)
{
    CKXDialogEditorDoc *document = DocumentOf(dialog);
    if (!document)
        return;
    m_committing = true;
    document->Commit(what);
    m_committing = false;
}

void CResourceDlg::CommitProject(std::unique_ptr<kx::ProjectStep> step, int what)
{
    m_committing = true;
    m_documents.CommitProject(std::move(step), what);
    m_committing = false;
}

void CResourceDlg::OnDocumentChanged(CKXDialogEditorDoc *document, int what)
{
    CKXDialogData *dialog = document->Dialog();
    if (m_committing || !dialog)
        return;
    const bool treeChanged = what & (kChangeTree | kChangeHistory);
    // An undo or redo mostly moves objects: the items are made anew only when the tree's shape
    // changed.
    if (what & kChangeTree)
        RebuildDialogItems(dialog);
    else if (what & kChangeHistory)
        SyncDialogItems(dialog);
    if (what & kChangeDialog) {
        if (QTreeWidgetItem *item = ItemOf(dialog))
            item->setText(0, ItemLabel(dialog));
    }
    if (dialog == m_objectList->GetDialog()) {
        if (treeChanged)
            m_objectList->RefreshCount();
        else
            m_objectList->ListModel()->RefreshRows();
    }
    if (what & (kChangeSelection | kChangeHistory)) {
        KXClass *current = document->Current();
        m_dialog = dialog;
        if (m_mode == kModeObject) {
            m_objectList->SetDialog(dialog);
            const CObjectData *object = current ? AsObject(*current) : nullptr;
            m_objectList->SetCurrentRow(object ? m_objectList->RowOf(object) : -1);
        } else if (m_mode == kModeResource) {
            m_mode = kModeDialog;
            const QSignalBlocker quiet(m_tabs);
            m_tabs->setCurrentIndex(m_mode);
        }
        SelectTreeItem(current ? current : dialog);
        ShowResource(current ? current : dialog);
    } else if (what & (kChangeGeometry | kChangeAttributes | kChangeDialog)) {
        // The fields follow the change: show the same resource again.
        if (KXClass *shown = CurrentResource())
            m_properties->Show(KindOf(shown), shown);
    }
}

void CResourceDlg::OnResourcesChanged(int what)
{
    if (m_committing)
        return;
    if (what & (kChangeDialogs | kChangeProject)) {
        // Dialogs came or went, or were renamed (an undo, a paste): the tree is built anew,
        // around the dialog shown when it stayed.
        CKXDialogData *dialog = m_project.Dialogs().IndexOf(m_dialog) >= 0 ? m_dialog : nullptr;
        Clear();
        m_project.Root().AddToTree(*this);
        m_dialog = dialog ? dialog : m_project.Dialogs().At(0);
        m_objectList->SetDialog(m_dialog);
        m_objectList->RefreshCount();
    }
    if (what & kChangeImages)
        m_imageList->RefreshCount();
    if (what & kChangeFonts)
        m_fontList->RefreshCount();
    if (what & kChangeHistory)
        ShowStepSubject(m_documents.LastStepLabel());
    else if (what & (kChangeDialogs | kChangeProject))
        SetMode(m_mode);
    else if (!IsShownInProject())
        SetMode(m_mode);
}

bool CResourceDlg::IsShownInProject() const
{
    const KXClass *shown = CurrentResource();
    if (!shown)
        return true;
    switch (shown->Kind()) {
    case kKindImage:
        return m_project.Images().IndexOf(static_cast<const CImageData *>(shown)) >= 0;
    case kKindFont:
        return m_project.Fonts().IndexOf(static_cast<const CFontData *>(shown)) >= 0;
    case kKindDialog:
        return m_project.Dialogs().IndexOf(static_cast<const CKXDialogData *>(shown)) >= 0;
    case kKindObject:
        return DialogOf(static_cast<const CObjectData *>(shown)) != nullptr;
    default:
        return true;
    }
}

void CResourceDlg::ShowStepSubject(const kx::StepLabel &label)
{
    // An undone or redone step shows what it concerned, where it is now.
    switch (label.subject) {
    case kx::StepSubject::Font:
        if (const CFontData *font = m_project.Fonts().FindByName(label.name))
            m_fontList->SetCurrentRow(m_project.Fonts().IndexOf(font));
        SetMode(kModeFont);
        return;
    case kx::StepSubject::Image:
        if (const CImageData *image = m_project.Images().FindByName(label.name))
            m_imageList->SetCurrentRow(m_project.Images().IndexOf(image));
        SetMode(kModeImage);
        return;
    case kx::StepSubject::Dialog:
        if (CKXDialogData *dialog = m_project.Dialogs().FindByName(label.name))
            m_dialog = dialog;
        SetMode(kModeDialog);
        SelectTreeItem(m_dialog);
        ShowResource(m_dialog);
        return;
    case kx::StepSubject::Project:
        SetMode(kModeResource);
        return;
    default:
        SetMode(m_mode);
        return;
    }
}

// ---- Selection ----

KXClass *CResourceDlg::ClickObject(CObjectData *object, Qt::KeyboardModifiers modifiers)
{
    CKXDialogData *dialog = DialogOf(object);
    CObjectDataList *root = dialog->RootGroup();
    if (!(modifiers & Qt::ControlModifier))
        root->DeselectAll();
    KXClass *current = object;
    if (object->IsSelected()) {
        // Only a Ctrl-click finds the object selected: it toggles.
        object->SetSelected(false);
        CObjectData *first = root->FindSelected();
        current = first ? static_cast<KXClass *>(first) : dialog;
    } else {
        object->SetSelected(true);
    }
    if (CKXDialogEditorDoc *document = DocumentOf(dialog)) {
        document->SetCurrent(current);
        m_committing = true;
        document->Notify(kChangeSelection);
        m_committing = false;
    }
    return current;
}

void CResourceDlg::ClickTreeItem(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers)
{
    if (!item)
        return;
    KXClass *resource = ItemObject(item);
    if (!resource) {
        Error(tr("エラー: リソースタイプを識別できませんでした."));
        return;
    }
    // Dialogs and objects are worked on in the dialog tab.
    if (m_mode == kModeResource && resource->Kind() != kKindResource) {
        m_mode = kModeDialog;
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_mode);
    }
    switch (resource->Kind()) {
    case kKindResource:
        SelectTreeItem(resource);
        ShowResource(resource);
        break;
    case kKindDialog: {
        auto *dialog = static_cast<CKXDialogData *>(resource);
        m_dialog = dialog;
        SelectTreeItem(dialog);
        ShowResource(dialog);
        m_objectList->SetDialog(dialog);
        emit DialogOpenRequested(dialog);
        break;
    }
    case kKindObject: {
        auto *object = static_cast<CObjectData *>(resource);
        CKXDialogData *dialog = DialogOf(object);
        if (!dialog)
            return;
        m_dialog = dialog;
        KXClass *current = ClickObject(object, modifiers);
        SelectTreeItem(current);
        ShowResource(current);
        m_objectList->SetDialog(dialog);
        m_objectList->ListModel()->RefreshRows();
        emit DialogOpenRequested(dialog);
        break;
    }
    default:
        break;
    }
}

void CResourceDlg::ClickObjectRow(int row, Qt::KeyboardModifiers modifiers)
{
    CKXDialogData *dialog = m_objectList->GetDialog();
    CObjectData *object = dialog ? dialog->RootGroup()->ObjectAt(row) : nullptr;
    if (!object)
        return;
    m_dialog = dialog;
    KXClass *current = ClickObject(object, modifiers);
    const CObjectData *currentObject = AsObject(*current);
    m_objectList->SetCurrentRow(currentObject ? m_objectList->RowOf(currentObject) : -1);
    m_objectList->ListModel()->RefreshRows();
    SelectTreeItem(current);
    ShowResource(current);
    emit DialogOpenRequested(dialog);
}

// ---- Commands ----

void CResourceDlg::Move(int step)
{
    if (m_mode == kModeImage || m_mode == kModeFont) {
        const bool images = m_mode == kModeImage;
        CResourceListView *list = images ? static_cast<CResourceListView *>(m_imageList)
                                         : static_cast<CResourceListView *>(m_fontList);
        const int row = list->GetCurrentRow();
        const auto imageOrder = kx::OrderOf(m_project.Images());
        const auto fontOrder = kx::OrderOf(m_project.Fonts());
        const bool swapped = images ? m_project.Images().Swap(row, row + step)
                                    : m_project.Fonts().Swap(row, row + step);
        if (!swapped)
            return;
        list->SetCurrentRow(row + step);
        list->ListModel()->RefreshRows();
        auto change = MakeStep(kx::StepAction::Move,
            images ? static_cast<KXClass *>(m_project.Images().At(row + step))
                   : static_cast<KXClass *>(m_project.Fonts().At(row + step)));
        if (images)
            change->ListChanged(imageOrder);
        else
            change->ListChanged(fontOrder);
        CommitProject(std::move(change), images ? kChangeImages : kChangeFonts);
        return;
    }
    if (m_mode != kModeDialog && m_mode != kModeObject)
        return;
    KXClass *resource = CurrentResource();
    if (!resource) {
        Error(tr("エラー: リソースの取得に失敗しました."));
        return;
    }
    QTreeWidgetItem *item = ItemOf(resource);
    if (resource->Kind() == kKindDialog) {
        CKXDialogDataList &dialogs = m_project.Dialogs();
        const int index = dialogs.IndexOf(static_cast<CKXDialogData *>(resource));
        const auto order = kx::OrderOf(dialogs);
        if (!dialogs.Swap(index, index + step))
            return;
        auto change = MakeStep(kx::StepAction::Move, resource);
        change->ListChanged(order);
        if (item && item->parent()) {
            QTreeWidgetItem *parent = item->parent();
            const bool expanded = item->isExpanded();
            const int at = parent->indexOfChild(item);
            parent->insertChild(at + step, parent->takeChild(at));
            item->setExpanded(expanded);
        }
        SelectTreeItem(resource);
        CommitProject(std::move(change), kChangeDialogs);
        return;
    }
    if (resource->Kind() != kKindObject)
        return;
    auto *object = static_cast<CObjectData *>(resource);
    CObjectDataList *parent = object->Parent();
    if (!parent)
        return;
    const bool moved = step < 0 ? parent->MoveChildUp(object) : parent->MoveChildDown(object);
    if (!moved)
        return;
    CKXDialogData *dialog = DialogOf(object);
    if (item && item->parent()) {
        // Groups keep their children's items; the swap moves the whole branch.
        QTreeWidgetItem *parentItem = item->parent();
        const bool expanded = item->isExpanded();
        const int at = parentItem->indexOfChild(item);
        parentItem->insertChild(at + step, parentItem->takeChild(at));
        item->setExpanded(expanded);
    }
    SelectTreeItem(object);
    m_objectList->RefreshCount();
    m_objectList->SetCurrentRow(m_objectList->RowOf(object));
    CommitDialog(dialog, kChangeTree);
}

void CResourceDlg::Delete()
{
    Remove(kx::StepAction::Delete);
}

void CResourceDlg::Cut()
{
    Remove(kx::StepAction::Cut);
}

void CResourceDlg::Remove(kx::StepAction action)
{
    if (m_mode == kModeImage || m_mode == kModeFont) {
        DeleteDefinition(action);
        return;
    }
    if (m_mode != kModeDialog && m_mode != kModeObject)
        return;
    KXClass *resource = CurrentResource();
    if (!resource)
        return;
    if (resource->Kind() == kKindDialog)
        DeleteDialog(static_cast<CKXDialogData *>(resource), action);
    else if (resource->Kind() == kKindObject)
        DeleteObject(static_cast<CObjectData *>(resource));
}

bool CResourceDlg::Confirm(const QString &question)
{
    return question.isEmpty() || m_properties->Questions().confirmDelete(this, question);
}

std::unique_ptr<kx::ProjectStep> CResourceDlg::MakeStep(
    kx::StepAction action, const KXClass *resource) const
{
    kx::StepLabel label {action, kx::StepSubject::None, {}};
    if (resource) {
        switch (resource->Kind()) {
        case kKindResource:
            label.subject = kx::StepSubject::Project;
            label.name = static_cast<const CKXResourceData *>(resource)->ProjectName();
            break;
        case kKindDialog:
            label.subject = kx::StepSubject::Dialog;
            label.name = static_cast<const CKXDialogData *>(resource)->Name();
            break;
        case kKindFont:
            label.subject = kx::StepSubject::Font;
            label.name = static_cast<const CFontData *>(resource)->Name();
            break;
        case kKindImage:
            label.subject = kx::StepSubject::Image;
            label.name = static_cast<const CImageData *>(resource)->Name();
            break;
        default:
            break;
        }
    }
    return std::make_unique<kx::ProjectStep>(m_project, std::move(label));
}

void CResourceDlg::DeleteDefinition(kx::StepAction action)
{
    const bool images = m_mode == kModeImage;
    CResourceListView *list = images ? static_cast<CResourceListView *>(m_imageList)
                                     : static_cast<CResourceListView *>(m_fontList);
    const int row = list->GetCurrentRow();
    CImageData *image = images ? m_project.Images().At(row) : nullptr;
    CFontData *font = images ? nullptr : m_project.Fonts().At(row);
    if (!image && !font)
        return;
    if (!Confirm(image ? kx::ui::ImageDeleteQuestion(m_project, *image)
                       : kx::ui::FontDeleteQuestion(m_project, *font)))
        return;
    auto change = MakeStep(action, image ? static_cast<KXClass *>(image) : font);
    if (image) {
        const auto order = kx::OrderOf(m_project.Images());
        std::vector<std::unique_ptr<CImageData>> taken;
        taken.push_back(m_project.Images().Take(image));
        change->ListChanged(order, std::move(taken));
        m_imageList->RefreshCount();
    } else {
        const auto order = kx::OrderOf(m_project.Fonts());
        std::vector<std::unique_ptr<CFontData>> taken;
        taken.push_back(m_project.Fonts().Take(font));
        change->ListChanged(order, std::move(taken));
        m_fontList->RefreshCount();
    }
    const int count = list->ListModel()->rowCount();
    list->SetCurrentRow(std::min(row, count - 1));
    ShowResource(images ? static_cast<KXClass *>(m_project.Images().At(list->GetCurrentRow()))
                        : static_cast<KXClass *>(m_project.Fonts().At(list->GetCurrentRow())));
    CommitProject(std::move(change), images ? kChangeImages : kChangeFonts);
}

void CResourceDlg::DeleteDialog(CKXDialogData *dialog, kx::StepAction action)
{
    CKXDialogDataList &dialogs = m_project.Dialogs();
    if (dialogs.Count() <= 1) {
        Notice(tr("全てのダイアログを削除することは出来ません。"));
        return;
    }
    const int index = dialogs.IndexOf(dialog);
    if (index < 0 || !Confirm(kx::ui::DialogDeleteQuestion(*dialog)))
        return;
    // Windows and documents let go of the dialog before it goes.
    emit DialogRemoving(dialog);
    RemoveItem(ItemOf(dialog));
    CKXDialogData *next = dialogs.At(index + 1 < dialogs.Count() ? index + 1 : index - 1);
    m_dialog = next;
    if (m_objectList->GetDialog() == dialog)
        m_objectList->SetDialog(next);
    auto change = MakeStep(action, dialog);
    const auto order = kx::OrderOf(dialogs);
    // The step keeps the dialog, its objects and its history, for undo.
    std::vector<std::unique_ptr<CKXDialogData>> taken;
    taken.push_back(dialogs.Take(dialog));
    change->ListChanged(order, std::move(taken));
    SelectTreeItem(next);
    ShowResource(next);
    CommitProject(std::move(change), kChangeDialogs);
}

void CResourceDlg::DeleteObject(CObjectData *object)
{
    if (object->IsGroup() && static_cast<CObjectDataList *>(object)->IsRoot()) {
        Notice(tr("デフォルトグループオブジェクトは削除できません"));
        return;
    }
    CKXDialogData *dialog = DialogOf(object);
    if (!dialog)
        return;
    // The topmost item that goes: the object, or the highest group it leaves empty.
    CObjectData *topmost = object;
    while (
        topmost->Parent() && !topmost->Parent()->IsRoot() && topmost->Parent()->ChildCount() == 1)
        topmost = topmost->Parent();
    CObjectData *next = CObjectDataList::RemoveWithEmptyAncestors(object);
    if (!next)
        return;
    RemoveItem(ItemOf(topmost));
    CObjectDataList *root = dialog->RootGroup();
    root->DeselectAll();
    KXClass *current = dialog;
    if (next != root) {
        next->SetSelected(true);
        current = next;
    }
    m_objectList->RefreshCount();
    m_objectList->SetCurrentRow(m_objectList->RowOf(next));
    if (m_mode == kModeObject)
        current = next;
    SelectTreeItem(current);
    ShowResource(current);
    CommitDialog(dialog, kChangeTree | kChangeSelection);
}

void CResourceDlg::GroupOrUngroup()
{
    if (m_mode != kModeDialog && m_mode != kModeObject)
        return;
    KXClass *resource = CurrentResource();
    if (!resource || resource->Kind() != kKindObject)
        return;
    auto *object = static_cast<CObjectData *>(resource);
    CKXDialogData *dialog = DialogOf(object);
    if (!dialog)
        return;
    CObjectDataList *root = dialog->RootGroup();
    auto *group = object->IsGroup() ? static_cast<CObjectDataList *>(object) : nullptr;
    // A group without children can come from a file: it holds nothing to hand back.
    if (group && !group->IsRoot() && group->ChildCount() == 0) {
        Error(tr("エラー: デフォルトグループはグループ解除できません."));
        return;
    }
    const int selected = root->CountSelected();
    if (selected == 0)
        return;
    CObjectData *current = nullptr;
    if (group && object->CountSelected() == selected) {
        if (group->IsRoot()) {
            Error(tr("エラー: デフォルトグループはグループ解除できません."));
            return;
        }
        CObjectDataList *parent = group->Parent();
        group->Ungroup();
        current = parent;
    } else {
        current = root->GroupSelection(object, m_project.UniqueGroupName());
        if (!current)
            return;
    }
    RebuildDialogItems(dialog);
    KXClass *shown
        = current == root && m_mode != kModeObject ? static_cast<KXClass *>(dialog) : current;
    m_objectList->RefreshCount();
    m_objectList->SetCurrentRow(m_objectList->RowOf(current));
    SelectTreeItem(shown);
    ShowResource(shown);
    CommitDialog(dialog, kChangeTree | kChangeSelection);
}

void CResourceDlg::AddType(int comboIndex)
{
    const int type = comboIndex - 1;
    if (m_mode == kModeDialog || m_mode == kModeObject)
        AddObject(type);
    else if (m_mode == kModeImage)
        AddImage(type);
}

void CResourceDlg::Add()
{
    if (m_mode == kModeDialog)
        AddDialog();
    else if (m_mode == kModeFont)
        AddFont();
}

void CResourceDlg::AddObject(int type)
{
    if (type < kTypeButton || type > kTypeText)
        return;
    const CImageData *image = nullptr;
    if (UsesImageDefinition(type)) {
        image = FirstImageOfType(m_project.Images(), type);
        if (!image) {
            Notice(tr("イメージ情報が登録されていません"));
            return;
        }
    }
    if (type == kTypeText && m_project.Fonts().IsEmpty()) {
        Notice(tr("フォント情報が１つも登録されていません"));
        return;
    }
    CKXDialogData *dialog = m_dialog;
    if (!dialog) {
        Error(tr("エラー: リソースデータの取得に失敗しました."));
        return;
    }
    static constexpr kx::PrefixIndex kPrefixes[] = {kx::kPrefixOB, kx::kPrefixOE, kx::kPrefixOF,
        kx::kPrefixOP, kx::kPrefixOI, kx::kPrefixOM, kx::kPrefixOC, kx::kPrefixOT};
    CObjectDataList *root = dialog->RootGroup();
    root->DeselectAll();
    CObjectData *object
        = root->CreateChild(type, m_project.UniqueName(PrefixFor(m_project, kPrefixes[type])));
    object->SetPushClick(false);
    object->SetPushTime(200);
    object->SetPosition(0, 0);
    if (image) {
        object->SetImage(image->Name());
        const kx::KXSize size = image->NaturalSize(type);
        object->SetWidth(size.width);
        object->SetHeight(size.height);
        object->SetMarginX(image->MarginX());
        object->SetMarginY(image->MarginY());
    } else {
        object->SetWidth(20);
        object->SetHeight(20);
    }
    if (image || type == kTypeText) {
        if (const CFontData *font = m_project.Fonts().At(0))
            object->SetFont(font->Name());
        object->SetAlignX(0);
        object->SetAlignY(1);
        object->SetStretch(0);
    }
    if (type == kTypeText) {
        object->SetMarginX(m_properties->MarginX());
        object->SetMarginY(m_properties->MarginY());
    }
    object->SetSelected(true);

    if (QTreeWidgetItem *dialogItem = ItemOf(dialog)) {
        object->AddToTree(*this, reinterpret_cast<kx::TreeItem>(dialogItem));
        dialogItem->setExpanded(true);
    }
    SelectTreeItem(object);
    m_objectList->SetDialog(dialog);
    m_objectList->RefreshCount();
    m_objectList->SetCurrentRow(m_objectList->RowOf(object));
    ShowResource(object);
    CommitDialog(dialog, kChangeTree | kChangeSelection);
}

void CResourceDlg::AddImage(int type)
{
    if (type < 0 || type > 2)
        return;
    if (m_project.Fonts().IsEmpty()) {
        Notice(tr("フォント情報が１つも登録されていません"));
        return;
    }
    static constexpr kx::PrefixIndex kPrefixes[] = {kx::kPrefixIB, kx::kPrefixIE, kx::kPrefixIF};
    auto image = std::make_unique<CImageData>();
    image->SetType(type);
    image->SetName(m_project.UniqueName(PrefixFor(m_project, kPrefixes[type])));
    for (int slot = 0; slot < kx::kMaxImageSlots; ++slot) {
        image->SetSlotColour(slot, "BLACK");
        image->SetSlotSubColour(slot, "BLACK");
    }
    image->SetFontName(m_project.Fonts().At(0)->Name());
    image->SetAlignX(0);
    image->SetAlignY(1);
    image->SetStretch(0);
    image->SetMarginX(m_properties->MarginX());
    image->SetMarginY(m_properties->MarginY());
    const auto order = kx::OrderOf(m_project.Images());
    const int row = m_project.Images().Add(image);
    if (row < 0)
        return;
    auto change = MakeStep(kx::StepAction::Add, m_project.Images().At(row));
    change->ListChanged(order);
    m_imageList->RefreshCount();
    m_imageList->SetCurrentRow(row);
    ShowResource(m_project.Images().At(row));
    CommitProject(std::move(change), kChangeImages);
}

CKXDialogData *CResourceDlg::AddDialog()
{
    auto created = std::make_unique<CKXDialogData>(
        m_project.UniqueName(PrefixFor(m_project, kx::kPrefixDID)), m_project.Prefixes());
    created->SetTitle("");
    created->SetPosition(0, 0);
    created->SetSize(640, 480);
    CKXDialogData *dialog = created.get();
    const auto order = kx::OrderOf(m_project.Dialogs());
    if (m_project.Dialogs().Add(created) < 0)
        return nullptr;
    auto change = MakeStep(kx::StepAction::Add, dialog);
    change->ListChanged(order);
    // The new dialog's state is the base of its history.
    m_documents.StartHistory(*dialog);
    if (m_tree->topLevelItemCount() == 0) {
        Refresh();
    } else {
        QTreeWidgetItem *rootItem = m_tree->topLevelItem(0);
        QTreeWidgetItem *last
            = rootItem->childCount() > 0 ? rootItem->child(rootItem->childCount() - 1) : nullptr;
        dialog->AddToTree(
            *this, reinterpret_cast<kx::TreeItem>(rootItem), reinterpret_cast<kx::TreeItem>(last));
        rootItem->setExpanded(true);
    }
    m_dialog = dialog;
    SetMode(kModeDialog);
    SelectTreeItem(dialog);
    ShowResource(dialog);
    CommitProject(std::move(change), kChangeDialogs);
    emit DialogOpenRequested(dialog);
    return dialog;
}

void CResourceDlg::AddFont()
{
    auto font = std::make_unique<CFontData>();
    font->SetName(m_project.UniqueName(PrefixFor(m_project, kx::kPrefixFNT)));
    font->SetFile("");
    font->SetSize(32);
    font->SetFaceId(m_project.Fonts().NextFaceId());
    const auto order = kx::OrderOf(m_project.Fonts());
    const int row = m_project.Fonts().Add(font);
    if (row < 0)
        return;
    auto change = MakeStep(kx::StepAction::Add, m_project.Fonts().At(row));
    change->ListChanged(order);
    m_fontList->RefreshCount();
    m_fontList->SetCurrentRow(row);
    ShowResource(m_project.Fonts().At(row));
    CommitProject(std::move(change), kChangeFonts);
}

bool CResourceDlg::Rename()
{
    KXClass *resource = CurrentResource();
    const PropertyKind kind = m_properties->Kind();
    if (!resource || kind == PropertyKind::None)
        return true;
    // The root group is "OGROOT" in every dialog: the project file and the history find it so.
    if (kind == PropertyKind::Object && resource->Kind() == kKindObject
        && static_cast<CObjectData *>(resource)->IsGroup()
        && static_cast<CObjectDataList *>(resource)->IsRoot())
        return true;
    const std::string name = kx::ui::ToUtf8(m_properties->NameEdit()->text());
    // The project's name follows the application prefix, so it may begin with a digit; every
    // other name is a whole identifier. An empty project name is refused all the same: the
    // project file cannot keep it (a load reads an empty Name element as no name, and the
    // project comes back named "Name").
    kx::NameFault fault = kx::IdentifierNameFault(
        name, kind == PropertyKind::Project ? kx::NameUse::kTail : kx::NameUse::kIdentifier);
    if (kind == PropertyKind::Project && name.empty())
        fault = kx::NameFault::kEmpty;
    if (fault != kx::NameFault::kNone) {
        Error(kx::ui::NameFaultMessage(fault));
        m_properties->NameEdit()->setFocus();
        return false;
    }
    const auto refuseTaken = [this] {
        Error(tr("エラー: 重複する名前です."));
        m_properties->NameEdit()->setFocus();
        return false;
    };
    switch (kind) {
    case PropertyKind::Project: {
        CKXResourceData &root = m_project.Root();
        if (name == root.ProjectName())
            return true;
        const std::string old = root.ProjectName();
        root.SetProjectName(name);
        auto change = MakeStep(kx::StepAction::Rename, &root);
        change->ProjectRenamed(old);
        if (QTreeWidgetItem *item = ItemOf(&root))
            item->setText(0, ItemLabel(&root));
        CommitProject(std::move(change), kChangeProject);
        return true;
    }
    case PropertyKind::Image:
    case PropertyKind::Font: {
        const bool image = kind == PropertyKind::Image;
        auto *imageData = image ? static_cast<CImageData *>(resource) : nullptr;
        auto *fontData = image ? nullptr : static_cast<CFontData *>(resource);
        const std::string old = image ? imageData->Name() : fontData->Name();
        if (name == old)
            return true;
        if (m_project.IsNameTaken(name))
            return refuseTaken();
        kx::ReferenceLog log;
        if (!old.empty()) {
            if (image)
                m_project.RenameImageReference(old, name, &log);
            else
                m_project.RenameFontReference(old, name, &log);
        }
        if (image)
            imageData->SetName(name);
        else
            fontData->SetName(name);
        auto change = MakeStep(kx::StepAction::Rename, resource);
        if (image)
            change->Renamed(*imageData, old, std::move(log));
        else
            change->Renamed(*fontData, old, std::move(log));
        (image ? static_cast<CResourceListView *>(m_imageList)
               : static_cast<CResourceListView *>(m_fontList))
            ->ListModel()
            ->RefreshRows();
        const int what = ChangesOf(*change);
        CommitProject(std::move(change), what);
        return true;
    }
    case PropertyKind::Dialog: {
        auto *dialog = static_cast<CKXDialogData *>(resource);
        if (name == dialog->Name())
            return true;
        if (m_project.IsNameTaken(name))
            return refuseTaken();
        const std::string old = dialog->Name();
        dialog->Rename(name);
        auto change = MakeStep(kx::StepAction::Rename, dialog);
        change->Renamed(*dialog, old);
        if (QTreeWidgetItem *item = ItemOf(dialog))
            item->setText(0, ItemLabel(dialog));
        CommitProject(std::move(change), kChangeDialogs);
        return true;
    }
    case PropertyKind::Object: {
        auto *object = static_cast<CObjectData *>(resource);
        CKXDialogData *dialog = DialogOf(object);
        if (name == object->Name() || !dialog)
            return true;
        // Objects of other dialogs may share a name: each dialog is a class of its own.
        if (m_project.Fonts().FindByName(name) || m_project.Images().FindByName(name)
            || m_project.Dialogs().FindByName(name) || dialog->RootGroup()->FindByName(name))
            return refuseTaken();
        object->SetName(name);
        if (QTreeWidgetItem *item = ItemOf(object))
            item->setText(0, ItemLabel(object));
        m_objectList->ListModel()->RefreshRows();
        CommitDialog(dialog, kChangeTree);
        return true;
    }
    case PropertyKind::None:
        break;
    }
    return true;
}

bool CResourceDlg::ListsHaveFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && m_upper->isAncestorOf(focus);
}

void CResourceDlg::ShowFromOutside(KXClass *resource)
{
    if (!resource || resource->Kind() != kKindDialog)
        return;
    m_dialog = static_cast<CKXDialogData *>(resource);
    SetMode(kModeDialog);
    SelectTreeItem(resource);
    ShowResource(resource);
    emit DialogOpenRequested(m_dialog);
}

void CResourceDlg::Error(const QString &text)
{
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Error);
}

void CResourceDlg::Notice(const QString &text)
{
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
}
