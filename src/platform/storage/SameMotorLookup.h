#pragma once

#include "core/maintenance/MotorRecord.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace airmotor::platform {

// The lowest intKatalogindex of tblMotordata whose designation and curves (degrees and every
// coefficient) equal the record's; nothing when there is none; a message naming the database when it
// cannot be read. Read-only.
std::variant<std::optional<int>, std::string>
FindSameMotor(const QString& databaseFile, const core::MotorRecord& record, const std::string& designation);

} // namespace airmotor::platform
