// The main window's geometry and the places of its docks and tool bar, kept in the editor's
// settings between runs; View › Reset Layout puts back the layout the window was built with.
#pragma once

#include <QByteArray>
#include <QObject>

class QAction;
class QMainWindow;

class CWindowLayout : public QObject {
    Q_OBJECT

public:
    // Takes the window's layout as built as the default, then restores the one kept last time.
    // Call once every dock and tool bar is in place.
    explicit CWindowLayout(QMainWindow &window);

    QAction *ResetAction() const { return m_reset; }
    // Keeps the window's layout now (on closing).
    void Save() const;
    // The layout and size the window was built with.
    void Reset();
    void RetranslateUi();

private:
    QMainWindow &m_window;
    QByteArray m_defaultState;
    QByteArray m_defaultGeometry;
    QAction *m_reset;
};
