#include "core/format/CsvReader.h"

#include <gtest/gtest.h>

using namespace airmotor::core;

namespace {
namespace csv_reader_test {

using Rows = std::vector<std::vector<std::string>>;

Rows Texts(std::string_view csv) {
    Rows rows;
    // An exact-size copy: a literal's closing NUL would hide a read past the end of the text.
    const std::vector<char> exact(csv.begin(), csv.end());
    const auto parsed = ParseCsv({exact.data(), exact.size()});
    for (const CsvRecord& r : std::get<std::vector<CsvRecord>>(parsed)) {
        rows.emplace_back();
        for (const CsvField& f : r.fields)
            rows.back().push_back(f.isNull() ? "<Null>" : f.text);
    }
    return rows;
}

TEST(CsvReader, QuotesLineEndsAndNulls) {
    EXPECT_EQ(Texts("a,\"b \"\"c\"\"\",\r\n\r\n\"x\ny\",\\N,\"\\N\"\n"),
              (Rows{{"a", "b \"c\"", ""}, {"x\ny", "<Null>", "\\N"}}));
    EXPECT_EQ(Texts("\xEF\xBB\xBF\"\"\"\"\n1"), (Rows{{"\""}, {"1"}})) << "byte-order mark skipped";
    const auto parsed = ParseCsv("\"a\nb\",1\n2\n");
    EXPECT_EQ(std::get<std::vector<CsvRecord>>(parsed).at(1).line, 3)
        << "a quoted line break counts as a line";
}

TEST(CsvReader, MalformedTextNamesItsLine) {
    const std::pair<const char*, int> cases[] = {
        {"a\n\"open", 2},
        {"a\n\"b\"c", 2},
        {"a\nb\"c\n", 2},
        {"a\n\n\xC3", 3},
    };
    for (const auto& [text, line] : cases) {
        const auto parsed = ParseCsv(text);
        ASSERT_TRUE(std::holds_alternative<CsvError>(parsed)) << text;
        EXPECT_EQ(std::get<CsvError>(parsed).line, line) << text;
    }
}

} // namespace csv_reader_test
} // namespace
