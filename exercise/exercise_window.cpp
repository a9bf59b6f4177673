// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window: its controls, the task start, the observe mode and
// the experiment mode. The check lives in check.cpp, the drawing in
// machine_picture.cpp.
#include "exercise/exercise_window.h"

#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "catalogue_ui/task_picker.h"
#include "engine/draw_budget.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/exercise_host.h"
#include "exercise/machine_picture.h"
#include "exercise/picture_geometry.h"
#include "exercise/toolbar_pictures.h"
#include "ui/ui_services.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>
#include <tuple>

TForm2* Form2 = nullptr;

namespace {

using namespace KolvErkl;

constexpr int ToolbarHeight = TForm2::ToolbarHeight;
// When the window is too narrow for the task and mode labels beside the
// buttons, they go on a line of their own beneath them.
constexpr int LabelsLeft = 376;
constexpr int WrappedLabelsLeft = 12;
constexpr int WrappedToolbarHeight = ToolbarHeight + 40;
constexpr int KeypadHeight = 56;
constexpr int ButtonSize = 33;
constexpr int ButtonTop = 8;
constexpr int KeypadButtonSize = 25;
// How many values MakeObservations draws for one row before it gives up on
// a formula that fails for everything. Enough to find, all but certainly, a
// formula's one good set among the 729 sets of three values.
constexpr int MaxDrawsPerRow = 20000;

const QString NoSuchTaskText =
    QStringLiteral("Der er ikke defineret nogen opgave med dette nummer");
const QString NoValuesText = QStringLiteral(
    "Maskinen kan ikke give nogen værdier med denne opgave: formlen giver fejl for alle de tal, "
    "der blev prøvet. Vælg en anden opgave.");
const QString RuleChangedText = QStringLiteral("Opgavens regel er skiftet. Vælg opgaven igen.");

// The button's plain words are its accessible name and the start of its
// hint; the hint goes on with the button's key (CreateKeys). Its picture
// comes when the window first shows (DrawPictures).
QToolButton* speedButton(QWidget* parent, const QString& name, int x, int y, const QString& words) {
    auto* button = Named(new QToolButton(parent), name, words);
    button->setGeometry(x, y, ButtonSize, ButtonSize);
    button->setToolTip(words);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QFrame* bevel(QWidget* parent, const QString& name, const QRect& geometry, const QString& words) {
    auto* frame = Named(new QFrame(parent), name, words);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(geometry);
    frame->lower();
    return frame;
}

QWidget* panel(QWidget* parent, const QString& name, const QString& words) {
    auto* frame = Named(new QFrame(parent), name, words);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return frame;
}

} // namespace

// ---- FormCreate and the layout ---------------------------------------------

TForm2::TForm2(QWidget* clientArea, ExerciseHost* host) : QWidget(clientArea), host_(host) {
    InstallExerciseAccessibility();
    setObjectName(QStringLiteral("Form2"));
    setAccessibleName(QStringLiteral("Øvelse"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setFont(CourierNewPixels(16, true));

    CreateToolbar();
    CreateKeypad();
    CreatePicture();
    CreateKeys();
    NameEmptyLabels();
    // Laid out when it first shows: measuring the labels' texts loads the
    // window's font, which the title phase does not need.
    resize(594, 365);

    NumberOfVariables = 3;

    SummaryHook = [this] {
        if (ExerciseMode == Experiment)
            DisableKeypad();
    };
    hide();
}

TForm2::~TForm2() {
    SummaryHook = nullptr;
}

void TForm2::CreateToolbar() {
    Panel1 = panel(this, QStringLiteral("Panel1"), QStringLiteral("Værktøjslinje"));

    Bevel2 =
        bevel(Panel1, QStringLiteral("Bevel2"), QRect(12, 4, 117, 41), QStringLiteral("Forløbet"));
    Bevel3 =
        bevel(Panel1, QStringLiteral("Bevel3"), QRect(140, 4, 81, 41), QStringLiteral("Opgaven"));
    Bevel4 = bevel(Panel1, QStringLiteral("Bevel4"), QRect(232, 4, 121, 41),
                   QStringLiteral("Arbejdsformer"));

    // The speed buttons from left to right: the log's (print, heading, copy),
    // the task's (variables, choice) and the modes.
    struct ButtonRow {
        QToolButton*& button;
        const char* name;
        int x;
        QString words; // what the button does, in plain words
        QPixmap (*picture)();
        void (TForm2::*click)();
    };
    const ButtonRow buttons[] = {
        {SpeedButton10, "SpeedButton10", 18, QStringLiteral("Udskriv"), PrinterPicture,
         &TForm2::SpeedButton10Click},
        {SpeedButton11, "SpeedButton11", 54, QStringLiteral("Navn eller overskrift til udskrifter"),
         PencilPicture, &TForm2::SpeedButton11Click},
        {SpeedButton18, "SpeedButton18", 90, QStringLiteral("Kopier forløbet til Klippebordet"),
         DocumentsPicture, &TForm2::SpeedButton18Click},
        {SpeedButton12, "SpeedButton12", 146, QStringLiteral("2 eller 3 variable"),
         VariablesPicture, &TForm2::SpeedButton12Click},
        {SpeedButton17, "SpeedButton17", 182, QStringLiteral("Vælg opgave"), TaskListPicture,
         &TForm2::SpeedButton17Click},
        {SpeedButton13, "SpeedButton13", 238, QStringLiteral("Observér"), SpectaclesPicture,
         &TForm2::SpeedButton13Click},
        {SpeedButton14, "SpeedButton14", 276, QStringLiteral("Eksperimentér"),
         QuestionDigitsPicture, &TForm2::SpeedButton14Click},
        {SpeedButton15, "SpeedButton15", 314, QStringLiteral("Kontrollér"),
         [] { return TickPicture(QColor(250, 220, 0)); }, &TForm2::SpeedButton15Click},
    };
    for (const ButtonRow& row : buttons) {
        row.button = speedButton(Panel1, QLatin1String(row.name), row.x, ButtonTop, row.words);
        PictureWhenShown(row.button, row.picture);
        connect(row.button, &QToolButton::clicked, this, row.click);
    }

    Label1 = Named(new QLabel(Panel1), QStringLiteral("Label1"));
    Label1->setGeometry(376, 6, 500, 19);
    Label2 = Named(new QLabel(Panel1), QStringLiteral("Label2"));
    Label2->setGeometry(376, 26, 500, 19);

    CreatePictureHolders();
    CreateVariablesMenu();
}

void TForm2::CreatePictureHolders() {
    // The pictures of the machine, held by hidden images as in the toolbar
    // of the design; the painter draws from the same pictures.
    const std::tuple<const char*, const QImage& (*)(), QString> pictures[] = {
        {"Pilen", DrawnArrow, QStringLiteral("Pil")},
        {"Ofelt", []() -> const QImage& { return DrawnField(false); }, QStringLiteral("Felt")},
        {"Kfelt", []() -> const QImage& { return DrawnField(true); },
         QStringLiteral("Bredt felt")}};
    for (const auto& [name, picture, words] : pictures) {
        auto* holder = Named(new QLabel(Panel1), QLatin1String(name), words);
        holder->hide();
        undrawn_.emplace_back(
            [holder, picture = picture] { holder->setPixmap(QPixmap::fromImage(picture())); });
    }
}

void TForm2::CreateVariablesMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setAccessibleName(QStringLiteral("2 eller 3 variable"));
    N2variable1 = PopupMenu1->addAction(QStringLiteral("2 variable"));
    N2variable1->setObjectName(QStringLiteral("N2variable1"));
    N3variable1 = PopupMenu1->addAction(QStringLiteral("3 variable"));
    N3variable1->setObjectName(QStringLiteral("N3variable1"));
    connect(N2variable1, &QAction::triggered, this, &TForm2::N2variable1Click);
    connect(N3variable1, &QAction::triggered, this, &TForm2::N3variable1Click);
    // Dismissed without a choice, the menu leaves a running check as it was.
    connect(PopupMenu1, &QMenu::aboutToHide, this, &TForm2::RestoreCheckControls);
}

void TForm2::CreateKeypad() {
    Panel5 = panel(this, QStringLiteral("Panel5"), QStringLiteral("Tastatur"));
    Bevel1 =
        bevel(Panel5, QStringLiteral("Bevel1"), QRect(72, 12, 281, 33), QStringLiteral("Tallene"));
    for (int digit = 1; digit <= 9; ++digit) {
        auto* button = Named(new QToolButton(Panel5), QStringLiteral("SpeedButton%1").arg(digit));
        button->setText(QString::number(digit));
        button->setFont(CourierNewPixels(16, true));
        button->setGeometry(80 + 30 * (digit - 1), 16, KeypadButtonSize, KeypadButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, digit] { DigitPressed(digit); });
        KeypadButtons[digit] = button;
    }
    Panel5->hide();
}

namespace {

// The room the picture needs: every mode's fields, the check's button and
// the keyboard cursor's frame, with a margin to the right and below.
QSize pictureExtent(const QRect& checkButton) {
    constexpr int Margin = 12;
    const QRect all = ObserveField(3, OutputColumn) |
                      ExperimentField(TForm2::GridRows, OutputColumn) |
                      CheckField(TForm2::CheckRows, ResultColumn) | checkButton;
    return QSize(all.right() + 1 + CursorFrameWidth + Margin,
                 all.bottom() + 1 + CursorFrameWidth + Margin);
}

} // namespace

void TForm2::CreatePicture() {
    // Where the window gives it the room, the picture fills the area and
    // never scrolls; on a smaller screen, or at a larger scale, scroll bars
    // keep every row and the check's button reachable.
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setAccessibleName(QStringLiteral("Maskinens område"));
    ScrollBox1->setAutoFillBackground(true);
    QPalette green = ScrollBox1->palette();
    green.setColor(QPalette::Window, PictureGreen);
    ScrollBox1->setPalette(green);
    ScrollBox1->viewport()->setPalette(green);
    ScrollBox1->viewport()->setBackgroundRole(QPalette::Window);
    // The scroll area's own parts are on the screen for a screen reader too.
    ScrollBox1->viewport()->setAccessibleName(QStringLiteral("Maskinens synlige del"));
    const std::pair<QScrollBar*, QString> bars[] = {
        {ScrollBox1->horizontalScrollBar(), QStringLiteral("Vandret rullepanel")},
        {ScrollBox1->verticalScrollBar(), QStringLiteral("Lodret rullepanel")}};
    for (const auto& [bar, words] : bars) {
        bar->setAccessibleName(words);
        bar->parentWidget()->setAccessibleName(words);
    }

    PaintBox1 = new TPaintBox;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    QFont pictureFont = CourierNewPixels(19, true);
    // Crisp letters, as on the machine's fields.
    pictureFont.setStyleStrategy(QFont::NoAntialias);
    PaintBox1->setFont(pictureFont);
    PaintBox1->OnPaint = [this](QPainter& canvas) { PaintBox1Paint(canvas); };
    PaintBox1->OnMouseUp = [this](int x, int y) { PaintBox1MouseUp(x, y); };
    PaintBox1->OnDescribe = [this] { return PictureInWords(); };
    // The picture holds the focus, so that a screen reader follows the
    // keyboard cursor in it; it draws no mark of its own for that.
    PaintBox1->setFocusPolicy(Qt::StrongFocus);

    // The button lies on the picture, so that it scrolls with it.
    SpeedButton16 = speedButton(PaintBox1, QStringLiteral("SpeedButton16"), 544, 24,
                                QStringLiteral("Udfør kontrol"));
    PictureWhenShown(SpeedButton16, [] { return TickPicture(QColor(0, 170, 0)); });
    SpeedButton16->raise();
    SpeedButton16->hide();
    connect(SpeedButton16, &QToolButton::clicked, this, &TForm2::SpeedButton16Click);
    PaintBox1->setMinimumSize(pictureExtent(SpeedButton16->geometry()));
    ScrollBox1->setWidget(PaintBox1);
}

void TForm2::LayOut() {
    // Room for the widest texts the labels take.
    const int labelsWidth =
        std::max(Label1->fontMetrics().horizontalAdvance(QStringLiteral("Ekstraopgave nummer: 70")),
                 Label2->fontMetrics().horizontalAdvance(QStringLiteral("EKSPERIMENTÉR")));
    const bool wrapped = width() < LabelsLeft + labelsWidth;
    const int labelsLeft = wrapped ? WrappedLabelsLeft : LabelsLeft;
    const int labelsTop = wrapped ? ToolbarHeight - 2 : 6;
    Label1->move(labelsLeft, labelsTop);
    Label2->move(labelsLeft, labelsTop + 20);
    int top = wrapped ? WrappedToolbarHeight : ToolbarHeight;
    Panel1->setGeometry(0, 0, width(), top);
    if (!Panel5->isHidden()) {
        Panel5->setGeometry(0, top, width(), KeypadHeight);
        top += KeypadHeight;
    }
    ScrollBox1->setGeometry(0, top, width(), std::max(0, height() - top));
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void TForm2::FillClientArea() {
    if (isVisible())
        setGeometry(parentWidget()->rect());
}

void TForm2::PictureWhenShown(QToolButton* button, QPixmap (*draw)()) {
    undrawn_.emplace_back([button, draw] {
        const QPixmap picture = draw();
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.size());
    });
}

void TForm2::DrawPictures() {
    for (const std::function<void()>& draw : undrawn_)
        draw();
    undrawn_.clear();
}

void TForm2::showEvent(QShowEvent* event) {
    DrawPictures();
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm2::FormShow() {
    raise();
    FillClientArea();
    Label1->clear();
    Label2->clear();
    PaintBox1->setFocus();
    if (!ProgramArguments.empty()) {
        const FileResult result = LoadStartupFile();
        if (result.Failed)
            ShowMessage(this, QString::fromStdString(result.Message),
                        QString::fromStdString(ReadErrorCaption));
    }
}

// ---- Control states ----------------------------------------------------------

void TForm2::OpenAfterTitle() {
    // Off before the window shows: showing it loads the start-up file, whose
    // failure is told in a message box that the pupil would otherwise read
    // over buttons that look usable.
    SpeedButton10->setEnabled(false);
    DisableModeButtons();
    show();
    raise();
}

void TForm2::DisableModeButtons() {
    SpeedButton13->setEnabled(false);
    SpeedButton14->setEnabled(false);
    SpeedButton15->setEnabled(false);
}

void TForm2::EnableKeypad() {
    for (int digit = 1; digit <= 9; ++digit)
        KeypadButtons[digit]->setEnabled(true);
}

void TForm2::DisableKeypad() {
    for (int digit = 1; digit <= 9; ++digit)
        KeypadButtons[digit]->setEnabled(false);
    // Nothing may be entered once the keypad is locked, not even the second
    // half of an entry begun before.
    ExperimentGrid.DropWaiting();
}

void TForm2::SetPrintEnabled(bool enabled) {
    SpeedButton10->setEnabled(enabled);
    if (host_)
        host_->SetPrintMenuEnabled(enabled);
}

void TForm2::SetKeypadVisible(bool visible) {
    Panel5->setVisible(visible);
    LayOut();
}

void TForm2::RepaintPicture() {
    KeyCursor.Refresh();
    PaintBox1->update();
    // A picture that scrolls keeps the keyboard cursor's field in sight.
    const QRect cursor = KeyCursorField();
    if (!cursor.isNull()) {
        constexpr int Margin = 8;
        ScrollBox1->ensureVisible(cursor.center().x(), cursor.center().y(),
                                  cursor.width() / 2 + CursorFrameWidth + Margin,
                                  cursor.height() / 2 + CursorFrameWidth + Margin);
    }
    ScheduleAnnouncement();
}

bool TForm2::MouseInRect(int left, int top, int right, int bottom) const {
    return left <= MouseX && MouseX <= right && top <= MouseY && MouseY <= bottom;
}

void TForm2::StopTask() {
    ExerciseMode = None;
    ShowResults = false;
    SetKeypadVisible(false);
    SpeedButton16->hide();
    DisableModeButtons();
    Label1->clear();
    Label2->clear();
    RepaintPicture();
}

void TForm2::AbandonTask() {
    StopTask();
    ShowMessage(this, NoValuesText, QStringLiteral(" "));
}

void TForm2::StopTaskWithChangedRule() {
    if (ExerciseMode == None)
        return;
    StopTask();
    // The log of the lesson so far can still be printed, also when the
    // check had not yet let it.
    SetPrintEnabled(true);
    ShowMessage(this, RuleChangedText, QStringLiteral(" "));
}

// ---- Starting a task -----------------------------------------------------------

bool TForm2::StartTask() {
    // An own task must be defined. A number that names none is refused
    // before anything is touched: a running task goes on with its labels,
    // mode, picture, activities and log, as after a cancelled picker.
    const bool ownTask = CurrentTask > BuiltInTasks;
    if (ownTask && (CurrentTask > LastOwnTask || OwnTaskSlot(CurrentTask).IsFree())) {
        ShowMessage(this, NoSuchTaskText, QStringLiteral(" "));
        if (ExerciseMode == None) {
            // No mode may run the rule of a task that does not exist.
            DisableModeButtons();
            SetKeypadVisible(false);
        }
        return false;
    }
    // A fresh activity table and an empty grid.
    ResetActivities();
    ExperimentGrid.Clear();
    ExerciseMode = None;
    ShowResults = false;
    RepaintPicture();
    TakeUpTask();
    ActivityLog.clear();
    ActivityLog << TaskLine(TaskNumberText, NumberOfVariables) << QStringLiteral(" ");
    StartObserving();
    return true;
}

void TForm2::TakeUpTask() {
    TaskNumberText = NumberInWidth(CurrentTask, 2);
    if (CurrentTask > BuiltInTasks) {
        const TaskRecord& slot = OwnTaskSlot(CurrentTask);
        CurrentTask = slot.TaskNumber;
        CurrentFormula = slot.Formula.Text();
    }
    Label1->setText((ExtraTaskInForce() ? QStringLiteral("Ekstraopgave nummer: ")
                                        : QStringLiteral("Opgave nummer: ")) +
                    TaskNumberText);
    SpeedButton13->setEnabled(true);
    SpeedButton14->setEnabled(true);
    SpeedButton15->setEnabled(true);
}

void TForm2::ResumeTask(bool ruleInForce) {
    StopTask();
    ExperimentGrid.Clear();
    SetPrintEnabled(!ActivityLog.isEmpty());
    if (CurrentTask <= 0)
        return;
    if (!ruleInForce) {
        ShowMessage(this, RuleChangedText, QStringLiteral(" "));
        return;
    }
    TakeUpTask();
}

// ---- Observing ---------------------------------------------------------------------

void TForm2::SpeedButton13Click() {
    StartObserving();
}

void TForm2::StartObserving() {
    SetKeypadVisible(false);
    SpeedButton16->hide();
    const ActivityMark before = MarkActivities();
    BeginActivity(ObserveActivity);
    DataSetCount = 3;
    ++modeStarts_;
    Label2->setText(QStringLiteral("OBSERVÉR"));
    if (!MakeObservations()) {
        // Observations that never came leave no heading, activity or time.
        TakeBackActivities(before);
        AbandonTask();
        return;
    }
    ShowResults = false;
    ExerciseMode = Observe;
    SetPrintEnabled(true);
    RepaintPicture();
}

bool TForm2::MakeObservations() {
    if (ExerciseMode != Observe) {
        if (ExerciseMode == Experiment)
            ActivityLog << QStringLiteral(" ");
        ActivityLog << QStringLiteral(" Observationer:") << QStringLiteral(" ");
    }
    DrawBudget budget(MaxDrawsPerRow);
    for (int i = 1; i <= 3; ++i) {
        int32_t output = 0;
        budget.NextItem();
        do {
            if (!budget.Draw())
                return false;
            FillRandomValues(ExperimentValues);
            output = MachineOutput(ExperimentValues);
        } while (FormulaError);

        QStringList values;
        for (int j = 0; j < NumberOfVariables; ++j) {
            ObservationTable[i].Inputs[j] = NumberInWidth(ExperimentValues[j], 2);
            values << ObservationTable[i].Inputs[j];
        }
        ObservationTable[i].Output = OutputText(output);
        ActivityLog << ValueRowStart(values) + ObservationTable[i].Output;
    }
    return true;
}

// ---- Experimenting -----------------------------------------------------------------

void TForm2::SpeedButton14Click() {
    StartExperimenting();
}

void TForm2::StartExperimenting() {
    ExperimentGrid.Clear();
    ShowResults = false;
    BeginActivity(ExperimentActivity);
    ++modeStarts_;
    Label2->setText(QStringLiteral("EKSPERIMENTÉR"));
    ActivityLog << QStringLiteral(" Eksperimentér:") << QStringLiteral(" ");
    ExerciseMode = Experiment;
    SetKeypadVisible(true);
    SpeedButton16->hide();
    DataSetCount = 0;
    EnableKeypad();
    SetPrintEnabled(true);
    KeyCursor.Begin(GridRows, NumberOfVariables,
                    [this](int i, int j) { return ExperimentGrid.IsBlank(i, j); });
    RepaintPicture();
}

void TForm2::DigitPressed(int digit) {
    const int variables = NumberOfVariables;
    ShowExperimentEntry(ExperimentGrid.ChooseDigit(digit), variables);
}

void TForm2::PaintBox1MouseUp(int x, int y) {
    MouseX = x;
    MouseY = y;
    if (ExerciseMode == Experiment)
        HitExperimentCell();
    else if (ExerciseMode == Check)
        AskAnswer();
}

void TForm2::HitExperimentCell() {
    const int n = NumberOfVariables;
    for (int i = 1; i <= GridRows; ++i) {
        for (int j = 1; j <= n; ++j) {
            const QRect cell = MouseArea(ExperimentField(i, j));
            if (MouseInRect(cell.left(), cell.top(), cell.right(), cell.bottom())) {
                ShowExperimentEntry(ExperimentGrid.ChooseCell(i, j), n);
                return;
            }
        }
    }
}

void TForm2::ShowExperimentEntry(KolvErkl::ExperimentGrid::Entry entry, int variables) {
    using Entry = KolvErkl::ExperimentGrid::Entry;
    switch (entry) {
    case Entry::Nothing:
    case Entry::Waiting:
        return;
    case Entry::Scrolled:
        KeyCursor.RowsScrolledUp();
        break;
    case Entry::Completed: {
        const MachineRow& row = ExperimentGrid[ExperimentGrid.CurrentRow()];
        QStringList digits;
        for (int j = 0; j < variables; ++j)
            digits << row.Inputs[j];
        ActivityLog << ExperimentRowLine(digits, row.Output);
        DataSetCount += 1;
        break;
    }
    case Entry::Filled:
        break;
    }
    RepaintPicture();
}

// ---- Variables and tasks -------------------------------------------------------------

void TForm2::SpeedButton12Click() {
    HideCheckButton();
    // Just under the button.
    PopupMenu1->popup(
        Panel1->mapToGlobal(QPoint(SpeedButton12->x(), SpeedButton12->geometry().bottom())));
}

void TForm2::N2variable1Click() {
    ChooseVariables(2);
}
void TForm2::N3variable1Click() {
    ChooseVariables(3);
}

void TForm2::ChooseVariables(int variables) {
    if (ExerciseMode != None) {
        ExerciseMode = None;
        RepaintPicture();
    }
    NumberOfVariables = variables;
    DisableModeButtons();
    SetKeypadVisible(false);
    Label1->clear();
    Label2->clear();
    HideCheckButton(); // the check has ended with the task
    ScheduleAnnouncement();
}

void TForm2::SpeedButton17Click() {
    ChooseTask();
}

void TForm2::ChooseTask() {
    RunOutsideCheck([this] {
        const int32_t running = CurrentTask;
        if (TForm3* picker = OnFirstUse(Form3))
            picker->exec();
        // Left without a task, or with a number that names none: the task
        // in force goes on with its rule.
        if (CurrentTask <= 0 || !StartTask())
            CurrentTask = running;
    });
}

// ---- Print, heading, copy ---------------------------------------------------------------

void TForm2::SpeedButton10Click() {
    AppendSummary();
    if (host_)
        host_->PrintActivityLog();
}

void TForm2::SpeedButton11Click() {
    if (host_)
        host_->ShowHeadingDialog();
}

void TForm2::SpeedButton18Click() {
    CopyLogToClipboard();
}
