#include "core/analysis/ResultExport.h"

#include "core/common/Keys.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace airmotor::core {

namespace {

// The label is the language's; the pattern after it tells the chosen filter whatever the language.
struct Filter {
    ResultFormat format;
    int labelKey;
    std::string_view pattern;
    std::string_view extension;
};

constexpr std::array<Filter, 2> kFilters{
    {{ResultFormat::Workbook, TextKey::WorkbookFilter, " (*.xlsx)", ".xlsx"},
     {ResultFormat::Csv, TextKey::CsvFilter, " (*.csv)", ".csv"}}};

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
        if (selected.size() > f.pattern.size() && selected.ends_with(f.pattern))
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

std::string ResultExportFilters(const TextTable& strText) {
    std::string list;
    for (const Filter& f : kFilters)
        list += (list.empty() ? "" : ";;") + strText(f.labelKey) + std::string(f.pattern);
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
