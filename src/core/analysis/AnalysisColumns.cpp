#include "core/analysis/AnalysisColumns.h"

#include <charconv>

namespace airmotor::core {

namespace {

std::optional<double> Wide(const std::optional<float>& value) {
    return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
}

AnalysisCell Number(std::optional<double> value) {
    return AnalysisCell{{}, value};
}

} // namespace

const std::array<AnalysisColumn, kAnalysisColumnCount> kAnalysisColumns = {{
    {"row", 0},
    {"designation", kTextColumn},
    {"mode", kTextColumn},
    {"pressure [bar]", 2},
    {"torque at working speed [Nm]", 2},
    {"torque margin [%]", 1},
    {"speed at working torque [r/min]", 0},
    {"power [kW]", 3},
    {"air [l/s]", 2},
    {"air [m3/h]", 1},
    {"start torque margin [%]", 1},
    {"distance to free speed [%]", 1},
    {"air cost per year", 2},
}};

std::array<AnalysisCell, kAnalysisColumnCount> AnalysisCells(const AnalysedRow& row) {
    const DutyAnalysis& a = row.analysis;
    return {Number(static_cast<double>(row.row)),
            AnalysisCell{a.designation, std::nullopt},
            AnalysisCell{DutyModeName(a.mode), std::nullopt},
            Number(static_cast<double>(a.pressure)),
            Number(static_cast<double>(a.torqueAtSpeed)),
            Number(Wide(a.torqueMargin)),
            Number(Wide(a.speedAtTorque)),
            Number(static_cast<double>(a.power)),
            Number(static_cast<double>(a.air)),
            Number(static_cast<double>(a.airM3h)),
            Number(Wide(a.startTorqueMargin)),
            Number(Wide(a.freeSpeedMargin)),
            Number(a.airCostPerYear)};
}

std::string FixedText(const std::optional<double>& value, int decimals) {
    if (!value)
        return {};
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, *value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string();
}

std::string CellText(const AnalysisCell& cell, const AnalysisColumn& column) {
    return column.decimals == kTextColumn ? cell.text : FixedText(cell.number, column.decimals);
}

} // namespace airmotor::core
