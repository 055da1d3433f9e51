#include "core/maintenance/MeasurementFile.h"

#include "core/format/FreeFormatReader.h"
#include "core/format/NumberParsing.h"
#include "core/format/Utf8.h"

#include <charconv>
#include <cmath>

namespace airmotor::core {
namespace {

constexpr int kHeaderValues = 5;
constexpr int kTargetValues = 4;
constexpr int kFactorValues = 3;
constexpr int kDataLines = 8;
constexpr int kCompanionLines = 4;

std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<FreeFormatValue> ValuesOf(std::string_view line) {
    FreeFormatReader reader(line);
    std::vector<FreeFormatValue> values;
    while (auto value = reader.next())
        values.push_back(std::move(*value));
    return values;
}

// A number as the classic reader takes it into a single: an empty field is 0.
std::optional<float> Single(const FreeFormatValue& value) {
    if (value.quoted)
        return std::nullopt;
    if (value.text.empty())
        return 0.0f;
    return ParseSingle(value.text);
}

class LineParser final {
public:
    explicit LineParser(std::string_view text) : lines_(SplitLines(text)) {}

    // Exactly `count` numbers on line `line`, or an error naming it.
    std::optional<std::vector<float>> numbers(int line, std::size_t count) {
        if (!present(line))
            return std::nullopt;
        const auto values = ValuesOf(lines_[static_cast<std::size_t>(line - 1)]);
        if (values.size() != count) {
            fail(line,
                 std::to_string(count) + " values expected, " + std::to_string(values.size()) + " found");
            return std::nullopt;
        }
        std::vector<float> out;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto number = Single(values[i]);
            if (!number) {
                fail(line,
                     "value " + std::to_string(i + 1) + " \"" + values[i].text + "\" " +
                         (values[i].quoted ? std::string("is not a number") : WhyNotSingle(values[i].text)));
                return std::nullopt;
            }
            out.push_back(*number);
        }
        return out;
    }

    std::optional<std::string> text(int line) {
        if (!present(line))
            return std::nullopt;
        const auto values = ValuesOf(lines_[static_cast<std::size_t>(line - 1)]);
        if (values.size() != 1) {
            fail(line, "one quoted designation expected");
            return std::nullopt;
        }
        return values.front().text;
    }

    MeasurementFileError error;

private:
    bool present(int line) {
        if (static_cast<std::size_t>(line) > lines_.size()) {
            fail(line, "the file ends before this line");
            return false;
        }
        return true;
    }
    void fail(int line, std::string what) { error = {line, std::move(what)}; }

    std::vector<std::string_view> lines_;
};

// UTF-16 text (an editor's "Unicode"): every other byte of its digits and commas is zero, which
// would otherwise be read as values that do not add up.
bool IsUtf16(std::string_view text) {
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
        return true;
    return text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0');
}

MeasurementParse Parse(std::string_view text, int requiredLines) {
    if (IsUtf16(text))
        return MeasurementFileError{0, "the file is UTF-16 text; save it as UTF-8 or ANSI text"};
    LineParser parser(text);
    const auto header = parser.numbers(1, kHeaderValues);
    if (!header)
        return parser.error;
    const float n = (*header)[0];
    if (!(n >= 0.0f && n <= static_cast<float>(kMaxMeasuredPoints)) || n != std::floor(n))
        return MeasurementFileError{1, "the number of points must be a whole number from 0 to 32"};
    const auto count = static_cast<std::size_t>(n);
    MeasurementData data;
    data.sx = (*header)[1];
    data.sy1 = (*header)[2];
    data.sy2 = (*header)[3];
    data.utvRef = (*header)[4];
    std::vector<float>* readings[] = {&data.speed, &data.torque, &data.air};
    for (int k = 0; k < 3; ++k) {
        auto values = parser.numbers(2 + k, count);
        if (!values)
            return parser.error;
        *readings[k] = std::move(*values);
    }
    if (requiredLines == kCompanionLines)
        return data;
    const auto targets = parser.numbers(5, kTargetValues);
    if (!targets)
        return parser.error;
    data.targets = {(*targets)[0], (*targets)[1], (*targets)[2], (*targets)[3]};
    const auto factors = parser.numbers(6, kFactorValues);
    if (!factors)
        return parser.error;
    data.kn = (*factors)[0];
    data.km = (*factors)[1];
    data.kl = (*factors)[2];
    const auto minStart = parser.numbers(7, 1);
    if (!minStart)
        return parser.error;
    data.minStartTorque = minStart->front();
    auto designation = parser.text(kDataLines);
    if (!designation)
        return parser.error;
    data.designation = std::move(*designation);
    if (!IsValidUtf8(data.designation)) {
        data.designation = Windows1252ToUtf8(data.designation);
        data.warnings.push_back("line 8: the designation is not UTF-8 text; it was read as Windows-1252 "
                                "(Western European) text: \"" +
                                data.designation + "\"");
    }
    return data;
}

std::string Join(const std::vector<float>& values) {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += ',';
        line += ShortestFloatText(values[i]);
    }
    return line + "\r\n";
}

} // namespace

std::string ShortestFloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

MeasurementParse ParseMeasurementFile(std::string_view text) {
    return Parse(text, kDataLines);
}

MeasurementParse ParseCompanionFile(std::string_view text) {
    return Parse(text, kCompanionLines);
}

std::string FormatMeasurementFile(const MeasurementData& data) {
    std::string out = Join({static_cast<float>(data.count()), data.sx, data.sy1, data.sy2, data.utvRef});
    out += Join(data.speed);
    out += Join(data.torque);
    out += Join(data.air);
    const MeasurementTargets& t = data.targets;
    out += Join({t.freeSpeed, t.maxPower, t.speedAtMaxPower, t.airAtMaxPower});
    out += Join({data.kn, data.km, data.kl});
    out += Join({data.minStartTorque});
    // The reader has no escape for a quote inside a text: it is dropped rather than written.
    std::string name;
    for (char c : data.designation)
        if (c != '"')
            name += c;
    out += "\"" + name + "\"\r\n";
    out += "#" + data.date + "#\r\n";
    return out;
}

} // namespace airmotor::core
