#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <optional>
#include <string>
#include <vector>

namespace airmotor::core {

class SelectionSession;

// More motors side by side no longer read at a glance, in the table or in the diagram.
inline constexpr int kMaxComparedMotors = 4;

// Which way a figure is better; Neither for figures that only describe (speed at max. power).
enum class Better { Higher, Lower, Neither };

// "higher", "lower", "" for Neither.
const char* BetterName(Better better);

// One line of the comparison table: a figure of every compared motor.
struct ComparedFigure {
    std::string name;    // key figures: camelCase; analysis figures: as the analyse command names them
    std::string caption; // in the language, with the unit
    std::string tooltip; // how the figure is computed ("" for catalogue figures)
    Better better = Better::Neither;
    std::vector<std::optional<double>> values; // SI units (%, cost); empty where the figure does not exist
    std::vector<std::string> texts;            // display units with the figure's mask, "–" when empty
    std::vector<bool> best;
};

struct MotorComparison {
    std::vector<AnalysedRow> motors;
    std::vector<ComparedFigure> figures;
    std::string rowHeading, bestNote; // of the printed table, in the language
    const ComparedFigure* figure(std::string_view name) const;
};

// Why the rows cannot be compared (empty, more than four, a row twice or outside 1..rowCount);
// std::nullopt when they can.
std::optional<std::string> CheckComparedRows(const std::vector<int>& rows, int rowCount);

// Key figures at the available pressure and the duty analysis of the rows (valid per
// CheckComparedRows), captions and masks of the language.
MotorComparison CompareRows(const SelectionSession& session, const std::vector<int>& rows,
                            const LanguageState& language, const AirCostInputs& cost);

// Marks the best value of every figure: all values equal to the best as shown (a tie marks each);
// nothing when fewer than two motors have a value or every shown value is the same.
void MarkBest(ComparedFigure& figure);

} // namespace airmotor::core
