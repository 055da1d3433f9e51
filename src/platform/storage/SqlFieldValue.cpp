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

QVariant ToVariant(const std::optional<core::FieldValue>& value) {
    if (!value)
        return QVariant();
    if (const auto* i = std::get_if<std::int64_t>(&*value))
        return QVariant::fromValue(static_cast<qlonglong>(*i));
    if (const auto* d = std::get_if<double>(&*value))
        return QVariant(*d);
    return QVariant(QString::fromStdString(std::get<std::string>(*value)));
}

QString QuotedName(std::string_view name) {
    return QLatin1Char('"') + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
           QLatin1Char('"');
}

} // namespace airmotor::platform
