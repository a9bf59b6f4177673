// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: start-up, first activation, the timer's step, the menu,
// F1, and the menu's loads, prints and definitions.
#include "app_test_support.h"

#include "catalogue_ui/define_dialog.h"
#include "catalogue_ui/own_task_list.h"
#include "catalogue_ui/task_picker.h"
#include "catalogue_ui/yes_no_dialog.h"
#include "exercise/answer_dialog.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

using namespace KolvErkl;
using namespace KolvTest;

namespace {

TEST(TitlePicturePlacement, HalfTheOuterSizeLessHalfThePicture) {
    const std::vector<std::pair<QSize, QPoint>> cases = {
        {{1024, 738}, {372, 249}},
        {{1025, 739}, {372, 249}}, // div truncates
        {{1280, 800}, {500, 280}},
        {{200, 100}, {-40, -70}}, // a small window cuts the picture off
    };
    for (const auto& [outer, corner] : cases)
        EXPECT_EQ(TitlePicturePosition(outer), corner) << outer.width() << " x " << outer.height();
}

using MainWindowTest = AppTest;

// The exercise window comes right after the title's first painting, the
// dialogs on their first use, each once, as the main window's hidden
// children; the rest of the program holds them from then on.
TEST_F(MainWindowTest, WindowsAreCreatedHiddenDialogsOnFirstUse) {
    ASSERT_NE(Form1, nullptr);
    const auto dialogs = [] {
        QStringList names;
        for (QObject* child : Form1->children())
            if (auto* dialog = qobject_cast<QDialog*>(child))
                names << dialog->objectName();
        return names;
    };
    EXPECT_EQ(dialogs(), QStringList());
    for (QWidget* w : std::initializer_list<QWidget*>{
             OnFirstUse(AboutBox), OnFirstUse(Overskrif), OnFirstUse(Form4), OnFirstUse(Form3),
             OnFirstUse(Form5), OnFirstUse(Form7), OnFirstUse(Form6)})
        EXPECT_EQ(w->parentWidget(), Form1) << w->objectName().toStdString();
    EXPECT_EQ(OnFirstUse(Form3), Form3);
    EXPECT_EQ(dialogs(), (QStringList{u"AboutBox"_qs, u"Overskrif"_qs, u"Form4"_qs, u"Form3"_qs,
                                      u"Form5"_qs, u"Form7"_qs, u"Form6"_qs}));
    EXPECT_EQ(Form3, Form1->findChild<TForm3*>());
    EXPECT_EQ(Form6, Form1->findChild<TForm6*>());
    EXPECT_EQ(Form7, Form1->findChild<TForm7*>());
    EXPECT_EQ(Form4, Form1->findChild<TForm4*>());
    EXPECT_EQ(Form5, Form1->findChild<TForm5*>());
    EXPECT_EQ(Form2->parentWidget(), Form1->ClientArea());
    for (QWidget* w : std::initializer_list<QWidget*>{Form1, Form2, AboutBox, Overskrif, Form3,
                                                      Form4, Form5, Form6, Form7})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(Form1->windowTitle(), u"Form1"_qs);
    EXPECT_EQ(NumberOfVariables, 3);
}

// The title phase needs nothing of the exercise window: it is made right
// after the title's first painting, or earlier when something needs it.
TEST_F(MainWindowTest, ExerciseWindowIsMadeOnceTheTitleWasPainted) {
    for (const bool painted : {true, false}) {
        DestroyWindows();
        NumberOfVariables = 2;
        CreateProgram();
        EXPECT_EQ(Form2, nullptr);
        EXPECT_EQ(Form1->findChild<TForm2*>(), nullptr);
        if (painted) {
            Form1->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
            QTRY_VERIFY(Form2 != nullptr);
        }
        TForm2* exercise = &Form1->ExerciseWindow();
        EXPECT_EQ(exercise, Form2);
        EXPECT_EQ(Form1->findChildren<TForm2*>(), QList<TForm2*>{exercise});
        EXPECT_EQ(exercise->parentWidget(), Form1->ClientArea());
        EXPECT_FALSE(exercise->isVisible());
        EXPECT_EQ(NumberOfVariables, 3);
        // The title phase ends with it either way; it opens in a shown window.
        Form1->Timer1Timer();
        EXPECT_EQ(Form2->isVisible(), painted);
    }
}

TEST_F(MainWindowTest, MenuTreeWithCaptionsNamesAndShortcut) {
    const std::vector<std::pair<const char*, QString>> items = {
        {"Hentegneopgaver1", u"Hent egne opgaver"_qs},
        {"HentEkstraopgaver1", u"Hent Ekstraopgaver"_qs},
        {"Udskriv1", u"Udskriv"_qs},
        {"Afslut1", u"&Afslut"_qs},
        {"Definernyopgave1", u"&Definer ny opgave"_qs},
        {"Listeoveregneopgaver1", u"&Liste over egne opgaver"_qs},
        {"Vejledning1", u"&Vejledning"_qs},
        {"Omprogrammet1", u"&Om programmet"_qs},
    };
    for (const auto& [name, caption] : items) {
        auto* item = Form1->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->text(), caption) << name;
    }
    QStringList top;
    for (QAction* a : Form1->MainMenu1->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{u"&Filer"_qs, u"&Egne opgaver"_qs, u"&Hjælp"_qs}));
    EXPECT_EQ(Form1->Hentopgaver1->title(), u"Hent opgaver"_qs);
    EXPECT_TRUE(Form1->Filer1->actions().contains(Form1->Hentopgaver1->menuAction()));
    QStringList help;
    for (QAction* a : Form1->Oplysninger1->actions())
        help << (a->isSeparator() ? u"-"_qs : a->text());
    EXPECT_EQ(help, (QStringList{u"&Vejledning"_qs, u"-"_qs, u"&Om programmet"_qs}));
    EXPECT_EQ(Form1->Udskriv1->shortcut(), QKeySequence(u"Ctrl+P"_qs));
    EXPECT_TRUE(Form1->Udskriv1->isEnabled()) << "enabled in the title phase";

    // The menus speak in the desktop's own font; the window and its print
    // font stay Courier New.
    EXPECT_EQ(Form1->font().family(), u"Courier New"_qs);
    EXPECT_EQ(Form1->Memo1->font().family(), u"Courier New"_qs);
    for (QWidget* menu : std::initializer_list<QWidget*>{Form1->MainMenu1, Form1->Filer1,
                                                         Form1->Hentopgaver1, Form1->Oplysninger1})
        EXPECT_EQ(menu->font().toString().toStdString(),
                  QApplication::font(menu).toString().toStdString())
            << menu->objectName().toStdString();
}

TEST_F(MainWindowTest, FirstActivationSetsUpOnceOnly) {
    NumberOfVariables = 2;
    ExtraTaskMode = true;
    OwnTaskSpan = 7;
    Form1->FormActivate();
    EXPECT_EQ(Form1->windowTitle(), u"   Kolvane   Version 290306"_qs);
    EXPECT_EQ(NumberOfVariables, 3);
    EXPECT_FALSE(ExtraTaskMode);
    EXPECT_EQ(OwnTaskSpan, 0);
    EXPECT_TRUE(OwnTaskSlot(21).IsFree());

    // What the pupil and teacher do afterwards survives every later
    // activation, such as the focus coming back from a dialog.
    NumberOfVariables = 2;
    OwnTaskSlot(25) = MakeTask(25, 2, "x+y");
    RaiseOwnTaskSpan(25);
    WhenModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    Form1->Omprogrammet1Click();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(Form1, &activate);
    Form1->FormActivate();
    EXPECT_EQ(NumberOfVariables, 2);
    EXPECT_EQ(OwnTaskSpan, 5);
    EXPECT_FALSE(OwnTaskSlot(25).IsFree());
    EXPECT_EQ(Form1->windowTitle(), u"   Kolvane   Version 290306"_qs);
}

TEST_F(MainWindowTest, TimerOpensTheExerciseWindowWithPrintAndModesDisabled) {
    Form1->show();
    EXPECT_TRUE(Form1->Timer1->isActive());
    EXPECT_EQ(Form1->Timer1->interval(), 3000);
    EXPECT_TRUE(Form1->Timer1->isSingleShot());
    EXPECT_EQ(Form1->Image1->pos(), TitlePicturePosition(Form1->frameGeometry().size()));

    Form1->Timer1Timer();
    EXPECT_FALSE(Form1->Timer1->isActive());
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_FALSE(Form1->Udskriv1->isEnabled());
    EXPECT_FALSE(Form2->SpeedButton10->isEnabled());
    for (const char* name : {"SpeedButton13", "SpeedButton14", "SpeedButton15"})
        EXPECT_FALSE(Form2->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled())
            << name;
    EXPECT_EQ(Form2->geometry(), Form1->ClientArea()->rect());

    // After a resize the exercise window still covers the client area, so
    // the title picture stays hidden beneath it.
    Form1->resize(700, 500);
    EXPECT_EQ(Form2->geometry(), Form1->ClientArea()->rect());
    EXPECT_EQ(Form1->Image1->pos(), TitlePicturePosition(Form1->frameGeometry().size()));
}

TEST_F(MainWindowTest, TheTimerDoesTheFirstActivationsSetUpWhenNoActivationCameYet) {
    WriteBytes(File("Opg23.kvn"), TaskBytes(MakeTask(23, 2, "x*y")));
    ProgramArguments = {File("Opg23.kvn")};
    Form1->show();
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->windowTitle(), u"   Kolvane   Version 290306"_qs);
    EXPECT_FALSE(OwnTaskSlot(23).IsFree());

    // The activation that comes at last leaves the loaded task alone.
    Form1->FormActivate();
    EXPECT_FALSE(OwnTaskSlot(23).IsFree());
    EXPECT_EQ(OwnTaskSpan, 3);
}

struct CountingBackend : PrintBackend {
    explicit CountingBackend(QPagedPaintDevice& device) : device_(device) {}
    QPagedPaintDevice& Device() override { return device_; }
    bool AskUser(int, int, int) override {
        ++asked;
        return false;
    }
    QPagedPaintDevice& device_;
    int asked = 0;
};

TEST_F(MainWindowTest, PrintMenuAndCtrlPPrintOnlyWhileEnabled) {
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(u"unused.pdf"_qs));
    CountingBackend backend(pdf);
    Form1->SetPrintBackend(&backend);
    Form1->show();
    QApplication::setActiveWindow(Form1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    ActivityLog = {u"           Opgave nummer:  3     (2 variable)"_qs, u" "_qs};

    QTest::keyClick(Form1, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(backend.asked, 1);
    EXPECT_EQ(PrintBuffer.value(0), u" Kolvane"_qs);
    EXPECT_GT(ActivityLog.size(), 2) << "the summary was appended before printing";

    Form1->SetPrintMenuEnabled(false);
    QTest::keyClick(Form1, Qt::Key_P, Qt::ControlModifier);
    Form1->Udskriv1->trigger();
    EXPECT_EQ(backend.asked, 1);
    Form1->SetPrintBackend(nullptr);
}

TEST_F(MainWindowTest, F1ReleasedOpensHelpWithAnyShiftKeys) {
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)})
        QTest::keyRelease(Form1, Qt::Key_F1, mods);
    QTest::keyRelease(Form1, Qt::Key_F2);
    EXPECT_EQ(helpRequests, 3);
    Form1->Vejledning1->trigger();
    EXPECT_EQ(helpRequests, 4);
}

TEST_F(MainWindowTest, HelpMenuOpensTheGuideInTheHelpWindow) {
    HelpHook = ShowHelpWindow;
    HelpFile = QStringLiteral(KOLVANE_SOURCE_DIR "/resources/kolvane.HLP");
    Form1->Vejledning1Click();
    ASSERT_NE(HelpWindow, nullptr);
    EXPECT_TRUE(HelpWindow->isVisible());
}

TEST_F(MainWindowTest, FailedLoadsAreReportedUnderTheReadErrorCaption) {
    dialogs.answer = File("missing.kvn");
    Form1->Hentegneopgaver1Click();
    Form1->HentEkstraopgaver1Click();
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& [text, caption] : messages) {
        EXPECT_EQ(text, u" Filen findes ikke"_qs);
        EXPECT_EQ(caption, u"Fejl ved læsning "_qs);
    }
    dialogs.answer.reset(); // cancelled: nothing to say
    Form1->Hentegneopgaver1Click();
    EXPECT_EQ(messages.size(), 2u);

    // The start-up file's message shows over print and mode buttons that are off already.
    ProgramArguments = {File("gone.kvn")};
    std::vector<bool> enabledUnderMessage;
    MessageHook = [&](const QString&, const QString& caption) {
        EXPECT_EQ(caption, u"Fejl ved læsning "_qs);
        for (const char* name :
             {"SpeedButton10", "SpeedButton13", "SpeedButton14", "SpeedButton15"})
            enabledUnderMessage.push_back(
                Form2->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled());
        enabledUnderMessage.push_back(Form1->Udskriv1->isEnabled());
    };
    StartProgram();
    EXPECT_EQ(enabledUnderMessage, std::vector<bool>(5, false));
}

TEST_F(MainWindowTest, PrinterThatCannotStartIsReportedInTheProgramsMessageBox) {
    PdfBackend backend(u"/nonexistent/folder/log.pdf"_qs);
    Form1->SetPrintBackend(&backend);
    ActivityLog = {u"           Opgave nummer:  3     (2 variable)"_qs, u" "_qs};
    Form1->Udskriv1Click();
    Form1->SetPrintBackend(nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, u"Printeren kunne ikke begynde udskriften."_qs);
    EXPECT_EQ(messages[0].second, u"Kolvane"_qs);

    // No printer module beside the test program, nor where an installation
    // keeps it: the print is refused with a message, and the log counts as
    // not delivered.
    Form1->Udskriv1Click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].first, PrinterModuleMissing);
    EXPECT_EQ(messages[1].second, u"Kolvane"_qs);
    EXPECT_TRUE(DeliveredLog.isEmpty());
}

// Whatever hid "Udfør kontrol" and then left the check running gives the
// check its controls back as they were.
TEST_F(MainWindowTest, ActionsLeftWithoutChangeGiveTheCheckBackItsControls) {
    StartProgram();
    OwnTaskSlot(30) = MakeTask(30, 3, "x+y+z");
    RaiseOwnTaskSpan(30); // the picker offers 1..30, and 22 is free
    const auto pick = [](const QString& keys) {
        WhenModal([keys](QWidget* picker) {
            auto* field = picker->findChild<QLineEdit*>(u"Edit1"_qs);
            field->setText(keys);
            QTest::keyClick(field, keys.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        Form2->SpeedButton17->click();
    };
    struct Action {
        const char* what;
        std::function<void()> run;
    };
    const Action actions[] = {
        {"picker left with Escape", [&] { pick(QString()); }},
        {"task number refused", [&] { pick(u"22"_qs); }},
        {"2/3 menu dismissed",
         [] {
             Form2->SpeedButton12->click();
             Form2->PopupMenu1->hide();
         }},
        {"load cancelled",
         [this] {
             dialogs.answer.reset();
             Form1->Hentegneopgaver1Click();
         }},
        {"load failed",
         [this] {
             dialogs.answer = File("missing.kvn");
             Form1->HentEkstraopgaver1Click();
         }},
        {"definition cancelled",
         [] {
             WhenModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
             Form1->Definernyopgave1Click();
         }},
    };
    for (const Action& action : actions) {
        SCOPED_TRACE(action.what);
        CurrentTask = 1;
        Form2->StartTask();
        Form2->SpeedButton15->click();
        for (int row = 1; row <= 5; ++row) {
            WhenModal([](QWidget* dialog) {
                auto* answer = static_cast<TForm4*>(dialog);
                answer->Edit1->setText(u"1"_qs);
                answer->BitBtn1->click();
            });
            Form2->PaintBox1MouseUp(470, 50 * row + 35);
        }
        Form2->SpeedButton16->click();
        ASSERT_TRUE(Form2->ShowResults);

        action.run();

        EXPECT_EQ(Form2->ExerciseMode, TForm2::Check);
        EXPECT_TRUE(Form2->SpeedButton16->isVisible());
        EXPECT_TRUE(Form2->SpeedButton16->isEnabled());
        EXPECT_TRUE(Form2->ShowResults);
        EXPECT_TRUE(Form1->Udskriv1->isEnabled());
    }
}

TEST_F(MainWindowTest, OwnTaskLoadedWhileNoTaskRunsWaitsForThePicker) {
    StartProgram();
    WriteBytes(File("Opg30.kvn"), TaskBytes(MakeTask(30, 2, "x*y+1")));
    dialogs.answer = File("Opg30.kvn");
    Form1->Hentegneopgaver1Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(CurrentTask, 30);
    EXPECT_EQ(Form2->ExerciseMode, TForm2::None);
    EXPECT_TRUE(ActivityLog.isEmpty());
}

// A teacher loading a task at a pupil's desk leaves the lesson as it is.
TEST_F(MainWindowTest, OwnTaskLoadedWhileATaskRunsWaitsAndTheTaskGoesOn) {
    StartProgram();
    CurrentTask = 7;
    Form2->StartTask();
    Form2->SpeedButton13->click();
    const QStringList log = ActivityLog;

    WriteBytes(File("Opg30.kvn"), TaskBytes(MakeTask(30, 2, "x*y+1")));
    dialogs.answer = File("Opg30.kvn");
    Form1->Hentegneopgaver1Click();

    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(OwnTaskSlot(30).IsFree());
    EXPECT_EQ(CurrentTask, 7);
    EXPECT_EQ(NumberOfVariables, 3);
    EXPECT_EQ(Form2->ExerciseMode, TForm2::Observe);
    EXPECT_EQ(Form2->Label1->text(), u"Opgave nummer:  7"_qs);
    EXPECT_EQ(ActivityLog, log);
    EXPECT_EQ(ActivityTable[1].DataSets, 3);
    // Task 7 goes on with its rule: the smallest times the largest value.
    Form2->SpeedButton13->click();
    for (int row = 1; row <= 3; ++row) {
        const auto [smallest, largest] =
            std::minmax({Form2->ObservationTable[row].Inputs[0].toInt(),
                         Form2->ObservationTable[row].Inputs[1].toInt(),
                         Form2->ObservationTable[row].Inputs[2].toInt()});
        EXPECT_EQ(Form2->ObservationTable[row].Output.toInt(), smallest * largest) << "row " << row;
    }
}

TEST_F(MainWindowTest, AnExtraTaskLoadStopsOnlyATaskWhoseRuleItChanges) {
    StartProgram();
    WriteBytes(File("Ekstra.kvn"), ExtraBytes(20, "100+"));
    WriteBytes(File("Ekstra19.kvn"), ExtraBytes(19, "200+"));
    OwnTaskSlot(25) = MakeTask(25, 3, "x+y+z");
    RaiseOwnTaskSpan(25);
    struct Row {
        const char* what;
        int task, variables;
        bool modeBefore;
        const char* file;
        bool stops;
    };
    const Row rows[] = {
        {"a built-in rule replaced", 5, 3, false, "Ekstra.kvn", true},
        {"extra tasks lost part-way", 5, 3, true, "Ekstra19.kvn", true},
        {"two variables", 5, 2, false, "Ekstra.kvn", false},
        {"an own task", 25, 3, true, "Ekstra19.kvn", false},
        {"no file: the mode stays", 5, 3, true, "missing.kvn", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ExtraTaskMode = row.modeBefore;
        for (int k = 1; k <= ExtraTaskCount; ++k)
            ExtraTasks[k] = {3, "x+1"};
        NumberOfVariables = row.variables;
        CurrentTask = row.task;
        Form2->StartTask();
        Form2->SpeedButton15->click(); // a check: printing waits for its results
        const QStringList log = ActivityLog;
        const QString label = Form2->Label1->text();
        messages.clear();

        dialogs.answer = File(row.file);
        Form1->HentEkstraopgaver1Click();

        EXPECT_EQ(ActivityLog, log);
        std::vector<QString> told;
        for (const auto& [text, caption] : messages)
            if (caption == u" "_qs)
                told.push_back(text);
        if (row.stops) {
            EXPECT_EQ(Form2->ExerciseMode, TForm2::None);
            EXPECT_TRUE(Form2->Label1->text().isEmpty());
            EXPECT_FALSE(Form2->SpeedButton15->isEnabled());
            EXPECT_TRUE(Form2->SpeedButton16->isHidden());
            EXPECT_TRUE(Form1->Udskriv1->isEnabled()) << "the log can still be printed";
            EXPECT_EQ(told,
                      std::vector<QString>{u"Opgavens regel er skiftet. Vælg opgaven igen."_qs});
        } else {
            EXPECT_EQ(Form2->ExerciseMode, TForm2::Check);
            EXPECT_EQ(Form2->Label1->text(), label);
            EXPECT_FALSE(Form2->SpeedButton16->isHidden());
            EXPECT_TRUE(told.empty());
        }
    }
}

TEST_F(MainWindowTest, DefiningStartsTheNewTaskButCancellingDoesNot) {
    StartProgram();
    CurrentTask = 5;
    WhenModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    Form1->Definernyopgave1Click();
    EXPECT_EQ(Form2->ExerciseMode, TForm2::None);

    dialogs.answer.reset(); // the save offer is declined
    WhenModal([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(u"Edit1"_qs)->setText(u"25"_qs);
        dialog->findChild<QLineEdit*>(u"Edit2"_qs)->setText(u"x+y"_qs);
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"BitBtn1"_qs), Qt::LeftButton);
    });
    Form1->Definernyopgave1Click();
    EXPECT_FALSE(DefineCancelled);
    EXPECT_EQ(CurrentTask, 25);
    EXPECT_EQ(Form2->ExerciseMode, TForm2::Observe);
    EXPECT_EQ(Form2->Label1->text(), u"Opgave nummer: 25"_qs);
}

TEST_F(MainWindowTest, ListAndAboutBoxOpenModallyAndCloseWithOk) {
    OwnTaskSlot(21) = MakeTask(21, 3, "x+y+z");
    RaiseOwnTaskSpan(21);
    QString listed;
    WhenModal([&listed](QWidget* dialog) {
        listed = dialog->windowTitle();
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"BitBtn1"_qs), Qt::LeftButton);
    });
    Form1->Listeoveregneopgaver1Click();
    EXPECT_EQ(listed, u"Liste over selvdefinerede opgaver"_qs);

    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"Om programmet"_qs);
        EXPECT_EQ(dialog->findChild<QLabel*>(u"ProductName"_qs)->text(), u"Kolvane"_qs);
        EXPECT_EQ(dialog->findChild<QLabel*>(u"Version"_qs)->text(), u"Version 290306"_qs);
        EXPECT_FALSE(dialog->findChild<QLabel*>(u"Copyright"_qs)->text().isEmpty());
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"OKButton"_qs), Qt::LeftButton);
    });
    Form1->Omprogrammet1Click();
    EXPECT_FALSE(AboutBox->isVisible());
}

TEST_F(MainWindowTest, QuitClosesTheMainWindow) {
    Form1->show();
    Form1->Afslut1->trigger();
    EXPECT_FALSE(Form1->isVisible());
}

} // namespace

namespace {

// The objects under an accessible that a screen reader finds on the screen
// and that have no name, by role and object name.
void collectNameless(QAccessibleInterface* object, QStringList& nameless) {
    if (!object || object->state().invisible)
        return;
    if (object->text(QAccessible::Name).trimmed().isEmpty())
        nameless << QStringLiteral("%1 %2")
                        .arg(object->role())
                        .arg(object->object() ? object->object()->objectName() : QString());
    for (int i = 0; i < object->childCount(); ++i)
        collectNameless(object->child(i), nameless);
}

TEST_F(MainWindowTest, EveryWindowNamesWhatItShows) {
    StartProgram();
    OnFirstUse(Form6)->SetLines(QStringLiteral("Opgave 21 findes."), QStringLiteral("Erstat den?"));
    QStringList nameless;
    collectNameless(QAccessible::queryAccessibleInterface(Form1), nameless);
    for (QWidget* dialog : std::initializer_list<QWidget*>{
             OnFirstUse(AboutBox), OnFirstUse(Overskrif), OnFirstUse(Form3), OnFirstUse(Form4),
             OnFirstUse(Form5), Form6, OnFirstUse(Form7), Form2->PopupMenu1}) {
        dialog->show();
        collectNameless(QAccessible::queryAccessibleInterface(dialog), nameless);
        dialog->hide();
    }
    QCoreApplication::processEvents();
    for (QMenu* menu : Form1->findChildren<QMenu*>())
        EXPECT_FALSE(menu->accessibleName().isEmpty()) << menu->objectName().toStdString();
    // A message box with a blank caption.
    MessageHook = nullptr;
    WhenModal([&](QWidget* box) {
        collectNameless(QAccessible::queryAccessibleInterface(box), nameless);
        box->close();
    });
    ShowMessage(Form1, QStringLiteral("Der er ikke defineret nogen opgave med dette nummer"),
                QStringLiteral(" "));
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QStringLiteral(", ")).toStdString();
}

} // namespace
