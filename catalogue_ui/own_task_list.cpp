// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_ui/own_task_list.h"

#include "catalogue/task_catalogue.h"
#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

TForm7* Form7 = nullptr;

namespace KolvErkl {

namespace {
QString FromWindows1252(const std::string& bytes) {
    QStringDecoder decode("windows-1252");
    if (!decode.isValid())
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// A name from a file made outside the program may hold line breaks, tabs
// and other control characters. Each shows as one visible placeholder, so
// the task keeps one line and the columns stay where they are.
QString Printable(QString text) {
    for (QChar& c : text)
        if (!c.isPrint())
            c = u'?';
    return text;
}
} // namespace

QStringList OwnTaskListLines() {
    QStringList lines;
    lines << QStringLiteral("   Opgavens navn    Antal variable") << QStringLiteral(" ");
    int k = 0;
    for (int n = FirstOwnTask; n <= FirstOwnTask - 1 + OwnTaskSpan && n <= LastOwnTask; ++n) {
        const TaskRecord& slot = OwnTaskSlot(n);
        if (slot.IsFree())
            continue;
        // The name field holds at most 28 characters, so the cuts to 33 and
        // 45 characters never shorten a line.
        const QString fileName = Printable(FromWindows1252(slot.FileName.Text()));
        const QString name = (QStringLiteral("     ") + fileName).left(33);
        lines << (name + QString(12, u' ')).left(45) + QString::number(slot.VariableCount);
        ++k;
        if (k % 5 == 0 && k < OwnTaskSpan - 1)
            lines << QStringLiteral(" ");
    }
    return lines;
}

} // namespace KolvErkl

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form7"));
    KolvErkl::MakeFixedDialog(this);
    setWindowTitle(QStringLiteral("Liste over selvdefinerede opgaver"));
    setFont(KolvErkl::CourierNew(10));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setAccessibleName(QStringLiteral("Egne opgaver"));
    Memo1->viewport()->setAccessibleName(QStringLiteral("Egne opgaver"));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Knapper"));
    BitBtn1 = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("&OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->addStretch();
    panelLayout->addWidget(BitBtn1);
    panelLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Memo1, 1);
    layout->addWidget(Panel1);
    setFixedSize(420, 360);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm7::FormActivate() {
    Memo1->setPlainText(KolvErkl::OwnTaskListLines().join(u'\n'));
    BitBtn1->setFocus();
}
