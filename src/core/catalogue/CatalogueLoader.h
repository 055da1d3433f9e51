#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/catalogue/MotorRow.h"

#include <cstddef>
#include <optional>
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
    // Position in the given rows of the row at fault and the fault without the source, for
    // callers that name rows their own way (a source file and line).
    std::optional<std::size_t> row;
    std::string detail;
    // The same fault split for messages of the form "…:column: problem".
    std::string field;
    std::string problem;
};

// Applies the load rules to rows already sorted by ascending intKatalogindex. Every
// intKatalogindex is a whole number, none twice; texts are valid UTF-8.
// sourceName is used in messages (the database file path).
std::variant<CatalogueLoadResult, LoadError> LoadCatalogue(const std::vector<MotorRow>& rows,
                                                           const std::string& sourceName);

} // namespace airmotor::core
