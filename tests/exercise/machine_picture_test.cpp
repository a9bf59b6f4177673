// SPDX-License-Identifier: GPL-3.0-or-later
// The machine picture as the pupil sees it: pixels at the places where the
// fields, the arrows and the texts are drawn in each mode.
#include "exercise_fixture.h"

using namespace KolvErkl;

namespace {

const QColor Dark(128, 128, 128);
const QColor Light(192, 192, 192);
const QColor Red(255, 0, 0);

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(MachinePictures, ArrowHasItsBlackRowsOnGreen) {
    const QImage arrow = ArrowPicture();
    ASSERT_EQ(arrow.size(), QSize(49, 9));
    const int first[9] = {35, 36, 37, 38, 1, 38, 37, 36, 35};
    const int last[9] = {37, 40, 44, 47, 49, 47, 44, 40, 37};
    for (int row = 0; row < 9; ++row) {
        for (int column = 1; column <= 49; ++column) {
            const bool black = column >= first[row] && column <= last[row];
            EXPECT_EQ(arrow.pixelColor(column - 1, row), black ? QColor(Qt::black) : PictureGreen)
                << "row " << row + 1 << " column " << column;
        }
    }
}

TEST(MachinePictures, FieldHasASunkenBorderTwoPixelsWide) {
    for (int width : {70, 80}) {
        const QImage field = FieldPicture(width);
        ASSERT_EQ(field.size(), QSize(width, 35));
        struct Pixel {
            int x, y;
            QColor colour;
        };
        const int r = width - 1;
        const Pixel pixels[] = {
            {0, 0, Dark},
            {1, 1, Dark},
            {30, 0, Dark},
            {30, 1, Dark},
            {0, 17, Dark},
            {1, 17, Dark},
            {30, 2, Qt::white},
            {2, 17, Qt::white},
            {30, 34, Light},
            {30, 33, Light},
            {r, 17, Light},
            {r - 1, 17, Light},
            {30, 32, Qt::white},
            {r - 2, 17, Qt::white},
            // The corners are split along the diagonal.
            {r, 0, Light},
            {r - 1, 0, Dark},
            {r - 1, 1, Light},
            {0, 34, Light},
            {0, 33, Dark},
            {1, 33, Light},
            {r, 34, Light},
        };
        for (const Pixel& p : pixels)
            EXPECT_EQ(field.pixelColor(p.x, p.y), p.colour) << width << ": " << p.x << "," << p.y;
    }
}

using MachinePictureTest = ExerciseTest;

TEST_F(MachinePictureTest, NoTaskShowsPlainGreen) {
    QImage image = picture();
    for (auto [x, y] : {std::pair{0, 0}, {60, 90}, {400, 200}, {433, 99}})
        EXPECT_EQ(at(image, x, y), PictureGreen);

    startTask(1);
    form->N2variable1->trigger();
    image = picture();
    EXPECT_EQ(at(image, 60, 90), PictureGreen);
    EXPECT_EQ(at(image, 370, 90 + 18), PictureGreen);
}

TEST_F(MachinePictureTest, ObservationDrawsThreeRowsOfFieldsArrowAndOutput) {
    startTask(1, 2);
    const QImage image = picture();
    for (int i = 1; i <= 3; ++i) {
        const int y = 50 * i + 40;
        for (int x : {60, 170, 430}) {
            EXPECT_EQ(at(image, x, y), Dark) << i << " " << x;
            EXPECT_EQ(at(image, x + 69, y + 34), Light) << i << " " << x;
        }
        EXPECT_EQ(at(image, 280, y), PictureGreen);   // no third field with 2 variables
        EXPECT_EQ(at(image, 370, y + 18), Qt::black); // the shaft
        EXPECT_EQ(at(image, 370 + 34, y + 14), Qt::black);
        EXPECT_EQ(at(image, 370, y + 14), PictureGreen);
        // Digits in black on their white patch.
        EXPECT_TRUE(anyPixel(image, QRect(87, y + 9, 24, 19), Qt::black));
        EXPECT_TRUE(anyPixel(image, QRect(433, y + 9, 60, 19), Qt::black));
    }
}

TEST_F(MachinePictureTest, ExperimentDrawsSixRowsAndOnlyEnteredDigits) {
    startTask(1, 3);
    click(form->SpeedButton14);
    clickCell(1, 1);
    QImage image = picture();
    // A chosen cell is not marked: it stays an empty white field.
    EXPECT_FALSE(anyPixel(image, QRect(62, 32, 66, 31), Qt::black));
    for (int i = 1; i <= 6; ++i)
        for (int x : {60, 170, 280, 430})
            EXPECT_EQ(at(image, x, 50 * i - 20), Dark) << i << " " << x;

    pressDigit(8);
    image = picture();
    EXPECT_TRUE(anyPixel(image, QRect(87, 39, 12, 19), Qt::black));
    EXPECT_FALSE(anyPixel(image, QRect(433, 39, 60, 19), Qt::black)); // one value is still missing
}

TEST_F(MachinePictureTest, ScrolledRowShowsBlankPatches) {
    startTask(1, 2);
    click(form->SpeedButton14);
    for (int i = 1; i <= 6; ++i) {
        clickCell(i, 1);
        pressDigit(1);
    }
    pressDigit(2);
    const QImage image = picture();
    const int y = 50 * 6 - 20;
    EXPECT_EQ(at(image, 60, y), Dark);
    EXPECT_EQ(at(image, 90, y + 12), Qt::white);
    EXPECT_FALSE(anyPixel(image, QRect(62, y + 2, 66, 31), Qt::black));
}

} // namespace
