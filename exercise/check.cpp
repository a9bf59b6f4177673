// The check: five drawn questions, the pupil's answers through the answer
// dialog, and "Udfør kontrol", which shows the right outputs.
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

// As for the observations: a rule that gives 0 or more for only one of the
// 729 sets of three values still makes its questions.
constexpr int MaxDrawsPerQuestion = 20000;
constexpr int AnswersForResults = 5;
// Where the window's top lies on the screen when the main window is
// maximised (its caption and menu bar above): the answer dialog's place is
// given in those screen coordinates.
constexpr int DesignWindowTop = 41;

QString correctText(int32_t output) {
    if (!IsValidOutput(output))
        return QStringLiteral("****");
    return NumberInWidth(output, 5);
}

} // namespace

void TForm2::SpeedButton15Click() {
    StartCheck();
}

void TForm2::StartCheck() {
    ShowResults = false;
    const ActivityMark before = MarkActivities();
    BeginActivity(CheckActivity);
    Label2->setText(QStringLiteral("KONTROLLÉR"));
    setKeypadVisible(false);
    SpeedButton16->show();
    if (!MakeCheckQuestions()) {
        // A check without questions leaves no heading, activity or time.
        TakeBackActivities(before);
        abandonTask();
        return;
    }
    ExerciseMode = Check;
    DataSetCount = 0;
    setPrintEnabled(false);
    SpeedButton16->setEnabled(false);
    KeyCursor.Begin(CheckRows, 1, [](int, int) { return true; });
    repaintPicture();
}

bool TForm2::MakeCheckQuestions() {
    if (ExerciseMode != Check)
        ActivityLog << QStringLiteral(" Kontrol:") << QStringLiteral(" ");
    for (int i = 1; i <= CheckRows; ++i) {
        AnswerTexts[i] = QStringLiteral("  ");
        CorrectTexts[i].clear();
    }
    // Only outputs of 0 or more are asked: the answer takes digits only.
    DrawBudget budget(MaxDrawsPerQuestion);
    for (int i = 1; i <= CheckRows; ++i) {
        budget.NextItem();
        do {
            if (!budget.Draw())
                return false;
            FormulaError = false;
            FillRandomValues(ExperimentValues);
            CorrectOutputs[i] = MachineOutput(ExperimentValues);
        } while (FormulaError || CorrectOutputs[i] < 0);
        for (int j = 0; j < NumberOfVariables; ++j)
            ObservationTable[i][j] = NumberInWidth(ExperimentValues[j], 2);
    }
    return true;
}

QPoint TForm2::answerDialogPosition(int row) const {
    const int screenTop = row <= 3 ? 50 * row + 155 : 50 * row + 15;
    return mapToGlobal(QPoint(410, screenTop - DesignWindowTop));
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

    Form4->move(answerDialogPosition(row));
    Form4->exec();

    bool valid = false;
    const int32_t answer = Form4->AnswerText.toInt(&valid, 10);
    if (!valid)
        return;
    Answers[row] = answer;
    AnswerTexts[row] = NumberInWidth(answer, 5).left(5);
    RecordAnswer(row);
    repaintPicture();
    SpeedButton16->setEnabled(DataSetCount >= AnswersForResults);
}

void TForm2::RecordAnswer(int row) {
    DataSetCount += 1;
    CorrectTexts[row] = correctText(CorrectOutputs[row]);
    const bool right = AnswerTexts[row] == CorrectTexts[row];
    QString prefix = AnswerTexts[row] + CorrectTexts[row];
    if (right) {
        prefix += QStringLiteral("    OK");
        CountRightAnswer();
    }
    QStringList values;
    for (int j = 0; j < NumberOfVariables; ++j)
        values << ObservationTable[row][j];
    ActivityLog << ValueRowStart(values) + prefix;
    repaintPicture();
}

void TForm2::HideCheckButton() {
    SpeedButton16->hide();
}

void TForm2::RestoreCheckControls() {
    const bool checking = ExerciseMode == Check;
    SpeedButton16->setVisible(checking);
    if (checking)
        SpeedButton16->setEnabled(DataSetCount >= AnswersForResults);
    repaintPicture();
}

void TForm2::SpeedButton16Click() {
    ShowResults = true;
    if (DataSetCount >= AnswersForResults)
        setPrintEnabled(true);
    repaintPicture();
}
