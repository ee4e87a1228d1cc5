#include "ui/app/window_layout.h"

#include "ui/app/settings_file.h"

#include <QAction>
#include <QMainWindow>
#include <QSettings>

namespace {

constexpr const char *kStateKey = "Window/State";
constexpr const char *kGeometryKey = "Window/Geometry";
// Raised when the window's docks change in a way an old layout cannot describe.
constexpr int kLayoutVersion = 1;

} // namespace

CWindowLayout::CWindowLayout(QMainWindow &window)
    : QObject(&window)
    , m_window(window)
    , m_defaultState(window.saveState(kLayoutVersion))
    , m_defaultGeometry(window.saveGeometry())
{
    m_reset = new QAction(this);
    m_reset->setObjectName(QStringLiteral("ResetLayoutAction"));
    connect(m_reset, &QAction::triggered, this, &CWindowLayout::Reset);
    const QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    const QByteArray geometry = settings.value(QString::fromUtf8(kGeometryKey)).toByteArray();
    const QByteArray state = settings.value(QString::fromUtf8(kStateKey)).toByteArray();
    // What is not a layout of this window (a damaged file) leaves the built one.
    if (!geometry.isEmpty())
        m_window.restoreGeometry(geometry);
    if (!state.isEmpty())
        m_window.restoreState(state, kLayoutVersion);
    RetranslateUi();
}

void CWindowLayout::Save() const
{
    QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    settings.setValue(QString::fromUtf8(kGeometryKey), m_window.saveGeometry());
    settings.setValue(QString::fromUtf8(kStateKey), m_window.saveState(kLayoutVersion));
}

void CWindowLayout::Reset()
{
    m_window.restoreState(m_defaultState, kLayoutVersion);
    m_window.restoreGeometry(m_defaultGeometry);
    Save();
}

void CWindowLayout::RetranslateUi()
{
    m_reset->setText(tr("レイアウトを元に戻す"));
}
