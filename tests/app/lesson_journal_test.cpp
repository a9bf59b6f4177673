// SPDX-License-Identifier: GPL-3.0-or-later
// A lesson is never lost: the close question, the journal written as the
// lesson grows and offered back at the next start, two programs at once,
// bad journals, the end of the desktop session.
#include "app_test_support.h"

#include "app/lesson_journal.h"
#include "catalogue_ui/task_picker.h"
#include "catalogue_ui/yes_no_dialog.h"
#include "exercise/answer_dialog.h"
#include "exercise/machine_picture.h"
#include "exercise/picture_geometry.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <filesystem>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace KolvErkl;
using namespace KolvTest;

namespace {

namespace fs = std::filesystem;

enum class Answer { Yes, No, Escape };

class LessonJournalTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ClockHook = [this] { return clock; };
        folder = QDir::fromNativeSeparators(QString::fromStdString(File("state/Kolvane")));
    }
    void TearDown() override {
        dropJournal();
        AppTest::TearDown();
    }

    // The program goes without ending itself: its journal stays, its lock
    // goes.
    void dropJournal() {
        if (Form1)
            Form1->SetLessonJournal(nullptr);
        journal.reset();
    }

    // Answers "Ups" if it opens before the program next waits for the user.
    void answerUps(Answer answer) {
        asked = false;
        QTimer::singleShot(0, [this, answer] {
            if (!Form6 || QApplication::activeModalWidget() != Form6)
                return;
            asked = true;
            lines = {Form6->Label1->text(), Form6->Label2->text()};
            if (answer == Answer::Escape)
                QTest::keyClick(Form6, Qt::Key_Escape);
            else
                QTest::mouseClick(answer == Answer::Yes ? Form6->BitBtn1 : Form6->BitBtn2,
                                  Qt::LeftButton);
        });
    }

    // The program as main() starts it, with its journal in `folder`.
    void startWithJournal(Answer answer = Answer::No) {
        journal = std::make_unique<LessonJournal>(folder);
        Form1->SetLessonJournal(journal.get());
        answerUps(answer);
        StartProgram();
        QCoreApplication::processEvents();
    }
    // The next start after the program went without ending itself, with
    // everything in memory lost; `file` is named on the command line.
    void restart(Answer answer, const std::string& file = {}) {
        dropJournal();
        DestroyWindows();
        ResetProgramState();
        ClockHook = [this] { return clock; };
        ProgramPath = "/opt/kolvane/bin/kolvane";
        if (!file.empty())
            ProgramArguments = {file};
        InitTaskCatalogue();
        CreateProgram();
        startWithJournal(answer);
    }

    void startTask(int32_t task) {
        CurrentTask = task;
        ASSERT_TRUE(Form2->StartTask());
    }
    static void clickField(const QRect& field) {
        QTest::mouseClick(Form2->PaintBox1, Qt::LeftButton, {}, field.center());
    }
    // Every kind of line and activity: the task line, two groups of
    // observations, an experiment row, a check with right and wrong
    // answers, Tid lines, a print and the observations after it.
    void lessonWithEveryKindOfLine() {
        clock = 40000;
        WhenModal([](QWidget*) {
            Form3->Edit1->setText(u"7"_qs);
            QTest::keyClick(Form3->Edit1, Qt::Key_Return);
        });
        Form2->SpeedButton17Click();
        clock += 3;
        Form2->SpeedButton13Click();
        clock += 4;
        Form2->SpeedButton14Click();
        clickField(ExperimentField(1, 1));
        Form2->DigitPressed(4);
        clickField(ExperimentField(1, 2));
        Form2->DigitPressed(2);
        clock += 5;
        Form2->SpeedButton15Click();
        for (int row = 1; row <= 5; ++row) {
            const int32_t answer = Form2->CorrectOutputs[row] + row % 2;
            WhenModal([answer](QWidget*) {
                Form4->Edit1->setText(QString::number(answer));
                QTest::keyClick(Form4->Edit1, Qt::Key_Return);
            });
            clickField(CheckField(row, OutputColumn));
        }
        Form2->SpeedButton16Click();
        clock += 6;
        Heading = u"Ida Ærø"_qs;
        Form2->SpeedButton10Click();
        clock += 7;
        Form2->SpeedButton13Click();
        clock += 8;
    }
    static QString copy() {
        Form2->SpeedButton18Click();
        return QGuiApplication::clipboard()->text();
    }
    QString path(const QString& name) const { return folder + u'/' + name; }
    QStringList journals() const {
        return QDir(folder).entryList({u"lesson-*"_qs}, QDir::AllEntries | QDir::System,
                                      QDir::Name);
    }
    static QString journalText(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    double clock = 0;
    QString folder;
    std::unique_ptr<LessonJournal> journal;
    bool asked = false;
    QStringList lines;
};

TEST_F(LessonJournalTest, ClosingAsksWhenAndOnlyWhenWorkWouldBeLost) {
    struct Case {
        const char* what;
        std::function<void()> lesson; // after a task's start
        Answer answer;
        bool asks, closes;
    };
    auto print = [] { Form2->SpeedButton10Click(); };
    const Case cases[] = {
        {"no task begun", nullptr, Answer::No, false, true},
        {"a task begun, Nej", [] {}, Answer::No, true, false},
        {"a task begun, Esc", [] {}, Answer::Escape, true, false},
        {"a task begun, Ja", [] {}, Answer::Yes, true, true},
        {"copied", [] { copy(); }, Answer::No, false, true},
        {"printed", print, Answer::No, false, true},
        {"print dialog cancelled",
         [&] {
             noPrinter->accept = false;
             print();
         },
         Answer::No, true, false},
        {"copied, then observed",
         [] {
             copy();
             Form2->SpeedButton13Click();
         },
         Answer::No, true, false},
        {"printed, then a heading",
         [&] {
             print();
             Heading = u"Bo"_qs;
         },
         Answer::No, false, true},
    };
    startWithJournal();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        noPrinter->accept = true;
        if (c.lesson) {
            startTask(3);
            c.lesson();
        }
        journal->Update();
        const QStringList log = ActivityLog;
        const QStringList written = journals();
        Form1->show();
        answerUps(c.answer);
        Form1->close();
        QCoreApplication::processEvents();
        EXPECT_EQ(asked, c.asks);
        if (c.asks) {
            EXPECT_EQ(lines, (QStringList{UnprintedLogLine, QuitAnywayLine}));
        }
        EXPECT_EQ(Form1->isVisible(), !c.closes);
        EXPECT_EQ(ActivityLog, log);
        // A normal end takes the journal away; staying keeps it.
        EXPECT_EQ(journals(), c.closes ? QStringList{u"lesson-1.journal.lock"_qs} : written);
    }
    EXPECT_EQ(UnprintedLogLine, u"Loggen er hverken udskrevet eller kopieret."_qs);
    EXPECT_EQ(QuitAnywayLine, u"Vil du afslutte alligevel (j/n) ?"_qs);
}

TEST_F(LessonJournalTest, AKilledLessonComesBackWithItsLogActivitiesAndHeading) {
    startWithJournal();
    EXPECT_FALSE(asked) << "nothing to offer at the first start";
    lessonWithEveryKindOfLine();
    const QString before = copy();
    journal->Update();
#ifdef Q_OS_UNIX
    // For the user alone: rwx------ and rw-------.
    const int ownerGroupOther = 0x7077;
    EXPECT_EQ(int(QFileInfo(folder).permissions()) & ownerGroupOther, 0x7000);
    EXPECT_EQ(int(QFileInfo(journal->FileName()).permissions()) & ownerGroupOther, 0x6000);
#endif

    clock += 1000;
    restart(Answer::Yes);
    EXPECT_TRUE(asked);
    EXPECT_EQ(lines, (QStringList{UnfinishedLessonLine, FetchAgainLine}));
    EXPECT_EQ(UnfinishedLessonLine, u"Der er en lektion, der ikke blev afsluttet."_qs);
    EXPECT_EQ(FetchAgainLine, u"Skal den hentes frem igen (j/n) ?"_qs);
    // The heading dialog, first opened after the restart, shows it.
    ASSERT_EQ(Overskrif, nullptr);
    EXPECT_EQ(OnFirstUse(Overskrif)->Edit1->text(), u"Ida Ærø"_qs);
    EXPECT_EQ(Form2->ExerciseMode, TForm2::None);
    EXPECT_TRUE(Form2->SpeedButton13->isEnabled());
    EXPECT_TRUE(Form2->SpeedButton10->isEnabled());
    EXPECT_TRUE(Form1->Udskriv1->isEnabled());

    // A second copy adds a blank and the same summary again: every record
    // came back with its time and counts.
    const QString after = copy();
    const QStringList copied = before.split(u'\n');
    const qsizetype header = copied.lastIndexOf(u"    Tid      Aktivitet       Antal datasæt "_qs);
    ASSERT_GT(header, 3);
    EXPECT_EQ(after, before + u"\n \n"_qs + copied.mid(header - 3).join(u'\n'));
    EXPECT_TRUE(before.startsWith(u"Ida Ærø\n \nKolvane\n \n           Opgave nummer:  7"_qs));
    EXPECT_TRUE(before.contains(u"    OK"_qs));
    EXPECT_TRUE(before.contains(u"Kontrollér          5   Antal rigtige:  2"_qs));
}

TEST_F(LessonJournalTest, TheTaskComesBackWithItsRuleAndTheTimeItHadRun) {
    struct Case {
        const char* what;
        std::function<void()> setUp;
        int32_t task;
        QString label;
    };
    const Case cases[] = {
        {"built-in, 2 variables", [] { NumberOfVariables = 2; }, 7, u"Opgave nummer:  7"_qs},
        {"own task",
         [] {
             OwnTaskSlot(25) = MakeTask(25, 2, "x*y+1");
             RaiseOwnTaskSpan(25);
             NumberOfVariables = 2;
         },
         25, u"Opgave nummer: 25"_qs},
        {"extra task",
         [] {
             for (int k = 1; k <= ExtraTaskCount; ++k)
                 ExtraTasks[static_cast<std::size_t>(k)] = {3, "z*10+x-" + std::to_string(k)};
             ExtraTaskMode = true;
         },
         5, u"Ekstraopgave nummer:  5"_qs},
    };
    auto outputs = [] {
        std::vector<int32_t> all;
        for (int32_t x = 1; x <= 9; ++x)
            for (int32_t z = 1; z <= 9; z += 4)
                all.push_back(MachineOutput(x, 10 - x, z));
        return all;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restart(Answer::No);
        c.setUp();
        clock = 50000;
        startTask(c.task);
        const std::vector<int32_t> rule = outputs();
        clock += 12;
        journal->Update();
        ASSERT_EQ(CaptureLesson().ElapsedMs, 12000);

        clock += 5000;
        restart(Answer::Yes);
        ASSERT_TRUE(asked);
        EXPECT_EQ(Form2->Label1->text(), c.label);
        EXPECT_EQ(CurrentTask, c.task);
        EXPECT_EQ(outputs(), rule);
        // The observation had run 12 seconds; the time between is not its.
        clock += 5;
        Form2->SpeedButton14Click();
        EXPECT_TRUE(ActivityLog.contains(u"           Tid: 17 sekunder"_qs));
        EXPECT_EQ(outputs(), rule);
    }
}

TEST_F(LessonJournalTest, ATaskWhoseRuleAFileNamedAtTheStartReplacedDoesNotGoOn) {
    restart(Answer::No);
    OwnTaskSlot(25) = MakeTask(25, 3, "x*y+1");
    RaiseOwnTaskSpan(25);
    startTask(25);
    journal->Update();
    const QStringList log = ActivityLog;
    WriteBytes(File("Opg25.kvn"), TaskBytes(MakeTask(25, 3, "x+y")));

    restart(Answer::Yes, File("Opg25.kvn"));
    ASSERT_TRUE(asked);
    EXPECT_EQ(OwnTaskSlot(25).Formula.Text(), "x+y") << "the file is loaded as always";
    EXPECT_EQ(ActivityLog, log) << "the lesson's log is back";
    EXPECT_TRUE(Form2->Label1->text().isEmpty());
    EXPECT_FALSE(Form2->SpeedButton13->isEnabled());
    EXPECT_TRUE(Form2->SpeedButton10->isEnabled());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().first, u"Opgavens regel er skiftet. Vælg opgaven igen."_qs);
}

TEST_F(LessonJournalTest, EachProgramKeepsItsOwnJournalAndAGoneProgramsIsOffered) {
    startWithJournal();
    startTask(3);
    journal->Update();
    const QString first = journal->FileName();

    LessonJournal second(folder);
    answerUps(Answer::Yes);
    EXPECT_FALSE(second.OfferUnfinishedLesson(Form1));
    QCoreApplication::processEvents();
    EXPECT_FALSE(asked) << "the first program's lesson is its own";
    EXPECT_NE(second.FileName(), first);
    second.Update();
    EXPECT_TRUE(QFileInfo::exists(second.FileName()));

    dropJournal();
    LessonJournal third(folder);
    answerUps(Answer::No);
    EXPECT_FALSE(third.OfferUnfinishedLesson(Form1));
    EXPECT_TRUE(asked);
    EXPECT_EQ(third.FileName(), first);
    EXPECT_FALSE(QFileInfo::exists(first)) << "\"Nej\" removes it";
    EXPECT_TRUE(QFileInfo::exists(second.FileName()));
}

TEST_F(LessonJournalTest, OnlyAFileNamedAsAJournalIsOffered) {
    startWithJournal();
    startTask(3);
    journal->Update();
    const QString good = journalText(journal->FileName());
    journal->Remove();
    ASSERT_FALSE(good.isEmpty());
    struct Row {
        const char* name;
        bool offered;
    };
    const Row rows[] = {
        {"lesson-7.journal", true},      {"LESSON-7.Journal", true},     {"lesson-.journal", true},
        {"lesson-7.journal.old", false}, {"my-lesson-7.journal", false}, {"lesson-7journal", false},
        {"lesson-7.journal~", false},    {"lesson.journal", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        dropJournal();
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile file(path(QString::fromLatin1(row.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(good.toUtf8()) > 0);
        file.close();
        restart(Answer::Yes);
        EXPECT_EQ(asked, row.offered);
    }
}

TEST_F(LessonJournalTest, BadJournalsAreMovedAsideAndTheProgramStartsAsToday) {
    const QString good = [this] {
        startWithJournal();
        startTask(3);
        journal->Update();
        const QString text = journalText(journal->FileName());
        journal->Remove();
        return text;
    }();
    ASSERT_FALSE(good.isEmpty());
    const QString target = QString::fromStdString(File("elsewhere"));
    auto write = [](const QString& file, const QByteArray& bytes) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
        fs::file_type kind;
    };
    const QByteArray bytes = good.toUtf8();
    const std::string body = bytes.left(bytes.lastIndexOf("end ")).toStdString();
    const Case cases[] = {
        {"truncated", [&](auto p) { write(p, bytes.left(bytes.size() - 9)); },
         fs::file_type::regular},
        {"garbled", [&](auto p) { write(p, QByteArray(bytes).replace("line  ", "line x")); },
         fs::file_type::regular},
        {"of another format version",
         [&](auto p) {
             std::string other = body;
             other[16] = '2';
             write(p, QByteArray::fromStdString(other + SealJournal(other)));
         },
         fs::file_type::regular},
        {"empty", [&](auto p) { write(p, {}); }, fs::file_type::regular},
        {"huge",
         [&](auto p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) > 0);
             f.resize(static_cast<qint64>(MaxJournalBytes) + 1);
         },
         fs::file_type::regular},
        {"a folder", [](auto p) { QDir().mkpath(p); }, fs::file_type::directory},
#ifdef Q_OS_UNIX
        {"a symbolic link to a good journal",
         [&](auto p) {
             write(target, bytes);
             fs::create_symlink(target.toStdString(), p.toStdString());
         },
         fs::file_type::symlink},
        {"a symbolic link to nothing",
         [](auto p) { fs::create_symlink("/no/such/journal", p.toStdString()); },
         fs::file_type::symlink},
        {"a FIFO", [](auto p) { ASSERT_EQ(::mkfifo(p.toLocal8Bit().constData(), 0600), 0); },
         fs::file_type::fifo},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dropJournal();
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QString bad = path(u"lesson-1.journal"_qs);
        c.make(bad);
        // One moved aside before stays as it is.
        write(path(u"lesson-1.journal.broken"_qs), "earlier");
        restart(Answer::Yes);
        EXPECT_FALSE(asked);
        const QString aside = path(u"lesson-1.journal.2.broken"_qs);
        EXPECT_EQ(fs::symlink_status(aside.toStdString()).type(), c.kind);
        EXPECT_EQ(journalText(path(u"lesson-1.journal.broken"_qs)), u"earlier"_qs);
        EXPECT_EQ(journal->FileName(), bad) << "the name is free again";
        EXPECT_TRUE(Form2->isVisible());
        EXPECT_FALSE(Form2->SpeedButton13->isEnabled());
        EXPECT_TRUE(ActivityLog.isEmpty());
    }
#ifdef Q_OS_UNIX
    EXPECT_EQ(journalText(target), good) << "a link's target is never touched";
#endif
}

TEST_F(LessonJournalTest, TheEndOfTheSessionAsksWhenItMayAndElseKeepsTheJournal) {
    struct Case {
        const char* what;
        bool copied, mayAsk;
        Answer answer;
        bool ends, asks, kept;
    };
    const Case cases[] = {
        {"all copied", true, true, Answer::No, true, false, false},
        {"not copied, Ja", false, true, Answer::Yes, true, true, false},
        {"not copied, Nej", false, true, Answer::No, false, true, true},
        {"not copied, no asking", false, false, Answer::Yes, true, false, true},
    };
    startWithJournal();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startTask(4);
        if (c.copied)
            copy();
        journal->Update();
        answerUps(c.answer);
        EXPECT_EQ(journal->SessionMayEnd([&] { return c.mayAsk; }), c.ends);
        QCoreApplication::processEvents();
        EXPECT_EQ(asked, c.asks);
        EXPECT_EQ(QFileInfo::exists(journal->FileName()), c.kept);
        // The session's end closes the windows next: nothing more is asked.
        Form1->show();
        answerUps(Answer::No);
        Form1->close();
        QCoreApplication::processEvents();
        EXPECT_EQ(asked, !c.ends);
        EXPECT_EQ(QFileInfo::exists(journal->FileName()), c.kept);
    }
}

TEST_F(LessonJournalTest, AJournalThatCannotBeWrittenIsTriedAgainAtTheNextChange) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps a folder whose lock file is open";
#endif
    startWithJournal();
    QDir(folder).removeRecursively();
    {
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    startTask(3);
    journal->Update();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Form2->ExerciseMode, TForm2::Observe);

    QFile::remove(folder);
    QDir().mkpath(folder);
    journal->Update();
    EXPECT_FALSE(QFileInfo::exists(journal->FileName())) << "nothing changed since";
    Form2->SpeedButton13Click();
    journal->Update();
    EXPECT_TRUE(journalText(journal->FileName()).contains(u" Observationer:"_qs));
}

} // namespace
