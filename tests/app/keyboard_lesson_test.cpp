// SPDX-License-Identifier: GPL-3.0-or-later
// A whole lesson by keys only gives the log that the same lesson by clicks
// gives: every key goes through the handler of the control it stands for.
#include "app_test_support.h"

#include "app/heading_dialog.h"
#include "app/help_window.h"
#include "catalogue_ui/task_picker.h"
#include "exercise/answer_dialog.h"
#include "exercise/machine_picture.h"
#include "exercise/picture_geometry.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTextBrowser>
#include <QToolButton>
#include <QWindow>

using namespace KolvErkl;
using namespace KolvTest;

namespace {

class KeyboardLessonTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ClockHook = [this] { return clock += 7.25; };
        StartProgram();
    }
    void TearDown() override {
        ClockHook = nullptr;
        AppTest::TearDown();
    }

    // The pupil's answer to a check row: right for the odd rows, one too
    // many for the even ones.
    static QString answerFor(int row) {
        return QString::number(Form2->CorrectOutputs[row] + (row % 2 == 0 ? 1 : 0));
    }
    static void typeInto(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    static void whenPicker() {
        WhenModal([](QWidget*) { typeInto(Form3->Edit1, u"7"_qs); });
    }
    // In the heading dialog Enter first moves on to "OK", and presses it next.
    static void whenHeading() {
        WhenModal([](QWidget* dialog) {
            typeInto(Overskrif->Edit1, u"Ida"_qs);
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
    }
    static void whenAnswer(int row) {
        WhenModal([row](QWidget*) { typeInto(Form4->Edit1, answerFor(row)); });
    }
    // A key as the window system brings it to the main window: shortcuts
    // first, then the focus. A menu that holds the keyboard fails the test
    // instead of taking the lesson's keys.
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            ADD_FAILURE() << "a menu holds the keyboard: " << menu->objectName().toStdString();
            menu->close();
        }
        QTest::keyClick(Form1->windowHandle(), key, modifiers);
    }
    // The check's rows in the order of the lesson: after each answer the
    // keyboard cursor goes on to the next unanswered row.
    static constexpr int AnswerOrder[] = {1, 3, 4, 2, 5};

    void startLesson() {
        SeedRandom(4711);
        clock = 30000.0;
        Heading.clear();
        QGuiApplication::clipboard()->clear();
    }

    QString lessonByClicks() {
        startLesson();
        auto click = [](QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); };
        auto clickField = [](const QRect& field) {
            QTest::mouseClick(Form2->PaintBox1, Qt::LeftButton, {}, field.center());
        };
        click(Form2->SpeedButton12);
        QMenu* popup = Form2->PopupMenu1;
        QTest::mouseClick(popup, Qt::LeftButton, {},
                          popup->actionGeometry(Form2->N2variable1).center());
        whenPicker();
        click(Form2->SpeedButton17);
        click(Form2->SpeedButton13);
        click(Form2->SpeedButton14);
        clickField(ExperimentField(1, 1));
        click(Form2->KeypadButtons[4]);
        clickField(ExperimentField(2, 2));
        click(Form2->KeypadButtons[7]);
        click(Form2->SpeedButton15);
        for (int row : AnswerOrder) {
            whenAnswer(row);
            clickField(CheckField(row, OutputColumn));
        }
        click(Form2->SpeedButton16);
        click(Form2->SpeedButton10);
        whenHeading();
        click(Form2->SpeedButton11);
        click(Form2->SpeedButton18);
        return QGuiApplication::clipboard()->text();
    }

    QString lessonByKeys() {
        startLesson();
        key(Qt::Key_A);
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_EQ(popup, Form2->PopupMenu1);
        if (!popup)
            return {};
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        whenPicker();
        key(Qt::Key_V);
        key(Qt::Key_O);
        key(Qt::Key_E);
        key(Qt::Key_Return);
        key(Qt::Key_4);
        // The cursor has gone on to row 2, column 1.
        for (Qt::Key arrow : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Right})
            key(arrow);
        key(Qt::Key_Space);
        key(Qt::Key_7);
        key(Qt::Key_K);
        auto answerByKey = [](int row, Qt::Key enter) {
            whenAnswer(row);
            key(enter);
        };
        answerByKey(1, Qt::Key_Return);
        key(Qt::Key_Down);
        answerByKey(3, Qt::Key_Return);
        answerByKey(4, Qt::Key_Return);
        for (int up = 0; up < 3; ++up)
            key(Qt::Key_Up);
        answerByKey(2, Qt::Key_Return);
        answerByKey(5, Qt::Key_Space);
        key(Qt::Key_U);
        key(Qt::Key_P, Qt::ControlModifier);
        whenHeading();
        key(Qt::Key_N);
        key(Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }

    double clock = 0;
};

TEST_F(KeyboardLessonTest, KeysGiveTheLogThatClicksGive) {
    const QString byClicks = lessonByClicks();
    const QString byKeys = lessonByKeys();
    const QStringList clickLines = byClicks.split(u'\n');
    // The lesson did happen: heading, task, an experiment row, the check
    // with its right answers, and the summary.
    ASSERT_GE(clickLines.size(), 20) << byClicks.toStdString();
    EXPECT_EQ(clickLines.first(), u"Ida"_qs);
    EXPECT_TRUE(byClicks.contains(u"(2 variable)"_qs));
    EXPECT_TRUE(byClicks.contains(u" Eksperimentér:"_qs));
    EXPECT_EQ(byClicks.count(u"    OK"_qs), 3);
    EXPECT_EQ(byKeys.toStdString(), byClicks.toStdString());
}

TEST_F(KeyboardLessonTest, NeitherALoneAltNorAMenuOpenedAndClosedTakesTheKeys) {
    const QString byClicks = lessonByClicks();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([] { return Form1->isActiveWindow(); }));
    QTest::keyClick(Form1->windowHandle(), Qt::Key_Alt, Qt::AltModifier);
    for (Qt::Key letter : {Qt::Key_F, Qt::Key_E, Qt::Key_H}) {
        QTest::keyClick(Form1->windowHandle(), letter, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        ASSERT_NE(menu, nullptr);
        QTest::keyClick(menu, Qt::Key_Escape);
        key(Qt::Key_Escape);
    }
    EXPECT_EQ(lessonByKeys().toStdString(), byClicks.toStdString());
    QTest::keyRelease(Form1->windowHandle(), Qt::Key_F1);
    EXPECT_EQ(helpRequests, 1);
}

TEST_F(KeyboardLessonTest, AltLettersOpenTheMenusAndF1TheGuideWithOrWithoutTheWindowActive) {
    const std::pair<Qt::Key, QMenu*> menus[] = {{Qt::Key_F, Form1->Filer1},
                                                {Qt::Key_E, Form1->Egneopgaver1},
                                                {Qt::Key_H, Form1->Oplysninger1}};
    QTest::keyRelease(Form1, Qt::Key_F1);
    EXPECT_EQ(helpRequests, 1);
    // The menus' keys are shortcuts of the active window. Without a window
    // manager no window is made the active one; the keys come all the same.
    QWidget elsewhere;
    for (QWidget* active : {&elsewhere, static_cast<QWidget*>(Form1)}) {
        active->show();
        active->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([active] { return active->isActiveWindow(); }));
        for (const auto& [letter, menu] : menus) {
            QTest::keyClick(Form1->windowHandle(), letter, Qt::AltModifier);
            EXPECT_EQ(QApplication::activePopupWidget(), menu) << menu->title().toStdString();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        }
    }
    QTest::keyRelease(Form1->windowHandle(), Qt::Key_F1);
    EXPECT_EQ(helpRequests, 2);
    EXPECT_EQ(Form2->ExerciseMode, TForm2::None);
    EXPECT_TRUE(ActivityLog.isEmpty());
}

TEST_F(KeyboardLessonTest, TheGuideOpensBesideTheAnswerDialogAndEscOrCtrlWGoesBackToIt) {
    HelpFile = QStringLiteral(KOLVANE_SOURCE_DIR "/resources/kolvane.HLP");
    HelpHook = ShowHelpWindow;
    whenPicker();
    key(Qt::Key_V);
    key(Qt::Key_K);
    const QStringList before = ActivityLog;
    for (const QKeySequence& close :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
        WhenModal([close](QWidget* dialog) {
            QTest::keyClick(Form4->Edit1, Qt::Key_5);
            QTest::keyClick(Form4->Edit1, Qt::Key_F1);
            ASSERT_TRUE(HelpWindow && HelpWindow->isVisible());
            EXPECT_FALSE(HelpWindow->frameGeometry().intersects(dialog->frameGeometry()));
            QTest::keySequence(HelpWindow->Browser, close);
            EXPECT_FALSE(HelpWindow->isVisible()) << close.toString().toStdString();
            EXPECT_TRUE(QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); }));
            // Esc leaves the answer dialog too, with nothing recorded.
            QTest::keyClick(Form4->Edit1, Qt::Key_Escape);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "Esc left the answer dialog open";
                Form4->done(QDialog::Rejected);
            }
        });
        key(Qt::Key_Return);
    }
    EXPECT_EQ(ActivityLog, before);
    EXPECT_EQ(DataSetCount, 0);
}

} // namespace
