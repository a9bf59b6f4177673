// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace KolvErkl {

std::string NativeFileName(const QString& name) {
#ifdef _WIN32
    return QDir::toNativeSeparators(name).toStdString();
#else
    return QFile::encodeName(name).toStdString();
#endif
}

QString FileNameFromNative(const std::string& name) {
#ifdef _WIN32
    return QString::fromStdString(name);
#else
    return QFile::decodeName(QByteArray::fromStdString(name));
#endif
}

std::vector<std::string> ProgramArgumentsOf(int argc, char** argv) {
    std::vector<std::string> arguments;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        arguments.push_back(NativeFileName(all[i]));
#else
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
#endif
    return arguments;
}

} // namespace KolvErkl
