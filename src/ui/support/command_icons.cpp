#include "ui/support/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kx::ui {

namespace {

// One sheet of paper with a folded corner, its top-left at (x, y).
void Sheet(QPainter &p, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 3, y);
    path.lineTo(x + w, y + 3);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.fillPath(path, Qt::white);
    p.drawPath(path);
    for (qreal line = y + 4; line < y + h - 1; line += 2.5)
        p.drawLine(QPointF(x + 2, line), QPointF(x + w - 2, line));
}

QPixmap Draw(CommandIcon kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(QColor(60, 60, 70), 0.9));
    switch (kind) {
    case CommandIcon::Cut:
        p.drawLine(QPointF(4, 1), QPointF(10.5, 10));
        p.drawLine(QPointF(12, 1), QPointF(5.5, 10));
        p.setBrush(QColor(200, 40, 40));
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
        break;
    case CommandIcon::Copy:
        Sheet(p, 1.5, 1.5, 8.5, 10);
        Sheet(p, 6, 4.5, 8.5, 10);
        break;
    case CommandIcon::Paste:
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
        p.setBrush(QColor(120, 120, 130));
        p.drawRect(QRectF(4, 1, 5, 3));
        Sheet(p, 6.5, 6, 8, 9);
        break;
    }
    return pixmap;
}

} // namespace

QIcon MakeCommandIcon(CommandIcon kind)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(Draw(kind, size));
    return icon;
}

} // namespace kx::ui
