// The measurement-file reader on any bytes: it answers with data or a fault on a line of the text.
// Whatever it accepts has as many readings as its count says, reads back to itself once written
// (the writer drops double quotes from the designation, so the first rewrite may change it), and
// its first four lines are also a readable companion file with the same readings.
#include "core/maintenance/MeasurementFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

namespace {

using airmotor::core::MeasurementData;
using airmotor::core::MeasurementFileError;

void CheckFault(const MeasurementFileError& error, std::string_view text) {
    // The reader names a line of the file, or the first line after its end (a missing line).
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (error.line < 1 || error.line > lines + 1 || error.what.empty())
        std::abort();
}

bool SameReadings(const MeasurementData& a, const MeasurementData& b) {
    return a.sx == b.sx && a.sy1 == b.sy1 && a.sy2 == b.sy2 && a.utvRef == b.utvRef && a.speed == b.speed &&
           a.torque == b.torque && a.air == b.air;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto companion = airmotor::core::ParseCompanionFile(text);
    if (const auto* error = std::get_if<MeasurementFileError>(&companion))
        CheckFault(*error, text);
    const auto parsed = airmotor::core::ParseMeasurementFile(text);
    if (const auto* error = std::get_if<MeasurementFileError>(&parsed)) {
        CheckFault(*error, text);
        return 0;
    }
    const auto& first = std::get<MeasurementData>(parsed);
    const auto n = static_cast<std::size_t>(first.count());
    if (n > static_cast<std::size_t>(airmotor::core::kMaxMeasuredPoints) || first.torque.size() != n ||
        first.air.size() != n)
        std::abort();
    // Lines 1-4 decide both readings, so the companion reading of the same text must agree.
    const auto* asCompanion = std::get_if<MeasurementData>(&companion);
    if (asCompanion == nullptr || !SameReadings(*asCompanion, first))
        std::abort();

    const std::string written = airmotor::core::FormatMeasurementFile(first);
    const auto again = airmotor::core::ParseMeasurementFile(written);
    const auto* second = std::get_if<MeasurementData>(&again);
    if (second == nullptr || !SameReadings(*second, first) ||
        airmotor::core::FormatMeasurementFile(*second) != written)
        std::abort();
    return 0;
}
