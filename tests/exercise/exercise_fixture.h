// SPDX-License-Identifier: GPL-3.0-or-later
// A pupil at the exercise window: a plain main window, a host that counts
// what the window asks of it, a clock the test sets, and message boxes that
// are caught instead of shown.
#pragma once

#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/answer_dialog.h"
#include "exercise/exercise_host.h"
#include "exercise/exercise_window.h"
#include "exercise/machine_picture.h"
#include "ui/ui_services.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

struct FakeHost : ExerciseHost {
    bool printMenuEnabled = true;
    int prints = 0;
    int headingDialogs = 0;
    void SetPrintMenuEnabled(bool enabled) override { printMenuEnabled = enabled; }
    void PrintActivityLog() override { ++prints; }
    void ShowHeadingDialog() override { ++headingDialogs; }
};

class ExerciseTest : public ::testing::Test {
protected:
    void SetUp() override {
        KolvErkl::ResetProgramState();
        KolvErkl::SeedRandom(20260);
        KolvErkl::ClockHook = [this] { return clock; };
        KolvErkl::MessageHook = [this](const QString& text, const QString& caption) {
            messages.emplace_back(text, caption);
        };
        main = std::make_unique<QWidget>();
        main->resize(800, 600);
        form = new TForm2(main.get(), &host);
        main->show();
        form->show();
        Form4 = new TForm4;
    }

    void TearDown() override {
        delete Form4;
        Form4 = nullptr;
        main.reset();
        KolvErkl::ResetProgramState();
    }

    void startTask(int task, int variables = 3) {
        KolvErkl::NumberOfVariables = variables;
        KolvErkl::CurrentTask = task;
        form->StartTask();
    }

    void defineOwnTask(int number, int variables, const char* formula) {
        KolvErkl::TaskRecord& slot = KolvErkl::OwnTaskSlot(number);
        slot.Free = 0;
        slot.TaskNumber = number;
        slot.VariableCount = variables;
        slot.Formula.Assign(formula);
    }

    void click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void clickPicture(int x, int y) {
        QTest::mouseClick(form->PaintBox1, Qt::LeftButton, {}, QPoint(x, y));
    }
    void pressDigit(int digit) { click(form->KeypadButtons[digit]); }
    // The middle of the experiment cell in row i, column j.
    void clickCell(int i, int j) { clickPicture(110 * j - 15, 50 * i - 2); }

    // Answers check row i by typing the keys into the answer dialog and
    // pressing Enter, as the pupil does.
    void answer(int row, const QString& keys) {
        QTimer::singleShot(0, [keys] {
            auto* dialog = qobject_cast<TForm4*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::keyClicks(dialog->Edit1, keys);
            QTest::keyClick(dialog->Edit1, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->done(QDialog::Rejected); // refused: leave as the close box would
        });
        clickPicture(470, 50 * row + 35);
    }

    QImage picture() { return form->PaintBox1->grab().toImage(); }

    QStringList logFrom(int first) const { return KolvErkl::ActivityLog.mid(first); }

    FakeHost host;
    std::unique_ptr<QWidget> main;
    TForm2* form = nullptr;
    double clock = 1000.0;
    std::vector<std::pair<QString, QString>> messages;
};

// The value of the digit in column `column` (counted from 1) of a log line.
inline int digitAt(const QString& line, int column) {
    return line.mid(column - 1, 1).toInt();
}

// An observation or experiment row of the log, read as the pupil reads it:
// the values in their columns, the arrow, and the output that ends the line.
struct LogRow {
    std::vector<int> values;
    QString arrow;
    int output = 0;
};

inline LogRow parseLogRow(const QString& line, int variables) {
    LogRow row;
    for (int j = 0; j < variables; ++j)
        row.values.push_back(digitAt(line, 12 + 6 * j));
    const int arrow = 12 + 6 * variables; // the column of its first character
    row.arrow = line.mid(arrow - 1, 4);
    row.output = line.mid(arrow + 3).toInt();
    return row;
}

// Whether any pixel of `area` has the colour.
inline bool anyPixel(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}
