// Kolvane: find the rule that the machine hides.
#include "app/error_handler.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "catalogue/task_catalogue.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    KolvaneApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kolvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kolvane"));

    KolvErkl::ProgramPath = QCoreApplication::applicationFilePath().toStdString();
    for (int i = 1; i < argc; ++i)
        KolvErkl::ProgramArguments.emplace_back(argv[i]);

    TForm1* mainWindow = KolvErkl::CreateWindows();
    mainWindow->showMaximized();
    const int code = app.exec();
    KolvErkl::DestroyWindows();
    return code;
}
