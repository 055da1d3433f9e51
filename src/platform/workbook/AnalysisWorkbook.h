#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/analysis/ResultExport.h"
#include "core/language/Language.h"
#include "platform/files/RegularFile.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::platform {

// The analysed result rows as an .xlsx workbook: one sheet, a bold header row in the language with the units,
// a number format per column, the header and the designations frozen. Written under a temporary name beside
// the target and renamed over it, so a failed write leaves an older file whole. Returns a message naming the
// file on failure.
std::optional<FileError> WriteAnalysisWorkbook(const QString& path,
                                               const std::vector<core::AnalysedRow>& rows,
                                               const core::TextTable& strText, std::string_view currency);

// The analysed rows in the target's format (workbook or CSV), replacing the file whole. The message
// on failure names the file.
std::optional<FileError> WriteAnalysisExport(const core::ResultExportTarget& target,
                                             const std::vector<core::AnalysedRow>& rows,
                                             const core::TextTable& strText, std::string_view currency);

} // namespace airmotor::platform
