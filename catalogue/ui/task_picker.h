// The task-number picker: asks which task to run (1 .. 20 + OwnTaskSpan).
// Sets KolvErkl::CurrentTask (0 when abandoned).
#pragma once

#include <QDialog>

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    // (declarations of controls and handlers follow in the implementation)
};

extern TForm3* Form3; // created once at start-up by the main window
