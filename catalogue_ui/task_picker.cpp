// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_ui/task_picker.h"

#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"
#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    KolvErkl::MakeFixedDialog(this);
    KolvErkl::SetCaption(this, QString());
    // The title stays empty on the screen; a screen reader hears this.
    setAccessibleName(QStringLiteral("Vælg opgave"));
    setFont(KolvErkl::CourierNew(10));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->installEventFilter(this);
    Label1->setBuddy(Edit1); // the field's name for a screen reader
    BitBtn1 = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("&OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(KolvErkl::CrossGlyph(), QStringLiteral("&Fortryd"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    // A focused button takes Enter itself; elsewhere Enter is BitBtn1.
    BitBtn2->setAutoDefault(true);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(14);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons, 1, 0, 1, 2);
    Label1->setText(QStringLiteral("Opgave-nummer: (1..70)")); // the widest it gets
    setFixedSize(sizeHint());

    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::AcceptNumber);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm3::reject);
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm3::FormActivate() {
    Label1->setText(QStringLiteral("Opgave-nummer: (1..%1)")
                        .arg(KolvErkl::BuiltInTasks + KolvErkl::OwnTaskSpan));
    Edit1->selectAll();
    Edit1->setFocus();
}

void TForm3::AcceptNumber() {
    bool isNumber = false;
    const int n = Edit1->text().toInt(&isNumber, 10);
    if (!isNumber || n < 1 || n > KolvErkl::BuiltInTasks + KolvErkl::OwnTaskSpan) {
        Edit1->clear();
        Edit1->setFocus();
        return;
    }
    KolvErkl::AdoptOwnTaskVariables(n);
    KolvErkl::CurrentTask = n;
    accept();
}

void TForm3::reject() {
    KolvErkl::CurrentTask = 0;
    QDialog::reject();
}

bool TForm3::Edit1KeyPress(const QKeyEvent& key) {
    // Only typed characters are filtered: the digits and backspace pass,
    // every other character is swallowed. Keys that type nothing (arrows,
    // Enter, Esc) keep their usual meaning, and so do Delete and Tab,
    // although X11 sends them with the characters 0x7f and 0x09.
    const QString text = key.text();
    if (text.isEmpty() || key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete ||
        key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return false;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape)
        return false;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // shortcuts such as Ctrl+A and the accelerators
    return !(text.size() == 1 && text[0] >= u'0' && text[0] <= u'9');
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress &&
        Edit1KeyPress(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
