#include "core/maintenance/MeasurementFile.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using namespace airmotor::core;

namespace {
namespace measurement_file_test {

MeasurementData Sample() {
    MeasurementData d;
    std::tie(d.sx, d.sy1, d.sy2, d.utvRef) = std::tuple{12.5f, 0.1f, 1.0f / 3.0f, 4.0f};
    d.speed = {0.1f, 20.0f, 33.3f};
    d.torque = {40.0f, -0.7f, 0.0f};
    d.air = {5e-7f, 6.0f, 7.25f};
    d.targets = {1000.0f, 0.75f, 500.0f, 12.0f};
    std::tie(d.kn, d.km, d.kl) = std::tuple{1.05f, 0.95f, 1.0f};
    d.minStartTorque = 2.5f;
    d.designation = "TKM20-A5-UAA 247";
    d.date = "2026-12-07";
    return d;
}

const std::string kValid =
    "2,1,1,1,1\r\n10,20\r\n5,0\r\n3,4\r\n0,0,0,0\r\n1,1,1\r\n0\r\n\"X\"\r\n#2026-01-01#\r\n";

std::string ReplaceLine(int line, const std::string& text) {
    std::string out;
    std::size_t start = 0;
    for (int i = 1; start < kValid.size(); ++i) {
        const std::size_t end = kValid.find("\r\n", start);
        out += (i == line ? text : kValid.substr(start, end - start)) + "\r\n";
        start = end + 2;
    }
    return out;
}

// The ASCII text as an editor saves it as "Unicode".
std::string Utf16(const std::string& text, bool bigEndian, bool byteOrderMark) {
    std::string out = byteOrderMark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : text)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST(MeasurementFile, RoundTripKeepsEveryFloat) {
    const MeasurementData d = Sample();
    const auto parsed = ParseMeasurementFile(FormatMeasurementFile(d));
    ASSERT_TRUE(std::holds_alternative<MeasurementData>(parsed));
    const auto& r = std::get<MeasurementData>(parsed);
    EXPECT_EQ((std::array{r.sx, r.sy2, r.utvRef, r.targets.speedAtMaxPower, r.targets.airAtMaxPower, r.kn,
                          r.minStartTorque}),
              (std::array{d.sx, d.sy2, d.utvRef, 500.0f, 12.0f, d.kn, d.minStartTorque}));
    EXPECT_EQ((std::array{r.speed, r.torque, r.air}), (std::array{d.speed, d.torque, d.air}));
    EXPECT_EQ(r.designation, d.designation);
    EXPECT_NE(FormatMeasurementFile(d).find("\r\n#2026-12-07#\r\n"), std::string::npos);
}

TEST(MeasurementFile, RefusalsNameTheLine) {
    struct Case {
        std::string text;
        int line; // 0: the file as a whole
        const char* says;
    };
    const Case cases[] = {
        {"", 1, "the file ends"},
        {ReplaceLine(1, "33,1,1,1,1"), 1, "from 0 to 32"},
        {ReplaceLine(1, "2.5,1,1,1,1"), 1, "whole number"},
        {ReplaceLine(1, "2,1,1,1"), 1, "5 values expected, 4 found"},
        {ReplaceLine(3, "5,0,7"), 3, "2 values expected"},
        {ReplaceLine(4, "3,x"), 4, "value 2 \"x\" is not a number"},
        {ReplaceLine(6, "1,\"1\",1"), 6, "value 2 \"1\" is not a number"},
        {ReplaceLine(5, "0,0,0,1e99"), 5, "\"1e99\" is too large for a single-precision number"},
        {ReplaceLine(5, "0,0,0,-1e-50"), 5, "\"-1e-50\" is too close to zero for a single-precision number"},
        {kValid.substr(0, kValid.find("0\r\n\"X\"")), 7, "the file ends"},
        {Utf16(kValid, false, true), 0, "UTF-16"},
        {Utf16(kValid, true, true), 0, "UTF-16"},
        {Utf16(kValid, false, false), 0, "UTF-16"},
        {Utf16(kValid, true, false), 0, "UTF-16"},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseMeasurementFile(c.text);
        ASSERT_TRUE(std::holds_alternative<MeasurementFileError>(parsed)) << c.text;
        const MeasurementFileError& error = std::get<MeasurementFileError>(parsed);
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.what.find(c.says), std::string::npos) << error.what;
    }
    EXPECT_TRUE(std::holds_alternative<MeasurementData>(ParseMeasurementFile(kValid)));
    // The date line is not read; a companion needs only its readings.
    EXPECT_TRUE(std::holds_alternative<MeasurementData>(ParseMeasurementFile(ReplaceLine(9, "rubbish"))));
    EXPECT_TRUE(std::holds_alternative<MeasurementData>(ParseCompanionFile(ReplaceLine(5, "rubbish"))));
}

TEST(MeasurementFile, ZeroToThirtyTwoPoints) {
    for (std::size_t n : {0u, 32u}) {
        MeasurementData d = Sample();
        d.speed.assign(n, 1.0f);
        d.torque.assign(n, 2.0f);
        d.air.assign(n, 3.0f);
        const auto parsed = ParseMeasurementFile(FormatMeasurementFile(d));
        ASSERT_TRUE(std::holds_alternative<MeasurementData>(parsed)) << n;
        EXPECT_EQ(std::get<MeasurementData>(parsed).count(), static_cast<int>(n));
    }
}

// The old platform wrote designations in its code page: they are read as such, and the reader says
// so; a UTF-8 designation is taken as it stands.
TEST(MeasurementFile, DesignationInTheOldCodePageIsConvertedWithAWarning) {
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {"\"TKM\xE5\xE4\xF6\"", "TKM\xC3\xA5\xC3\xA4\xC3\xB6", true},
        {"\"\x80\x81\x9F\xFF\"", "\xE2\x82\xAC\xEF\xBF\xBD\xC5\xB8\xC3\xBF", true},
        {"\"TKM\xC3\xA5\"", "TKM\xC3\xA5", false},
    };
    for (const auto& [line, designation, warned] : cases) {
        const auto parsed = ParseMeasurementFile(ReplaceLine(8, line));
        ASSERT_TRUE(std::holds_alternative<MeasurementData>(parsed));
        const MeasurementData& d = std::get<MeasurementData>(parsed);
        EXPECT_EQ(d.designation, designation);
        ASSERT_EQ(d.warnings.size(), warned ? 1u : 0u);
        if (warned) {
            EXPECT_NE(d.warnings.front().find(
                          "line 8: the designation is not UTF-8 text; it was read as Windows-1252"),
                      std::string::npos);
        }
    }
}

} // namespace measurement_file_test
} // namespace
