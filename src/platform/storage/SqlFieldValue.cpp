#include "platform/storage/SqlFieldValue.h"

#include <limits>

namespace airmotor::platform {

std::optional<core::FieldValue> ToField(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Bool:
        return core::FieldValue{static_cast<std::int64_t>(v.toLongLong())};
    // The PostgreSQL driver gives a bigint that is not negative as unsigned.
    case QMetaType::ULongLong:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::UShort:
        if (v.toULongLong() > static_cast<qulonglong>(std::numeric_limits<std::int64_t>::max()))
            return core::FieldValue{v.toString().toStdString()};
        return core::FieldValue{static_cast<std::int64_t>(v.toULongLong())};
    case QMetaType::Double:
    case QMetaType::Float:
        return core::FieldValue{v.toDouble()};
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        return core::FieldValue{std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
    }
    default:
        return core::FieldValue{v.toString().toStdString()};
    }
}

} // namespace airmotor::platform
