// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program, built as at start-up, for the tests of the shell: the
// windows created in order, message boxes and help requests caught, file
// dialogs answered from a script, and printing recorded instead of sent.
#pragma once

#include "app/about_box.h"
#include "app/heading_dialog.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/print_log.h"
#include "app/startup.h"
#include "catalogue/catalogue_fixture.h"
#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/exercise_window.h"
#include "ui/ui_services.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace KolvTest {

// Runs `act` on the modal dialog once it is open.
inline void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr) << "no modal dialog is open";
        act(dialog);
    });
}

// Prints to a PDF file, and remembers what the print dialog was asked.
class PdfBackend : public KolvErkl::PrintBackend {
public:
    explicit PdfBackend(const QString& fileName) : writer(fileName) {
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
    }
    QPagedPaintDevice& Device() override { return writer; }
    bool AskUser(int fromPage, int toPage, int maxPage) override {
        asked.push_back({fromPage, toPage, maxPage});
        return accept;
    }

    struct Question {
        int fromPage, toPage, maxPage;
    };
    QPdfWriter writer;
    bool accept = true;
    std::vector<Question> asked;
};

// The number of pages of a PDF file: its page objects ("/Type /Page", not
// the "/Type /Pages" of the page tree).
inline int PdfPageCount(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s])"));
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(page));
}

class AppTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        CreateProgram();
        // Made by the program once the title has been painted; the tests
        // reach it before any painting.
        Form1->ExerciseWindow();
    }

    // The windows with the test's stand-ins for messages, help, file dialogs
    // and the printer.
    void CreateProgram() {
        KolvErkl::MessageHook = [this](const QString& text, const QString& caption) {
            messages.emplace_back(text, caption);
        };
        KolvErkl::CreateWindows();
        KolvErkl::HelpHook = [this] { ++helpRequests; };
        Form1->SetFileDialogs(&dialogs);
        // A test that prints sets its own backend; none reaches the print system.
        noPrinter = std::make_unique<PdfBackend>(QString::fromStdString(File("printout.pdf")));
        Form1->SetPrintBackend(noPrinter.get());
    }

    void TearDown() override {
        KolvErkl::DestroyWindows();
        CatalogueTest::TearDown();
    }

    // The main window after its first showing and activation, with the
    // exercise window opened by the timer.
    void StartProgram() {
        Form1->show();
        Form1->FormActivate();
        Form1->Timer1Timer();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<PdfBackend> noPrinter;
    std::vector<std::pair<QString, QString>> messages; // text, caption
    int helpRequests = 0;
};

} // namespace KolvTest
