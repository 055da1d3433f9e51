#include "core/analysis/ResultExport.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace airmotor::core {

namespace {

struct Filter {
    ResultFormat format;
    std::string_view label;
    std::string_view extension;
};

constexpr std::array<Filter, 2> kFilters{{{ResultFormat::Workbook, "Workbook (*.xlsx)", ".xlsx"},
                                          {ResultFormat::Csv, "Comma-separated values (*.csv)", ".csv"}}};

bool EndsWithNoCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

const Filter* Selected(std::string_view selected) {
    for (const Filter& f : kFilters)
        if (selected == f.label)
            return &f;
    return nullptr;
}

const Filter& ByExtension(std::string_view path) {
    for (const Filter& f : kFilters)
        if (EndsWithNoCase(path, f.extension))
            return f;
    return kFilters[1];
}

} // namespace

std::string ResultExportFilters() {
    std::string list;
    for (const Filter& f : kFilters)
        list += (list.empty() ? "" : ";;") + std::string(f.label);
    return list;
}

ResultExportTarget ChooseResultExport(std::string_view path, std::string_view selectedFilter) {
    const Filter* chosen = Selected(selectedFilter);
    if (!chosen)
        return {ByExtension(path).format, std::string(path)};
    ResultExportTarget target{chosen->format, std::string(path)};
    if (!EndsWithNoCase(path, chosen->extension))
        target.path += chosen->extension;
    return target;
}

} // namespace airmotor::core
