#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <string>
#include <vector>

namespace airmotor::core {

// One line of the analysis panel: the figure in the units of the language with the panel's masks,
// and how it is computed.
struct AnalysisFigure {
    std::string name; // stable name of the line (the widget's object name)
    std::string caption;
    std::string unit;
    std::string text; // "-" when the figure does not exist
    std::string howComputed;
};

// Every figure of the analysis; `imperial` shows psi, lbf ft, hp and cfm through the unit factors
// (the air in m³/h is left out there: cfm is the one air unit). The cost is per year in the
// currency the price was given in. Captions and tooltips are the language's.
std::vector<AnalysisFigure> AnalysisFigures(const DutyAnalysis& analysis, const UnitFactors& units,
                                            bool imperial, const AirCostInputs& cost,
                                            const TextTable& strText);

// The speed unit as the language's speed caption writes it ("r/min", "1/min").
std::string SpeedUnitOf(const TextTable& strText);

// The text key of a mode, the same in the panel and the comparison.
int DutyModeTextKey(DutyMode mode);

// How the air cost is computed, with the user's three figures.
std::string AirCostTooltip(const AirCostInputs& cost, const TextTable& strText);

} // namespace airmotor::core
