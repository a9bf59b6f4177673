// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/error_handler.h"

#include "ui/ui_services.h"

#include <new>
#include <stdexcept>

namespace KolvErkl {

void ShowException(std::exception_ptr failure) {
    QString text;
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Der er ikke hukommelse nok.");
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Der opstod en ukendt fejl.");
    }
    ShowMessage(QApplication::activeWindow(), text, QStringLiteral("Kolvane"));
}

} // namespace KolvErkl

bool KolvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        KolvErkl::ShowException(std::current_exception());
        return false;
    }
}
