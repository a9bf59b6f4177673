// SPDX-License-Identifier: GPL-3.0-or-later
// The printer module (kolvane-printer): the system's printer and Qt's print
// dialog, loaded by the program at its first print (print_backend.h).
#include "app/print_backend.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLocale>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>
#include <type_traits>

namespace KolvErkl {
namespace {

class PrinterBackend : public PrintBackend {
public:
    PrinterBackend(QWidget* dialogParent, PaperChoice userChoosesPaper)
        : dialogParent_(dialogParent), userChoosesPaper_(userChoosesPaper) {}
    QPagedPaintDevice& Device() override { return Printer(); }
    bool AskUser(int fromPage, int toPage, int maxPage) override;

private:
    QPrinter& Printer();

    QWidget* dialogParent_;
    PaperChoice userChoosesPaper_;
    std::unique_ptr<QPrinter> printer_;
};

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
        if (!userChoosesPaper_(printer_->printerName()))
            printer_->setPageSize(QPageSize(
                QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                           : QPageSize::A4));
    }
    return *printer_;
}

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

} // namespace
} // namespace KolvErkl

extern "C" Q_DECL_EXPORT KolvErkl::PrintBackend*
KolvaneMakePrinter(QWidget* dialogParent, KolvErkl::PaperChoice userChoosesPaper) {
    return new KolvErkl::PrinterBackend(dialogParent, userChoosesPaper);
}
static_assert(std::is_same_v<decltype(&KolvaneMakePrinter), KolvErkl::MakePrinter>,
              "the entry point is what the program looks for");
