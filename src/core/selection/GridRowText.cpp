#include "core/selection/GridRowText.h"
#include "core/common/Keys.h"

#include "core/selection/Designation.h"

namespace airmotor::core {

namespace {

bool HasGearCodeA(std::string_view d) {
    return Contains(d, "14-A-") || Contains(d, "3-A-") || Contains(d, "HG931-A-") || Contains(d, "2-A-");
}
bool HasGearCodeB(std::string_view d) {
    return Contains(d, "14-B-") || Contains(d, "3-B-") || Contains(d, "HG931-B-") || Contains(d, "2-B-");
}

} // namespace

GridRowCells GridRowText(const MotorCatalogue& catalogue, int i, const TextTable& strText) {
    const std::string& d = catalogue.strBenamning[static_cast<std::size_t>(i)];
    const std::string& nr1 = catalogue.strDetaljnr1[static_cast<std::size_t>(i)];
    const std::string& nr2 = catalogue.strDetaljnr2[static_cast<std::size_t>(i)];
    GridRowCells row;
    const bool code1 = StartsWith(nr1, "11 ") || StartsWith(nr1, "15 ");
    const bool code2 = StartsWith(nr2, "12 ") || StartsWith(nr2, "15 ");
    if (code1 && code2) {
        row.cells = {d + nr1.substr(0, 2), d + nr2.substr(0, 2)};
        row.isDesignation = {true, true};
    } else if (code1) {
        row.cells = {d + nr1.substr(0, 2), ""};
    } else if (HasGearCodeA(d)) {
        row.cells = {d, " " + strText(TextKey::VersionA)};
    } else if (HasGearCodeB(d)) {
        row.cells = {d, " " + strText(TextKey::VersionB)};
    } else {
        row.cells = {d, ""};
    }
    return row;
}

std::string Bracketed(const std::string& text) {
    return "( " + text + " )";
}

std::vector<GridRow> ResultGrid(const MotorCatalogue& catalogue, const std::vector<ResultRow>& rows,
                                const std::vector<bool>& startTooLow, const TextTable& strText) {
    std::vector<GridRow> grid;
    grid.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int i = rows[r].intRadKatalogindex;
        const bool bracketed = r < startTooLow.size() && startTooLow[r];
        const GridRowCells cells = GridRowText(catalogue, i, strText);
        GridRow row;
        for (std::size_t c = 0; c < 2; ++c)
            row.cells[c] = cells.isDesignation[c] && bracketed ? Bracketed(cells.cells[c]) : cells.cells[c];
        if (catalogue.bolOldMotor[static_cast<std::size_t>(i)]) {
            row.obsolete = true;
            row.cellColour = {kCellColourObsolete, kCellColourObsolete};
        }
        grid.push_back(row);
    }
    return grid;
}

} // namespace airmotor::core
