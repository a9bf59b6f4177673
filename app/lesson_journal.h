// SPDX-License-Identifier: GPL-3.0-or-later
// A lesson is never lost: closing asks first while the log holds lines that
// were never printed or copied, and a journal of the lesson, written after
// every change, brings it back at the next start when the program was
// killed, crashed or went with the desktop session.
//
// The journal lies in the user's own folder for the program's data (made
// for the user alone: it holds a pupil's name), one file per running
// program, each locked while its program runs. Writing it never interrupts
// the lesson: a write that fails is tried again at the next change.
#pragma once

#include "exercise/journal_format.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class QSessionManager;
class QWidget;

namespace KolvErkl {

struct LessonState;

// The lines of the two questions, asked with the yes/no dialog "Ups".
extern const QString UnprintedLogLine;     // "Loggen er hverken udskrevet eller kopieret."
extern const QString QuitAnywayLine;       // "Vil du afslutte alligevel (j/n) ?"
extern const QString UnfinishedLessonLine; // "Der er en lektion, der ikke blev afsluttet."
extern const QString FetchAgainLine;       // "Skal den hentes frem igen (j/n) ?"

// Whether the lesson may end now: at once when every line of the log was
// printed or copied (or there is none); otherwise only when the pupil
// answers "&Ja" to the question.
bool LessonMayEnd(QWidget* parent);

// The lesson as it stands, as a journal holds it.
JournalLesson CaptureLesson();
// Puts a journal's lesson back: the log, the activities, the heading (also
// into the heading dialog's field), the number of variables and the running
// task with its rule (an own task into its slot when that is free, the
// extra tasks when none are in force). False when the task's rule is no
// longer the one in force: a file loaded at start-up put another in place.
bool RestoreLesson(const JournalLesson& lesson);

class LessonJournal : public QObject {
    Q_OBJECT
public:
    // The journals live in `folder`, which is made when missing.
    explicit LessonJournal(const QString& folder, QObject* parent = nullptr);
    // The journal stays for the next start; only its lock goes.
    ~LessonJournal() override;

    // Takes this program's journal: the journal of an unfinished lesson when
    // one lies there whose program is gone, else a new one. Bad journals
    // (cut short, garbled, of another version, too large, or no regular
    // file) are moved aside under a name ending ".broken". When a lesson was
    // found, the pupil is asked whether it should come back: true for
    // "&Ja" (ResumeLesson then puts it back), and on "&Nej" its journal goes.
    // From here on the journal follows every change of the lesson.
    bool OfferUnfinishedLesson(QWidget* parent);
    // Puts back the lesson that the pupil asked for, if any, and takes up
    // its task in the exercise window.
    void ResumeLesson();

    // Writes the journal when the lesson changed since it was last written,
    // and removes it when there is no log. The program calls it whenever it
    // waits for the user.
    void Update();
    // The lesson ended normally: the journal goes, and comes again only when
    // the lesson changes after this.
    void Remove();
    // The main window is about to close: true when it may. The pupil is
    // asked as LessonMayEnd asks, and a normal end removes the journal;
    // after the session's end has been settled (and until the lesson
    // changes again) nothing more is asked, and the journal stays as that
    // left it.
    bool MayClose(QWidget* parent);
    // The desktop session ends. A lesson with lines never printed or copied
    // is asked about when `mayAsk` allows it; without that the journal stays
    // for the next start. True when the session may end.
    bool SessionMayEnd(const std::function<bool()>& mayAsk);

    // This program's journal; empty before OfferUnfinishedLesson, or when
    // the folder cannot be used.
    QString FileName() const { return path_; }

private:
    void Open();
    void CommitData(QSessionManager& manager);
    void RemoveFile();

    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    std::optional<JournalLesson> offered_;
    std::unique_ptr<LessonState> written_; // the lesson as last written
    QPointer<QWidget> questionParent_;
    bool opened_ = false;
    bool sessionEnds_ = false;
};

} // namespace KolvErkl
