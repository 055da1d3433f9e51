#include "core/maintenance/MotorDataEditor.h"
#include "core/maintenance/EditorRanges.h"
#include "core/maintenance/MotorRecord.h"

#include "EditorTestData.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>
#include <utility>

using namespace airmotor::core;
namespace {
namespace motor_data_editor_test {

using F = EditorField;

using Editor = airmotor::core::testing::LoadedEditor;
using airmotor::core::testing::LinearMotor;

TEST(MotorDataEditor, FieldsRestoreDefaultsAndColourTheRange) {
    EditorFields fields;
    struct Case {
        F field;
        const char* typed;
        const char* text;
        int colour;
    };
    const Case cases[] = {{F::UtvB, "*", " 1", kColourValid},
                          {F::VerkningsgradB, "*", " 100", kColourValid},
                          {F::GradtalB, "7", "7", kColourAboveRange},
                          {F::UtvRefMatningB, "0.5", "0.5", kColourBelowRange},
                          {F::KwmaxB, "*", " 1.4", kColourValid},
                          {F::NmdecB, "5", "5", kColourAboveRange},
                          // The correction factors fall back to no correction at all.
                          {F::KnB, "*", " 1", kColourValid},
                          {F::KmB, "*", " 1", kColourValid},
                          {F::KlB, "*", " 1", kColourValid},
                          {F::KwdecB, "*", " 1", kColourValid},
                          {F::QkalB, "*", " 1", kColourValid}};
    for (const Case& c : cases) {
        fields.type(c.field, c.typed);
        EXPECT_EQ(fields.box(c.field).text, c.text) << RuleOf(c.field).objectName;
        EXPECT_EQ(fields.box(c.field).colour, c.colour) << RuleOf(c.field).objectName;
    }
}

TEST(MotorDataEditor, ConversionAppliesRatiosFactorsAndEfficiency) {
    ReadingSet r;
    std::tie(r.n, r.sx, r.sy1, r.sy2) = std::tuple{1, 10.0f, 0.5f, 0.2f};
    std::tie(r.speed[1], r.torque[1], r.air[1]) = std::tuple{50.0f, 20.0f, 30.0f};
    const ConversionFactors f{4.0f, 2.0f, 1.1f, 0.9f, 1.2f};
    GearData plain;
    ConvertedSet c = ConvertReadings(r, f, "TKM20-A5", plain);
    EXPECT_FLOAT_EQ(c.speed[1], 275.0f); // 10 * 50 * 1.1 * 2 / 4
    EXPECT_FLOAT_EQ(c.torque[1], 18.0f); // 0.5 * 20 * 0.9 / 2 * 4
    r.speed[1] = -50.0f; // without a zero-torque point the top speed is the highest, whatever its sign
    EXPECT_FLOAT_EQ(ConvertReadings(r, f, "TKM20-A5", plain).sngTopVarv, -275.0f);
    r.speed[1] = 50.0f;
    plain.efficiencyPercent = 90.0f;
    c = ConvertReadings(r, f, "TKM20-A5", plain);
    EXPECT_FLOAT_EQ(c.torque[1], 16.2f);
    // A multi-stage gear takes its loss torque off the motor-side torque 18 / 4.
    GearData multi;
    DecodeGearDesignation("TKM20-A5-UAA 247", multi);
    c = ConvertReadings(r, f, "TKM20-A5-UAA 247", multi);
    const GearLossResult loss = GearLosses("TKM20-A5-UAA 247", multi, 4.0f * 275.0f, 4.5f);
    EXPECT_FLOAT_EQ(c.torque[1], (4.5f - loss.lossTorque) * 0.99f * 4.0f);
}

TEST(MotorDataEditor, FitsAndDrawnFiguresOfAKnownMotor) {
    Editor e(LinearMotor());
    ASSERT_EQ(e.editor.pointCount(), 11);
    const CurveFits& fits = e.editor.fits();
    EXPECT_NEAR(fits.torque[1], -0.02f, 1e-6);
    const auto figures = e.editor.drawingPass();
    ASSERT_TRUE(figures);
    EXPECT_FLOAT_EQ(figures->start, 50.0f);
    EXPECT_FLOAT_EQ(figures->end, 1030.0f);
    EXPECT_NEAR(figures->speedAtMaxPower, 500.0f, 1.0f);
    EXPECT_NEAR(figures->maxPower, 0.5235988f, 1e-5);
    EXPECT_NEAR(figures->airAtMaxPower, 10.0f, 0.01f);
    EXPECT_NEAR(figures->freeSpeed, 1000.0f, 0.05f);
    EXPECT_NEAR(figures->airAtFreeSpeed, 15.0f, 0.01f);
}

TEST(MotorDataEditor, CalibrationTowardsTargets) {
    struct Case {
        float freeTarget, powerTarget, airTarget;
        float kn, km, kl; // expected factors afterwards
    };
    // Free speed 1000 -> 1100 stretches speed by 1.1 and moves maximum power to 0.57596 kW.
    const Case cases[] = {{1100, 0.6f, 12, 1.1f, 0.6f / 0.5759587f, 1.2f},
                          {0, 0.6f, 0, 1.0f, 0.6f / 0.5235988f, 1.0f}}; // no air target: Kl stays 1
    for (const Case& c : cases) {
        MeasurementData d = LinearMotor();
        d.targets = {c.freeTarget, c.powerTarget, 0.0f, c.airTarget};
        d.kn = 1.3f; // reset to 1 before a calibration with a target power
        Editor e(d);
        ASSERT_TRUE(e.editor.calibrate());
        EXPECT_NEAR(e.value(F::KnB), c.kn, 1e-4) << c.freeTarget;
        EXPECT_NEAR(e.value(F::KmB), c.km, 1e-4) << c.freeTarget;
        // The maximum-power sample lies within one plotter step of 500 * Kn r/min.
        EXPECT_NEAR(e.value(F::KlB), c.kl, 5e-4) << c.freeTarget;
        EXPECT_NEAR(e.editor.figures()->maxPower, 0.6f, 1e-4);
        if (c.airTarget > 0.0f) {
            EXPECT_NEAR(e.editor.figures()->airAtMaxPower, c.airTarget, 0.02f);
        }
        EXPECT_TRUE(e.messages.messages.empty());
        // The factor in use is the box's text read back.
        EXPECT_EQ(e.value(F::KmB), static_cast<float>(LeadingNumber(e.editor.fields().box(F::KmB).text)));
    }
    MeasurementData none = LinearMotor();
    none.kn = 1.25f;
    Editor e(none);
    ASSERT_TRUE(e.editor.calibrate());
    EXPECT_EQ(e.editor.fields().box(F::KnB).text, "1.25");
}

// The diagram draws the readings on screen, saved or not; with nothing to draw it says why.
TEST(MotorDataEditor, TypedReadingsAreDrawnAndEmptyOnesRefused) {
    const MeasurementData linear = LinearMotor();
    Editor loaded(linear);
    ASSERT_TRUE(loaded.editor.calibrate());
    struct Case {
        const char* what;
        int points;           // rows typed from the measurement
        const char *sx, *sy1; // speed and torque scales typed
        bool drawn;
    };
    const Case cases[] = {{"typed, never saved", 11, "10", "0.5", true},
                          {"no readings", 0, "10", "0.5", false},
                          {"no speed scale", 11, "0", "0.5", false},
                          {"no torque scale", 11, "10", "0", false}};
    for (const Case& c : cases) {
        RecordingMessageSink sink;
        MotorDataEditor typed(sink);
        for (F f : {F::GradtalB, F::GradtalfB})
            typed.fields().type(f, "1");
        typed.fields().type(F::SxB, c.sx);
        typed.fields().type(F::Sy1B, c.sy1);
        typed.fields().type(F::Sy2B, "0.1");
        typed.texts().designation = linear.designation;
        for (int i = 1; i <= c.points; ++i) {
            const auto k = static_cast<std::size_t>(i - 1);
            typed.typeReading(ReadingColumn::Speed, i, BoxText(linear.speed[k]));
            typed.typeReading(ReadingColumn::Torque, i, BoxText(linear.torque[k]));
            typed.typeReading(ReadingColumn::Air, i, BoxText(linear.air[k]));
        }
        EXPECT_EQ(typed.calibrate(), c.drawn) << c.what;
        EXPECT_EQ(sink.messages.size(), c.drawn ? 0u : 1u) << c.what;
        if (c.drawn) {
            EXPECT_EQ(typed.pointCount(), 11) << c.what;
            EXPECT_FLOAT_EQ(typed.figures()->maxPower, loaded.editor.figures()->maxPower) << c.what;
        } else {
            EXPECT_FALSE(typed.figures().has_value()) << c.what;
        }
    }
}

TEST(MotorDataEditor, DrawingStopsOnBadGearData) {
    MeasurementData d = LinearMotor();
    d.designation = "TKM20-A5-UAA 299";
    d.targets.maxPower = 0.6f;
    d.kn = 1.3f;
    Editor unknown(d);
    EXPECT_FALSE(unknown.editor.calibrate());
    ASSERT_EQ(unknown.messages.messages.size(), 1u);
    EXPECT_EQ(unknown.messages.messages[0].text, kUnknownGearCodeText);
    EXPECT_FLOAT_EQ(unknown.value(F::KnB), 1.3f); // nothing changed
}

TEST(MotorDataEditor, SaveLoadRoundTripAndLeaveRule) {
    RecordingMessageSink sink;
    MotorDataEditor source(sink);
    for (int i = 1; i <= 5; ++i) {
        source.typeReading(ReadingColumn::Speed, i, std::to_string(i * 10));
        source.typeReading(ReadingColumn::Torque, i, std::to_string(50 - i * 10));
        source.typeReading(ReadingColumn::Air, i, "1.5");
    }
    source.typeReading(ReadingColumn::Speed, 7, "70"); // beyond the first empty box
    source.typeReading(ReadingColumn::Air, kMaxMeasuredPoints, "9");
    EXPECT_EQ(source.reading(ReadingColumn::Air, kMaxMeasuredPoints), "9") << "the last point box takes text";
    source.fields().type(F::SxB, "2.5");
    source.fields().type(F::Min_StartMomentB, "2.5");
    source.fields().type(F::txtMeasured_3, "480");
    source.texts().designation = "TKM20-A5";
    const MeasurementData saved = source.measurementToSave("2026-12-07");
    EXPECT_EQ(saved.targets.speedAtMaxPower, 480.0f);

    const auto parsed = ParseMeasurementFile(FormatMeasurementFile(saved));
    MotorDataEditor target(sink);
    target.fields().type(F::UtvB, "4");
    target.fields().type(F::VerkningsgradB, "90");
    target.typeReading(ReadingColumn::Speed, 0, "1"); // no such point: ignored, nothing changed
    EXPECT_FALSE(target.readingsChanged());
    target.typeReading(ReadingColumn::Speed, 9, "99");
    target.load(std::get<MeasurementData>(parsed), "X.DAT");
    EXPECT_FALSE(target.readingsChanged()); // loading replaces the typed box 9 without asking
    EXPECT_EQ(target.reading(ReadingColumn::Torque, 2), "30");
    EXPECT_EQ(target.reading(ReadingColumn::Speed, 9), ""); // all point boxes emptied first
    const auto text = [&](F f) { return target.fields().box(f).text; };
    EXPECT_EQ((std::array{text(F::UtvB), text(F::VerkningsgradB), text(F::txtMeasured_3)}),
              (std::array<std::string, 3>{"1", "100", "480"}));
    EXPECT_EQ(target.texts().designation, "TKM20-A5");

    target.fields().type(F::UtvB, "4");
    target.fields().type(F::VerkningsgradB, "90");
    target.leaveGearRatio();
    EXPECT_EQ(text(F::Min_StartMomentB), "9"); // 4 * 2.5 * 90 %
}

TEST(MotorDataEditor, InterpolatesMissingAirReadings) {
    RecordingMessageSink sink;
    MotorDataEditor e(sink);
    const char* speed[] = {"10", "20", "30", "40", "50"};
    const char* air[] = {"5", "0", "", "11", ""};
    for (int i = 0; i < 5; ++i) {
        e.typeReading(ReadingColumn::Speed, i + 1, speed[i]);
        e.typeReading(ReadingColumn::Air, i + 1, air[i]);
    }
    e.interpolateAir();
    EXPECT_EQ(e.reading(ReadingColumn::Air, 2), "7");
    EXPECT_EQ(e.reading(ReadingColumn::Air, 3), "9");
    EXPECT_EQ(e.reading(ReadingColumn::Air, 5), ""); // the last point is never interpolated

    e.typeReading(ReadingColumn::Air, 1, "0"); // no measured point below point 2 any more
    e.typeReading(ReadingColumn::Air, 2, "");
    e.interpolateAir();
    EXPECT_EQ(e.reading(ReadingColumn::Air, 2), "");
}

TEST(MotorDataEditor, CompanionNameAndScaling) {
    EXPECT_EQ(CompanionFileName("/m/TKS05.DAT"), "/m/TKS05-U.DAT");
    EXPECT_TRUE(IsScaledCompanion("/m/TKS05.DAT"));
    EXPECT_FALSE(IsScaledCompanion("/m/TKS05-B.DAT"));

    for (const char* name : {"/m/TKS05.DAT", "/m/TKS07.DAT"}) {
        RecordingMessageSink sink;
        MotorDataEditor e(sink);
        e.load(LinearMotor(), name);
        MeasurementData companion = LinearMotor();
        companion.utvRef = 2.0f;
        e.loadCompanion(companion);
        const bool scaled = IsScaledCompanion(name);
        EXPECT_EQ(sink.messages.size(), scaled ? 1u : 0u) << name;
        // Reference ratio 2 halves the companion torque of 18 Nm; the special scales it once more.
        EXPECT_FLOAT_EQ(e.companionConverted().torque[1], 9.0f * (scaled ? kScaledCompanionTorque : 1.0f))
            << name;
    }
}

// The motor-list rows are typed text: whole decimal numbers only, the sign as the number reader
// takes it; the catalogue range comes from float boxes cut to whole numbers.
TEST(MotorDataEditor, RangesOfTheMotorListAndThePrinterDiagram) {
    const auto span = [](const std::optional<IndexRange>& r) {
        return r ? std::optional(std::pair(r->first, r->last)) : std::nullopt;
    };
    EXPECT_EQ(span(MotorListRows("+2", "5")), std::pair(2, 5));
    EXPECT_EQ(span(MotorListRows("3", "3")), std::pair(3, 3));
    for (const auto& [first, last] : {std::pair{"0", "3"},
                                      {"4", "3"},
                                      {"2.0", "3"},
                                      {"", "3"},
                                      {"2", "3x"},
                                      {"++2", "3"},
                                      {"2", "99999999999"},
                                      {"-1", "3"}})
        EXPECT_FALSE(MotorListRows(first, last)) << first << " " << last;

    EXPECT_EQ(span(CatalogueIndexRange(1.9f, 10.5f, 10)), std::pair(1, 10));
    EXPECT_EQ(span(CatalogueIndexRange(4.0f, 4.5f, 10)), std::pair(4, 4)); // one motor: first and last alike
    EXPECT_FALSE(CatalogueIndexRange(0.5f, 3.0f, 10));
    EXPECT_FALSE(CatalogueIndexRange(3.0f, 11.0f, 10));
    EXPECT_FALSE(CatalogueIndexRange(1.0f, 3e9f, 10));
    EXPECT_EQ(CatalogueIndexRangeRefusal(3.0f, 11.0f, 10),
              "Katalogindex från 3 till 11 finns inte: katalogen har index 1 till 10.");
}

TEST(MotorRecord, StoredCoefficientsFollowTheDegree) {
    struct Case {
        const char* degree;
        bool refused;
        bool c3Stored, c4Stored;
    };
    const Case cases[] = {{"2", false, false, false},
                          {"3", false, true, false},
                          {"4", false, true, true},
                          {"5", true, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degree);
        Editor e(LinearMotor(), c.degree);
        ASSERT_TRUE(e.editor.calibrate());
        const auto built = BuildMotorRecord(e.editor, SaveMode::Add);
        ASSERT_EQ(std::holds_alternative<std::string>(built), c.refused);
        if (c.refused)
            continue;
        const MotorRecord& r = std::get<MotorRecord>(built);
        const auto& fits = e.editor.fits().torque;
        EXPECT_EQ(std::get<double>(*r.find("sngC3_M")), c.c3Stored ? static_cast<double>(fits[3]) : 0.0);
        EXPECT_EQ(std::get<double>(*r.find("sngC4_M")), c.c4Stored ? static_cast<double>(fits[4]) : 0.0);
        std::vector<std::string> curveFields; // what the same-motor check must compare
        for (const auto& field : r.fields)
            if (field.first.starts_with("intGradtal_") || field.first.starts_with("sngC"))
                curveFields.push_back(field.first);
        EXPECT_EQ(curveFields, CurveFieldNames());
    }
    Editor tooFew(LinearMotor(4), "3"); // a cubic needs five points
    ASSERT_TRUE(tooFew.editor.drawingPass());
    EXPECT_TRUE(std::holds_alternative<std::string>(BuildMotorRecord(tooFew.editor, SaveMode::Add)));

    MeasurementData worm = LinearMotor();
    worm.designation = "TKS03-ST-BS 40-120";
    Editor noDrawing(worm);
    EXPECT_FALSE(noDrawing.editor.calibrate()) << "a worm without d1, m, z1";
    EXPECT_TRUE(std::holds_alternative<std::string>(BuildMotorRecord(noDrawing.editor, SaveMode::Add)));
}

TEST(MotorRecord, ReplaceFindsTheExactDesignationAndUpdatesTheCatalogue) {
    MotorCatalogue catalogue;
    catalogue.intAntalMotorer = 3;
    catalogue.strBenamning[1] = "tkm20-a5";
    catalogue.strBenamning[2] = "TKM20-A5";
    catalogue.strBenamning[3] = "TKM20-A5";
    EXPECT_EQ(FindDesignation(catalogue, "TKM20-A5"), 2);
    EXPECT_EQ(FindDesignation(catalogue, "Tkm20-A5"), 0);

    Editor e(LinearMotor());
    ASSERT_TRUE(e.editor.drawingPass());
    const auto record = std::get<MotorRecord>(BuildMotorRecord(e.editor, SaveMode::Replace));
    EXPECT_FALSE(record.find("strBenamning")); // a replace keeps name, prices and part numbers
    ApplyToCatalogue(record, catalogue, 2);
    EXPECT_EQ((std::array{catalogue.sngMaxEffekt[2], catalogue.cM(1, 2), catalogue.sngStallmoment[2],
                          catalogue.intGradtal_M[2], catalogue.sngMaxEffekt[3]}),
              (std::array{e.editor.figures()->maxPower, e.editor.fits().torque[1], e.editor.fits().torque[0],
                          1.0f, 0.0f}));
}

// All-zero readings fit curves without free speed or power, and a text the catalogue field cannot
// hold (too long, not UTF-8) would be stored mangled: each is refused with its reason.
TEST(MotorRecord, RefusesDegenerateCurvesAndTextsTheCatalogueCannotHold) {
    std::string longest;
    for (std::size_t k = 0; k < kMaxCatalogueText; ++k)
        longest += "\xC3\x85"; // Å: 255 characters in 510 bytes fit
    struct Case {
        MeasurementData data;
        std::string designation, partNumber;
        SaveMode mode;
        const char* refusal; // nullptr: stored
    };
    MeasurementData zero = LinearMotor();
    std::fill(zero.torque.begin(), zero.torque.end(), 0.0f);
    std::fill(zero.air.begin(), zero.air.end(), 0.0f);
    const std::vector<Case> cases = {
        {zero, "TKM20-A5", "", SaveMode::Add, "Kurvorna ger inget tomgångsvarvtal"},
        {LinearMotor(), longest, std::string(kMaxCatalogueText, '1'), SaveMode::Add, nullptr},
        {LinearMotor(), longest + "A", "", SaveMode::Add, "strBenamning är längre än de 255 tecken"},
        {LinearMotor(), longest + "A", "", SaveMode::Replace, "strBenamning är längre än de 255 tecken"},
        {LinearMotor(), "TKM", std::string(kMaxCatalogueText + 1, '1'), SaveMode::Add,
         "strDetaljnr1 är längre"},
        {LinearMotor(), "TKM", std::string(kMaxCatalogueText + 1, '1'), SaveMode::Replace, nullptr},
        {LinearMotor(), "TKM\xE5\xE4\xF6", "", SaveMode::Add, "strBenamning är inte UTF-8-text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.designation.substr(0, 8) + (c.refusal ? c.refusal : ""));
        Editor e(c.data);
        e.editor.texts().designation = c.designation;
        e.editor.texts().partNumbers[0] = c.partNumber;
        ASSERT_TRUE(e.editor.drawingPass());
        const auto built = BuildMotorRecord(e.editor, c.mode);
        if (c.refusal == nullptr) {
            EXPECT_TRUE(std::holds_alternative<MotorRecord>(built));
        } else {
            ASSERT_TRUE(std::holds_alternative<std::string>(built));
            EXPECT_NE(std::get<std::string>(built).find(c.refusal), std::string::npos)
                << std::get<std::string>(built);
        }
    }
}

} // namespace motor_data_editor_test
} // namespace
