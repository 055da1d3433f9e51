#include "core/results/CurrentMotorDetails.h"
#include "core/analysis/DutyAnalysis.h"
#include "core/diagram/ComparisonDiagram.h"
#include "core/diagram/SessionDiagramInput.h"
#include "core/format/NumberFormat.h"
#include "core/model/PressureFactors.h"
#include "core/results/ExplosionMarking.h"
#include "core/session/SelectionSession.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace airmotor::core {
namespace {
namespace current_motor_details_test {

using F = RequirementField;
using testing::AddMotor;
using testing::Tkm;
using testing::Tks;

class CellClickTest : public ::testing::Test, protected testing::SessionHarness {
protected:
    const DetailPanel& Panel() const { return session->panel(); }
};

TEST_F(CellClickTest, DetailFiguresAndFormats) {
    AddMotor(catalogue, Tkm("TKM22-A100-"));
    Start();
    SearchDuty();
    const DetailPanel& p = Panel();
    // Air 5 + 0.002 x 5000 at the speed of maximum power.
    EXPECT_EQ(
        (std::vector<std::string>{p.Label17, p.MaxeffektR, p.NMaxeffR, p.MinStartMomentR, p.StallmomentR,
                                  p.lblWeight, p.QmR, p.RelativprisR, p.lblProductNumber, p.MmaxeffR,
                                  p.NtomgangR, p.Label15, p.lblClass, p.Label24}),
        (std::vector<std::string>{"T227 6.30 T56:", "26.18 ", "5000 ", "80.0 ", "100.0 ", "2.50 ", "15.0 ",
                                  "100.0 ", "8112 0000 01", "50.0 ", "10000 ", "T101",
                                  std::string(kMarkingT110), "T152"}));
    EXPECT_EQ(p.NtomgangRColour, 10);
    const CurrentMotor& c = session->current();
    EXPECT_EQ((std::array{c.sngStallEst, c.sngCurStallmoment, c.sngCurLuftMaxeff}),
              (std::array{100.0f, 100.0f, 15.0f}));
}

TEST_F(CellClickTest, SmallValuesTakeMoreDecimalsAndOneTestDecidesStartAndStall) {
    AddMotor(catalogue, {.designation = "TKM22-A100-",
                         .n0 = 99.0f,
                         .stall = 0.9f,
                         .momentMaxeff = 0.5f, // below 1: two decimals
                         .minStart = 9.996f,   // below 10: two decimals, and the stall torque follows
                         .vikt = 10.0f,        // 10 and above: one decimal
                         .pris = 0.0f});
    Start(); // the catalogue listing clicks row 1
    const DetailPanel& p = Panel();
    EXPECT_EQ((std::vector<std::string>{p.MinStartMomentR, p.StallmomentR, p.MmaxeffR, p.lblWeight,
                                        p.RelativprisR, p.NtomgangR}),
              (std::vector<std::string>{"10.00 ", "1.00 ", "0.50 ", "10.0 ", "", "99.0 "}));
    catalogue.sngMomentMaxeff[1] = 1.0f; // 1 and above: one decimal
    session->ClickCell(1, 0);
    EXPECT_EQ(Panel().MmaxeffR, "1.0 ");
}

TEST_F(CellClickTest, MaximumAllowedSpeedReplacesTheFreeSpeedInRed) {
    AddMotor(catalogue, {.designation = "TKM22-A100-", .maxSpeed = 8000});
    Start();
    SearchDuty("50", "2000", "5");
    PressureFactorValues at5;
    PressureFactors(5.0f, "TKM22-A100-", at5);
    EXPECT_EQ(
        (std::vector<std::string>{Panel().Label15, Panel().NtomgangR, Panel().Label17}),
        (std::vector<std::string>{"T153", FormatNumber(static_cast<float>(8000 * at5.sngKn), "####0") + " ",
                                  "T227 5.00 T56:"}));
    EXPECT_EQ(Panel().NtomgangRColour, 12);
}

TEST_F(CellClickTest, RegulationTextsForPressureOrThrottle) {
    AddMotor(catalogue, Tks("TKS05-100-"));
    Start();
    SearchDuty("50", "2000"); // reduced pressure
    const ResultRow& row = session->results().rows.at(0);
    ASSERT_GT(row.sngRadTryck, 0.0f);
    EXPECT_EQ((std::pair{Panel().ArbetstryckR, Panel().StrypningR}),
              (std::pair{FormatNumber(row.sngRadTryck, "##0.00") + " ", std::string()}));

    SearchDuty("10", "2700"); // throttled only: r = 0.3 of 10000 r/min
    const ResultRow& throttled = session->results().rows.at(0);
    ASSERT_EQ(throttled.sngRadTryck, 0.0f);
    EXPECT_EQ((std::pair<std::string, std::string>{Panel().ArbetstryckR, Panel().StrypningR}),
              (std::pair<std::string, std::string>{"", "3000 "}));
}

TEST_F(CellClickTest, ProductNumberFollowsTheClickedColumn) {
    AddMotor(catalogue, {.designation = "TKM22-A100-",
                         .nr1 = "11 1234 5678 01",
                         .nr2 = "12 5678 902"}); // 11 characters: the shortest product number
    AddMotor(catalogue, {.designation = "TKM33-A100-",
                         .minStart = 10.0f, // 10 Nm and above: one decimal
                         .maxSpeed = 1,     // the lowest maximum allowed speed
                         .nr1 = "11 1111 2222 01",
                         .nr2 = "12 1111 22"}); // 10 characters: too short for a product number
    Start();
    EXPECT_EQ(Panel().lblProductNumber, "1234 5678 01");
    EXPECT_TRUE(session->ClickCell(1, 1));
    EXPECT_EQ(Panel().lblProductNumber, "12 5678 902");
    EXPECT_TRUE(session->ClickCell(2, 1));
    EXPECT_EQ(Panel().lblProductNumber, "1111 2222 01");
    EXPECT_EQ(Panel().MinStartMomentR, "10.0 ");
    EXPECT_EQ(Panel().Label15, "T153");
}

TEST_F(CellClickTest, HighlightMovesWithTheClickAnEmptyCellChangesOnlyTheHeadingAndFactors) {
    AddMotor(catalogue, Tkm("TKM22-A100-"));
    AddMotor(catalogue, {.designation = "TKM33-A100-", .old = true});
    Start();
    session->ClickObsoleteMotors(0);
    ASSERT_EQ(session->results().grid.size(), 2u);
    ASSERT_TRUE(session->ClickCell(2, 0));
    EXPECT_EQ(session->results().grid[0].cellColour, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(session->results().grid[1].cellColour[0], kCellColourSelected);
    const CurrentMotor before = session->current();
    const DetailPanel panelBefore = Panel();
    session->TypeIntoField(F::TillgLuftTryckB, "5");
    EXPECT_FALSE(session->ClickCell(1, 1)) << "row 1 has one cell";
    EXPECT_EQ(session->current().strCurrentBenamning + Panel().MaxeffektR,
              before.strCurrentBenamning + panelBefore.MaxeffektR);
    EXPECT_EQ(session->results().intValdRad, 2);
    EXPECT_EQ(Panel().Label17, "T227 5.00 T56:");
    EXPECT_FALSE(session->ClickCell(7, 0)) << "below the last row";
    session->ClickCell(1, 0);
    EXPECT_EQ(session->results().grid[1].cellColour, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(session->current().intForraRad, 1);
}

TEST_F(CellClickTest, ClickedMotorGetsItsOwnFamilysFactorsAndPgwNoFreeSpeed) {
    AddMotor(catalogue, Tkm("TKM22-A100-"));
    AddMotor(catalogue, {.designation = "PGW03-100", .maxSpeed = 5000}); // the last motor the search visits
    Start();
    session->ClickMotorType(2, true);
    SearchDuty("50", "2000", "5");
    ASSERT_EQ(session->results().rows.size(), 2u);
    PressureFactorValues tkm;
    PressureFactors(5.0f, "TKM22-A100-", tkm);
    EXPECT_EQ(session->current().strCurrentBenamning, "TKM22-A100-");
    EXPECT_EQ((std::array{session->factors().sngKm, session->factors().sngKn}),
              (std::array{tkm.sngKm, tkm.sngKn}));
    session->ClickCell(2, 0);
    PressureFactorValues pgwFactors;
    PressureFactors(5.0f, "PGW03-100", pgwFactors);
    EXPECT_EQ(session->current().sngCurMaxEffekt, pgwFactors.sngKm * 26.18f * pgwFactors.sngKn);
    EXPECT_EQ(Panel().NtomgangR + Panel().lblClass, " ") << "a governed motor shows no free speed, no class";
}

TEST_F(CellClickTest, BracketedCellExplainsTheStartTorque) {
    AddMotor(catalogue, {.designation = "TKM22-A100-", .minStart = 40});
    Start();
    SearchDuty();
    ASSERT_EQ(session->results().grid.at(0).cells[0], "( TKM22-A100- )");
    const float p = session->results().rows.at(0).sngRadTryck;
    const std::string v1 = FormatNumber(static_cast<double>(40.0f * p) / 6.3, "##0.00");
    const std::string expected = "T138 (T20 " + v1 + " T58 ,  T17 40.00 T58) T139 (50.00 T58).";
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, expected);
    session->ClickCell(1, 0);
    EXPECT_EQ(sink.messages.size(), 2u);
}

TEST(StartTorqueInformation, OmitsTheCatalogueStartTorqueWhenItReachesTheWorkingTorqueAndUsesDisplayUnits) {
    MotorCatalogue c;
    const int k = AddMotor(c, {.designation = "TKM22-A100-", .minStart = 60});
    // 60 Nm at 4.2 bar = 40 Nm = 29.50 lbf ft; 50 Nm = 36.88 lbf ft.
    for (const auto& [working, imperial, text] :
         {std::tuple{50.0f, 0, "T138 (T20 40.00 T58) T139 (50.00 T58)."},
          {60.0f, 0, "T138 (T20 40.00 T58) T139 (60.00 T58)."},
          {50.0f, 1, "T138 (T20 29.50 T58) T139 (36.88 T58)."}})
        EXPECT_EQ(StartTorqueInformation(c, k, ResultRow{1, 0, 4.2f}, working,
                                         testing::KeyedLanguage(static_cast<std::int16_t>(imperial))),
                  text);
}

TEST_F(CellClickTest, MountingPositionVariantAndExplosionPanel) {
    AddMotor(catalogue, Tkm("TKM22-A100-"));
    AddMotor(catalogue, Tkm("TKM22-A100-5-BG"));
    AddMotor(catalogue, Tkm("TKM22-A100-5-B"));
    LanguageState spanish = testing::KeyedLanguage();
    spanish.strLanguage = "Spanish";
    Start(spanish);
    session->ClickCell(2, 0);
    EXPECT_EQ(Panel().Label24, "T221");
    EXPECT_EQ((std::array{Panel().lblCertificateNumberVisible, Panel().Label21Visible, Panel().Label22Visible,
                          Panel().picExVisible[0], Panel().picExVisible[1]}),
              (std::array{false, false, false, false, false}));
    // The answer of the mounting window stands in the class field; a stray picture number is ignored.
    session->ChooseMountingPosition(0);
    EXPECT_EQ(Panel().lblClass, "8990 0020 01");
    session->ChooseMountingPosition(6);
    EXPECT_EQ(Panel().lblClass, "8990 0020 01");
    session->ClickCell(1, 0);
    EXPECT_EQ(Panel().lblClass, kMarkingT110);
    EXPECT_TRUE(Panel().picExVisible[0]);
    EXPECT_EQ(session->requests().openMountingPositions, 1);
    session->ClickCell(3, 0); // "5-B" without the G is an ordinary motor
    EXPECT_EQ(Panel().Label24, "T152");
}

TEST_F(CellClickTest, OutputControlsAndDiagramRequests) {
    AddMotor(catalogue, {.designation = "TKM22-A100-", .mattskiss = "https://example.invalid/drawing"});
    AddMotor(catalogue, Tkm("TKM33-A100-"));
    Start();
    const OutputControls& o = session->outputs();
    EXPECT_TRUE(o.PrinterutskriftBEnabled && o.mnuPrintEnabled && o.cboDiagramAlternativEnabled);
    EXPECT_FALSE(o.EnbartDiagramBEnabled[2]) << "a web link cannot be printed as a drawing";
    session->ClickCell(2, 0);
    EXPECT_TRUE(o.EnbartDiagramBEnabled[2]);
    EXPECT_EQ(session->requests().showDiagram, 0);
    session->ToggleShowAlwaysDiagram();
    session->ClickCell(1, 0);
    EXPECT_EQ(session->requests().showDiagram, 1);
    session->ClickOutputOption(1);
    EXPECT_TRUE(o.frameDiagramAlternativVisible);
    EXPECT_EQ(session->requests().showDiagramWindow, 1);
    const int invalidated = session->requests().calculatorsInvalidated;
    session->ClickCell(2, 0);
    EXPECT_EQ(session->requests().calculatorsInvalidated, invalidated + 1);
    session->ClickAllMotors();
    EXPECT_FALSE(o.frameDiagramAlternativVisible) << "a new listing hides the diagram alternatives";
    // Their button opens and closes them, their Close button and new search data close them.
    for (const auto& close : {std::function<void()>([&] { session->ToggleDiagramOptions(); }),
                              std::function<void()>([&] { session->HideDiagramOptions(); }),
                              std::function<void()>([&] { session->ClickNewSearchData(); })}) {
        session->ToggleDiagramOptions();
        EXPECT_TRUE(o.frameDiagramAlternativVisible);
        close();
        EXPECT_FALSE(o.frameDiagramAlternativVisible);
    }
}

TEST_F(CellClickTest, StandardAlternativeShowsTheCatalogueValuesUntilTheNextRun) {
    AddMotor(catalogue, Tkm("TKM22-A100-"));
    PressureFactorValues at5;
    PressureFactors(5.0f, "TKM22-A100-", at5);
    for (const int next : {4, 1, 0}) { // alternative 4, a search, a listing
        Start();
        SearchDuty("50", "2000", "5");
        ASSERT_EQ(session->current().sngCurMomentMaxeff, at5.sngKm * 50.0f);
        session->ClickDiagramAlternative(2);
        session->ClickDiagramAlternative(0);
        EXPECT_EQ(session->current().sngCurMomentMaxeff, 50.0f);
        ASSERT_EQ(Panel().Label17, "T227 6.30 T56:");
        // Only the curves go to the catalogue pressure: the requirement stays the field's.
        EXPECT_EQ((std::array{session->DiagramPressure(), session->input().values.sngTillgLuftTryck,
                              DiagramInputFromSession(*session, language).sngTillgLuftTryck,
                              DutyInputOfRow(*session, 1)->availablePressure,
                              ComparisonInputFromSession(*session, language, {1}).availablePressure}),
                  (std::array{6.3f, 5.0f, 6.3f, 5.0f, 5.0f}));
        if (next == 4)
            session->ClickDiagramAlternative(4);
        else if (next == 1)
            session->ClickSearch();
        else
            session->ClickCatalogue(0);
        EXPECT_EQ((std::pair{session->input().box(F::TillgLuftTryckB).text, Panel().Label17}),
                  (std::pair<std::string, std::string>{"5", "T227 5.00 T56:"}))
            << next;
        EXPECT_EQ(session->input().values.sngTillgLuftTryck, 5.0f) << next;
        EXPECT_EQ(session->current().sngCurMomentMaxeff, at5.sngKm * 50.0f) << next;
    }
}

} // namespace current_motor_details_test
} // namespace
} // namespace airmotor::core
