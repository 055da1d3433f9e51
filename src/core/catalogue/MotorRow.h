#pragma once

#include "core/catalogue/TableSchema.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::core {

// One row of tblMotordata as the store returns it, before the load rules are applied.
// A field absent from the map-like list was not in the table; std::nullopt is a database Null.
using FieldValue = std::variant<std::int64_t, double, std::string>;

struct MotorRow {
    std::vector<std::pair<std::string, std::optional<FieldValue>>> fields;

    const std::optional<FieldValue>* find(const std::string& name) const {
        for (const auto& [n, v] : fields)
            if (n == name)
                return &v;
        return nullptr;
    }
};

// tblMotordata: names, types and constraints of its columns in schema order.
const TableDef& MotorTable();
// Its column names in schema order.
const std::vector<std::string>& MotorTableColumns();

} // namespace airmotor::core
