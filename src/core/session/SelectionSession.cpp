#include "core/session/SelectionSession.h"

#include "core/common/Keys.h"
#include "core/results/CurrentMotorDetails.h"
#include "core/results/SearchSummary.h"
#include "core/selection/CatalogueListing.h"
#include "core/selection/Designation.h"
#include "core/selection/GridRowText.h"
#include "core/selection/MotorFilter.h"
#include "core/selection/MotorSearch.h"
#include "core/session/CaptionKeys.h"

#include <initializer_list>

namespace airmotor::core {

namespace {

constexpr std::string_view kMaintenanceCode = "583196";
constexpr int kSearchHelpTopic = 2;

using F = RequirementField;

bool AnySeriesTicked(const OptionStates& options) {
    return options.chkMotortype[0] || options.chkMotortype[1] || options.chkMotortype[2];
}

} // namespace

SelectionSession::SelectionSession(const MotorCatalogue& catalogue, LanguageState& language,
                                   MessageSink& messages)
    : catalogue_(catalogue), language_(language), messages_(messages), editor_(language, *this),
      interlocks_(*this) {}

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
    results_.grid = ResultGrid(catalogue_, outcome.rows, outcome.startTooLow, language_.strText);
    results_.rows = std::move(outcome.rows);
    results_.Label23Visible = outcome.Label23Visible;
    if (results_.rows.empty()) {
        GridRow none;
        none.cells = {language_.strText(TextKey::NoMotorFound), language_.strText(TextKey::NoMotorFound)};
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

std::optional<Message> SelectionSession::pressureRefusal() const {
    if (!pressureRefused_)
        return std::nullopt;
    Message m;
    m.key = TextKey::InvalidSearchField;
    m.text = AllowedPressureText(language_);
    m.icon = MessageIcon::Warning;
    return m;
}

void SelectionSession::ClearResults() {
    results_.rows.clear();
    results_.clearGrid();
    results_.intValdRad = 0;
    ClearDetails();
    bolResultatRensat_ = true;
}

// ---------------------------------------------------------------- requirement fields

void SelectionSession::RequirementChanged(F field) {
    if (field == F::TillgLuftTryckB) {
        catalogueCurves_ = false;
        // While the catalogue list is shown a new pressure only rescales the current motor.
        if (!bolResultatRensat_ && !bolKatalogLista_)
            ClearResults();
        PressureFactors(editor_.input().values.sngTillgLuftTryck, current_.strCurrentBenamning, factors_);
        return;
    }
    if (!bolResultatRensat_)
        ClearResults();
}

void SelectionSession::FreeSpeedLimitsCleared() {
    optionStates().optTKSRestrictedEnabled[1] = true;
}

void SelectionSession::KeyRejected() {
    ++requests_.beeps;
    if (listener_)
        listener_->Beep();
}

void SelectionSession::TypeIntoField(F field, std::string_view typed) {
    if (editor_.Type(field, typed))
        PressEnter(field);
}

void SelectionSession::SetFieldText(F field, const std::string& text) {
    editor_.SetText(field, text);
}

TextSelection SelectionSession::FocusField(F field) const {
    return SelectAllOnFocus(editor_.input().box(field));
}

void SelectionSession::EnableField(F field) {
    editor_.Enable(field);
}

void SelectionSession::RunInterplayRules() {
    editor_.RunInterplayRules();
}

void SelectionSession::ApplyPressureLeaveRule() {
    editor_.ApplyPressureLeaveRule();
}

void SelectionSession::LeaveField(F field) {
    editor_.RunInterplayRules();
    if (field != F::TillgLuftTryckB)
        return;
    editor_.ApplyPressureLeaveRule();
    if (options().optCatalogue == 0)
        ClickAllMotors();
    else
        ClickSearch();
}

void SelectionSession::PressEnter(F field) {
    editor_.RunInterplayRules();
    if (field == F::TillgLuftTryckB)
        RunCellClick(results_.currentGridRow, results_.currentGridColumn);
}

// ---------------------------------------------------------------- buttons

void SelectionSession::EnterReducedMaintenance() {
    editor_.SetText(F::TillgLuftTryckB, "");
    bolKatalogMode_ = false;
    editor_.SetText(F::TillgLuftTryckB, editor_.ReferencePressureText());
}

void SelectionSession::ClickSearch() {
    lastSearchCase_.reset();
    lastActionRefused_ = false;
    lastSearchWasMaintenance_ = false;
    const NumericTextBox& pressure = editor_.input().box(F::TillgLuftTryckB);
    if (pressure.text == kMaintenanceCode) {
        lastSearchWasMaintenance_ = true;
        bolKatalogMode_ = false;
        ++requests_.maintenanceModeEntered;
        if (listener_)
            listener_->MaintenanceModeEntered();
        editor_.SetText(F::TillgLuftTryckB, editor_.ReferencePressureText());
        return;
    }
    UseFieldPressure();
    results_.Label23Visible = false;
    bolKatalogLista_ = false;
    results_.rows.clear();
    results_.clearGrid();

    const RequirementValues& v = editor_.input().values;
    OptionStates& options = optionStates();
    if (options.chkMotortype[1] && (v.sngTomgVarvMin > 0 || v.sngTomgVarvMax > 0)) {
        ShowMessage(TextKey::TksRestrictedOnly);
        options.optTKSRestricted = 0;
        options.optTKSRestrictedEnabled[1] = false;
    } else {
        options.optTKSRestrictedEnabled[1] = true;
    }
    if (!AnySeriesTicked(options)) {
        ShowMessage(TextKey::NoMotorTypeTicked, MessageIcon::Information);
        lastActionRefused_ = true;
        return;
    }
    if (options.optSteel == 1 && options.optRotation == 1)
        ShowMessage(TextKey::StainlessNotCounterClockwise);
    bool valid = pressure.colour == kColourValid;
    for (F f : {F::ArbetsMomentB, F::ArbetsVarvtalB, F::MinStartmomentB, F::TomgVarvMinB, F::TomgVarvMaxB,
                F::StallmomentMinB, F::StallmomentMaxB}) {
        const int colour = editor_.input().box(f).colour;
        valid = valid && (colour == kColourValid || colour == kColourDisabled);
    }
    if (!valid) {
        ShowMessage(TextKey::InvalidSearchField);
        lastActionRefused_ = true;
        return;
    }
    results_.intValdRad = 0;
    if (CountGivenValues(v) > 2)
        ShowMessage(TextKey::MoreThanTwoValues, MessageIcon::Warning);
    const int searchCase = ChooseSearchCase(v, editor_.ComputeWorkingPoint());
    if (searchCase == NoCase) {
        // The engine opens no help window: it only suggests the search topic to the window.
        ++requests_.helpTopicSuggested;
        requests_.lastHelpTopic = kSearchHelpTopic;
        if (listener_)
            listener_->HelpTopicSuggested(kSearchHelpTopic);
        RequestHideDiagramAndDrawing();
        ShowMessage(TextKey::NoSearchCase);
        lastActionRefused_ = true;
        return;
    }
    lastSearchCase_ = searchCase;

    MotorSearch search(catalogue_, v, searchCase, MotorFilter::From(options), factors_);
    SearchOutcome outcome = search.Run();
    factors_ = PressureFactorValues{1.0f, 1.0f, 1.0f};
    results_.intValdRad = static_cast<std::int16_t>(outcome.rows.size());
    if (!ShowOutcome(std::move(outcome)))
        ClearDetails();
    bolResultatRensat_ = false;
}

void SelectionSession::UseFieldPressure() {
    const float stored = DiagramPressure();
    catalogueCurves_ = false;
    editor_.RereadPressure();
    const float shown = editor_.input().values.sngTillgLuftTryck;
    // As the field's change rule does; an unchanged value keeps the factors the last click left.
    if (shown != stored)
        PressureFactors(shown, current_.strCurrentBenamning, factors_);
}

int SelectionSession::CatalogueIndexOfRow(int row) const {
    if (row <= 0 || row > results_.rowCount())
        return 0;
    const int index = results_.rows[static_cast<std::size_t>(row - 1)].intRadKatalogindex;
    return index > 0 && index <= catalogue_.intAntalMotorer ? index : 0;
}

float SelectionSession::DiagramPressure() const {
    return catalogueCurves_ ? kReferencePressureBar : editor_.input().values.sngTillgLuftTryck;
}

void SelectionSession::ClickAllMotors() {
    UseFieldPressure();
    lastSearchCase_.reset();
    lastActionRefused_ = false;
    lastSearchWasMaintenance_ = false;
    for (ResultRow& row : results_.rows) {
        row.sngRadStrypning = 0.0f;
        row.sngRadTryck = 0.0f;
    }
    results_.Label23Visible = false;
    if (!AnySeriesTicked(options())) {
        ShowMessage(TextKey::NoMotorTypeTicked, MessageIcon::Information);
        lastActionRefused_ = true;
        return;
    }
    bolKatalogLista_ = true;
    editor_.ClearWorkingPoint();
    if (options().optCatalogue != 0)
        return;
    editor_.ClearAndLockDutyFields();
    results_.clearGrid();

    ShowOutcome(CatalogueListing(catalogue_, MotorFilter::From(options()), options().optObsoleteMotors));
    bolResultatRensat_ = false;
    outputs_.Label14Visible = false;
    outputs_.frameDiagramAlternativVisible = false;
    outputs_.EnbartDiagramB = 0;
}

void SelectionSession::ClickNewSearchData() {
    language_.units = UnitFactors::ForImperial(language_.intImperialUnits);
    ClearResults();
    editor_.Reset();
    outputs_.PrinterutskriftBVisible = false;
    outputs_.frameDiagramAlternativVisible = false;
    intPressureMode_ = 0;
    RequestHideDiagramAndDrawing();
}

void SelectionSession::LanguageChanged() {
    ClickNewSearchData();
    ClickAllMotors();
}

void SelectionSession::Load() {
    interlocks_.Reset();
    outputs_ = OutputControls{};
    bolKatalogMode_ = true;
    editor_.input().box(F::TillgLuftTryckB).text = kReferencePressureText;
    ClickNewSearchData();
    ClickAllMotors();
}

// ---------------------------------------------------------------- options

void SelectionSession::OptionClickStarted() {
    if (!bolResultatRensat_)
        ClearResults();
}

void SelectionSession::SearchViewChosen() {
    results_.rows.clear();
    results_.clearGrid();
    // The listing left the duty fields empty and locked; the focus goes into the first at once.
    editor_.UnlockDutyFields();
    if (listener_)
        listener_->FocusField(F::ArbetsMomentB);
}

void SelectionSession::ToggleShowAlwaysDiagram() {
    optionStates().mnuShowAlwaysDiagram = !options().mnuShowAlwaysDiagram;
}

void SelectionSession::ClickOutputOption(int index) {
    if (index < 0 || index > 2)
        return;
    outputs_.EnbartDiagramB = index;
    if (index != 1)
        return;
    outputs_.frameDiagramAlternativVisible = true;
    if (options().mnuShowAlwaysDiagram) {
        ++requests_.showDiagramWindow;
        if (listener_)
            listener_->ShowDiagramWindow();
    }
}

void SelectionSession::ToggleDiagramOptions() {
    outputs_.frameDiagramAlternativVisible = !outputs_.frameDiagramAlternativVisible;
}

void SelectionSession::HideDiagramOptions() {
    outputs_.frameDiagramAlternativVisible = false;
}

void SelectionSession::SetDiagramAlternative(int mode) {
    if (mode >= 0 && mode <= 5)
        intPressureMode_ = mode;
}

void SelectionSession::ClickDiagramAlternative(int index) {
    if (index < 0 || index > 5)
        return;
    SetDiagramAlternative(index);
    // Only the curves and the panel go to the catalogue pressure: the requirement (printed, compared
    // and analysed) stays the pressure the user typed.
    catalogueCurves_ = index == 0;
    if (!catalogueCurves_)
        editor_.RereadPressure();
    PressureFactors(DiagramPressure(), current_.strCurrentBenamning, factors_);
    panel_.Label17 = PerformanceHeading(language_, DiagramPressure());
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
    const float pressure = DiagramPressure();
    PressureFactors(pressure, designation, factors_);
    panel_.Label17 = PerformanceHeading(language_, pressure);
    // The correction factors are fitted for the field's range only: beyond it they give negative
    // speeds and air. No figure is shown, printed or drawn until the pressure is valid again.
    pressureRefused_ = validMotor && editor_.input().box(F::TillgLuftTryckB).colour != kColourValid;
    if (pressureRefused_) {
        ClearDetails();
        outputs_.PrinterutskriftBEnabled = false;
        outputs_.mnuPrintEnabled = false;
        outputs_.MotordiagramBEnabled = false;
        outputs_.cboDiagramAlternativEnabled = false;
        outputs_.EnbartDiagramBEnabled = {false, false, false};
        RequestHideDiagramAndDrawing();
        return false;
    }
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
    if (options().mnuShowAlwaysDiagram) {
        ++requests_.showDiagram;
        if (listener_)
            listener_->ShowDiagram();
    }
    if (!cellText.empty() && cellText[0] == '(') {
        lastInformation_ = StartTorqueInformation(catalogue_, k, resultRow,
                                                  editor_.input().values.sngArbetsMoment, language_);
        ShowMessage(TextKey::StartTorqueOfThisMotor, *lastInformation_, MessageIcon::Information);
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
