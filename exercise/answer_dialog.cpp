// SPDX-License-Identifier: GPL-3.0-or-later
// The answer dialog: takes one whole number of digits only, refuses empty and
// over-long answers, and hands the accepted text back in AnswerText.
#include "exercise/answer_dialog.h"

#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

TForm4* Form4 = nullptr;

namespace {

constexpr int MaxAnswerText = 60;

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    KolvErkl::MakeFixedDialog(this);
    KolvErkl::SetCaption(this, QString());
    // The title stays empty on the screen; a screen reader hears this.
    setAccessibleName(QStringLiteral("Svar"));
    setModal(true);
    setFixedSize(180, 71);
    setFont(KolvErkl::CourierNewPixels(13));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setAccessibleName(QStringLiteral("Svar"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(16, 4, 149, 33);

    Label1 = new QLabel(QStringLiteral("Svar:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(28, 12);
    Label1->adjustSize();

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(72, 12, 77, 24);
    Label1->setBuddy(Edit1); // the field's name for a screen reader
    Edit1->installEventFilter(this);
    // The field holds digits only, whichever way text comes in: typed,
    // pasted by any means (the middle button too), dropped, or from an input
    // method. Keys are filtered one by one as well, below.
    Edit1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit1));
    Edit1->setContextMenuPolicy(Qt::NoContextMenu);
    Edit1->setAcceptDrops(false);

    BitBtn1 = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("&OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(16, 40, 65, 25);
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);

    setTabOrder(Edit1, BitBtn1);
    // The window system's close command counts as "nothing recorded".
    connect(this, &QDialog::rejected, this, [this] { AnswerText.clear(); });
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm4::FormActivate() {
    AnswerText.clear();
    Edit1->clear();
    Edit1->setFocus();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1) {
        if (event->type() == QEvent::KeyPress)
            return Edit1KeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::KeyRelease)
            Edit1KeyUp(static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

bool TForm4::Edit1KeyPress(QKeyEvent* event) {
    if (isEnter(event->key())) {
        // Enter accepts a filled field and presses OK on an empty one.
        if (Edit1->text() > QStringLiteral(" "))
            AcceptAnswer();
        else
            BitBtn1Click();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        // Leaves the dialog as its close box does, recording nothing: a
        // pupil who opened it by mistake need not give an answer.
        reject();
        return true;
    }
    if (event->matches(QKeySequence::Paste))
        return true;
    const QString text = event->text();
    // Cursor movement and the like. Delete edits and Tab moves on to OK,
    // although they come with the characters 0x7f and 0x09.
    const int key = event->key();
    if (text.isEmpty() || key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    if (key == Qt::Key_Backspace)
        return false;
    // Every other character but the digits is dropped.
    return !(text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'));
}

void TForm4::Edit1KeyUp(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1)
        KolvErkl::OpenHelp();
}

void TForm4::BitBtn1Click() {
    if (Edit1->text() > QStringLiteral(" "))
        AcceptAnswer();
    else
        Refuse();
}

void TForm4::AcceptAnswer() {
    bool fits = false;
    Edit1->text().toInt(&fits, 10);
    if (!fits) {
        Refuse();
        return;
    }
    AnswerText = Edit1->text().left(MaxAnswerText);
    accept();
}

void TForm4::Refuse() {
    AnswerText.clear();
    Edit1->clear();
    Edit1->setFocus();
}
