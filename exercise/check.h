// SPDX-License-Identifier: GPL-3.0-or-later
// The check's own rules, apart from the window that shows it: which outputs
// make a question, how an output and an answer are written, when an answer
// is right, and where the answer dialog opens. TForm2's check handlers
// (check.cpp) build on these.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace KolvErkl {

// How many answers the check needs before "Udfør kontrol" may show the
// results and printing is allowed again.
constexpr int AnswersForResults = 5;
// How many sets of values one question draws before a rule counts as giving
// none. As for the observations, a rule that gives 0 or more for only one
// of the 729 sets of three values still makes its questions.
constexpr int MaxDrawsPerQuestion = 20000;

// Only outputs of 0 or more are asked: the answer field takes digits only.
inline bool CanBeAsked(int32_t output) {
    return output >= 0;
}
// The pupil's answer as the picture and the log show it: in width 5, cut
// to 5 characters.
QString AnswerText(int32_t answer);
// The right output as "Udfør kontrol" shows it: in width 5, or "****" when
// the rule gives no value.
QString CorrectText(int32_t output);
// The log line of an answered question: the values, the answer, the right
// output and, for a right answer, "    OK".
QString AnswerLine(const QStringList& values, const QString& answerText,
                   const QString& correctText);
// Where the answer dialog for a check row opens, in the window's
// coordinates.
QPoint AnswerDialogPlace(int row);

} // namespace KolvErkl
