// SPDX-License-Identifier: GPL-3.0-or-later
// The main window "   Kolvane   Version 290306": green, maximised over the
// work area, with the menu bar and the title picture; three seconds after it
// is shown the exercise window opens inside it and covers its client area.
#pragma once

#include "exercise/exercise_host.h"

#include <QMainWindow>
#include <QPoint>
#include <QSize>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTextEdit;
class QTimer;
class TForm2;

namespace KolvErkl {
class FileDialogs;
class LessonJournal;
class PrintBackend;
} // namespace KolvErkl

// Top-left corner of the title picture for a main window of the given outer
// size (frame, title bar and menu bar included): W div 2 - 140, H div 2 - 120.
QPoint TitlePicturePosition(QSize outerSize);

class TForm1 : public QMainWindow, public ExerciseHost {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ExerciseHost
    void SetPrintMenuEnabled(bool enabled) override;
    void PrintActivityLog() override;
    void ShowHeadingDialog() override;

    // The client area below the menu bar; the exercise window's parent.
    QWidget* ClientArea() const { return clientArea_; }
    // The exercise window (Form2), made hidden right after the title was
    // first painted, or at its first need before that; gone with the main
    // window.
    TForm2& ExerciseWindow();
    // Where "Udskriv" prints; unless set (nullptr goes back to it), the
    // system's printer with its print dialog, from the printer module loaded
    // at the first print.
    void SetPrintBackend(KolvErkl::PrintBackend* backend);
    // Sends the questions of the loads and of the define dialog's save offer
    // to another answerer (a scripted stand-in in tests); nullptr goes back
    // to the real dialogs.
    void SetFileDialogs(KolvErkl::FileDialogs* dialogs);
    // The journal that keeps the lesson for the next start (main() sets
    // it): offered back when the exercise window opens, asked before the
    // window closes, removed at a normal end.
    void SetLessonJournal(KolvErkl::LessonJournal* journal) { journal_ = journal; }

    QMenuBar* MainMenu1 = nullptr;
    QMenu* Filer1 = nullptr;
    QMenu* Hentopgaver1 = nullptr;
    QAction* Hentegneopgaver1 = nullptr;
    QAction* HentEkstraopgaver1 = nullptr;
    QAction* Udskriv1 = nullptr;
    QAction* Afslut1 = nullptr;
    QMenu* Egneopgaver1 = nullptr;
    QAction* Definernyopgave1 = nullptr;
    QAction* Listeoveregneopgaver1 = nullptr;
    QMenu* Oplysninger1 = nullptr;
    QAction* Vejledning1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Omprogrammet1 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTextEdit* Memo1 = nullptr; // never shown; its font is the print font

public slots:
    void FormShow();
    void FormResize();
    void FormActivate(); // runs its steps once per run
    void Timer1Timer();
    void Hentegneopgaver1Click();
    void HentEkstraopgaver1Click();
    void Udskriv1Click();
    void Afslut1Click();
    void Definernyopgave1Click();
    void Listeoveregneopgaver1Click();
    void Vejledning1Click();
    void Omprogrammet1Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks first when the log holds lines never printed or copied.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void PlaceTitlePicture();

    QWidget* clientArea_ = nullptr;
    TForm2* exercise_ = nullptr; // made by ExerciseWindow()
    bool exerciseQueued_ = false;
    // The real dialogs and printer, and the ones in force.
    std::unique_ptr<KolvErkl::FileDialogs> qtDialogs_;
    KolvErkl::FileDialogs* fileDialogs_ = nullptr;
    std::unique_ptr<KolvErkl::PrintBackend> printer_; // once it was loaded
    KolvErkl::PrintBackend* printBackend_ = nullptr;  // set instead of the printer
    KolvErkl::LessonJournal* journal_ = nullptr;
    bool shown_ = false;
    bool activated_ = false;
};

extern TForm1* Form1;
