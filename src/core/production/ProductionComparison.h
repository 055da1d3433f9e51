#pragma once

#include "core/diagram/ComparisonTable.h"
#include "core/diagram/MotorDiagram.h"
#include "core/production/ProductionLookup.h"
#include "core/production/SheetWriter.h"

#include <string>
#include <vector>

namespace airmotor::core {

// diagram names the motor and the diagram settings its curves are drawn with; the "New" figures
// are read from those curves at the production factors as the diagram samples them.
ProductionComparison CompareWithProduction(const MotorDiagramInput& diagram,
                                           const ProductionLookupResult& lookup);

// Sheet "TKM": B designation, C gear ratio, D count, then Old, New and Diff of the six quantities in
// table order (E-G maximum power ... T-V air at free speed). Nothing is written for a hidden table.
void WriteComparisonRow(SheetWriter& sheet, int row, const std::string& designation,
                        const ProductionComparison& comparison);

} // namespace airmotor::core
