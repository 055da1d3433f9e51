#pragma once

#include "core/maintenance/EditorDataBlock.h"
#include "core/maintenance/MotorDataEditor.h"

#include <algorithm>

namespace airmotor::core::testing {

// A measured diagram of a motor with M(n) = 20 - 0.02 n Nm and L(n) = 5 + 0.01 n l/s, read every
// 100 r/min at 10 r/min, 0.5 Nm and 0.1 l/s per mm: with 11 points the free-speed point (torque 0) at
// 1000 r/min is the last but one, as the window asks, and the last carries negative torque.
inline MeasurementData LinearMotor(int points = 11) {
    MeasurementData d;
    d.sx = 10.0f;
    d.sy1 = 0.5f;
    d.sy2 = 0.1f;
    d.utvRef = 1.0f;
    for (int k = 1; k <= points; ++k) {
        const float n = 100.0f * static_cast<float>(k);
        d.speed.push_back(n / 10.0f);
        d.torque.push_back((20.0f - 0.02f * n) / 0.5f);
        d.air.push_back((5.0f + 0.01f * n) / 0.1f);
    }
    d.designation = "TKM20-A5";
    return d;
}

// An editor with a measured diagram loaded, its curves fitted to the degree given.
struct LoadedEditor {
    explicit LoadedEditor(const MeasurementData& data, const char* degree = "1") {
        editor.fields().type(EditorField::GradtalB, degree);
        editor.fields().type(EditorField::GradtalfB, degree);
        editor.load(data, "/data/LINEAR.DAT");
    }
    float value(EditorField f) const { return editor.fields().value(f); }

    RecordingMessageSink messages;
    MotorDataEditor editor{messages};
};

inline bool HasLabel(const std::vector<DataBlockLine>& lines, const std::string& label) {
    return std::any_of(lines.begin(), lines.end(), [&](const DataBlockLine& l) { return l.label == label; });
}

} // namespace airmotor::core::testing
