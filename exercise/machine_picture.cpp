// SPDX-License-Identifier: GPL-3.0-or-later
// The machine picture: rows of input fields, an arrow and an output field per
// data set, drawn whole from the exercise window's state on every paint.
#include "exercise/machine_picture.h"

#include "engine/kolv_erkl.h"
#include "exercise/exercise_window.h"
#include "exercise/picture_geometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace KolvErkl {

namespace {

// The arrow's black columns (from 1) in each of its nine rows.
struct Span {
    int first, last;
};
constexpr Span ArrowRows[9] = {{35, 37}, {36, 40}, {37, 44}, {38, 47}, {1, 49},
                               {38, 47}, {37, 44}, {36, 40}, {35, 37}};

const QColor BorderDark{128, 128, 128};
const QColor BorderLight{192, 192, 192};
constexpr int BorderWidth = 2;

} // namespace

QImage ArrowPicture() {
    QImage image(49, 9, QImage::Format_RGB32);
    image.fill(PictureGreen);
    for (int row = 0; row < 9; ++row)
        for (int column = ArrowRows[row].first; column <= ArrowRows[row].last; ++column)
            image.setPixelColor(column - 1, row, Qt::black);
    return image;
}

QImage FieldPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int topLeft = std::min(x, y);
            const int bottomRight = std::min(width - 1 - x, height - 1 - y);
            if (std::min(topLeft, bottomRight) >= BorderWidth)
                continue;
            // The corners are split along their diagonal: the top and left
            // edges own the pixels nearer to them.
            image.setPixelColor(x, y, topLeft < bottomRight ? BorderDark : BorderLight);
        }
    }
    return image;
}

const QImage& DrawnArrow() {
    static const QImage arrow = ArrowPicture();
    return arrow;
}

const QImage& DrawnField(bool wide) {
    static const QImage narrow = FieldPicture(70);
    static const QImage broad = FieldPicture(80);
    return wide ? broad : narrow;
}

} // namespace KolvErkl

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    canvas.fillRect(rect(), KolvErkl::PictureGreen);
    if (OnPaint)
        OnPaint(canvas);
}

void TPaintBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // The table took the focus; the cursor's cell is where the pupil is.
    TellCursor();
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) {
        const QPoint at = event->position().toPoint();
        OnMouseUp(at.x(), at.y());
    }
}

// ---- PaintBox1Paint --------------------------------------------------------

namespace {

// A text with its top-left corner at (x, y), opaque on white.
void drawText(QPainter& canvas, int x, int y, const QString& text,
              const QColor& colour = Qt::black) {
    if (text.isEmpty())
        return;
    const QFontMetrics metrics = canvas.fontMetrics();
    canvas.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), Qt::white);
    canvas.setPen(colour);
    canvas.drawText(x, y + metrics.ascent(), text);
}

// Where a field's text begins, to the right of its left edge; all texts
// stand 9 pixels below the field's top.
constexpr int DigitsInset = 27;      // a value in the observe and experiment rows
constexpr int OutputInset = 3;       // the output in the observe and experiment rows
constexpr int CheckDigitsInset = 22; // a question value in the check
constexpr int AnswerInset = 10;      // the answer and the correct output in the check
constexpr int TextDrop = 9;
constexpr int ArrowLeft = 370;
constexpr int ArrowDrop = 14;

// A field picture at its place, and its text in it.
void drawField(QPainter& canvas, const QImage& picture, const QRect& field, int inset,
               const QString& text, const QColor& colour = Qt::black) {
    canvas.drawImage(field.topLeft(), picture);
    drawText(canvas, field.left() + inset, field.top() + TextDrop, text, colour);
}

// One row of the machine: the n input fields with the row's values, the
// arrow, and the output field with output. fieldAt gives the mode's field
// rectangles.
void drawRow(QPainter& canvas, const QImage& field, QRect (*fieldAt)(int row, int column), int row,
             int n, const KolvErkl::MachineRow& values, int inputInset, const QString& output,
             int outputInset) {
    const QImage& arrow = KolvErkl::DrawnArrow();
    for (int j = 1; j <= n; ++j)
        drawField(canvas, field, fieldAt(row, j), inputInset, values.Inputs[j - 1]);
    canvas.drawImage(ArrowLeft, fieldAt(row, 1).top() + ArrowDrop, arrow);
    drawField(canvas, field, fieldAt(row, KolvErkl::OutputColumn), outputInset, output);
}

} // namespace

void TForm2::PaintBox1Paint(QPainter& canvas) {
    using namespace KolvErkl;
    canvas.setFont(PaintBox1->font());
    const QImage& field = KolvErkl::DrawnField(ExerciseMode == Check);
    const int n = KolvErkl::NumberOfVariables;

    switch (ExerciseMode) {
    case None:
        break;
    case Observe:
        for (int i = 1; i <= 3; ++i)
            drawRow(canvas, field, ObserveField, i, n, ObservationTable[i], DigitsInset,
                    ObservationTable[i].Output, OutputInset);
        break;
    case Experiment:
        for (int i = 1; i <= GridRows; ++i)
            drawRow(canvas, field, ExperimentField, i, n, ExperimentGrid[i], DigitsInset,
                    ExperimentGrid[i].Output, OutputInset);
        break;
    case Check:
        for (int i = 1; i <= CheckRows; ++i) {
            drawRow(canvas, field, CheckField, i, n, ObservationTable[i], CheckDigitsInset,
                    AnswerTexts[i], AnswerInset);
            if (ShowResults) {
                const bool right = Answers[i] == CorrectOutputs[i];
                drawField(canvas, field, CheckField(i, ResultColumn), AnswerInset, CorrectTexts[i],
                          right ? QColor(Qt::black) : QColor(255, 0, 0));
            }
        }
        break;
    }

    const QRect cursor = KeyCursorField();
    if (!cursor.isNull()) {
        // A frame around the field, on the green just outside it, so that
        // the field itself looks as it does without the keyboard.
        const QRect frame = cursor.adjusted(-CursorFrameWidth, -CursorFrameWidth, CursorFrameWidth,
                                            CursorFrameWidth);
        const int w = CursorFrameWidth;
        canvas.fillRect(QRect(frame.left(), frame.top(), frame.width(), w), CursorColour);
        canvas.fillRect(QRect(frame.left(), frame.bottom() - w + 1, frame.width(), w),
                        CursorColour);
        canvas.fillRect(QRect(frame.left(), frame.top(), w, frame.height()), CursorColour);
        canvas.fillRect(QRect(frame.right() - w + 1, frame.top(), w, frame.height()), CursorColour);
    }
}
