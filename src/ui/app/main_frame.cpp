#include "ui/app/main_frame.h"

#include "model/kx_dialog_data.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "render/dialog_painter.h"
#include "render/dib_image_list.h"
#include "render/freetype_font.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/dialogs/dlg_setting.h"
#include "ui/dialogs/skeleton_dlg.h"
#include "ui/document/document_set.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QApplication>
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
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <filesystem>

namespace {

constexpr const char *kAppTitle = "KXDialogEditor";
constexpr const char *kRecentKey = "RecentFiles/Files";

// Qt's own settings of the editor (the recent files), in the XDG configuration folder.
QString EditorSettingsPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QStringLiteral("/KXDialogEditor/KXDialogEditor.conf");
}

CKXDialogEditorView *ViewOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<CKXDialogEditorView *>(window->widget()) : nullptr;
}

} // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
    , m_messageBoxes(this)
    , m_messages(&m_messageBoxes)
{
    // Pictures are decoded once and kept for the whole session; the cache must be in place
    // before anything is loaded.
    m_project.SetPictureCache(std::make_unique<CDibImageList>());
    m_fonts = std::make_unique<CFreeTypeFont>(m_project, m_messages);
    m_painter = std::make_unique<kx::DialogPainter>(m_project, *m_fonts, m_messages);
    m_project.AddObserver(this);
    m_documents = new CDocumentSet(m_project, this);

    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAcceptDrops(true);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateActions();
    CreateResourceBar();
    CreateMenus();
    CreateToolBar();
    // The idle text stays under passing status tips.
    statusBar()->addWidget(new QLabel(tr("レディ"), statusBar()));
    resize(1024, 720);
    UpdateCommands();
}

CMainFrame::~CMainFrame()
{
    m_project.RemoveObserver(this);
    // The views refer to the dialogs and to the painter: they go first.
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
    m_newAction = new QAction(look->standardIcon(QStyle::SP_FileIcon), tr("新規作成(&N)"), this);
    m_newAction->setShortcut(QKeySequence::New);
    connect(m_newAction, &QAction::triggered, this, [this] { NewDialogWindow(); });

    m_openAction = new QAction(
        look->standardIcon(QStyle::SP_DialogOpenButton), tr("リソースの読込み(&O)"), this);
    m_openAction->setShortcut(QKeySequence::Open);
    connect(m_openAction, &QAction::triggered, this, &CMainFrame::OnOpen);

    m_saveAllAction = new QAction(
        look->standardIcon(QStyle::SP_DialogSaveButton), tr("全てのリソースの保存(&S)"), this);
    m_saveAllAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(m_saveAllAction, &QAction::triggered, this, &CMainFrame::OnSaveAll);

    m_saveDialogAction = new QAction(tr("このダイアログのみの保存"), this);
    connect(m_saveDialogAction, &QAction::triggered, this, &CMainFrame::OnSaveDialog);

    m_saveFontsAction = new QAction(tr("イメージとフォント情報のみの保存"), this);
    connect(m_saveFontsAction, &QAction::triggered, this, &CMainFrame::OnSaveFontsAndImages);

    m_closeDialogAction = new QAction(tr("このダイアログを閉じる(&C)"), this);
    connect(m_closeDialogAction, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *window = m_mdiArea->activeSubWindow())
            window->close();
    });

    m_settingsAction = new QAction(tr("設定"), this);
    connect(m_settingsAction, &QAction::triggered, this, &CMainFrame::OnSettings);

    m_skeletonAction = new QAction(tr("スケルトンの作成(&M)"), this);
    connect(m_skeletonAction, &QAction::triggered, this, &CMainFrame::OnSkeleton);

    m_discardAllAction = new QAction(tr("全てのリソースを破棄"), this);
    connect(m_discardAllAction, &QAction::triggered, this, &CMainFrame::DiscardAll);

    m_exitAction = new QAction(tr("アプリケーションの終了(&X)"), this);
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    m_redrawAction = new QAction(look->standardIcon(QStyle::SP_BrowserReload), tr("再描画"), this);
    connect(m_redrawAction, &QAction::triggered, this, &CMainFrame::RedrawAll);

    m_aboutAction = new QAction(tr("バージョン情報(&A)"), this);
    connect(m_aboutAction, &QAction::triggered, this, &CMainFrame::OnAbout);
}

void CMainFrame::CreateMenus()
{
    QMenu *file = menuBar()->addMenu(tr("ファイル(&F)"));
    file->addAction(m_newAction);
    file->addAction(m_openAction);
    file->addAction(m_saveAllAction);
    file->addAction(m_saveDialogAction);
    file->addAction(m_saveFontsAction);
    file->addAction(m_closeDialogAction);
    file->addSeparator();
    file->addAction(m_settingsAction);
    file->addAction(m_skeletonAction);
    file->addSeparator();
    m_recentMenu = file->addMenu(tr("最近使ったファイル"));
    file->addSeparator();
    file->addAction(m_discardAllAction);
    file->addSeparator();
    file->addAction(m_exitAction);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    RebuildRecentMenu();

    QMenu *view = menuBar()->addMenu(tr("表示(&V)"));
    view->addAction(ResourceBarAction());

    QMenu *help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    help->addAction(m_aboutAction);
}

void CMainFrame::CreateToolBar()
{
    QToolBar *bar = addToolBar(tr("ツールバー"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setIconSize(QSize(16, 16));
    bar->addAction(m_newAction);
    bar->addAction(m_openAction);
    bar->addAction(m_saveAllAction);
    bar->addSeparator();
    bar->addAction(m_redrawAction);
}

void CMainFrame::CreateResourceBar()
{
    m_resourceBar = new QDockWidget(tr("Resource"), this);
    m_resourceBar->setObjectName(QStringLiteral("ResourceBar"));
    m_resourceBar->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_resourceDlg = new CResourceDlg(m_project, *m_documents, m_messages, m_resourceBar);
    m_resourceBar->setWidget(m_resourceDlg);
    addDockWidget(Qt::RightDockWidgetArea, m_resourceBar);
    ResourceBarAction()->setText(tr("リソースダイアログ"));
    connect(m_resourceDlg, &CResourceDlg::DialogOpenRequested, this,
        [this](CKXDialogData *dialog) { OpenDialogWindow(dialog); });
    connect(m_resourceDlg, &CResourceDlg::DialogRemoving, this, &CMainFrame::CloseDialogWindows);
    connect(m_documents, &CDocumentSet::ResourcesChanged, this, &CMainFrame::OnResourcesChanged);
    connect(m_documents, &CDocumentSet::DocumentChanged, this,
        [this](CKXDialogEditorDoc *document, int what) {
            if (what & (kChangeDialog | kChangeHistory))
                UpdateWindowTitles(document->Dialog());
        });
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
    m_saveFontsAction->setEnabled(haveFontsOrImages);
    m_discardAllAction->setEnabled(haveAny);
    m_skeletonAction->setEnabled(!m_project.Fonts().IsEmpty() && !m_project.Images().IsEmpty()
        && !m_project.Dialogs().IsEmpty());
    // The commands of one dialog appear only while a dialog window is active.
    const bool haveWindow = ActiveView() != nullptr;
    m_saveDialogAction->setVisible(haveWindow);
    m_closeDialogAction->setVisible(haveWindow);
    m_recentMenu->setEnabled(!RecentFiles().isEmpty());
}

bool CMainFrame::LoadProject(const QString &path)
{
    const std::string localPath = kx::ui::ToLocalPath(path);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(localPath, error);
    m_project.SetProjectFolder(
        (error ? std::filesystem::path(localPath) : absolute).parent_path().string());
    kx::ProjectReader reader(m_project, m_messages);
    if (!reader.ReadFile(localPath))
        return false;
    // A broken file has shown its message; what was read before the fault stays.
    AddRecentFile(QFileInfo(path).absoluteFilePath());
    ProjectLoaded();
    return true;
}

void CMainFrame::ProjectLoaded()
{
    m_resourceDlg->Refresh();
    for (const auto &dialog : m_project.Dialogs())
        dialog->SaveUndoInfo();
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
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(kx::ui::FromUtf8(dialog->Name()));
    window->adjustSize();
    window->show();
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
    const bool written = kx::WriteProject(m_project, kx::ui::ToLocalPath(path));
    m_messages.ShowMessage(
        written ? "ファイルを保存しました。" : "ファイルを保存できませんでした。",
        written ? kx::MessageIcon::Information : kx::MessageIcon::Warning);
    return written;
}

bool CMainFrame::SaveDialogTo(const CKXDialogData &dialog, const QString &path)
{
    const bool written = kx::WriteProject(m_project, kx::ui::ToLocalPath(path), dialog.Name());
    m_messages.ShowMessage(
        written ? "ファイルを保存しました。" : "ファイルを保存できませんでした。",
        written ? kx::MessageIcon::Information : kx::MessageIcon::Warning);
    return written;
}

bool CMainFrame::SaveFontsAndImagesTo(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.mid(dot + 1).compare(QStringLiteral("xml"), Qt::CaseInsensitive) != 0)
        return false;
    return kx::WriteFontsAndImages(m_project, kx::ui::ToLocalPath(path));
}

void CMainFrame::DiscardAll()
{
    m_project.DiscardAll();
    // Face identifiers are given anew from 100: a face cached for a discarded font must not be
    // found by the next project's font of the same identifier.
    m_fonts->ForgetFaces();
    UpdateCommands();
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
    m_resourceDlg->Clear();
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
    QFileDialog dialog(this, tr("全てのリソースの保存"),
        kx::ui::FromLocalPath(m_project.Root().ProjectFilePath()), tr("リソースファイル (*.xml)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SaveAllTo(dialog.selectedFiles().constFirst());
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
    box.setText(QStringLiteral("KXDialogEditor<br>Version " KX_VERSION));
    box.exec();
}

void CMainFrame::OnSettings()
{
    DlgSetting dialog(m_project.Prefixes(), this);
    dialog.exec();
}

void CMainFrame::OnSkeleton()
{
    // One generator window at most, modeless, kept until the main window goes.
    if (!m_skeletonDlg)
        m_skeletonDlg = new CSkeletonDlg(m_project, this);
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
    // A font definition may have gone and its identifier may come back with another file.
    if (what & kChangeFonts)
        m_fonts->ForgetFaces();
    if (what & (kChangeFonts | kChangeImages))
        RedrawAll();
    UpdateCommands();
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
    setWindowTitle(dialog ? QString::fromUtf8(kAppTitle) + QStringLiteral(" - ")
                + kx::ui::FromUtf8(dialog->Name())
                          : QString::fromUtf8(kAppTitle));
    UpdateCommands();
}

QStringList CMainFrame::RecentFiles() const
{
    const QSettings settings(EditorSettingsPath(), QSettings::IniFormat);
    return settings.value(QString::fromUtf8(kRecentKey)).toStringList();
}

void CMainFrame::AddRecentFile(const QString &path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    QSettings settings(EditorSettingsPath(), QSettings::IniFormat);
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
