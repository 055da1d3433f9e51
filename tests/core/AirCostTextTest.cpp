#include "core/analysis/AirCostText.h"

#include "core/analysis/AnalysisFigures.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

using namespace airmotor::core;

namespace {
namespace air_cost_text_test {

const TextTable& English() {
    return airmotor::core::testing::BundledEnglish();
}

TEST(AirCostText, AcceptsBothDecimalSeparatorsAndNamesTheBadInput) {
    struct Case {
        const char *hours, *energy, *price, *currency;
        const char* result; // the currency kept, or the message
    };
    const char* const kRule = "Currency: enter 1 to 8 characters such as EUR";
    const Case cases[] = {
        {"2000", "0.12", "0.15", "EUR", "EUR"},
        {" 8784 ", "0,1", "0", " CHF ", "CHF"},
        {"0", "1000000", "1e6", "\xC2\xA3", "\xC2\xA3"},
        // Eight characters of two bytes each are still eight characters.
        {"1", "1", "1", "\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5",
         "\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5\xC3\xA5"},
        {"1", "1", "1", "ABCDEFGH", "ABCDEFGH"},
        {"1", "1", "1", "ABCDEFGHI", kRule},
        {"1", "1", "1", "  ", kRule},
        {"1", "1", "1", "E\tUR", kRule},
        {"1", "1", "1", "EU\x7f", kRule},
        {"", "0.12", "0.15", "EUR", "Hours per year: enter a number"},
        {"abc", "0.12", "0.15", "EUR", "Hours per year: \"abc\" is not a number"},
        {"8785", "0.12", "0.15", "EUR", "Hours per year: must not exceed 8784"},
        {"2000", "-0.1", "0.15", "EUR", "Energy per m³ free air [kWh]: must not be negative"},
        {"2000", "0.12", "1.5e6", "EUR", "Price per kWh: must not exceed 1000000"},
        {"2000", "0.12", "nan", "", "Price per kWh: \"nan\" is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hours) + "|" + c.energy + "|" + c.price + "|" + c.currency);
        const auto read = ReadAirCostTexts(c.hours, c.energy, c.price, c.currency, English());
        if (const auto* cost = std::get_if<AirCostInputs>(&read))
            EXPECT_EQ(cost->currency, c.result);
        else
            EXPECT_EQ(std::get<std::string>(read), c.result);
    }
    const auto read = std::get<AirCostInputs>(ReadAirCostTexts("1500", "0,1", "0.2", "EUR", English()));
    EXPECT_DOUBLE_EQ(read.energyPerM3, 0.1);
    const AirCostInputs fixed = InRangeOrDefault({-1.0, 0.2, 2e6, "\n"});
    EXPECT_EQ((std::array{fixed.hoursPerYear, fixed.energyPerM3, fixed.pricePerKWh}),
              (std::array{2000.0, 0.2, 0.15}));
    EXPECT_EQ(fixed.currency, "EUR");
    EXPECT_EQ(InRangeOrDefault({1.0, 1.0, 1.0, " kr "}).currency, "kr");
}

TEST(AnalysisFigures, UnitsMasksAndMissingFigures) {
    DutyAnalysis a;
    a.pressure = 6.3f;
    a.torqueAtSpeed = 13.5582f;
    a.torqueMargin = -12.34f;
    a.air = 4.71947f;
    a.airM3h = 16.99f;
    a.freeSpeedMargin = 40.0f;
    a.airCostPerYear = 611.63;
    const AirCostInputs cost{1500.0, 0.1, 0.2, "CHF"};
    const auto byName = [](const std::vector<AnalysisFigure>& figures) {
        std::map<std::string, AnalysisFigure> map;
        for (const AnalysisFigure& f : figures)
            map[f.name] = f;
        return map;
    };
    auto si = byName(AnalysisFigures(a, UnitFactors::ForImperial(0), false, cost, English()));
    EXPECT_EQ(si["lblAnalysisTorque"].text + " " + si["lblAnalysisTorque"].unit, "13.6 Nm");
    EXPECT_EQ(si["lblAnalysisTorqueMargin"].text, "-12.3");
    EXPECT_EQ(si["lblAnalysisAirM3h"].text, "17.0");
    EXPECT_EQ(si["lblAnalysisStartMargin"].text, "-");
    EXPECT_EQ(si["lblAnalysisMode"].text, "At supply pressure");
    EXPECT_EQ(si["lblAnalysisAir"].howComputed.rfind("The catalogue air curve", 0), 0u) << "not throttled";
    EXPECT_EQ(si["lblAnalysisCost"].text + " " + si["lblAnalysisCost"].unit, "611.63 CHF");
    EXPECT_NE(
        si["lblAnalysisCost"].howComputed.find("1500 hours per year x 0.1 kWh per m³ x 0.2 CHF per kWh"),
        std::string::npos);
    EXPECT_EQ(si["lblAnalysisSpeedAtTorque"].unit, "r/min");
    TextTable german = English();
    german.set(97, "Drehzahl [1/min]");
    EXPECT_EQ(byName(AnalysisFigures(a, UnitFactors::ForImperial(0), false, cost,
                                     german))["lblAnalysisSpeedAtTorque"]
                  .unit,
              "1/min")
        << "the speed unit as the language writes it";
    auto imperial = byName(AnalysisFigures(a, UnitFactors::ForImperial(1), true, cost, English()));
    EXPECT_EQ(imperial.count("lblAnalysisAirM3h"), 0u);
    EXPECT_EQ(imperial["lblAnalysisAir"].text + " " + imperial["lblAnalysisAir"].unit, "10.0 cfm");
    EXPECT_EQ(imperial["lblAnalysisTorque"].text + " " + imperial["lblAnalysisTorque"].unit, "10.0 lbf ft");
    EXPECT_EQ(imperial["lblAnalysisPressure"].text, "91");
    for (const auto& [name, f] : imperial)
        EXPECT_FALSE(f.howComputed.empty()) << name;
}

} // namespace air_cost_text_test
} // namespace
