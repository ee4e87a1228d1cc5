#include "ui/app/play_commands.h"

#include "ui/app/settings_file.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/canvas/play_mode.h"
#include "ui/panels/play_events_dock.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStyle>

namespace {

constexpr const char *kInitialStatesKey = "View/InitialStates";

CKXDialogEditorView *ViewOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<CKXDialogEditorView *>(window->widget()) : nullptr;
}

} // namespace

CPlayCommands::CPlayCommands(QMainWindow *window, QMdiArea *area)
    : QObject(window)
    , m_window(window)
    , m_area(area)
{
    m_playAction
        = new QAction(window->style()->standardIcon(QStyle::SP_MediaPlay), QString(), this);
    m_playAction->setObjectName(QStringLiteral("PlayAction"));
    m_playAction->setCheckable(true);
    m_playAction->setShortcut(QKeySequence(Qt::Key_F5));
    connect(m_playAction, &QAction::triggered, this, [this](bool on) { on ? Start() : Stop(); });

    m_initialAction = new QAction(this);
    m_initialAction->setObjectName(QStringLiteral("InitialStatesAction"));
    m_initialAction->setCheckable(true);
    const QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    m_initialAction->setChecked(
        settings.value(QString::fromUtf8(kInitialStatesKey), false).toBool());
    connect(m_initialAction, &QAction::toggled, this, &CPlayCommands::SetInitialStates);

    m_dock = new CPlayEventsDock(window);
    window->addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();

    RetranslateUi();
    UpdateActions();
}

CPlayCommands::~CPlayCommands()
{
    // A play outlives no window.
    if (m_play)
        m_play->End();
}

CPlayMode *CPlayCommands::Current() const
{
    return m_play;
}

const kx::IObjectStates *CPlayCommands::EditingStates() const
{
    return m_initialAction->isChecked() ? &m_initialStates : nullptr;
}

void CPlayCommands::AttachView(CKXDialogEditorView *view)
{
    if (view && EditingStates())
        view->SetStates(EditingStates());
}

void CPlayCommands::SetInitialStates(bool on)
{
    QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    settings.setValue(QString::fromUtf8(kInitialStatesKey), on);
    for (QMdiSubWindow *window : m_area->subWindowList()) {
        if (CKXDialogEditorView *view = ViewOf(window))
            view->SetStates(EditingStates());
    }
}

void CPlayCommands::Start()
{
    Stop();
    CKXDialogEditorView *view = ViewOf(m_area->activeSubWindow());
    if (!view || !view->Dialog()) {
        UpdateActions();
        return;
    }
    m_dock->Start(*view->Dialog());
    m_play = new CPlayMode(view, this);
    connect(m_play, &CPlayMode::EventReceived, m_dock, &CPlayEventsDock::Add);
    // Asked from inside the play's own event handling: it ends now and goes once that is over.
    connect(m_play, &CPlayMode::EndRequested, this, &CPlayCommands::Stop, Qt::QueuedConnection);
    m_dock->show();
    UpdateActions();
}

void CPlayCommands::Stop()
{
    if (m_play) {
        m_play->End();
        m_play->deleteLater();
        m_play = nullptr;
        m_dock->hide();
    }
    UpdateActions();
}

void CPlayCommands::UpdateActions()
{
    const bool playing = m_play && m_play->IsRunning();
    m_playAction->setChecked(playing);
    m_playAction->setEnabled(playing || ViewOf(m_area->activeSubWindow()) != nullptr);
}

void CPlayCommands::RetranslateUi()
{
    m_playAction->setText(tr("プレイ"));
    m_playAction->setToolTip(
        tr("プレイ (F5): ダイアログを実機のように試します。F5 か Esc で編集に戻ります。"));
    m_initialAction->setText(tr("初期状態で表示"));
}
