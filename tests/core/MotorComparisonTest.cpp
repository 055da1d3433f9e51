#include "core/analysis/MotorComparison.h"
#include "core/analysis/ComparisonSelection.h"
#include "core/diagram/ComparisonDiagram.h"
#include "core/diagram/MotorComparisonTable.h"
#include "core/diagram/RecordingCanvas.h"
#include "core/session/SelectionSession.h"

#include "LayoutChecks.h"
#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <tuple>

namespace airmotor::core {
namespace {
namespace motor_comparison_test {

using F = RequirementField;
using testing::AddMotor;
using testing::MeasuredCanvas;
using testing::Tkm;

TEST(MotorComparison, BestMarksFollowTheShownValues) {
    const struct {
        const char* name;
        Better better;
        std::vector<std::optional<double>> values;
        std::vector<std::string> texts;
        std::vector<bool> best;
    } cases[] = {
        {"higher", Better::Higher, {1.0, 3.0, 2.0}, {"1.0", "3.0", "2.0"}, {false, true, false}},
        {"lower", Better::Lower, {1.0, 3.0, 2.0}, {"1.0", "3.0", "2.0"}, {true, false, false}},
        {"tie marks both", Better::Higher, {3.0, 1.0, 3.0}, {"3.0", "1.0", "3.0"}, {true, false, true}},
        {"tie as shown", Better::Lower, {1.04, 1.01, 2.0}, {"1.0", "1.0", "2.0"}, {true, true, false}},
        {"all equal marks none", Better::Higher, {2.0, 2.0}, {"2.0", "2.0"}, {false, false}},
        {"missing skipped",
         Better::Higher,
         {std::nullopt, 1.0, 2.0},
         {"–", "1.0", "2.0"},
         {false, false, true}},
        {"one value marks none", Better::Higher, {std::nullopt, 1.0}, {"–", "1.0"}, {false, false}},
        {"neither way", Better::Neither, {1.0, 2.0}, {"1.0", "2.0"}, {false, false}},
    };
    for (const auto& c : cases) {
        ComparedFigure figure{"f", "F", "", c.better, c.values, c.texts, {}};
        MarkBest(figure);
        EXPECT_EQ(figure.best, c.best) << c.name;
    }
}

TEST(MotorComparison, RowChecksRefuseWhatCannotBeCompared) {
    const struct {
        std::vector<int> rows;
        const char* fragment; // "" = accepted
    } cases[] = {
        {{1, 3, 4, 5}, ""},
        {{}, "no row"},
        {{1, 2, 3, 4, 5}, "at most 4"},
        {{1, 3, 1}, "row 1 was chosen twice"},
        {{1, 6}, "row 6 does not exist"},
        {{0}, "row 0 does not exist"},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> problem = CheckComparedRows(c.rows, 5);
        EXPECT_EQ(problem.has_value(), *c.fragment != 0) << c.fragment;
        if (problem) {
            EXPECT_NE(problem->find(c.fragment), std::string::npos) << *problem;
        }
    }
}

// A printer canvas whose text metrics are those of a proportional font in millimetres (the recording
// canvas's fixed cell is in points), so that a layout on paper can be judged without a font system.
constexpr float kMmPerPoint = 0.3528f;
MeasuredCanvas PaperCanvas() {
    return MeasuredCanvas(
        RecordingCanvas(CanvasKind::Printer),
        [](const RecordingCanvas& c, std::string_view t) {
            return 0.55f * c.state.fontSize * kMmPerPoint * static_cast<float>(t.size());
        },
        [](const RecordingCanvas& c, std::string_view) { return 1.15f * c.state.fontSize * kMmPerPoint; });
}

// Four motors leave narrow columns: a long regulation text and a long caption take more lines
// instead of running into their neighbours or shrinking out of sight; rows below move down.
TEST(MotorComparisonTable, LongTextsWrapInsideTheirColumns) {
    MotorComparison c;
    for (int row = 1; row <= 4; ++row)
        c.motors.push_back({row, {}});
    const std::vector<bool> none(4, false);
    const auto figure = [](const char* caption, std::vector<std::string> texts, std::vector<bool> best) {
        return ComparedFigure{"f", caption, "", Better::Neither, {}, std::move(texts), std::move(best)};
    };
    c.figures = {figure("Regelung", std::vector<std::string>(4, "Bei reduziertem Druck"), none),
                 figure("Drehmoment bei Arbeitsdrehzahl eines sehr langen Namens [Nm]",
                        {"10.0", "10.1", "10.0", "10.1"}, {false, true, false, true}),
                 figure("Luft [l/s]", {"84.3", "116.2", "91.6", "162.0"}, none)};
    c.rowHeading = "Zeile";
    c.bestNote = "* bester Wert";
    for (const std::size_t motors : {1u, 4u}) {
        SCOPED_TRACE(motors);
        MotorComparison shown = c;
        shown.motors.resize(motors);
        MeasuredCanvas paper = PaperCanvas();
        DrawMotorComparisonTable(paper, shown);
        float smallest = 1e9f;
        for (std::size_t i = 0; i < paper.spans.size(); ++i) {
            const MeasuredCanvas::Span& a = paper.spans[i];
            smallest = std::min(smallest, a.fontSize);
            EXPECT_GE(a.left, -0.01f) << a.text;
            EXPECT_LE(a.right, kComparisonTableWidth + 0.01f) << a.text;
            for (std::size_t j = i + 1; j < paper.spans.size(); ++j) {
                const MeasuredCanvas::Span& b = paper.spans[j];
                const bool apart =
                    a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
                EXPECT_TRUE(apart) << "'" << a.text << "' overlaps '" << b.text << "'";
            }
        }
        EXPECT_GE(smallest, 6.0f) << "points";
        float lowestRule = kComparisonTableHeight;
        for (const RecordingCanvas::Line& rule : paper.recorded.lines)
            if (rule.x2 - rule.x1 > kComparisonTableWidth / 2.0f) {
                EXPECT_EQ(std::pair(rule.x1, rule.x2), std::pair(0.0f, kComparisonTableWidth)) << "row rules";
                lowestRule = std::min(lowestRule, rule.y1);
            }
        EXPECT_LE(paper.recorded.findText(c.bestNote)->y, lowestRule) << "the note clear of the last rule";
        EXPECT_EQ(paper.recorded.findText("Bei reduziertem Druck  ") != nullptr, motors == 1)
            << "one line where it fits";
    }
    // A sheet's twenty one-line figures keep their single row height and fit the table, note included.
    MotorComparison full = c;
    full.figures.assign(20, c.figures[2]);
    MeasuredCanvas paper = PaperCanvas();
    DrawMotorComparisonTable(paper, full);
    for (const RecordingCanvas::Text& t : paper.recorded.texts)
        EXPECT_GE(t.y, 0.0f) << t.text << " below the table";
}

class ComparisonTest : public ::testing::Test, protected testing::SessionHarness {
protected:
    ComparisonTest() {
        AddMotor(catalogue, Tkm("TKM22-A100-"));
        // The strongest, with no recorded start torque or price.
        AddMotor(catalogue, {.designation = "TKM23-A100-",
                             .momentMaxeff = 60.0f,
                             .minStart = 0.0f,
                             .vikt = 3.0f,
                             .pris = 0.0f});
        // As light as the first, dearer, weaker at start.
        AddMotor(catalogue, {.designation = "TKM24-A100-", .minStart = 6.0f, .pris = 120.0f});
    }
    void Search(std::int16_t imperial = 0) {
        Start(imperial);
        SearchDuty();
        // The search lists in catalogue order: row r is motor r.
        ASSERT_EQ(testing::Indexes(session->results().rows), (std::vector<int>{1, 2, 3}));
    }
    std::vector<bool> Best(const MotorComparison& c, const char* name) const {
        const ComparedFigure* f = c.figure(name);
        return f ? f->best : std::vector<bool>{};
    }
};

TEST_F(ComparisonTest, KeyFiguresMarkTheBestAndLeaveMissingOnesOut) {
    Search();
    const MotorComparison c = CompareRows(*session, {1, 2, 3}, language, {});
    ASSERT_EQ(c.motors.size(), 3u);
    EXPECT_EQ(Best(c, "stallTorque"), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Best(c, "weight"), (std::vector<bool>{true, false, true})) << "a tie marks both";
    EXPECT_EQ(Best(c, "price"), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(c.figure("startTorque")->texts[1], "–") << "a start torque of 0 was never recorded";
    EXPECT_EQ(Best(c, "startTorque"), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(c.figure("startTorque")->texts[2], "6.00") << "below 10 Nm: two decimals";
    EXPECT_EQ(c.figure("startTorqueMargin")->texts, (std::vector<std::string>{"–", "–", "–"}))
        << "no start torque was required";
    // Against a required start torque only a recorded one has a margin: 0 is none, even for a
    // motor the search let through.
    catalogue.sngMinStartMoment[2] = 10.0f;
    session->TypeIntoField(F::MinStartmomentB, "2");
    session->ClickSearch();
    ASSERT_EQ(testing::Indexes(session->results().rows), (std::vector<int>{1, 2, 3}));
    catalogue.sngMinStartMoment[2] = 0.0f;
    const MotorComparison started = CompareRows(*session, {1, 2, 3}, language, {});
    EXPECT_EQ(started.figure("startTorqueMargin")->texts, (std::vector<std::string>{"2508.7", "–", "95.7"}));

    // A listing has no duty: its motors compare by catalogue figures only.
    SelectionSession listing(catalogue, language, sink);
    listing.Load();
    ASSERT_GE(listing.results().rowCount(), 2);
    const MotorComparison noDuty = CompareRows(listing, {1, 2}, language, {});
    EXPECT_EQ(noDuty.figure("torqueAtSpeed")->texts, (std::vector<std::string>{"–", "–"}));
    EXPECT_EQ(noDuty.figure("airCostPerYear")->texts, (std::vector<std::string>{"–", "–"}));

    RecordingCanvas paper(CanvasKind::Printer);
    DrawMotorComparisonTable(paper, c);
    // The best value carries a bold star, another one blanks in its place.
    const RecordingCanvas::Text* best = paper.findText(c.figure("stallTorque")->texts[1] + " *");
    const RecordingCanvas::Text* other = paper.findText(c.figure("stallTorque")->texts[0] + "  ");
    ASSERT_TRUE(best && other);
    EXPECT_EQ(std::pair(best->state.bold, other->state.bold), std::pair(true, false));
    // The sheet's own words come from the language too.
    EXPECT_NE(paper.findText(language.strText(TextKey::ComparisonRowHeading)), nullptr);
    EXPECT_NE(paper.findText(language.strText(TextKey::ComparisonBestNote)), nullptr);
}

TEST_F(ComparisonTest, ImperialUnitsConvertTheShownFiguresOnly) {
    Search(1);
    const MotorComparison imperial = CompareRows(*session, {1, 2, 3}, language, {});
    EXPECT_EQ(imperial.figure("airM3h"), nullptr) << "imperial air is shown in cfm only";
    const ComparedFigure* stall = imperial.figure("stallTorque");
    ASSERT_NE(stall, nullptr);
    EXPECT_EQ(stall->texts[0], "73.8") << "100 Nm in lbf ft";
}

TEST_F(ComparisonTest, PlotHasOneCurveSetPerMotorInItsOwnStyle) {
    Search();
    std::set<std::tuple<int, int, int>> colours;
    std::set<int> styles;
    for (std::size_t m = 0; m < kMaxComparedMotors; ++m) {
        const ComparedMotorStyle s = StyleOfComparedMotor(m);
        colours.insert({s.colour.r, s.colour.g, s.colour.b});
        styles.insert(s.style);
    }
    EXPECT_EQ(colours.size(), 4u);
    EXPECT_EQ(styles.size(), 4u);

    const struct {
        bool power, air;
        std::size_t panels;
        std::size_t markers; // torque and power panels mark the working point
    } cases[] = {{false, false, 1, 1}, {true, false, 2, 2}, {true, true, 3, 2}};
    for (const auto& c : cases) {
        ComparisonDiagramInput in = ComparisonInputFromSession(*session, language, {1, 2, 3});
        in.showPower = c.power;
        in.showAir = c.air;
        const ComparisonPlot plot = ComputeComparisonPlot(in);
        ASSERT_TRUE(plot.drawable);
        ASSERT_EQ(plot.panels.size(), c.panels);
        EXPECT_EQ(plot.curves.size(), 3 * c.panels);
        for (std::size_t m = 0; m < 3; ++m)
            EXPECT_EQ(std::count_if(plot.curves.begin(), plot.curves.end(),
                                    [m](const ComparisonCurve& k) { return k.motor == m; }),
                      static_cast<long>(c.panels));
        EXPECT_NEAR(plot.workingPower, 2.0 * 3.14159265 * 50.0 * 2000.0 / 60000.0, 1e-4);
        EXPECT_GE(plot.speed.maximum, 10000.0 * 1.03 * 0.995) << "the curves reach past the free speed";

        RecordingCanvas canvas;
        DrawComparisonPlot(canvas, plot);
        EXPECT_EQ(canvas.circles.size(), c.markers);
        EXPECT_EQ(canvas.polylines.size(), plot.curves.size());
    }

    // Two points still make a curve; a single point makes none.
    ComparisonPlot cut = ComputeComparisonPlot(ComparisonInputFromSession(*session, language, {1, 2}));
    ASSERT_EQ(cut.curves.size(), 2u);
    for (auto& [curve, points] : {std::pair{&cut.curves[0], 2}, {&cut.curves[1], 1}}) {
        curve->speed.resize(static_cast<std::size_t>(points));
        curve->value.resize(static_cast<std::size_t>(points));
    }
    RecordingCanvas canvas;
    DrawComparisonPlot(canvas, cut);
    EXPECT_EQ(canvas.polylines.size(), 1u);

    // Free running (torque 0) and standstill (speed 0) are marked on their axes, not left out.
    ComparisonDiagramInput in = ComparisonInputFromSession(*session, language, {1});
    in.showPower = in.showAir = false;
    ComparisonPlot point = ComputeComparisonPlot(in);
    ASSERT_TRUE(point.showWorkingPoint);
    for (const auto& [torque, speed] : {std::pair{0.0f, 2000.0f}, {50.0f, 0.0f}}) {
        std::tie(point.workingTorque, point.workingSpeed) = std::tuple{torque, speed};
        RecordingCanvas marked;
        DrawComparisonPlot(marked, point);
        EXPECT_EQ(marked.circles.size(), 1u) << torque << " Nm at " << speed << " r/min";
    }

    // A motor without a usable free speed draws no curve of its own.
    for (const float n0 : {0.0f, std::numeric_limits<float>::infinity()}) {
        catalogue.sngTomgVarvtal[2] = n0;
        const ComparisonPlot plot =
            ComputeComparisonPlot(ComparisonInputFromSession(*session, language, {1, 2, 3}));
        EXPECT_EQ(std::count_if(plot.curves.begin(), plot.curves.end(),
                                [](const ComparisonCurve& k) { return k.motor == 1; }),
                  0)
            << n0;
    }
}

} // namespace motor_comparison_test
} // namespace
} // namespace airmotor::core
