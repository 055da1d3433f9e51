#pragma once

#include "core/diagram/MotorDiagram.h"
#include "core/maintenance/ProductionLookup.h"
#include "core/maintenance/SheetWriter.h"

#include <optional>
#include <string>
#include <vector>

namespace airmotor::core {

// One quantity of the comparison table: catalogue value, production value and their difference
// in per cent, each also as its mask prints it ("" where the table shows nothing).
struct ComparisonRow {
    std::string label;
    std::optional<double> oldValue, newValue, diffValue;
    std::string oldText, newText, diffText;
};

// The table of the production-data diagram. Empty rows when no record was used: then nothing is
// drawn, printed or written.
struct ProductionComparison {
    int count = 0;
    // Correction factors from the production means: the "New" curves are the motor's curves with them.
    PressureFactorValues factors;
    std::vector<ComparisonRow> rows;
    bool shown() const { return count > 0 && !rows.empty(); }
};

// Row labels in table order.
inline constexpr const char* kComparisonLabels[] = {
    "Antal mätta motorer", "Utväxling",        "Maxeffekt",       "Moment Maxeffekt",
    "Varvtal Maxeffekt",   "Luftf. Maxeffekt", "Tomgångsvarvtal", "Luftf. Tomgång"};

// diagram names the motor and the diagram settings its curves are drawn with; the "New" figures
// are read from those curves at the production factors as the diagram samples them.
ProductionComparison CompareWithProduction(const MotorDiagramInput& diagram,
                                           const ProductionLookupResult& lookup);

// Sheet "TKM": B designation, C gear ratio, D count, then Old, New and Diff of the six quantities in
// table order (E-G maximum power ... T-V air at free speed). Nothing is written for a hidden table.
void WriteComparisonRow(SheetWriter& sheet, int row, const std::string& designation,
                        const ProductionComparison& comparison);

} // namespace airmotor::core
