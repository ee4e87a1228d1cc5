#include "ui/app/window_menu.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

CWindowMenu::CWindowMenu(QMenu *menu, QMdiArea *area)
    : QObject(menu)
    , m_menu(menu)
    , m_area(area)
{
    connect(m_menu, &QMenu::aboutToShow, this, &CWindowMenu::Rebuild);
    Rebuild();
}

bool CWindowMenu::event(QEvent *event)
{
    // Later, not now: the menu is handing the same event to its actions, which a rebuild deletes.
    if (event->type() == QEvent::LanguageChange)
        QMetaObject::invokeMethod(this, &CWindowMenu::Rebuild, Qt::QueuedConnection);
    return QObject::event(event);
}

void CWindowMenu::Rebuild()
{
    m_menu->clear();
    const QList<QMdiSubWindow *> windows = m_area->subWindowList();
    QAction *cascade = m_menu->addAction(tr("重ねて表示"), m_area, &QMdiArea::cascadeSubWindows);
    QAction *tile = m_menu->addAction(tr("並べて表示"), m_area, &QMdiArea::tileSubWindows);
    cascade->setEnabled(!windows.isEmpty());
    tile->setEnabled(!windows.isEmpty());
    if (windows.isEmpty())
        return;
    m_menu->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        QAction *action = m_menu->addAction(
            (i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QString()) + window->windowTitle());
        action->setCheckable(true);
        action->setChecked(window == m_area->activeSubWindow());
        connect(action, &QAction::triggered, m_area,
            [area = m_area, window] { area->setActiveSubWindow(window); });
    }
}
