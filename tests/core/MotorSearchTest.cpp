#include "core/selection/MotorSearch.h"
#include "core/model/PressureFactors.h"
#include "core/selection/CatalogueListing.h"
#include "core/selection/GridRowText.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

namespace airmotor::core {
namespace {
namespace motor_search_test {

using testing::AddMotor;
using testing::KeyedLanguage;
using testing::Tkm;
using testing::Tks;

struct Found {
    int searchCase = 0;
    SearchOutcome outcome;
    std::vector<int> Listed() const { return testing::Indexes(outcome.rows); }
};

RequirementValues Duty(float torque, float speed, float pressure = 6.3f) {
    RequirementValues v;
    v.sngArbetsMoment = torque;
    v.sngArbetsVarvtal = speed;
    v.sngTillgLuftTryck = pressure;
    return v;
}

// The duty with the bounds that choose a search case: start torque, stall torque from and to, free
// speed from and to.
RequirementValues Bounded(RequirementValues v, float start, float stallMin, float stallMax, float freeMin,
                          float freeMax) {
    std::tie(v.sngMinStartmoment, v.sngStallmomentMin, v.sngStallmomentMax, v.sngTomgVarvMin,
             v.sngTomgVarvMax) = std::tuple{start, stallMin, stallMax, freeMin, freeMax};
    return v;
}

Found Search(const MotorCatalogue& c, const RequirementValues& v,
             const OptionStates& options = OptionStates{}) {
    static const LanguageState language = KeyedLanguage();
    Found f;
    // Free running is a working point when the torque is typed as "0".
    const bool freeRunning = v.sngArbetsMoment == 0.0f && v.sngArbetsVarvtal > 0.0f;
    f.searchCase = ChooseSearchCase(v, WorkingPointGiven(v, freeRunning ? "0" : "x", "x"));
    PressureFactorValues factors;
    MotorSearch search(c, v, f.searchCase, MotorFilter::From(options), factors);
    f.outcome = search.Run();
    return f;
}

TEST(SearchCaseChoice, FirstMatchingRowWinsAndNoCaseIsZero) {
    struct Row {
        float start, stallMin, stallMax, freeMin, freeMax;
        bool wp;
        int expected;
    } rows[] = {
        {5, 0, 0, 0, 0, true, 1},     {5, 0, 0, 900, 0, false, 2}, {5, 0, 0, 0, 900, false, 3},
        {0, 5, 0, 0, 0, true, 4},     {0, 5, 0, 900, 0, false, 5}, {0, 5, 0, 0, 900, false, 6},
        {0, 0, 5, 0, 0, true, 7},     {0, 0, 5, 900, 0, false, 8}, {0, 0, 5, 0, 900, false, 9},
        {0, 0, 0, 0, 0, true, 10},    {0, 0, 0, 900, 0, true, 11}, {0, 0, 0, 0, 900, true, 12},
        {5, 5, 5, 900, 900, true, 1}, // more than two values: the first case still decides
        {5, 0, 0, 0, 0, false, 0},    {0, 0, 0, 0, 0, false, 0},   {0, 5, 5, 0, 0, false, 0},
        {0, 0, 0, 900, 0, false, 0},  {0, 0, 0, 0, 900, false, 0}, // a free-speed limit alone
    };
    for (const Row& r : rows) {
        const RequirementValues v = Bounded({}, r.start, r.stallMin, r.stallMax, r.freeMin, r.freeMax);
        EXPECT_EQ(ChooseSearchCase(v, r.wp), r.expected) << r.start << " " << r.stallMin << " " << r.stallMax;
    }
}

TEST(SearchCaseChoice, WorkingPointAtStandstillOrFreeRunningNeedsTheTextZero) {
    EXPECT_TRUE(WorkingPointGiven(Duty(25, 0), "25", "0"));
    EXPECT_FALSE(WorkingPointGiven(Duty(25, 0), "25", "0.0"));
    EXPECT_TRUE(WorkingPointGiven(Duty(0, 3000), "0", "3000"));
    EXPECT_TRUE(WorkingPointGiven(Duty(1, 1), "", ""));
    EXPECT_FALSE(WorkingPointGiven(Duty(-1, 3000), "-1", "3000"));
}

// One straight-line TKM motor: stall 100 Nm, free speed 10000 r/min, start torque 80 Nm,
// estimated stall 100 Nm, at 6.3 bar.

struct CaseRow {
    const char* name;
    float torque, speed, start, stallMin, stallMax, freeMin, freeMax;
    int expectedCase;
    bool listed;
    float pressure; // -1: p = 0, 1: 3 < p <= 6.3, 0: not checked, else exactly this p
    float throttle; // expected r (0 = none); negative: not checked
};

TEST(SearchCases, ListsAsTheCaseTestsSay) {
    const CaseRow rows[] = {
        // Start torque 80 x p/6.3 at the reduced pressure (about 4.3 bar) is below 70: p dropped, r < 0.5.
        {"c1_start_fails_at_p", 50, 2000, 70, 0, 0, 0, 0, 1, false, 0, -1},
        {"c1_listed_at_p", 50, 2000, 50, 0, 0, 0, 0, 1, true, 1, 0},
        {"c2_listed", 0, 0, 70, 0, 0, 9000, 0, 2, true, -1, 0},
        {"c2_free_speed_short", 0, 0, 70, 0, 0, 11000, 0, 2, false, 0, -1},
        {"c2_start_short", 0, 0, 81, 0, 0, 9000, 0, 2, false, 0, -1},
        // Free speed 10000 throttled to 8000: r = 0.8; the start test at the reduced pressure fails.
        {"c3_throttled", 0, 0, 70, 0, 0, 0, 8000, 3, true, -1, 0.8f},
        // A bound equal to the free speed needs neither throttle nor a reduced pressure.
        {"c3_bound_at_free_speed", 0, 0, 70, 0, 0, 0, 10000, 3, true, -1, 0},
        {"c3_bound_at_half", 0, 0, 70, 0, 0, 0, 5000, 3, true, 0, 0.5f},
        {"c3_bound_below_half", 0, 0, 70, 0, 0, 0, 4000, 3, false, 0, -1},
        {"c4_stall_fails_at_p", 50, 2000, 0, 90, 0, 0, 0, 4, false, 0, -1},
        {"c4_listed_at_p", 50, 2000, 0, 60, 0, 0, 0, 4, true, 1, 0},
        {"c5_stall_short", 0, 0, 0, 110, 0, 9000, 0, 5, false, 0, -1},
        {"c5_stall_exactly_the_bound", 0, 0, 0, 100, 0, 9000, 0, 5, true, -1, 0},
        {"c6_throttled", 0, 0, 0, 90, 0, 0, 8000, 6, true, -1, 0.8f},
        {"c7_listed_at_p", 50, 2000, 0, 0, 80, 0, 0, 7, true, 1, 0},
        {"c7_too_strong_at_p", 50, 2000, 0, 0, 60, 0, 0, 7, false, 0, -1},
        // Stall 100 above the bound 80: p = 80/100 x 6.3 = 5.04 bar, free speed there about 9350.
        {"c8_free_speed_short_at_p", 0, 0, 0, 0, 80, 9500, 0, 8, false, 0, -1},
        {"c8_pressure_below_3", 0, 0, 0, 0, 40, 5000, 0, 8, false, 0, -1},
        {"c9_listed", 0, 0, 0, 0, 200, 0, 8000, 9, true, 1, 0.8f},
        {"c9_pressure_below_3", 0, 0, 0, 0, 40, 0, 8000, 9, false, 0, -1},
        // Three bar is the lowest pressure offered, and it is offered: this bound brings the estimated
        // stall of 100 Nm down at exactly 3 bar (47.6190491 / 100 x 6.3 rounds to 3.0f).
        {"c9_exactly_three_bar", 0, 0, 0, 0, 47.6190491f, 0, 8000, 9, true, 3, -1},
        {"c10_pressure", 50, 2000, 0, 0, 0, 0, 0, 10, true, 1, 0},
        {"c10_too_strong_for_motor", 100, 100, 0, 0, 0, 0, 0, 10, false, 0, -1},
        {"c10_free_running_at_free_speed", 0, 10000, 0, 0, 0, 0, 0, 10, true, 0, -1},
        {"c11_listed", 50, 2000, 0, 0, 0, 5000, 0, 11, true, 1, 0},
        {"c11_free_speed_short_at_p", 50, 2000, 0, 0, 0, 9000, 0, 11, false, 0, -1},
        {"c12_throttled", 50, 3000, 0, 0, 0, 0, 7000, 12, true, -1, 0.6f},
        {"c12_throttled_speed_above_bound", 50, 3000, 0, 0, 0, 0, 5000, 12, false, 0, -1},
        {"c12_throttled_to_the_limit", 50, 2500, 0, 0, 0, 0, 7000, 12, true, -1, 0.5f},
    };
    MotorCatalogue c;
    AddMotor(c, Tkm("TKM22-A100-"));
    for (const CaseRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Found f = Search(c, Bounded(Duty(row.torque, row.speed), row.start, row.stallMin, row.stallMax,
                                          row.freeMin, row.freeMax));
        EXPECT_EQ(f.searchCase, row.expectedCase);
        ASSERT_EQ(f.outcome.rows.size(), row.listed ? 1u : 0u);
        if (!row.listed)
            continue;
        const ResultRow& r = f.outcome.rows[0];
        if (row.pressure == 1) {
            EXPECT_GT(r.sngRadTryck, 3.0f);
            EXPECT_LE(r.sngRadTryck, 6.3f);
        } else if (row.pressure != 0) {
            EXPECT_EQ(r.sngRadTryck, std::max(row.pressure, 0.0f));
        }
        if (row.throttle >= 0) {
            EXPECT_NEAR(r.sngRadStrypning, row.throttle, 1e-4);
        }
    }
}

TEST(ThrottleLimit, TksThrottlesDownToAFifthOthersOnlyToAHalf) {
    // Working point on the line at 9000 r/min; 2700 r/min asks for r = 0.3 and no pressure reduces
    // the torque that far (p = 0).
    MotorCatalogue c;
    AddMotor(c, Tks({.designation = "TKS05-100-1", .n0 = 10000}));
    AddMotor(c, Tkm("TKM22-A100-"));
    const Found f = Search(c, Duty(10, 2700));
    ASSERT_EQ(f.Listed(), (std::vector<int>{1}));
    EXPECT_NEAR(f.outcome.rows[0].sngRadStrypning, 0.3f, 1e-4);
    EXPECT_EQ(ThrottleLimit("TKS05"), 0.2);
    EXPECT_EQ(ThrottleLimit("PGW03"), 0.5);
}

// The search of case 10 with one motor prepared.
struct Prepared {
    Prepared(const MotorCatalogue& c, int i, const RequirementValues& v)
        : search(c, v, 10, MotorFilter{}, shared) {
        search.PrepareMotor(i);
    }
    PressureFactorValues shared;
    MotorSearch search;
};

TEST(ThrottleRatio, IsScaledWithTheSpeedFactorAndLimited) {
    MotorCatalogue c;
    const int i = AddMotor(c, Tkm("TKM22-A100-"));
    Prepared at(c, i, Duty(50, 3000, 5.0f));
    PressureFactorValues at5;
    PressureFactors(5.0f, "TKM22-A100-", at5);
    EXPECT_EQ((std::array{at.search.sngKmAv, at.search.sngKnAv}), (std::array{at5.sngKm, at5.sngKn}));
    // The line at 5 bar meets 50 Nm at Kn * n0 * (1 - 50 / (Km * 100)); times Kn again.
    const double onLine =
        static_cast<double>(at5.sngKn) * 10000.0 * (1.0 - 50.0 / (static_cast<double>(at5.sngKm) * 100.0));
    EXPECT_NEAR(at.search.ThrottleRatio(i), 3000.0 / onLine * static_cast<double>(at5.sngKn), 2e-4);
    // r = 0.18 is within 0.1 .. 1.1 but below 0.5; above the line r > 1.
    EXPECT_EQ(Prepared(c, i, Duty(50, 900)).search.ThrottleRatio(i), 0.0f);
    EXPECT_EQ(Prepared(c, i, Duty(50, 5200)).search.ThrottleRatio(i), 0.0f);
}

// The straight line from stall to free speed screens the ratio before the fitted curve decides: a
// curve bulging above the line (M = 100 (1 - (n / 10000)^2), 50 Nm at 7071 r/min against 5000 on the
// line) gives its own ratio only while the line's estimate stays within 0.1 .. 1.1.
TEST(ThrottleRatio, StraightLineEstimateScreensTheFittedRatio) {
    MotorCatalogue c;
    const int i = AddMotor(c, Tkm("TKM22-A100-"));
    c.intGradtal_M[static_cast<std::size_t>(i)] = 2;
    c.cM(1, i) = 0.0f;
    c.cM(2, i) = -100.0f / 1e8f;
    for (const auto& [speed, ratio] : {std::pair{5400.0f, 5400.0 / 7071.07}, {5600.0f, 0.0}}) {
        // The fit of n(M) is approximate.
        EXPECT_NEAR(Prepared(c, i, Duty(50, speed)).search.ThrottleRatio(i), ratio, 0.02) << speed;
    }
}

TEST(ThrottleRatio, DegenerateMotorGivesNoRatioWithoutCrashing) {
    MotorCatalogue c;
    const int i = AddMotor(c, {.designation = "TKM22-A100-", .n0 = 0, .stall = 0});
    c.cM(1, i) = 0;
    Prepared degenerate(c, i, Duty(10, 3000));
    EXPECT_EQ(degenerate.search.ThrottleRatio(i), 0.0f);
    EXPECT_EQ(degenerate.search.ReducedPressure(10, 3000, i), 0.0f);
}

TEST(ReducedPressure, MeetsTheTorqueBetweenTheLowestPressureAndTheAvailable) {
    MotorCatalogue c;
    const int i = AddMotor(c, Tkm("TKM22-A100-"));
    Prepared at(c, i, Duty(50, 2000));
    const float p = at.search.ReducedPressure(50, 2000, i);
    PressureFactorValues f;
    PressureFactors(p, "TKM22-A100-", f);
    EXPECT_NEAR(f.sngKm * (100.0f * (1.0f - 2000.0f / f.sngKn / 10000.0f)), 50.0f, 0.2f);
    // Above the torque at 6.3 bar, below the torque at the lowest pressure, above the available: none.
    EXPECT_EQ(at.search.ReducedPressure(81, 2000, i), 0.0f);
    EXPECT_EQ(at.search.ReducedPressure(5, 2000, i), 0.0f);
    EXPECT_EQ(Prepared(c, i, Duty(50, 2000, 3.5f)).search.ReducedPressure(70, 2000, i), 0.0f);
}

// A stall bound that would need less than 3 bar refuses the motor before any pressure is tried: the
// shared factors keep the reference values the case starts from.
TEST(MotorTests, StallBoundBelowThreeBarTriesNoPressure) {
    MotorCatalogue c;
    AddMotor(c, Tkm("TKM22-A100-"));
    const RequirementValues v = Bounded(Duty(0, 0), 0, 0, 40, 0, 8000); // 40 / 100 x 6.3 = 2.52 bar
    PressureFactorValues shared{0.5f, 0.5f, 0.5f};
    EXPECT_TRUE(MotorSearch(c, v, 9, MotorFilter{}, shared).Run().rows.empty());
    EXPECT_EQ((std::array{shared.sngKm, shared.sngKn}), (std::array{1.0f, 1.0f}));
}

TEST(MotorTests, TorqueEqualToTheEstimatedStallIsNotListed) {
    MotorCatalogue c;
    AddMotor(c, {.designation = "TKM22-A100-", .momentMaxeff = 25}); // estimated stall 50
    EXPECT_TRUE(Search(c, Duty(50, 100)).outcome.rows.empty());
    EXPECT_EQ(Search(c, Duty(49.9f, 100)).outcome.rows.size(), 1u);
}

TEST(MotorTests, MaximumSpeedBoundsTheWorkingSpeedAndAPgwWithoutOneIsNeverListed) {
    MotorCatalogue c;
    AddMotor(c, Tkm("PGW03-100"));
    AddMotor(c, {.designation = "PGW03-100", .maxSpeed = 3000});
    OptionStates all;
    all.chkMotortype = {true, true, true};
    EXPECT_EQ(Search(c, Duty(50, 3000), all).Listed(), (std::vector<int>{2}));
    EXPECT_TRUE(Search(c, Duty(50, 3001), all).outcome.rows.empty());
    // Any motor's maximum diagram speed bounds the working speed.
    MotorCatalogue tks;
    AddMotor(tks, Tks({.designation = "TKS05-100-", .maxSpeed = 1900}));
    EXPECT_TRUE(Search(tks, Duty(50, 1901)).outcome.rows.empty());
}

TEST(MotorTests, SeriesAndOptionFiltersAndObsoleteMotors) {
    MotorCatalogue c;
    AddMotor(c, Tkm("TKM22-A100-"));                                    // 1 clockwise
    AddMotor(c, {.designation = "TKM22-V100-", .rotation = "V"});       // 2
    AddMotor(c, {.designation = "TKM22-S100-", .stainless = true});     // 3
    AddMotor(c, {.designation = "TKM22-O100-", .old = true});           // 4
    AddMotor(c, Tks({.designation = "TKS05-100-F", .lubeFree = true})); // 5
    AddMotor(c, Tks("TKS05-100-L"));                                    // 6
    AddMotor(c, Tkm("PGW03-100"));                                      // 7: PGW not ticked
    EXPECT_EQ(Search(c, Duty(50, 2000)).Listed(), (std::vector<int>{1, 6}));

    OptionStates options;
    options.optRotation = 1;
    options.optLubricatedTKS = 1;
    options.chkMotortype = {true, false, false};
    EXPECT_EQ(Search(c, Duty(50, 2000), options).Listed(), (std::vector<int>{2}));
}

TEST(Listing, FifteenRowsPlusOnePerBrakeMotor) {
    for (const bool brake : {false, true}) {
        MotorCatalogue c;
        if (brake)
            AddMotor(c, Tks("TKS05-R-B-1"));
        for (int k = 0; k < 16; ++k)
            AddMotor(c, Tks(Tkm("TKS05-100-" + std::to_string(k))));
        EXPECT_EQ(Search(c, Duty(50, 2000)).outcome.rows.size(), brake ? 16u : 15u);
    }
}

TEST(Listing, FollowsTheSearchOrderNotTheCatalogueOrder) {
    MotorCatalogue c;
    AddMotor(c, Tkm("TKM22-A100-"));
    AddMotor(c, Tkm("TKM33-A100-"));
    c.intSokindex[1] = 2;
    c.intSokindex[2] = 1;
    EXPECT_EQ(Search(c, Duty(50, 2000)).Listed(), (std::vector<int>{2, 1}));

    // A search index past the motor count names no motor, though a record may still lie there.
    AddMotor(c, Tkm("TKM22-A100-"));
    c.intAntalMotorer = 2;
    c.intSokindex[1] = 3;
    EXPECT_EQ(Search(c, Duty(50, 2000)).Listed(), (std::vector<int>{1}));
}

TEST(Listing, BracketsMarkAStartTorqueBelowTheWorkingTorque) {
    struct Row {
        const char* designation;
        float minStart, torque, speed;
        bool bracketed;
    } rows[] = {
        {"TKM22-A100-", 40, 50, 2000, true}, // below the working torque
        {"TKM22-A100-", 50, 50, 2000,
         true}, // equal, but scaled down with the reduced pressure (about 4.3 bar)
        {"TKS05-A100-", 10, 10, 2700, false}, // throttled only (p = 0): the catalogue start torque counts
        {"TKS05-A100-", 9, 10, 2700, true},
    };
    for (const Row& row : rows) {
        MotorCatalogue c;
        AddMotor(c, {.designation = row.designation,
                     .minStart = row.minStart,
                     .nr1 = "11 0000 01",
                     .nr2 = "12 0000 02"});
        const Found f = Search(c, Duty(row.torque, row.speed));
        const auto grid = ResultGrid(c, f.outcome.rows, f.outcome.startTooLow, KeyedLanguage().strText);
        ASSERT_EQ(grid.size(), 1u) << row.minStart << " " << row.speed;
        const GridRow& g = grid[0];
        const std::string d = row.designation;
        EXPECT_EQ(g.cells[0], row.bracketed ? "( " + d + "11 )" : d + "11");
        EXPECT_EQ(g.cells[1], row.bracketed ? "( " + d + "12 )" : d + "12");
    }

    // Rows past the end of a shorter flag list are never bracketed, whatever its storage still holds.
    MotorCatalogue c;
    AddMotor(c, Tkm("TKM22-A100-"));
    AddMotor(c, Tkm("TKM22-A100-"));
    std::vector<bool> flags{false, true};
    flags.pop_back();
    const auto grid = ResultGrid(c, {ResultRow{1}, ResultRow{2}}, flags, KeyedLanguage().strText);
    ASSERT_EQ(grid.size(), 2u);
    EXPECT_EQ(grid[1].cells[0].rfind("( ", 0), std::string::npos) << grid[1].cells[0];
}

TEST(Listing, UnrestrictedVersionsFollowTheTksChoiceAndShowLabel23) {
    MotorCatalogue c;
    AddMotor(c, Tks("TKS05-100-U"));
    AddMotor(c, Tks("TKS05-100-"));
    for (int choice : {0, 1, 2}) {
        OptionStates options;
        options.optTKSRestricted = choice;
        const Found f = Search(c, Duty(50, 2000), options);
        EXPECT_EQ(f.outcome.rows.size(), choice == 0 ? 1u : 2u) << choice;
        EXPECT_EQ(f.outcome.Label23Visible, choice != 0) << choice;
    }
}

TEST(CatalogueListing, CatalogueOrderObsoleteChoiceAndColour) {
    MotorCatalogue c;
    AddMotor(c, Tkm("TKM22-A100-"));
    AddMotor(c, Tks({.designation = "TKS05-100-", .old = true}));
    c.intSokindex[1] = 2;
    c.intSokindex[2] = 1;
    const TextTable texts = KeyedLanguage().strText;
    const MotorFilter filter = MotorFilter::From(OptionStates{});
    const SearchOutcome all = CatalogueListing(c, filter, 0);
    ASSERT_EQ(all.rows.size(), 2u);
    EXPECT_EQ(all.rows[0].intRadKatalogindex, 1) << "catalogue order, not search order";
    const auto grid = ResultGrid(c, all.rows, all.startTooLow, texts);
    EXPECT_EQ(grid[0].cellColour[0], kCellColourDefault);
    EXPECT_TRUE(grid[1].obsolete);
    EXPECT_EQ(grid[1].cellColour, (std::array<int, 2>{9, 9}));
    EXPECT_EQ((Found{0, CatalogueListing(c, filter, 1)}).Listed(), (std::vector<int>{2}));
    EXPECT_EQ((Found{0, CatalogueListing(c, filter, 2)}).Listed(), (std::vector<int>{1}));
}

} // namespace motor_search_test
} // namespace
} // namespace airmotor::core
