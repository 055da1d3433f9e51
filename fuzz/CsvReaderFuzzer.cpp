// The CSV reader on any bytes: records or a fault on a line of the text. Records start on rising
// lines inside the text, and whatever it accepts, written out again in the plainest form (quoted
// fields quoted with doubled quotes, a byte-order mark first), reads back to the same fields.
#include "core/format/CsvReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using airmotor::core::CsvError;
using airmotor::core::CsvRecord;

std::string Written(const std::vector<CsvRecord>& records) {
    std::string out = "\xEF\xBB\xBF";
    for (const CsvRecord& record : records) {
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            if (i > 0)
                out += ',';
            const auto& field = record.fields[i];
            if (!field.quoted) {
                out += field.text;
                continue;
            }
            out += '"';
            for (char c : field.text)
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

bool SameFields(const CsvRecord& a, const CsvRecord& b) {
    if (a.fields.size() != b.fields.size())
        return false;
    for (std::size_t i = 0; i < a.fields.size(); ++i)
        if (a.fields[i].text != b.fields[i].text || a.fields[i].quoted != b.fields[i].quoted)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A lone CR ends a line too, so this bounds the reader's line numbers from above.
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                                       std::count(text.begin(), text.end(), '\r')) +
                      1;
    const auto parsed = airmotor::core::ParseCsv(text);
    if (const auto* error = std::get_if<CsvError>(&parsed)) {
        if (error->line < 1 || error->line > lines || error->message.empty())
            std::abort();
        return 0;
    }
    const auto& records = std::get<std::vector<CsvRecord>>(parsed);
    int previous = 0;
    for (const CsvRecord& record : records) {
        if (record.line <= previous || record.line > lines || record.fields.empty())
            std::abort();
        previous = record.line;
    }
    const auto again = airmotor::core::ParseCsv(Written(records));
    const auto* reread = std::get_if<std::vector<CsvRecord>>(&again);
    if (reread == nullptr || reread->size() != records.size() ||
        !std::equal(records.begin(), records.end(), reread->begin(), SameFields))
        std::abort();
    return 0;
}
