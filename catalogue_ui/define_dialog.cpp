// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_ui/define_dialog.h"

#include "catalogue/cp1252.h"
#include "catalogue/define_task.h"
#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "catalogue_ui/yes_no_dialog.h"
#include "engine/kolv_erkl.h"
#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

namespace KolvErkl {
bool DefineCancelled = false;
}

TForm5* Form5 = nullptr;

namespace {

const QString NumberPrompt = QStringLiteral("Opgavens nummer (21..70):");
const QString NumberCharacters = QStringLiteral("0123456789");
const QString FormulaCharacters = QStringLiteral("()*+,-./0123456789abfpqrsxyz");

// Only the listed characters can be typed. Keys that type no character
// (arrows, Delete, Tab, Esc) and control characters such as backspace go
// through as usual.
bool TypesForbiddenCharacter(const QKeyEvent* event, const QString& allowed) {
    const QString text = event->text();
    if (text.isEmpty() || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F)
        return false;
    for (const QChar c : text)
        if (!allowed.contains(c))
            return true;
    return false;
}

bool IsEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    KolvErkl::MakeFixedDialog(this);
    setWindowTitle(QStringLiteral("Definition af ny opgave."));
    setFont(KolvErkl::CourierNew());

    Label1 = new QLabel(NumberPrompt, this);
    Edit1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Tekst:  "), this);
    Edit2 = new QLineEdit(this);
    BitBtn2 = new QPushButton(KolvErkl::CrossGlyph(), QStringLiteral("&Fortryd"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("2 variable"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("3 variable"), this);
    BitBtn1 = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("&OK"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    RadioButton2->setChecked(true);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('x'));
    Edit1->setFixedWidth(charWidth * 8);
    Edit2->setMinimumWidth(charWidth * 62);

    // The dialog has no default button: Enter belongs to the fields.
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, Qt::AlignLeft);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(BitBtn2);
    row->addStretch();
    row->addWidget(RadioButton1);
    row->addWidget(RadioButton2);
    row->addStretch();
    row->addWidget(BitBtn1);
    grid->addLayout(row, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, BitBtn2);
    setTabOrder(BitBtn2, RadioButton1);
    setTabOrder(RadioButton1, RadioButton2);
    setTabOrder(RadioButton2, BitBtn1);

    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
    // The fields' names for a screen reader.
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm5::BitBtn2Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm5::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm5::RadioButton2Click);
}

void TForm5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Every opening starts afresh. The radio buttons show the number of
// variables in force, which a new task gets unless the teacher clicks the
// other one: a radio left from an earlier opening would tell otherwise.
void TForm5::FormShow() {
    Label1->setText(NumberPrompt);
    KolvErkl::DefineCancelled = false;
    (KolvErkl::NumberOfVariables == 2 ? RadioButton1 : RadioButton2)->setChecked(true);
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
}

// With no default button, Enter presses the button that has the focus and
// nothing else.
void TForm5::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm5::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        KolvErkl::OpenHelp();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            KolvErkl::OpenHelp();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == Edit1)
            return Edit1KeyPress(key);
        if (watched == Edit2)
            return Edit2KeyPress(key);
    }
    return QDialog::eventFilter(watched, event);
}

bool TForm5::Edit1KeyPress(QKeyEvent* event) {
    if (IsEnter(event)) {
        EnterInField(Edit1, Edit2);
        return true;
    }
    return TypesForbiddenCharacter(event, NumberCharacters);
}

bool TForm5::Edit2KeyPress(QKeyEvent* event) {
    if (IsEnter(event)) {
        EnterInField(Edit2, Edit1);
        return true;
    }
    return TypesForbiddenCharacter(event, FormulaCharacters);
}

// Enter in a filled field accepts when the other field is filled too, and
// otherwise moves on to it.
void TForm5::EnterInField(QLineEdit* field, QLineEdit* other) {
    if (KolvErkl::IsBlank(field->text()))
        return;
    if (!KolvErkl::IsBlank(other->text()))
        AcceptTask();
    else
        other->setFocus();
}

void TForm5::BitBtn1Click() {
    if (KolvErkl::IsBlank(Edit1->text()))
        Edit1->setFocus();
    else if (KolvErkl::IsBlank(Edit2->text()))
        Edit2->setFocus();
    else
        AcceptTask();
}

void TForm5::BitBtn2Click() {
    reject();
}

void TForm5::reject() {
    KolvErkl::DefineCancelled = true;
    QDialog::reject();
}

void TForm5::RadioButton1Click() {
    KolvErkl::NumberOfVariables = 2;
}

void TForm5::RadioButton2Click() {
    KolvErkl::NumberOfVariables = 3;
}

void TForm5::Message(const std::string& text) {
    KolvErkl::ShowMessage(this, QString::fromStdString(text), QString());
}

void TForm5::RefuseTask() {
    Edit2->selectAll();
    Edit2->setFocus();
}

void TForm5::AcceptTask() {
    using namespace KolvErkl;

    // The task number must be one of the own-task numbers.
    const std::optional<int> number = ParseTaskNumber(Edit1->text().toStdString());
    if (!number) {
        Message(TaskNumberErrorMessage);
        RefuseTask();
        return;
    }
    const int n = *number;

    // A slot in use is only replaced when the teacher agrees.
    if (!OwnTaskSlot(n).IsFree()) {
        std::unique_ptr<TForm6> ownQuestion;
        TForm6* question = OnFirstUse(Form6);
        if (question == nullptr) {
            ownQuestion = std::make_unique<TForm6>(this);
            question = ownQuestion.get();
        }
        question->SetLines(QString::fromStdString(SlotInUseLine),
                           QString::fromStdString(ReplaceOldTaskLine));
        question->exec();
        if (!YesNoAnswer) {
            RefuseTask();
            return;
        }
    }

    // q and z need a third variable.
    const std::string formula = Utf8ToCp1252(Edit2->text().toStdString());
    if (!LettersFitVariables(formula, NumberOfVariables)) {
        Message(TwoVariableLettersMessage);
        RefuseTask();
        return;
    }

    // The formula must give a value on random values; a formula that rarely does is
    // accepted with a warning.
    const TrialResult trial = TryNewTask(n, formula);
    if (!trial.Good) {
        Message(NoGoodTrialMessage);
        RefuseTask();
        return;
    }
    if (trial.Hard())
        Message(HardToFindValuesMessage);

    // Store the task, offer to save it at once, and let the pickers offer its number.
    StoreNewTask(n, formula);
    if (dialogs_ != nullptr) {
        const FileResult saved = SaveOwnTask(*dialogs_);
        if (saved.Failed)
            Message(saved.Message);
    }
    RaiseOwnTaskSpan(n);
    accept();
}
