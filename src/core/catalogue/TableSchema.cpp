#include "core/catalogue/TableSchema.h"

namespace airmotor::core {

std::string CreateTableSql(const TableDef& table) {
    std::string sql = "CREATE TABLE " + std::string(table.name) + " (";
    bool first = true;
    for (const ColumnDef& c : table.columns) {
        sql += first ? "\n  " : ",\n  ";
        first = false;
        sql += c.name;
        sql += c.type == ColumnType::Integer ? " INTEGER" : c.type == ColumnType::Real ? " REAL" : " TEXT";
        // An INTEGER PRIMARY KEY is the row id: never Null, so NOT NULL would say nothing.
        if (c.primaryKey)
            sql += " PRIMARY KEY";
        else if (c.notNull)
            sql += " NOT NULL";
        if (!c.defaultValue.empty())
            sql += " DEFAULT " + std::string(c.defaultValue);
    }
    return sql + "\n)";
}

} // namespace airmotor::core
