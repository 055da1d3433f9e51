#include "core/selection/ResultTable.h"

namespace airmotor::core {

const std::string& ResultTable::cell(int row, int column) const {
    static const std::string kEmpty;
    if (row < 1 || row > static_cast<int>(grid.size()) || column < 0 || column > 1)
        return kEmpty;
    return grid[static_cast<std::size_t>(row - 1)].cells[static_cast<std::size_t>(column)];
}

} // namespace airmotor::core
