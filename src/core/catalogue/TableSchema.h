#pragma once

#include <span>
#include <string>
#include <string_view>

namespace airmotor::core {

enum class ColumnType { Integer, Real, Text };

// One column of a catalogue table as the database schema states it.
struct ColumnDef {
    std::string_view name;
    ColumnType type;
    bool notNull;
    std::string_view defaultValue = {}; // SQL literal; empty for none
    bool primaryKey = false;
};

struct TableDef {
    std::string_view name;
    std::span<const ColumnDef> columns;
};

// The CREATE TABLE statement of a table, columns in order.
std::string CreateTableSql(const TableDef& table);

} // namespace airmotor::core
