#include "core/language/Language.h"

#include <gtest/gtest.h>

#include <array>

using namespace airmotor::core;

namespace {
namespace language_test {

LanguageRow Texts(std::int64_t key, std::optional<std::string> english,
                  std::optional<std::string> german = "de", std::optional<std::string> french = "fr",
                  std::optional<std::string> italian = "it", std::optional<std::string> spanish = "es") {
    return LanguageRow{key, {english, german, french, italian, spanish}};
}

LanguageState Applied(const std::string& language, const std::vector<LanguageRow>& rows,
                      const std::vector<ImperialRow>& imperial = {}) {
    LanguageState state;
    state.strLanguage = language;
    const auto error = ApplyLanguageTexts(state, rows, imperial);
    EXPECT_FALSE(error.has_value()) << (error ? error->message : "");
    return state;
}

TEST(Language, ColumnIsChosenByLanguage) {
    const std::vector<LanguageRow> rows = {Texts(5, "en", "de", "fr", "it", "es")};
    const struct {
        const char* language;
        const char* text;
        int imperial;
    } cases[] = {
        {"English", "en", 0}, {"English_Imperial", "en", 1}, {"German", "de", 0}, {"Spanish", "es", 0}};
    for (const auto& tc : cases) {
        const auto state = Applied(tc.language, rows);
        EXPECT_EQ(state.strText(5), tc.text) << tc.language;
        EXPECT_EQ(state.intImperialUnits, tc.imperial) << tc.language;
    }
}

TEST(Language, EllipsisAndNullTexts) {
    const struct {
        std::optional<std::string> stored;
        std::string shown;
    } cases[] = {
        {"Print\xE2\x80\xA6", "Print..."},          // U+2026 at the end
        {std::string("Print\x85"), "Print..."},     // Windows-1252 ellipsis byte
        {"Print\xC2\x85", "Print..."},              // the same code decoded as Latin-1 (U+0085)
        {"\xE2\x80\xA6 more", "\xE2\x80\xA6 more"}, // only a trailing one is replaced
        {"\xE2\x80\xA6\xE2\x80\xA6", "\xE2\x80\xA6..."},
        {"\xC3\x85", "\xC3\x85"},                 // "Å" ends in byte 0x85 but is no ellipsis
        {"\xF0\x9F\x8E\x85", "\xF0\x9F\x8E\x85"}, // nor is a four-byte character
        {std::nullopt, ""},
    };
    for (const auto& tc : cases) {
        LanguageState state;
        state.strText.set(7, "previous");
        state.strLanguage = "English";
        ASSERT_FALSE(ApplyLanguageTexts(state, {Texts(7, tc.stored)}, {}));
        EXPECT_EQ(state.strText(7), tc.shown) << tc.stored.value_or("<Null>");
    }
}

TEST(Language, ImperialRowsOverwriteOnlyForTheImperialVariant) {
    const std::vector<LanguageRow> rows = {Texts(84, "Torque [Nm]"), Texts(99, "Air consum. [l/s]"),
                                           Texts(100, "Min. Starting torque [Nm]")};
    const std::vector<ImperialRow> imperial = {
        {84, "Torque [lbf ft]"}, {99, std::nullopt}, {101, "Free speed\x85"}};
    const auto imp = Applied("English_Imperial", rows, imperial);
    EXPECT_EQ(
        (std::array{imp.strText(84), imp.strText(99), imp.strText(100), imp.strText(101)}),
        (std::array<std::string, 4>{"Torque [lbf ft]", "", "Min. Starting torque [Nm]", "Free speed..."}));

    LanguageState state = imp;
    state.strLanguage = "English";
    ASSERT_FALSE(ApplyLanguageTexts(state, rows, imperial));
    EXPECT_EQ(state.strText(84), "Torque [Nm]");
    EXPECT_EQ(state.intImperialUnits, 0);
    EXPECT_EQ(state.strText(101), "Free speed..."); // not listed in tblLanguage: kept
}

TEST(Language, BadInputChangesNothing) {
    LanguageState state = Applied("German", {Texts(1, "one", "eins")});
    const LanguageState before = state;
    const struct {
        std::string language;
        std::vector<LanguageRow> rows;
        std::vector<ImperialRow> imperial;
    } cases[] = {
        {"Swedish", {Texts(1, "x")}, {}},
        {"english", {Texts(1, "x")}, {}},
        {"English", {Texts(1, "x"), Texts(kTextCount, "x")}, {}},
        {"English_Imperial", {Texts(1, "x")}, {{1, "y"}, {kTextCount, "z"}}},
        {"English", {Texts(1, "x"), Texts(2, "y"), Texts(1, "z")}, {}},
        {"English", {Texts(1, "x", "\xFF")}, {}},
        {"English_Imperial", {Texts(1, "x")}, {{1, "\xE2\x82"}}},
    };
    for (const auto& tc : cases) {
        state.strLanguage = tc.language;
        const auto error = ApplyLanguageTexts(state, tc.rows, tc.imperial);
        EXPECT_TRUE(error.has_value()) << tc.language;
        EXPECT_EQ(state.strText.all(), before.strText.all()) << tc.language;
        EXPECT_EQ(state.intImperialUnits, before.intImperialUnits);
    }
    // An out-of-range imperial key does not matter when the imperial table is not used.
    state.strLanguage = "English";
    EXPECT_FALSE(ApplyLanguageTexts(state, {Texts(1, "x")}, {{kTextCount, "z"}}).has_value());
}

TEST(Language, TextTableKeys) {
    TextTable table;
    table.set(228, "z");
    EXPECT_EQ(table(228), "z");
    EXPECT_EQ(table(kTextCount), "");
    EXPECT_EQ(table(-1), "");
    EXPECT_THROW(table.set(kTextCount, "x"), std::out_of_range);
    EXPECT_TRUE(IsLanguageName("English_Imperial"));
    EXPECT_FALSE(IsLanguageName("Deutsch"));
}

// A catalogue made before the later keys (a legacy import, an older database) still loads: each
// later key it lacks takes the program's own text of the language switched to, never an empty one
// or the previous language's; a text the catalogue has wins.
TEST(Language, LaterKeysACatalogueLacksComeFromTheProgramsTable) {
    const auto bundled = [](int key, std::size_t column) {
        for (const LanguageRow& row : BundledLanguageRows())
            if (row.key == key)
                return row.texts[column].value_or("");
        return std::string();
    };
    const int later = kTextCount - 1;
    const struct {
        const char* language;
        std::vector<LanguageRow> rows;
        std::string expected;
    } cases[] = {
        {"German", {Texts(5, "en")}, bundled(later, 1)},
        {"French", {Texts(5, "en")}, bundled(later, 2)},
        {"English_Imperial", {Texts(5, "en")}, bundled(later, 0)},
        {"Spanish", {Texts(5, "en"), Texts(later, "en", "de", "fr", "it", "own")}, "own"},
        {"Italian", {Texts(5, "en")}, bundled(later, 3)},
    };
    LanguageState state;
    for (const auto& tc : cases) {
        state.strLanguage = tc.language;
        ASSERT_FALSE(ApplyLanguageTexts(state, tc.rows, {}).has_value()) << tc.language;
        EXPECT_FALSE(tc.expected.empty()) << tc.language;
        EXPECT_EQ(state.strText(later), tc.expected) << tc.language;
        EXPECT_EQ(state.strText(kLegacyTextCount - 1), "") << tc.language;
    }
    EXPECT_EQ(BundledLanguageRows().size(), std::size_t(kTextCount));
}

} // namespace language_test
} // namespace
