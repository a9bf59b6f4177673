// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_ui/qt_file_dialogs.h"

#include "ui/file_names.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Every task-file dialog lists the task files first and can list all files.
const QString TaskFilesFilter = QStringLiteral("Opgavefiler (*.kvn)");
const QString TaskFilesPattern = QStringLiteral("*.kvn");
const QString AllFilesFilter = QStringLiteral("Alle filer (*)");

// A preset holding a wildcard ("*.kvn") chooses which files are listed; any
// other preset is the file name offered.
void Preset(QFileDialog& dialog, const QString& preset) {
    const bool pattern = preset.contains(QLatin1Char('*')) || preset.contains(QLatin1Char('?'));
    QStringList filters{TaskFilesFilter, AllFilesFilter};
    if (pattern && preset != TaskFilesPattern)
        filters.prepend(preset);
    dialog.setNameFilters(filters);
    if (!pattern && !preset.isEmpty())
        dialog.selectFile(preset);
}

std::optional<std::string> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return KolvErkl::NativeFileName(dialog.selectedFiles().front());
}

void Prepare(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setSizeGripEnabled(true);
}

} // namespace

std::optional<std::string> QtFileDialogs::ChooseFileToOpen(const std::string& title,
                                                           const std::string& presetName) {
    QFileDialog dialog(parent_, QString::fromStdString(title));
    Prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Preset(dialog, QString::fromStdString(presetName));
    return Chosen(dialog);
}

std::optional<std::string> QtFileDialogs::ChooseFileToSave(const std::string& title,
                                                           const std::string& folder,
                                                           const std::string& presetName,
                                                           const std::string& defaultSuffix) {
    QFileDialog dialog(parent_, QString::fromStdString(title));
    Prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false); // ask before replacing
    // The folder may still name the file given on the command line when that
    // file could not be opened; its folder is then the place to start.
    if (!folder.empty()) {
        const QFileInfo start(KolvErkl::FileNameFromNative(folder));
        dialog.setDirectory(start.isDir() ? start.filePath() : start.absolutePath());
    }
    dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    Preset(dialog, QString::fromStdString(presetName));
    return Chosen(dialog);
}
