// The main window's layout between runs: where the docks were when the editor closed is where
// they are at the next start, and View › Reset Layout puts back the layout the window was built
// with.
#include "ui/app/main_frame.h"
#include "ui/app/window_layout.h"

#include <QAction>
#include <QDockWidget>
#include <QMenuBar>
#include <QTest>

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void TheLayoutIsKeptAndResetFromTheViewMenu();
};

void WindowLayoutTest::TheLayoutIsKeptAndResetFromTheViewMenu()
{
    {
        CMainFrame frame;
        frame.show();
        QCOMPARE(frame.dockWidgetArea(frame.ResourceBar()), Qt::RightDockWidgetArea);
        frame.addDockWidget(Qt::LeftDockWidgetArea, frame.ResourceBar());
        frame.resize(900, 650);
        QVERIFY(frame.close());
    }
    CMainFrame again;
    again.show();
    QCOMPARE(again.dockWidgetArea(again.ResourceBar()), Qt::LeftDockWidgetArea);
    QCOMPARE(again.size(), QSize(900, 650));
    // The command is in the View menu.
    QAction *reset = again.Layout().ResetAction();
    bool listed = false;
    for (QAction *menu : again.menuBar()->actions())
        listed = listed || (menu->menu() && menu->menu()->actions().contains(reset));
    QVERIFY(listed);
    reset->trigger();
    QCOMPARE(again.dockWidgetArea(again.ResourceBar()), Qt::RightDockWidgetArea);
    QCOMPARE(again.size(), QSize(1024, 720));
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
