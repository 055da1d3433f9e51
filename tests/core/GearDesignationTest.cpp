#include "core/maintenance/GearDesignation.h"
#include "core/maintenance/MeasurementConversion.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

using namespace airmotor::core;

namespace {
namespace gear_designation_test {

// Positions 10-12 carry the mark, 13 onwards the worm's centre distance, 14-16 the stage code.
const char* const kMultiStage247 = "TKM20-A5-UAA 247-30";
const char* const kWorm40 = "TKS03-ST-BS 40-120";

GearData WormData() {
    GearData g;
    g.wormDiameter = 30.0f;
    g.module = 2.0f;
    g.starts = 1.0f;
    g.pressureAngle = 20.0f;
    return g;
}

TEST(GearDesignation, DecodeByMark) {
    struct Case {
        const char* designation;
        GearKind kind;
        bool unknown;
        float centre, stages, axle, seal;
        std::string code;
    };
    const Case cases[] = {
        {kMultiStage247, GearKind::MultiStage, false, 0, 2, 70, 45, "247"},
        {"TKM20-A5-UAA 351", GearKind::MultiStage, false, 0, 3, 70, 45, "351"},
        {"TKM20-A5-UAA 299", GearKind::MultiStage, true, 0, 2, 0, 0, "299"}, // stages set before the lookup
        {kWorm40, GearKind::Worm, false, 40, 0, 0, 0, ""},
        {"TKS03-ST-BSX40", GearKind::None, false, 0, 0, 0, 0, ""}, // "BS" without its blank
        {"TKS03-ST-B", GearKind::None, false, 0, 0, 0, 0, ""},     // shorter than 12 characters
    };
    for (const Case& c : cases) {
        GearData g;
        const GearDecodeResult r = DecodeGearDesignation(c.designation, g);
        EXPECT_EQ(std::tuple(r.kind, r.unknownCode, g.gearCode), std::tuple(c.kind, c.unknown, c.code))
            << c.designation;
        EXPECT_EQ((std::array{g.centreDistance, g.stages, g.axleDistance, g.sealDiameter}),
                  (std::array{c.centre, c.stages, c.axle, c.seal}))
            << c.designation;
    }
}

TEST(GearLosses, ModelsOfTheThreeKindsAndZeroTorque) {
    GearData multi;
    DecodeGearDesignation(kMultiStage247, multi);
    const GearLossResult m = GearLosses(kMultiStage247, multi, 1000.0f, 10.0f);
    const double t0 = 75.0 * 0.045 * 0.045 + (1.0 - std::exp(-1.0)) * (1000.0 / 9550.0) * 1.45 * 0.49;
    EXPECT_NEAR(m.lossTorque, t0, 1e-6);
    EXPECT_NEAR(m.overall, (1.0 - t0 / 10.0) * 0.99, 1e-6);

    GearData worm = WormData();
    DecodeGearDesignation(kWorm40, worm);
    const GearLossResult w = GearLosses(kWorm40, worm, 1000.0f, 10.0f);
    EXPECT_FLOAT_EQ(w.lossTorque, static_cast<float>(0.41 * std::pow(0.4, 1.67) + 0.25));
    // Lead angle atan(2/30), sliding speed 1.574 m/s, friction 0.0254: worked by hand.
    EXPECT_NEAR(w.efficiency, 0.7100, 5e-4);
    EXPECT_EQ(GearLosses(kWorm40, worm, 1000.0f, 0.0f).overall, 0.0f);

    GearData plain;
    plain.efficiencyPercent = 90.0f;
    const GearLossResult p = GearLosses("TKM20-A5", plain, 1000.0f, 10.0f);
    EXPECT_EQ(p.lossTorque, 0.0f);
    EXPECT_FLOAT_EQ(p.overall, 0.9f);
}

TEST(GearLosses, WormWithoutItsDataIsNeverConverted) {
    ReadingSet readings;
    readings.n = 2;
    readings.sx = readings.sy1 = readings.sy2 = 1.0f;
    readings.speed = std::vector<float>(kPointSlots, 100.0f);
    readings.torque = std::vector<float>(kPointSlots, 5.0f);
    for (float GearData::*field : {&GearData::wormDiameter, &GearData::module, &GearData::starts}) {
        GearData g = WormData();
        g.*field = 0.0f;
        EXPECT_FALSE(ConvertReadings(readings, {}, kWorm40, g).fault.empty());
    }
    EXPECT_TRUE(ConvertReadings(readings, {}, kWorm40, WormData()).fault.empty());
    ConversionFactors noRatio;
    noRatio.utv = 0.0f; // division by the gear ratio
    EXPECT_FALSE(ConvertReadings(readings, noRatio, "TKM20-A5", GearData{}).fault.empty());
}

} // namespace gear_designation_test
} // namespace
