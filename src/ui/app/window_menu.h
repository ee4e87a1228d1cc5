// The Window menu: cascade and tile the dialog windows, and a list of them to bring one forward.
#pragma once

#include <QObject>

class QMdiArea;
class QMenu;

class CWindowMenu : public QObject {
    Q_OBJECT

public:
    CWindowMenu(QMenu *menu, QMdiArea *area);

protected:
    // The menu's texts follow a change of language at once.
    bool event(QEvent *event) override;

private:
    void Rebuild();

    QMenu *m_menu;
    QMdiArea *m_area;
};
