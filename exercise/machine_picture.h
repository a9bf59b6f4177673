// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of the machine: the paint box it is drawn on and the three
// pictures it is built from (the arrow and the two field widths).
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

namespace KolvErkl {

// The green of the picture area.
inline const QColor PictureGreen{0, 128, 0};
// The keyboard cursor's frame: a colour found nowhere else in the picture,
// bright on the green.
inline const QColor CursorColour{255, 255, 0};
constexpr int CursorFrameWidth = 3;

// Pilen: a black arrow pointing right on green, 49 x 9.
QImage ArrowPicture();
// Ofelt (70 x 35) and Kfelt (80 x 35): a white field with a sunken border
// two pixels wide.
QImage FieldPicture(int width, int height = 35);

} // namespace KolvErkl

// A plain drawing surface: the window that owns it paints it and hears the
// mouse releases over it. The surface first clears itself to green.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void(QPainter&)> OnPaint;
    std::function<void(int x, int y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
