#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace airmotor::core {

struct CsvField {
    std::string text;
    bool quoted = false;
    // An unquoted \N is a database Null; a quoted "\N" is the two characters.
    bool isNull() const { return !quoted && text == "\\N"; }
};

struct CsvRecord {
    int line = 0; // line on which the record starts (1-based)
    std::vector<CsvField> fields;
};

struct CsvError {
    int line = 0;
    std::string message;
};

// RFC 4180 records from UTF-8 text: comma-separated, CR LF or LF line ends, quoted fields with
// doubled quotes and embedded line breaks. A leading byte-order mark is skipped and empty lines
// between records are ignored. Malformed quoting or invalid UTF-8 is an error with its line.
std::variant<std::vector<CsvRecord>, CsvError> ParseCsv(std::string_view text);

} // namespace airmotor::core
