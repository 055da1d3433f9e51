#pragma once

#include "platform/access/TableSource.h"

namespace airmotor::platform {

// Tables of an SQLite database, read-only, in the form the Access reader gives them: columns by
// position with their names, rows in row-id order, Null-exact values (whole numbers, doubles,
// texts). Column types are Unknown: SQLite keeps a type per value, not per column.
class SqliteTableSource final : public TableSource {
public:
    TableReadResult read(const QString& file, const std::vector<std::string>& tables) const override;
};

} // namespace airmotor::platform
