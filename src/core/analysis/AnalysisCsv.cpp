#include "core/analysis/AnalysisCsv.h"

#include "core/analysis/AnalysisColumns.h"

namespace airmotor::core {

namespace {

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

// A tab or line break inside a cell would split it when pasted: it becomes a blank.
std::string Flattened(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

template <typename CellOf>
std::string Table(const std::vector<AnalysedRow>& rows, const TextTable& strText, std::string_view currency,
                  char separator, CellOf cellOf) {
    std::string out;
    const auto headings = AnalysisHeadings(strText, currency);
    for (std::size_t c = 0; c < kAnalysisColumnCount; ++c)
        out += (c == 0 ? "" : std::string(1, separator)) + cellOf(headings[c]);
    out += "\r\n";
    for (const AnalysedRow& row : rows) {
        const auto cells = AnalysisCells(row);
        for (std::size_t c = 0; c < kAnalysisColumnCount; ++c) {
            if (c != 0)
                out += separator;
            out += cellOf(CellText(cells[c], kAnalysisColumns[c]));
        }
        out += "\r\n";
    }
    return out;
}

} // namespace

std::string AnalysisCsv(const std::vector<AnalysedRow>& rows, const TextTable& strText,
                        std::string_view currency) {
    return Table(rows, strText, currency, ',', &Quoted);
}

std::string AnalysisTsv(const std::vector<AnalysedRow>& rows, const TextTable& strText,
                        std::string_view currency) {
    return Table(rows, strText, currency, '\t', &Flattened);
}

} // namespace airmotor::core
