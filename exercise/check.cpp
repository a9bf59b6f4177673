// SPDX-License-Identifier: GPL-3.0-or-later
// The check: five drawn questions, the pupil's answers through the answer
// dialog, and "Udfør kontrol", which shows the right outputs.
#include "exercise/check.h"
#include "engine/draw_budget.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/answer_dialog.h"
#include "exercise/exercise_window.h"
#include "exercise/machine_picture.h"
#include "exercise/picture_geometry.h"
#include "ui/ui_services.h"

#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

namespace {

using namespace KolvErkl;

// Where the window's top lies on the screen when the main window is
// maximised (its caption and menu bar above): the answer dialog's place is
// given in those screen coordinates.
constexpr int DesignWindowTop = 41;
// The answer of a row not yet answered in this check.
const QString UnansweredText = QStringLiteral("  ");

const QString OnlyNegativeText = QStringLiteral(
    "Maskinen kan ikke lave en kontrol med denne opgave: den giver kun negative tal.");

} // namespace

namespace KolvErkl {

QString AnswerText(int32_t answer) {
    return NumberInWidth(answer, 5).left(5);
}

QString CorrectText(int32_t output) {
    if (!IsValidOutput(output))
        return QStringLiteral("****");
    return NumberInWidth(output, 5);
}

QString AnswerLine(const QStringList& values, const QString& answerText,
                   const QString& correctText) {
    QString line = ValueRowStart(values) + answerText + correctText;
    if (answerText == correctText)
        line += QStringLiteral("    OK");
    return line;
}

QPoint AnswerDialogPlace(int row) {
    const int screenTop = row <= 3 ? 50 * row + 155 : 50 * row + 15;
    return QPoint(410, screenTop - DesignWindowTop);
}

} // namespace KolvErkl

void TForm2::SpeedButton15Click() {
    StartCheck();
}

void TForm2::StartCheck() {
    const bool resultsShown = ShowResults;
    const QString modeLabel = Label2->text();
    const bool keypadShown = !Panel5->isHidden();
    ShowResults = false;
    const ActivityMark before = MarkActivities();
    BeginActivity(CheckActivity);
    ++modeStarts_;
    Label2->setText(QStringLiteral("KONTROLLÉR"));
    SetKeypadVisible(false);
    SpeedButton16->show();
    const Questions questions = MakeCheckQuestions();
    if (questions != Questions::Made) {
        // A check without questions leaves no heading, activity or time.
        TakeBackActivities(before);
        if (questions == Questions::NoValue) {
            AbandonTask();
            return;
        }
        // The task gives values, only none that the answer field can take:
        // the mode in force goes on as it was.
        ShowResults = resultsShown;
        Label2->setText(modeLabel);
        SetKeypadVisible(keypadShown);
        RestoreCheckControls();
        ShowMessage(this, OnlyNegativeText, QStringLiteral(" "));
        return;
    }
    ExerciseMode = Check;
    DataSetCount = 0;
    SetPrintEnabled(false);
    SpeedButton16->setEnabled(false);
    KeyCursor.Begin(CheckRows, 1, [](int, int) { return true; });
    RepaintPicture();
}

TForm2::Questions TForm2::MakeCheckQuestions() {
    if (ExerciseMode != Check)
        ActivityLog << QStringLiteral(" Kontrol:") << QStringLiteral(" ");
    // Drawn apart first, so that a check that finds no questions leaves the
    // questions in force as they were.
    std::array<int32_t, CheckRows + 1> outputs{};
    std::array<std::array<QString, 4>, CheckRows + 1> values;
    bool gaveValue = false;
    DrawBudget budget(MaxDrawsPerQuestion);
    for (int i = 1; i <= CheckRows; ++i) {
        budget.NextItem();
        do {
            if (!budget.Draw())
                return gaveValue ? Questions::OnlyNegative : Questions::NoValue;
            FormulaError = false;
            FillRandomValues(ExperimentValues);
            outputs[i] = MachineOutput(ExperimentValues);
            gaveValue = gaveValue || (!FormulaError && IsValidOutput(outputs[i]));
        } while (FormulaError || !CanBeAsked(outputs[i]));
        for (int j = 0; j < NumberOfVariables; ++j)
            values[i][j] = NumberInWidth(ExperimentValues[j], 2);
    }
    for (int i = 1; i <= CheckRows; ++i) {
        AnswerTexts[i] = UnansweredText;
        CorrectTexts[i].clear();
        CorrectOutputs[i] = outputs[i];
        for (int j = 0; j < NumberOfVariables; ++j)
            ObservationTable[i].Inputs[j] = values[i][j];
    }
    return Questions::Made;
}

QPoint TForm2::AnswerDialogPosition(int row) const {
    // The place is given for the picture right below the toolbar; a picture
    // that lies lower or is scrolled takes the dialog along.
    QPoint place = PaintBox1->mapToGlobal(AnswerDialogPlace(row) - QPoint(0, ToolbarHeight));
    // Where the screen is too small for the place (a large scale), the
    // dialog stays whole on the screen.
    const TForm4* dialog = OnFirstUse(Form4);
    if (const QScreen* screen = this->screen(); screen && dialog) {
        const QRect area = screen->availableGeometry();
        const QSize size = dialog->frameGeometry().size();
        place.setX(std::clamp(place.x(), area.left(),
                              std::max(area.left(), area.right() + 1 - size.width())));
        place.setY(std::clamp(place.y(), area.top(),
                              std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    return place;
}

void TForm2::AskAnswer() {
    ShowResults = false;
    int row = 0;
    for (int i = 1; i <= CheckRows && row == 0; ++i) {
        const QRect field = MouseArea(CheckField(i, OutputColumn));
        if (MouseInRect(field.left(), field.top(), field.right(), field.bottom()))
            row = i;
    }
    TForm4* dialog = row == 0 ? nullptr : OnFirstUse(Form4);
    if (!dialog)
        return;

    dialog->move(AnswerDialogPosition(row));
    dialog->exec();

    bool valid = false;
    const int32_t answer = dialog->AnswerText.toInt(&valid, 10);
    if (!valid)
        return;
    Answers[row] = answer;
    AnswerTexts[row] = AnswerText(answer);
    RecordAnswer(row);
    // The keyboard cursor goes on to the next row that waits for an answer.
    for (int k = 1; k < CheckRows; ++k) {
        const int next = (row - 1 + k) % CheckRows + 1;
        if (AnswerTexts[next] == UnansweredText) {
            KeyCursor.MoveTo(next, 1);
            break;
        }
    }
    RepaintPicture();
    SpeedButton16->setEnabled(DataSetCount >= AnswersForResults);
}

void TForm2::RecordAnswer(int row) {
    DataSetCount += 1;
    CorrectTexts[row] = CorrectText(CorrectOutputs[row]);
    if (AnswerTexts[row] == CorrectTexts[row])
        CountRightAnswer();
    QStringList values;
    for (int j = 0; j < NumberOfVariables; ++j)
        values << ObservationTable[row].Inputs[j];
    ActivityLog << AnswerLine(values, AnswerTexts[row], CorrectTexts[row]);
    RepaintPicture();
}

void TForm2::HideCheckButton() {
    SpeedButton16->hide();
}

void TForm2::RestoreCheckControls() {
    const bool checking = ExerciseMode == Check;
    SpeedButton16->setVisible(checking);
    if (checking)
        SpeedButton16->setEnabled(DataSetCount >= AnswersForResults);
    RepaintPicture();
}

void TForm2::RunOutsideCheck(const std::function<void()>& action) {
    HideCheckButton();
    action();
    RestoreCheckControls();
}

void TForm2::SpeedButton16Click() {
    ShowResults = true;
    if (DataSetCount >= AnswersForResults)
        SetPrintEnabled(true);
    RepaintPicture();
}
