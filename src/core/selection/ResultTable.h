#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace airmotor::core {

// Cell colours of the result grid (QBColor indexes); kCellColourDefault = as the grid draws it.
inline constexpr int kCellColourDefault = -1;
inline constexpr int kCellColourReset = 0;
inline constexpr int kCellColourSelected = 11;
inline constexpr int kCellColourObsolete = 9;

// One grid line below the header: always two cells ("" when the row has only one).
struct GridRow {
    std::array<std::string, 2> cells;
    std::array<int, 2> cellColour{kCellColourDefault, kCellColourDefault};
    bool obsolete = false; // listed by the catalogue view with colour 9
};

// One result row: what the search found for a listed motor (rows numbered from 1).
struct ResultRow {
    std::int16_t intRadKatalogindex = 0;
    float sngRadStrypning = 0.0f; // throttle ratio, 0 = none
    float sngRadTryck = 0.0f;     // reduced pressure in bar, 0 = none
};

// Result rows and grid of the main window. rows[0] and grid row 0 (the header) are not stored:
// row r of the program is rows[r - 1] / grid[r - 1].
struct ResultTable {
    std::vector<ResultRow> rows;
    std::vector<GridRow> grid;
    std::int16_t intValdRad = 0; // current row (1-based), 0 = none
    bool Label23Visible = false; // the "-U" explanation
    // The grid's current cell (row 1-based as the grid counts it; 0 = header / none).
    int currentGridRow = 0;
    int currentGridColumn = 0;

    int rowCount() const { return static_cast<int>(rows.size()); }
    // Cell text, "" outside the grid.
    const std::string& cell(int row, int column) const;
    void clearGrid() {
        grid.clear();
        currentGridRow = 0;
        currentGridColumn = 0;
    }
};

} // namespace airmotor::core
