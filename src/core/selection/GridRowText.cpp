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

} // namespace airmotor::core
