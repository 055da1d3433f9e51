#pragma once

#include "core/common/MessageSink.h"
#include "core/maintenance/EditorFields.h"
#include "core/maintenance/GearDesignation.h"
#include "core/maintenance/MeasurementConversion.h"
#include "core/maintenance/MeasurementFile.h"

#include <array>
#include <optional>
#include <string>

namespace airmotor::core {

enum class ReadingColumn { Speed, Torque, Air }; // Varvtal_mm, Nm_mm, Q_mm

// Free-text boxes of the editor.
struct EditorTexts {
    std::string designation;                // MotorbeteckningB
    std::array<std::string, 3> partNumbers; // Detnr1B .. Detnr3B
    std::string drawing;                    // MåttskissNrB
    std::string size, gearType, gearCode;   // StorlekB, VtypB, KodB
};

// Companion file of a measurement file: its name without the last four characters + "-U.DAT".
std::string CompanionFileName(const std::string& measurementFile);
// The companion torque of this one motor family was measured throttled; its readings are scaled.
bool IsScaledCompanion(const std::string& measurementFile);
inline constexpr float kScaledCompanionTorque = 0.8763f;

// State and rules of the motor data editor; the window mirrors it and forwards its events.
class MotorDataEditor final {
public:
    explicit MotorDataEditor(MessageSink& messages);

    EditorFields& fields() { return fields_; }
    const EditorFields& fields() const { return fields_; }
    EditorTexts& texts() { return texts_; }
    const EditorTexts& texts() const { return texts_; }

    void typeReading(ReadingColumn column, int point, const std::string& text);
    const std::string& reading(ReadingColumn column, int point) const;
    // Filled speed boxes counted from point 1 up to the first empty one.
    int filledPoints() const;

    // Save: the file's contents (n counted from the boxes), then saved() once it is written.
    MeasurementData measurementToSave(const std::string& date) const;
    void saved(const std::string& fileName);
    // Load of a file already read whole: a refused file never gets here, so the fields stay.
    void load(const MeasurementData& data, const std::string& fileName);
    // The unthrottled companion measurement; its reference gear ratio replaces the window's.
    void loadCompanion(const MeasurementData& companion);
    void interpolateAir();
    void newInput();

    // Leave rules of the gear and factor boxes.
    void leaveGearRatio(); // UtvB and VerkningsgradB
    void leaveFactor();    // KnB, KmB, KlB

    // False for an unknown multi-stage code: the message is shown and the drawing stops.
    bool decodeGear();
    void recompute(); // conversion and fits of the measured and companion points
    // One drawing pass: the figures of the drawn curves, or nothing (with a message) when there is
    // nothing to draw (no readings, no scale) or the converted points must not be drawn.
    std::optional<CurveFigures> drawingPass();
    // The target-value calibration the diagram commands run; false when the drawing stopped.
    bool calibrate();

    // Readings converted last: the filled rows on screen when the curves were computed.
    int pointCount() const { return n_; }
    const ConvertedSet& converted() const { return converted_; }
    const CurveFits& fits() const { return fits_; }
    const std::optional<CurveFigures>& figures() const { return figures_; }
    bool hasCompanion() const { return companionLoaded_; }
    const ConvertedSet& companionConverted() const { return companionConverted_; }
    const CurveFits& companionFits() const { return companionFits_; }
    std::optional<CurveFigures> companionFigures() const;
    GearData gear() const; // decoded data with the boxes' worm data and efficiency
    float minStartTorqueFromFile() const { return minStartFromFile_; }
    const std::string& fileName() const { return fileName_; }
    // Readings typed, interpolated or cleared since the last save or load: closing asks first.
    bool readingsChanged() const { return readingsChanged_; }

private:
    float readingValue(ReadingColumn column, int point) const;
    // Why the readings give no diagram; nullptr when they do.
    const char* nothingToDraw() const;
    ReadingSet measuredReadings() const;
    ConversionFactors factors() const;
    void clearReadings();
    void showCalibrated(EditorField field, float target, float drawn, const char* what);

    MessageSink& messages_;
    EditorFields fields_;
    EditorTexts texts_;
    std::array<std::array<std::string, kMaxMeasuredPoints + 1>, 3> readingBoxes_{};
    int n_ = 0;
    ReadingSet companion_;
    bool companionLoaded_ = false;
    GearData decoded_;
    ConvertedSet converted_, companionConverted_;
    CurveFits fits_, companionFits_;
    std::optional<CurveFigures> figures_;
    float minStartFromFile_ = 0.0f;
    std::string fileName_;
    bool readingsChanged_ = false;
};

} // namespace airmotor::core
