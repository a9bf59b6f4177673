// SPDX-License-Identifier: GPL-3.0-or-later
// What the program takes from the desktop it runs on: Qt's own Danish texts
// for the platform's dialogs, and a folder where the user may save.
#pragma once

#include <QString>

class QTranslator;

namespace KolvErkl {

// The program speaks Danish whatever the user's locale: installs Qt's own
// Danish translation (qtbase_da.qm from `folder`) so that the file, print
// and message dialogs and their standard buttons are Danish, and makes
// Danish the default locale. Returns false, leaving the English texts, when
// the translation cannot be loaded.
bool UseDanishDialogs(QTranslator& translator, const QString& folder);

// The user's documents folder when it exists, otherwise the home folder: the
// place for saves when the program's own folder cannot be written. A
// documents folder that does not exist is not made, since a desktop that
// uses one makes it under the name of the user's language.
QString UserSaveFolder();

} // namespace KolvErkl
