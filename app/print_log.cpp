// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_log.h"

#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace KolvErkl {

QStringList PrintBuffer;
const QString PrintFailedCaption = QStringLiteral("Kolvane");

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

} // namespace

PrinterBackend::PrinterBackend(QWidget* dialogParent) : dialogParent_(dialogParent) {}

PrinterBackend::~PrinterBackend() = default;

QPrinter& PrinterBackend::Printer() {
    // Made on the first print: a printer asks the print system for its
    // printers and their settings, which a run that never prints (and
    // start-up) need not wait for.
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QPagedPaintDevice& PrinterBackend::Device() {
    return Printer();
}

namespace {

// Qt's print dialog under CUPS shows its page range and its odd/even page
// set even with the page range option off, for CUPS to pick the pages
// itself. Every page of the log is printed, so both are hidden once the
// dialog has set up its widgets, which it does each time it is shown.
class HidePageChoice : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            for (const char* name : {"gbPrintRange", "pageSetLabel", "pageSetCombo"})
                if (auto* widget = watched->findChild<QWidget*>(QLatin1String(name)))
                    widget->hide();
            if (auto* all = watched->findChild<QAbstractButton*>(QStringLiteral("printAll")))
                all->setChecked(true);
        }
        return false;
    }
};

} // namespace

bool PrinterBackend::AskUser(int fromPage, int toPage, int maxPage) {
    QPrintDialog dialog(&Printer(), dialogParent_);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setMinMax(1, maxPage);
    dialog.setFromTo(fromPage, toPage);
    // Every page is printed, so the dialog offers no page range, no
    // selection and no file to print to. The options come last: setting the
    // pages turns the page range back on.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    HidePageChoice hidePageChoice;
    dialog.installEventFilter(&hidePageChoice);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Printer().setDocName(QString()); // the print job has no title
    return true;
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
        return {true, QStringLiteral("Printeren kunne ikke begynde udskriften.")};
    painter.setFont(font);
    painter.setPen(Qt::black);
    PainterSink sink(device, painter);
    PrintPages(geometry, PrintBuffer, sink);
    painter.end();
    return {};
}

} // namespace KolvErkl
