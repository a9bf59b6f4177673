// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window by keyboard: a key for every control, the keyboard
// cursor in the experiment and the check, and the picture in words for a
// screen reader, with what changed told once per action. Every key goes
// through the very handler that a click on its control calls, so the log
// cannot tell keys from clicks.
#include "engine/kolv_erkl.h"
#include "exercise/exercise_window.h"
#include "exercise/machine_picture.h"
#include "exercise/picture_geometry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <utility>

namespace {

using namespace KolvErkl;

const char* const VariableNames[] = {"x", "y", "z"};
const QString MachineHeader = QStringLiteral("Maskinen");
const QString AnswerHeader = QStringLiteral("Dit svar");
const QString RightHeader = QStringLiteral("Rigtigt svar");
const QString RightWord = QStringLiteral("rigtigt");
const QString WrongWord = QStringLiteral("forkert");
// How long an announcement waits for the window's activation.
constexpr int AnnouncementPatienceMs = 300;

QString cellWords(const QString& text) {
    const QString value = text.trimmed();
    return value.isEmpty() ? BlankWord : value;
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
    announceLater_.setSingleShot(true);
    announceLater_.setInterval(AnnouncementPatienceMs);
    connect(&announceLater_, &QTimer::timeout, this, [this] { TryToAnnounce(true); });
    // The keys come to the main window, whose part this window is, from
    // wherever the focus is in it; they do not come while a dialog is open.
    // They are taken from there rather than as shortcuts, which work only
    // while the window system has made the main window the active one.
    window()->installEventFilter(this);
    // On their way there from the picture, which holds the focus, they pass
    // the scroll area around it, which would take the arrows for itself.
    ScrollBox1->installEventFilter(this);
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
    // After the focus has come back, so that the news of the window itself
    // is told before the changes.
    if (event->type() == QEvent::WindowActivate && announcementDue_)
        QTimer::singleShot(0, this, [this] { TryToAnnounce(false); });
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
    const PictureWords words = PictureInWords();
    toldCursor_ = {words.CurrentRow, words.CurrentColumn};
    PaintBox1->TellCursor();
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

KolvErkl::PictureWords TForm2::PictureInWords() const {
    const int n = NumberOfVariables;
    PictureWords words;
    auto addRow = [&](QRect (*fieldAt)(int, int), int row, const MachineRow& values,
                      const QString& output) {
        std::vector<PictureCell> cells;
        for (int j = 1; j <= n; ++j)
            cells.push_back({cellWords(values.Inputs[j - 1]), fieldAt(row, j)});
        cells.push_back({cellWords(output), fieldAt(row, OutputColumn)});
        words.Rows.push_back(std::move(cells));
    };
    if (ExerciseMode != None) {
        for (int j = 0; j < n; ++j)
            words.Headers << QLatin1String(VariableNames[j]);
        words.Headers << (ExerciseMode == Check ? AnswerHeader : MachineHeader);
    }
    switch (ExerciseMode) {
    case None:
        break;
    case Observe:
        for (int i = 1; i <= 3; ++i)
            addRow(ObserveField, i, ObservationTable[i], ObservationTable[i].Output);
        break;
    case Experiment:
        for (int i = 1; i <= GridRows; ++i)
            addRow(ExperimentField, i, ExperimentGrid[i], ExperimentGrid[i].Output);
        break;
    case Check:
        if (ShowResults)
            words.Headers << RightHeader;
        for (int i = 1; i <= CheckRows; ++i) {
            addRow(CheckField, i, ObservationTable[i], AnswerTexts[i]);
            if (!ShowResults)
                continue;
            // Right or wrong in words, as the picture says it in colour.
            QString result = cellWords(CorrectTexts[i]);
            if (!CorrectTexts[i].isEmpty())
                result += QStringLiteral(", ") +
                          (Answers[i] == CorrectOutputs[i] ? RightWord : WrongWord);
            words.Rows.back().push_back({result, CheckField(i, ResultColumn)});
        }
        break;
    }
    if ((ExerciseMode == Experiment || ExerciseMode == Check) && KeyCursor.Row() > 0) {
        words.CurrentRow = KeyCursor.Row() - 1;
        words.CurrentColumn = ExerciseMode == Experiment ? KeyCursor.Column() - 1 : n;
    }
    return words;
}

QString TForm2::ChangesInWords() {
    const PictureWords now = PictureInWords();
    const QString task = Label1->text().simplified();
    const QString mode = Label2->text();
    QStringList parts;
    if (task != toldTask_)
        parts << (task.isEmpty() ? NoTaskWords : task + QLatin1Char('.'));
    // A mode pressed again starts afresh, as a new mode does.
    const bool freshTable = mode != toldMode_ || modeStarts_ != toldModeStarts_;
    if (freshTable && !mode.isEmpty())
        parts << mode.left(1) + mode.mid(1).toLower() + QLatin1Char('.');

    const bool results = ExerciseMode == Check && ShowResults;
    if (results && !toldResults_) {
        int right = 0;
        for (int i = 1; i <= CheckRows; ++i)
            if (!CorrectTexts[i].isEmpty() && Answers[i] == CorrectOutputs[i])
                ++right;
        parts << QStringLiteral("Resultat: %1 af %2 rigtige.").arg(right).arg(CheckRows);
    }
    // The rows that changed, in words; the results column is told above.
    const int inputs = ExerciseMode == None ? 0 : NumberOfVariables + 1;
    for (std::size_t i = 0; i < now.Rows.size(); ++i) {
        const std::vector<PictureCell>& row = now.Rows[i];
        bool changed = false;
        bool filled = false;
        for (int j = 0; j < inputs; ++j) {
            filled = filled || row[j].Text != BlankWord;
            changed = changed || freshTable || i >= told_.Rows.size() ||
                      told_.Rows[i][j].Text != row[j].Text;
        }
        if (!changed || !filled)
            continue;
        QStringList cells;
        for (int j = 0; j < inputs; ++j) {
            const QString& header = now.Headers[j];
            if (j < NumberOfVariables)
                cells << header + QLatin1Char(' ') + row[j].Text;
            else if (row[j].Text != BlankWord)
                cells << (header == MachineHeader ? QStringLiteral("maskinen giver ")
                                                  : header.toLower() + QLatin1Char(' ')) +
                             row[j].Text;
        }
        parts << QStringLiteral("Række %1: %2.").arg(i + 1).arg(cells.join(QStringLiteral(", ")));
    }
    const bool checkReady = ExerciseMode == Check && SpeedButton16->isEnabled();
    if (checkReady && !toldCheckReady_)
        parts << QStringLiteral("Udfør kontrol kan bruges nu.");
    // The cursor moved with the cells; a move by an arrow key has been told.
    const std::pair<int, int> cursor{now.CurrentRow, now.CurrentColumn};
    if (cursor != toldCursor_ && now.CurrentRow >= 0) {
        parts << QStringLiteral("Markøren står i række %1 på %2.")
                     .arg(now.CurrentRow + 1)
                     .arg(now.Headers[now.CurrentColumn].toLower());
    }

    told_ = now;
    toldTask_ = task;
    toldMode_ = mode;
    toldModeStarts_ = modeStarts_;
    toldResults_ = results;
    toldCheckReady_ = checkReady;
    toldCursor_ = cursor;
    return parts.join(QLatin1Char(' '));
}

void TForm2::NameEmptyLabels() {
    // An empty label shows nothing; a screen reader says what it would show.
    const std::pair<QLabel*, QString> labels[] = {{Label1, QStringLiteral("Ingen opgave valgt")},
                                                  {Label2, QStringLiteral("Ingen arbejdsform")}};
    for (const auto& [label, words] : labels) {
        const QString name = label->text().isEmpty() ? words : QString();
        if (label->accessibleName() != name)
            label->setAccessibleName(name);
    }
}

void TForm2::ScheduleAnnouncement() {
    NameEmptyLabels();
    if (announcementDue_)
        return;
    announcementDue_ = true;
    QTimer::singleShot(0, this, [this] { TryToAnnounce(false); });
}

void TForm2::TryToAnnounce(bool late) {
    if (!announcementDue_)
        return;
    // Not while a dialog or a menu is open; and the window's activation is
    // awaited for a moment, as a window system without a window manager
    // never activates it.
    const bool blocked = QApplication::activeModalWidget() || QApplication::activePopupWidget();
    if (blocked || (!late && !window()->isActiveWindow())) {
        announceLater_.start();
        return;
    }
    announcementDue_ = false;
    announceLater_.stop();
    const std::pair<int, int> cursor = toldCursor_;
    const QString changes = ChangesInWords();
    if (toldCursor_ != cursor)
        PaintBox1->TellCursor();
    PaintBox1->TellChanges(changes);
}
