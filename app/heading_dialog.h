// SPDX-License-Identifier: GPL-3.0-or-later
// The heading dialog "   Overskrift": the pupil's name or another heading
// put above the printed and copied log (KolvErkl::Heading).
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TOverskrif : public QDialog {
    Q_OBJECT
public:
    explicit TOverskrif(QWidget* parent = nullptr);

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "OK"
    QPushButton* BitBtn2 = nullptr; // "&Fortryd"

public slots:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void setVisible(bool visible) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Edit1KeyPress(const QKeyEvent& key); // true: consumed

    // The edit field's text when the dialog was opened; "&Fortryd" makes it
    // the heading again.
    QString savedHeading_;
};

extern TOverskrif* Overskrif;
