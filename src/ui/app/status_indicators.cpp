#include "ui/app/status_indicators.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

// Lock bits of the X11 modifier state that key events carry on the xcb platform.
constexpr quint32 kX11LockMask = 0x02;
constexpr quint32 kX11NumLockMask = 0x10;

QLabel *Pane(QStatusBar *bar, const QString &text, int width)
{
    auto *label = new QLabel(text, bar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(width);
    bar->addPermanentWidget(label);
    return label;
}

} // namespace

CStatusIndicators::CStatusIndicators(QStatusBar *bar)
    : QObject(bar)
{
    const int digits = bar->fontMetrics().horizontalAdvance(QStringLiteral("0000, 0000"));
    m_position = Pane(bar, QString(), digits);
    m_selection = Pane(bar, QString(), digits * 2);
    m_zoom = Pane(bar, QString(), bar->fontMetrics().horizontalAdvance(QStringLiteral("800 %")));
    m_caps = Pane(bar, QString(), 0);
    m_num = Pane(bar, QString(), 0);
    m_scroll = Pane(bar, QString(), 0);
    RetranslateUi();
    ShowLocks(false, false, false);
    qApp->installEventFilter(this);
}

void CStatusIndicators::RetranslateUi()
{
    m_caps->setText(tr("CAP"));
    m_num->setText(tr("NUM"));
    m_scroll->setText(tr("SCRL"));
}

void CStatusIndicators::ShowCanvasPoint(const QPoint &point, bool inside)
{
    m_position->setText(
        inside ? QStringLiteral("%1, %2").arg(point.x()).arg(point.y()) : QString());
}

void CStatusIndicators::ShowSelection(const QRect &frame)
{
    m_selection->setText(frame.isEmpty() ? QString()
                                         : QStringLiteral("(%1, %2) %3 x %4")
                                               .arg(frame.x())
                                               .arg(frame.y())
                                               .arg(frame.width())
                                               .arg(frame.height()));
}

void CStatusIndicators::ShowZoom(int zoom)
{
    m_zoom->setText(zoom > 0 ? QStringLiteral("%1 %").arg(zoom * 100) : QString());
}

void CStatusIndicators::ShowLocks(bool caps, bool num, bool scroll)
{
    m_caps->setEnabled(caps);
    m_num->setEnabled(num);
    m_scroll->setEnabled(scroll);
}

bool CStatusIndicators::eventFilter(QObject *watched, QEvent *event)
{
    // Only the X11 platform tells the lock state, through the modifier state of key events;
    // elsewhere the indicators stay dim.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        && QGuiApplication::platformName() == QLatin1String("xcb")) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const quint32 state = key->nativeModifiers();
        bool caps = state & kX11LockMask;
        bool num = state & kX11NumLockMask;
        // X11 reports no scroll lock bit: the indicator follows the presses of its key.
        bool scroll = m_scroll->isEnabled();
        // The state of a key event is the state before that key: a lock key toggles it.
        if (event->type() == QEvent::KeyPress) {
            caps = key->key() == Qt::Key_CapsLock ? !caps : caps;
            num = key->key() == Qt::Key_NumLock ? !num : num;
            scroll = key->key() == Qt::Key_ScrollLock ? !scroll : scroll;
        }
        ShowLocks(caps, num, scroll);
    }
    return QObject::eventFilter(watched, event);
}
