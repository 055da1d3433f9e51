#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

// The analysed result rows as CSV (RFC 4180, comma-separated, '.' decimals whatever the locale,
// CRLF line ends): a header in the language with the unit of every column, then one line per row. A figure
// that does not exist (a margin over a requirement that was not given) is an empty cell.
std::string AnalysisCsv(const std::vector<AnalysedRow>& rows, const TextTable& strText,
                        std::string_view currency);

// The same table as tab-separated text for the clipboard (pastes into any spreadsheet): no quoting,
// a tab or line break inside a cell becomes a blank.
std::string AnalysisTsv(const std::vector<AnalysedRow>& rows, const TextTable& strText,
                        std::string_view currency);

} // namespace airmotor::core
