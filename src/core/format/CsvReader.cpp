#include "core/format/CsvReader.h"

#include "core/format/Utf8.h"

#include <algorithm>

namespace airmotor::core {
namespace {

// Line number of the first byte that is not part of a well-formed UTF-8 sequence, or 0.
int FirstInvalidUtf8Line(std::string_view text) {
    const std::size_t bad = FirstInvalidUtf8(text);
    if (bad == std::string_view::npos)
        return 0;
    return 1 +
           static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
}

} // namespace

std::variant<std::vector<CsvRecord>, CsvError> ParseCsv(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (const int bad = FirstInvalidUtf8Line(text))
        return CsvError{bad, "the text is not valid UTF-8"};

    std::vector<CsvRecord> records;
    std::size_t pos = 0;
    int line = 1;
    const auto atLineEnd = [&](std::size_t p) {
        return p >= text.size() || text[p] == '\n' || text[p] == '\r';
    };
    const auto skipLineEnd = [&]() {
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
        ++line;
    };

    while (pos < text.size()) {
        if (atLineEnd(pos)) { // empty line
            skipLineEnd();
            continue;
        }
        CsvRecord record;
        record.line = line;
        while (true) {
            CsvField field;
            if (pos < text.size() && text[pos] == '"') {
                field.quoted = true;
                ++pos;
                while (true) {
                    if (pos >= text.size())
                        return CsvError{record.line, "a quoted field has no closing quote"};
                    const char c = text[pos];
                    if (c == '"') {
                        if (pos + 1 < text.size() && text[pos + 1] == '"') {
                            field.text += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (c == '\n')
                        ++line;
                    field.text += c;
                    ++pos;
                }
                if (pos < text.size() && text[pos] != ',' && !atLineEnd(pos))
                    return CsvError{line, "unexpected text after the closing quote of a field"};
            } else {
                while (pos < text.size() && text[pos] != ',' && !atLineEnd(pos)) {
                    if (text[pos] == '"')
                        return CsvError{
                            line, "a quote inside an unquoted field (quote the field and double the quote)"};
                    field.text += text[pos];
                    ++pos;
                }
            }
            record.fields.push_back(std::move(field));
            if (pos < text.size() && text[pos] == ',') {
                ++pos;
                continue;
            }
            break;
        }
        records.push_back(std::move(record));
        if (pos < text.size())
            skipLineEnd();
    }
    return records;
}

} // namespace airmotor::core
