// SPDX-License-Identifier: GPL-3.0-or-later
// The real file dialogs: QFileDialog with the given title, preset name,
// folder and default suffix; the save dialog asks before replacing a file.
#pragma once

#include "catalogue/task_files.h"

class QWidget;

class QtFileDialogs : public KolvErkl::FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> ChooseFileToOpen(const std::string& title,
                                                const std::string& presetName) override;
    std::optional<std::string> ChooseFileToSave(const std::string& title, const std::string& folder,
                                                const std::string& presetName,
                                                const std::string& defaultSuffix) override;

private:
    QWidget* parent_;
};
