// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_services.h"

#include "engine/kolv_erkl.h"
#include "ui/button_glyphs.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace KolvErkl {

std::function<void(const QString&, const QString&)> MessageHook;

namespace {
// Room in a title bar for the window manager's icon and buttons.
constexpr int CaptionButtonsWidth = 120;
} // namespace
std::function<void()> HelpHook;

namespace {

void ResetUiServices() {
    MessageHook = nullptr;
    HelpHook = nullptr;
}

[[maybe_unused]] const bool resetRegistered = RegisterStateReset(ResetUiServices);

} // namespace

namespace {
QPointer<QWidget> dialogOwner; // clears itself when the owner goes
} // namespace

void SetDialogOwner(QWidget* owner) {
    dialogOwner = owner;
}

QWidget* DialogOwner() {
    return dialogOwner.data();
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption) {
    if (MessageHook) {
        MessageHook(text, caption);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    SetCaption(&box, caption);
    // A blank caption shows as it is; a screen reader hears a word instead.
    box.setAccessibleName(caption.trimmed().isEmpty() ? QStringLiteral("Meddelelse")
                                                      : caption.trimmed());
    if (auto* buttons = box.findChild<QDialogButtonBox*>())
        buttons->setAccessibleName(QStringLiteral("Knapper"));
    // The same green tick as on the program's other OK buttons.
    box.button(QMessageBox::Ok)->setIcon(CheckGlyph());
    // A box for a short text would cut its caption in the title bar: make it
    // as wide as the caption and the title bar's buttons need.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(caption) + CaptionButtonsWidth;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

bool IsBlank(const QString& text) {
    return text.isEmpty() || text == QStringLiteral(" ");
}

void SetCaption(QWidget* window, const QString& caption) {
    window->setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
}

namespace {

// Undoes a minimise of the window it watches, once the window system has
// finished it.
class UndoMinimise : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && event->type() == QEvent::WindowStateChange && window->isMinimized()) {
            QTimer::singleShot(0, window, [window] {
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                window->activateWindow();
            });
        }
        return false;
    }
};

} // namespace

void MakeFixedDialog(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->installEventFilter(new UndoMinimise(dialog));
}

QFont CourierNew(int pointSize) {
    QFont font(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont CourierNewPixels(int pixels, bool bold) {
    QFont font = CourierNew();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void OpenHelp() {
    if (HelpHook)
        HelpHook();
}

} // namespace KolvErkl
