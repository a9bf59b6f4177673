// The exercise window by keyboard: a key for every control, the keyboard
// cursor in the experiment and the check, and the picture in words for a
// screen reader. Every key goes through the very handler that a click on
// its control calls, so the log cannot tell keys from clicks.
#include "engine/kolv_erkl.h"
#include "exercise/exercise_window.h"
#include "exercise/picture_geometry.h"

#include <QKeySequence>
#include <QShortcut>
#include <QToolButton>
#include <initializer_list>

namespace {

using namespace KolvErkl;

const char* const VariableNames[] = {"x", "y", "z"};

// A letter, small or capital.
QList<QKeySequence> letter(Qt::Key key) {
    return {QKeySequence(key), QKeySequence(Qt::SHIFT | key)};
}

// A key of the main block or of the number block.
QList<QKeySequence> anyBlock(Qt::Key key) {
    return {QKeySequence(key), QKeySequence(Qt::KeypadModifier | key)};
}

QString cellWords(const QString& text) {
    const QString value = text.trimmed();
    return value.isEmpty() ? QStringLiteral("tom") : value;
}

} // namespace

void TForm2::createKeys() {
    // The keys belong to the main window, whose part this window is: they
    // work wherever the focus is in it, and not while a dialog or the popup
    // menu has the keyboard.
    auto bind = [this](const QList<QKeySequence>& keys, auto action) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    const std::pair<Qt::Key, QToolButton*> letters[] = {
        {Qt::Key_A, SpeedButton12}, {Qt::Key_V, SpeedButton17}, {Qt::Key_O, SpeedButton13},
        {Qt::Key_E, SpeedButton14}, {Qt::Key_K, SpeedButton15}, {Qt::Key_U, SpeedButton16},
        {Qt::Key_N, SpeedButton11}};
    for (const auto& [key, button] : letters)
        bind(letter(key), [this, button = button] { pressByKey(button); });
    bind({QKeySequence(Qt::CTRL | Qt::Key_C)}, [this] { pressByKey(SpeedButton18); });
    for (int digit = 1; digit <= 9; ++digit)
        bind(anyBlock(Qt::Key(Qt::Key_0 + digit)),
             [this, digit] { pressByKey(KeypadButtons[digit]); });

    const std::pair<Qt::Key, KeyboardCursor::Direction> arrows[] = {
        {Qt::Key_Left, KeyboardCursor::Left},
        {Qt::Key_Right, KeyboardCursor::Right},
        {Qt::Key_Up, KeyboardCursor::Up},
        {Qt::Key_Down, KeyboardCursor::Down}};
    for (const auto& [key, direction] : arrows)
        bind(anyBlock(key), [this, direction = direction] { ArrowKey(direction); });
    QList<QKeySequence> enter = anyBlock(Qt::Key_Enter);
    enter << QKeySequence(Qt::Key_Return) << QKeySequence(Qt::Key_Space);
    bind(enter, [this] { EnterKey(); });
}

void TForm2::pressByKey(QToolButton* button) {
    if (button->isVisible() && button->isEnabled())
        button->click();
}

void TForm2::ArrowKey(KeyboardCursor::Direction direction) {
    if (ExerciseMode != Experiment && ExerciseMode != Check)
        return;
    KeyCursor.Move(direction);
    repaintPicture();
}

void TForm2::EnterKey() {
    if (ExerciseMode != Experiment && ExerciseMode != Check)
        return;
    if (KeyCursor.Row() == 0)
        return;
    const QRect field = ExerciseMode == Experiment
                            ? ExperimentField(KeyCursor.Row(), KeyCursor.Column())
                            : CheckField(KeyCursor.Row(), OutputColumn);
    PaintBox1MouseUp(field.center().x(), field.center().y());
}

QRect TForm2::KeyCursorField() const {
    if (!KeyCursor.Shown())
        return {};
    if (ExerciseMode == Experiment)
        return ExperimentField(KeyCursor.Row(), KeyCursor.Column());
    if (ExerciseMode == Check)
        return CheckField(KeyCursor.Row(), OutputColumn);
    return {};
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
