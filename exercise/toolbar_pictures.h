// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the exercise window's buttons, drawn when it first shows.
#pragma once

#include <QPixmap>

namespace KolvErkl {

QPixmap PrinterPicture();                  // "Udskriv"
QPixmap PencilPicture();                   // heading for printouts
QPixmap DocumentsPicture();                // copy to the clipboard (27 x 27)
QPixmap VariablesPicture();                // "2/3"
QPixmap TaskListPicture();                 // a card list with an arrow
QPixmap SpectaclesPicture();               // "Observér"
QPixmap QuestionDigitsPicture();           // "Eksperimentér"
QPixmap TickPicture(const QColor& colour); // "Kontrollér" yellow, "Udfør kontrol" green

} // namespace KolvErkl
