// SPDX-License-Identifier: GPL-3.0-or-later
// The printer and its dialog as the print of the log sees them, and the
// contract of the printer module that holds the system's printer.
//
// The system's printer needs Qt's print support, and with it the print
// system's libraries: loading them costs every start-up a share of its time
// and memory, though most lessons are never printed. So the printer lives in
// a module of its own (kolvane-printer), which the program loads at its
// first print (LoadPrinter in print_log.h).
#pragma once

class QPagedPaintDevice;
class QString;
class QWidget;

namespace KolvErkl {

class PrintBackend {
public:
    virtual ~PrintBackend() = default;
    // The printer now selected.
    virtual QPagedPaintDevice& Device() = 0;
    // Shows the print dialog with the page settings; false when cancelled.
    virtual bool AskUser(int fromPage, int toPage, int maxPage) = 0;
};

// Whether the user's own printer options choose the paper for the printer
// named; otherwise the program chooses the paper of its language.
using PaperChoice = bool (*)(const QString& printerName);

// The module's one entry point, found by this name (C linkage): the system's
// printer, asked through the print dialog PrintDialog1 (pages 1 to the last,
// no page range, no selection, no printing to a file). The print system is
// first reached when the log is printed. The caller owns the printer.
using MakePrinter = PrintBackend* (*)(QWidget* dialogParent, PaperChoice userChoosesPaper);
inline constexpr char MakePrinterName[] = "KolvaneMakePrinter";

} // namespace KolvErkl
