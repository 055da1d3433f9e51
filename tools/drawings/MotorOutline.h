#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace airmotor::drawings {

struct OutlineParameters {
    std::string drawingName;
    std::string designation; // first motor that refers to the drawing
    double powerKw = 0.0;
    double weightKg = 0.0;
    double freeSpeed = 0.0;
};

// Main dimensions in millimetres derived from the motor's size.
struct OutlineDimensions {
    int housingDiameter = 0, housingLength = 0;
    int flangeDiameter = 0, flangeThickness = 0;
    int shaftDiameter = 0, shaftLength = 0;
    int boltCircle = 0, boltHole = 0;
    int gearLength = 0, gearDiameter = 0; // 0 = no gear section
    int brakeLength = 0;                  // 0 = no brake section
    int overallLength = 0;
    int scale = 1; // drawn at 1 : scale
};

OutlineDimensions DimensionsFor(const OutlineParameters& p);

// A side view and an end view with dimension lines, a frame and a title block, as a placeable
// metafile in tenths of a millimetre on an A4 landscape sheet.
std::vector<std::uint8_t> DrawMotorOutline(const OutlineParameters& p);

} // namespace airmotor::drawings
