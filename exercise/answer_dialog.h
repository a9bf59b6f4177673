// SPDX-License-Identifier: GPL-3.0-or-later
// The answer dialog of the check: "Svar:" and a number.
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // What the dialog hands back: the accepted text, or empty when nothing
    // was accepted (also when Esc or the window system closed the dialog).
    QString AnswerText;

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override; // FormActivate
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    bool Edit1KeyPress(QKeyEvent* event); // true: the key is dropped
    void Edit1KeyUp(QKeyEvent* event);
    void AcceptAnswer();
    void Refuse();
};

extern TForm4* Form4;
