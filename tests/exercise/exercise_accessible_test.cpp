// SPDX-License-Identifier: GPL-3.0-or-later
// The machine picture as a screen reader finds it: a table whose cells are
// the picture's fields and the log's rows, the keyboard cursor as its
// focused cell, and one announcement for each action that changed it.
#include "exercise_fixture.h"

#include <QAccessible>

using namespace KolvErkl;

namespace {

class AccessibleTableTest : public ExerciseTest {
protected:
    void SetUp() override {
        ExerciseTest::SetUp();
        QApplication::setActiveWindow(main.get());
        form->PaintBox1->setFocus();
    }
    // The announcements come after the action, once the window is active.
    void settle() {
        QApplication::setActiveWindow(main.get());
        QCoreApplication::processEvents();
    }
    void key(Qt::Key key) { QTest::keyClick(main.get(), key); }
};

// The words of the log's last `count` value rows, as the table's cells.
std::vector<QStringList> logRows(int count) {
    std::vector<QStringList> rows;
    for (const QString& line : ActivityLog.mid(ActivityLog.size() - count)) {
        QStringList words = QString(line)
                                .replace(QStringLiteral("--->"), QStringLiteral(" "))
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() > 4 && words.last() == QStringLiteral("OK"))
            words.removeLast();
        rows.push_back(words);
    }
    return rows;
}

TEST_F(AccessibleTableTest, CellsFocusAndAnnouncementsFollowThePupil) {
    struct Case {
        const char* name;
        std::function<void()> before, step;
        QStringList headers;
        int rows;
        // Cells of these rows (from 0) equal the log's last rows, in order.
        std::vector<int> loggedRows;
        QPoint current; // column, row of the focused cell; (-1, -1) for none
        // The announcement of the step, from the table's cells; "" for none.
        std::function<QString(const std::vector<QStringList>&)> told;
    };
    const auto row = [](const std::vector<QStringList>& cells, int i, const QString& last) {
        QString words =
            QStringLiteral("Række %1: x %2, y %3").arg(i + 1).arg(cells[i][0], cells[i][1]);
        if (cells[i].size() > 3 || last.isEmpty())
            words += QStringLiteral(", z ") + cells[i][2];
        return words + last + QLatin1Char('.');
    };
    const auto observed = [&](const std::vector<QStringList>& c) {
        QString words = QStringLiteral("Opgave nummer: 3. Observér.");
        for (int i = 0; i < 3; ++i)
            words +=
                QLatin1Char(' ') + row(c, i, QStringLiteral(", maskinen giver ") + c[i].last());
        return words;
    };
    const Case cases[] = {
        {"no task", [] {}, [] {}, {}, 0, {}, {-1, -1}, nullptr},
        {"observations, 3 variables",
         [] {},
         [this] { startTask(3); },
         {"x", "y", "z", "Maskinen"},
         3,
         {0, 1, 2},
         {-1, -1},
         observed},
        {"observations, 2 variables",
         [] {},
         [this] { startTask(3, 2); },
         {"x", "y", "Maskinen"},
         3,
         {0, 1, 2},
         {-1, -1},
         observed},
        {"a first value of three",
         [this] { startTask(4), click(form->SpeedButton14); },
         [this] { clickCell(1, 1), pressDigit(5); },
         {"x", "y", "z", "Maskinen"},
         6,
         {},
         {1, 0},
         [](const auto&) {
             return QStringLiteral("Række 1: x 5, y tom, z tom. Markøren står i række 1 på y.");
         }},
        {"the machine draws the last value",
         [this] { startTask(4, 2), click(form->SpeedButton14); },
         [this] { clickCell(1, 1), pressDigit(3); },
         {"x", "y", "Maskinen"},
         6,
         {0},
         {0, 1},
         [&](const auto& c) {
             return row(c, 0, QStringLiteral(", maskinen giver ") + c[0][2]).chopped(1) +
                    QStringLiteral(". Markøren står i række 2 på x.");
         }},
        // The first key of the mode shows the cursor where it stands; the
        // next one moves it.
        {"an arrow key",
         [this] { startTask(4), click(form->SpeedButton14), key(Qt::Key_Down); },
         [this] { key(Qt::Key_Down); },
         {"x", "y", "z", "Maskinen"},
         6,
         {},
         {0, 1},
         nullptr},
        {"an answer",
         [this] { startTask(2), click(form->SpeedButton15); },
         [this] { answer(2, QStringLiteral("7")); },
         {"x", "y", "z", "Dit svar"},
         5,
         {1},
         {3, 2},
         // The cursor went on to the next row without an answer.
         [&](const auto& c) {
             return row(c, 1, QStringLiteral(", dit svar 7")) +
                    QStringLiteral(" Markøren står i række 3 på dit svar.");
         }},
        {"the results",
         [this] {
             startTask(2), click(form->SpeedButton15);
             for (int i = 1; i <= 5; ++i)
                 answer(i, QString::number(i <= 2 ? form->CorrectOutputs[i] : 100000 + i));
         },
         [this] { click(form->SpeedButton16); },
         {"x", "y", "z", "Dit svar", "Rigtigt svar"},
         5,
         {0, 1, 2, 3, 4},
         {3, 4}, // every row answered: the cursor stays on the last
         [](const auto&) { return QStringLiteral("Resultat: 2 af 5 rigtige."); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.before();
        settle();
        const QString toldBefore = form->PaintBox1->Announcement();
        c.step();
        settle();

        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(form->PaintBox1);
        ASSERT_EQ(table->role(), QAccessible::Table);
        EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Maskinen"));
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_EQ(cells->rowCount(), c.rows);
        ASSERT_EQ(cells->columnCount(), c.headers.size());
        std::vector<QStringList> words(c.rows);
        for (int i = 0; i < c.rows; ++i) {
            for (int j = 0; j < c.headers.size(); ++j) {
                QAccessibleInterface* cell = cells->cellAt(i, j);
                const auto header = cell->tableCellInterface()->columnHeaderCells();
                ASSERT_EQ(header.size(), 1);
                EXPECT_EQ(header[0]->text(QAccessible::Name), c.headers[j]);
                EXPECT_EQ(table->indexOfChild(cell), c.headers.size() * (i + 1) + j);
                EXPECT_EQ(cell->state().focused, QPoint(j, i) == c.current);
                words[i] << cell->text(QAccessible::Name);
            }
        }
        // The log has no words for right and wrong, and the answer's row of
        // the log has the right output too.
        const std::vector<QStringList> logged = logRows(static_cast<int>(c.loggedRows.size()));
        for (std::size_t k = 0; k < c.loggedRows.size(); ++k) {
            QStringList cellsOfRow = words[c.loggedRows[k]];
            cellsOfRow.last() = cellsOfRow.last().section(QStringLiteral(", "), 0, 0);
            EXPECT_EQ(cellsOfRow, logged[k].mid(0, cellsOfRow.size()));
        }
        if (c.name == std::string("the results")) {
            for (int i = 0; i < 5; ++i)
                EXPECT_TRUE(words[i][4].endsWith(i < 2 ? QStringLiteral(", rigtigt")
                                                       : QStringLiteral(", forkert")))
                    << words[i][4].toStdString();
        }

        // The check's button lies on the picture, and is found under the table.
        QAccessibleInterface* last = table->child(table->childCount() - 1);
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->text(QAccessible::Name), QStringLiteral("Udfør kontrol"));
        EXPECT_EQ(table->indexOfChild(last), table->childCount() - 1);

        // What the step changed, in words; a step that changed nothing
        // tells nothing.
        EXPECT_EQ(form->PaintBox1->Announcement().toStdString(),
                  (c.told ? c.told(words) : toldBefore).toStdString());
    }
}

} // namespace
