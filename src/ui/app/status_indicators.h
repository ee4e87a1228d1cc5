// The right end of the status bar: the canvas pixel under the mouse, the selection's rectangle,
// the zoom, and the CAP, NUM and SCRL lock indicators.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QLabel;
class QStatusBar;

class CStatusIndicators : public QObject {
    Q_OBJECT

public:
    explicit CStatusIndicators(QStatusBar *bar);

    void ShowCanvasPoint(const QPoint &point, bool inside);
    void ShowSelection(const QRect &frame);
    void ShowZoom(int zoom);
    // Lights the lock indicators (as the keyboard reports them with its key events).
    void ShowLocks(bool caps, bool num, bool scroll);
    // The indicators' words in the language installed now.
    void RetranslateUi();

    QLabel *Position() const { return m_position; }
    QLabel *Selection() const { return m_selection; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_position;
    QLabel *m_selection;
    QLabel *m_zoom;
    QLabel *m_caps;
    QLabel *m_num;
    QLabel *m_scroll;
};
