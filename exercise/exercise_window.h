// The exercise window: a frameless child covering the main window's client
// area, with the toolbar, the keypad and the picture of the machine.
#pragma once

#include <QWidget>

class ExerciseHost;
class QToolButton;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    // FormCreate: becomes a child of mainWindow at (0, 0); 3 variables.
    TForm2(QWidget* mainWindow, ExerciseHost* host);

    // Resizes to the main window's client area; only while visible.
    void AdjustToMainWindow();
    // Starts CurrentTask.
    void StartTask();
    void DisableModeButtons();
    void EnableKeypad();
    void DisableKeypad();

    // Controls the main window reaches directly.
    QToolButton* SpeedButton10 = nullptr; // "Udskriv"
    QToolButton* SpeedButton16 = nullptr; // "Udfør kontrol"

protected:
    void showEvent(QShowEvent* event) override; // FormShow

private:
    ExerciseHost* host_;
};

extern TForm2* Form2; // created once at start-up by the main window
