#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

// One write of a motor row, as the PostgreSQL catalogue keeps it.
struct HistoryEntry {
    std::int64_t index = 0; // intKatalogindex
    std::string changedBy;
    std::string changedAt; // ISO 8601 in UTC, e.g. 2026-12-08T14:02:11Z
    std::string oldRow;    // the row before as JSON; empty for an added motor
    std::string newRow;
};

// The writes of one designation in the catalogue's history, newest first.
class MotorHistory final {
public:
    // A message naming the location on failure; a database file keeps no history.
    static std::variant<std::vector<HistoryEntry>, std::string> read(const QString& location,
                                                                     const std::string& designation);
};

} // namespace airmotor::platform
