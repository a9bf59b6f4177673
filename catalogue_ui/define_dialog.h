// SPDX-License-Identifier: GPL-3.0-or-later
// The define dialog "Definition af ny opgave.": a teacher defines task 21..70
// by formula; it is tried, stored, offered for saving, and then started by
// the main window.
#pragma once

#include <QDialog>
#include <string>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace KolvErkl {
class FileDialogs;
extern bool DefineCancelled; // the dialog was left with "&Fortryd" (or closed)
} // namespace KolvErkl

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent);

    // The save offer after a definition uses these dialogs: the main
    // window's in force, which it passes before each opening (a scripted
    // stand-in in tests). Without them no save is offered.
    void SetFileDialogs(KolvErkl::FileDialogs* dialogs) { dialogs_ = dialogs; }

    // Checks, tries, stores and offers to save the task in the fields; on
    // success the dialog closes, otherwise it stays open with the formula
    // selected.
    void AcceptTask();

    void BitBtn1Click(); // "&OK"
    void BitBtn2Click(); // "&Fortryd"
    void RadioButton1Click();
    void RadioButton2Click();

    // "&Fortryd", Esc and the window's close box all abandon the dialog.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool Edit1KeyPress(QKeyEvent* event); // true: the key is swallowed
    bool Edit2KeyPress(QKeyEvent* event);
    void EnterInField(QLineEdit* field, QLineEdit* other);
    void RefuseTask();
    void Message(const std::string& text);

    KolvErkl::FileDialogs* dialogs_ = nullptr;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QPushButton* BitBtn2;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QPushButton* BitBtn1;
};

extern TForm5* Form5;
