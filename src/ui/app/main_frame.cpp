#include "ui/app/main_frame.h"

#include "model/image_layout.h"
#include "model/kx_dialog_data.h"
#include "render/dialog_painter.h"
#include "render/dib_image_list.h"
#include "render/freetype_font.h"
#include "ui/app/canvas_commands.h"
#include "ui/app/help_commands.h"
#include "ui/app/play_commands.h"
#include "ui/app/status_indicators.h"
#include "ui/app/window_layout.h"
#include "ui/app/window_menu.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/dialogs/dlg_setting.h"
#include "ui/dialogs/skeleton_dlg.h"
#include "ui/document/document_set.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/check_results_dock.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/command_icons.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

constexpr const char *kAppTitle = "KXDialogEditor";

// Qt gives a dialog window its system menu in the language of the moment and never translates it
// again; its entries are set anew in the order Qt creates them.
void RetranslateSystemMenu(QMdiSubWindow *window)
{
    // Qt's own texts, translated by Qt's translation (not listed in the editor's).
    static const char *const kEntries[]
        = {"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "Stay on &Top", "&Close"};
    QMenu *menu = window->systemMenu();
    if (!menu)
        return;
    QList<QAction *> entries;
    for (QAction *action : menu->actions()) {
        if (!action->isSeparator())
            entries.append(action);
    }
    // A menu that is not Qt's own is left alone.
    if (entries.size() != static_cast<qsizetype>(std::size(kEntries)))
        return;
    for (qsizetype i = 0; i < entries.size(); ++i)
        entries[i]->setText(QCoreApplication::translate("QMdiSubWindow", kEntries[i]));
}

CKXDialogEditorView *ViewOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<CKXDialogEditorView *>(window->widget()) : nullptr;
}

// No font, image or dialog: nothing that could be lost or saved.
bool IsEmpty(const CProjectContext &project)
{
    return project.Fonts().IsEmpty() && project.Images().IsEmpty() && project.Dialogs().IsEmpty();
}

} // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
    , m_messageBoxes(this)
    , m_messages(&m_messageBoxes)
    , m_paintMessages(m_messages)
{
    // Pictures are decoded once and kept for the whole session; the cache must be in place
    // before anything is loaded.
    m_project.SetPictureCache(std::make_unique<CDibImageList>());
    // A paint must never open a box: what drawing finds is shown once the paint is over.
    m_fonts = std::make_unique<CFreeTypeFont>(m_project, m_paintMessages);
    m_painter = std::make_unique<kx::DialogPainter>(m_project, *m_fonts, m_paintMessages);
    m_project.AddObserver(this);
    m_documents = new CDocumentSet(m_project, this);
    // What the canvas repairs while drawing belongs to a dialog's first state, not to its first
    // edit.
    m_documents->SetRepair([this](CKXDialogData &dialog, bool loaded) {
        // A load has made the drawing's repairs of all its dialogs already (ProjectLoaded).
        if (!loaded)
            m_painter->Repair(dialog, false);
        // Buttons, edit boxes and frames without a defined font show their image's layout from
        // the start, not as a change of their own.
        kx::AdoptImageLayouts(
            *dialog.RootGroup(), m_project, [](const CObjectData &) { return true; });
    });
    m_recovery = new CRecoveryCopy(m_project, this);
    CreateFileCommands();

    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAcceptDrops(true);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateActions();
    CreateResourceBar();
    CreateEditCommands();
    m_play = new CPlayCommands(this, m_mdiArea);
    m_canvas = new CCanvasCommands(*this);
    CreateMenus();
    CreateToolBar();
    // The idle text stays under passing status tips.
    m_readyLabel = new QLabel(statusBar());
    statusBar()->addWidget(m_readyLabel);
    m_status = new CStatusIndicators(statusBar());
    RetranslateUi();
    resize(1024, 720);
    m_layout = new CWindowLayout(*this);
    m_viewMenu->addAction(m_layout->ResetAction());
    UpdateCommands();
    UpdateTitle();
}

CMainFrame::~CMainFrame()
{
    m_project.RemoveObserver(this);
    // A clean end: the copy of unsaved work goes (it refers to the project, which goes too).
    delete m_recovery;
    m_recovery = nullptr;
    // The views refer to the dialogs and to the painter: they go first, quietly.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    m_documents->ForgetAll();
    delete m_mdiArea;
    m_mdiArea = nullptr;
    // So do the windows that work on the project.
    delete m_skeletonDlg;
    m_skeletonDlg = nullptr;
    delete m_resourceBar;
    m_resourceBar = nullptr;
    m_resourceDlg = nullptr;
}

void CMainFrame::SetMessageSink(kx::IMessageSink *sink)
{
    m_messages.SetTarget(sink ? sink : &m_messageBoxes);
}

void CMainFrame::CreateFileCommands()
{
    CProjectFileCommands::Context context;
    context.finishEditing = [this] { FinishEditing(); };
    context.projectLoaded = [this] { ProjectLoaded(); };
    context.flushPaintMessages = [this] { m_paintMessages.Flush(); };
    context.discardAll = [this] { DiscardAll(); };
    context.updateTitle = [this] { UpdateTitle(); };
    context.activeDialog = [this]() -> const CKXDialogData * {
        CKXDialogEditorView *view = ActiveView();
        return view ? view->Dialog() : nullptr;
    };
    m_files = new CProjectFileCommands(*this, m_project, *m_documents, m_messages, m_messageBoxes,
        m_questions, *m_recovery, std::move(context));
}

void CMainFrame::CreateActions()
{
    QStyle *look = style();
    m_newAction = new QAction(look->standardIcon(QStyle::SP_FileIcon), QString(), this);
    m_newAction->setShortcut(QKeySequence::New);
    connect(m_newAction, &QAction::triggered, this, [this] { NewDialogWindow(); });

    m_closeDialogAction = new QAction(this);
    connect(m_closeDialogAction, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *window = m_mdiArea->activeSubWindow())
            window->close();
    });

    m_settingsAction = new QAction(this);
    connect(m_settingsAction, &QAction::triggered, this, &CMainFrame::OnSettings);

    m_skeletonAction = new QAction(this);
    connect(m_skeletonAction, &QAction::triggered, this, &CMainFrame::OnSkeleton);

    m_exitAction = new QAction(this);
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    m_redrawAction = new QAction(look->standardIcon(QStyle::SP_BrowserReload), QString(), this);
    connect(m_redrawAction, &QAction::triggered, this, &CMainFrame::RedrawAll);

    m_aboutAction = new QAction(this);
    connect(m_aboutAction, &QAction::triggered, this, &CMainFrame::OnAbout);
}

void CMainFrame::CreateMenus()
{
    QMenu *file = m_fileMenu = menuBar()->addMenu(QString());
    file->addAction(m_files->NewProjectAction());
    file->addAction(m_newAction);
    file->addAction(m_files->OpenAction());
    file->addAction(m_files->SaveAction());
    file->addAction(m_files->SaveAsAction());
    file->addAction(m_files->SaveDialogAction());
    file->addAction(m_files->SaveFontsAndImagesAction());
    file->addAction(m_closeDialogAction);
    file->addSeparator();
    file->addAction(m_settingsAction);
    file->addAction(m_skeletonAction);
    file->addSeparator();
    file->addMenu(m_files->RecentMenu());
    file->addSeparator();
    file->addAction(m_files->DiscardAllAction());
    file->addSeparator();
    file->addAction(m_exitAction);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);

    QMenu *edit = m_editMenu = menuBar()->addMenu(QString());
    edit->addAction(m_editCommands->UndoAction());
    edit->addAction(m_editCommands->RedoAction());
    edit->addSeparator();
    edit->addAction(m_editCommands->CutAction());
    edit->addAction(m_editCommands->CopyAction());
    edit->addAction(m_editCommands->PasteAction());
    edit->addAction(m_editCommands->DeleteAction());
    edit->addSeparator();
    edit->addAction(m_editCommands->SelectAllAction());
    edit->addSeparator();
    edit->addActions(m_editCommands->AlignActions());
    edit->addActions(m_editCommands->ArrangeActions());
    edit->addAction(m_editCommands->BringToFrontAction());
    edit->addAction(m_editCommands->SendToBackAction());
    edit->addSeparator();
    edit->addAction(m_redrawAction);
    connect(edit, &QMenu::aboutToShow, m_editCommands, &CEditCommands::UpdateActions);

    QMenu *view = m_viewMenu = menuBar()->addMenu(QString());
    view->addAction(ResourceBarAction());
    view->addAction(m_checkResults->toggleViewAction());
    view->addSeparator();
    view->addAction(m_zoomInAction);
    view->addAction(m_zoomOutAction);
    view->addAction(m_zoomResetAction);
    view->addSeparator();
    view->addAction(m_canvas->GuidesAction());
    view->addAction(m_canvas->GridAction());
    view->addAction(m_canvas->SnapToGridAction());
    view->addSeparator();
    view->addAction(m_play->PlayAction());
    view->addAction(m_play->InitialStatesAction());
    view->addSeparator();

    m_toolsMenu = menuBar()->addMenu(QString());
    m_toolsMenu->addAction(m_checkResults->RunAction());

    m_windowMenu = menuBar()->addMenu(QString());
    new CWindowMenu(m_windowMenu, m_mdiArea);

    QMenu *help = m_helpMenu = menuBar()->addMenu(QString());
    new CHelpCommands(help, this); // the user guide and the keyboard shortcuts
    help->addSeparator();
    help->addAction(m_aboutAction);
}

void CMainFrame::CreateToolBar()
{
    QToolBar *bar = m_toolBar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setIconSize(QSize(16, 16));
    bar->addAction(m_newAction);
    bar->addAction(m_files->OpenAction());
    bar->addAction(m_files->SaveAction());
    bar->addSeparator();
    bar->addAction(m_redrawAction);
    bar->addSeparator();
    bar->addAction(m_editCommands->CutAction());
    bar->addAction(m_editCommands->CopyAction());
    bar->addAction(m_editCommands->PasteAction());
    bar->addSeparator();
    bar->addAction(m_play->PlayAction());
}

void CMainFrame::CreateEditCommands()
{
    CEditCommands::Context context;
    context.activeDocument = [this]() -> CKXDialogEditorDoc * {
        if (CKXDialogEditorView *view = ActiveView())
            return view->Document();
        return m_documents->For(m_resourceDlg->CurrentDialog());
    };
    context.panelTab = [this] {
        switch (m_resourceDlg->Mode()) {
        case CResourceDlg::kModeDialog:
        case CResourceDlg::kModeObject:
            return CEditCommands::PanelTab::Dialogs;
        case CResourceDlg::kModeImage:
        case CResourceDlg::kModeFont:
            return CEditCommands::PanelTab::Definitions;
        default:
            return CEditCommands::PanelTab::Project;
        }
    };
    context.panelResource = [this] { return m_resourceDlg->CurrentResource(); };
    context.panelDelete = [this] { m_resourceDlg->Delete(); };
    context.panelCut = [this] { m_resourceDlg->Cut(); };
    context.panelHasFocus = [this] { return m_resourceDlg->ListsHaveFocus(); };
    context.canvasHasFocus = [] {
        return qobject_cast<CKXDialogEditorView *>(QApplication::focusWidget()) != nullptr;
    };
    context.showResource = [this](KXClass *resource) { m_resourceDlg->ShowFromOutside(resource); };
    context.finishEditing = [this] { m_resourceDlg->Properties()->FinishEditing(); };
    m_editCommands = new CEditCommands(m_project, *m_documents, m_messages, context, this);
    m_editCommands->CutAction()->setIcon(kx::ui::MakeCommandIcon(kx::ui::CommandIcon::Cut));
    m_editCommands->CopyAction()->setIcon(kx::ui::MakeCommandIcon(kx::ui::CommandIcon::Copy));
    m_editCommands->PasteAction()->setIcon(kx::ui::MakeCommandIcon(kx::ui::CommandIcon::Paste));

    m_zoomInAction = new QAction(this);
    m_zoomInAction->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(m_zoomInAction, &QAction::triggered, this, [this] { ZoomBy(+1); });
    m_zoomOutAction = new QAction(this);
    m_zoomOutAction->setShortcut(QKeySequence::ZoomOut);
    connect(m_zoomOutAction, &QAction::triggered, this, [this] { ZoomBy(-1); });
    m_zoomResetAction = new QAction(this);
    m_zoomResetAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(m_zoomResetAction, &QAction::triggered, this, &CMainFrame::ResetZoom);
}

void CMainFrame::ZoomBy(int step)
{
    if (CKXDialogEditorView *view = ActiveView())
        view->ZoomKeepingInView(view->Zoom() + step);
}

void CMainFrame::ResetZoom()
{
    if (CKXDialogEditorView *view = ActiveView())
        view->ZoomKeepingInView(1);
}

void CMainFrame::ConnectView(CKXDialogEditorView *view)
{
    const auto active = [this, view] { return ActiveView() == view; };
    connect(view, &CKXDialogEditorView::CanvasPointChanged, m_status,
        [this, active](const QPoint &point, bool inside) {
            if (active())
                m_status->ShowCanvasPoint(point, inside);
        });
    connect(
        view, &CKXDialogEditorView::SelectionChanged, m_status, [this, active](const QRect &frame) {
            if (active())
                m_status->ShowSelection(frame);
        });
    connect(view, &CKXDialogEditorView::ZoomChanged, m_status, [this, active](int zoom) {
        if (active())
            m_status->ShowZoom(zoom);
    });
}

void CMainFrame::CreateResourceBar()
{
    m_resourceBar = new QDockWidget(this);
    m_resourceBar->setObjectName(QStringLiteral("ResourceBar"));
    m_resourceBar->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_resourceDlg = new CResourceDlg(m_project, *m_documents, m_messages, m_resourceBar);
    m_resourceDlg->Properties()->SetQuestions(&m_questions);
    m_resourceBar->setWidget(m_resourceDlg);
    addDockWidget(Qt::RightDockWidgetArea, m_resourceBar);
    // Wide enough for the object list's six columns.
    resizeDocks({m_resourceBar}, {400}, Qt::Horizontal);
    connect(m_resourceDlg, &CResourceDlg::DialogOpenRequested, this,
        [this](CKXDialogData *dialog) { OpenDialogWindow(dialog); });
    connect(m_resourceDlg, &CResourceDlg::DialogRemoving, this, &CMainFrame::CloseDialogWindows);
    connect(m_documents, &CDocumentSet::ResourcesChanged, this, &CMainFrame::OnResourcesChanged);
    connect(m_documents, &CDocumentSet::DocumentChanged, this,
        [this](CKXDialogEditorDoc *document, int what) {
            if (what & (kChangeDialog | kChangeHistory))
                UpdateWindowTitles(document->Dialog());
        });

    // Lines of the project file are shown only while the model is that file unchanged.
    m_checkResults = new CCheckResultsDock(
        m_project, *m_documents, *m_resourceDlg,
        [this] {
            return HasOwnFile() && !m_project.IsModified() ? m_project.Root().ProjectFilePath()
                                                           : std::string();
        },
        this);
    // The results lie under the dialog windows; the panel keeps the window's whole height.
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, m_checkResults);
    m_checkResults->hide();
}

void CMainFrame::RetranslateUi()
{
    m_newAction->setText(tr("新規作成(&N)"));
    m_files->RetranslateUi();
    m_closeDialogAction->setText(tr("このダイアログを閉じる(&C)"));
    m_settingsAction->setText(tr("設定"));
    m_skeletonAction->setText(tr("スケルトンの作成(&M)"));
    m_exitAction->setText(tr("アプリケーションの終了(&X)"));
    m_redrawAction->setText(tr("再描画"));
    m_aboutAction->setText(tr("バージョン情報(&A)"));
    m_zoomInAction->setText(tr("拡大"));
    m_zoomOutAction->setText(tr("縮小"));
    m_zoomResetAction->setText(tr("等倍 (100%)"));

    m_fileMenu->setTitle(tr("ファイル(&F)"));
    m_editMenu->setTitle(tr("編集(&E)"));
    m_viewMenu->setTitle(tr("表示(&V)"));
    m_toolsMenu->setTitle(tr("ツール(&T)"));
    m_windowMenu->setTitle(tr("ウィンドウ(&W)"));
    m_helpMenu->setTitle(tr("ヘルプ(&H)"));
    m_toolBar->setWindowTitle(tr("ツールバー"));
    m_readyLabel->setText(tr("レディ"));
    // The dock's title names its menu command too: the command's own text comes after it.
    m_resourceBar->setWindowTitle(tr("Resource"));
    ResourceBarAction()->setText(tr("リソースダイアログ"));

    m_editCommands->RetranslateUi();
    m_play->RetranslateUi();
    m_canvas->RetranslateUi();
    if (m_layout)
        m_layout->RetranslateUi();
    m_status->RetranslateUi();
    for (QMdiSubWindow *window : m_mdiArea->subWindowList())
        RetranslateSystemMenu(window);
}

void CMainFrame::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QMainWindow::changeEvent(event);
}

QAction *CMainFrame::ResourceBarAction() const
{
    return m_resourceBar->toggleViewAction();
}

void CMainFrame::UpdateCommands()
{
    m_skeletonAction->setEnabled(!m_project.Fonts().IsEmpty() && !m_project.Images().IsEmpty()
        && !m_project.Dialogs().IsEmpty());
    // The commands of one dialog appear only while a dialog window is active.
    const bool haveWindow = ActiveView() != nullptr;
    m_files->UpdateActions(haveWindow);
    m_closeDialogAction->setVisible(haveWindow);
    m_play->UpdateActions();
}

void CMainFrame::ProjectLoaded()
{
    m_checkResults->MarkOutdated();
    m_resourceDlg->Refresh();
    // The drawing's repairs, definitions' substitutes included, are made for every dialog
    // before any history starts: the objects of each then adopt layouts that the repair of a
    // later dialog no longer changes, and a second load finds nothing more to repair.
    for (const auto &dialog : m_project.Dialogs())
        m_painter->Repair(*dialog, true);
    for (const auto &dialog : m_project.Dialogs())
        m_documents->StartHistory(*dialog, true);
    // A load is no step of the history: the project's steps before it cannot be undone across it.
    m_documents->ForgetProjectHistory();
    UpdateCommands();
}

CKXDialogEditorView *CMainFrame::NewDialogWindow()
{
    // The panel names the dialog as it names every new resource and asks for its window.
    CKXDialogData *dialog = m_resourceDlg->AddDialog();
    UpdateCommands();
    return dialog ? OpenDialogWindow(dialog) : nullptr;
}

CKXDialogEditorView *CMainFrame::OpenDialogWindow(CKXDialogData *dialog)
{
    if (!dialog)
        return nullptr;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        CKXDialogEditorView *view = ViewOf(window);
        if (view && view->Dialog() == dialog) {
            m_mdiArea->setActiveSubWindow(window);
            return view;
        }
    }
    // Only a dialog of the project gets a window.
    if (m_project.Dialogs().FindByName(dialog->Name()) != dialog)
        return nullptr;
    auto *view = new CKXDialogEditorView(m_documents->For(dialog), *m_painter);
    QMdiSubWindow *window = m_mdiArea->addSubWindow(view);
    connect(view, &CKXDialogEditorView::SizeChanged, window, [window] { window->adjustSize(); });
    ConnectView(view);
    m_play->AttachView(view);
    m_canvas->AttachView(view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(kx::ui::FromUtf8(dialog->Name()));
    window->adjustSize();
    window->show();
    PlaceSubWindow(window);
    m_mdiArea->setActiveSubWindow(window);
    UpdateCommands();
    return view;
}

QList<CKXDialogEditorView *> CMainFrame::DialogViews() const
{
    QList<CKXDialogEditorView *> views;
    if (!m_mdiArea)
        return views;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (CKXDialogEditorView *view = ViewOf(window))
            views.append(view);
    }
    return views;
}

CKXDialogEditorView *CMainFrame::ActiveView() const
{
    return m_mdiArea ? ViewOf(m_mdiArea->activeSubWindow()) : nullptr;
}

void CMainFrame::FinishEditing()
{
    m_resourceDlg->Properties()->FinishEditing();
}

void CMainFrame::DiscardAll()
{
    // The generator window works on what is about to go.
    if (m_skeletonDlg)
        m_skeletonDlg->close();
    m_project.DiscardAll();
    m_documents->ClearHistory();
    // Face identifiers are given anew from 100: a face cached for a discarded font must not be
    // found by the next project's font of the same identifier.
    m_fonts->ForgetFaces();
    m_painter->ForgetReported();
    m_files->ForgetProjectFile();
    UpdateCommands();
    UpdateTitle();
}

void CMainFrame::RedrawAll()
{
    for (CKXDialogEditorView *view : DialogViews())
        view->Redraw();
}

void CMainFrame::CloseAllDialogWindows()
{
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        // The dialog goes away with the model: the window must not draw it any more.
        window->close();
    }
    m_documents->ForgetAll();
}

void CMainFrame::ClearResourcePanel()
{
    // The emptied project still has its root.
    m_resourceDlg->Refresh();
    m_checkResults->MarkOutdated();
}

void CMainFrame::OnAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("バージョン情報 KXDialogEditor"));
    box.setIconPixmap(windowIcon().pixmap(48, 48));
    box.setTextFormat(Qt::PlainText);
    box.setText(tr("KXDialogEditor\nVersion %1").arg(QStringLiteral(KX_VERSION_FULL)));
    box.exec();
}

void CMainFrame::OnSettings()
{
    const kx::PrefixSettings before = m_project.Prefixes();
    DlgSetting dialog(m_project.Prefixes(), this);
    dialog.exec();
    m_canvas->ReloadSettings();
    // The prefixes are written into the project file: new ones are a change to save.
    if (m_project.Prefixes() != before && !IsEmpty(m_project))
        m_project.SetModified(true);
}

void CMainFrame::OnSkeleton()
{
    // One generator window at most, modeless, kept until the main window goes.
    if (!m_skeletonDlg) {
        m_skeletonDlg = new CSkeletonDlg(m_project, this);
        m_skeletonDlg->SetBeforeRun([this] { FinishEditing(); });
    }
    m_skeletonDlg->show();
    m_skeletonDlg->raise();
    m_skeletonDlg->activateWindow();
    CKXDialogEditorView *view = ActiveView();
    const CKXDialogData *dialog = view ? view->Dialog() : nullptr;
    m_skeletonDlg->SetDialogName(dialog ? kx::ui::FromUtf8(dialog->Name()) : QString());
    m_skeletonDlg->Log()->clear();
}

void CMainFrame::CloseDialogWindows(CKXDialogData *dialog)
{
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        CKXDialogEditorView *view = ViewOf(window);
        if (view && view->Dialog() == dialog)
            window->close();
    }
    m_documents->Forget(dialog);
}

void CMainFrame::OnResourcesChanged(int what)
{
    if (what & kChangeDialogs) {
        // Dialogs an undo took out of the project lose their windows; renamed ones keep them
        // under their new names.
        for (CKXDialogEditorView *view : DialogViews()) {
            CKXDialogData *dialog = view->Dialog();
            if (dialog && m_project.Dialogs().IndexOf(dialog) < 0)
                CloseDialogWindows(dialog);
            else if (dialog)
                UpdateWindowTitles(dialog);
        }
    }
    // A font definition may have gone and its identifier may come back with another file.
    if (what & kChangeFiles) {
        // Files replaced or copied in: definitions look their pictures up again.
        for (const auto &image : m_project.Images()) {
            for (int slot = 0; slot < kx::kMaxImageSlots; ++slot)
                image->SetSlotFile(slot, std::string(image->SlotFile(slot)), &m_project);
        }
    }
    if (what & (kChangeFonts | kChangeFiles))
        m_fonts->ForgetFaces();
    // Objects keep the pictures of their image definitions: they are drawn afresh.
    if (what & (kChangeImages | kChangeFiles)) {
        for (const auto &dialog : m_project.Dialogs())
            kx::DialogPainter::ForgetPictures(*dialog);
    }
    if (what & (kChangeFonts | kChangeImages | kChangeFiles))
        RedrawAll();
    UpdateCommands();
    UpdateTitle();
}

void CMainFrame::UpdateWindowTitles(const CKXDialogData *dialog)
{
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        CKXDialogEditorView *view = ViewOf(window);
        if (view && view->Dialog() == dialog)
            window->setWindowTitle(kx::ui::FromUtf8(dialog->Name()));
    }
    OnSubWindowActivated(m_mdiArea->activeSubWindow());
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow *window)
{
    CKXDialogEditorView *view = ViewOf(window);
    CKXDialogData *dialog = view ? view->Dialog() : nullptr;
    if (dialog)
        m_resourceDlg->ShowDialog(dialog);
    // The status bar shows the active canvas.
    m_status->ShowCanvasPoint(QPoint(), false);
    m_status->ShowZoom(view ? view->Zoom() : 0);
    const kx::KXRect frame
        = view && view->Interaction() ? view->Interaction()->Tracker().rect : kx::KXRect {};
    m_status->ShowSelection(QRect(frame.left, frame.top, frame.Width(), frame.Height()));
    m_editCommands->UpdateActions();
    UpdateTitle();
    UpdateCommands();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            LoadProject(url.toLocalFile());
    }
    event->acceptProposedAction();
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!ConfirmUnsavedChanges()) {
        event->ignore();
        return;
    }
    // Whatever was not saved was given up by the user: no copy is kept for it, now or later.
    m_recovery->ModifiedChanged(false);
    m_layout->Save();
    QMainWindow::closeEvent(event);
}

void CMainFrame::ProjectModifiedChanged(bool modified)
{
    setWindowModified(modified);
    m_recovery->ModifiedChanged(modified);
}

void CMainFrame::UpdateTitle()
{
    QString title = QString::fromUtf8(kAppTitle);
    if (!IsEmpty(m_project) || HasOwnFile()) {
        title += QStringLiteral(" - ") + kx::ui::FromUtf8(m_project.Root().ProjectName());
        if (HasOwnFile())
            title += QStringLiteral(" (%1)").arg(
                kx::ui::FromLocalPath(m_project.Root().ProjectFilePath()));
    }
    // Qt shows '*' in place of the marker while the window is modified.
    title += QStringLiteral("[*]");
    CKXDialogEditorView *view = ActiveView();
    if (const CKXDialogData *dialog = view ? view->Dialog() : nullptr)
        title += QStringLiteral(" - ") + kx::ui::FromUtf8(dialog->Name());
    setWindowTitle(title);
    setWindowModified(m_project.IsModified());
}

void CMainFrame::PlaceSubWindow(QMdiSubWindow *window)
{
    // The area places a new window where it overlaps least, and for a window wider or taller
    // than the area that means its right or bottom edge at the area's edge: the window starts
    // pushed off to the left or top, and the dialog's origin is out of sight. Such a window
    // starts at the visible top-left corner instead; the scroll bars then reach all of it.
    const QRect visible = m_mdiArea->viewport()->rect();
    QPoint at = window->pos();
    if (window->width() > visible.width() || at.x() < visible.left())
        at.setX(visible.left());
    if (window->height() > visible.height() || at.y() < visible.top())
        at.setY(visible.top());
    if (at != window->pos())
        window->move(at);
}

void CMainFrame::OfferRecovery()
{
    for (const CRecoveryCopy::Abandoned &copy : m_recovery->FindAbandoned()) {
        if (m_questions.restore(this, copy) && !RestoreRecoveryCopy(copy))
            continue; // kept for another try; the reader has said what is wrong
        CRecoveryCopy::Discard(copy);
    }
}
