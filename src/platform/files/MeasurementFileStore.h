#pragma once

#include "core/maintenance/MeasurementFile.h"
#include "platform/files/RegularFile.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace airmotor::platform {

// Measurement data files of the motor data editor on disk. Every failure is one message naming
// the file (and the line, for a refused content); nothing is returned half-read.
class MeasurementFileStore final {
public:
    using ReadResult = std::variant<core::MeasurementData, FileError>;

    static ReadResult read(const QString& path);
    // Only the first four lines (count, scale factors, readings) of a companion file are read.
    static ReadResult readCompanion(const QString& path);
    // Atomic: the old file stays whole when writing fails. An error message on failure.
    static std::optional<FileError> write(const QString& path, const core::MeasurementData& data);

    // The companion of a measurement file, looked up exactly, then case-insensitively beside it.
    static std::optional<QString> findCompanion(const QString& measurementFile);
    // Today as the file's date line holds it (yyyy-mm-dd).
    static std::string today();
};

} // namespace airmotor::platform
