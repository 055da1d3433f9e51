#pragma once

#include "core/language/Language.h"

#include <string>
#include <string_view>

namespace airmotor::core {

enum class ResultFormat { Workbook, Csv };

// The file-type choices of the result export in the language, as the save dialog lists them ("a;;b").
std::string ResultExportFilters(const TextTable& strText);

struct ResultExportTarget {
    ResultFormat format = ResultFormat::Csv;
    std::string path;
};

// Where and how the export writes. A chosen filter decides the format, and the name gets the
// filter's extension unless it ends in it already, so a workbook never hides behind ".csv" or no
// extension at all. Without a known filter the name's extension decides (CSV for any other) and the
// name stays as given.
ResultExportTarget ChooseResultExport(std::string_view path, std::string_view selectedFilter);

} // namespace airmotor::core
