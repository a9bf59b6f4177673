// SPDX-License-Identifier: GPL-3.0-or-later
// The list of own tasks, "Liste over selvdefinerede opgaver".
#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace KolvErkl {
// The list's lines for the own-task table as it stands: a heading, a line
// of one blank, then one line per stored task 21 .. 20 + OwnTaskSpan with a
// line of one blank after every fifth (but not at the end).
QStringList OwnTaskListLines();
} // namespace KolvErkl

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "&OK"

public slots:
    void FormActivate(); // rebuilds the list

protected:
    void showEvent(QShowEvent* event) override;
};

extern TForm7* Form7;
