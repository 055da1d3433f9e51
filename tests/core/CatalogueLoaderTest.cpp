#include "core/catalogue/CatalogueLoader.h"

#include <gtest/gtest.h>

#include <array>
#include <locale>
#include <map>
#include <stdexcept>

using namespace airmotor::core;

namespace {
namespace catalogue_loader_test {

// A valid tblMotordata row; `changes` replaces single fields (std::nullopt = Null).
MotorRow Row(std::int64_t katalogindex,
             const std::map<std::string, std::optional<FieldValue>>& changes = {}) {
    MotorRow row;
    for (const std::string& column : MotorTableColumns()) {
        std::optional<FieldValue> v;
        if (column == "intKatalogindex")
            v = katalogindex;
        else if (column == "intSokindex")
            v = std::int64_t{katalogindex};
        else if (column.rfind("str", 0) == 0 || column == "txtRotation")
            v = std::string(column == "txtRotation" ? "A" : column + "-" + std::to_string(katalogindex));
        else if (column.rfind("bol", 0) == 0 || column.rfind("int", 0) == 0)
            v = std::int64_t{column.rfind("intGradtal", 0) == 0 ? 3 : 0};
        else
            v = 1.5;
        if (auto it = changes.find(column); it != changes.end())
            v = it->second;
        row.fields.emplace_back(column, v);
    }
    return row;
}

CatalogueLoadResult Loaded(const std::vector<MotorRow>& rows) {
    auto result = LoadCatalogue(rows, "Zevodida.db");
    if (auto* error = std::get_if<LoadError>(&result))
        ADD_FAILURE() << error->message;
    return std::get<CatalogueLoadResult>(std::move(result));
}

std::string ErrorOf(const std::vector<MotorRow>& rows) {
    auto result = LoadCatalogue(rows, "Zevodida.db");
    if (auto* error = std::get_if<LoadError>(&result))
        return error->message;
    ADD_FAILURE() << "load succeeded";
    return {};
}

TEST(CatalogueLoader, VeryOldRowsAreSkippedAndShiftTheSearchIndex) {
    const auto loaded =
        Loaded({Row(1, {{"bolVeryOld", std::int64_t{-1}}}), Row(2, {{"bolVeryOld", 1.0}}),
                Row(3, {{"intSokindex", std::int64_t{7}}}), Row(4, {{"bolVeryOld", std::int64_t{1}}}),
                Row(5, {{"intSokindex", std::int64_t{9}}})});
    const MotorCatalogue& c = loaded.catalogue;
    EXPECT_EQ(c.intAntalMotorer, 2);
    EXPECT_EQ((std::array{c.strBenamning[1], c.strBenamning[2], c.strBenamning[3]}),
              (std::array<std::string, 3>{"strBenamning-3", "strBenamning-5", ""}));
    // Two very old rows before the first, three before the second.
    EXPECT_EQ((std::array{c.intSokindex[1], c.intSokindex[2]}), (std::array<std::int16_t, 2>{5, 6}));
    EXPECT_EQ(Loaded({}).catalogue.intAntalMotorer, 0);
}

TEST(CatalogueLoader, NullInTheFourTestedTextsLeavesTheElementEmpty) {
    const auto loaded = Loaded({Row(1, {{"strDetaljnr1", std::nullopt},
                                        {"strDetaljnr2", std::nullopt},
                                        {"strDetaljnr3", std::nullopt},
                                        {"txtRotation", std::nullopt}}),
                                Row(2, {{"strDetaljnr2", std::nullopt}})});
    const MotorCatalogue& c = loaded.catalogue;
    using Texts = std::array<std::string, 4>;
    EXPECT_EQ((Texts{c.strDetaljnr1[1], c.strDetaljnr2[1], c.strDetaljnr3[1], c.txtRotation[1]}), Texts{});
    EXPECT_EQ((Texts{c.strDetaljnr1[2], c.strDetaljnr2[2], c.strDetaljnr3[2], c.txtRotation[2]}),
              (Texts{"strDetaljnr1-2", "", "strDetaljnr3-2", "A"}));
}

// Null reaches the store only where the loader reads it: any other column refuses it when the
// catalogue is built instead of stopping every later start.
TEST(CatalogueLoader, TheSchemaAllowsNullExactlyWhereTheLoaderDoes) {
    for (const ColumnDef& c : MotorTable().columns) {
        const std::string name(c.name);
        if (name == "intGearsteps") // kept in the store, read by nothing
            continue;
        const bool loads =
            std::holds_alternative<CatalogueLoadResult>(LoadCatalogue({Row(1, {{name, std::nullopt}})}, "x"));
        EXPECT_EQ(c.notNull, !loads) << name;
    }
}

TEST(CatalogueLoader, FieldConversions) {
    const auto loaded = Loaded({Row(1, {{"sngC0_M", 12.25},
                                        {"sngC3_M", -2.5e-9},
                                        {"sngC4_L", 7.0},
                                        {"intGradtal_M", std::int64_t{4}},
                                        {"intGradtal_L", 2.0},
                                        {"bolLubricationFree", std::int64_t{-1}},
                                        {"bolStainless", std::int64_t{1}},
                                        {"bolBrake", std::int64_t{0}},
                                        {"bolOldMotor", std::int64_t{2}},
                                        {"sngTomgVarvtal", std::int64_t{6000}},
                                        {"strMattskiss", std::int64_t{42}},
                                        {"txtRotation", std::string("\xC3\x85x")}}),
                                Row(2, {{"txtRotation", std::string()}}),
                                Row(3, {{"txtRotation", std::string("\xE0\xA4\xA0y")}}),
                                Row(4, {{"txtRotation", std::string("\xF0\x9F\x98\x80y")}})});
    const MotorCatalogue& c = loaded.catalogue;
    // Room for coefficient 5 stays zero.
    EXPECT_EQ((std::array{c.sngStallmoment[1], c.cM(0, 1), c.cM(3, 1), c.sngC_L[4 * kCatalogueSize + 1],
                          c.intGradtal_M[1], c.intGradtal_L[1], c.sngTomgVarvtal[1], c.cM(5, 1)}),
              (std::array{12.25f, 12.25f, -2.5e-9f, 7.0f, 4.0f, 2.0f, 6000.0f, 0.0f}));
    EXPECT_EQ(
        (std::array<bool, 4>{c.bolLubricationFree[1], c.bolStainless[1], c.bolBrake[1], c.bolOldMotor[1]}),
        (std::array<bool, 4>{true, true, false, true}));
    EXPECT_EQ(c.strMattskiss[1], "42");
    // One character, not one byte; empty is a blank; the lowest three-byte and four-byte leads.
    EXPECT_EQ((std::array{c.txtRotation[1], c.txtRotation[2], c.txtRotation[3], c.txtRotation[4]}),
              (std::array<std::string, 4>{"\xC3\x85", " ", "\xE0\xA4\xA0", "\xF0\x9F\x98\x80"}));
}

TEST(CatalogueLoader, MaxSpeedIsRoundedHalfToEven) {
    const struct {
        FieldValue stored;
        std::int16_t held;
    } cases[] = {
        // clang-format off
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {7500.5, 7500}, {7500.51, 7501}, {32767.0, 32767}, {-0.4, 0},
        // clang-format on
    };
    for (const auto& tc : cases) {
        const auto loaded = Loaded({Row(1, {{"sngMax_VarvDiagram", tc.stored}})});
        EXPECT_EQ(loaded.catalogue.sngMax_VarvDiagram[1], tc.held);
    }
    EXPECT_NE(ErrorOf({Row(1, {{"sngMax_VarvDiagram", 32767.5}})}).find("sngMax_VarvDiagram"),
              std::string::npos);
}

TEST(CatalogueLoader, MoreThan980UsableRowsKeepTheFirst980AndWarn) {
    std::vector<MotorRow> rows;
    rows.push_back(Row(1, {{"bolVeryOld", std::int64_t{1}}}));
    for (int k = 2; k <= 986; ++k)
        rows.push_back(Row(k));
    rows.push_back(Row(987, {{"bolVeryOld", std::int64_t{1}}}));
    const auto loaded = Loaded(rows);
    EXPECT_EQ(loaded.catalogue.intAntalMotorer, 980);
    EXPECT_EQ(loaded.catalogue.strBenamning[980], "strBenamning-981");
    ASSERT_EQ(loaded.warnings.size(), 1u);
    EXPECT_NE(loaded.warnings[0].find("5 motors"), std::string::npos) << loaded.warnings[0];

    rows.resize(981); // exactly 980 usable rows: no warning
    EXPECT_TRUE(Loaded(rows).warnings.empty());
}

TEST(CatalogueLoader, BrokenRowsStopTheLoadNamingFileRowAndField) {
    const struct {
        const char* field;
        std::optional<FieldValue> value;
        const char* problem;
    } cases[] = {
        {"sngC2_L", std::nullopt, "Null"},
        {"sngPris", std::string("cheap"), "number"},
        {"bolBrake", std::string("yes"), "boolean"},
        {"intSokindex", std::int64_t{40000}, "16-bit"},
        {"intGradtal_M", std::int64_t{6}, "0 and 5"},
        {"intGradtal_L", 2.5, "0 and 5"},
    };
    for (const auto& tc : cases) {
        const std::string message = ErrorOf({Row(1), Row(17, {{tc.field, tc.value}}), Row(18)});
        for (const char* part : {"Zevodida.db", "17", tc.field, tc.problem})
            EXPECT_NE(message.find(part), std::string::npos) << message;
    }
}

TEST(CatalogueLoader, MissingColumnIsAnErrorEvenOnSkippedRows) {
    MotorRow row = Row(3, {{"bolVeryOld", std::int64_t{1}}});
    std::erase_if(row.fields, [](const auto& f) { return f.first == "sngVikt"; });
    const std::string message = ErrorOf({Row(1), row});
    EXPECT_NE(message.find("sngVikt"), std::string::npos) << message;
    EXPECT_NE(message.find("missing"), std::string::npos) << message;
}

TEST(CatalogueLoader, SearchIndexNamingNoMotorIsWarnedAbout) {
    // 3 after one skipped row becomes 2: in range. 9 stays out of range for two motors.
    const auto loaded =
        Loaded({Row(1, {{"bolVeryOld", std::int64_t{1}}}), Row(2, {{"intSokindex", std::int64_t{3}}}),
                Row(3, {{"intSokindex", std::int64_t{10}}})});
    ASSERT_EQ(loaded.warnings.size(), 1u);
    EXPECT_NE(loaded.warnings[0].find("strBenamning-3 (9)"), std::string::npos) << loaded.warnings[0];
    EXPECT_TRUE(
        Loaded({Row(1, {{"intSokindex", std::int64_t{2}}}), Row(2, {{"intSokindex", std::int64_t{1}}})})
            .warnings.empty());
}

TEST(CatalogueLoader, KeysAndTextsThatCannotBeTrustedStopTheLoad) {
    using Changes = std::map<std::string, std::optional<FieldValue>>;
    const struct {
        std::vector<MotorRow> rows;
        const char* expected;
    } cases[] = {
        {{Row(1), Row(2), Row(2)}, "rows 2 and 3: intKatalogindex 2 appears twice"},
        {{Row(1, {{"intKatalogindex", std::nullopt}}), Row(2)}, "row 1: intKatalogindex is Null"},
        {{Row(1), Row(2, {{"intKatalogindex", 2.5}})}, "row 2: intKatalogindex 2.5 is not a whole"},
        {{Row(1, Changes{{"strBenamning", std::string("TKM\xC3")}})},
         "field strBenamning is not valid UTF-8"},
        {{Row(1, Changes{{"strMattskiss", std::string("\xC0\xAF")}})},
         "field strMattskiss is not valid UTF-8"},
    };
    for (const auto& tc : cases)
        EXPECT_NE(ErrorOf(tc.rows).find(tc.expected), std::string::npos) << ErrorOf(tc.rows);
    EXPECT_EQ(Loaded({Row(1, {{"intKatalogindex", 1.0}}), Row(2)}).catalogue.intAntalMotorer, 2);
}

// Streams take the program-wide C++ locale; a desktop program that sets one must not see a stored
// 1.5 read as "1,5" in a text column or in a message.
TEST(CatalogueLoader, NumbersBecomeTextsWhateverTheProgramsLocale) {
    std::locale comma;
    try {
        comma = std::locale("de_DE.UTF-8");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine (scripts/install-deps makes it)";
    }
    const std::locale previous = std::locale::global(comma);
    const std::string designation = Loaded({Row(1, {{"strBenamning", 1.5}})}).catalogue.strBenamning[1];
    const std::string error = ErrorOf({Row(1), Row(2, {{"intKatalogindex", 2.5}})});
    std::locale::global(previous);
    EXPECT_EQ(designation, "1.5");
    EXPECT_NE(error.find("intKatalogindex 2.5 "), std::string::npos) << error;
}

} // namespace catalogue_loader_test
} // namespace
