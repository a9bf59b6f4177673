// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_ui/yes_no_dialog.h"

#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace KolvErkl {
bool YesNoAnswer = false;
}

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    KolvErkl::MakeFixedDialog(this);
    setWindowTitle(QStringLiteral("Ups"));
    setFont(KolvErkl::CourierNew(10));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    BitBtn1 = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("&Ja"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(KolvErkl::CrossGlyph(), QStringLiteral("&Nej"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    // A focused button takes Enter itself; elsewhere Enter is BitBtn1.
    BitBtn2->setAutoDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addSpacing(10);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm6::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm6::reject);
}

void TForm6::SetLines(const QString& first, const QString& second) {
    Label1->setText(first);
    Label2->setText(second);
}

void TForm6::BitBtn1Click() {
    KolvErkl::YesNoAnswer = true;
    accept();
}

void TForm6::reject() {
    KolvErkl::YesNoAnswer = false;
    QDialog::reject();
}

void TForm6::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        if (event->key() == Qt::Key_J) {
            BitBtn1->click();
            return;
        }
        if (event->key() == Qt::Key_N) {
            BitBtn2->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}
