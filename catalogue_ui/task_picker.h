// SPDX-License-Identifier: GPL-3.0-or-later
// The task-number picker: asks which task to run (1 .. 20 + OwnTaskSpan).
// Sets KolvErkl::CurrentTask (0 when abandoned).
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;       // "Opgave-nummer: (1..n)"
    QLineEdit* Edit1 = nullptr;     // the task number; keeps its text between uses
    QPushButton* BitBtn1 = nullptr; // "&OK", the default button
    QPushButton* BitBtn2 = nullptr; // "&Fortryd", the cancel button

public slots:
    void FormActivate();
    void AcceptNumber();
    // "&Fortryd", Esc and a close by the window manager: no task.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Edit1KeyPress(const QKeyEvent& key); // true: swallowed
};

extern TForm3* Form3; // made on its first use (KolvErkl::OnFirstUse)
