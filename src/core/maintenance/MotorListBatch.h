#pragma once

#include "core/common/MessageSink.h"
#include "core/maintenance/MeasurementFile.h"
#include "core/maintenance/MotorRecord.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::core {

class MotorDataEditor;

// Columns of the motor-list sheet "Motorer" (1-based: A = 1). Row 1 is the header row.
namespace motor_list {
inline constexpr const char* kSheet = "Motorer";
inline constexpr int kDesignation = 2;      // B, read: the designation (else the file's)
inline constexpr int kPartNumber1 = 3;      // C, read
inline constexpr int kPartNumber2 = 4;      // D, read
inline constexpr int kFreeSpeed = 5;        // E, written: fitted free speed, r/min
inline constexpr int kMaxPower = 6;         // F, written: fitted maximum power, kW
inline constexpr int kTorqueAtMax = 8;      // H, written: torque at maximum power, Nm
inline constexpr int kSpeedAtMax = 9;       // I, written: speed at maximum power, r/min
inline constexpr int kAirAtMax = 10;        // J, written: air consumption at maximum power, l/s
inline constexpr int kMeasurementFile = 12; // L, read: relative to the workbook's folder
inline constexpr int kCatalogueIndex = 13;  // M, read and written: intKatalogindex, empty until added
inline constexpr int kDrawing = 14;         // N, read: dimension-drawing reference
// Every column the batch reads: the only cells a sheet needs to keep.
inline constexpr int kReadColumns[] = {kDesignation,     kPartNumber1,    kPartNumber2,
                                       kMeasurementFile, kCatalogueIndex, kDrawing};
} // namespace motor_list

enum class MotorListMode { Update, Print };

// The rows' cells, whatever holds them (a workbook sheet, a test table).
class MotorListSheet {
public:
    virtual ~MotorListSheet() = default;
    virtual std::string text(int row, int column) const = 0;
    virtual std::optional<double> number(int row, int column) const = 0;
    virtual void setNumber(int row, int column, double value) = 0;
    // Everything written so far made durable; a message naming the file on failure.
    virtual std::optional<std::string> save() = 0;
    // Nothing when save() can be expected to succeed; otherwise why not (a read-only file, the file
    // changed by another program). Changes nothing.
    virtual std::optional<std::string> checkWritable() const = 0;
};

// The I/O a row needs: its measurement file, the catalogue it is added to, the printer.
class MotorListServices {
public:
    virtual ~MotorListServices() = default;
    // `file` as the sheet names it; the data or a message naming the file.
    virtual std::variant<MeasurementData, std::string> readMeasurement(const std::string& file) = 0;
    // One transaction: the catalogue index written, or a message (nothing written then).
    virtual std::variant<int, std::string> addMotor(const MotorRecord& record,
                                                    const std::string& designation) = 0;
    // The catalogue index of a motor of that designation and the record's curves, which an earlier
    // run added; nothing when there is none; a message when the catalogue cannot be read.
    virtual std::variant<std::optional<int>, std::string> findAdded(const MotorRecord& record,
                                                                    const std::string& designation) = 0;
    // The row's diagram from the calibrated editor; a message on failure.
    virtual std::optional<std::string> printDiagram(const MotorDataEditor& editor, int row) = 0;
};

enum class RowOutcome { Added, Printed, Skipped };

struct MotorListRowResult {
    int row = 0;
    std::string designation;
    std::string file;
    RowOutcome outcome = RowOutcome::Skipped;
    std::string reason; // why it was skipped (or how an added row was found), "" otherwise
    std::optional<int> catalogueIndex;
};

struct MotorListSummary {
    std::vector<MotorListRowResult> rows;
    int added = 0, printed = 0, skipped = 0;
    std::string stopped; // why the batch ended before its last row, "" when it ran through
};

// Works through rows of the motor list one at a time, so a caller can show progress and stop
// between rows. Each row gets a fresh editor (no boxes carried over), is loaded and drawn as the
// screen diagram draws it (calibration included), then added or printed. An added row's written
// back cells are saved at once: a later failure never loses a catalogue row's index in the sheet,
// and a row whose index cell is filled is not added twice. Nothing is added while the sheet cannot
// be saved, and a motor an interrupted run added (in the catalogue, its index not in the sheet)
// gets its index written back instead of a second copy.
class MotorListBatch final {
public:
    MotorListBatch(MotorListSheet& sheet, MotorListServices& services, MotorListMode mode);

    // The row's designation as the progress shows it before the row runs.
    std::string designationOf(int row) const;
    // False once the batch was stopped by a failure that would repeat on every later row.
    bool runRow(int row);
    const MotorListSummary& summary() const { return summary_; }

private:
    MotorListRowResult process(int row, std::string& stopReason);
    bool prepare(MotorDataEditor& editor, const MeasurementData& data, MotorListRowResult& result);
    void writeBack(int row, const MotorRecord& record, int index);

    MotorListSheet& sheet_;
    MotorListServices& services_;
    MotorListMode mode_;
    MotorListSummary summary_;
};

// "rows 2-5: 2 added, 1 printed, 1 skipped" and a line per skipped row with its reason.
std::string SummaryText(const MotorListSummary& summary);
const char* OutcomeName(RowOutcome outcome);

} // namespace airmotor::core
