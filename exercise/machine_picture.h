// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of the machine: the paint box it is drawn on and the three
// pictures it is built from (the arrow and the two field widths).
#pragma once

#include "exercise/exercise_accessible.h"

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
// The same pictures, drawn once for the run, which the painter and the
// window's picture holders share: the arrow, and Kfelt (wide) or Ofelt.
const QImage& DrawnArrow();
const QImage& DrawnField(bool wide);

} // namespace KolvErkl

// A plain drawing surface: the window that owns it paints it and hears the
// mouse releases over it. The surface first clears itself to green. For a
// screen reader it is a table of the words the window gives it.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void(QPainter&)> OnPaint;
    std::function<void(int x, int y)> OnMouseUp;
    std::function<KolvErkl::PictureWords()> OnDescribe;

    // A screen reader hears where the keyboard cursor stands now.
    void TellCursor();
    // A screen reader hears the announcement once, unless it is empty. The
    // fields whose words changed since the last call are told silently, so
    // that no copy of their old words stays in use.
    void TellChanges(const QString& announcement);
    // What was announced last.
    QString Announcement() const { return announcement_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QString announcement_ = KolvErkl::NoTaskWords;
};
