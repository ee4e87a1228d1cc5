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

// A diskette: body, label at the top, shutter at the bottom.
void Diskette(QPainter &p)
{
    p.setBrush(QColor(60, 100, 170));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5.5));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
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
    case CommandIcon::Save:
        Diskette(p);
        break;
    case CommandIcon::SaveAs: {
        // The diskette with a pen across its corner: saved under a name chosen now.
        Diskette(p);
        QPainterPath pen;
        pen.moveTo(8, 15.5);
        pen.lineTo(8.7, 12.9);
        pen.lineTo(13.2, 8.4);
        pen.lineTo(15.2, 10.4);
        pen.lineTo(10.7, 14.9);
        pen.closeSubpath();
        p.setBrush(QColor(240, 180, 40));
        p.drawPath(pen);
        break;
    }
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
