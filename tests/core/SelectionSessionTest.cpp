#include "core/session/SelectionSession.h"
#include "core/model/PressureFactors.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace airmotor::core {
namespace {
namespace selection_session_test {

using F = RequirementField;
using testing::AddMotor;
using testing::Tkm;
using testing::Tks;
using Texts = std::array<const char*, kRequirementFieldCount>; // typed in field order, "" untouched

class SessionTest : public ::testing::Test, protected testing::SessionHarness {
protected:
    SessionTest() {
        AddMotor(catalogue, Tkm("TKM22-A100-"));                             // 1
        AddMotor(catalogue, Tks("TKS05-100-"));                              // 2
        AddMotor(catalogue, {.designation = "PGW03-100", .maxSpeed = 5000}); // 3
        AddMotor(catalogue, {.designation = "TKM33-A100-", .old = true});    // 4
    }

    void StartSearchView(std::int16_t imperial = 0) {
        Start(imperial);
        session->ClickCatalogue(1);
        sink.messages.clear();
    }
    std::vector<int> MessageKeys() const {
        std::vector<int> keys;
        for (const Message& m : sink.messages)
            keys.push_back(m.key);
        return keys;
    }
    std::vector<int> ListedIndexes() const { return testing::Indexes(session->results().rows); }
    // One character per field in field order: 'x' locked (and black), '.' valid, '+' above its range,
    // '-' below it, '?' a colour that does not fit the lock.
    std::string States() const {
        std::string s;
        for (F f : kAllRequirementFields) {
            const NumericTextBox& b = Box(f);
            s += !b.enabled                      ? (b.colour == kColourDisabled ? 'x' : '?')
                 : b.colour == kColourValid      ? '.'
                 : b.colour == kColourAboveRange ? '+'
                 : b.colour == kColourBelowRange ? '-'
                                                 : '?';
        }
        return s;
    }
    const NumericTextBox& Box(F f) const { return session->input().box(f); }
    void Type(F f, const std::string& text) { session->TypeIntoField(f, text); }
    void Type(std::initializer_list<std::pair<F, const char*>> typed) {
        for (const auto& [f, text] : typed)
            Type(f, text);
    }
    void Type(const Texts& texts) {
        for (std::size_t k = 0; k < texts.size(); ++k)
            if (*texts[k])
                Type(static_cast<F>(k), texts[k]);
    }
    void TypeDuty() { Type({{F::ArbetsMomentB, "50"}, {F::ArbetsVarvtalB, "2000"}}); }
};

TEST_F(SessionTest, StartStateSeriesFlagsEqualTheTicks) {
    Start();
    const OptionStates& o = session->options();
    EXPECT_FALSE(o.chkMotortypeVisible[2] || o.fraObsoleteMotorsVisible || o.fraSearchDataVisible);
    EXPECT_EQ((std::array{o.optObsoleteMotors, o.optCatalogue, o.optLubricated}), (std::array{2, 0, 1}));
    EXPECT_TRUE(session->bolKatalogMode() && session->bolKatalogLista());
    EXPECT_EQ(States(), "xxxxxxx.");
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{1, 2})) << "no PGW, no obsolete motor";
    EXPECT_EQ(session->results().grid[0].cellColour[0], kCellColourSelected);
    EXPECT_TRUE(session->outputs().PrinterutskriftBVisible)
        << "hidden by the reset, shown again by the click";
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(SessionTest, SearchIncludesOnlyTheTickedSeriesAndAChangeClearsIt) {
    StartSearchView();
    TypeDuty();
    session->ClickSearch();
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{1, 2}));
    session->ClickMotorType(2, true);
    session->ClickSearch();
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{1, 2, 3}));
    session->ClickMotorType(0, false);
    session->ClickSearch();
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{2, 3}));
    session->ClickMotorType(3, true); // no fourth series: nothing changes, nothing is cleared
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{2, 3}));
    EXPECT_FALSE(session->bolResultatRensat());
    Type(F::ArbetsVarvtalB, "2001"); // any change clears the results
    EXPECT_TRUE(session->results().rows.empty() && session->results().grid.empty());
    EXPECT_EQ(session->results().intValdRad, 0) << "no row stays selected";
    EXPECT_EQ(session->panel().MaxeffektR, "") << "nor its figures";
    EXPECT_TRUE(session->bolResultatRensat());
}

TEST_F(SessionTest, TypingFiltersKeysThenValidatesAgainstTheFieldRange) {
    const struct {
        F field;
        const char* typed;
        const char* shown;
        int colour;
    } rows[] = {
        {F::ArbetsMomentB, "1,5", "1.5", kColourValid},
        {F::ArbetsMomentB, "12a b", "12", kColourValid},
        {F::ArbetsMomentB, "1234\b", "123", kColourValid},
        {F::ArbetsMomentB, "*", " 0", kColourValid},
        {F::MinStartmomentB, "5000.001", nullptr, kColourAboveRange},
        {F::ArbetsVarvtalB, "-1", nullptr, kColourBelowRange},
    };
    StartSearchView();
    for (const auto& row : rows) {
        Type(row.field, row.typed);
        if (row.shown) {
            EXPECT_EQ(Box(row.field).text, row.shown) << row.typed;
        }
        EXPECT_EQ(Box(row.field).colour, row.colour) << row.typed;
    }
    EXPECT_EQ(session->requests().beeps, 3) << "a, space and b";
    Type(F::ArbetsMomentB, "1,5");
    EXPECT_EQ(session->input().values.sngArbetsMoment, 1.5f);
}

TEST_F(SessionTest, ImperialTorqueIsConvertedAnd91PsiIsExactlyTheReferencePressure) {
    StartSearchView(1);
    Type({{F::ArbetsMomentB, "10"}, {F::ArbetsVarvtalB, "3000"}});
    const RequirementValues& v = session->input().values;
    EXPECT_EQ(v.sngArbetsMoment, 10.0f * 1.35582f);
    EXPECT_EQ(v.sngArbetsVarvtal, 3000.0f) << "speeds are never converted";
    EXPECT_EQ(Box(F::TillgLuftTryckB).text, "91");
    EXPECT_EQ(v.sngTillgLuftTryck, 6.3f);
    Type(F::TillgLuftTryckB, "90");
    EXPECT_EQ(v.sngTillgLuftTryck, 90.0f * 0.0689476f);
    Type(F::TillgLuftTryckB, "91");
    EXPECT_EQ(v.sngTillgLuftTryck, 6.3f);
    const PressureFactorValues& k = session->factors();
    EXPECT_EQ((std::array{k.sngKm, k.sngKn, k.sngKl}), (std::array{1.0f, 1.0f, 1.0f}));
}

TEST_F(SessionTest, LeavingThePressureRaisesALowValueThenSearchesOrLists) {
    StartSearchView();
    TypeDuty();
    Type(F::TillgLuftTryckB, "3.00");
    session->LeaveField(F::TillgLuftTryckB);
    EXPECT_EQ(Box(F::TillgLuftTryckB).text, "3.00") << "the lowest pressure itself is not raised";
    Type(F::TillgLuftTryckB, "2");
    session->LeaveField(F::TillgLuftTryckB);
    EXPECT_EQ(Box(F::TillgLuftTryckB).text, "3");
    EXPECT_EQ(session->input().values.sngTillgLuftTryck, 3.0f);
    EXPECT_EQ(session->lastSearchCase(), 10) << "leaving the pressure in the search view searches";

    Start(1);
    Type(F::TillgLuftTryckB, "40");
    session->LeaveField(F::TillgLuftTryckB);
    EXPECT_EQ(Box(F::TillgLuftTryckB).text, "44");
    EXPECT_TRUE(session->bolKatalogLista()) << "in the catalogue view it lists";
    EXPECT_FALSE(session->lastSearchCase().has_value());

    // Typing a pressure in the catalogue view keeps the list; Enter recomputes the current motor.
    Start();
    Type(F::TillgLuftTryckB, "5");
    PressureFactorValues at5;
    PressureFactors(5.0f, "TKM22-A100-", at5);
    EXPECT_EQ(session->factors().sngKm, at5.sngKm);
    session->PressEnter(F::TillgLuftTryckB);
    EXPECT_EQ(session->current().sngCurMomentMaxeff, at5.sngKm * 50.0f);
}

// Beyond the pressure field's range the correction factors give negative speeds and air: the
// listing stays, but no figure is computed, printed or drawn until the pressure is valid again.
TEST_F(SessionTest, PressureOutsideItsRangeComputesNoFigures) {
    EXPECT_FALSE(SelectionSession(catalogue, language, sink).pressureRefusal().has_value());
    for (const auto& [imperial, invalid, valid, range] : {std::tuple{0, "106.3", "6.3", "3.00 - 6.30"},
                                                          {0, "2.99", "3", "3.00 - 6.30"},
                                                          {1, "92", "91", "44 - 91"}}) {
        Start(static_cast<std::int16_t>(imperial));
        ASSERT_TRUE(session->current().valid);
        const int listed = session->results().rowCount();
        Type(F::TillgLuftTryckB, invalid);
        session->PressEnter(F::TillgLuftTryckB);
        EXPECT_FALSE(session->current().valid) << invalid;
        EXPECT_EQ(session->panel().MaxeffektR, "") << invalid;
        EXPECT_EQ(session->panel().QmR, "") << invalid;
        const OutputControls& o = session->outputs();
        EXPECT_FALSE(o.PrinterutskriftBEnabled || o.mnuPrintEnabled || o.MotordiagramBEnabled ||
                     o.cboDiagramAlternativEnabled || o.EnbartDiagramBEnabled[0] ||
                     o.EnbartDiagramBEnabled[1] || o.EnbartDiagramBEnabled[2])
            << invalid;
        ASSERT_TRUE(session->pressureRefusal().has_value()) << invalid;
        EXPECT_EQ(session->pressureRefusal()->text, std::string("T167 T5: ") + range + " T56");
        EXPECT_EQ(session->results().rowCount(), listed) << "the listing stays";

        Type(F::TillgLuftTryckB, valid);
        session->PressEnter(F::TillgLuftTryckB);
        EXPECT_TRUE(session->current().valid) << valid;
        EXPECT_TRUE(session->outputs().PrinterutskriftBEnabled && session->outputs().MotordiagramBEnabled);
        EXPECT_FALSE(session->pressureRefusal().has_value());
    }
}

TEST_F(SessionTest, PowerLabelShowsTheWorkingPointPower) {
    StartSearchView();
    const auto power = [&] {
        return std::pair{session->input().EffektA.text, session->input().EffektA.colour};
    };
    Type({{F::ArbetsMomentB, "50"}, {F::ArbetsVarvtalB, "5000"}});
    EXPECT_EQ(power(), (std::pair<std::string, int>{"26.180", 12}));
    Type(F::ArbetsVarvtalB, "4587.5"); // 24.02009 is above 24.02 but shows 24.020: the shown value decides
    EXPECT_EQ(power(), (std::pair<std::string, int>{"24.020", 10}));
    Type(F::ArbetsVarvtalB, "4587.7");
    EXPECT_EQ(power(), (std::pair<std::string, int>{"24.021", 12}));
    // Either value outside its range leaves no power to show; a valid pair shows it again.
    for (const auto& [torque, speed] :
         {std::pair{"-5", "3000"}, {"50", "-1"}, {"10001", "3000"}, {"50", "90000"}}) {
        Type({{F::ArbetsMomentB, torque}, {F::ArbetsVarvtalB, speed}});
        EXPECT_EQ(session->input().EffektA.text, "") << torque << " Nm, " << speed << " r/min";
        Type({{F::ArbetsMomentB, "50"}, {F::ArbetsVarvtalB, "5000"}});
        EXPECT_EQ(session->input().EffektA.text, "26.180");
    }
    session->ClickNewSearchData();
    EXPECT_EQ(session->input().EffektA.text, "");
}

TEST_F(SessionTest, BoundPartnersEmptyAndLockEachOther) {
    StartSearchView();
    Type({{F::StallmomentMinB, "20"}, {F::StallmomentMaxB, "50"}});
    EXPECT_EQ(Box(F::StallmomentMinB).text, "");
    EXPECT_EQ(session->input().values.sngStallmomentMin, 0.0f);
    EXPECT_EQ(Box(F::StallmomentMaxB).text, "50") << "the emptied partner does not empty the field typed";
    Type(F::StallmomentMaxB, "");
    EXPECT_EQ(States()[3], '.');

    session->ClickTKSRestricted(1);
    Type(F::TomgVarvMaxB, "3000");
    session->ClickSearch(); // TKS ticked with a free-speed bound: restricted versions only
    EXPECT_EQ(session->options().optTKSRestricted, 0);
    Type(F::TomgVarvMinB, "100");
    EXPECT_EQ(Box(F::TomgVarvMaxB).text, "");
    EXPECT_FALSE(session->options().optTKSRestrictedEnabled[1]);
    Type(F::TomgVarvMinB, "");
    EXPECT_TRUE(session->options().optTKSRestrictedEnabled[1]) << "both free-speed values are 0 again";
    EXPECT_TRUE(Box(F::TomgVarvMaxB).enabled);
}

TEST_F(SessionTest, RuleALocksAfterEnterAndGReleases) {
    StartSearchView();
    TypeDuty();
    Type(F::MinStartmomentB, "30");
    session->PressEnter(F::MinStartmomentB);
    EXPECT_EQ(States(), "...xxxx.");
    session->ClickSearch();
    EXPECT_EQ(session->lastSearchCase(), 1) << "black fields do not refuse the search";
    Type(F::MinStartmomentB, "");
    session->LeaveField(F::MinStartmomentB);
    EXPECT_EQ(States(), "........");
}

TEST_F(SessionTest, InterplayRulesBToG) {
    const struct {
        const char* name;
        Texts texts;
        const char* states; // after Enter
    } rows[] = {
        {"B", {"50", "2000", "", "", "", "", "3000", ""}, "..xxxx.."},
        {"C", {"50", "2000", "", "20", "", "", "", ""}, "..x.xxx."},
        {"D", {"", "", "30", "", "", "100", "", ""}, "xx.xx.x."},
        {"E", {"", "", "30", "", "40", "", "", ""}, "xx.x.xx."},
        {"F", {"", "", "", "20", "", "", "3000", ""}, "xxx.xx.."},
        {"B0", {"50", "0", "", "", "", "100", "", ""}, "..xxx.x."}, // standstill counts for rule B
        // The partner rule's locks stay under every rule; G releases only what has no given partner.
        {"G", {"50", "", "", "", "40", "", "", ""}, "...x...."},
        {"G free min", {"", "", "", "", "", "1000", "", ""}, "......x."},
        {"G free max", {"", "", "", "", "", "", "1000", ""}, ".....x.."},
        {"G stall min", {"", "", "", "20", "", "", "", ""}, "....x..."},
    };
    for (const auto& row : rows) {
        StartSearchView();
        Type(row.texts);
        session->PressEnter(F::ArbetsMomentB);
        EXPECT_EQ(States(), row.states) << row.name;
    }
}

TEST_F(SessionTest, StainlessAndBrakeOptionsSetTheirNeighbours) {
    Start();
    const OptionStates& o = session->options();
    const auto rotation = [&] { return std::array{o.optRotationEnabled[0], o.optRotationEnabled[1]}; };
    session->ClickMotorType(0, false);
    session->ClickSteel(1);
    EXPECT_TRUE(o.chkMotortype[0]) << "stainless ticks TKM";
    EXPECT_FALSE(o.optRotationEnabled[1]);
    EXPECT_FALSE(o.optLubricatedEnabled[0]);
    session->ClickSteel(0);
    EXPECT_TRUE(o.optLubricatedEnabled[0] && o.optRotationEnabled[1]);

    session->ClickBrake(1);
    EXPECT_EQ(o.optRotation, 2);
    EXPECT_EQ(rotation(), (std::array{false, false}));
    session->ClickSteel(1);
    session->ClickSteel(0);
    EXPECT_FALSE(o.optRotationEnabled[1]) << "standard steel leaves counter-clockwise locked while braked";
    session->ClickSteel(1);
    session->ClickBrake(0);
    EXPECT_FALSE(o.optRotationEnabled[1]) << "no brake leaves counter-clockwise locked while stainless";
    session->ClickSteel(0);
    session->ClickBrake(0);
    EXPECT_EQ(rotation(), (std::array{true, true}));

    session->ClickRotation(1);
    EXPECT_FALSE(o.optSteelEnabled[1]);
    session->ClickRotation(0);
    EXPECT_TRUE(o.optSteelEnabled[1]);

    session->ClickSteelTKS(1);
    EXPECT_FALSE(o.optLubricatedTKSEnabled[0]);
    session->ClickSteelTKS(0);
    EXPECT_TRUE(o.optLubricatedTKSEnabled[0]);
}

TEST_F(SessionTest, ClicksOutsideAnOptionGroupAreIgnoredAndDefaultsEndLubeFree) {
    Start();
    session->ClickRotation(3);
    session->ClickSteel(2);
    session->ClickBrake(-1);
    session->ClickCatalogue(2);
    session->ClickObsoleteMotors(3);
    session->ClickMotorType(3, true);
    const OptionStates& o = session->options();
    const auto chosen = [&] {
        return std::array{o.optRotation, o.optSteel, o.optBrake, o.optCatalogue, o.optObsoleteMotors};
    };
    EXPECT_EQ(chosen(), (std::array{0, 0, 0, 0, 2}));
    session->ClickRotation(2);
    session->ClickSteel(1);
    session->ClickDefaultOptions();
    EXPECT_EQ(chosen(), (std::array{0, 0, 0, 0, 2}));
    EXPECT_EQ(o.optLubricated, 1);
}

TEST_F(SessionTest, ViewAndObsoleteChoice) {
    Start();
    const OptionStates& o = session->options();
    ASSERT_EQ(session->CatalogueIndexOfRow(1), 1);
    session->ClickCatalogue(1);
    EXPECT_TRUE(o.fraSearchDataVisible);
    EXPECT_EQ(States(), "........");
    EXPECT_EQ(session->CatalogueIndexOfRow(1), 0) << "a row of the cleared list names no motor";
    session->ClickObsoleteMotors(1);
    EXPECT_EQ(o.optCatalogue, 0) << "only obsolete motors forces the catalogue view";
    EXPECT_FALSE(o.optCatalogueEnabled[1]);
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{4}));
    session->ClickObsoleteMotors(0);
    EXPECT_TRUE(o.optCatalogueEnabled[1]);
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{1, 2, 4}));
    EXPECT_FALSE(session->outputs().Label14Visible);
}

TEST_F(SessionTest, SearchRefusalsAndWarnings) {
    const struct {
        const char* name;
        Texts texts;
        std::vector<int> keys; // the messages the search gives
        int searchCase;        // 0: no search
    } rows[] = {
        {"above range refuses", {"10001", "2000", "", "", "", "", "", ""}, {167}, 0},
        {"white pressure refuses", {"50", "2000", "", "", "", "", "", "2.5"}, {167}, 0},
        {"too few values", {"50", "", "", "", "", "", "", ""}, {141}, 0},
        // Speed is not counted: two counted values search silently, a third one warns.
        {"two counted values", {"50", "2000", "10", "", "", "", "", ""}, {}, 1},
        {"three counted values", {"50", "2000", "10", "", "500", "", "", ""}, {142}, 1},
        {"free-speed bound with TKS", {"50", "2000", "10", "", "500", "100", "", ""}, {158, 142}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StartSearchView();
        Type(row.texts);
        session->ClickSearch();
        EXPECT_EQ(MessageKeys(), row.keys);
        EXPECT_EQ(session->lastSearchCase().value_or(0), row.searchCase);
        EXPECT_EQ(session->lastActionRefused(), row.searchCase == 0);
        if (row.searchCase == 0) {
            EXPECT_TRUE(session->results().grid.empty()) << "a refused search leaves the grid cleared";
        }
        const bool tooFew = row.keys == std::vector<int>{141};
        EXPECT_EQ(session->requests().helpTopicSuggested, tooFew ? 1 : 0);
        if (tooFew) {
            EXPECT_EQ(session->requests().lastHelpTopic, 2);
        }
    }
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(session->options().optTKSRestricted, 0);
    EXPECT_FALSE(session->options().optTKSRestrictedEnabled[1]);
    // Without TKS the next search gives "both versions" back (the field rules leave it alone here).
    session->ClickMotorType(1, false);
    sink.messages.clear();
    session->ClickSearch();
    EXPECT_TRUE(session->options().optTKSRestrictedEnabled[1]);
    EXPECT_EQ(MessageKeys(), (std::vector<int>{142}));

    StartSearchView();
    session->ClickMotorType(0, false);
    session->ClickMotorType(1, false);
    sink.messages.clear();
    session->ClickSearch();
    EXPECT_EQ(MessageKeys(), (std::vector<int>{140})) << "no series ticked";
    EXPECT_TRUE(session->lastActionRefused());

    // Counter-clockwise then stainless: both stay selected, the search warns and goes on.
    StartSearchView();
    session->ClickRotation(1);
    session->ClickSteel(1);
    TypeDuty();
    sink.messages.clear();
    session->ClickSearch();
    EXPECT_EQ(MessageKeys(), (std::vector<int>{62}));
    EXPECT_EQ(session->lastSearchCase(), 10);
}

TEST_F(SessionTest, NoMotorListedShowsTheEmptyRow) {
    StartSearchView();
    Type({{F::ArbetsMomentB, "5000"}, {F::ArbetsVarvtalB, "2000"}});
    session->ClickSearch();
    ASSERT_EQ(session->results().grid.size(), 1u);
    EXPECT_EQ(session->results().grid[0].cells, (std::array<std::string, 2>{"T4", "T4"}));
    EXPECT_FALSE(session->current().valid);
    const std::string before = session->current().strCurrentBenamning;
    EXPECT_FALSE(session->ClickCell(1, 0)) << "the empty-result row names no motor";
    EXPECT_EQ(session->current().strCurrentBenamning, before);
}

TEST_F(SessionTest, MaintenanceCodeLeavesCatalogueModeWithoutSearching) {
    StartSearchView(1); // the pressure goes back to the reference in display units
    TypeDuty();
    Type(F::TillgLuftTryckB, "583196");
    session->ClickSearch();
    EXPECT_EQ(std::tuple(session->bolKatalogMode(), session->lastSearchWasMaintenance(),
                         session->requests().maintenanceModeEntered),
              std::tuple(false, true, 1));
    EXPECT_EQ(std::pair(Box(F::TillgLuftTryckB).text, States().back()), std::pair(std::string("91"), '.'));
    EXPECT_TRUE(sink.messages.empty() && session->results().rows.empty()) << "no message, no search";
}

TEST_F(SessionTest, NewSearchDataResetsTheInput) {
    StartSearchView();
    Type({{F::ArbetsMomentB, "50"}, {F::StallmomentMaxB, "500"}, {F::TillgLuftTryckB, "5"}});
    session->SetDiagramAlternative(4);
    session->ClickNewSearchData();
    EXPECT_EQ(States(), "........");
    EXPECT_EQ(Box(F::TillgLuftTryckB).text, "6.3");
    EXPECT_EQ(session->input().values.sngStallmomentMax, 0.0f);
    EXPECT_EQ(session->intPressureMode(), 0);
    EXPECT_FALSE(session->bolArbetspunkt());
}

TEST_F(SessionTest, LanguageChangeRereadsTheUnitsAndListsAgain) {
    StartSearchView();
    Type(F::ArbetsMomentB, "10");
    language.intImperialUnits = 1;
    session->LanguageChanged();
    EXPECT_EQ(Box(F::TillgLuftTryckB).text, "91");
    EXPECT_EQ(session->input().values.sngArbetsMoment, 0.0f);
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{})) << "the search view lists nothing";
    session->ClickCatalogue(0);
    EXPECT_EQ(ListedIndexes(), (std::vector<int>{1, 2}));
}

} // namespace selection_session_test
} // namespace
} // namespace airmotor::core
