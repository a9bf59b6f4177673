// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/button_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace KolvErkl {

QIcon CheckGlyph() {
    QPixmap pixmap(19, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(2, 8.5);
    tick.lineTo(7, 13.5);
    tick.lineTo(17, 2.5);
    painter.setPen(QPen(QColor(0, 128, 0), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return QIcon(pixmap);
}

QIcon CrossGlyph() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 0, 0), 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(16, 16));
    painter.drawLine(QPointF(16, 4), QPointF(4, 16));
    return QIcon(pixmap);
}

} // namespace KolvErkl
