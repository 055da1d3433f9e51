#pragma once

#include "core/diagram/DiagramEngine.h"
#include "core/model/PressureFactors.h"

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

// The production comparison table of the diagram: a label column and the Old, New and Diff %
// columns, one line per quantity. World units of the engine's current scale (y up).
struct ComparisonTableSize {
    float width = 0.0f;
    float height = 0.0f;
};

ComparisonTableSize MeasureComparisonTable(DiagramEngine& engine, const ProductionComparison& table,
                                           float size);
// (left, top) is the table's top-left corner; yDown for a scale whose y grows downwards (a sheet).
void DrawComparisonTable(DiagramEngine& engine, const ProductionComparison& table, float left, float top,
                         float size, bool yDown = false);

} // namespace airmotor::core
