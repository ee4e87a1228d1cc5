// The Window menu: cascade and tile the dialog windows, and a list of them to bring one forward.
#pragma once

#include <QObject>

class QMdiArea;
class QMenu;

class CWindowMenu : public QObject {
    Q_OBJECT

public:
    CWindowMenu(QMenu *menu, QMdiArea *area);

private:
    void Rebuild();

    QMenu *m_menu;
    QMdiArea *m_area;
};
