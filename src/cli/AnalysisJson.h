#pragma once

#include "cli/Json.h"
#include "core/analysis/DutyAnalysis.h"

#include <optional>
#include <string_view>

namespace airmotor::cli {

inline void OptionalNumber(JsonWriter& json, std::string_view name, const std::optional<float>& value) {
    json.key(name);
    if (value)
        json.value(*value);
    else
        json.null();
}

// The fields of one analysed row inside its object, in SI units whatever the language.
inline void WriteAnalysisFields(JsonWriter& json, const core::AnalysedRow& analysed) {
    const core::DutyAnalysis& a = analysed.analysis;
    json.field("row", analysed.row)
        .field("index", a.index)
        .field("designation", a.designation)
        .field("mode", core::DutyModeName(a.mode))
        .field("pressure", a.pressure)
        .field("torqueAtSpeed", a.torqueAtSpeed);
    OptionalNumber(json, "torqueMargin", a.torqueMargin);
    OptionalNumber(json, "speedAtTorque", a.speedAtTorque);
    json.field("power", a.power).field("air", a.air).field("airM3h", a.airM3h);
    OptionalNumber(json, "startTorqueMargin", a.startTorqueMargin);
    OptionalNumber(json, "freeSpeedMargin", a.freeSpeedMargin);
    json.field("airCostPerYear", a.airCostPerYear);
}

} // namespace airmotor::cli
