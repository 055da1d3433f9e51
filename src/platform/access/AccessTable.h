#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

// The column types of an Access table as the file declares them. The numeric codes are part of
// the reader's output format: append, never renumber.
enum class AccessColumnType : std::uint8_t {
    Boolean = 1,
    Byte = 2,
    Integer = 3, // 16-bit
    Long = 4,    // 32-bit
    Currency = 5,
    Single = 6,
    Double = 7,
    DateTime = 8,
    Text = 9,
    Memo = 10,
    Numeric = 11, // fixed-point decimal
    Other = 12,   // binary, OLE, replication id: the bytes as the file holds them
    Unknown = 13, // a source without declared types (an SQLite file)
};

// One cell, Null-exact. By column type: Boolean → bool; Byte, Integer, Long → int64; Single →
// float; Double → double; Currency and Numeric → double; Text and Memo → UTF-8 text; DateTime →
// "YYYY-MM-DD HH:MM:SS" text; Other → the raw bytes. std::monostate is Null.
using AccessValue = std::variant<std::monostate, bool, std::int64_t, float, double, std::string>;

struct AccessColumn {
    std::string name;
    AccessColumnType type = AccessColumnType::Unknown;
};

// A whole table: its columns in the file's order and every row in the file's order, each row
// holding exactly one value per column.
struct AccessTable {
    std::string name;
    std::vector<AccessColumn> columns;
    std::vector<std::vector<AccessValue>> rows;
};

} // namespace airmotor::platform
