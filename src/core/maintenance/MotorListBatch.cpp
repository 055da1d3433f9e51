#include "core/maintenance/MotorListBatch.h"

#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"
#include "core/maintenance/MotorDataEditor.h"

#include <cmath>

namespace airmotor::core {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A single of the record as the sheet shows it: its shortest decimal text, not the double's digits.
double SheetNumber(const MotorRecord& record, const char* name) {
    const FieldValue* value = record.find(name);
    const double* d = value == nullptr ? nullptr : std::get_if<double>(value);
    if (d == nullptr)
        return 0.0;
    const std::string text = ShortestFloatText(static_cast<float>(*d));
    return LeadingDouble(text);
}

// Column M holds a single: the index of an earlier run, when it is one an int can hold.
std::optional<int> CatalogueIndexOf(double value) {
    constexpr double kBeyondInt = 2147483648.0;
    if (!(value >= 1.0 && value < kBeyondInt))
        return std::nullopt;
    const auto single = static_cast<float>(value);
    if (!(single < static_cast<float>(kBeyondInt)))
        return std::nullopt; // rounded up to 2^31 as a single
    return static_cast<int>(single);
}

std::string LastMessage(const RecordingMessageSink& messages, const char* otherwise) {
    return messages.messages.empty() ? std::string(otherwise) : messages.messages.back().text;
}

} // namespace

MotorListBatch::MotorListBatch(MotorListSheet& sheet, MotorListServices& services, MotorListMode mode)
    : sheet_(sheet), services_(services), mode_(mode) {}

std::string MotorListBatch::designationOf(int row) const {
    return Trimmed(sheet_.text(row, motor_list::kDesignation));
}

bool MotorListBatch::runRow(int row) {
    std::string stopReason;
    MotorListRowResult result = process(row, stopReason);
    switch (result.outcome) {
    case RowOutcome::Added:
        ++summary_.added;
        break;
    case RowOutcome::Printed:
        ++summary_.printed;
        break;
    case RowOutcome::Skipped:
        ++summary_.skipped;
        break;
    }
    summary_.rows.push_back(std::move(result));
    if (stopReason.empty())
        return true;
    summary_.stopped = std::move(stopReason);
    return false;
}

bool MotorListBatch::prepare(MotorDataEditor& editor, const MeasurementData& data,
                             MotorListRowResult& result) {
    editor.load(data, result.file);
    if (!result.designation.empty())
        editor.texts().designation = result.designation;
    result.designation = editor.texts().designation;
    editor.texts().partNumbers[0] = Trimmed(sheet_.text(result.row, motor_list::kPartNumber1));
    editor.texts().partNumbers[1] = Trimmed(sheet_.text(result.row, motor_list::kPartNumber2));
    editor.texts().drawing = Trimmed(sheet_.text(result.row, motor_list::kDrawing));
    return editor.decodeGear() && editor.calibrate();
}

MotorListRowResult MotorListBatch::process(int row, std::string& stopReason) {
    MotorListRowResult result;
    result.row = row;
    result.designation = designationOf(row);
    result.file = Trimmed(sheet_.text(row, motor_list::kMeasurementFile));
    if (result.file.empty()) {
        result.reason = result.designation.empty() ? "empty row" : "no measurement file in column L";
        return result;
    }
    if (mode_ == MotorListMode::Update) {
        const auto index = sheet_.number(row, motor_list::kCatalogueIndex);
        if (index && (*index >= 1.0 || !std::isfinite(*index))) {
            result.catalogueIndex = CatalogueIndexOf(*index);
            result.reason = result.catalogueIndex
                                ? "already in the catalogue as intKatalogindex " +
                                      std::to_string(*result.catalogueIndex) + " (column M)"
                                : "column M holds " + ShortestText(*index) +
                                      ", which is no catalogue index: clear it to add the motor";
            return result;
        }
    }
    auto read = services_.readMeasurement(result.file);
    if (auto* error = std::get_if<std::string>(&read)) {
        result.reason = *error;
        return result;
    }
    RecordingMessageSink messages;
    MotorDataEditor editor(messages);
    if (!prepare(editor, std::get<MeasurementData>(read), result)) {
        result.reason = LastMessage(messages, "the diagram cannot be drawn");
        return result;
    }
    if (mode_ == MotorListMode::Print) {
        if (auto error = services_.printDiagram(editor, row))
            result.reason = *error;
        else
            result.outcome = RowOutcome::Printed;
        return result;
    }
    auto built = BuildMotorRecord(editor, SaveMode::Add);
    if (auto* error = std::get_if<std::string>(&built)) {
        result.reason = *error;
        return result;
    }
    const MotorRecord& record = std::get<MotorRecord>(built);
    // A catalogue row whose index cannot reach the sheet would be added again by every later run.
    if (auto problem = sheet_.checkWritable()) {
        result.reason = *problem;
        stopReason = "row " + std::to_string(row) + " was not added: " + *problem;
        return result;
    }
    auto found = services_.findAdded(record, result.designation);
    if (auto* error = std::get_if<std::string>(&found)) {
        result.reason = *error;
        return result;
    }
    if (const auto& earlier = std::get<std::optional<int>>(found)) {
        result.catalogueIndex = *earlier;
        result.reason = "added by an earlier run that did not save the sheet; its intKatalogindex " +
                        std::to_string(*earlier) + " is written back";
    } else {
        auto written = services_.addMotor(record, result.designation);
        if (auto* error = std::get_if<std::string>(&written)) {
            result.reason = *error;
            return result;
        }
        result.catalogueIndex = std::get<int>(written);
    }
    result.outcome = RowOutcome::Added;
    writeBack(row, record, *result.catalogueIndex);
    // Without its index saved the row would be added again by the next run: stop here.
    if (auto error = sheet_.save())
        stopReason = "row " + std::to_string(row) + " was added as intKatalogindex " +
                     std::to_string(*result.catalogueIndex) + ", but the sheet could not be saved: " + *error;
    return result;
}

void MotorListBatch::writeBack(int row, const MotorRecord& record, int index) {
    sheet_.setNumber(row, motor_list::kFreeSpeed, SheetNumber(record, "sngTomgVarvtal"));
    sheet_.setNumber(row, motor_list::kMaxPower, SheetNumber(record, "sngMaxEffekt"));
    sheet_.setNumber(row, motor_list::kTorqueAtMax, SheetNumber(record, "sngMomentMaxeff"));
    sheet_.setNumber(row, motor_list::kSpeedAtMax, SheetNumber(record, "sngVarvMaxeff"));
    sheet_.setNumber(row, motor_list::kAirAtMax, SheetNumber(record, "sngLuftMaxeff"));
    sheet_.setNumber(row, motor_list::kCatalogueIndex, index);
}

const char* OutcomeName(RowOutcome outcome) {
    switch (outcome) {
    case RowOutcome::Added:
        return "added";
    case RowOutcome::Printed:
        return "printed";
    case RowOutcome::Skipped:
        break;
    }
    return "skipped";
}

std::string SummaryText(const MotorListSummary& summary) {
    std::string text = std::to_string(summary.rows.size()) + " rows: " + std::to_string(summary.added) +
                       " added, " + std::to_string(summary.printed) + " printed, " +
                       std::to_string(summary.skipped) + " skipped.";
    for (const MotorListRowResult& r : summary.rows)
        if (r.outcome == RowOutcome::Skipped)
            text += "\nRow " + std::to_string(r.row) +
                    (r.designation.empty() ? std::string() : " (" + r.designation + ")") + ": " + r.reason;
    if (!summary.stopped.empty())
        text += "\nStopped: " + summary.stopped;
    return text;
}

} // namespace airmotor::core
