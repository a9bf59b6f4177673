// The machine picture: rows of input fields, an arrow and an output field per
// data set, drawn whole from the exercise window's state on every paint.
#include "exercise/machine_picture.h"

#include "engine/kolv_erkl.h"
#include "exercise/exercise_window.h"

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

} // namespace KolvErkl

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    canvas.fillRect(rect(), KolvErkl::PictureGreen);
    if (OnPaint)
        OnPaint(canvas);
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

} // namespace

void TForm2::PaintBox1Paint(QPainter& canvas) {
    static const QImage arrow = KolvErkl::ArrowPicture();
    static const QImage narrowField = KolvErkl::FieldPicture(70);
    static const QImage wideField = KolvErkl::FieldPicture(80);

    canvas.setFont(PaintBox1->font());
    const QImage& field = ExerciseMode == Check ? wideField : narrowField;
    const int n = KolvErkl::NumberOfVariables;

    switch (ExerciseMode) {
    case None:
        break;
    case Observe:
        for (int i = 1; i <= 3; ++i) {
            const int y = 50 * i + 40;
            for (int j = 1; j <= n; ++j) {
                canvas.drawImage(110 * j - 50, y, field);
                drawText(canvas, 110 * j - 23, y + 9, ObservationTable[i][j - 1]);
            }
            canvas.drawImage(370, y + 14, arrow);
            canvas.drawImage(430, y, field);
            drawText(canvas, 433, y + 9, ObservationTable[i][3]);
        }
        break;
    case Experiment:
        for (int i = 1; i <= GridRows; ++i) {
            const int y = 50 * i - 20;
            for (int j = 1; j <= n; ++j) {
                canvas.drawImage(110 * j - 50, y, field);
                drawText(canvas, 110 * j - 23, y + 9, ExperimentGrid[i].Inputs[j]);
            }
            canvas.drawImage(370, y + 14, arrow);
            canvas.drawImage(430, y, field);
            drawText(canvas, 433, y + 9, ExperimentGrid[i].Output);
        }
        break;
    case Check:
        for (int i = 1; i <= CheckRows; ++i) {
            const int y = 50 * i + 20;
            for (int j = 1; j <= n; ++j) {
                canvas.drawImage(100 * j - 50, y, field);
                drawText(canvas, 100 * j - 28, y + 9, ObservationTable[i][j - 1]);
            }
            canvas.drawImage(370, y + 14, arrow);
            canvas.drawImage(430, y, field);
            drawText(canvas, 440, y + 9, AnswerTexts[i]);
            if (ShowResults) {
                canvas.drawImage(520, y, field);
                const bool right = Answers[i] == CorrectOutputs[i];
                drawText(canvas, 530, y + 9, CorrectTexts[i],
                         right ? QColor(Qt::black) : QColor(255, 0, 0));
            }
        }
        break;
    }
}
