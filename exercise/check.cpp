// SPDX-License-Identifier: GPL-3.0-or-later
// The check: five drawn questions, the pupil's answers through the answer
// dialog, and "Udfør kontrol", which shows the right outputs.
#include "exercise/check.h"
#include "engine/draw_budget.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/answer_dialog.h"
#include "exercise/exercise_window.h"
#include "exercise/picture_geometry.h"

#include <QLabel>
#include <QToolButton>

namespace {

using namespace KolvErkl;

// Where the window's top lies on the screen when the main window is
// maximised (its caption and menu bar above): the answer dialog's place is
// given in those screen coordinates.
constexpr int DesignWindowTop = 41;

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
    ShowResults = false;
    const ActivityMark before = MarkActivities();
    BeginActivity(CheckActivity);
    ++modeStarts_;
    Label2->setText(QStringLiteral("KONTROLLÉR"));
    SetKeypadVisible(false);
    SpeedButton16->show();
    if (!MakeCheckQuestions()) {
        // A check without questions leaves no heading, activity or time.
        TakeBackActivities(before);
        AbandonTask();
        return;
    }
    ExerciseMode = Check;
    DataSetCount = 0;
    SetPrintEnabled(false);
    SpeedButton16->setEnabled(false);
    KeyCursor.Begin(CheckRows, 1, [](int, int) { return true; });
    RepaintPicture();
}

bool TForm2::MakeCheckQuestions() {
    if (ExerciseMode != Check)
        ActivityLog << QStringLiteral(" Kontrol:") << QStringLiteral(" ");
    for (int i = 1; i <= CheckRows; ++i) {
        AnswerTexts[i] = QStringLiteral("  ");
        CorrectTexts[i].clear();
    }
    DrawBudget budget(MaxDrawsPerQuestion);
    for (int i = 1; i <= CheckRows; ++i) {
        budget.NextItem();
        do {
            if (!budget.Draw())
                return false;
            FormulaError = false;
            FillRandomValues(ExperimentValues);
            CorrectOutputs[i] = MachineOutput(ExperimentValues);
        } while (FormulaError || !CanBeAsked(CorrectOutputs[i]));
        for (int j = 0; j < NumberOfVariables; ++j)
            ObservationTable[i][j] = NumberInWidth(ExperimentValues[j], 2);
    }
    return true;
}

QPoint TForm2::AnswerDialogPosition(int row) const {
    return mapToGlobal(AnswerDialogPlace(row));
}

void TForm2::AskAnswer() {
    ShowResults = false;
    int row = 0;
    for (int i = 1; i <= CheckRows && row == 0; ++i) {
        const QRect field = MouseArea(CheckField(i, OutputColumn));
        if (MouseInRect(field.left(), field.top(), field.right(), field.bottom()))
            row = i;
    }
    if (row == 0 || !Form4)
        return;

    Form4->move(AnswerDialogPosition(row));
    Form4->exec();

    bool valid = false;
    const int32_t answer = Form4->AnswerText.toInt(&valid, 10);
    if (!valid)
        return;
    Answers[row] = answer;
    AnswerTexts[row] = AnswerText(answer);
    RecordAnswer(row);
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
        values << ObservationTable[row][j];
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

void TForm2::SpeedButton16Click() {
    ShowResults = true;
    if (DataSetCount >= AnswersForResults)
        SetPrintEnabled(true);
    RepaintPicture();
}
