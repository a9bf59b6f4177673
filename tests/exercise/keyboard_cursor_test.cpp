// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard cursor on grids of choosable ('.') and filled ('#') cells.
#include "exercise/keyboard_cursor.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Grid {
    std::vector<std::string> rows;
    KeyboardCursor::Choosable choosable() {
        return [this](int row, int column) { return rows[row - 1][column - 1] == '.'; };
    }
    void begin(KeyboardCursor& cursor) {
        cursor.Begin(int(rows.size()), int(rows[0].size()), choosable());
    }
};

void press(KeyboardCursor& cursor, const std::string& keys) {
    for (char key : keys)
        cursor.Move(key == 'L'   ? KeyboardCursor::Left
                    : key == 'R' ? KeyboardCursor::Right
                    : key == 'U' ? KeyboardCursor::Up
                                 : KeyboardCursor::Down);
}

TEST(KeyboardCursor, MovesToTheNearestChoosableCellAndStopsAtTheEdges) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::string keys;
        int row, column;
    };
    const Case cases[] = {
        {"starts top left", {"...", "..."}, "", 1, 1},
        {"starts on the first blank cell", {"###", "#..", "..."}, "", 2, 2},
        {"right passes a filled cell", {".#.", "..."}, "R", 1, 3},
        {"right stops at the last column", {"...", "..."}, "RRRR", 1, 3},
        {"left stops at the first column", {"...", "..."}, "L", 1, 1},
        {"down passes a row without a cell", {"...", "###", "..."}, "D", 3, 1},
        {"down passes a filled cell in its column", {"...", ".#.", "..."}, "RD", 3, 2},
        {"down stays when its column has no cell below", {"...", "#.."}, "D", 1, 1},
        {"down stops at the last row", {"..", ".."}, "DDD", 2, 1},
        {"up stops at the first row", {"..", ".."}, "DUU", 1, 1},
        {"up keeps the column", {"...", "..."}, "RRDU", 1, 3},
        {"no cell to stand on", {"##", "##"}, "DR", 0, 0},
    };
    for (const Case& c : cases) {
        Grid grid{c.rows};
        KeyboardCursor cursor;
        grid.begin(cursor);
        EXPECT_FALSE(cursor.Shown()) << c.name;
        press(cursor, c.keys);
        EXPECT_EQ(cursor.Row(), c.row) << c.name;
        EXPECT_EQ(cursor.Column(), c.column) << c.name;
        EXPECT_EQ(cursor.Shown(), !c.keys.empty() && c.row > 0) << c.name;
    }
}

TEST(KeyboardCursor, AFilledCellSendsItOnInReadingOrderAndScrollingTakesItAlong) {
    Grid grid{{"...", "...", "..."}};
    KeyboardCursor cursor;
    grid.begin(cursor);
    press(cursor, "RD"); // row 2, column 2
    grid.rows[1] = "#.#";
    cursor.Refresh();
    EXPECT_EQ(std::make_pair(cursor.Row(), cursor.Column()), std::make_pair(2, 2));
    grid.rows[1] = "###";
    cursor.Refresh();
    EXPECT_EQ(std::make_pair(cursor.Row(), cursor.Column()), std::make_pair(3, 1));
    // After the last cell it goes on from the top.
    grid.rows = {"#.#", "###", "###"};
    cursor.Refresh();
    EXPECT_EQ(std::make_pair(cursor.Row(), cursor.Column()), std::make_pair(1, 2));
    // The rows move up with the cursor's cell; the bottom row comes in blank.
    grid.rows = {"###", "###", "..."};
    cursor.Refresh();
    grid.rows = {"###", "...", "..."};
    cursor.RowsScrolledUp();
    EXPECT_EQ(std::make_pair(cursor.Row(), cursor.Column()), std::make_pair(2, 1));
    grid.rows = {"###", "###", "###"};
    cursor.Refresh();
    EXPECT_EQ(cursor.Row(), 0);
    EXPECT_FALSE(cursor.Shown());
}

} // namespace
