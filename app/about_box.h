// SPDX-License-Identifier: GPL-3.0-or-later
// The about box "Om programmet": program icon, name, version, copyright.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr; // KolvErkl::ProgramVersion()
    QLabel* Copyright = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TAboutBox* AboutBox;

namespace KolvErkl {
// "Version 290306": the about box shows it, and the main window's caption
// ends with it.
QString ProgramVersion();
} // namespace KolvErkl
