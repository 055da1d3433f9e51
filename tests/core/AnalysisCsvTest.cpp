#include "core/analysis/AnalysisCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

using namespace airmotor::core;

// Text with separators is quoted, missing margins are empty cells, numbers keep '.' under a
// decimal-comma locale.
TEST(AnalysisCsv, QuotingEmptyCellsAndDecimalPoint) {
    DutyAnalysis a;
    a.designation = "TKM \"22\", A";
    a.mode = DutyMode::Throttled;
    a.pressure = 6.0f;
    a.torqueAtSpeed = 12.345f;
    a.torqueMargin = 23.44f;
    a.power = 2.5f;
    a.air = 10.0f;
    a.airM3h = 36.0f;
    a.freeSpeedMargin = 60.0f;
    a.airCostPerYear = 1296.0;
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::string csv = AnalysisCsv({{3, a}});
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
    const std::string header = csv.substr(0, csv.find("\r\n"));
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 12);
    EXPECT_EQ(csv.substr(header.size() + 2),
              "3,\"TKM \"\"22\"\", A\",throttled,6.00,12.35,23.4,,2.500,10.00,36.0,,60.0,1296.00\r\n");
}
