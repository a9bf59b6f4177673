// SPDX-License-Identifier: GPL-3.0-or-later
// Kolvane: find the rule that the machine hides.
#include "app/desktop_setup.h"
#include "app/error_handler.h"
#include "app/lesson_journal.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "catalogue/task_catalogue.h"
#include "ui/file_names.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char** argv) {
    KolvaneApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kolvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kolvane.Kolvane"));
    // Every window, the main window and the guide's too, carries the program's icon.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/kolvane.png")));
    // Without the translation the dialogs stay English; the program runs on.
    QTranslator qtTexts;
    KolvErkl::UseDanishDialogs(qtTexts, QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    KolvErkl::ProgramPath = KolvErkl::NativeFileName(QCoreApplication::applicationFilePath());
    KolvErkl::ProgramArguments = KolvErkl::ProgramArgumentsOf(argc, argv);
    KolvErkl::FallbackTaskFolder = KolvErkl::NativeFileName(KolvErkl::UserSaveFolder());

    // The pupil's lesson is kept in the user's own data folder of the program.
    KolvErkl::LessonJournal journal(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    TForm1* mainWindow = KolvErkl::CreateWindows();
    mainWindow->SetLessonJournal(&journal);
    mainWindow->showMaximized();
    const int code = app.exec();
    KolvErkl::DestroyWindows();
    return code;
}
