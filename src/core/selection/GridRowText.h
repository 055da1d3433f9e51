#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/language/Language.h"
#include "core/selection/ResultTable.h"

#include <array>
#include <string>
#include <vector>

namespace airmotor::core {

// Cells of the grid row of catalogue motor i, as the search and the catalogue listing write them.
// The first two characters of an ordering number beginning "11 "/"15 " ("12 "/"15 " for the second)
// are a variant code appended to the designation. A missing second cell is "".
struct GridRowCells {
    std::array<std::string, 2> cells;
    std::array<bool, 2> isDesignation{true, false}; // cells that may be bracketed by the search
};
GridRowCells GridRowText(const MotorCatalogue& catalogue, int i, const TextTable& strText);

// "( " + text + " )": a designation whose start torque does not reach the working torque.
std::string Bracketed(const std::string& text);

// The result grid's rows for result rows: designations bracketed where startTooLow says so (an
// empty list brackets none), obsolete motors in the obsolete colour.
std::vector<GridRow> ResultGrid(const MotorCatalogue& catalogue, const std::vector<ResultRow>& rows,
                                const std::vector<bool>& startTooLow, const TextTable& strText);

} // namespace airmotor::core
