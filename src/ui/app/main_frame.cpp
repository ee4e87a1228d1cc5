#include "ui/app/main_frame.h"

#include "model/image_layout.h"
#include "model/kx_dialog_data.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "render/dib_image_list.h"
#include "render/freetype_font.h"
#include "ui/app/canvas_commands.h"
#include "ui/app/file_problems.h"
#include "ui/app/help_commands.h"
#include "ui/app/play_commands.h"
#include "ui/app/settings_file.h"
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
#include "ui/support/core_texts.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <filesystem>
#include <set>

namespace {

constexpr const char *kAppTitle = "KXDialogEditor";
constexpr const char *kRecentKey = "RecentFiles/Files";

// While a file is read, the messages of the reader may name it and the place of a parse error.
class ReadingContext {
public:
    ReadingContext(CMessageBoxSink &sink, const QString &file, const kx::ProjectReader &reader)
        : m_sink(sink)
        , m_context {file, [&reader] { return reader.ErrorColumn(); }}
    {
        m_sink.SetContext(&m_context);
    }
    ~ReadingContext() { m_sink.SetContext(nullptr); }
    ReadingContext(const ReadingContext &) = delete;
    ReadingContext &operator=(const ReadingContext &) = delete;

private:
    CMessageBoxSink &m_sink;
    const kx::ui::CoreTextContext m_context;
};

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
    m_documents->SetRepair([this](CKXDialogData &dialog) {
        m_painter->Repair(dialog);
        // Buttons, edit boxes and frames without a defined font show their image's layout from
        // the start, not as a change of their own.
        kx::AdoptImageLayouts(
            *dialog.RootGroup(), m_project, [](const CObjectData &) { return true; });
    });
    m_recovery = new CRecoveryCopy(m_project, this);

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

void CMainFrame::CreateActions()
{
    QStyle *look = style();
    m_newAction = new QAction(look->standardIcon(QStyle::SP_FileIcon), QString(), this);
    m_newAction->setShortcut(QKeySequence::New);
    connect(m_newAction, &QAction::triggered, this, [this] { NewDialogWindow(); });

    m_openAction = new QAction(look->standardIcon(QStyle::SP_DialogOpenButton), QString(), this);
    m_openAction->setShortcut(QKeySequence::Open);
    connect(m_openAction, &QAction::triggered, this, &CMainFrame::OnOpen);

    m_saveAction = new QAction(look->standardIcon(QStyle::SP_DialogSaveButton), QString(), this);
    m_saveAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(m_saveAction, &QAction::triggered, this, &CMainFrame::Save);

    m_saveAllAction = new QAction(look->standardIcon(QStyle::SP_DialogSaveButton), QString(), this);
    m_saveAllAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    connect(m_saveAllAction, &QAction::triggered, this, &CMainFrame::OnSaveAll);

    m_saveDialogAction = new QAction(this);
    connect(m_saveDialogAction, &QAction::triggered, this, &CMainFrame::OnSaveDialog);

    m_saveFontsAction = new QAction(this);
    connect(m_saveFontsAction, &QAction::triggered, this, &CMainFrame::OnSaveFontsAndImages);

    m_closeDialogAction = new QAction(this);
    connect(m_closeDialogAction, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *window = m_mdiArea->activeSubWindow())
            window->close();
    });

    m_settingsAction = new QAction(this);
    connect(m_settingsAction, &QAction::triggered, this, &CMainFrame::OnSettings);

    m_skeletonAction = new QAction(this);
    connect(m_skeletonAction, &QAction::triggered, this, &CMainFrame::OnSkeleton);

    m_discardAllAction = new QAction(this);
    connect(m_discardAllAction, &QAction::triggered, this, &CMainFrame::OnDiscardAll);

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
    file->addAction(m_newAction);
    file->addAction(m_openAction);
    file->addAction(m_saveAction);
    file->addAction(m_saveAllAction);
    file->addAction(m_saveDialogAction);
    file->addAction(m_saveFontsAction);
    file->addAction(m_closeDialogAction);
    file->addSeparator();
    file->addAction(m_settingsAction);
    file->addAction(m_skeletonAction);
    file->addSeparator();
    m_recentMenu = file->addMenu(QString());
    file->addSeparator();
    file->addAction(m_discardAllAction);
    file->addSeparator();
    file->addAction(m_exitAction);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    RebuildRecentMenu();

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
    bar->addAction(m_openAction);
    bar->addAction(m_saveAllAction);
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
            return m_ownFile && !m_project.IsModified() ? m_project.Root().ProjectFilePath()
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
    m_openAction->setText(tr("リソースの読込み(&O)"));
    m_saveAction->setText(tr("上書き保存"));
    m_saveAllAction->setText(tr("全てのリソースの保存(&S)"));
    m_saveDialogAction->setText(tr("このダイアログのみの保存"));
    m_saveFontsAction->setText(tr("イメージとフォント情報のみの保存"));
    m_closeDialogAction->setText(tr("このダイアログを閉じる(&C)"));
    m_settingsAction->setText(tr("設定"));
    m_skeletonAction->setText(tr("スケルトンの作成(&M)"));
    m_discardAllAction->setText(tr("全てのリソースを破棄"));
    m_exitAction->setText(tr("アプリケーションの終了(&X)"));
    m_redrawAction->setText(tr("再描画"));
    m_aboutAction->setText(tr("バージョン情報(&A)"));
    m_zoomInAction->setText(tr("拡大"));
    m_zoomOutAction->setText(tr("縮小"));
    m_zoomResetAction->setText(tr("等倍 (100%)"));

    m_fileMenu->setTitle(tr("ファイル(&F)"));
    m_recentMenu->setTitle(tr("最近使ったファイル"));
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
    const bool haveFontsOrImages = !m_project.Fonts().IsEmpty() || !m_project.Images().IsEmpty();
    const bool haveAny = haveFontsOrImages || !m_project.Dialogs().IsEmpty();
    m_saveAllAction->setEnabled(haveAny);
    m_saveAction->setEnabled(haveAny);
    m_saveFontsAction->setEnabled(haveFontsOrImages);
    m_discardAllAction->setEnabled(haveAny);
    m_skeletonAction->setEnabled(!m_project.Fonts().IsEmpty() && !m_project.Images().IsEmpty()
        && !m_project.Dialogs().IsEmpty());
    // The commands of one dialog appear only while a dialog window is active.
    const bool haveWindow = ActiveView() != nullptr;
    m_saveDialogAction->setVisible(haveWindow);
    m_closeDialogAction->setVisible(haveWindow);
    m_recentMenu->setEnabled(!RecentFiles().isEmpty());
    m_play->UpdateActions();
}

bool CMainFrame::LoadProject(const QString &path)
{
    const QString listed = QFileInfo(path).absoluteFilePath();
    // The reader tells what is wrong inside a file; a file that cannot be opened is told here.
    const QString unopenable = kx::ui::OpenFailureReason(path);
    if (!unopenable.isEmpty()) {
        ReportLoadFailure(path, unopenable);
        RemoveRecentFile(listed);
        return false;
    }
    const std::string localPath = kx::ui::ToLocalPath(path);
    // What a refused file must leave as it was.
    const std::string oldFolder = m_project.ProjectFolder();
    const std::string oldFile = m_project.Root().ProjectFilePath();
    const bool wasEmpty = IsEmpty(m_project);
    const std::set<const KXClass *> before = kx::ui::PictureOwners(m_project);

    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(localPath, error);
    m_project.SetProjectFolder(
        (error ? std::filesystem::path(localPath) : absolute).parent_path().string());
    kx::ProjectReader reader(m_project, m_messages);
    const ReadingContext reading(m_messageBoxes, path, reader);
    const int shown = m_messages.Shown();
    if (!reader.ReadFile(localPath)) {
        m_project.SetProjectFolder(oldFolder);
        m_project.Root().SetProjectFilePath(oldFile);
        if (m_messages.Shown() == shown)
            ReportLoadFailure(path, QString());
        RemoveRecentFile(listed);
        return false;
    }
    // A broken file has shown its message; what was read before the fault stays.
    AddRecentFile(QFileInfo(path).absoluteFilePath());
    ProjectLoaded();
    // A whole file read into an empty project is that file, unchanged. Merged into other work or
    // read only in part, the model matches no file on disk.
    if (reader.ParseFailed()) {
        DisownProjectFile();
        m_project.SetModified(true);
    } else {
        if (wasEmpty) {
            AdoptProjectFile(error ? localPath : absolute.string());
            m_documents->ClearModified();
        } else {
            // Merged into other work, the model is no file on disk: a save asks for one, and
            // proposes the file the work came from, not the one merged in.
            DisownProjectFile();
            m_project.Root().SetProjectFilePath(oldFile);
        }
        m_project.SetModified(!wasEmpty);
    }
    ReportMissingPictures(kx::ui::MissingPictureFiles(m_project, before));
    // The fonts whose files are missing, found while the dialogs were laid out: one box.
    m_paintMessages.Flush();
    UpdateTitle();
    return true;
}

void CMainFrame::ProjectLoaded()
{
    m_checkResults->MarkOutdated();
    m_resourceDlg->Refresh();
    for (const auto &dialog : m_project.Dialogs())
        m_documents->StartHistory(*dialog);
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

bool CMainFrame::SaveAllTo(const QString &path)
{
    FinishEditing();
    const std::string localPath = kx::ui::ToLocalPath(path);
    const bool written = kx::WriteProject(m_project, localPath);
    if (!written) {
        ReportSaveFailure(path, kx::FormatProject(m_project).size());
        return false;
    }
    // A project without a file of its own takes the first one it is saved to.
    QStringList copied;
    if (!m_ownFile) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(localPath, error);
        const std::string file = error ? localPath : absolute.string();
        // Pictures and fonts chosen before the project had a folder go into it now.
        if (!m_project.StagedFiles().empty())
            copied = kx::ui::CopyStagedFiles(m_project, m_questions, m_messages, this,
                kx::ui::FromLocalPath(std::filesystem::path(file).parent_path().string()));
        AdoptProjectFile(file);
    }
    if (!copied.isEmpty())
        m_documents->FilesChanged();
    m_project.SetModified(false);
    m_documents->ClearModified();
    UpdateTitle();
    QString saved = tr("ファイルを保存しました。");
    if (!copied.isEmpty())
        saved += QLatin1Char('\n') + tr("次のファイルをプロジェクトのフォルダにコピーしました。")
            + QLatin1Char('\n') + copied.join(QLatin1Char('\n'));
    m_messages.ShowMessage(kx::ui::ToUtf8(saved), kx::MessageIcon::Information);
    return true;
}

bool CMainFrame::SaveDialogTo(const CKXDialogData &dialog, const QString &path)
{
    FinishEditing();
    const bool written = kx::WriteProject(m_project, kx::ui::ToLocalPath(path), dialog.Name());
    if (!written) {
        ReportSaveFailure(path, kx::FormatProject(m_project, dialog.Name()).size());
        return false;
    }
    m_messages.ShowMessage(
        kx::ui::ToUtf8(tr("ファイルを保存しました。")), kx::MessageIcon::Information);
    return true;
}

bool CMainFrame::SaveFontsAndImagesTo(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.mid(dot + 1).compare(QStringLiteral("xml"), Qt::CaseInsensitive) != 0)
        return false;
    FinishEditing();
    if (!kx::WriteFontsAndImages(m_project, kx::ui::ToLocalPath(path))) {
        ReportSaveFailure(path, kx::FormatFontsAndImages(m_project).size());
        return false;
    }
    return true;
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
    DisownProjectFile();
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

void CMainFrame::OnOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("リソースの読込み"), QString(),
        tr("KXDialogEditor Files (*.xml *.ini);;All Files (*)"));
    if (!path.isEmpty())
        LoadProject(path);
}

void CMainFrame::OnSaveAll()
{
    SaveAs();
}

void CMainFrame::OnSaveDialog()
{
    CKXDialogEditorView *view = ActiveView();
    const CKXDialogData *dialog = view ? view->Dialog() : nullptr;
    if (!dialog)
        return;
    QFileDialog box(this, tr("このダイアログのみの保存"), kx::ui::FromUtf8(dialog->Name()),
        tr("リソースファイル (*.xml)"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setDefaultSuffix(QStringLiteral("xml"));
    if (box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty())
        SaveDialogTo(*dialog, box.selectedFiles().constFirst());
}

void CMainFrame::OnSaveFontsAndImages()
{
    QFileDialog box(this, tr("イメージとフォント情報のみの保存"), QString(), tr("(*.xml)"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setOption(QFileDialog::DontConfirmOverwrite);
    if (box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty())
        SaveFontsAndImagesTo(box.selectedFiles().constFirst());
}

void CMainFrame::OnAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("バージョン情報 KXDialogEditor"));
    box.setIconPixmap(windowIcon().pixmap(48, 48));
    box.setText(tr("KXDialogEditor<br>Version %1").arg(QStringLiteral(KX_VERSION_FULL)));
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

QStringList CMainFrame::RecentFiles() const
{
    const QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    return settings.value(QString::fromUtf8(kRecentKey)).toStringList();
}

void CMainFrame::AddRecentFile(const QString &path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    settings.setValue(QString::fromUtf8(kRecentKey), files);
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { LoadProject(path); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void CMainFrame::RemoveRecentFile(const QString &path)
{
    QStringList files = RecentFiles();
    if (files.removeAll(path) == 0)
        return;
    QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    settings.setValue(QString::fromUtf8(kRecentKey), files);
    RebuildRecentMenu();
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
    if (!IsEmpty(m_project) || m_ownFile) {
        title += QStringLiteral(" - ") + kx::ui::FromUtf8(m_project.Root().ProjectName());
        if (m_ownFile)
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

void CMainFrame::AdoptProjectFile(const std::string &path)
{
    m_project.Root().SetProjectFilePath(path);
    m_project.SetProjectFolder(std::filesystem::path(path).parent_path().string());
    m_ownFile = true;
    m_recovery->SetProjectFile(path);
}

void CMainFrame::DisownProjectFile()
{
    m_ownFile = false;
    m_recovery->SetProjectFile({});
}

bool CMainFrame::Save()
{
    if (!m_ownFile)
        return SaveAs();
    return SaveAllTo(kx::ui::FromLocalPath(m_project.Root().ProjectFilePath()));
}

bool CMainFrame::SaveAs()
{
    const QString path
        = m_questions.savePath(this, kx::ui::FromLocalPath(m_project.Root().ProjectFilePath()));
    return !path.isEmpty() && SaveAllTo(path);
}

bool CMainFrame::ConfirmUnsavedChanges()
{
    // A value still being typed is part of the changes the question is about.
    FinishEditing();
    if (!m_project.IsModified())
        return true;
    switch (m_questions.saveChanges(this, kx::ui::FromUtf8(m_project.Root().ProjectName()))) {
    case kx::ui::SaveChoice::Save:
        return Save();
    case kx::ui::SaveChoice::Discard:
        return true;
    case kx::ui::SaveChoice::Cancel:
        break;
    }
    return false;
}

void CMainFrame::OnDiscardAll()
{
    if (ConfirmUnsavedChanges())
        DiscardAll();
}

void CMainFrame::ReportLoadFailure(const QString &path, const QString &reason)
{
    const QString text = reason.isEmpty()
        ? tr("「%1」はプロジェクトファイルとして読み込めませんでした。").arg(path)
        : tr("「%1」を開けませんでした。\n%2").arg(path, reason);
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
}

void CMainFrame::ReportSaveFailure(const QString &path, std::size_t size)
{
    // The writer answers only yes or no; its steps are tried again to find the system's reason.
    const QString reason = kx::ui::WriteFailureReason(path, size);
    QString text = tr("ファイルを保存できませんでした。");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + path + QLatin1Char('\n') + reason;
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
}

void CMainFrame::ReportMissingPictures(const QStringList &files)
{
    if (files.isEmpty())
        return;
    // A long list is cut so that the box still fits on the screen.
    constexpr int kListed = 20;
    QString text = tr("次の画像ファイルが resources フォルダにありません。") + QLatin1Char('\n');
    for (int i = 0; i < files.size() && i < kListed; ++i)
        text += QLatin1Char('\n') + files.at(i);
    if (files.size() > kListed)
        text += QLatin1Char('\n') + tr("… ほか %1 件").arg(files.size() - kListed);
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
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

bool CMainFrame::RestoreRecoveryCopy(const CRecoveryCopy::Abandoned &copy)
{
    const std::string oldFolder = m_project.ProjectFolder();
    const std::string oldFile = m_project.Root().ProjectFilePath();
    // Pictures and fonts are found where the project lived, not beside the copy.
    m_project.SetProjectFolder(kx::ui::ToLocalPath(copy.projectFolder));
    kx::ProjectReader reader(m_project, m_messages);
    const ReadingContext reading(m_messageBoxes, copy.copyPath, reader);
    const int shown = m_messages.Shown();
    if (!reader.ReadFile(kx::ui::ToLocalPath(copy.copyPath))) {
        m_project.SetProjectFolder(oldFolder);
        m_project.Root().SetProjectFilePath(oldFile);
        if (m_messages.Shown() == shown)
            ReportLoadFailure(copy.copyPath, kx::ui::OpenFailureReason(copy.copyPath));
        return false;
    }
    m_project.Root().SetProjectFilePath(kx::ui::ToLocalPath(copy.projectFile));
    if (copy.projectFile.isEmpty() || reader.ParseFailed())
        DisownProjectFile();
    else {
        m_ownFile = true;
        m_recovery->SetProjectFile(kx::ui::ToLocalPath(copy.projectFile));
    }
    // Repaired before their histories start, as a load does.
    ProjectLoaded();
    // Restored work is unsaved work: it is marked so and copied at once under this editor, so
    // that deleting the old copy loses nothing.
    m_project.SetModified(true);
    m_recovery->WriteNow();
    UpdateCommands();
    UpdateTitle();
    return true;
}
