// SPDX-License-Identifier: GPL-3.0-or-later
// The printout: which heading lines go first, the page geometry, where the
// page loop draws, and a real printout to a PDF.
#include "app_test_support.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPrintDialog>
#include <QTemporaryDir>

using namespace KolvErkl;
using KolvTest::PdfBackend;
using KolvTest::PdfPageCount;

namespace {

// The system's printer, from the printer module as the program loads it.
std::unique_ptr<PrintBackend> SystemPrinter() {
    LoadedPrinter loaded = LoadPrinter(nullptr, {u"" KOLVANE_PRINTER_FOLDER ""_qs});
    EXPECT_FALSE(loaded.Failed) << loaded.Message;
    return std::move(loaded.Result);
}

TEST(PrintBuffer, HeadingLinesThenTitleThenLog) {
    struct Case {
        QString heading;
        QStringList firstLines; // before " Kolvane"
    };
    const Case cases[] = {
        {QString(), {}},
        {u" "_qs, {}},
        {u"  "_qs, {u"   "_qs, u" "_qs}},
        {u"Anna Berg"_qs, {u" Anna Berg"_qs, u" "_qs}},
        {u" Anna "_qs, {u"  Anna "_qs, u" "_qs}},
        {u"\tAnna"_qs, {}}, // a control character sorts below the blank
        {u"!"_qs, {u" !"_qs, u" "_qs}},
        {u"Øjvind"_qs, {u" Øjvind"_qs, u" "_qs}},
    };
    ActivityLog = {u"           Opgave nummer:  7     (3 variable)"_qs, u" "_qs};
    for (const Case& c : cases) {
        SCOPED_TRACE("heading \"" + c.heading.toStdString() + "\"");
        Heading = c.heading;
        PrintBuffer = {u"left over from the last print"_qs};
        FillPrintBuffer();
        const QStringList title{u" Kolvane"_qs, u" "_qs};
        EXPECT_EQ(PrintBuffer, c.firstLines + title + ActivityLog);
    }
}

// Records where the page loop draws.
struct RecordingSink : PageSink {
    struct Draw {
        int page, x, y;
        QString line;
    };
    std::vector<Draw> draws;
    int page = 1;
    void DrawLine(int x, int y, const QString& line) override {
        draws.push_back({page, x, y, line});
    }
    void NewPage() override { ++page; }
};

QStringList NumberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString::number(i);
    return lines;
}

TEST(PageGeometry, SixHundredDotsPerInch) {
    const PageGeometry g = MeasurePage(600, 6600, 100, 120);
    EXPECT_EQ(g.LeftMargin, 300);
    EXPECT_EQ(g.TopMargin, 600);
    EXPECT_EQ(g.BottomMargin, 600);
    EXPECT_EQ(g.UsableHeight, 5400);
    EXPECT_EQ(g.LinesPerPage, 54);
    EXPECT_EQ(g.Pages, 3);
}

TEST(PageGeometry, PageCountRoundsUpAndAPageTooShortStillHoldsOneLine) {
    EXPECT_EQ(MeasurePage(600, 6600, 100, 54).Pages, 1);
    EXPECT_EQ(MeasurePage(600, 6600, 100, 55).Pages, 2);
    EXPECT_EQ(MeasurePage(600, 6600, 100, 108).Pages, 2);
    const PageGeometry tiny = MeasurePage(600, 1250, 100, 3);
    EXPECT_EQ(tiny.LinesPerPage, 1);
    EXPECT_EQ(tiny.Pages, 3);
}

TEST(PageLoop, BreaksAfterEveryFullPageAndLeavesTheRestBlank) {
    const QStringList lines = NumberedLines(120);
    RecordingSink sink;
    PrintPages(MeasurePage(600, 6600, 100, 120), lines, sink);

    ASSERT_EQ(sink.draws.size(), 120u);
    EXPECT_EQ(sink.page, 3); // two page breaks
    for (const auto& d : sink.draws) {
        const int n = d.line.toInt();
        const int slot = (n - 1) % 54;
        EXPECT_EQ(d.page, (n - 1) / 54 + 1) << "line " << n;
        EXPECT_EQ(d.x, 300) << "line " << n;
        EXPECT_EQ(d.y, 600 + 100 * slot) << "line " << n;
    }
    EXPECT_EQ(sink.draws[53].y, 5900);
    EXPECT_EQ(sink.draws[108].page, 3);
    EXPECT_EQ(sink.draws[108].y, 600);
}

TEST(PageLoop, AFullSinglePageHasNoPageBreak) {
    RecordingSink sink;
    PrintPages(MeasurePage(600, 6600, 100, 54), NumberedLines(54), sink);
    EXPECT_EQ(sink.page, 1);
    EXPECT_EQ(sink.draws.size(), 54u);
}

// What the dialog shows is what is printed: every page, so no page range to
// choose (setting the pages turns it back on), no selection, no file.
TEST(PrintDialog, OffersNoPageRangeNoSelectionAndNoFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows shows its own print dialog, which Qt cannot drive";
#endif
    const std::unique_ptr<PrintBackend> printer = SystemPrinter();
    ASSERT_NE(printer, nullptr);
    QAbstractPrintDialog::PrintDialogOptions options;
    QList<int> pages;
    bool rangeShown = false;
    QStringList english; // texts that Qt's Danish translation lacks
    KolvTest::WhenModal([&](QWidget* dialog) {
        auto* print = qobject_cast<QPrintDialog*>(dialog);
        ASSERT_NE(print, nullptr);
        options = print->options();
        pages = {print->fromPage(), print->toPage(), print->minPage(), print->maxPage()};
        // Qt's dialog under CUPS would offer a range of its own.
        for (auto* range : print->findChildren<QGroupBox*>(u"gbPrintRange"_qs))
            rangeShown = rangeShown || !range->isHidden();
        const QStringList untranslated{u"Double Sided Printing"_qs, u"Off"_qs,
                                       u"Long side binding"_qs, u"Short side binding"_qs};
        for (auto* group : print->findChildren<QGroupBox*>())
            if (untranslated.contains(group->title()))
                english << group->title();
        for (auto* button : print->findChildren<QAbstractButton*>())
            if (untranslated.contains(button->text()))
                english << button->text();
        print->reject();
    });
    EXPECT_FALSE(printer->AskUser(1, 3, 3));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintToFile));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_EQ(pages, (QList<int>{1, 3, 1, 3}));
    EXPECT_FALSE(rangeShown);
    EXPECT_TRUE(english.isEmpty()) << english.join(u", "_qs).toStdString();
}

TEST(PrintDialog, AcceptedWithoutItsPageSettingsKeepsThePrintersPaper) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows shows its own print dialog, which Qt cannot drive";
#endif
    // Qt's dialog under CUPS would put the queue's default paper there.
    const std::unique_ptr<PrintBackend> printer = SystemPrinter();
    ASSERT_NE(printer, nullptr);
    const QPageSize before = printer->Device().pageLayout().pageSize();
    KolvTest::WhenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->accept(); });
    ASSERT_TRUE(printer->AskUser(1, 1, 1));
    EXPECT_TRUE(printer->Device().pageLayout().pageSize().isEquivalentTo(before))
        << printer->Device().pageLayout().pageSize().name().toStdString();
}

// The module is looked for folder after folder; one that is missing or
// cannot be loaded (here a file that is no library) is told, and never ends
// the program.
TEST(PrinterModule, LoadedFromTheFirstFolderWhereItLoadsOrRefusedWithAMessage) {
    QTemporaryDir empty, damaged;
    ASSERT_TRUE(empty.isValid() && damaged.isValid());
    QFile junk(damaged.filePath(u"" KOLVANE_PRINTER_MODULE ""_qs));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    const QString real = u"" KOLVANE_PRINTER_FOLDER ""_qs;
    struct Case {
        const char* what;
        QStringList folders;
        const QString* message; // nullptr: loaded
    };
    const Case cases[] = {
        {"no folder", {}, &PrinterModuleMissing},
        {"not there", {empty.path()}, &PrinterModuleMissing},
        {"damaged", {empty.path(), damaged.path()}, &PrinterModuleBroken},
        {"after one that is not there", {empty.path(), real}, nullptr},
        {"after a damaged one", {damaged.path(), real}, nullptr},
    };
    for (const Case& c : cases) {
        LoadedPrinter loaded = LoadPrinter(nullptr, c.folders);
        EXPECT_EQ(loaded.Failed, c.message != nullptr) << c.what;
        EXPECT_EQ(loaded.Result != nullptr, c.message == nullptr) << c.what;
        if (c.message) {
            EXPECT_TRUE(QString::fromStdString(loaded.Message).startsWith(*c.message))
                << c.what << ": " << loaded.Message;
        }
    }
}

TEST(PrintDialog, TheUsersPrinterOptionsChooseThePaperOrLeaveItToTheProgram) {
    struct Case {
        const char* lpoptions;
        const char* printer;
        bool chosen;
    };
    const Case cases[] = {
        {"", "Klasse-PDF", false},
        {"Dest Klasse-PDF PageSize=Letter\n", "Klasse-PDF", true},
        {"Default klasse-pdf media=A5 sides=one-sided\n", "Klasse-PDF", true},
        {"Dest Klasse-PDF pagesize=Letter\n", "Klasse-PDF", true},
        {"Dest Klasse-PDF sides=two-sided-long-edge\n", "Klasse-PDF", false},
        {"Dest Andet-PDF PageSize=Letter\n", "Klasse-PDF", false},
        {"Dest Klasse-PDF/kladde PageRegion=A4\n", "Klasse-PDF", false},
        {"Dest Klasse-PDF media=A4\n", "Klasse-PDF/kladde", true}, // an instance has its printer's
        {"Dest Klasse-PDF job-sheets=\"none media=A4\"\n", "Klasse-PDF", false},
        {"Dest Klasse-PDF\n", "Klasse-PDF", false},
        {"Klasse-PDF media=A4\n", "Klasse-PDF", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OptionsChoosePaper(QString::fromUtf8(c.lpoptions), QString::fromUtf8(c.printer)),
                  c.chosen)
            << c.lpoptions << " for " << c.printer;
}

class PrintToPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ResetProgramState();
        Heading = u"Anna"_qs;
        font = QFont(u"Courier New"_qs, 12);
    }
    QTemporaryDir dir;
    QFont font;
};

TEST_F(PrintToPdfTest, LongLogGoesOverSeveralPagesAndTheDialogOffersThemAll) {
    ActivityLog = NumberedLines(150);
    const QString file = dir.filePath(u"log.pdf"_qs);
    int expectedPages = 0;
    {
        PdfBackend backend(file);
        const PageGeometry g = MeasurePage(backend.writer, font, 154);
        expectedPages = g.Pages;
        ASSERT_GT(expectedPages, 1);
        // Courier New 12 pt at 600 dpi: one line is about a sixth of an inch.
        EXPECT_NEAR(g.LineHeight, 100, 25);
        PrintLog(backend, font);
        ASSERT_EQ(backend.asked.size(), 1u);
        EXPECT_EQ(backend.asked[0].fromPage, 1);
        EXPECT_EQ(backend.asked[0].toPage, expectedPages);
        EXPECT_EQ(backend.asked[0].maxPage, expectedPages);
    }
    EXPECT_EQ(PdfPageCount(file), expectedPages);
    EXPECT_EQ(PrintBuffer.size(), 154);
    EXPECT_EQ(PrintBuffer.first(), u" Anna"_qs);
}

TEST_F(PrintToPdfTest, CancelledDialogPrintsNothingButKeepsTheBuffer) {
    ActivityLog = NumberedLines(3);
    const QString file = dir.filePath(u"cancelled.pdf"_qs);
    {
        PdfBackend backend(file);
        backend.accept = false;
        PrintLog(backend, font);
    }
    EXPECT_LE(PdfPageCount(file), 0); // no file, or one without pages
    EXPECT_EQ(PrintBuffer.size(), 7);
}

} // namespace
