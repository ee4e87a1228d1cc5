#include "ui/app/canvas_commands.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/prefix_settings.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/project_files.h"
#include "ui/panels/property_controls.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

// Pictures dropped together land one below and right of the other.
constexpr int kDropCascade = 10;

QAction *Toggle(QObject *parent, const char *name, bool on)
{
    auto *action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(on);
    return action;
}

} // namespace

CCanvasCommands::CCanvasCommands(CMainFrame &frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_settings(kx::ui::StoredViewSettings())
{
    m_guides = Toggle(this, "SmartGuidesAction", m_settings.guides);
    m_grid = Toggle(this, "GridAction", m_settings.grid);
    m_snap = Toggle(this, "SnapToGridAction", m_settings.snapToGrid);
    for (QAction *action : {m_guides, m_grid, m_snap})
        connect(action, &QAction::toggled, this, [this] {
            Store();
            Apply();
        });

    CEditCommands &edit = frame.EditCommands();
    m_menu = new QMenu(&frame);
    m_pasteHere = new QAction(this);
    connect(m_pasteHere, &QAction::triggered, this, [this] {
        if (m_menuView)
            m_frame.EditCommands().PasteAt(m_menuPoint);
    });
    m_group = new QAction(this);
    connect(m_group, &QAction::triggered, this, [this] {
        ShowSelectionInPanel();
        m_frame.ResourcePanel()->GroupOrUngroup();
    });
    m_properties = new QAction(this);
    connect(m_properties, &QAction::triggered, this, &CCanvasCommands::ShowProperties);
    m_menu->addAction(edit.CutAction());
    m_menu->addAction(edit.CopyAction());
    m_menu->addAction(m_pasteHere);
    m_menu->addAction(edit.DeleteAction());
    m_menu->addSeparator();
    m_arrangeMenu = m_menu->addMenu(QString());
    m_arrangeMenu->addActions(edit.AlignActions());
    m_arrangeMenu->addSeparator();
    m_arrangeMenu->addActions(edit.ArrangeActions());
    m_menu->addAction(edit.BringToFrontAction());
    m_menu->addAction(edit.SendToBackAction());
    m_menu->addSeparator();
    m_menu->addAction(m_group);
    m_menu->addSeparator();
    m_menu->addAction(m_properties);
    RetranslateUi();
}

CCanvasCommands::~CCanvasCommands() = default;

void CCanvasCommands::RetranslateUi()
{
    m_guides->setText(tr("スマートガイド"));
    m_grid->setText(tr("グリッド"));
    m_snap->setText(tr("グリッドにスナップ"));
    m_pasteHere->setText(tr("ここに貼り付け"));
    m_arrangeMenu->setTitle(tr("整列と配置"));
    m_properties->setText(tr("プロパティ"));
    m_group->setText(tr("グループ化 / グループ解除"));
}

void CCanvasCommands::Store()
{
    m_settings.guides = m_guides->isChecked();
    m_settings.grid = m_grid->isChecked();
    m_settings.snapToGrid = m_snap->isChecked();
    kx::ui::StoreViewSettings(m_settings);
}

void CCanvasCommands::ReloadSettings()
{
    m_settings = kx::ui::StoredViewSettings();
    const QSignalBlocker guides(m_guides);
    const QSignalBlocker grid(m_grid);
    const QSignalBlocker snap(m_snap);
    m_guides->setChecked(m_settings.guides);
    m_grid->setChecked(m_settings.grid);
    m_snap->setChecked(m_settings.snapToGrid);
    Apply();
}

void CCanvasCommands::Apply()
{
    for (CKXDialogEditorView *view : m_frame.DialogViews()) {
        view->SetGrid(m_settings.grid, m_settings.gridSpacing);
        view->SetSnapping(m_settings.guides, m_settings.snapToGrid);
    }
}

void CCanvasCommands::AttachView(CKXDialogEditorView *view)
{
    view->SetGrid(m_settings.grid, m_settings.gridSpacing);
    view->SetSnapping(m_settings.guides, m_settings.snapToGrid);
    connect(view, &CKXDialogEditorView::ContextMenuRequested, this,
        [this, view](const QPoint &point, const QPoint &global) {
            PrepareContextMenu(view, point);
            m_menu->popup(global);
        });
    connect(view, &CKXDialogEditorView::PicturesDropped, this,
        [this, view](
            const QStringList &files, const QPoint &point) { DropPictures(view, files, point); });
}

void CCanvasCommands::PrepareContextMenu(CKXDialogEditorView *view, const QPoint &canvasPoint)
{
    m_menuView = view;
    m_menuPoint = canvasPoint;
    // The commands work on the active dialog: the one whose canvas was clicked.
    for (QMdiSubWindow *window : m_frame.MdiArea()->subWindowList()) {
        if (window->widget() == view && m_frame.MdiArea()->activeSubWindow() != window)
            m_frame.MdiArea()->setActiveSubWindow(window);
    }
    view->setFocus(Qt::PopupFocusReason);
    CEditCommands &edit = m_frame.EditCommands();
    edit.UpdateActions();
    const CKXDialogData *dialog = view->Dialog();
    const bool selection = dialog && dialog->RootGroup()->CountSelected() > 0;
    m_pasteHere->setEnabled(edit.PasteAction()->isEnabled() && dialog);
    m_group->setEnabled(selection);
    m_properties->setEnabled(dialog != nullptr);
}

void CCanvasCommands::ShowSelectionInPanel()
{
    CResourceDlg *panel = m_frame.ResourcePanel();
    if (panel->Mode() != CResourceDlg::kModeDialog && panel->Mode() != CResourceDlg::kModeObject)
        panel->SetMode(CResourceDlg::kModeDialog);
    if (CKXDialogEditorView *view = m_menuView ? m_menuView.data() : m_frame.ActiveView()) {
        if (CKXDialogEditorDoc *document = view->Document())
            document->Notify(kChangeSelection);
    }
}

void CCanvasCommands::ShowProperties()
{
    QDockWidget *bar = m_frame.ResourceBar();
    bar->show();
    bar->raise();
    ShowSelectionInPanel();
    // The first field that takes typing: the position, or the name of a dialog.
    const CPropertyPanel::Widgets &fields = m_frame.ResourcePanel()->Properties()->Controls();
    QLineEdit *first
        = fields.x->isVisibleTo(bar) && !fields.x->isReadOnly() ? fields.x : fields.name;
    first->setFocus(Qt::OtherFocusReason);
}

void CCanvasCommands::DropPictures(
    CKXDialogEditorView *view, const QStringList &files, const QPoint &canvasPoint)
{
    CKXDialogEditorDoc *document = view ? view->Document() : nullptr;
    CKXDialogData *dialog = view ? view->Dialog() : nullptr;
    if (!document || !dialog || files.isEmpty())
        return;
    CProjectContext &project = m_frame.Project();
    kx::IMessageSink &messages = m_frame.Messages();
    const kx::ui::EditorQuestions &questions = m_frame.Questions();
    const auto kind = kx::ui::ProjectFileKind::Picture;
    // Several files from outside the project: one question for all of them.
    QStringList outside;
    for (const QString &file : files) {
        if (kx::ui::NeedsCopyIntoProject(project, file, kind))
            outside.append(QFileInfo(file).absoluteFilePath());
    }
    const bool many = outside.size() > 1;
    if (many
        && !questions.copyAllIntoProject(
            &m_frame, outside, kx::ui::ProjectFileFolder(project, kind)))
        return;
    std::vector<CObjectData *> added;
    CObjectDataList *root = dialog->RootGroup();
    for (const QString &file : files) {
        const std::optional<QString> name
            = kx::ui::TakeIntoProject(project, questions, messages, &m_frame, file, kind, many);
        if (!name)
            continue;
        // The object takes the picture's size as the canvas decodes it; a file that does not
        // decode makes no object.
        const std::string fileName = kx::ui::ToUtf8(*name);
        kx::IPictureCache *cache = project.PictureCache();
        const kx::IPicture *picture = cache ? cache->Find(project.ImagePath(fileName)) : nullptr;
        if (!picture) {
            messages.ShowMessage(
                kx::ui::ToUtf8(tr("「%1」は PNG か GIF の画像として読めませんでした。").arg(file)),
                kx::MessageIcon::Warning);
            continue;
        }
        const std::string &prefix = project.Prefixes().Get(kx::kPrefixOP);
        CObjectData *object = root->CreateChild(kTypePicture,
            project.UniqueName(
                prefix.empty() ? kx::PrefixRows()[kx::kPrefixOP].defaultValue : prefix));
        const int offset = static_cast<int>(added.size()) * kDropCascade;
        object->SetPosition(canvasPoint.x() + offset, canvasPoint.y() + offset);
        object->SetImageFile(fileName);
        object->SetWidth(picture->Width());
        object->SetHeight(picture->Height());
        added.push_back(object);
    }
    if (added.empty())
        return;
    root->DeselectAll();
    for (CObjectData *object : added)
        object->SetSelected(true);
    document->SetCurrent(added.front());
    document->Commit(
        kChangeTree | kChangeSelection, {kx::StepAction::Add, kx::StepSubject::Objects, {}});
}
