#include "core/analysis/AnalysisColumns.h"

#include "core/common/Keys.h"

#include <charconv>
#include <string_view>

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
    {TextKey::ColumnRow, 0},
    {TextKey::ColumnDesignation, kTextColumn},
    {TextKey::ColumnMode, kTextColumn},
    {TextKey::ColumnPressure, 2},
    {TextKey::ColumnTorqueAtSpeed, 2},
    {TextKey::ColumnTorqueMargin, 1},
    {TextKey::ColumnSpeedAtTorque, 0},
    {TextKey::ColumnPower, 3},
    {TextKey::ColumnAir, 2},
    {TextKey::ColumnAirM3h, 1},
    {TextKey::ColumnStartMargin, 1},
    {TextKey::ColumnFreeSpeedMargin, 1},
    {TextKey::ColumnAirCost, 2},
}};

std::array<std::string, kAnalysisColumnCount> AnalysisHeadings(const TextTable& strText,
                                                               std::string_view currency) {
    std::array<std::string, kAnalysisColumnCount> headings;
    for (std::size_t c = 0; c < kAnalysisColumnCount; ++c) {
        headings[c] = strText(kAnalysisColumns[c].headingKey);
        if (kAnalysisColumns[c].headingKey == TextKey::ColumnAirCost)
            headings[c] += " [" + std::string(currency) + "]";
    }
    return headings;
}

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
