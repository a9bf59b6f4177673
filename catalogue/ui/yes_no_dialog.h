// The yes/no dialog "Ups": two lines set by the caller, "&Ja" and "&Nej".
#pragma once

#include <QDialog>

namespace KolvErkl {
extern bool YesNoAnswer; // false at start; "&Ja" true, "&Nej" (or a close) false
}

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    void setLines(const QString& first, const QString& second);
};

extern TForm6* Form6;
