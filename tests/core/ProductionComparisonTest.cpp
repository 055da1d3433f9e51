#include "core/production/ProductionComparison.h"
#include "LayoutChecks.h"
#include "SelectionTestCatalogue.h"
#include "core/diagram/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace airmotor::core;
using namespace airmotor::core::testing;

namespace {
namespace production_comparison_test {

// Catalogue motor: free speed 10000 r/min, 50 Nm at 5000 r/min, 15 l/s there, 25 l/s at free speed.
struct Fixture {
    Fixture() {
        TestMotor m = Tkm("TKM22-A100-");
        m.nr1 = "8112 0000 01";
        m.nr2 = "";
        k = AddMotor(catalogue, m);
        catalogue.sngLuftMaxeff[static_cast<std::size_t>(k)] = 15.0f;
        catalogue.strDetaljnr3[static_cast<std::size_t>(k)] = "  ";
    }
    ProvresRow Record(std::string serial, double speed = 5000, double torque = 50, double air = 15) const {
        return {std::string("8112000001"), serial, std::int64_t{-1}, speed, air, torque, {}, {}};
    }
    ProductionLookupResult Look(const std::vector<ProvresRow>& provres,
                                const std::vector<Sheet1Row>& sheet1) const {
        return LookUpProduction(catalogue, k, ProductionIndex({provres, sheet1}));
    }
    MotorDiagramInput Diagram() const {
        MotorDiagramInput in;
        in.catalogue = &catalogue;
        in.index = k;
        in.strCurrentBenamning = catalogue.strBenamning[static_cast<std::size_t>(k)];
        return in;
    }
    MotorCatalogue catalogue;
    int k = 0;
};

Sheet1Row Free(ProductionValue serial, double speed = 10000, double air = 25) {
    return {serial, speed, air};
}

class FakeSheet final : public SheetWriter {
public:
    void setNumber(int row, int column, double value) override { numbers[{row, column}] = value; }
    void setText(int row, int column, std::string_view text) override { texts[{row, column}] = text; }
    std::optional<std::string> save() override { return std::nullopt; }
    std::map<std::pair<int, int>, double> numbers;
    std::map<std::pair<int, int>, std::string> texts;
};

TEST(ProductionLookup, BandsHaveStrictBoundsComparedInDouble) {
    Fixture f;
    // Catalogue: speed 5000, torque 50, air 15, free speed 10000, free air 25.
    struct Case {
        double speed, torque, air, freeSpeed, freeAir;
        const char* reason;
    };
    const Case cases[] = {
        {5000, 50, 15, 10000, 25, "used"},
        {1.8 * 5000.0, 50, 15, 10000, 25, "outside band: VarvtalEffekt"},
        {8999.999, 50, 15, 10000, 25, "used"},
        {5000, 0.3 * 50.0, 15, 10000, 25, "outside band: Moment"},
        {5000, 89.99, 15, 10000, 25, "used"},
        {5000, 50, 1.5 * 15.0, 10000, 25, "outside band: LuftförbrukningEffekt"},
        {5000, 50, 15, 0.5 * 10000.0, 25, "outside band: Speed RPM"},
        {5000, 50, 15, 10000, 1.5 * 25.0, "outside band: Air cons"},
        {0, 50, 15, 10000, 25, "zero value"},
        {5000, -1, 15, 10000, 25, "zero value"},
        {5000, 50, 15, 0, 25, "zero value"},
        {5000, 50, 0, 10000, 25, "zero value"},
        {5000, 50, 15, 10000, 0, "zero value"},
    };
    for (const Case& c : cases) {
        const auto r =
            f.Look({f.Record("S1", c.speed, c.torque, c.air)}, {Free("S1", c.freeSpeed, c.freeAir)});
        ASSERT_EQ(r.records.size(), 1u);
        EXPECT_EQ(r.records[0].reason(), c.reason) << c.speed << " " << c.torque << " " << c.air;
        EXPECT_EQ(r.count, std::string(c.reason) == "used" ? 1 : 0);
    }
}

TEST(ProductionLookup, PartNumberRule) {
    struct Case {
        ProductionValue stored;
        const char* part;
        bool match;
    };
    const Case cases[] = {
        {std::string("8112 0000 01"), "811200 0001", true}, // blanks removed on both sides
        {std::int64_t{8112000001}, "8112 0000 01", true},   // a numeric field
        {std::string("08112000001"), "8112000001", true},   // both read as the same number
        {std::string("8112000002"), "8112000001", false},
        {std::string("AB-12"), "ab-12", false},
        {std::string(""), "", false}, // empty part numbers match nothing
        {std::nullopt, "8112000001", false},
        {std::string("81'12"), "81'12", true}, // a quote is plain text, never query text
    };
    for (const Case& c : cases)
        EXPECT_EQ(PartNumberMatches(c.stored, c.part), c.match) << c.part;
}

// Approval as the production database stores it: a boolean, a whole number or a float field.
TEST(ProductionLookup, ApprovalInEveryStoredType) {
    const std::pair<ProductionValue, bool> cases[] = {
        {std::int64_t{-1}, true}, {std::int64_t{0}, false},    {1.0, true},           {0.0, false},
        {std::nan(""), false},    {std::string("yes"), false}, {std::nullopt, false},
    };
    for (const auto& [value, approved] : cases)
        EXPECT_EQ(IsApproved(value), approved) << (value ? ProductionText(value) : "null");
}

TEST(ProductionLookup, RecordsOfAllPartNumbersWithTheirReasons) {
    Fixture f;
    f.catalogue.strDetaljnr2[static_cast<std::size_t>(f.k)] = "8112 0000 02";
    ProvresRow other = f.Record("S9");
    other.Produktnummer = std::string("9999");
    ProvresRow second = f.Record(" 42 ");
    second.Produktnummer = std::int64_t{8112000002};
    ProvresRow refused = f.Record("S2");
    refused.Godkand = std::int64_t{0};
    ProvresRow numericSerial = f.Record("");
    numericSerial.SerNbr = 77.0;
    const auto r = f.Look(
        {other, second, refused, f.Record("S3"), numericSerial},
        {Free("42"), Free("42", 1, 1), Free(std::string("S2")), Free(std::int64_t{77}), Free("S3", 0)});
    ASSERT_EQ(r.records.size(), 4u);                     // the other motor's record is not listed
    EXPECT_EQ(r.records[0].reason(), "used");            // trimmed serial, first Sheet1 row
    EXPECT_EQ(r.records[0].Produktnummer, "8112000002"); // a number as its plain decimal text
    EXPECT_EQ(r.records[1].reason(), "not approved");
    EXPECT_EQ(r.records[2].reason(), "zero value");
    EXPECT_EQ(r.records[3].SerNbr, "77");
    EXPECT_EQ(r.records[3].reason(), "used");
    EXPECT_EQ(r.count, 2);

    const auto none = f.Look({f.Record("S5")}, {});
    EXPECT_EQ(none.records[0].reason(), "no Sheet1 row");
    EXPECT_FALSE(CompareWithProduction(f.Diagram(), none).shown());
}

TEST(ProductionComparison, TableValuesAndMasks) {
    Fixture f;
    // Two records whose means give Kn = 1.1, Km = 0.9, Kl = 1.2.
    const auto r = f.Look({f.Record("A", 5400, 44, 17), f.Record("B", 5600, 46, 19)},
                          {Free("A", 10500, 26), Free("B", 10700, 27)});
    ASSERT_EQ(r.count, 2);
    const ProductionComparison t = CompareWithProduction(f.Diagram(), r);
    ASSERT_TRUE(t.shown());
    MotorDiagramInput noMotor = f.Diagram();
    noMotor.index = 0;
    EXPECT_FALSE(CompareWithProduction(noMotor, r).shown()) << "no motor, nothing to compare with";
    ASSERT_EQ(t.rows.size(), 8u);
    const auto texts = [&](std::size_t i) {
        return std::vector<std::string>{t.rows[i].label, t.rows[i].oldText, t.rows[i].newText,
                                        t.rows[i].diffText};
    };
    EXPECT_EQ(texts(0), (std::vector<std::string>{"Antal mätta motorer", "2", "", ""}));
    // New curves: 0.9 * M(n / 1.1): the maximum power 0.99 x the catalogue's at 5500 r/min and 45 Nm.
    EXPECT_EQ(texts(2), (std::vector<std::string>{"Maxeffekt", "26.180", "25.918", "-1"}));
    EXPECT_NEAR(*t.rows[4].newValue, 5500.0, 6.0);
    EXPECT_EQ(t.rows[4].diffText, "10");
    EXPECT_EQ(texts(5), (std::vector<std::string>{"Luftf. Maxeffekt", "15.00", "18.00", "20"}));
    // New free speed is the production mean; Diff follows the drawn curve's free speed (11000).
    EXPECT_EQ(texts(6), (std::vector<std::string>{"Tomgångsvarvtal", "10000.0", "10600.0", "10"}));
    EXPECT_EQ(texts(7), (std::vector<std::string>{"Luftf. Tomgång", "25.00", "26.50", "6.00"}));

    FakeSheet sheet;
    WriteComparisonRow(sheet, 3, "TKM22-A100-", t);
    EXPECT_EQ(sheet.texts.at({3, 2}), "TKM22-A100-");
    EXPECT_DOUBLE_EQ(sheet.numbers.at({3, 3}), 1.0); // the gear ratio, then the count of motors
    EXPECT_DOUBLE_EQ(sheet.numbers.at({3, 4}), 2.0);
    EXPECT_DOUBLE_EQ(sheet.numbers.at({3, 5}), static_cast<double>(26.18f));
    EXPECT_DOUBLE_EQ(sheet.numbers.at({3, 20}), 25.0); // T: air at free speed, Old
    EXPECT_NEAR(sheet.numbers.at({3, 22}), 6.0, 1e-9); // V: its Diff %
    EXPECT_EQ(sheet.numbers.count({3, 23}), 0u);

    FakeSheet untouched;
    WriteComparisonRow(untouched, 4, "TKM22-A100-", CompareWithProduction(f.Diagram(), {}));
    EXPECT_TRUE(untouched.numbers.empty() && untouched.texts.empty());

    // The bands never check the catalogue's power: without it there is no difference to show.
    f.catalogue.sngMaxEffekt[static_cast<std::size_t>(f.k)] = 0.0f;
    const ProductionComparison noPower = CompareWithProduction(f.Diagram(), r);
    EXPECT_FALSE(noPower.rows[2].diffValue.has_value());
    EXPECT_EQ(noPower.rows[2].diffText, "");
}

TEST(ProductionComparison, TableAndProductionCurvesOnTheDiagramOnlyWithUsedRecords) {
    Fixture f;
    MotorDiagramInput in = f.Diagram();
    in.productionData = true;
    // An axis title too long to start at its axis ends at the edge of the grown window.
    TextTable texts;
    texts.set(99, "Air consumption at the working point [l/s]");
    in.texts = &texts;
    const auto lookup = f.Look({f.Record("A")}, {Free("A")});
    in.production = std::make_shared<ProductionComparison>(CompareWithProduction(in, lookup));
    const MotorPlot plot = ComputeMotorPlot(in);
    EXPECT_EQ(plot.curves.size(), 6u); // catalogue and production curves
    // The window grows to take the table under the diagram.
    RecordingCanvas canvas = Window();
    DrawMotorPlot(canvas, plot, in);
    EXPECT_TRUE(canvas.findText("Antal mätta motorer") && canvas.findText("Diff %") &&
                canvas.findText("26.180"));
    ExpectApart(canvas, "with the table");

    in.production = std::make_shared<ProductionComparison>(CompareWithProduction(in, f.Look({}, {})));
    RecordingCanvas empty;
    DrawMotorDiagram(empty, in);
    EXPECT_EQ(ComputeMotorPlot(in).curves.size(), 3u);
    EXPECT_EQ(empty.findText("Antal mätta motorer"), nullptr);
}

// A torque line that is exactly zero on a drawn sample: that sample is the drawn free speed, not the
// catalogue free speed moved by the speed factor (which would give +10 %).
TEST(ProductionComparison, FreeSpeedOnASampleOfExactlyZeroTorque) {
    Fixture f;
    const float x = ComputeMotorPlot(f.Diagram()).curves.at(0).speed.at(500); // factors 1: catalogue speed
    f.catalogue.cM(0, f.k) = x;
    f.catalogue.cM(1, f.k) = -1.0f;
    const auto r = f.Look({f.Record("A", 5400, 44, 17), f.Record("B", 5600, 46, 19)},
                          {Free("A", 10500, 26), Free("B", 10700, 27)});
    const long percent = std::lround((1.1 * static_cast<double>(x) / 10000.0 - 1.0) * 100.0);
    EXPECT_EQ(CompareWithProduction(f.Diagram(), r).rows.at(6).diffText, std::to_string(percent));
}

} // namespace production_comparison_test
} // namespace
