#pragma once

#include "core/catalogue/MotorRow.h"

#include <QVariant>

#include <optional>
#include <string_view>

namespace airmotor::platform {

// A value of a QtSql result as the core's field value: Null stays std::nullopt, whole numbers and
// booleans become 64-bit integers, reals doubles, texts and blobs UTF-8 text.
std::optional<core::FieldValue> ToField(const QVariant& v);

// A field value bound as a query parameter, the other way round: Null stays a null QVariant.
QVariant ToVariant(const std::optional<core::FieldValue>& value);

// A table or column name in double quotes, as both SQLite and PostgreSQL take it. Only names of the
// fixed table layout come here, never text from a file or a user, so no quote is ever inside.
QString QuotedName(std::string_view name);

} // namespace airmotor::platform
