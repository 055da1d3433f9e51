#include "core/analysis/ResultExport.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

namespace airmotor::core {
namespace {
namespace result_export_test {

TEST(ResultExport, TheChosenFileTypeDecidesFormatAndExtension) {
    constexpr std::string_view kWorkbook = "Workbook (*.xlsx)";
    constexpr std::string_view kCsv = "Comma-separated values (*.csv)";
    const struct {
        std::string_view path, filter;
        ResultFormat format;
        std::string_view written;
    } cases[] = {
        {"results", kWorkbook, ResultFormat::Workbook, "results.xlsx"},
        {"results", kCsv, ResultFormat::Csv, "results.csv"},
        {"rows.csv", kWorkbook, ResultFormat::Workbook, "rows.csv.xlsx"},
        {"rows.XLSX", kWorkbook, ResultFormat::Workbook, "rows.XLSX"},
        {".xlsx", kWorkbook, ResultFormat::Workbook, ".xlsx"},
        {"x", kWorkbook, ResultFormat::Workbook, "x.xlsx"},
        // No filter (a name given directly): the extension decides and the name stays.
        {"rows.xlsx", "", ResultFormat::Workbook, "rows.xlsx"},
        {"rows", "", ResultFormat::Csv, "rows"},
        {"rows.txt", "Text (*.txt)", ResultFormat::Csv, "rows.txt"},
        // Any language's label: the pattern tells the filter.
        {"Ergebnis", "Arbeitsmappe (*.xlsx)", ResultFormat::Workbook, "Ergebnis.xlsx"},
        {"rows", "(*.xlsx)", ResultFormat::Csv, "rows"},
    };
    for (const auto& c : cases) {
        const ResultExportTarget target = ChooseResultExport(c.path, c.filter);
        EXPECT_EQ(target.format, c.format) << c.path << " / " << c.filter;
        EXPECT_EQ(target.path, c.written) << c.path << " / " << c.filter;
    }
    EXPECT_EQ(ResultExportFilters(testing::BundledEnglish()),
              std::string(kWorkbook) + ";;" + std::string(kCsv));
}

} // namespace result_export_test
} // namespace
} // namespace airmotor::core
