#include "core/production/ProductionLookup.h"

#include "core/format/NumberParsing.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace airmotor::core {

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (kBlanks.find(c) == std::string_view::npos)
            out.push_back(c);
    return out;
}

std::string NumberText(double value) {
    // 2^53: every whole double below it has an exact integer text.
    constexpr double kExactWhole = 9007199254740992.0;
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < kExactWhole)
        return std::to_string(static_cast<std::int64_t>(value));
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

// A positive finite number; std::nullopt for Null, text, zero or negative values.
std::optional<double> Positive(const ProductionValue& value) {
    if (!value)
        return std::nullopt;
    double v = 0.0;
    if (const auto* i = std::get_if<std::int64_t>(&*value))
        v = static_cast<double>(*i);
    else if (const auto* d = std::get_if<double>(&*value))
        v = *d;
    else
        return std::nullopt;
    if (!std::isfinite(v) || v <= 0.0)
        return std::nullopt;
    return v;
}

// Strictly between low and high times the catalogue value, compared in double.
bool InsideBand(double value, float catalogueValue, double low, double high) {
    const double c = static_cast<double>(catalogueValue);
    return value > low * c && value < high * c;
}

struct Band {
    const char* field;
    double low, high;
};
constexpr Band kSpeedBand{"VarvtalEffekt", 0.3, 1.8};
constexpr Band kTorqueBand{"Moment", 0.3, 1.8};
constexpr Band kAirBand{"LuftförbrukningEffekt", 0.5, 1.5};
constexpr Band kFreeSpeedBand{"Speed RPM", 0.5, 1.5};
constexpr Band kFreeAirBand{"Air cons", 0.5, 1.5};

} // namespace

std::string ProductionRecord::reason() const {
    switch (outcome) {
    case RecordOutcome::Used:
        return "used";
    case RecordOutcome::NotApproved:
        return "not approved";
    case RecordOutcome::ZeroValue:
        return "zero value";
    case RecordOutcome::NoSheet1Row:
        return "no Sheet1 row";
    case RecordOutcome::OutsideBand:
        break;
    }
    return "outside band: " + bandField;
}

std::string ProductionText(const ProductionValue& value) {
    if (!value)
        return {};
    if (const auto* i = std::get_if<std::int64_t>(&*value))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&*value))
        return NumberText(*d);
    return std::string(Trim(std::get<std::string>(*value)));
}

bool IsApproved(const ProductionValue& value) {
    if (!value)
        return false;
    if (const auto* i = std::get_if<std::int64_t>(&*value))
        return *i != 0;
    if (const auto* d = std::get_if<double>(&*value))
        return *d != 0.0 && !std::isnan(*d);
    return false;
}

bool PartNumberMatches(const ProductionValue& produktnummer, std::string_view partNumber) {
    const std::string wanted = WithoutBlanks(partNumber);
    if (wanted.empty() || !produktnummer)
        return false;
    const std::string stored = WithoutBlanks(ProductionText(produktnummer));
    if (stored == wanted)
        return true;
    const std::optional<double> a = ParseDouble(stored);
    const std::optional<double> b = ParseDouble(wanted);
    return a && b && *a == *b;
}

ProductionIndex::ProductionIndex(ProductionTables tables) : tables_(std::move(tables)) {
    for (std::size_t i = 0; i < tables_.sheet1.size(); ++i)
        firstSheet1_.try_emplace(ProductionText(tables_.sheet1[i].SerNbr), i);
}

const Sheet1Row* ProductionIndex::firstSheet1Row(const std::string& serial) const {
    if (serial.empty())
        return nullptr;
    const auto it = firstSheet1_.find(serial);
    return it == firstSheet1_.end() ? nullptr : &tables_.sheet1[it->second];
}

ProductionLookupResult LookUpProduction(const MotorCatalogue& catalogue, int k,
                                        const ProductionIndex& index) {
    ProductionLookupResult result;
    if (k < 1 || k > catalogue.intAntalMotorer)
        return result;
    const auto i = static_cast<std::size_t>(k);
    const std::array<const std::string*, 3> partNumbers{
        &catalogue.strDetaljnr1[i], &catalogue.strDetaljnr2[i], &catalogue.strDetaljnr3[i]};
    ProductionMeans sums;
    for (const ProvresRow& row : index.tables().provres) {
        bool matches = false;
        for (const std::string* p : partNumbers)
            matches = matches || PartNumberMatches(row.Produktnummer, *p);
        if (!matches)
            continue;
        ProductionRecord record;
        record.SerNbr = ProductionText(row.SerNbr);
        record.Produktnummer = ProductionText(row.Produktnummer);
        const auto speed = Positive(row.VarvtalEffekt);
        const auto air = Positive(row.LuftforbrukningEffekt);
        const auto torque = Positive(row.Moment);
        const Sheet1Row* sheet = index.firstSheet1Row(record.SerNbr);
        // 0 stands for "no positive value": the free-speed figures are only read when a row is there.
        const double freeSpeed = sheet ? Positive(sheet->SpeedRpm).value_or(0.0) : 0.0;
        const double freeAir = sheet ? Positive(sheet->AirCons).value_or(0.0) : 0.0;
        if (!IsApproved(row.Godkand))
            record.outcome = RecordOutcome::NotApproved;
        else if (!speed || !air || !torque)
            record.outcome = RecordOutcome::ZeroValue;
        else if (!sheet)
            record.outcome = RecordOutcome::NoSheet1Row;
        else if (freeSpeed <= 0.0 || freeAir <= 0.0)
            record.outcome = RecordOutcome::ZeroValue;
        else {
            const std::array<std::pair<const Band*, bool>, 5> checks{{
                {&kSpeedBand,
                 InsideBand(*speed, catalogue.sngVarvMaxeff[i], kSpeedBand.low, kSpeedBand.high)},
                {&kTorqueBand,
                 InsideBand(*torque, catalogue.sngMomentMaxeff[i], kTorqueBand.low, kTorqueBand.high)},
                {&kAirBand, InsideBand(*air, catalogue.sngLuftMaxeff[i], kAirBand.low, kAirBand.high)},
                {&kFreeSpeedBand,
                 InsideBand(freeSpeed, catalogue.sngTomgVarvtal[i], kFreeSpeedBand.low, kFreeSpeedBand.high)},
                {&kFreeAirBand,
                 InsideBand(freeAir, catalogue.sngLuftforbrTomgang[i], kFreeAirBand.low, kFreeAirBand.high)},
            }};
            record.outcome = RecordOutcome::Used;
            for (const auto& [band, inside] : checks)
                if (!inside) {
                    record.outcome = RecordOutcome::OutsideBand;
                    record.bandField = band->field;
                    break;
                }
            if (record.outcome == RecordOutcome::Used) {
                ++result.count;
                sums.VarvtalEffekt += *speed;
                sums.Moment += *torque;
                sums.LuftforbrukningEffekt += *air;
                sums.SpeedRpm += freeSpeed;
                sums.AirCons += freeAir;
            }
        }
        result.records.push_back(std::move(record));
    }
    if (result.count > 0) {
        const double n = result.count;
        result.means = {sums.VarvtalEffekt / n, sums.Moment / n, sums.LuftforbrukningEffekt / n,
                        sums.SpeedRpm / n, sums.AirCons / n};
    }
    return result;
}

} // namespace airmotor::core
