#pragma once

#include "core/analysis/DutyAnalysis.h"

#include <string>
#include <vector>

namespace airmotor::core {

// The analysed result rows as CSV (RFC 4180, comma-separated, '.' decimals whatever the locale,
// CRLF line ends): a header with the unit of every column, then one line per row. A figure that
// does not exist (a margin over a requirement that was not given) is an empty cell.
std::string AnalysisCsv(const std::vector<AnalysedRow>& rows);

} // namespace airmotor::core
