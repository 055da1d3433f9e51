#include "core/printing/DataSheet.h"
#include "core/printing/CatalogueTable.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

using namespace airmotor::core;
using namespace airmotor::core::testing;

namespace {
namespace data_sheet_test {

struct ListedMotor : SessionHarness {
    explicit ListedMotor(const TestMotor& m, int column = 0, std::string mounting = "T221") {
        AddMotor(catalogue, m);
        LanguageState shown = KeyedLanguage();
        shown.strText.set(221, mounting);
        Start(shown);
        session->ClickCell(1, column);
    }
    PrintoutPlan plan(int mode = 0) {
        session->ClickOutputOption(mode);
        return PlanPrintout(*session, language, "2026-12-07");
    }
};

const KeyFigureRow& FreeSpeedRow(const DataSheet& s) {
    return s.keyFigures.at(6);
}

TEST(DataSheet, FreeSpeedRowNamesTheMaximumAllowedSpeedWhereTheMotorHasOne) {
    struct Case {
        std::int16_t maxSpeed;
        std::string label;
        int colour;
        std::string value;
    };
    for (const Case& c :
         {Case{0, "T26", 0, "10000"}, Case{8000, "T153", 12, "8000"}, Case{1, "T153", 12, "1"}}) {
        TestMotor m = Tkm("TKM22-A100-");
        m.maxSpeed = c.maxSpeed;
        ListedMotor listed(m);
        const DataSheet& s = listed.plan().sheet;
        EXPECT_EQ(FreeSpeedRow(s).label, c.label);
        EXPECT_EQ(FreeSpeedRow(s).colour, c.colour);
        EXPECT_EQ(FreeSpeedRow(s).values[kAtSupply], c.value);
        // A listing has no working point: only the supply-pressure column.
        EXPECT_EQ(s.columns, (std::array<bool, 3>{true, false, false}));
        EXPECT_EQ(FreeSpeedRow(s).values[kThrottled], "");
    }
}

TEST(DataSheet, OrderingNumbersFollowTheClickedColumnAndCarryVersionCaptions) {
    struct Case {
        std::string nr1, nr2;
        int column;
        std::vector<std::pair<std::string, std::string>> lines; // caption, number
    };
    const std::string n1 = "11 8110 2345 19", n2 = "12 8110 2382 22"; // version codes 11 and 12
    const std::vector<Case> cases{
        {"8112 0000 01", "", 0, {{"T32", "8112 0000 01"}}},
        {"8112 0000 01", "8112 0000 02", 0, {{"T32", "8112 0000 01"}, {"T33", "8112 0000 02"}}},
        {n1, n2, 0, {{"T32 T34", n1}, {"T32 T35", n2}}},
        {n1, n2, 1, {{"T32 T35", n2}, {"T32 T34", n1}}},
    };
    for (const Case& c : cases) {
        TestMotor m = Tkm("TKM14-A2000-");
        m.nr1 = c.nr1;
        m.nr2 = c.nr2;
        ListedMotor listed(m, c.column);
        const DataSheet& s = listed.plan().sheet;
        ASSERT_EQ(s.motor.size(), c.lines.size() + 1) << c.nr1 << " / " << c.nr2;
        EXPECT_EQ(s.motor[0].value, "TKM14-A2000-");
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(s.motor[i + 1].label, c.lines[i].first);
            EXPECT_EQ(s.motor[i + 1].value, c.lines[i].second);
        }
    }
}

TEST(DataSheet, ExplosionLinesAndMountingText) {
    struct Case {
        std::string designation;
        std::string mounting;
        std::vector<std::string> lines;
        bool picture;
    };
    const std::vector<Case> cases{
        {"TKM22-A100-", "T221", {"T152: Ex II 2GD c T4 IIC T110 °C"}, true},
        {"TKS05-100-5-BG",
         "Mount as shown . Order with position",
         {"Mount as shown", "Order with position"},
         false},
        {"TKS05-100-5-BG", "Mounting position:", {"Mounting position:"}, false},
        {"XYZ01-100", "T221", {}, false}, // no family: no marking, no sign
    };
    for (const Case& c : cases) {
        ListedMotor listed(Tkm(c.designation), 0, c.mounting);
        const DataSheet& s = listed.plan().sheet;
        EXPECT_EQ(s.exLines, c.lines) << c.designation;
        EXPECT_EQ(s.exPicture, c.picture) << c.designation;
    }
}

TEST(DataSheet, PlanOrientationAndDrawingLinkMessagePerMode) {
    struct Case {
        std::string mattskiss;
        int mode;
        bool landscape;
        bool message;
    };
    for (const Case& c : {Case{"TKM22A", 2, true, false}, Case{"http://example.com/a.pdf", 0, false, true},
                          Case{"http://example.com/a.pdf", 1, true, false}}) {
        TestMotor m = Tkm("TKM22-A100-");
        m.mattskiss = c.mattskiss;
        ListedMotor listed(m);
        const PrintoutPlan plan = listed.plan(c.mode);
        ASSERT_TRUE(plan.valid);
        EXPECT_EQ(plan.landscape, c.landscape) << c.mode;
        EXPECT_EQ(plan.linkMessage.has_value(), c.message) << c.mattskiss << " mode " << c.mode;
        EXPECT_EQ(plan.sheet.dateLine, "T27 2026-12-07");
    }
    SessionHarness none; // no motor to print
    none.Start();
    EXPECT_FALSE(PlanPrintout(*none.session, none.language, "2026-12-07").valid);
}

TEST(CatalogueTable, ThirtyThreeRowsAPage) {
    struct Case {
        int motors;
        int pages;
        CatalogueTableRange lastPage;
    };
    for (const Case& c : {Case{0, 0, {}}, Case{1, 1, {1, 1}}, Case{33, 1, {1, 33}}, Case{34, 2, {34, 34}},
                          Case{409, 13, {397, 409}}}) {
        MotorCatalogue catalogue;
        catalogue.intAntalMotorer = static_cast<std::int16_t>(c.motors);
        EXPECT_EQ(CatalogueTablePages(catalogue), c.pages) << c.motors;
        if (c.pages > 0) {
            const CatalogueTableRange r = CatalogueTablePageRange(catalogue, c.pages);
            EXPECT_EQ(std::pair(r.first, r.last), std::pair(c.lastPage.first, c.lastPage.last)) << c.motors;
        }
    }
}

} // namespace data_sheet_test
} // namespace
