#pragma once

#include "platform/access/AccessTable.h"

#include <QString>

#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

struct TableReadError {
    std::string message; // names the file and what is wrong
};

using TableReadResult = std::variant<std::vector<AccessTable>, TableReadError>;

// A database file whose tables are read whole: all rows, columns by position with their names,
// Null-exact values. The tables come back in the order asked for.
class TableSource {
public:
    virtual ~TableSource() = default;
    virtual TableReadResult read(const QString& file, const std::vector<std::string>& tables) const = 0;
};

} // namespace airmotor::platform
