#include "platform/access/AccessWireParser.h"
#include "platform/access/AccessWireWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace airmotor::platform;

namespace {
namespace access_wire_test {

using T = AccessColumnType;

AccessTable Sample() {
    AccessTable t;
    t.name = "tblSample";
    t.columns = {{"flag", T::Boolean}, {"n", T::Long},   {"s", T::Single},
                 {"d", T::Double},     {"txt", T::Memo}, {"raw", T::Other}};
    t.rows = {{true, std::int64_t{-5}, 0.1f, -0.0, std::string("\xC3\xA5ngstr\xC3\xB6m"),
               std::string("\xFF\x00", 2)},
              {false, AccessValue{}, std::numeric_limits<float>::denorm_min(), 1e300, std::string(),
               AccessValue{}}};
    return t;
}

std::string Write(const std::vector<AccessTable>& tables) {
    AccessWireWriter out;
    for (const AccessTable& t : tables) {
        out.beginTable(t.name, t.columns);
        for (const auto& row : t.rows) {
            out.beginRow();
            for (const auto& v : row)
                out.value(v);
        }
        out.endTable(static_cast<std::uint32_t>(t.rows.size()));
    }
    out.finish();
    return out.bytes();
}

std::string ErrorOf(const std::string& bytes, const std::vector<std::string>& tables = {"tblSample"}) {
    const auto parsed = AccessWireParser::parse(bytes, tables);
    const auto* error = std::get_if<AccessWireError>(&parsed);
    return error ? error->message : std::string("(accepted)");
}

TEST(AccessWireTest, RoundTripKeepsEveryValueBitForBit) {
    const AccessTable sample = Sample();
    const auto parsed = AccessWireParser::parse(Write({sample, sample}), {"tblSample", "tblSample"});
    ASSERT_TRUE(std::holds_alternative<std::vector<AccessTable>>(parsed))
        << std::get<AccessWireError>(parsed).message;
    const auto& tables = std::get<std::vector<AccessTable>>(parsed);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[1].rows, sample.rows);
    EXPECT_TRUE(std::signbit(std::get<double>(tables[0].rows[0][3])));
    EXPECT_EQ(tables[0].columns[4].name, "txt");
    EXPECT_EQ(tables[0].columns[4].type, T::Memo);
}

// Every cut of a sound output is refused: no record is taken on trust of the one that follows.
TEST(AccessWireTest, EveryTruncationIsRefused) {
    const std::string good = Write({Sample()});
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_NE(ErrorOf(good.substr(0, n)), "(accepted)") << n;
}

TEST(AccessWireTest, InconsistentOutputIsRefusedWithItsFault) {
    const std::string good = Write({Sample()});
    AccessTable wrongKind = Sample();
    wrongKind.rows[0][1] = 1.5; // a double in a Long column
    AccessTable badText = Sample();
    badText.rows[0][4] = std::string("\xC3");
    AccessTable noColumns = Sample();
    noColumns.columns.clear();
    noColumns.rows.clear();
    std::string wrongCount = good;
    wrongCount[wrongCount.size() - 5] = 3; // the row count before the end mark
    std::string hugeText = good;
    hugeText.replace(hugeText.find("\xC3\xA5ngstr") - 4, 4, std::string("\xFF\xFF\xFF\x7F"));
    const struct {
        std::string bytes;
        std::vector<std::string> tables;
        const char* what;
    } cases[] = {
        {"", {"tblSample"}, "mark"},
        {good + "Z", {"tblSample"}, "follow the end mark"},
        {good, {"tblOther"}, "tblSample was not asked for"},
        {good, {"tblSample", "tblMore"}, "ends before table tblMore"},
        {Write({wrongKind}), {"tblSample"}, "does not fit"},
        {Write({badText}), {"tblSample"}, "not UTF-8"},
        {Write({noColumns}), {"tblSample"}, "0 columns"},
        {wrongCount, {"tblSample"}, "row count"},
        {hugeText, {"tblSample"}, "longer than"},
    };
    for (const auto& tc : cases) {
        const std::string message = ErrorOf(tc.bytes, tc.tables);
        EXPECT_NE(message.find("malformed"), std::string::npos) << message;
        EXPECT_NE(message.find(tc.what), std::string::npos) << message;
    }
}

TEST(AccessWireTest, ReaderFailureIsPassedOnCleaned) {
    AccessWireWriter out;
    out.fail("has no table\n\x1B[2Jx " + std::string(600, 'a') + "\xC3");
    const auto parsed = AccessWireParser::parse(out.bytes(), {"t"});
    ASSERT_TRUE(std::holds_alternative<AccessWireError>(parsed));
    const AccessWireError& error = std::get<AccessWireError>(parsed);
    EXPECT_TRUE(error.fromReader);
    EXPECT_EQ(error.message.rfind("has no table  [2Jx aaa", 0), 0u) << error.message;
    EXPECT_LT(error.message.size(), 420u);
}

} // namespace access_wire_test
} // namespace
