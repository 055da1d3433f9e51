#pragma once

#include "core/diagram/DiagramEngine.h"
#include "core/maintenance/GearDesignation.h"
#include "core/maintenance/MeasurementConversion.h"
#include "core/maintenance/MeasurementFile.h"

#include <optional>
#include <string>
#include <vector>

namespace airmotor::core {

class MotorDataEditor;

// Everything the editor's data block prints beside the curves.
struct EditorDataBlockInput {
    MeasurementTargets targets;
    float minStartTorque = 0.0f;
    CurveFigures figures;
    float stallTorque = 0.0f;          // fitted torque extrapolated to speed 0
    float efficiencyAtMaxPower = 0.0f; // overall gear efficiency at the maximum-power point
    float kn = 1.0f, km = 1.0f, kl = 1.0f;
    bool printRange = false; // printing a range of catalogue motors: no efficiency, no factors
    float utv = 1.0f;
    int degreeM = 3, degreeL = 3;
    std::string fileName;
    std::string dateTime; // "yyyy-m-d,  hh:mm:ss"
    struct Companion {
        CurveFigures figures;
        float stallTorque = 0.0f;
    };
    std::optional<Companion> companion;
    std::string designation;
    GearData gear;
};

struct DataBlockLine {
    std::string label;
    std::string value;
    int colour = 0; // palette index
};

inline constexpr int kTargetBlockColour = 9;

std::vector<DataBlockLine> EditorDataBlockLines(const EditorDataBlockInput& input);
// The editor's current state after a drawing pass (figures present).
EditorDataBlockInput DataBlockInputOf(const MotorDataEditor& editor, const std::string& dateTime,
                                      bool printRange);
// Lines from 20 units below top, 5 units apart (y pointing up); labels at x, values ending at xr.
void DrawEditorDataBlock(DiagramEngine& engine, const std::vector<DataBlockLine>& lines, float x, float top,
                         float xr);

} // namespace airmotor::core
