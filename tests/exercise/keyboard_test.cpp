// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window by keyboard: keys of disabled, hidden or locked
// controls do nothing, the keyboard cursor stands only on cells a click
// could choose, its frame shows once the pupil uses the keys, and every
// hint names the key of its button.
#include "exercise_fixture.h"

#include "exercise/picture_geometry.h"

#include <QDialog>
#include <QSignalSpy>

using namespace KolvErkl;

namespace {

class KeyboardTest : public ExerciseTest {
protected:
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(main.get(), key, modifiers);
    }
    bool cursorColourIn(const QImage& image) const {
        return anyPixel(image, image.rect(), CursorColour);
    }
    // The cursor's frame lies around the field, two pixels wide, and leaves
    // the field itself uncovered.
    void expectFrameAround(const QRect& field) {
        const QImage image = picture();
        const QPoint middle = field.center();
        for (int d = 1; d <= 2; ++d) {
            EXPECT_EQ(image.pixelColor(field.left() - d, middle.y()), CursorColour);
            EXPECT_EQ(image.pixelColor(field.right() + d, middle.y()), CursorColour);
            EXPECT_EQ(image.pixelColor(middle.x(), field.top() - d), CursorColour);
            EXPECT_EQ(image.pixelColor(middle.x(), field.bottom() + d), CursorColour);
        }
        EXPECT_NE(image.pixelColor(field.left(), middle.y()), CursorColour);
    }
    // Presses the key; a dialog that it opens is closed and counted.
    int dialogsOpenedBy(Qt::Key pressed) {
        int opened = 0;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&opened] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                ++opened;
                qobject_cast<QDialog*>(dialog)->reject();
            }
        });
        closer.start(0);
        key(pressed);
        return opened;
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
    EXPECT_FALSE(form->ExperimentGrid.DigitWaiting());
    EXPECT_EQ(ActivityLog, observed);

    // A capital letter is the same key; after a copy the keypad is locked.
    key(Qt::Key_E, Qt::ShiftModifier);
    ASSERT_EQ(form->ExerciseMode, TForm2::Experiment);
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_Return);
    key(Qt::Key_5);
    EXPECT_TRUE(form->ExperimentGrid.CellWaiting());
    EXPECT_TRUE(form->ExperimentGrid[1].Inputs[0].isEmpty());

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
                    EXPECT_FALSE(form->ExperimentGrid[i].Inputs[j - 1].trimmed().isEmpty())
                        << "step " << step << ": no cursor beside a blank cell";
        } else {
            EXPECT_TRUE(
                form->ExperimentGrid[row].Inputs[form->KeyCursor.Column() - 1].trimmed().isEmpty())
                << "step " << step;
        }
    }
    EXPECT_GE(DataSetCount, 6); // the grid was filled and scrolled on
}

TEST_F(KeyboardTest, TheFirstKeyOfAModeShowsTheFrameWhereTheCursorStands) {
    startTask(2);
    // Chosen by mouse, the experiment shows no frame; the first arrow key
    // shows it where the cursor stands, the next one moves it.
    click(form->SpeedButton14);
    EXPECT_FALSE(cursorColourIn(picture())) << "no key yet";
    key(Qt::Key_Right);
    expectFrameAround(ExperimentField(1, 1));
    key(Qt::Key_Right);
    expectFrameAround(ExperimentField(1, 2));
    key(Qt::Key_Return);
    key(Qt::Key_6);
    key(Qt::Key_Down);
    ASSERT_EQ(form->KeyCursorField(), ExperimentField(2, 3)); // on from its filled cell, then down
    // A screen reader finds the cursor as the picture's current cell.
    const PictureWords words = form->PictureInWords();
    EXPECT_EQ(words.CurrentRow, 1);
    EXPECT_EQ(words.Headers.value(words.CurrentColumn), QStringLiteral("z"));

    // Chosen by mouse, the check shows no frame either; Enter only shows it
    // and opens no answer dialog.
    click(form->SpeedButton15);
    EXPECT_FALSE(cursorColourIn(picture()));
    EXPECT_EQ(dialogsOpenedBy(Qt::Key_Return), 0);
    expectFrameAround(CheckField(1, OutputColumn));
    EXPECT_EQ(dialogsOpenedBy(Qt::Key_Return), 1);

    // Chosen by key, a mode shows the frame at once; so does a digit.
    key(Qt::Key_E);
    expectFrameAround(ExperimentField(1, 1));
    click(form->SpeedButton14);
    key(Qt::Key_3);
    expectFrameAround(ExperimentField(1, 1));
    EXPECT_TRUE(form->ExperimentGrid.DigitWaiting());
    key(Qt::Key_K);
    expectFrameAround(CheckField(1, OutputColumn));
}

TEST_F(KeyboardTest, AfterAnAnswerTheCursorGoesOnToTheNextUnansweredRow) {
    startTask(2);
    key(Qt::Key_K);
    // Answers by mouse in any order; an answer left by Esc records nothing
    // and leaves the cursor where it is.
    const struct {
        int row;
        Qt::Key leave;
        int cursorAfter;
    } steps[] = {{1, Qt::Key_Return, 2}, {3, Qt::Key_Return, 4}, {2, Qt::Key_Escape, 4},
                 {2, Qt::Key_Return, 4}, {5, Qt::Key_Return, 4}, {4, Qt::Key_Return, 4}};
    int answers = 0;
    for (const auto& step : steps) {
        QTimer::singleShot(0, [leave = step.leave] {
            auto* dialog = qobject_cast<TForm4*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::keyClicks(dialog->Edit1, u"12"_qs);
            QTest::keyClick(dialog->Edit1, leave);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the answer dialog stayed open";
                dialog->done(QDialog::Rejected);
            }
        });
        clickPicture(470, 50 * step.row + 35);
        answers += step.leave == Qt::Key_Return ? 1 : 0;
        EXPECT_EQ(DataSetCount, answers) << "row " << step.row;
        EXPECT_EQ(form->KeyCursor.Row(), step.cursorAfter) << "row " << step.row;
    }
}

TEST_F(KeyboardTest, EveryHintNamesTheKeyThatPressesItsButtonAndEachLetterHasATwin) {
    startTask(3);
    // Alt+E opens the main window's menu "Egne opgaver".
    const std::pair<QToolButton*, const char*> buttons[] = {
        {form->SpeedButton10, ""},       {form->SpeedButton11, "Alt+N"},
        {form->SpeedButton18, ""},       {form->SpeedButton12, "Alt+A"},
        {form->SpeedButton17, "Alt+V"},  {form->SpeedButton13, "Alt+O"},
        {form->SpeedButton14, "Ctrl+E"}, {form->SpeedButton15, "Alt+K"},
        {form->SpeedButton16, "Alt+U"},
    };
    auto pressedBy = [this](QToolButton* button, const QKeySequence& keys) {
        button->setEnabled(true);
        button->show();
        if (keys.count() != 1 || keys[0].key() == Qt::Key_unknown)
            return false;
        QSignalSpy clicks(button, &QToolButton::clicked);
        key(keys[0].key(), keys[0].keyboardModifiers());
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        return clicks.count() == 1;
    };
    for (const auto& [button, twin] : buttons) {
        const QString hint = button->toolTip();
        const QString keys = hint.mid(hint.lastIndexOf(u'(') + 1).chopped(1);
        EXPECT_TRUE(pressedBy(button, QKeySequence(keys))) << hint.toStdString();
        if (*twin) {
            EXPECT_TRUE(pressedBy(button, QKeySequence(QString::fromUtf8(twin))))
                << hint.toStdString() << ": " << twin;
        }
    }
    click(form->SpeedButton14);
    for (int digit = 1; digit <= 9; ++digit)
        EXPECT_TRUE(pressedBy(form->KeypadButtons[digit],
                              QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + digit))))
            << "Alt+" << digit;
}

} // namespace
