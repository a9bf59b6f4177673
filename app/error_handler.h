// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide error handler: a failure thrown out of an event handler
// (the printer, the help viewer, the windowing system) is shown in a message
// box and the operation is abandoned; the program goes on.
#pragma once

#include <QApplication>

#include <exception>

namespace KolvErkl {

// Shows the message of a caught exception under the caption "Kolvane".
void ShowException(std::exception_ptr failure);

} // namespace KolvErkl

class KolvaneApplication : public QApplication {
public:
    KolvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
