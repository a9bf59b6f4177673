// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

namespace KolvErkl {

bool UseDanishDialogs(QTranslator& translator, const QString& folder) {
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    return translator.load(QStringLiteral("qtbase_da"), folder) &&
           QCoreApplication::installTranslator(&translator);
}

QString UserSaveFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

} // namespace KolvErkl
