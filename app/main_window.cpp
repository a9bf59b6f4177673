// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/heading_dialog.h"
#include "app/lesson_journal.h"
#include "app/print_log.h"
#include "app/title_picture.h"
#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "catalogue_ui/define_dialog.h"
#include "catalogue_ui/own_task_list.h"
#include "catalogue_ui/qt_file_dialogs.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/exercise_window.h"
#include "ui/ui_services.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <optional>
#include <string>

// Compiled-in pictures live in this static library; they are registered
// explicitly because nothing else pulls their object file into the program.
static void RegisterPictures() {
    Q_INIT_RESOURCE(kolvane);
}

TForm1* Form1 = nullptr;

namespace {

constexpr int ExerciseDelayMs = 3000;

// The menu bar without the style's navigation by a lone Alt. That Alt would
// give the menu bar the keyboard: the exercise window's keys E, Enter and
// the arrows would then work the menus, for the rest of the run, since
// nothing else in the window takes the focus back. Alt+F, Alt+E and Alt+H
// still open the menus, and the arrows move through them.
class MenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The printer behind the print dialog, telling whether the dialog let the
// print go to it.
class WatchedPrinter : public KolvErkl::PrintBackend {
public:
    explicit WatchedPrinter(KolvErkl::PrintBackend& printer) : printer_(printer) {}
    QPagedPaintDevice& Device() override { return printer_.Device(); }
    bool AskUser(int fromPage, int toPage, int maxPage) override {
        Accepted = printer_.AskUser(fromPage, toPage, maxPage);
        return Accepted;
    }
    bool Accepted = false;

private:
    KolvErkl::PrintBackend& printer_;
};

// The part of the current task's rule that an extra-task load can change:
// the formula of the extra task in force, or nothing when the machine
// computes a built-in rule or an own task.
std::optional<std::string> ExtraRuleInForce() {
    if (!KolvErkl::ExtraTaskInForce())
        return std::nullopt;
    return KolvErkl::ExtraTasks[static_cast<std::size_t>(KolvErkl::CurrentTask)].Formula;
}

} // namespace

QPoint TitlePicturePosition(QSize outerSize) {
    return {outerSize.width() / 2 - 140, outerSize.height() / 2 - 120};
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    RegisterPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(KolvErkl::CourierNew(12));

    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("ClientArea"));
    clientArea_->setAccessibleName(QStringLiteral("Kolvane"));
    clientArea_->setAutoFillBackground(true);
    QPalette green = clientArea_->palette();
    green.setColor(QPalette::Window, QColor(0, 128, 0));
    clientArea_->setPalette(green);
    setCentralWidget(clientArea_);

    BuildMenu();

    Image1 = new QLabel(clientArea_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Titelbillede"));
    Image1->setFixedSize(273, 225);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QImage title = KolvErkl::LoadTitlePicture();
    if (!title.isNull())
        Image1->setPixmap(QPixmap::fromImage(title));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Forløbet"));
    Memo1->setFont(font());
    Memo1->hide();

    // The exercise window is made once the title has been painted
    // (ExerciseWindow); the client area's events tell when.
    clientArea_->installEventFilter(this);

    qtDialogs_ = std::make_unique<QtFileDialogs>(this);
    fileDialogs_ = qtDialogs_.get();
}

TForm1::~TForm1() = default;

void TForm1::BuildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setAccessibleName(QStringLiteral("Menulinje"));
    // The window's Courier New is not the menu bar's font: it speaks in the
    // desktop's own, as its menus (windows of their own) already do.
    // Every property is the desktop's, none inherited from the window.
    QFont menuFont = QApplication::font(MainMenu1);
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    MainMenu1->setFont(menuFont);
    auto* menuStyle = new MenuBarStyle(QApplication::style()->name());
    menuStyle->setParent(MainMenu1);
    MainMenu1->setStyle(menuStyle);
    auto action = [this](QMenu* menu, const char* name, const QString& caption,
                         void (TForm1::*handler)()) {
        QAction* item = KolvErkl::Named(menu->addAction(caption), QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    // A screen reader names the opened menu by its title.
    auto named = [](QMenu* menu, const char* name) {
        return KolvErkl::Named(menu, QString::fromLatin1(name),
                               menu->title().remove(QLatin1Char('&')));
    };

    Filer1 = named(MainMenu1->addMenu(QStringLiteral("&Filer")), "Filer1");
    Hentopgaver1 = named(Filer1->addMenu(QStringLiteral("Hent opgaver")), "Hentopgaver1");
    Hentegneopgaver1 = action(Hentopgaver1, "Hentegneopgaver1", QStringLiteral("Hent egne opgaver"),
                              &TForm1::Hentegneopgaver1Click);
    HentEkstraopgaver1 =
        action(Hentopgaver1, "HentEkstraopgaver1", QStringLiteral("Hent Ekstraopgaver"),
               &TForm1::HentEkstraopgaver1Click);
    Udskriv1 = action(Filer1, "Udskriv1", QStringLiteral("Udskriv"), &TForm1::Udskriv1Click);
    Udskriv1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    Afslut1 = action(Filer1, "Afslut1", QStringLiteral("&Afslut"), &TForm1::Afslut1Click);

    Egneopgaver1 = named(MainMenu1->addMenu(QStringLiteral("&Egne opgaver")), "Egneopgaver1");
    Definernyopgave1 = action(Egneopgaver1, "Definernyopgave1",
                              QStringLiteral("&Definer ny opgave"), &TForm1::Definernyopgave1Click);
    Listeoveregneopgaver1 =
        action(Egneopgaver1, "Listeoveregneopgaver1", QStringLiteral("&Liste over egne opgaver"),
               &TForm1::Listeoveregneopgaver1Click);

    Oplysninger1 = named(MainMenu1->addMenu(QStringLiteral("&Hjælp")), "Oplysninger1");
    Vejledning1 = action(Oplysninger1, "Vejledning1", QStringLiteral("&Vejledning"),
                         &TForm1::Vejledning1Click);
    N1 = KolvErkl::Named(Oplysninger1->addSeparator(), QStringLiteral("N1"));
    Omprogrammet1 = action(Oplysninger1, "Omprogrammet1", QStringLiteral("&Om programmet"),
                           &TForm1::Omprogrammet1Click);
    // The menus that do not fit in a narrow menu bar go behind a button and
    // a menu that the bar makes when it needs them; they get their names then.
    MainMenu1->installEventFilter(this);
}

TForm2& TForm1::ExerciseWindow() {
    if (!exercise_) {
        // Hidden, and made to cover the client area when it opens; its
        // making sets 3 variables, as the program's first activation does.
        exercise_ = new TForm2(clientArea_, this);
        Form2 = exercise_;
    }
    return *exercise_;
}

void TForm1::SetPrintBackend(KolvErkl::PrintBackend* backend) {
    printBackend_ = backend;
}

void TForm1::SetFileDialogs(KolvErkl::FileDialogs* dialogs) {
    fileDialogs_ = dialogs ? dialogs : qtDialogs_.get();
}

// ---- ExerciseHost -------------------------------------------------------

void TForm1::SetPrintMenuEnabled(bool enabled) {
    Udskriv1->setEnabled(enabled);
}

void TForm1::PrintActivityLog() {
    if (!printBackend_ && !printer_) {
        KolvErkl::LoadedPrinter loaded =
            KolvErkl::LoadPrinter(this, KolvErkl::PrinterModuleFolders());
        if (loaded.Failed) {
            KolvErkl::ShowMessage(this, QString::fromStdString(loaded.Message),
                                  KolvErkl::PrintFailedCaption);
            return;
        }
        printer_ = std::move(loaded.Result);
    }
    WatchedPrinter printer(printBackend_ ? *printBackend_ : *printer_);
    const KolvErkl::PrintResult result = KolvErkl::PrintLog(printer, Memo1->font());
    if (result.Failed)
        KolvErkl::ShowMessage(this, QString::fromStdString(result.Message),
                              KolvErkl::PrintFailedCaption);
    else if (printer.Accepted)
        KolvErkl::DeliveredLog = KolvErkl::ActivityLog;
}

void TForm1::ShowHeadingDialog() {
    if (TOverskrif* dialog = KolvErkl::OnFirstUse(Overskrif))
        dialog->exec();
}

// ---- Window events ------------------------------------------------------

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window coming back from the task bar is shown again by the system;
    // only the program's own first showing counts.
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    setWindowState(windowState() | Qt::WindowMaximized);
    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    PlaceTitlePicture();
    Timer1->start(ExerciseDelayMs);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize() {
    if (pos() != QPoint(0, 0))
        move(0, 0);
    PlaceTitlePicture();
    if (exercise_)
        exercise_->FillClientArea();
}

// The exercise window follows the client area, which the menu bar's layout
// sizes after the main window itself.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clientArea_ && event->type() == QEvent::Resize && exercise_)
        exercise_->FillClientArea();
    // The title phase needs nothing of the exercise window but its place:
    // it is made right after the title's first painting, so that the title
    // shows as early as it can, and is ready long before it opens.
    if (watched == clientArea_ && event->type() == QEvent::Paint && !exercise_ &&
        !exerciseQueued_) {
        exerciseQueued_ = true;
        QTimer::singleShot(0, this, [this] { ExerciseWindow(); });
    }
    if (watched == MainMenu1 && event->type() == QEvent::ChildAdded) {
        // Named once it is made whole.
        QPointer<QObject> child = static_cast<QChildEvent*>(event)->child();
        QTimer::singleShot(0, this, [child] {
            auto* widget = qobject_cast<QWidget*>(child.data());
            if (widget && widget->accessibleName().isEmpty())
                widget->setAccessibleName(QStringLiteral("Flere menuer"));
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::PlaceTitlePicture() {
    Image1->move(TitlePicturePosition(frameGeometry().size()));
}

void TForm1::FormActivate() {
    // The focus coming back from a dialog or a message box activates the
    // window again; the set-up belongs to the first activation only.
    if (activated_)
        return;
    activated_ = true;
    setWindowTitle(QStringLiteral("   Kolvane   ") + KolvErkl::ProgramVersion());
    KolvErkl::SeedRandom(static_cast<uint32_t>(KolvErkl::TimeOfDay() * 1000.0));
    KolvErkl::NumberOfVariables = 3;
    KolvErkl::OwnTaskSpan = 0;
    KolvErkl::ExtraTaskMode = false;
    KolvErkl::InitTaskCatalogue();
}

void TForm1::Timer1Timer() {
    // Without a window manager, or under one that keeps a new window from
    // taking the focus, the first activation may not have come yet. Its
    // set-up belongs before the exercise window loads the start-up file:
    // coming later it would empty the own-task table over the loaded task.
    TForm2& exercise = ExerciseWindow();
    FormActivate();
    Timer1->stop();
    Udskriv1->setEnabled(false);
    // A lesson that the program did not end itself is offered back first.
    // The file named on the command line is loaded after the question, and
    // the lesson is taken up after the load.
    if (journal_)
        journal_->OfferUnfinishedLesson(this);
    // The exercise window covers the title picture for good: its memory
    // goes before the window takes its own.
    Image1->clear();
    exercise.OpenAfterTitle();
    if (journal_)
        journal_->ResumeLesson();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Alt and a menu's letter are that menu's shortcut. They come here when
    // the shortcut could not take them: without a window manager the window
    // system makes no window the active one, and shortcuts need one.
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers == Qt::AltModifier && !QApplication::activePopupWidget()) {
        const QKeySequence pressed(Qt::ALT | Qt::Key(event->key()));
        for (QMenu* menu : {Filer1, Egneopgaver1, Oplysninger1}) {
            if (QKeySequence::mnemonic(menu->title()) == pressed && menu->isEnabled()) {
                MainMenu1->setActiveAction(menu->menuAction());
                // The shortcut chooses the first item, as the Down key does.
                if (menu->isVisible() && !menu->activeAction()) {
                    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                    QCoreApplication::sendEvent(menu, &down);
                }
                return;
            }
        }
    }
    QMainWindow::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The journal also knows whether the desktop session's end has settled
    // the question, and removes itself at a normal end.
    if (!(journal_ ? journal_->MayClose(this) : KolvErkl::LessonMayEnd(this))) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    // FormKeyUp: F1 opens the help, whatever shift keys are held. The key
    // comes here from wherever the focus is in the window, once the control
    // there has left it (the menu bar, the exercise window): the guide
    // opens from everywhere in the window, and also without a window
    // manager, when the program's idea of the focus may lie in a window
    // that is gone.
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        KolvErkl::OpenHelp();
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

// ---- Menu ---------------------------------------------------------------

void TForm1::Hentegneopgaver1Click() {
    ExerciseWindow().RunOutsideCheck([this] {
        // A load never restarts a running task: it goes on with its number,
        // its rule (an own task's formula is copied when the task starts)
        // and its log, and the loaded task runs once the pupil picks it.
        // With no task running, the loaded task becomes the current one.
        const int32_t running = exercise_->TaskRunning() ? KolvErkl::CurrentTask : 0;
        const KolvErkl::FileResult result = KolvErkl::LoadOwnTask(*fileDialogs_);
        if (running != 0)
            KolvErkl::CurrentTask = running;
        if (result.Failed)
            KolvErkl::ShowMessage(this, QString::fromUtf8(result.Message),
                                  QString::fromStdString(KolvErkl::ReadErrorCaption));
    });
}

void TForm1::HentEkstraopgaver1Click() {
    ExerciseWindow().RunOutsideCheck([this] {
        const bool running = exercise_->TaskRunning();
        const std::optional<std::string> ruleBefore = ExtraRuleInForce();
        const KolvErkl::FileResult result = KolvErkl::LoadExtraTasks(*fileDialogs_);
        if (result.Failed)
            KolvErkl::ShowMessage(this, QString::fromUtf8(result.Message),
                                  QString::fromStdString(KolvErkl::ReadErrorCaption));
        // Even a failed load may have replaced entries and switched the mode
        // off. A task whose rule changed may not go on under a label and a
        // log that name another rule: it stops, and its log stays.
        if (running && ExtraRuleInForce() != ruleBefore)
            exercise_->StopTaskWithChangedRule();
    });
}

void TForm1::Udskriv1Click() {
    KolvErkl::AppendSummary();
    PrintActivityLog();
}

void TForm1::Afslut1Click() {
    close();
}

void TForm1::Definernyopgave1Click() {
    TForm5* define = KolvErkl::OnFirstUse(Form5);
    if (!define)
        return;
    ExerciseWindow().RunOutsideCheck([this, define] {
        define->SetFileDialogs(fileDialogs_);
        define->exec();
        if (!KolvErkl::DefineCancelled && KolvErkl::CurrentTask > 0)
            exercise_->StartTask();
    });
}

void TForm1::Listeoveregneopgaver1Click() {
    if (TForm7* list = KolvErkl::OnFirstUse(Form7))
        list->exec();
}

void TForm1::Vejledning1Click() {
    KolvErkl::OpenHelp();
}

void TForm1::Omprogrammet1Click() {
    if (TAboutBox* about = KolvErkl::OnFirstUse(AboutBox))
        about->exec();
}
