#pragma once

#include "core/catalogue/MotorRow.h"

#include <QVariant>

#include <optional>

namespace airmotor::platform {

// A value of a QtSql result as the core's field value: Null stays std::nullopt, whole numbers and
// booleans become 64-bit integers, reals doubles, texts and blobs UTF-8 text.
std::optional<core::FieldValue> ToField(const QVariant& v);

} // namespace airmotor::platform
