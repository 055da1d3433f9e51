#pragma once

#include "core/catalogue/MotorRow.h"
#include "core/language/FileFault.h"

#include <optional>
#include <string>
#include <vector>

namespace airmotor::core {

// A field of the production database as stored: std::nullopt is a database Null, kept apart from
// 0 and "". Booleans arrive as whole numbers (true is -1 or 1).
using ProductionValue = std::optional<FieldValue>;

// The fields of one Provres record the comparison reads.
struct ProvresRow {
    ProductionValue Produktnummer;
    ProductionValue SerNbr;
    ProductionValue Godkand;
    ProductionValue VarvtalEffekt;         // r/min at maximum power
    ProductionValue LuftforbrukningEffekt; // l/s at maximum power
    ProductionValue Moment;                // Nm at maximum power
    ProductionValue VarvtalTomgang;
    ProductionValue LuftforbrukningTomgang;
};

// One row of the free-speed sheet table.
struct Sheet1Row {
    ProductionValue SerNbr;
    ProductionValue SpeedRpm; // "Speed RPM"
    ProductionValue AirCons;  // "Air cons"
};

// Both tables in table order.
struct ProductionTables {
    std::vector<ProvresRow> provres;
    std::vector<Sheet1Row> sheet1;
};

struct ProductionRead {
    ProductionTables tables;
    std::string error; // empty on success; otherwise names the file and what is wrong
    // The file itself cannot be read (missing, no regular file, too large): the windows word it.
    std::optional<FileFault> file;
};

// Where production rows come from (an SQLite export, an Access file). A batch reads the tables once
// and looks up every motor in them; part-number and serial filters are applied in code, so no
// value of a record or a motor ever becomes part of a query text.
class ProductionSource {
public:
    virtual ~ProductionSource() = default;
    virtual ProductionRead Read() = 0;
};

} // namespace airmotor::core
