#pragma once

#include "cli/Json.h"
#include "core/model/MotorCurves.h"

namespace airmotor::cli {

// One axis scale as an object; the axis command and the current motor's scale share the shape.
inline void WriteAxis(JsonWriter& json, const core::AxisRecord& axis) {
    json.beginObject()
        .field("maximum", axis.maximum)
        .field("step", axis.step)
        .field("labelStep", axis.labelStep)
        .field("divisions", axis.divisions)
        .endObject();
}

} // namespace airmotor::cli
