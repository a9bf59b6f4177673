// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_box.h"

#include "ui/button_glyphs.h"
#include "ui/ui_services.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox* AboutBox = nullptr;

QString KolvErkl::ProgramVersion() {
    return QStringLiteral("Version 290306");
}

namespace {

QFont SansSerif(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                  QPoint at) {
    auto* label = KolvErkl::Named(new QLabel(text, parent), QString::fromLatin1(name));
    label->setFont(font);
    label->move(at);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Om programmet"));
    setFixedSize(385, 213);
    QFont body(QStringLiteral("Courier"));
    body.setPixelSize(16);
    setFont(body);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Om Kolvane"));
    Panel1->setGeometry(8, 8, 369, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setAccessibleName(QStringLiteral("Kolvanes ikon"));
    ProgramIcon->setGeometry(80, 16, 33, 33);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/kolvane.png")));

    ProductName =
        MakeLabel(Panel1, "ProductName", QStringLiteral("Kolvane"), SansSerif(32, true), {128, 16});
    Version =
        MakeLabel(Panel1, "Version", KolvErkl::ProgramVersion(), SansSerif(11, true), {132, 76});
    Copyright =
        MakeLabel(Panel1, "Copyright", QStringLiteral("Copyright (C) 2026 Kolvane-udviklerne"),
                  SansSerif(16, true), {8, 116});
    Copyright->setFixedSize(355, 20);
    Copyright->setAlignment(Qt::AlignCenter);

    OKButton = new QPushButton(KolvErkl::CheckGlyph(), QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(143, 178, 77, 27);
    OKButton->setFont(SansSerif(11, true));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // The labels take the size of their text here rather than at start-up,
    // where measuring it would load three fonts the box may never show.
    ProductName->adjustSize();
    Version->adjustSize();
    // Centred on the screen, with the OK button ready for Enter.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    OKButton->setFocus();
    QDialog::showEvent(event);
}
