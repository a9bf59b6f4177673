// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/heading_dialog.h"

#include "exercise/activity_log.h"
#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOverskrif* Overskrif = nullptr;

TOverskrif::TOverskrif(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Overskrif"));
    setWindowTitle(QStringLiteral("   Overskrift"));
    setFont(KolvErkl::CourierNew(10));
    move(229, 123);
    resize(389, 119);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setAccessibleName(QStringLiteral("Overskrift"));
    Bevel1->setGeometry(16, 8, 361, 73);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label1 = new QLabel(QStringLiteral(" Navn eller overskrift til udskrifter: "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 16, 312, 16);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(48, 40, 297, 24);
    Edit1->setText(KolvErkl::Heading); // a heading restored with a lesson
    Edit1->installEventFilter(this);
    Label1->setBuddy(Edit1); // the field's name for a screen reader

    BitBtn1 = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(56, 88, 65, 25);
    BitBtn1->setIconSize(QSize(19, 16));

    BitBtn2 = new QPushButton(KolvErkl::CrossGlyph(), QStringLiteral("&Fortryd"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(264, 88, 89, 25);
    BitBtn2->setIconSize(QSize(20, 20));

    // Enter is handled by the edit field itself (it moves on to "OK"), and a
    // focused button takes Enter as a press; no button is the default.
    BitBtn1->setAutoDefault(true);
    BitBtn2->setAutoDefault(true);
    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(BitBtn1, &QPushButton::clicked, this, &TOverskrif::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOverskrif::BitBtn2Click);
}

void TOverskrif::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A dialog restored after being minimised is shown again by the system;
    // that is no new opening, and the saved heading must stay.
    if (!event->spontaneous())
        FormActivate();
}

// The text is shown as it was left, to be added to, on every platform. A
// dialog that the window system activates later (Windows) hands its focus
// widget a tab-like focus once shown, which would select the whole text for
// the first key to replace.
void TOverskrif::setVisible(bool visible) {
    QDialog::setVisible(visible);
    if (visible && Edit1->hasSelectedText()) {
        Edit1->deselect();
        Edit1->end(false);
    }
}

void TOverskrif::FormActivate() {
    Edit1->setFocus();
    savedHeading_ = Edit1->text();
}

void TOverskrif::BitBtn1Click() {
    KolvErkl::Heading = Edit1->text();
    accept();
}

void TOverskrif::BitBtn2Click() {
    KolvErkl::Heading = savedHeading_;
    reject();
}

// Escape is the cancel button. The close box goes through QDialog's own
// reject() and so leaves Heading as it was.
void TOverskrif::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Enter moves on to "OK" and is consumed; the text stays as it is, and a
// second Enter presses "OK".
bool TOverskrif::Edit1KeyPress(const QKeyEvent& key) {
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
        return false;
    BitBtn1->setFocus();
    return true;
}

bool TOverskrif::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress &&
        Edit1KeyPress(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
