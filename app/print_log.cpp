// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_log.h"

#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLocale>
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

namespace {

// The printer options of the machine and of the user, where CUPS keeps them.
bool userChoosesPaper(const QString& printerName) {
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

} // namespace

PrinterBackend::PrinterBackend(QWidget* dialogParent) : dialogParent_(dialogParent) {}

PrinterBackend::~PrinterBackend() = default;

QPrinter& PrinterBackend::Printer() {
    // Made on the first print: a printer asks the print system for its
    // printers and their settings, which a run that never prints (and
    // start-up) need not wait for.
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The paper of the program's language, A4 in Danish, rather than the
        // queue's own default (often Letter), unless the user's printer
        // options name one. A choice made in the print dialog then holds
        // for the rest of the run.
        if (!userChoosesPaper(printer_->printerName()))
            printer_->setPageSize(QPageSize(
                QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                           : QPageSize::A4));
    }
    return *printer_;
}

QPagedPaintDevice& PrinterBackend::Device() {
    return Printer();
}

namespace {

// Texts of Qt's print dialog that its Danish translation lacks (it holds
// older wordings of them). Each is replaced only while it stands in English,
// so a translation that has them takes precedence.
struct DialogText {
    const char* Object;
    const char* English;
    const char* Danish;
};
constexpr DialogText DanishDialogTexts[] = {
    {"duplex", "Double Sided Printing", "Dobbeltsidet udskrivning"},
    {"noDuplex", "Off", "Fra"},
    {"duplexLong", "Long side binding", "Indbinding på den lange side"},
    {"duplexShort", "Short side binding", "Indbinding på den korte side"},
};

void translateDialog(QObject* dialog) {
    for (const DialogText& text : DanishDialogTexts) {
        const QString english = QString::fromUtf8(text.English);
        const QString danish = QString::fromUtf8(text.Danish);
        if (auto* group = dialog->findChild<QGroupBox*>(QLatin1String(text.Object))) {
            if (group->title() == english)
                group->setTitle(danish);
        } else if (auto* button = dialog->findChild<QAbstractButton*>(QLatin1String(text.Object))) {
            if (button->text() == english)
                button->setText(danish);
        }
    }
}

// Qt's print dialog under CUPS shows its page range and its odd/even page
// set even with the page range option off, for CUPS to pick the pages
// itself. Every page of the log is printed, so both are hidden once the
// dialog has set up its widgets, which it does each time it is shown; the
// texts its translation lacks are put in Danish then too.
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
            translateDialog(watched);
        }
        return false;
    }
};

// Qt's print dialog under CUPS sets up its page settings, shown under
// "Egenskaber", from the queue's default paper rather than the printer's, and
// hands them to the printer when the dialog is accepted, even unseen. The
// page settings are shown with the printer's paper instead; unseen, they
// leave the printer's paper as it was.
class KeepPaper : public QObject {
public:
    explicit KeepPaper(QPrinter& printer)
        : printer_(printer), paper_(printer.pageLayout().pageSize()) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) {
            auto* settings = qobject_cast<QDialog*>(static_cast<QChildEvent*>(event)->child());
            if (auto* sizes = settings
                                  ? settings->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))
                                  : nullptr) {
                shown_ = true;
                // The paper itself, or else the first of the same size.
                int index = sizes->findData(QVariant::fromValue(paper_));
                for (int i = 0; index < 0 && i < sizes->count(); ++i)
                    if (sizes->itemData(i).value<QPageSize>().isEquivalentTo(paper_))
                        index = i;
                if (index >= 0)
                    sizes->setCurrentIndex(index);
            }
        }
        return false;
    }
    // After the dialog was accepted.
    void Restore() {
        if (!shown_)
            printer_.setPageSize(paper_);
    }

private:
    QPrinter& printer_;
    QPageSize paper_;
    bool shown_ = false;
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
    KeepPaper keepPaper(Printer());
    dialog.installEventFilter(&keepPaper);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    keepPaper.Restore();
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
        return PrintResult::Failure("Printeren kunne ikke begynde udskriften.");
    painter.setFont(font);
    painter.setPen(Qt::black);
    PainterSink sink(device, painter);
    PrintPages(geometry, PrintBuffer, sink);
    painter.end();
    return {};
}

} // namespace KolvErkl
