// Small services that every window of the program shares: the message box
// with one OK button, and the help file.
#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QWidget;

namespace KolvErkl {

// A message box with the text, the caption (kept exactly, also when empty or
// a single blank) and one OK button, shown modally.
void ShowMessage(QWidget* parent, const QString& text, const QString& caption);
// When set, ShowMessage calls it instead of opening a box (tests use it to
// see what the user would have been told).
extern std::function<void(const QString& text, const QString& caption)> MessageHook;

// The program's fixed-pitch font, "Courier New" at a point size (-1: the
// default size); where it is missing, the system's metric-compatible
// fixed-pitch font stands in.
QFont CourierNew(int pointSize = -1);
// The same font at a size in pixels, for what is drawn at pixel positions.
QFont CourierNewPixels(int pixels, bool bold = false);

// Opens the help file at its start. The main window installs the handler;
// the answer dialog and the define dialog call it for F1.
void OpenHelp();
extern std::function<void()> HelpHandler;

} // namespace KolvErkl
