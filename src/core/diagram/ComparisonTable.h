#pragma once

#include "core/diagram/DiagramEngine.h"

namespace airmotor::core {

struct ProductionComparison;

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
