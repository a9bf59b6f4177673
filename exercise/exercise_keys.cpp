// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window by keyboard: a key for every control, the keyboard
// cursor in the experiment and the check, and the picture in words for a
// screen reader. Every key goes through the very handler that a click on
// its control calls, so the log cannot tell keys from clicks.
#include "engine/kolv_erkl.h"
#include "exercise/exercise_window.h"
#include "exercise/picture_geometry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QToolButton>
#include <utility>

namespace {

using namespace KolvErkl;

const char* const VariableNames[] = {"x", "y", "z"};

QString cellWords(const QString& text) {
    const QString value = text.trimmed();
    return value.isEmpty() ? QStringLiteral("tom") : value;
}

// The buttons' keys. A single letter also has a twin with a modifier, for a
// pupil whose screen reader or other assistive tool takes the single
// letters: Alt and the letter, but Ctrl+E for "Eksperimentér", since Alt+E
// opens the main window's menu "Egne opgaver".
struct ButtonKey {
    QToolButton* TForm2::*Button;
    QKeyCombination Key;
    QKeyCombination Twin; // Qt::Key_unknown: none
};
const ButtonKey ButtonKeys[] = {
    {&TForm2::SpeedButton10, Qt::CTRL | Qt::Key_P, {}},
    {&TForm2::SpeedButton11, Qt::Key_N, Qt::ALT | Qt::Key_N},
    {&TForm2::SpeedButton18, Qt::CTRL | Qt::Key_C, {}},
    {&TForm2::SpeedButton12, Qt::Key_A, Qt::ALT | Qt::Key_A},
    {&TForm2::SpeedButton17, Qt::Key_V, Qt::ALT | Qt::Key_V},
    {&TForm2::SpeedButton13, Qt::Key_O, Qt::ALT | Qt::Key_O},
    {&TForm2::SpeedButton14, Qt::Key_E, Qt::CTRL | Qt::Key_E},
    {&TForm2::SpeedButton15, Qt::Key_K, Qt::ALT | Qt::Key_K},
    {&TForm2::SpeedButton16, Qt::Key_U, Qt::ALT | Qt::Key_U},
};

} // namespace

void TForm2::CreateKeys() {
    // The keys come to the main window, whose part this window is, from
    // wherever the focus is in it; they do not come while a dialog is open.
    // They are taken from there rather than as shortcuts, which work only
    // while the window system has made the main window the active one.
    window()->installEventFilter(this);
    // Each hint names its button's key, so that the pupil learns the keys
    // where they look; the accessible name keeps the plain words.
    for (const ButtonKey& row : ButtonKeys) {
        QToolButton* button = this->*row.Button;
        button->setToolTip(QStringLiteral("%1 (%2)").arg(
            button->toolTip(), QKeySequence(row.Key).toString(QKeySequence::PortableText)));
    }
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && KeyPressed(*static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TForm2::KeyPressed(const QKeyEvent& event) {
    if (!isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    // Shift gives the capital letter, which works as the small one; the
    // number block's keys work as those of the main block.
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const int key = event.key();
    if (key == 0 || key == Qt::Key_unknown)
        return false;
    // Ctrl+P is also the menu item's shortcut; it comes here only when the
    // shortcut could not take it, and prints as the menu item does.
    const QKeyCombination pressed(modifiers, Qt::Key(key));
    for (const ButtonKey& row : ButtonKeys) {
        if (pressed == row.Key || pressed == row.Twin) {
            PressByKey(this->*row.Button);
            return true;
        }
    }
    // The digits, with Alt as their twins.
    if ((modifiers == Qt::NoModifier || modifiers == Qt::AltModifier) && key >= Qt::Key_1 &&
        key <= Qt::Key_9) {
        PressByKey(KeypadButtons[key - Qt::Key_0]);
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;

    const std::pair<int, KeyboardCursor::Direction> arrows[] = {
        {Qt::Key_Left, KeyboardCursor::Left},
        {Qt::Key_Right, KeyboardCursor::Right},
        {Qt::Key_Up, KeyboardCursor::Up},
        {Qt::Key_Down, KeyboardCursor::Down}};
    for (const auto& [arrow, direction] : arrows) {
        if (key == arrow) {
            ArrowKey(direction);
            return true;
        }
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        EnterKey();
        return true;
    }
    return false;
}

void TForm2::PressByKey(QToolButton* button) {
    if (button->isVisible() && button->isEnabled())
        button->click();
    ShowKeyCursor();
}

void TForm2::ShowKeyCursor() {
    // A pupil who uses the keys in the experiment or the check sees from
    // then on where Enter works.
    if ((ExerciseMode == Experiment || ExerciseMode == Check) && !KeyCursor.Shown()) {
        KeyCursor.Show();
        RepaintPicture();
    }
}

void TForm2::ArrowKey(KeyboardCursor::Direction direction) {
    if (ExerciseMode != Experiment && ExerciseMode != Check)
        return;
    // The cursor first shows where it stands, so that the pupil sees where
    // it starts from; the next keys move it.
    if (!KeyCursor.Shown()) {
        ShowKeyCursor();
        return;
    }
    KeyCursor.Move(direction);
    RepaintPicture();
}

void TForm2::EnterKey() {
    // Enter never works on a cell that the pupil cannot see: a hidden
    // cursor is only shown.
    const QRect field = KeyCursorField();
    if (field.isNull()) {
        ShowKeyCursor();
        return;
    }
    PaintBox1MouseUp(field.center().x(), field.center().y());
}

QRect TForm2::KeyCursorCell() const {
    if (KeyCursor.Row() == 0)
        return {};
    if (ExerciseMode == Experiment)
        return ExperimentField(KeyCursor.Row(), KeyCursor.Column());
    if (ExerciseMode == Check)
        return CheckField(KeyCursor.Row(), OutputColumn);
    return {};
}

QRect TForm2::KeyCursorField() const {
    return KeyCursor.Shown() ? KeyCursorCell() : QRect();
}

QString TForm2::PictureDescription() const {
    const int n = NumberOfVariables;
    QStringList words;
    auto values = [&](const std::array<QString, 4>& row) {
        QStringList parts;
        for (int j = 0; j < n; ++j)
            parts << QStringLiteral("%1 = %2").arg(QLatin1String(VariableNames[j]),
                                                   cellWords(row[j]));
        return parts.join(QStringLiteral(", "));
    };
    switch (ExerciseMode) {
    case None:
        return QStringLiteral("Maskinen. Ingen opgave i gang.");
    case Observe:
        words << QStringLiteral("Maskinen, observationer.");
        for (int i = 1; i <= 3; ++i)
            words << QStringLiteral("Række %1: %2, maskinen giver %3.")
                         .arg(i)
                         .arg(values(ObservationTable[i]), cellWords(ObservationTable[i][3]));
        break;
    case Experiment:
        words << QStringLiteral("Maskinen, eksperiment.");
        for (int i = 1; i <= GridRows; ++i) {
            std::array<QString, 4> row;
            for (int j = 0; j < 3; ++j)
                row[j] = ExperimentGrid[i].Inputs[j + 1];
            words << QStringLiteral("Række %1: %2, maskinen giver %3.")
                         .arg(i)
                         .arg(values(row), cellWords(ExperimentGrid[i].Output));
        }
        if (KeyCursor.Row() > 0)
            words << QStringLiteral("Markøren står i række %1 på %2.")
                         .arg(KeyCursor.Row())
                         .arg(QLatin1String(VariableNames[KeyCursor.Column() - 1]));
        break;
    case Check:
        words << QStringLiteral("Maskinen, kontrol.");
        for (int i = 1; i <= CheckRows; ++i) {
            QString line = QStringLiteral("Række %1: %2, dit svar %3")
                               .arg(i)
                               .arg(values(ObservationTable[i]), cellWords(AnswerTexts[i]));
            if (ShowResults && !CorrectTexts[i].isEmpty())
                line += QStringLiteral(", maskinen giver %1").arg(cellWords(CorrectTexts[i]));
            words << line + QLatin1Char('.');
        }
        if (KeyCursor.Row() > 0)
            words << QStringLiteral("Markøren står i række %1.").arg(KeyCursor.Row());
        break;
    }
    return words.join(QLatin1Char(' '));
}
