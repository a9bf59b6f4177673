// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the activity log: the print buffer (heading, title line, log),
// the page geometry and the page loop. The printer and its dialog are
// reached through PrintBackend so that the printout can also go to a PDF.
#pragma once

#include "app/print_backend.h"
#include "catalogue/outcome.h"

#include <QString>
#include <QStringList>

#include <memory>

class QFont;
class QPagedPaintDevice;
class QWidget;

namespace KolvErkl {

// The lines of the last printout; emptied and refilled by every print.
extern QStringList PrintBuffer;

// The heading is printed when it compares greater than a single blank, byte
// by byte in windows-1252: so not when it is empty, one blank, or begins
// with a control character; two blanks are printed.
bool HeadingIsPrinted(const QString& heading);

// Fills PrintBuffer: " " + Heading and " " (when printed), " Kolvane", " ",
// then every line of the activity log.
void FillPrintBuffer();

// The page geometry in printer pixels.
struct PageGeometry {
    int Resolution = 0; // R, vertical pixels per inch
    int LineHeight = 0;
    int LeftMargin = 0;   // R div 2
    int TopMargin = 0;    // R
    int BottomMargin = 0; // R
    int UsableHeight = 0;
    int LinesPerPage = 1;
    int LineCount = 0;
    int Pages = 0;
};

PageGeometry MeasurePage(int resolution, int printableHeight, int lineHeight, int lineCount);
// The same, measured on a printer (or PDF) with the print font.
PageGeometry MeasurePage(QPagedPaintDevice& device, const QFont& font, int lineCount);

// Where the page loop draws; a painter on a printer in the program, a
// recorder in tests.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void DrawLine(int x, int y, const QString& line) = 0; // top-left corner
    virtual void NewPage() = 0;
};

// Draws the lines page after page: lines-per-page slots a page, a page break
// after every page but the last.
void PrintPages(const PageGeometry& geometry, const QStringList& lines, PageSink& sink);

// Whether the user's own printer options (the text of a CUPS lpoptions file)
// choose the paper for the printer: a "Dest" or "Default" line for it, or for
// the printer an instance belongs to, that sets media, PageSize or
// PageRegion.
bool OptionsChoosePaper(const QString& lpoptions, const QString& printerName);

// The same for the files where CUPS keeps the options of the machine and of
// the user: the choice that the printer module is given.
bool UserChoosesPaper(const QString& printerName);

// The system's printer from the printer module (print_backend.h), loaded
// from the first of the folders where it can be; failed, with the message
// the caller shows under PrintFailedCaption, when none holds it or none that
// does can be loaded. The module stays loaded for the rest of the run.
using LoadedPrinter = Outcome<std::unique_ptr<PrintBackend>>;
LoadedPrinter LoadPrinter(QWidget* dialogParent, const QStringList& folders);
// Where the program's printer module is: beside the program, or where the
// installation puts it.
QStringList PrinterModuleFolders();
extern const QString PrinterModuleMissing; // names the module and asks for a new installation
extern const QString PrinterModuleBroken;  // followed by the system's reason

// What came of a print: failed, with the message that the caller shows in
// the program's message box, when the printer could not start the job. A
// cancelled dialog is no failure.
using PrintResult = Outcome<>;
// The caption of that message box.
extern const QString PrintFailedCaption;

// Fills the print buffer, asks the dialog and prints the buffer page by page
// in the font given.
PrintResult PrintLog(PrintBackend& backend, const QFont& font);

} // namespace KolvErkl
