#include "core/analysis/AnalysisCsv.h"

#include <charconv>
#include <optional>

namespace airmotor::core {

namespace {

constexpr const char* kHeader[] = {"row",
                                   "designation",
                                   "mode",
                                   "pressure [bar]",
                                   "torque at working speed [Nm]",
                                   "torque margin [%]",
                                   "speed at working torque [r/min]",
                                   "power [kW]",
                                   "air [l/s]",
                                   "air [m3/h]",
                                   "start torque margin [%]",
                                   "distance to free speed [%]",
                                   "air cost per year"};

std::string Quoted(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string Fixed(double value, int decimals) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string();
}

std::string Fixed(const std::optional<float>& value, int decimals) {
    return value ? Fixed(static_cast<double>(*value), decimals) : std::string();
}

} // namespace

std::string AnalysisCsv(const std::vector<AnalysedRow>& rows) {
    std::string csv;
    const auto line = [&](std::initializer_list<std::string> cells) {
        bool first = true;
        for (const std::string& cell : cells) {
            if (!first)
                csv += ',';
            csv += Quoted(cell);
            first = false;
        }
        csv += "\r\n";
    };
    for (const char* h : kHeader) {
        if (h != kHeader[0])
            csv += ',';
        csv += h;
    }
    csv += "\r\n";
    for (const auto& [row, a] : rows) {
        line({std::to_string(row), a.designation, DutyModeName(a.mode), Fixed(a.pressure, 2),
              Fixed(a.torqueAtSpeed, 2), Fixed(a.torqueMargin, 1), Fixed(a.speedAtTorque, 0),
              Fixed(a.power, 3), Fixed(a.air, 2), Fixed(a.airM3h, 1), Fixed(a.startTorqueMargin, 1),
              Fixed(a.freeSpeedMargin, 1), Fixed(a.airCostPerYear, 2)});
    }
    return csv;
}

} // namespace airmotor::core
