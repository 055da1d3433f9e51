#include "core/selection/SelectionSession.h"

#include "core/language/CaptionKeys.h"

#include "core/results/CurrentMotorDetails.h"
#include "core/selection/CatalogueListing.h"
#include "core/selection/Designation.h"
#include "core/selection/MotorFilter.h"
#include "core/selection/MotorSearch.h"

#include <initializer_list>

namespace airmotor::core {

namespace {

constexpr std::string_view kMaintenanceCode = "583196";
constexpr int kSearchHelpTopic = 2;

using F = RequirementField;

// The min/max partner of a bound field; the field itself for the others.
F PartnerOf(F field) {
    switch (field) {
    case F::TomgVarvMaxB:
        return F::TomgVarvMinB;
    case F::TomgVarvMinB:
        return F::TomgVarvMaxB;
    case F::StallmomentMaxB:
        return F::StallmomentMinB;
    case F::StallmomentMinB:
        return F::StallmomentMaxB;
    default:
        return field;
    }
}

bool AnySeriesTicked(const OptionStates& options) {
    return options.chkMotortype[0] || options.chkMotortype[1] || options.chkMotortype[2];
}

// The pressure field's reference value (6.3 bar) in the units the field shows: "6.3" psi would be wrong.
const char* ReferencePressureText(const LanguageState& language) {
    return language.intImperialUnits == 1 ? "91" : "6.3";
}

} // namespace

SelectionSession::SelectionSession(const MotorCatalogue& catalogue, LanguageState& language,
                                   MessageSink& messages)
    : catalogue_(catalogue), language_(language), messages_(messages) {
    input_.box(F::TillgLuftTryckB).text = "6.3";
}

// ---------------------------------------------------------------- helpers

void SelectionSession::ShowMessage(int key, MessageIcon icon) {
    ShowMessage(key, language_.strText(key), icon);
}

void SelectionSession::ShowMessage(int key, std::string text, MessageIcon icon) {
    Message m;
    m.key = key;
    m.text = std::move(text);
    m.icon = icon;
    messages_.show(m);
}

bool SelectionSession::ShowOutcome(SearchOutcome&& outcome) {
    results_.rows = std::move(outcome.rows);
    results_.grid = std::move(outcome.grid);
    results_.Label23Visible = outcome.Label23Visible;
    if (results_.rows.empty()) {
        GridRow none;
        none.cells = {language_.strText(4), language_.strText(4)};
        results_.grid.push_back(none);
        RequestHideDiagramAndDrawing();
        return false;
    }
    results_.currentGridRow = 1;
    results_.currentGridColumn = 0;
    RunCellClick(1, 0);
    return true;
}

void SelectionSession::RequestHideDiagramAndDrawing() {
    ++requests_.hideDiagramAndDrawing;
    if (listener_)
        listener_->HideDiagramAndDrawing();
}

void SelectionSession::ClearDetails() {
    for (std::string* label :
         {&panel_.MaxeffektR, &panel_.NMaxeffR, &panel_.MinStartMomentR, &panel_.StallmomentR,
          &panel_.lblWeight, &panel_.QmR, &panel_.RelativprisR, &panel_.lblProductNumber, &panel_.MmaxeffR,
          &panel_.NtomgangR, &panel_.ArbetstryckR, &panel_.StrypningR, &panel_.lblClass})
        label->clear();
    current_.valid = false;
    lastInformation_.reset();
}

void SelectionSession::ClearResults() {
    results_.rows.clear();
    results_.clearGrid();
    results_.intValdRad = 0;
    ClearDetails();
    bolResultatRensat_ = true;
}

void SelectionSession::ComputeArbetspunkt() {
    bolArbetspunkt_ = WorkingPointGiven(input_.values, input_.box(F::ArbetsMomentB).text,
                                        input_.box(F::ArbetsVarvtalB).text);
}

// ---------------------------------------------------------------- requirement fields

void SelectionSession::OnFieldChanged(F field, bool runPartnerRule) {
    input_.ValidateAndStore(field, language_.units, language_.intImperialUnits == 1);
    if (field == F::TillgLuftTryckB) {
        // While the catalogue list is shown a new pressure only rescales the current motor.
        if (!bolResultatRensat_ && !bolKatalogLista_)
            ClearResults();
        PressureFactors(input_.values.sngTillgLuftTryck, current_.strCurrentBenamning, factors_);
        return;
    }
    if (!bolResultatRensat_)
        ClearResults();
    if (field == F::ArbetsMomentB || field == F::ArbetsVarvtalB)
        input_.UpdatePowerLabel(language_.units);
    if (runPartnerRule && PartnerOf(field) != field)
        ApplyPartnerRule(field);
}

void SelectionSession::ChangeFieldText(F field, const std::string& text, bool runPartnerRule) {
    NumericTextBox& b = input_.box(field);
    if (b.text == text)
        return; // an unchanged text fires no change
    b.text = text;
    OnFieldChanged(field, runPartnerRule);
}

void SelectionSession::ApplyPartnerRule(F field) {
    const F partner = PartnerOf(field);
    // The partner's own rule must not run: it would empty the field being typed.
    ChangeFieldText(partner, "", false);
    if (input_.valueOf(field) <= 0)
        SetFieldEnabled(input_.box(partner), true, kColourValid);
    else
        SetFieldEnabled(input_.box(partner), false, kColourDisabled);
    if ((field == F::TomgVarvMinB || field == F::TomgVarvMaxB) && input_.values.sngTomgVarvMin == 0 &&
        input_.values.sngTomgVarvMax == 0)
        options_.optTKSRestrictedEnabled[1] = true;
}

void SelectionSession::TypeIntoField(F field, std::string_view typed) {
    std::string text;
    bool enter = false;
    for (char c : typed) {
        auto key = static_cast<std::int16_t>(static_cast<unsigned char>(c));
        if (!NumericKeyFilter(key)) {
            ++requests_.beeps;
            if (listener_)
                listener_->Beep();
            continue;
        }
        if (key == 8) {
            if (!text.empty())
                text.pop_back();
        } else if (key == 13) {
            enter = true;
        } else {
            text.push_back(static_cast<char>(key));
        }
    }
    ChangeFieldText(field, text, true);
    if (enter)
        PressEnter(field);
}

void SelectionSession::SetFieldText(F field, const std::string& text) {
    ChangeFieldText(field, text, true);
}

TextSelection SelectionSession::FocusField(F field) const {
    return SelectAllOnFocus(input_.box(field));
}

void SelectionSession::EnableField(F field) {
    SetFieldEnabled(input_.box(field), true, kColourValid);
}

void SelectionSession::RunInterplayRules() {
    ComputeArbetspunkt();
    const RequirementValues& v = input_.values;
    const bool wp = bolArbetspunkt_;
    const bool start = v.sngMinStartmoment > 0;
    const bool freeSpeed = v.sngTomgVarvMin > 0 || v.sngTomgVarvMax > 0;
    const bool stall = v.sngStallmomentMin > 0 || v.sngStallmomentMax > 0;
    auto disable = [this](std::initializer_list<F> fields) {
        for (F f : fields)
            SetFieldEnabled(input_.box(f), false, kColourDisabled);
    };
    if (start && wp) {
        disable({F::TomgVarvMaxB, F::TomgVarvMinB, F::StallmomentMinB, F::StallmomentMaxB});
    } else if (freeSpeed && wp) {
        disable({F::MinStartmomentB, F::StallmomentMinB, F::StallmomentMaxB});
    } else if (stall && wp) {
        disable({F::MinStartmomentB, F::TomgVarvMaxB, F::TomgVarvMinB});
    } else if (start && freeSpeed) {
        disable({F::ArbetsMomentB, F::ArbetsVarvtalB, F::StallmomentMinB, F::StallmomentMaxB});
    } else if (start && stall) {
        disable({F::ArbetsMomentB, F::ArbetsVarvtalB, F::TomgVarvMaxB, F::TomgVarvMinB});
    } else if (stall && freeSpeed) {
        disable({F::ArbetsMomentB, F::ArbetsVarvtalB, F::MinStartmomentB});
    } else {
        for (F f : {F::ArbetsMomentB, F::ArbetsVarvtalB, F::MinStartmomentB})
            SetFieldEnabled(input_.box(f), true, kColourValid);
        if (v.sngTomgVarvMin == 0)
            SetFieldEnabled(input_.box(F::TomgVarvMaxB), true, kColourValid);
        if (v.sngTomgVarvMax == 0)
            SetFieldEnabled(input_.box(F::TomgVarvMinB), true, kColourValid);
        if (v.sngStallmomentMax == 0)
            SetFieldEnabled(input_.box(F::StallmomentMinB), true, kColourValid);
        if (v.sngStallmomentMin == 0)
            SetFieldEnabled(input_.box(F::StallmomentMaxB), true, kColourValid);
    }
}

void SelectionSession::ApplyPressureLeaveRule() {
    const float p = input_.values.sngTillgLuftTryck;
    if (language_.intImperialUnits == 1) {
        if (p / language_.units.sngUnitPressure < 44)
            SetFieldText(F::TillgLuftTryckB, "44");
    } else if (p < 3.0) {
        SetFieldText(F::TillgLuftTryckB, "3");
    }
}

void SelectionSession::LeaveField(F field) {
    RunInterplayRules();
    if (field != F::TillgLuftTryckB)
        return;
    ApplyPressureLeaveRule();
    if (options_.optCatalogue == 0)
        ClickAllMotors();
    else
        ClickSearch();
}

void SelectionSession::PressEnter(F field) {
    RunInterplayRules();
    if (field == F::TillgLuftTryckB)
        RunCellClick(results_.currentGridRow, results_.currentGridColumn);
}

// ---------------------------------------------------------------- buttons

void SelectionSession::ClickSearch() {
    lastSearchCase_.reset();
    lastActionRefused_ = false;
    lastSearchWasMaintenance_ = false;
    NumericTextBox& pressure = input_.box(F::TillgLuftTryckB);
    if (pressure.text == kMaintenanceCode) {
        lastSearchWasMaintenance_ = true;
        bolKatalogMode_ = false;
        ++requests_.maintenanceModeEntered;
        if (listener_)
            listener_->MaintenanceModeEntered();
        SetFieldText(F::TillgLuftTryckB, ReferencePressureText(language_));
        return;
    }
    results_.Label23Visible = false;
    bolKatalogLista_ = false;
    results_.rows.clear();
    results_.clearGrid();

    const RequirementValues& v = input_.values;
    if (options_.chkMotortype[1] && (v.sngTomgVarvMin > 0 || v.sngTomgVarvMax > 0)) {
        ShowMessage(158);
        options_.optTKSRestricted = 0;
        options_.optTKSRestrictedEnabled[1] = false;
    } else {
        options_.optTKSRestrictedEnabled[1] = true;
    }
    if (!AnySeriesTicked(options_)) {
        ShowMessage(140, MessageIcon::Information);
        lastActionRefused_ = true;
        return;
    }
    if (options_.optSteel == 1 && options_.optRotation == 1)
        ShowMessage(62);
    bool valid = pressure.colour == kColourValid;
    for (F f : {F::ArbetsMomentB, F::ArbetsVarvtalB, F::MinStartmomentB, F::TomgVarvMinB, F::TomgVarvMaxB,
                F::StallmomentMinB, F::StallmomentMaxB}) {
        const int colour = input_.box(f).colour;
        valid = valid && (colour == kColourValid || colour == kColourDisabled);
    }
    if (!valid) {
        ShowMessage(167);
        lastActionRefused_ = true;
        return;
    }
    results_.intValdRad = 0;
    if (CountGivenValues(v) > 2)
        ShowMessage(142, MessageIcon::Warning);
    ComputeArbetspunkt();
    const int searchCase = ChooseSearchCase(v, bolArbetspunkt_);
    if (searchCase == 0) {
        // The engine opens no help window: it only suggests the search topic to the window.
        ++requests_.helpTopicSuggested;
        requests_.lastHelpTopic = kSearchHelpTopic;
        if (listener_)
            listener_->HelpTopicSuggested(kSearchHelpTopic);
        RequestHideDiagramAndDrawing();
        ShowMessage(141);
        lastActionRefused_ = true;
        return;
    }
    lastSearchCase_ = searchCase;

    MotorSearch search(catalogue_, v, searchCase, MotorFilter::From(options_), factors_);
    SearchOutcome outcome = search.Run(language_.strText);
    factors_ = PressureFactorValues{1.0f, 1.0f, 1.0f};
    results_.intValdRad = static_cast<std::int16_t>(outcome.rows.size());
    if (!ShowOutcome(std::move(outcome)))
        ClearDetails();
    bolResultatRensat_ = false;
}

void SelectionSession::ClickAllMotors() {
    lastSearchCase_.reset();
    lastActionRefused_ = false;
    lastSearchWasMaintenance_ = false;
    for (ResultRow& row : results_.rows) {
        row.sngRadStrypning = 0.0f;
        row.sngRadTryck = 0.0f;
    }
    results_.Label23Visible = false;
    if (!AnySeriesTicked(options_)) {
        ShowMessage(140, MessageIcon::Information);
        lastActionRefused_ = true;
        return;
    }
    bolKatalogLista_ = true;
    bolArbetspunkt_ = false;
    if (options_.optCatalogue != 0)
        return;
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetFieldText(static_cast<F>(k), "");
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetFieldEnabled(input_.box(static_cast<F>(k)), false, kColourDisabled);
    results_.clearGrid();

    ShowOutcome(CatalogueListing(catalogue_, MotorFilter::From(options_), options_.optObsoleteMotors,
                                 language_.strText));
    bolResultatRensat_ = false;
    outputs_.Label14Visible = false;
    outputs_.frameDiagramAlternativVisible = false;
    outputs_.EnbartDiagramB = 0;
}

void SelectionSession::ClickNewSearchData() {
    language_.units = UnitFactors::ForImperial(language_.intImperialUnits);
    ClearResults();
    bolArbetspunkt_ = false;
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetFieldText(static_cast<F>(k), "");
    SetFieldText(F::TillgLuftTryckB, ReferencePressureText(language_));
    for (F f : kAllRequirementFields) {
        input_.box(f).enabled = true;
        input_.box(f).colour = kColourValid;
    }
    outputs_.PrinterutskriftBVisible = false;
    outputs_.frameDiagramAlternativVisible = false;
    input_.EffektA.text.clear();
    intPressureMode_ = 0;
    RequestHideDiagramAndDrawing();
}

void SelectionSession::LanguageChanged() {
    ClickNewSearchData();
    ClickAllMotors();
}

void SelectionSession::Load() {
    options_ = OptionStates{};
    options_.optLubricated = 1;
    options_.chkMotortypeEnabled[2] = true;
    outputs_ = OutputControls{};
    bolKatalogMode_ = true;
    input_.box(F::TillgLuftTryckB).text = "6.3";
    // The series flags follow the ticks from the start: PGW is neither ticked nor searched.
    UpdateSeriesFlags();
    ClickNewSearchData();
    options_.chkMotortypeVisible[2] = false;
    options_.Frame3D5Width = 1600;
    options_.optCatalogue = 0;
    options_.fraSearchDataVisible = false;
    ClickAllMotors();
}

// ---------------------------------------------------------------- options

void SelectionSession::BeginOptionClick() {
    if (!bolResultatRensat_)
        ClearResults();
}

void SelectionSession::UpdateSeriesFlags() {
    options_.intTypTKM = options_.chkMotortype[0] ? 1 : 0;
    options_.intTypTKS = options_.chkMotortype[1] ? 1 : 0;
    options_.intTypPGW = options_.chkMotortype[2] ? 1 : 0;
    options_.fraTKMAlternativVisible = options_.chkMotortype[0];
    options_.fraTKSAlternativVisible = options_.chkMotortype[1];
}

void SelectionSession::ClickMotorType(int index, bool ticked) {
    if (index < 0 || index > 2)
        return;
    options_.chkMotortype[static_cast<std::size_t>(index)] = ticked;
    BeginOptionClick();
    UpdateSeriesFlags();
    ClickAllMotors();
}

void SelectionSession::SetMotorTypeTick(int index, bool ticked) {
    if (options_.chkMotortype[static_cast<std::size_t>(index)] != ticked)
        ClickMotorType(index, ticked);
}

void SelectionSession::ClickRotation(int index) {
    if (index < 0 || index > 2)
        return;
    options_.optRotation = index;
    BeginOptionClick();
    // Stainless motors are not made counter-clockwise.
    options_.optSteelEnabled[1] = index != 1;
    ClickAllMotors();
}

void SelectionSession::SelectRotation(int index) {
    if (options_.optRotation != index)
        ClickRotation(index);
}

void SelectionSession::ClickSteel(int index) {
    if (index < 0 || index > 1)
        return;
    options_.optSteel = index;
    options_.intOptSteel = static_cast<std::int16_t>(index);
    BeginOptionClick();
    if (index == 1) {
        options_.optRotationEnabled[1] = false;
        SetMotorTypeTick(0, true);
        SelectLubricated(1);
        options_.optLubricatedEnabled[0] = false;
    } else {
        options_.optLubricatedEnabled[0] = true;
        if (options_.intOptBrake == 0)
            options_.optRotationEnabled[1] = true;
    }
    ClickAllMotors();
}

void SelectionSession::SelectSteel(int index) {
    if (options_.optSteel != index)
        ClickSteel(index);
}

void SelectionSession::ClickBrake(int index) {
    if (index < 0 || index > 1)
        return;
    options_.optBrake = index;
    options_.intOptBrake = static_cast<std::int16_t>(index);
    BeginOptionClick();
    SetMotorTypeTick(0, true);
    if (index == 1) {
        SelectRotation(2);
        options_.optRotationEnabled[0] = false;
        options_.optRotationEnabled[1] = false;
    } else {
        options_.optLubricatedEnabled[0] = true;
        options_.optRotationEnabled[0] = true;
        if (options_.optSteel == 0)
            options_.optRotationEnabled[1] = true;
    }
    ClickAllMotors();
}

void SelectionSession::SelectBrake(int index) {
    if (options_.optBrake != index)
        ClickBrake(index);
}

void SelectionSession::ClickLubricated(int index) {
    if (index < 0 || index > 1)
        return;
    options_.optLubricated = index;
    options_.intOptLubricated = static_cast<std::int16_t>(index);
    BeginOptionClick();
    ClickAllMotors();
}

void SelectionSession::SelectLubricated(int index) {
    if (options_.optLubricated != index)
        ClickLubricated(index);
}

void SelectionSession::ClickSteelTKS(int index) {
    if (index < 0 || index > 1)
        return;
    options_.optSteelTKS = index;
    BeginOptionClick();
    if (index == 1) {
        SelectLubricatedTKS(1);
        options_.optLubricatedTKSEnabled[0] = false;
    } else {
        options_.optLubricatedTKSEnabled[0] = true;
    }
    ClickAllMotors();
}

void SelectionSession::SelectSteelTKS(int index) {
    if (options_.optSteelTKS != index)
        ClickSteelTKS(index);
}

void SelectionSession::ClickLubricatedTKS(int index) {
    if (index < 0 || index > 1)
        return;
    options_.optLubricatedTKS = index;
    BeginOptionClick();
    ClickAllMotors();
}

void SelectionSession::SelectLubricatedTKS(int index) {
    if (options_.optLubricatedTKS != index)
        ClickLubricatedTKS(index);
}

void SelectionSession::ClickTKSRestricted(int index) {
    if (index < 0 || index > 2)
        return;
    options_.optTKSRestricted = index;
    BeginOptionClick();
    ClickAllMotors();
}

void SelectionSession::ClickCatalogue(int index) {
    if (index < 0 || index > 1)
        return;
    options_.optCatalogue = index;
    BeginOptionClick();
    if (index == 0) {
        options_.fraSearchDataVisible = false;
        ClickAllMotors();
        return;
    }
    options_.fraSearchDataVisible = true;
    results_.rows.clear();
    results_.clearGrid();
    // The listing left the duty fields empty and locked; the focus goes into the first at once.
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetFieldEnabled(input_.box(static_cast<F>(k)), true, kColourValid);
    if (listener_)
        listener_->FocusField(F::ArbetsMomentB);
}

void SelectionSession::SelectCatalogue(int index) {
    if (options_.optCatalogue != index)
        ClickCatalogue(index);
}

void SelectionSession::ClickObsoleteMotors(int index) {
    if (index < 0 || index > 2)
        return;
    options_.optObsoleteMotors = index;
    BeginOptionClick();
    if (index == 1) {
        SelectCatalogue(0);
        options_.optCatalogueEnabled = {false, false};
    } else {
        options_.optCatalogueEnabled = {true, true};
    }
    results_.clearGrid();
    ClickAllMotors();
}

void SelectionSession::SelectObsoleteMotors(int index) {
    if (options_.optObsoleteMotors != index)
        ClickObsoleteMotors(index);
}

void SelectionSession::ToggleOnlyObsoleteMotors() {
    options_.mnuOnlyObsoleteMotors = !options_.mnuOnlyObsoleteMotors;
    const bool on = options_.mnuOnlyObsoleteMotors;
    SetMotorTypeTick(0, true);
    SetMotorTypeTick(1, true);
    SetMotorTypeTick(2, on);
    options_.chkMotortypeVisible[2] = on;
    options_.Frame3D5Width = on ? 2505 : 1600;
    options_.fraObsoleteMotorsVisible = on;
    SelectObsoleteMotors(on ? 0 : 2);
    ClickAllMotors();
}

void SelectionSession::ClickDefaultOptions() {
    SelectRotation(0);
    SelectLubricated(0);
    SelectSteel(0);
    SelectBrake(0);
    SelectLubricated(1);
}

void SelectionSession::ToggleShowAlwaysDiagram() {
    options_.mnuShowAlwaysDiagram = !options_.mnuShowAlwaysDiagram;
}

void SelectionSession::ClickOutputOption(int index) {
    if (index < 0 || index > 2)
        return;
    outputs_.EnbartDiagramB = index;
    if (index != 1)
        return;
    outputs_.frameDiagramAlternativVisible = true;
    if (options_.mnuShowAlwaysDiagram) {
        ++requests_.showDiagramWindow;
        if (listener_)
            listener_->ShowDiagramWindow();
    }
}

void SelectionSession::SetDiagramAlternative(int mode) {
    if (mode >= 0 && mode <= 5)
        intPressureMode_ = mode;
}

void SelectionSession::ClickDiagramAlternative(int index) {
    if (index < 0 || index > 5)
        return;
    SetDiagramAlternative(index);
    if (index == 0)
        input_.values.sngTillgLuftTryck = 6.3f;
    else
        input_.ValidateAndStore(RequirementField::TillgLuftTryckB, language_.units,
                                language_.intImperialUnits == 1);
    PressureFactors(input_.values.sngTillgLuftTryck, current_.strCurrentBenamning, factors_);
    panel_.Label17 = PerformanceHeading(language_, input_.values.sngTillgLuftTryck);
    if (results_.currentGridRow > 0)
        RunCellClick(results_.currentGridRow, results_.currentGridColumn);
}

// ---------------------------------------------------------------- result grid

bool SelectionSession::ClickCell(int row, int column) {
    results_.currentGridRow = row;
    results_.currentGridColumn = column;
    return RunCellClick(row, column);
}

bool SelectionSession::RunCellClick(int row, int column) {
    lastInformation_.reset();
    const std::string cellText = results_.cell(row, column);
    // A cell names a motor only on a stored result row (not the "no motor" line).
    const bool hit = !cellText.empty() && row >= 1 && row <= results_.rowCount();
    const int k = hit ? results_.rows[static_cast<std::size_t>(row - 1)].intRadKatalogindex : 0;
    const bool validMotor = hit && k >= 1 && k <= catalogue_.intAntalMotorer;
    // The clicked motor is made current before its factors are computed, so the panel never shows
    // one motor's figures scaled with another family's factors.
    const std::string& designation =
        validMotor ? catalogue_.strBenamning[static_cast<std::size_t>(k)] : current_.strCurrentBenamning;
    PressureFactors(input_.values.sngTillgLuftTryck, designation, factors_);
    panel_.Label17 = PerformanceHeading(language_, input_.values.sngTillgLuftTryck);
    if (!validMotor)
        return false;

    current_.intValdKolumn = static_cast<std::int16_t>(column);
    const int gridRows = static_cast<int>(results_.grid.size()) + 1; // with the header row
    if (current_.intForraRad >= 1 && current_.intForraRad < gridRows)
        results_.grid[static_cast<std::size_t>(current_.intForraRad - 1)].cellColour = {kCellColourReset,
                                                                                        kCellColourReset};
    results_.grid[static_cast<std::size_t>(row - 1)].cellColour[static_cast<std::size_t>(column)] =
        kCellColourSelected;
    current_.intForraRad = static_cast<std::int16_t>(row);
    results_.intValdRad = static_cast<std::int16_t>(row);
    results_.currentGridRow = row;
    results_.currentGridColumn = column;

    const ResultRow& resultRow = results_.rows[static_cast<std::size_t>(row - 1)];
    MakeCurrentMotor(current_, catalogue_, k, factors_);
    FillDetailPanel(panel_, current_, catalogue_, resultRow, column, cellText, factors_, language_);

    outputs_.PrinterutskriftBEnabled = true;
    outputs_.PrinterutskriftBVisible = true;
    outputs_.mnuPrintEnabled = true;
    outputs_.MotordiagramBEnabled = true;
    outputs_.cboDiagramAlternativEnabled = true;
    outputs_.EnbartDiagramBEnabled = {true, true, true};
    if (StartsWith(catalogue_.strMattskiss[static_cast<std::size_t>(k)], "http")) {
        outputs_.EnbartDiagramB = 0;
        outputs_.EnbartDiagramBEnabled[2] = false;
    }
    if (options_.mnuShowAlwaysDiagram) {
        ++requests_.showDiagram;
        if (listener_)
            listener_->ShowDiagram();
    }
    if (!cellText.empty() && cellText[0] == '(') {
        lastInformation_ =
            StartTorqueInformation(catalogue_, k, resultRow, input_.values.sngArbetsMoment, language_);
        ShowMessage(138, *lastInformation_, MessageIcon::Information);
    }
    ++requests_.calculatorsInvalidated;
    if (listener_)
        listener_->CalculatorsInvalidated();
    if (Contains(current_.strCurrentBenamning, "5-BG")) {
        ++requests_.openMountingPositions;
        if (listener_)
            listener_->OpenMountingPositions();
    }
    return true;
}

std::optional<DiagramScale> SelectionSession::CurrentScale() const {
    if (!current_.valid)
        return std::nullopt;
    return CurrentMotorScale(catalogue_, current_.katalogIndex, factors_, language_.units, intPressureMode_,
                             bolKatalogMode_);
}

void SelectionSession::ChooseMountingPosition(int picture) {
    if (!current_.valid || picture < 0 || picture > 5)
        return;
    panel_.lblClass = MountingPositionText(picture, language_.strText);
}

} // namespace airmotor::core
