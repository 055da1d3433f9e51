#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

// One column of the exported result table: the text key of its heading with the unit and how many
// decimals a figure keeps (kTextColumn for the text columns).
struct AnalysisColumn {
    int headingKey;
    int decimals;
};

inline constexpr int kTextColumn = -1;
inline constexpr std::size_t kAnalysisColumnCount = 13;

extern const std::array<AnalysisColumn, kAnalysisColumnCount> kAnalysisColumns;

// A cell: the text of a text column, or the figure of a number column (empty when it does not
// exist, e.g. a margin over a requirement that was not given).
struct AnalysisCell {
    std::string text;
    std::optional<double> number;
};

std::array<AnalysisCell, kAnalysisColumnCount> AnalysisCells(const AnalysedRow& row);

// The figure with the column's decimals, '.' whatever the locale; "" for a missing figure.
std::string FixedText(const std::optional<double>& value, int decimals);

// The headings in the language of the text table; the air cost's names the currency.
std::array<std::string, kAnalysisColumnCount> AnalysisHeadings(const TextTable& strText,
                                                               std::string_view currency);

// The cell as CSV and the clipboard show it.
std::string CellText(const AnalysisCell& cell, const AnalysisColumn& column);

} // namespace airmotor::core
