// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window by keyboard: keys of disabled, hidden or locked
// controls do nothing, the keyboard cursor stands only on cells a click
// could choose, and its frame shows only once the pupil moves it.
#include "exercise_fixture.h"

#include "exercise/picture_geometry.h"

using namespace KolvErkl;

namespace {

class KeyboardTest : public ExerciseTest {
protected:
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(main.get(), key, modifiers);
    }
    bool cursorColourIn(const QImage& image) const {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == CursorColour)
                    return true;
        return false;
    }
};

TEST_F(KeyboardTest, KeysOfDisabledHiddenOrLockedControlsDoNothing) {
    // Before a task the mode buttons are disabled.
    form->DisableModeButtons();
    for (Qt::Key letter : {Qt::Key_O, Qt::Key_E, Qt::Key_K})
        key(letter);
    EXPECT_EQ(form->ExerciseMode, TForm2::None);
    EXPECT_TRUE(ActivityLog.isEmpty());

    startTask(3);
    const QStringList observed = ActivityLog;
    // "Udfør kontrol" and the keypad are hidden while observing.
    key(Qt::Key_U);
    key(Qt::Key_5);
    EXPECT_FALSE(form->ShowResults);
    EXPECT_FALSE(form->DigitWaiting);
    EXPECT_EQ(ActivityLog, observed);

    // A capital letter is the same key; after a copy the keypad is locked.
    key(Qt::Key_E, Qt::ShiftModifier);
    ASSERT_EQ(form->ExerciseMode, TForm2::Experiment);
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_Return);
    key(Qt::Key_5);
    EXPECT_TRUE(form->CellWaiting);
    EXPECT_TRUE(form->ExperimentGrid[1].Inputs[1].isEmpty());

    // "Udfør kontrol" and printing are disabled until five answers are given.
    key(Qt::Key_K);
    ASSERT_EQ(form->ExerciseMode, TForm2::Check);
    key(Qt::Key_U);
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(form->ShowResults);
    EXPECT_EQ(host.prints, 0);
}

TEST_F(KeyboardTest, CursorNeverStandsOnAFilledCell) {
    startTask(4);
    key(Qt::Key_E);
    // Cells chosen by key and by mouse, digits first and last, until the
    // grid has been filled and scrolled.
    const Qt::Key keys[] = {Qt::Key_Right,  Qt::Key_Return, Qt::Key_3, Qt::Key_Down,   Qt::Key_7,
                            Qt::Key_Return, Qt::Key_Left,   Qt::Key_2, Qt::Key_Return, Qt::Key_Up};
    for (int step = 0; step < 80; ++step) {
        if (step % 7 == 3 && form->KeyCursor.Row() > 0) {
            // The mouse fills the cursor's own cell.
            pressDigit(1 + step % 9);
            const QRect cell = ExperimentField(form->KeyCursor.Row(), form->KeyCursor.Column());
            clickPicture(cell.center().x(), cell.center().y());
        } else {
            key(keys[step % std::size(keys)]);
        }
        const int row = form->KeyCursor.Row();
        if (row == 0) {
            for (int i = 1; i <= TForm2::GridRows; ++i)
                for (int j = 1; j <= 3; ++j)
                    EXPECT_FALSE(form->ExperimentGrid[i].Inputs[j].trimmed().isEmpty())
                        << "step " << step << ": no cursor beside a blank cell";
        } else {
            EXPECT_TRUE(
                form->ExperimentGrid[row].Inputs[form->KeyCursor.Column()].trimmed().isEmpty())
                << "step " << step;
        }
    }
    EXPECT_GE(DataSetCount, 6); // the grid was filled and scrolled on
}

TEST_F(KeyboardTest, FrameShowsOnlyAfterAnArrowKeyOfTheMode) {
    startTask(2);
    key(Qt::Key_E);
    key(Qt::Key_Return);
    key(Qt::Key_6);
    EXPECT_FALSE(cursorColourIn(picture())) << "no arrow key yet";

    key(Qt::Key_Down);
    const QRect cell = ExperimentField(form->KeyCursor.Row(), form->KeyCursor.Column());
    ASSERT_EQ(cell, ExperimentField(2, 2)); // moved on from its filled cell, then down
    QImage image = picture();
    const int middle = cell.center().y();
    for (int d = 1; d <= 2; ++d) {
        EXPECT_EQ(image.pixelColor(cell.left() - d, middle), CursorColour);
        EXPECT_EQ(image.pixelColor(cell.right() + d, middle), CursorColour);
        EXPECT_EQ(image.pixelColor(cell.center().x(), cell.top() - d), CursorColour);
        EXPECT_EQ(image.pixelColor(cell.center().x(), cell.bottom() + d), CursorColour);
    }
    EXPECT_NE(image.pixelColor(cell.left(), middle), CursorColour) << "the field is not covered";
    // A screen reader finds the cursor as the picture's current cell.
    const PictureWords words = form->PictureInWords();
    EXPECT_EQ(words.CurrentRow, 1);
    EXPECT_EQ(words.Headers.value(words.CurrentColumn), QStringLiteral("y"));

    // A new mode hides it until its own first arrow key.
    key(Qt::Key_K);
    EXPECT_FALSE(cursorColourIn(picture()));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    image = picture();
    const QRect answer = CheckField(3, OutputColumn);
    EXPECT_EQ(image.pixelColor(answer.left() - 2, answer.center().y()), CursorColour);
    key(Qt::Key_E);
    EXPECT_FALSE(cursorColourIn(picture()));
}

} // namespace
