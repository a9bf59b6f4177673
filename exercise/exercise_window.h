// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window: a frameless child covering the main window's client
// area, with the toolbar, the keypad and the picture of the machine.
//
// TForm2's handlers are split by topic: exercise_window.cpp holds the
// controls, the task start, observing and experimenting (the grid's rules
// apart from the window are in experiment_grid.h); check.cpp the check (its
// rules apart from the window are in check.h);
// machine_picture.cpp the drawing; exercise_keys.cpp the keyboard.
#pragma once

#include "exercise/exercise_accessible.h"
#include "exercise/experiment_grid.h"
#include "exercise/keyboard_cursor.h"

#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class ExerciseHost;
class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QPainter;
class QScrollArea;
class QPixmap;
class QToolButton;
class TPaintBox;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    // FormCreate: becomes a hidden child of the main window's client area;
    // 3 variables.
    TForm2(QWidget* clientArea, ExerciseHost* host);
    ~TForm2() override;

    // Covers its parent, the main window's client area; only while visible.
    void FillClientArea();
    // Starts CurrentTask. False when the number names a free own-task slot:
    // the pupil is told so, and a task that runs goes on as it was.
    bool StartTask();
    void DisableModeButtons();
    void EnableKeypad();
    // Also drops a digit or a cell that waited for the other half.
    void DisableKeypad();

    // The window opens after the title picture: printing and the modes are
    // off until a task starts or a lesson is taken up again.
    void OpenAfterTitle();
    // A task runs in one of the modes.
    bool TaskRunning() const { return ExerciseMode != None; }

    // "Udfør kontrol" is hidden while an action outside the check runs (a
    // dialog, a load, a definition). Afterwards the check's controls are put
    // back as the check stands: the button shows while the check runs, and
    // is enabled once five answers are given.
    void HideCheckButton();
    void RestoreCheckControls();
    // Runs the action with "Udfør kontrol" hidden, and puts the check's
    // controls back after it.
    void RunOutsideCheck(const std::function<void()>& action);

    // Takes up the lesson again after the program came back from an end
    // that was not its own, with the log, the activities and CurrentTask
    // as they were: the task's labels and rule as at its start, but in no
    // mode, with the mode buttons enabled and the log printable. With the
    // rule no longer in force (a file loaded at start-up replaced it) no
    // task runs, and the pupil is asked to choose it again.
    void ResumeTask(bool ruleInForce);

    // The rule of the running task changed under it (extra tasks loaded):
    // the task stops, its log stays for printing and copying, and the pupil
    // is asked to choose the task again. Nothing happens when no task runs.
    void StopTaskWithChangedRule();

    QToolButton* SpeedButton10 = nullptr; // "Udskriv"
    QToolButton* SpeedButton16 = nullptr; // "Udfør kontrol"

    // ---- Window state ----------------------------------------------------
    enum Mode { None = 0, Observe = 1, Experiment = 2, Check = 3 };
    // The toolbar's height, and so the picture's top when no keypad shows.
    static constexpr int ToolbarHeight = 49;
    static constexpr int ObservationRows = 5;
    static constexpr int GridRows = KolvErkl::ExperimentGrid::Rows;
    static constexpr int CheckRows = 5;

    Mode ExerciseMode = None;
    // Rows 1..5 ([0] unused): the observations, and the check's questions.
    std::array<KolvErkl::MachineRow, ObservationRows + 1> ObservationTable;
    KolvErkl::ExperimentGrid ExperimentGrid;
    QString TaskNumberText;
    int MouseX = 0;
    int MouseY = 0;

    // The check (rows 1..5; entry 0 unused).
    std::array<int32_t, CheckRows + 1> CorrectOutputs{};
    std::array<QString, CheckRows + 1> AnswerTexts;
    std::array<QString, CheckRows + 1> CorrectTexts;
    std::array<int32_t, CheckRows + 1> Answers{};
    bool ShowResults = false;

    // Where Enter or Space works in the experiment and the check.
    KeyboardCursor KeyCursor;

    // ---- Handlers ----------------------------------------------------------
    void PaintBox1Paint(QPainter& canvas);
    void PaintBox1MouseUp(int x, int y);
    void DigitPressed(int digit); // SpeedButton1Click .. SpeedButton9Click
    void SpeedButton10Click();    // print
    void SpeedButton11Click();    // heading
    void SpeedButton12Click();    // 2 or 3 variables
    void SpeedButton13Click();    // observe
    void SpeedButton14Click();    // experiment
    void SpeedButton15Click();    // check
    void SpeedButton16Click();    // carry out the check
    void SpeedButton17Click();    // choose task
    void SpeedButton18Click();    // copy to the clipboard
    void N2variable1Click();
    void N3variable1Click();

    bool MouseInRect(int left, int top, int right, int bottom) const;

    // The keyboard: each key does what a click on its control does. True
    // when the key is one of the window's.
    bool KeyPressed(const QKeyEvent& event);
    // The first key of the experiment or the check shows the keyboard
    // cursor where it stands; an arrow key or Enter then does nothing more.
    void ArrowKey(KeyboardCursor::Direction direction);
    void EnterKey(); // Enter and Space: a click on the keyboard cursor's field
    // The field under the keyboard cursor while it is shown; empty otherwise.
    QRect KeyCursorField() const;
    // What the picture shows, in words, for a screen reader: the rows and
    // fields of the mode in force, and the keyboard cursor's cell.
    KolvErkl::PictureWords PictureInWords() const;
    // What changed since the last announcement, in words; empty when nothing
    // did. Each call takes the changes as told.
    QString ChangesInWords();

    // Controls, by their design names.
    QWidget* Panel1 = nullptr;
    QWidget* Panel5 = nullptr;
    // Scrolls the picture only when the window is too small for it.
    QScrollArea* ScrollBox1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel2 = nullptr;
    QFrame* Bevel3 = nullptr;
    QFrame* Bevel4 = nullptr;
    std::array<QToolButton*, 10> KeypadButtons{}; // SpeedButton1..9 at [1..9]
    QToolButton* SpeedButton11 = nullptr;
    QToolButton* SpeedButton12 = nullptr;
    QToolButton* SpeedButton13 = nullptr;
    QToolButton* SpeedButton14 = nullptr;
    QToolButton* SpeedButton15 = nullptr;
    QToolButton* SpeedButton17 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N2variable1 = nullptr;
    QAction* N3variable1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override; // FormShow
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override; // the keys

private:
    void FormShow();
    void CreateToolbar();
    void CreatePictureHolders();
    void CreateVariablesMenu();
    void CreateKeypad();
    void CreatePicture();
    void CreateKeys();
    // A key for a button: a click on it while it is shown and enabled.
    void PressByKey(QToolButton* button);
    // Shows the keyboard cursor, in the experiment and the check.
    void ShowKeyCursor();
    // The field under the keyboard cursor, shown or not; empty outside the
    // experiment and the check, or with no cell to stand on.
    QRect KeyCursorCell() const;
    void LayOut();
    // The pictures of the buttons and of the picture holders, drawn when
    // the window first shows: drawing the digits on two buttons loads fonts
    // that the title phase does not need.
    void DrawPictures();
    // A button's picture, drawn by draw when the window first shows.
    void PictureWhenShown(QToolButton* button, QPixmap (*draw)());
    std::vector<std::function<void()>> undrawn_;
    void RepaintPicture();
    void SetPrintEnabled(bool enabled);
    void SetKeypadVisible(bool visible);
    // No mode, an empty picture, the mode buttons off and the keypad hidden;
    // the log and the activities stay.
    void StopTask();
    // A task that cannot give values: tell the pupil and stop in None.
    void AbandonTask();
    // CurrentTask's number text, label and rule (an own task's formula from
    // its slot), and the mode buttons enabled.
    void TakeUpTask();

    void StartObserving();
    bool MakeObservations();
    void StartExperimenting();
    void HitExperimentCell();
    // What the window shows and logs after an entry into the grid, with the
    // number of variables as the entry found it (the draw of a row's last
    // value may bring in an extra task's own).
    void ShowExperimentEntry(KolvErkl::ExperimentGrid::Entry entry, int variables);
    void ChooseVariables(int variables);
    void ChooseTask();

    // The check.
    enum class Questions { Made, OnlyNegative, NoValue };
    void StartCheck();
    // Draws the five questions; on failure the table, the answers and the
    // questions in force stay as they were.
    Questions MakeCheckQuestions();
    void AskAnswer();
    void RecordAnswer(int row);
    QPoint AnswerDialogPosition(int row) const;

    // A screen reader hears the changes of one action once, after the
    // action: when the main window is active again, so that the window's
    // own news (a dialog closed, the focus back) does not cut it off.
    void ScheduleAnnouncement();
    void NameEmptyLabels();
    // late: the window's activation has been awaited long enough.
    void TryToAnnounce(bool late);

    ExerciseHost* host_;
    bool announcementDue_ = false;
    QTimer announceLater_;
    // What was told last.
    KolvErkl::PictureWords told_;
    QString toldTask_;
    QString toldMode_;
    int modeStarts_ = 0;
    int toldModeStarts_ = 0;
    bool toldResults_ = false;
    bool toldCheckReady_ = false;
    std::pair<int, int> toldCursor_{-1, -1};
};

// The main window's exercise window, for the windows and the journal that
// share it; the main window makes it and reaches it through its own member.
extern TForm2* Form2;
