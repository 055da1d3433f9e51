#include "core/analysis/AnalysisCsv.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

using namespace airmotor::core;

namespace {
namespace analysis_csv_test {

TEST(AnalysisCsv, QuotingEmptyCellsAndDecimalPoint) {
    DutyAnalysis a;
    a.designation = "TKM \"22\", A";
    a.mode = DutyMode::Throttled;
    a.pressure = 6.0f;
    a.torqueAtSpeed = 12.345f;
    a.torqueMargin = 23.44f;
    a.speedAtTorque = 2950.4f;
    a.power = 2.5f;
    a.air = 10.0f;
    a.airM3h = 36.0f;
    a.startTorqueMargin = 15.26f;
    a.freeSpeedMargin = 60.0f;
    a.airCostPerYear = 1296.0;
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::string csv = AnalysisCsv({{3, a}}, airmotor::core::testing::BundledEnglish(), "CHF");
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
    const std::string header = csv.substr(0, csv.find("\r\n"));
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 12);
    EXPECT_EQ(header.substr(header.rfind(',') + 1), "air cost per year [CHF]");
    EXPECT_EQ(
        csv.substr(header.size() + 2),
        "3,\"TKM \"\"22\"\", A\",throttled,6.00,12.35,23.4,2950,2.500,10.00,36.0,15.3,60.0,1296.00\r\n");
}

// The clipboard text has the same cells, one row per line: a tab or line break of a designation
// must not shift the columns, and a quote stays as typed.
TEST(AnalysisCsv, TabSeparatedCellsStayInTheirColumns) {
    DutyAnalysis a;
    a.designation = "TKM\t\"22\"\nA,B";
    a.pressure = 5.5f;
    const std::string tsv = AnalysisTsv({{1, a}, {2, a}}, airmotor::core::testing::BundledEnglish(), "EUR");
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), 3);
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\t'), 3 * 12);
    EXPECT_NE(tsv.find("\r\n1\tTKM \"22\" A,B\tdirect\t5.50\t0.00\t\t"), std::string::npos) << tsv;
    EXPECT_EQ(tsv.substr(0, tsv.find('\t')), "row");
}

} // namespace analysis_csv_test
} // namespace
