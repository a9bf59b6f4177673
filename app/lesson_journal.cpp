// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lesson_journal.h"

#include "app/heading_dialog.h"
#include "catalogue/task_catalogue.h"
#include "catalogue_ui/yes_no_dialog.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/exercise_window.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLockFile>
#include <QSaveFile>
#include <QSessionManager>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace KolvErkl {

const QString UnprintedLogLine = QStringLiteral("Loggen er hverken udskrevet eller kopieret.");
const QString QuitAnywayLine = QStringLiteral("Vil du afslutte alligevel (j/n) ?");
const QString UnfinishedLessonLine = QStringLiteral("Der er en lektion, der ikke blev afsluttet.");
const QString FetchAgainLine = QStringLiteral("Skal den hentes frem igen (j/n) ?");

namespace {

const QString JournalPrefix = QStringLiteral("lesson-");
const QString JournalSuffix = QStringLiteral(".journal");
const QString LockSuffix = QStringLiteral(".lock");
const QString BrokenSuffix = QStringLiteral(".broken");
// How many programs may keep a journal in the folder at once.
constexpr int MaxJournals = 1000;
constexpr double SecondsPerDay = 86400.0;

// Whether a name in the folder is a journal's: "lesson-*.journal", in any
// case, as a listing by that wildcard gives it. Compared by hand: the
// wildcard would compile a regular expression, whose engine alone costs the
// start-up half a megabyte of memory.
bool isJournalName(const QString& name) {
    return name.size() >= JournalPrefix.size() + JournalSuffix.size() &&
           name.startsWith(JournalPrefix, Qt::CaseInsensitive) &&
           name.endsWith(JournalSuffix, Qt::CaseInsensitive);
}

bool askYesNo(QWidget* parent, const QString& first, const QString& second) {
    std::unique_ptr<TForm6> ownQuestion;
    TForm6* question = OnFirstUse(Form6);
    if (question == nullptr) {
        ownQuestion = std::make_unique<TForm6>(parent);
        question = ownQuestion.get();
    }
    question->SetLines(first, second);
    return question->exec() == QDialog::Accepted && YesNoAnswer;
}

// ---- Files, never followed through a symbolic link ------------------------

std::filesystem::path nativePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

std::filesystem::file_type entryType(const QString& path) {
    std::error_code error;
    return std::filesystem::symlink_status(nativePath(path), error).type();
}

bool entryExists(const QString& path) {
    const std::filesystem::file_type type = entryType(path);
    return type != std::filesystem::file_type::not_found &&
           type != std::filesystem::file_type::none;
}

// Renames what lies at `path` (a file, a folder, a symbolic link itself) to
// a name ending ".broken" that is not yet taken; nothing is deleted.
void moveAside(const QString& path) {
    for (int k = 1; k <= MaxJournals; ++k) {
        const QString aside = k == 1 ? path + BrokenSuffix
                                     : QStringLiteral("%1.%2%3").arg(path).arg(k).arg(BrokenSuffix);
        if (entryExists(aside))
            continue;
        std::error_code error;
        std::filesystem::rename(nativePath(path), nativePath(aside), error);
        return;
    }
}

std::optional<JournalLesson> readJournal(const QString& path) {
    if (entryType(path) != std::filesystem::file_type::regular)
        return std::nullopt;
    QFile file(path);
    if (file.size() > static_cast<qint64>(MaxJournalBytes) || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(static_cast<qint64>(MaxJournalBytes) + 1);
    return DecodeJournal(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The lock of a journal while no running program holds it; a lock whose
// program is gone is taken over, whatever its age.
std::unique_ptr<QLockFile> takeLock(const QString& journal) {
    auto lock = std::make_unique<QLockFile>(journal + LockSuffix);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

// ---- The lesson and its journal ---------------------------------------------

// What the journal keeps, as the program holds it: compared at every wait
// for the user, so it is cheap to copy (the lists share their data).
struct LessonState {
    QStringList Log;
    QStringList Delivered;
    ActivityMark Activities;
    QString Heading;
    int32_t Variables = 3;
    JournalTask Kind = JournalTask::None;
    int32_t Task = 0;
    int32_t Mode = 0;
    std::string Rule;
    bool ExtraTaskMode = false;
    std::array<ExtraTask, ExtraTaskCount + 1> ExtraTasks{};
    bool operator==(const LessonState&) const = default;
};

namespace {

LessonState currentState() {
    LessonState s;
    s.Log = ActivityLog;
    s.Delivered = DeliveredLog;
    s.Activities = MarkActivities();
    s.Heading = Heading;
    s.Variables = NumberOfVariables;
    // A task runs while the exercise window is in a mode.
    const int mode = Form2 ? Form2->ExerciseMode : TForm2::None;
    if (mode != TForm2::None && CurrentTask > 0) {
        s.Mode = mode;
        s.Task = CurrentTask;
        if (CurrentTask > BuiltInTasks) {
            s.Kind = JournalTask::Own;
            s.Rule = CurrentFormula;
        } else if (ExtraTaskInForce()) {
            s.Kind = JournalTask::Extra;
            s.Rule = ExtraTasks[static_cast<std::size_t>(CurrentTask)].Formula;
        } else {
            s.Kind = JournalTask::BuiltIn;
        }
    }
    s.ExtraTaskMode = ExtraTaskMode;
    if (ExtraTaskMode)
        s.ExtraTasks = ExtraTasks;
    return s;
}

JournalLesson toJournal(const LessonState& s) {
    JournalLesson j;
    j.ProgramVersion = KOLVANE_VERSION;
    j.Variables = s.Variables;
    j.Kind = s.Kind;
    j.Task = s.Task;
    j.Mode = s.Mode;
    j.Rule = s.Rule;
    j.ExtraTaskMode = s.ExtraTaskMode;
    j.ExtraTasks = s.ExtraTasks;
    j.Heading = utf8(s.Heading);
    const ActivityMark& a = s.Activities;
    for (int k = 1; k <= a.Count; ++k) {
        const ActivityRecord& r = a.Table[static_cast<std::size_t>(k)];
        j.Activities.push_back({r.Duration, r.DataSets, r.RightAnswers, utf8(r.Name)});
    }
    if (a.Count > 0) {
        j.InProgressName = utf8(a.InProgressName);
        j.InProgressRecorded = a.InProgressRecorded;
        j.PendingDataSets = a.DataSets;
        // How long the activity in progress has run, over midnight too.
        double seconds = TimeOfDay() - a.Start;
        if (seconds < 0)
            seconds += SecondsPerDay;
        j.ElapsedMs = static_cast<int32_t>(
            std::clamp(std::round(seconds * 1000.0), 0.0, double(MillisecondsPerDay)));
    }
    const bool deliveredStart = s.Delivered.size() <= s.Log.size() &&
                                std::equal(s.Delivered.begin(), s.Delivered.end(), s.Log.begin());
    j.DeliveredLines = deliveredStart ? static_cast<int32_t>(s.Delivered.size()) : 0;
    j.Log.reserve(static_cast<std::size_t>(s.Log.size()));
    for (const QString& line : s.Log)
        j.Log.push_back(utf8(line));
    return j;
}

// The running task's rule back in its place, as a task start finds it.
bool restoreRule(const JournalLesson& lesson) {
    const int32_t n = lesson.Task;
    switch (lesson.Kind) {
    case JournalTask::None:
        return true;
    case JournalTask::BuiltIn:
        return !ExtraTaskInForce();
    case JournalTask::Own: {
        TaskRecord& slot = OwnTaskSlot(n);
        if (slot.IsFree()) {
            slot = TaskRecord{};
            slot.VariableCount = lesson.Variables;
            slot.TaskNumber = n;
            slot.Formula.Assign(lesson.Rule);
            slot.FileName.Assign(DefaultFileName(n));
            RaiseOwnTaskSpan(n);
        }
        return slot.TaskNumber == n && slot.VariableCount == lesson.Variables &&
               slot.Formula.Text() == lesson.Rule;
    }
    case JournalTask::Extra:
        if (!ExtraTaskMode) {
            ExtraTasks = lesson.ExtraTasks;
            ExtraTaskMode = true;
        }
        return ExtraTaskInForce() && ExtraTasks[static_cast<std::size_t>(n)].Formula == lesson.Rule;
    }
    return false;
}

} // namespace

JournalLesson CaptureLesson() {
    return toJournal(currentState());
}

bool RestoreLesson(const JournalLesson& lesson) {
    ActivityLog.clear();
    for (const std::string& line : lesson.Log)
        ActivityLog.append(fromUtf8(line));
    DeliveredLog = ActivityLog.mid(0, lesson.DeliveredLines);

    // The activity in progress runs on from where the journal left it.
    ActivityMark mark;
    const std::size_t records =
        std::min(lesson.Activities.size(), static_cast<std::size_t>(MaxActivities));
    mark.Count = static_cast<int32_t>(records);
    for (std::size_t k = 0; k < records; ++k) {
        const JournalActivity& a = lesson.Activities[k];
        mark.Table[k + 1] = {a.Duration, a.DataSets, a.RightAnswers, fromUtf8(a.Name).left(60)};
    }
    mark.DataSets = lesson.PendingDataSets;
    mark.InProgressName = fromUtf8(lesson.InProgressName).left(60);
    mark.InProgressRecorded = lesson.InProgressRecorded;
    if (mark.Count > 0) {
        mark.Start = TimeOfDay() - lesson.ElapsedMs / 1000.0;
        if (mark.Start < 0)
            mark.Start += SecondsPerDay;
    }
    mark.LogLines = ActivityLog.size();
    TakeBackActivities(mark);

    Heading = fromUtf8(lesson.Heading);
    if (Overskrif)
        Overskrif->Edit1->setText(Heading);
    NumberOfVariables = lesson.Variables;
    CurrentTask = lesson.Task;
    return restoreRule(lesson);
}

bool LessonMayEnd(QWidget* parent) {
    return !LogHasUndeliveredLines() || askYesNo(parent, UnprintedLogLine, QuitAnywayLine);
}

// ---- The journal's file --------------------------------------------------

LessonJournal::LessonJournal(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder) {}

LessonJournal::~LessonJournal() = default;

bool LessonJournal::OfferUnfinishedLesson(QWidget* parent) {
    questionParent_ = parent;
    Open();
    if (!offered_)
        return false;
    if (askYesNo(parent, UnfinishedLessonLine, FetchAgainLine))
        return true;
    offered_.reset();
    RemoveFile();
    return false;
}

void LessonJournal::ResumeLesson() {
    if (!offered_)
        return;
    const bool ruleInForce = RestoreLesson(*offered_);
    offered_.reset();
    if (Form2)
        Form2->ResumeTask(ruleInForce);
}

void LessonJournal::Open() {
    if (opened_)
        return;
    opened_ = true;
    if (!QDir().mkpath(folder_))
        return;
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QDir dir(folder_);

    // Journals whose programs are gone: the first good one is offered and
    // becomes this program's; bad ones are moved aside; further good ones
    // stay for the next start.
    const QStringList names = dir.entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!isJournalName(name))
            continue;
        const QString path = dir.filePath(name);
        std::unique_ptr<QLockFile> lock = takeLock(path);
        if (!lock)
            continue; // a running program's
        std::optional<JournalLesson> lesson = readJournal(path);
        if (!lesson) {
            moveAside(path);
        } else if (!offered_) {
            offered_ = std::move(lesson);
            path_ = path;
            lock_ = std::move(lock);
        }
    }
    for (int n = 1; path_.isEmpty() && n <= MaxJournals; ++n) {
        const QString path = dir.filePath(JournalPrefix + QString::number(n) + JournalSuffix);
        if (entryExists(path))
            continue;
        std::unique_ptr<QLockFile> lock = takeLock(path);
        if (lock && !entryExists(path)) {
            path_ = path;
            lock_ = std::move(lock);
        }
    }
    if (path_.isEmpty())
        return;

    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &LessonJournal::Update);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &LessonJournal::CommitData,
                Qt::DirectConnection);
}

void LessonJournal::Update() {
    // A lesson offered back waits for the pupil's answer and its return.
    if (path_.isEmpty() || offered_)
        return;
    LessonState now = currentState();
    if (written_ && *written_ == now)
        return;
    // A lesson that goes on after the session's end was settled (another
    // program cancelled the end) is asked about again.
    sessionEnds_ = false;
    written_ = std::make_unique<LessonState>(now);
    if (now.Log.isEmpty()) {
        RemoveFile();
        return;
    }
    const std::string bytes = EncodeJournal(toJournal(now));
    if (bytes.size() > MaxJournalBytes)
        return;
    // Whatever came in the journal's place is moved aside, never written
    // through.
    if (entryExists(path_) && entryType(path_) != std::filesystem::file_type::regular)
        moveAside(path_);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.commit();
}

void LessonJournal::Remove() {
    if (path_.isEmpty())
        return;
    written_ = std::make_unique<LessonState>(currentState());
    RemoveFile();
}

void LessonJournal::RemoveFile() {
    const std::filesystem::file_type type = entryType(path_);
    std::error_code error;
    if (type == std::filesystem::file_type::regular || type == std::filesystem::file_type::symlink)
        std::filesystem::remove(nativePath(path_), error);
}

bool LessonJournal::MayClose(QWidget* parent) {
    if (sessionEnds_)
        return true;
    if (!LessonMayEnd(parent))
        return false;
    Remove();
    return true;
}

bool LessonJournal::SessionMayEnd(const std::function<bool()>& mayAsk) {
    Update();
    if (!LogHasUndeliveredLines()) {
        Remove();
    } else if (mayAsk()) {
        if (!LessonMayEnd(questionParent_))
            return false;
        Remove();
    }
    // Without leave to ask, the journal keeps the lesson for the next start.
    // The windows close next, without a further question.
    sessionEnds_ = true;
    return true;
}

void LessonJournal::CommitData(QSessionManager& manager) {
    bool asked = false;
    const bool mayEnd = SessionMayEnd([&] { return asked = manager.allowsInteraction(); });
    if (asked)
        manager.release();
    if (!mayEnd)
        manager.cancel();
}

} // namespace KolvErkl
