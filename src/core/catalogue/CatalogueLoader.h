#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/catalogue/MotorRow.h"

#include <string>
#include <variant>
#include <vector>

namespace airmotor::core {

struct CatalogueLoadResult {
    MotorCatalogue catalogue;
    std::vector<std::string> warnings; // e.g. rows left out beyond 980
};

struct LoadError {
    std::string message; // names the source, the row (intKatalogindex) and the field
};

// Applies the load rules to rows already sorted by ascending intKatalogindex.
// sourceName is used in messages (the database file path).
std::variant<CatalogueLoadResult, LoadError> LoadCatalogue(const std::vector<MotorRow>& rows,
                                                           const std::string& sourceName);

} // namespace airmotor::core
