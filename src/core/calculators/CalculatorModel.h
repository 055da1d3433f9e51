#pragma once

#include "core/calculators/CalculationResult.h"
#include "core/calculators/CalculatorLayout.h"
#include "core/catalogue/MotorCatalogue.h"
#include "core/common/MessageSink.h"
#include "core/format/NumericTextBox.h"
#include "core/language/Language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

// Background of the motor boxes while they carry the current motor's data (&HC0FFC0).
inline constexpr int kMotorBoxLockedColour = 0xC0FFC0;

// What the calculator asks of the diagram window.
class CalculatorListener {
public:
    virtual ~CalculatorListener() = default;
    virtual void HideDiagram() = 0;
    virtual void HideDiagramHelp() = 0;
    virtual void ShowCurves() = 0; // curves() holds the new curves
    // The results the curves belong to are gone: they must not stay in view.
    virtual void CurvesWithdrawn() = 0;
};

// The whole behaviour of one calculator window (wagon or rotating mass) without its widgets.
class CalculatorModel final {
public:
    CalculatorModel(const CalculatorLayout& layout, const TextTable& strText, MessageSink& messages);

    void SetListener(CalculatorListener* listener) { listener_ = listener; }

    // Window load: initial texts with their change rules, captions, the own-motor-data state.
    void Load(bool ownMotorData);
    // The result heading goes back to its caption (load and a language change).
    void ApplyCaptions();
    // Replaces a box's text as typed: every character passes NumericKeyFilter, then the change rule.
    void Type(int box, std::string_view typed);
    // The text a box receives from those keys (what Type stores before its change rule).
    static std::string KeyedText(std::string_view typed);
    // mnuOwnMotorData: unlocks (yellow, "own motor data") or locks the motor boxes.
    void SetOwnMotorData(bool allowed);
    // Activation and a new row click: unless own data are allowed, the motor boxes show the catalogue
    // entry (index 0: no motor). A different motor, or a row click, empties the results and disables Print.
    void ShowMotor(const MotorCatalogue& catalogue, int index, bool rowClicked);
    // Window unload: the motor values and their texts are forgotten.
    void Unload();
    // Opening from the main window: Print waits for a calculation.
    void DisablePrint() { printEnabled_ = false; }
    // Command1. The motor data come from the catalogue entry unless own data are allowed.
    CalculationResult Calculate(const MotorCatalogue& catalogue, int index);

    const CalculatorLayout& layout() const { return layout_; }
    const NumericTextBox& box(int k) const { return boxes_.at(static_cast<std::size_t>(k)); }
    float field(int k) const { return fields_.at(static_cast<std::size_t>(k)); }
    bool motorBoxesLocked() const { return !own_; }
    bool ownMotorData() const { return own_; }
    const std::string& heading() const { return heading_; }
    bool printEnabled() const { return printEnabled_; }
    const MotorData& motor() const { return motor_; }
    // The curves of the results shown; none once the results are emptied.
    const std::optional<CalculationResult>& curves() const { return curves_; }
    bool isInput(int box) const;
    bool isResult(int box) const;

private:
    void OnChange(int box);
    void ClearResults();
    void SetMotorText(int box, const std::string& text);
    const CalculatorField* FieldOf(int box) const;
    CalculationResult Solve() const;
    // "<caption> must be greater than 0." for the box whose 0 refused the calculation.
    std::string ZeroInputText(int box) const;

    const CalculatorLayout& layout_;
    const TextTable& strText_;
    MessageSink& messages_;
    CalculatorListener* listener_ = nullptr;

    std::array<NumericTextBox, kBoxCount> boxes_{};
    std::array<float, kBoxCount> fields_{};
    bool own_ = false;
    int shownMotor_ = -1; // catalogue index the motor boxes were filled from
    std::string heading_;
    bool printEnabled_ = false;
    MotorData motor_;
    std::optional<CalculationResult> curves_;
};

// strText(175) & T & " " & strText(174) & " :", T as the classic single-to-text conversion
// (with its leading blank), but written out where that would use an exponent.
std::string ResultHeading(const TextTable& strText, float T);

// The heading of the motor boxes with the pressure their catalogue figures hold at, so that they are
// not taken for the main window's figures at the available pressure: "Motor data selected motor
// (6.3 bar(e)):". The calculators work in SI whatever the language setting.
std::string MotorDataHeading(const TextTable& strText);

} // namespace airmotor::core
