// The main window: start-up, first activation, the timer's step, the menu,
// F1, and the menu's loads, prints and definitions.
#include "app_test_support.h"

#include "catalogue/ui/define_dialog.h"
#include "catalogue/ui/own_task_list.h"
#include "catalogue/ui/task_picker.h"
#include "catalogue/ui/yes_no_dialog.h"
#include "exercise/answer_dialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

using namespace KolvErkl;
using namespace KolvTest;

namespace {

TEST(TitlePicturePlacement, HalfTheOuterSizeLessHalfThePicture)
{
    const std::vector<std::pair<QSize, QPoint>> cases = {
        {{1024, 738}, {372, 249}},
        {{1025, 739}, {372, 249}}, // div truncates
        {{1280, 800}, {500, 280}},
        {{200, 100}, {-40, -70}},  // a small window cuts the picture off
    };
    for (const auto& [outer, corner] : cases)
        EXPECT_EQ(TitlePicturePosition(outer), corner) << outer.width() << " x " << outer.height();
}

using MainWindowTest = AppTest;

TEST_F(MainWindowTest, WindowsAreCreatedHiddenInTheirOrder)
{
    ASSERT_NE(Form1, nullptr);
    QStringList dialogs;
    for (QObject* child : Form1->children())
        if (auto* dialog = qobject_cast<QDialog*>(child))
            dialogs << dialog->objectName();
    EXPECT_EQ(dialogs, (QStringList{u"AboutBox"_qs, u"Overskrif"_qs, u"Form4"_qs, u"Form3"_qs,
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

TEST_F(MainWindowTest, MenuTreeWithCaptionsNamesAndShortcut)
{
    const std::vector<std::pair<const char*, QString>> items = {
        {"Hentegneopgaver1", u"Hent egne opgaver"_qs},   {"HentEkstraopgaver1", u"Hent Ekstraopgaver"_qs},
        {"Udskriv1", u"Udskriv"_qs},                     {"Afslut1", u"&Afslut"_qs},
        {"Definernyopgave1", u"&Definer ny opgave"_qs},  {"Listeoveregneopgaver1", u"&Liste over egne opgaver"_qs},
        {"Vejledning1", u"&Vejledning"_qs},              {"Omprogrammet1", u"&Om programmet"_qs},
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
}

TEST_F(MainWindowTest, FirstActivationSetsUpOnceOnly)
{
    NumberOfVariables = 2;
    ExtraTaskMode = true;
    OwnTaskSpan = 7;
    Form1->FormActivate();
    EXPECT_EQ(Form1->windowTitle(), u"   Kolvane   Version 290306"_qs);
    EXPECT_EQ(NumberOfVariables, 3);
    EXPECT_FALSE(ExtraTaskMode);
    EXPECT_EQ(OwnTaskSpan, 0);
    EXPECT_TRUE(OwnTaskSlot(21).isFree());

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
    EXPECT_FALSE(OwnTaskSlot(25).isFree());
    EXPECT_EQ(Form1->windowTitle(), u"   Kolvane   Version 290306"_qs);
}

TEST_F(MainWindowTest, TimerOpensTheExerciseWindowWithPrintAndModesDisabled)
{
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
        EXPECT_FALSE(Form2->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_EQ(Form2->geometry(), Form1->ClientArea()->rect());

    // After a resize the exercise window still covers the client area, so
    // the title picture stays hidden beneath it.
    Form1->resize(700, 500);
    EXPECT_EQ(Form2->geometry(), Form1->ClientArea()->rect());
    EXPECT_EQ(Form1->Image1->pos(), TitlePicturePosition(Form1->frameGeometry().size()));
}

TEST_F(MainWindowTest, TheTimerDoesTheFirstActivationsSetUpWhenNoActivationCameYet)
{
    WriteBytes(File("Opg23.kvn"), TaskBytes(MakeTask(23, 2, "x*y")));
    ProgramArguments = {File("Opg23.kvn")};
    Form1->show();
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->windowTitle(), u"   Kolvane   Version 290306"_qs);
    EXPECT_FALSE(OwnTaskSlot(23).isFree());

    // The activation that comes at last leaves the loaded task alone.
    Form1->FormActivate();
    EXPECT_FALSE(OwnTaskSlot(23).isFree());
    EXPECT_EQ(OwnTaskSpan, 3);
}

struct CountingBackend : PrintBackend {
    explicit CountingBackend(QPagedPaintDevice& device) : device_(device) {}
    QPagedPaintDevice& device() override { return device_; }
    bool askUser(int, int, int) override
    {
        ++asked;
        return false;
    }
    QPagedPaintDevice& device_;
    int asked = 0;
};

TEST_F(MainWindowTest, PrintMenuAndCtrlPPrintOnlyWhileEnabled)
{
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

    Form1->setPrintMenuEnabled(false);
    QTest::keyClick(Form1, Qt::Key_P, Qt::ControlModifier);
    Form1->Udskriv1->trigger();
    EXPECT_EQ(backend.asked, 1);
    Form1->SetPrintBackend(nullptr);
}

TEST_F(MainWindowTest, F1ReleasedOpensHelpWithAnyShiftKeys)
{
    for (Qt::KeyboardModifiers mods : {Qt::KeyboardModifiers(Qt::NoModifier),
                                       Qt::KeyboardModifiers(Qt::ShiftModifier),
                                       Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)})
        QTest::keyRelease(Form1, Qt::Key_F1, mods);
    QTest::keyRelease(Form1, Qt::Key_F2);
    EXPECT_EQ(helpRequests, 3);
    Form1->Vejledning1->trigger();
    EXPECT_EQ(helpRequests, 4);
}

TEST_F(MainWindowTest, HelpMenuOpensTheGuideInTheHelpWindow)
{
    HelpHook = ShowHelpWindow;
    HelpFile = QStringLiteral(KOLVANE_SOURCE_DIR "/resources/kolvane.HLP");
    Form1->Vejledning1Click();
    ASSERT_NE(HelpWindow, nullptr);
    EXPECT_TRUE(HelpWindow->isVisible());
}

TEST_F(MainWindowTest, FailedLoadsAreReportedUnderTheReadErrorCaption)
{
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
}

TEST_F(MainWindowTest, LoadingHidesTheCheckButton)
{
    StartProgram();
    Form2->SpeedButton16->show();
    Form1->Hentegneopgaver1Click();
    EXPECT_FALSE(Form2->SpeedButton16->isVisible());
}

TEST_F(MainWindowTest, OwnTaskLoadedWhileNoTaskRunsWaitsForThePicker)
{
    StartProgram();
    WriteBytes(File("Opg30.kvn"), TaskBytes(MakeTask(30, 2, "x*y+1")));
    dialogs.answer = File("Opg30.kvn");
    Form1->Hentegneopgaver1Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(CurrentTask, 30);
    EXPECT_EQ(Form2->ExerciseMode, TForm2::None);
    EXPECT_TRUE(ActivityLog.isEmpty());
}

// A load while a task runs must not leave the machine computing one rule
// under the label of another: the task is started again under its rule.
TEST_F(MainWindowTest, OwnTaskLoadedWhileATaskRunsIsStartedAtOnce)
{
    StartProgram();
    CurrentTask = 5;
    Form2->StartTask();
    ASSERT_EQ(Form2->ExerciseMode, TForm2::Observe);

    WriteBytes(File("Opg30.kvn"), TaskBytes(MakeTask(30, 2, "x*y+1")));
    dialogs.answer = File("Opg30.kvn");
    Form1->Hentegneopgaver1Click();

    EXPECT_EQ(CurrentTask, 30);
    EXPECT_EQ(NumberOfVariables, 2);
    EXPECT_EQ(CurrentFormula, "x*y+1");
    EXPECT_EQ(Form2->Label1->text(), u"Opgave nummer: 30"_qs);
    ASSERT_FALSE(ActivityLog.isEmpty());
    EXPECT_EQ(ActivityLog.first(), u"           Opgave nummer: 30     (2 variable)"_qs);
    for (int row = 1; row <= 3; ++row) {
        const int x = Form2->ObservationTable[row][0].trimmed().toInt();
        const int y = Form2->ObservationTable[row][1].trimmed().toInt();
        EXPECT_EQ(Form2->ObservationTable[row][3].trimmed().toInt(), x * y + 1) << "row " << row;
    }
}

TEST_F(MainWindowTest, ExtraTasksLoadedWhileABuiltInTaskRunsRestartItUnderTheExtraRule)
{
    StartProgram();
    CurrentTask = 5;
    Form2->StartTask();
    WriteBytes(File("Ekstra.kvn"), ExtraBytes(20, "100+"));
    dialogs.answer = File("Ekstra.kvn");
    Form1->HentEkstraopgaver1Click();

    EXPECT_TRUE(ExtraTaskMode);
    EXPECT_EQ(Form2->Label1->text(), u"Ekstraopgave nummer:  5"_qs);
    EXPECT_EQ(Form2->ObservationTable[1][3], u"  105"_qs);
}

TEST_F(MainWindowTest, ExtraTasksLeaveATwoVariableTaskAlone)
{
    StartProgram();
    NumberOfVariables = 2;
    CurrentTask = 5;
    Form2->StartTask();
    const QStringList logBefore = ActivityLog;
    WriteBytes(File("Ekstra.kvn"), ExtraBytes(20));
    dialogs.answer = File("Ekstra.kvn");
    Form1->HentEkstraopgaver1Click();
    EXPECT_TRUE(ExtraTaskMode);
    EXPECT_EQ(ActivityLog, logBefore);
    EXPECT_EQ(Form2->Label1->text(), u"Opgave nummer:  5"_qs);
}

TEST_F(MainWindowTest, DefiningStartsTheNewTaskButCancellingDoesNot)
{
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

TEST_F(MainWindowTest, ListAndAboutBoxOpenModallyAndCloseWithOk)
{
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

TEST_F(MainWindowTest, QuitClosesTheMainWindow)
{
    Form1->show();
    Form1->Afslut1->trigger();
    EXPECT_FALSE(Form1->isVisible());
}

} // namespace
