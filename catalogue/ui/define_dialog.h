// The define dialog "Definition af ny opgave.": a teacher defines task 21..70
// by formula; it is tried, stored, offered for saving, and then started by
// the main window.
#pragma once

#include <QDialog>

namespace KolvErkl {
class FileDialogs;
extern bool DefineCancelled; // the dialog was left with "&Fortryd" (or closed)
}

class TForm5 : public QDialog {
    Q_OBJECT
public:
    // The save offer after a definition uses dialogs (the real QFileDialogs
    // in the program, a scripted stand-in in tests).
    TForm5(QWidget* parent, KolvErkl::FileDialogs* dialogs);
};

extern TForm5* Form5;
