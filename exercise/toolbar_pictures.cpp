// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar pictures, drawn with a painter so that they stay sharp and need
// no files: simple shapes in a few clear colours on a transparent ground.
#include "exercise/toolbar_pictures.h"

#include "ui/ui_services.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace KolvErkl {

namespace {

constexpr int PictureSize = 25;

QPixmap blank(int size = PictureSize) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
}

QFont digitFont(int pixels) {
    return KolvErkl::CourierNewPixels(pixels, true);
}

} // namespace

QPixmap PrinterPicture() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 2.5, 10, 8)); // paper going in
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(2.5, 9.5, 20, 9), 2, 2); // body
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(5.5, 18.5, 14, 3)); // tray
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 15.5, 10, 7)); // paper coming out
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(9, 18), QPointF(16, 18));
    p.drawLine(QPointF(9, 20), QPointF(15, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 170, 0));
    p.drawEllipse(QRectF(18, 11.5, 2.5, 2.5)); // lamp
    return pixmap;
}

QPixmap PencilPicture() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    p.translate(12.5, 12.5);
    p.rotate(-45);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 200, 40));
    p.drawRect(QRectF(-7, -2.5, 13, 5)); // body
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(6, -2.5, 3, 5)); // eraser
    QPainterPath tip;
    tip.moveTo(-7, -2.5);
    tip.lineTo(-12, 0);
    tip.lineTo(-7, 2.5);
    tip.closeSubpath();
    p.setBrush(QColor(235, 205, 160));
    p.drawPath(tip);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(-11, 0), 1, 1); // lead
    return pixmap;
}

QPixmap DocumentsPicture() {
    QPixmap pixmap = blank(27);
    QPainter p(&pixmap);
    prepare(p);
    p.setPen(QPen(Qt::black, 1));
    for (const QPointF& corner : {QPointF(2.5, 2.5), QPointF(10.5, 9.5)}) {
        QPainterPath page;
        page.moveTo(corner);
        page.lineTo(corner + QPointF(10, 0));
        page.lineTo(corner + QPointF(14, 4));
        page.lineTo(corner + QPointF(14, 15));
        page.lineTo(corner + QPointF(0, 15));
        page.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.setPen(QPen(QColor(0, 0, 160), 1));
        for (int line = 0; line < 3; ++line)
            p.drawLine(corner + QPointF(3, 6 + 3 * line), corner + QPointF(11, 6 + 3 * line));
        p.setPen(QPen(Qt::black, 1));
    }
    return pixmap;
}

QPixmap VariablesPicture() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    p.setFont(digitFont(14));
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRect(0, 0, 12, 14), Qt::AlignCenter, QStringLiteral("2"));
    p.setPen(QColor(160, 0, 0));
    p.drawText(QRect(13, 11, 12, 14), Qt::AlignCenter, QStringLiteral("3"));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(19, 3), QPointF(6, 22));
    return pixmap;
}

QPixmap TaskListPicture() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    p.setPen(QPen(Qt::black, 1));
    for (int card = 0; card < 3; ++card) {
        const QRectF rect(3.5 + 2 * card, 3.5 + 4 * card, 12, 9);
        p.setBrush(card == 2 ? QColor(255, 255, 200) : QColor(230, 230, 230));
        p.drawRect(rect);
    }
    p.setPen(QPen(QColor(0, 0, 160), 1));
    p.drawLine(QPointF(9, 16), QPointF(15, 16));
    p.drawLine(QPointF(9, 18.5), QPointF(14, 18.5));
    // The arrow that points at the chosen card.
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(23, 16), QPointF(18, 16));
    p.drawLine(QPointF(18, 16), QPointF(20.5, 13.5));
    p.drawLine(QPointF(18, 16), QPointF(20.5, 18.5));
    return pixmap;
}

QPixmap SpectaclesPicture() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(2, 10, 9, 8));
    p.drawEllipse(QRectF(14, 10, 9, 8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10, 10, 5, 5), 0, 180 * 16); // bridge
    p.drawLine(QPointF(2, 13), QPointF(1, 8));    // temples
    p.drawLine(QPointF(23, 13), QPointF(24, 8));
    return pixmap;
}

QPixmap QuestionDigitsPicture() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    p.setFont(digitFont(9));
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRect(0, 0, 8, 9), Qt::AlignCenter, QStringLiteral("1"));
    p.drawText(QRect(17, 1, 8, 9), Qt::AlignCenter, QStringLiteral("7"));
    p.drawText(QRect(0, 16, 8, 9), Qt::AlignCenter, QStringLiteral("4"));
    p.drawText(QRect(17, 16, 8, 9), Qt::AlignCenter, QStringLiteral("9"));
    p.setFont(digitFont(19));
    p.setPen(QColor(200, 0, 0));
    p.drawText(QRect(0, 0, 25, 25), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

QPixmap TickPicture(const QColor& colour) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    prepare(p);
    QPainterPath tick;
    tick.moveTo(3, 13);
    tick.lineTo(10, 20);
    tick.lineTo(22, 5);
    p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return pixmap;
}

} // namespace KolvErkl
