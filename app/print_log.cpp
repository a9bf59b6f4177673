// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_log.h"

#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLibrary>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace KolvErkl {

QStringList PrintBuffer;
const QString PrintFailedCaption = QStringLiteral("Kolvane");
const QString PrinterModuleMissing = QStringLiteral(
    "Kolvane kan ikke udskrive: programdelen til udskrivning (" KOLVANE_PRINTER_MODULE
    ") mangler. Installér Kolvane igen.");
const QString PrinterModuleBroken = QStringLiteral(
    "Kolvane kan ikke udskrive: programdelen til udskrivning kunne ikke indlæses.\n");

namespace {

void ResetPrintBuffer() {
    PrintBuffer.clear();
}

[[maybe_unused]] const bool resetRegistered = RegisterStateReset(ResetPrintBuffer);

} // namespace

bool HeadingIsPrinted(const QString& heading) {
    // Every character at or above the blank is a byte at or above 0x20 in
    // windows-1252 (characters it cannot hold become '?'), so only the first
    // character and the length decide the comparison with " ".
    if (heading.isEmpty())
        return false;
    const char16_t first = heading.front().unicode();
    if (first < u' ')
        return false;
    return first > u' ' || heading.size() > 1;
}

void FillPrintBuffer() {
    PrintBuffer.clear();
    if (HeadingIsPrinted(Heading)) {
        PrintBuffer << QStringLiteral(" ") + Heading << QStringLiteral(" ");
    }
    PrintBuffer << QStringLiteral(" Kolvane") << QStringLiteral(" ");
    PrintBuffer << ActivityLog;
}

PageGeometry MeasurePage(int resolution, int printableHeight, int lineHeight, int lineCount) {
    PageGeometry g;
    g.Resolution = resolution;
    g.LineHeight = std::max(lineHeight, 1);
    g.LeftMargin = resolution / 2;
    g.TopMargin = resolution;
    g.BottomMargin = resolution;
    g.UsableHeight = printableHeight - g.TopMargin - g.BottomMargin;
    g.LinesPerPage = std::max(g.UsableHeight / g.LineHeight, 1);
    g.LineCount = lineCount;
    g.Pages = (lineCount + g.LinesPerPage - 1) / g.LinesPerPage;
    return g;
}

PageGeometry MeasurePage(QPagedPaintDevice& device, const QFont& font, int lineCount) {
    // The height of "Wg" in the font on the printer: the font's full line
    // height (ascent and descent), whatever the two letters themselves reach.
    const QFontMetrics metrics(font, &device);
    return MeasurePage(device.logicalDpiY(), device.height(), metrics.height(), lineCount);
}

void PrintPages(const PageGeometry& g, const QStringList& lines, PageSink& sink) {
    qsizetype index = 0;
    int x = g.LeftMargin;
    int y = g.TopMargin;
    for (int page = 1; page <= g.Pages; ++page) {
        for (int slot = 0; slot < g.LinesPerPage; ++slot) {
            if (index < lines.size())
                sink.DrawLine(x, y, lines[index]);
            y += g.LineHeight;
            ++index;
        }
        x = g.LeftMargin;
        y = g.TopMargin;
        if (page < g.Pages)
            sink.NewPage();
    }
}

namespace {

class PainterSink : public PageSink {
public:
    PainterSink(QPagedPaintDevice& device, QPainter& painter) : device_(device), painter_(painter) {
        ascent_ = painter.fontMetrics().ascent();
    }
    void DrawLine(int x, int y, const QString& line) override {
        painter_.drawText(x, y + ascent_, line);
    }
    void NewPage() override { device_.newPage(); }

private:
    QPagedPaintDevice& device_;
    QPainter& painter_;
    int ascent_ = 0;
};

// The words of an lpoptions line: blanks separate them, except inside
// quotes or after a backslash.
QStringList optionWords(const QString& line) {
    QStringList words;
    QString word;
    QChar quote;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

} // namespace

bool OptionsChoosePaper(const QString& lpoptions, const QString& printerName) {
    const QString base = printerName.section(QLatin1Char('/'), 0, 0);
    for (const QString& line : lpoptions.split(QLatin1Char('\n'))) {
        const QStringList words = optionWords(line);
        if (words.size() < 3)
            continue;
        const QString& kind = words[0];
        if (kind.compare(QLatin1String("Dest"), Qt::CaseInsensitive) != 0 &&
            kind.compare(QLatin1String("Default"), Qt::CaseInsensitive) != 0)
            continue;
        const QString& name = words[1];
        if (name.compare(printerName, Qt::CaseInsensitive) != 0 &&
            name.compare(base, Qt::CaseInsensitive) != 0)
            continue;
        for (qsizetype i = 2; i < words.size(); ++i) {
            const QString option = words[i].section(QLatin1Char('='), 0, 0);
            for (const char* paper : {"media", "PageSize", "PageRegion"})
                if (option.compare(QLatin1String(paper), Qt::CaseInsensitive) == 0)
                    return true;
        }
    }
    return false;
}

bool UserChoosesPaper(const QString& printerName) {
    // The printer options of the machine and of the user, where CUPS keeps them.
    const QString serverRoot = qEnvironmentVariableIsSet("CUPS_SERVERROOT")
                                   ? qEnvironmentVariable("CUPS_SERVERROOT")
                                   : QStringLiteral("/etc/cups");
    for (const QString& name : {serverRoot + QStringLiteral("/lpoptions"),
                                QDir::homePath() + QStringLiteral("/.cups/lpoptions")}) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly) &&
            OptionsChoosePaper(QString::fromUtf8(file.readAll()), printerName))
            return true;
    }
    return false;
}

QStringList PrinterModuleFolders() {
    // Beside the program in the build tree and on Windows; installed on
    // Linux, where the installation keeps the program's own libraries.
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder,
            QDir::cleanPath(programFolder + QStringLiteral("/" KOLVANE_MODULE_FOLDER))};
}

LoadedPrinter LoadPrinter(QWidget* dialogParent, const QStringList& folders) {
    // A module that cannot be loaded leaves the next folder its turn; its
    // reason is told when none can.
    QString firstReason;
    for (const QString& folder : folders) {
        const QString file = folder + QStringLiteral("/" KOLVANE_PRINTER_MODULE);
        if (!QFileInfo(file).isFile())
            continue;
        // Never unloaded: the printer's code lives in it for the rest of the run.
        QLibrary module(file);
        if (const auto make = reinterpret_cast<MakePrinter>(module.resolve(MakePrinterName)))
            return LoadedPrinter::Done(
                std::unique_ptr<PrintBackend>(make(dialogParent, UserChoosesPaper)));
        if (firstReason.isEmpty())
            firstReason = module.errorString();
    }
    if (firstReason.isEmpty())
        return LoadedPrinter::Failure(PrinterModuleMissing.toStdString());
    return LoadedPrinter::Failure((PrinterModuleBroken + firstReason).toStdString());
}

PrintResult PrintLog(PrintBackend& backend, const QFont& font) {
    FillPrintBuffer();
    const int lineCount = static_cast<int>(PrintBuffer.size());
    PageGeometry geometry = MeasurePage(backend.Device(), font, lineCount);
    if (!backend.AskUser(1, geometry.Pages, geometry.Pages))
        return {};
    QPagedPaintDevice& device = backend.Device(); // the printer chosen in the dialog
    geometry = MeasurePage(device, font, lineCount);
    QPainter painter;
    if (!painter.begin(&device))
        return PrintResult::Failure("Printeren kunne ikke begynde udskriften.");
    painter.setFont(font);
    painter.setPen(Qt::black);
    PainterSink sink(device, painter);
    PrintPages(geometry, PrintBuffer, sink);
    painter.end();
    return {};
}

} // namespace KolvErkl
