#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/common/MessageSink.h"
#include "core/language/Language.h"
#include "core/model/MotorCurves.h"
#include "core/model/PressureFactors.h"
#include "core/results/CurrentMotor.h"
#include "core/selection/OptionStates.h"
#include "core/selection/RequirementInput.h"
#include "core/selection/ResultTable.h"
#include "core/session/OptionInterlocks.h"
#include "core/session/RequirementEditor.h"
#include "core/session/SelectionEvents.h"

#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

struct SearchOutcome;

// The whole behaviour of the main selection window without its widgets. The desktop window and the
// CLI drive it with the user's actions and render its state; neither holds a rule of its own.
// After every action the window re-reads the state it shows. The session orchestrates: the fields'
// own rules are RequirementEditor's, the option interlocks OptionInterlocks'.
class SelectionSession final : private RequirementEvents, private OptionEvents {
public:
    SelectionSession(const MotorCatalogue& catalogue, LanguageState& language, MessageSink& messages);

    void SetListener(SelectionListener* listener) { listener_ = listener; }

    // Main window load: start state (TKM and TKS ticked, PGW unticked and hidden, only new motors),
    // NyaIndataB, catalogue view and its listing with the click on row 1.
    void Load();

    // --- Requirement fields ---
    // Replaces the field's text as typed (the whole text was selected on focus): every character
    // passes NumericKeyFilter, then the change rule runs once. An Enter key in the text acts as Enter.
    void TypeIntoField(RequirementField field, std::string_view typed);
    // Sets the text directly (no key filter); the change rule runs when the text differs.
    void SetFieldText(RequirementField field, const std::string& text);
    TextSelection FocusField(RequirementField field) const;
    // LostFocus: interplay rules; for the pressure field also the leave rule and a search or listing.
    void LeaveField(RequirementField field);
    // Enter: interplay rules; for the pressure field also the row click on the current cell.
    void PressEnter(RequirementField field);
    // The pressure leave rule alone (raise below 3 bar / 44 psi), without a search or listing.
    void ApplyPressureLeaveRule();
    void RunInterplayRules();
    // Enables a disabled field with colour 14 (a user can only type into an enabled field).
    void EnableField(RequirementField field);

    // --- Buttons ---
    void ClickSearch();        // SökMotorB
    void ClickAllMotors();     // AllMotorsB
    void ClickNewSearchData(); // NyaIndataB
    // The reserved key on the first rotation option: catalogue mode off and the pressure field at
    // the reference pressure; the window opens the reduced motor data editor.
    void EnterReducedMaintenance();

    // --- Options (a click selects the option even when it is disabled) ---
    void ClickMotorType(int index, bool ticked) { interlocks_.ClickMotorType(index, ticked); }
    void ClickRotation(int index) { interlocks_.Click(OptionGroup::Rotation, index); }
    void ClickSteel(int index) { interlocks_.Click(OptionGroup::Steel, index); }
    void ClickBrake(int index) { interlocks_.Click(OptionGroup::Brake, index); }
    void ClickLubricated(int index) { interlocks_.Click(OptionGroup::Lubricated, index); }
    void ClickSteelTKS(int index) { interlocks_.Click(OptionGroup::SteelTKS, index); }
    void ClickLubricatedTKS(int index) { interlocks_.Click(OptionGroup::LubricatedTKS, index); }
    void ClickTKSRestricted(int index) { interlocks_.Click(OptionGroup::TKSRestricted, index); }
    void ClickCatalogue(int index) { interlocks_.Click(OptionGroup::Catalogue, index); }
    void ClickObsoleteMotors(int index) { interlocks_.Click(OptionGroup::ObsoleteMotors, index); }
    void ToggleOnlyObsoleteMotors() { interlocks_.ToggleOnlyObsoleteMotors(); } // mnuOnlyObsoleteMotors
    void ClickDefaultOptions() { interlocks_.ClickDefaultOptions(); }           // cmdDefaultOptions
    void ToggleShowAlwaysDiagram();                                             // mnuShowAlwaysDiagram
    void ClickOutputOption(int index);                                          // EnbartDiagramB(index)
    // The diagram alternatives' frame: its button shows or hides it, its Close button hides it. The
    // session owns the state so that its own events (new search data, a listing) close it reliably.
    void ToggleDiagramOptions(); // cboDiagramAlternativ
    void HideDiagramOptions();   // the frame's Command1
    // The diagram alternative (intPressureMode 0..5) without side effects: read by CurrentScale.
    void SetDiagramAlternative(int intPressureMode);
    // optDiagramAlternativ(index): the alternative, then the pressure of the diagram and the panel
    // (6.3 bar for the standard diagram, else the pressure field's value), the factors, Label17 and
    // the current cell again. The window draws the diagram after this, so it never shows the previous
    // pressure. The requirement keeps the field's pressure; the next search, listing or pressure
    // typed takes the diagram back to it.
    void ClickDiagramAlternative(int index);

    // --- Result grid ---
    // Row is 1-based (grid row under the header), column 0 or 1. True when the cell named a motor
    // that became current (an empty cell changes only Label17 and the pressure factors).
    bool ClickCell(int row, int column);
    // The answer of the mounting-position window (picture 0..5) for a "5-BG" motor: it stands in the
    // class field until the next click rewrites the panel.
    void ChooseMountingPosition(int picture);

    // The window has reloaded the language texts: NyaIndataB, then AllMotorsB.
    void LanguageChanged();

    // --- State ---
    const MotorCatalogue& catalogue() const { return catalogue_; }
    const RequirementInput& input() const { return editor_.input(); }
    const OptionStates& options() const { return interlocks_.states(); }
    const ResultTable& results() const { return results_; }
    const CurrentMotor& current() const { return current_; }
    const DetailPanel& panel() const { return panel_; }
    const OutputControls& outputs() const { return outputs_; }
    const PressureFactorValues& factors() const { return factors_; }
    // Pressure of the curves and the detail figures (bar): the catalogue pressure after a click on
    // the standard alternative, otherwise the requirement's available pressure.
    float DiagramPressure() const;
    // Catalogue index of the motor in result row `row` (1-based); 0 when the row names none.
    int CatalogueIndexOfRow(int row) const;
    const SelectionRequests& requests() const { return requests_; }
    // Diagram scale of the current motor (display units), for the diagram alternative chosen.
    std::optional<DiagramScale> CurrentScale() const;

    bool bolKatalogMode() const { return bolKatalogMode_; }
    bool bolKatalogLista() const { return bolKatalogLista_; }
    bool bolResultatRensat() const { return bolResultatRensat_; }
    bool bolArbetspunkt() const { return editor_.workingPoint(); }
    int intPressureMode() const { return intPressureMode_; }
    // Case 1..12 chosen by the last search; nullopt when it stopped before choosing.
    std::optional<int> lastSearchCase() const { return lastSearchCase_; }
    // The last search or listing stopped with message 140, 167 or 141.
    bool lastActionRefused() const { return lastActionRefused_; }
    // The last search found the maintenance code instead of searching.
    bool lastSearchWasMaintenance() const { return lastSearchWasMaintenance_; }
    // The information message of the last click on a bracketed cell, if any.
    const std::optional<std::string>& lastInformation() const { return lastInformation_; }
    // Why the last click on a motor computed no figures: the available pressure lies outside the
    // field's range (the curves are not valid there). Names the allowed range; empty otherwise.
    std::optional<Message> pressureRefusal() const;

private:
    // RequirementEvents
    void RequirementChanged(RequirementField field) override;
    void FreeSpeedLimitsCleared() override;
    void KeyRejected() override;
    // OptionEvents
    void OptionClickStarted() override;
    void ListAllMotors() override { ClickAllMotors(); }
    void ClearGrid() override { results_.clearGrid(); }
    void SearchViewChosen() override;

    OptionStates& optionStates() { return interlocks_.states(); }
    void ClearResults();
    void ClearDetails();
    void ShowMessage(int key, MessageIcon icon = MessageIcon::None);
    void ShowMessage(int key, std::string text, MessageIcon icon);
    // A search or listing into the grid with a click on its first cell; an empty one gets the
    // "no motor" line and hides the diagram. False when it found nothing.
    bool ShowOutcome(SearchOutcome&& outcome);
    void RequestHideDiagramAndDrawing();
    bool RunCellClick(int row, int column);
    // Searches and listings run at the pressure the field shows, whatever the diagram alternative
    // put into the stored value for the diagram and the panel.
    void UseFieldPressure();

    const MotorCatalogue& catalogue_;
    LanguageState& language_;
    MessageSink& messages_;
    SelectionListener* listener_ = nullptr;

    RequirementEditor editor_;
    OptionInterlocks interlocks_;
    ResultTable results_;
    CurrentMotor current_;
    DetailPanel panel_;
    OutputControls outputs_;
    PressureFactorValues factors_;
    SelectionRequests requests_;

    bool bolKatalogMode_ = true;
    bool bolKatalogLista_ = false;
    bool bolResultatRensat_ = false;
    int intPressureMode_ = 0;
    bool catalogueCurves_ = false; // the standard alternative was clicked since the last run
    std::optional<int> lastSearchCase_;
    bool lastActionRefused_ = false;
    bool pressureRefused_ = false;
    bool lastSearchWasMaintenance_ = false;
    std::optional<std::string> lastInformation_;
};

} // namespace airmotor::core
