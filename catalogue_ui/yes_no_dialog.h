// SPDX-License-Identifier: GPL-3.0-or-later
// The yes/no dialog "Ups": two lines set by the caller, "&Ja" and "&Nej".
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace KolvErkl {
extern bool YesNoAnswer; // false at start; "&Ja" true, "&Nej" (or a close) false
}

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    void SetLines(const QString& first, const QString& second);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "&Ja", the default button
    QPushButton* BitBtn2 = nullptr; // "&Nej", the cancel button

public slots:
    void BitBtn1Click();
    // "&Nej", Esc and a close by the window manager all answer no.
    void reject() override;

protected:
    // J and N, as the question's "(j/n)" says, press "&Ja" and "&Nej".
    void keyPressEvent(QKeyEvent* event) override;
};

extern TForm6* Form6;
