// SPDX-License-Identifier: GPL-3.0-or-later
// What the program takes from the desktop: Qt's Danish dialog texts, and the
// folder for saves when the program's own folder cannot be written.
#include "app/desktop_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QString CancelText() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
}

TEST(DesktopSetup, QtsOwnDialogTextsSpeakDanishOrStayEnglishWithoutTheTranslation) {
    const QLocale before;
    QTranslator missing;
    EXPECT_FALSE(KolvErkl::UseDanishDialogs(missing, u"/no/such/folder"_qs));
    EXPECT_EQ(CancelText(), u"Cancel"_qs);

    QTranslator danish;
    EXPECT_TRUE(
        KolvErkl::UseDanishDialogs(danish, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        << "Qt's translations (qt6-translations-l10n) are missing";
    EXPECT_EQ(CancelText(), u"Annuller"_qs);
    EXPECT_EQ(QLocale().language(), QLocale::Danish);

    QCoreApplication::removeTranslator(&danish);
    QLocale::setDefault(before);
}

TEST(DesktopSetup, SavesGoToTheDocumentsFolderElseHomeAndNoFolderIsMade) {
#ifdef _WIN32
    // Windows names the user's Documents folder itself, and it always exists.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(KolvErkl::UserSaveFolder(), documents);
    EXPECT_TRUE(QFileInfo(documents).isDir()) << documents.toStdString();
    return;
#endif
    const QTemporaryDir home;
    const QByteArray homeBefore = qgetenv("HOME"), configBefore = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + u"/.config"_qs));

    EXPECT_EQ(KolvErkl::UserSaveFolder(), home.path());
    EXPECT_FALSE(QDir(home.path() + u"/Documents"_qs).exists());
    QDir(home.path()).mkdir(u"Documents"_qs);
    EXPECT_EQ(KolvErkl::UserSaveFolder(), home.path() + u"/Documents"_qs);
    // A desktop in Danish names the folder in user-dirs.dirs.
    QDir(home.path()).mkpath(u".config"_qs);
    QFile dirs(home.path() + u"/.config/user-dirs.dirs"_qs);
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Dokumenter\"\n");
    dirs.close();
    EXPECT_EQ(KolvErkl::UserSaveFolder(), home.path()) << "Dokumenter does not exist yet";
    QDir(home.path()).mkdir(u"Dokumenter"_qs);
    EXPECT_EQ(KolvErkl::UserSaveFolder(), home.path() + u"/Dokumenter"_qs);

    qputenv("HOME", homeBefore);
    if (configBefore.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", configBefore);
}

} // namespace
