#include "platform/storage/CatalogueStore.h"

#include "platform/files/LanguageLoader.h"
#include "platform/storage/DatabaseBuilder.h"

#include "TestDatabase.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor;
using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace catalogue_store_test {

template <class T> std::string ErrorOf(const StoreResult<T>& result) {
    if (const auto* error = std::get_if<StoreError>(&result))
        return error->message;
    ADD_FAILURE() << "read succeeded";
    return {};
}

// The catalogue schema without its NOT NULL constraints, so that a test can store what an older
// or hand-edited database may hold.
QStringList LooseSchema() {
    QStringList statements;
    for (const auto& s : DatabaseBuilder::schema())
        statements << QString::fromStdString(s).replace(QStringLiteral(" NOT NULL"), QString());
    return statements;
}

// A motor row with every NOT NULL column given; the four nullable texts as passed (SQL literals).
QString InsertMotor(int katalog, const QString& name, const QString& detalj2, const QString& rotation) {
    return QStringLiteral(
               "INSERT INTO tblMotordata VALUES (%1, %1, '%2', 'p1', %3, NULL, %4, 0, 0, 0, 6000, 20, "
               "0.75, 2.4, 15, 3000, 3.9, 100, '?', 0, 1, 2, 3, 4.8, -0.0008, 0, 0, 0, 2, 5.5, 0.0025, 0, "
               "0, 0, 0, 0, 0, 0)")
        .arg(katalog)
        .arg(name, detalj2, rotation);
}

using CatalogueStoreTest = TempDirTest;

TEST_F(CatalogueStoreTest, MissingBrokenFilesAndTablesAreNamed) {
    const std::string missing = ErrorOf(CatalogueStore(path("none.db")).readMotorRows());
    EXPECT_NE(missing.find("none.db: the catalogue database does not exist"), std::string::npos) << missing;
    EXPECT_FALSE(QFileInfo::exists(path("none.db"))); // never created by a read
    WriteFile(path("text.db"), QByteArray("this is not a database, just text\n").repeated(100));
    EXPECT_NE(ErrorOf(CatalogueStore(path("text.db")).readMotorRows()).find("not a catalogue database"),
              std::string::npos);
    EXPECT_EQ(ReadFile(path("text.db")).left(7), "this is"); // opened read-only: left as it was

    ExecSql(path("empty.db"), {"CREATE TABLE other (a INTEGER)"});
    const CatalogueStore empty(path("empty.db"));
    EXPECT_NE(ErrorOf(empty.readMotorRows()).find("no table tblMotordata"), std::string::npos);
    EXPECT_NE(ErrorOf(empty.readLanguageRows()).find("no table tblLanguage"), std::string::npos);
    EXPECT_NE(ErrorOf(empty.readImperialRows()).find("no table tblImperialUnits"), std::string::npos);

    ExecSql(path("columns.db"), {"CREATE TABLE tblMotordata (intKatalogindex INTEGER, intSokindex INTEGER)",
                                 "CREATE TABLE tblLanguage (intKey INTEGER, strEnglish TEXT)"});
    const CatalogueStore columns(path("columns.db"));
    const std::string motorError = ErrorOf(columns.readMotorRows());
    EXPECT_NE(motorError.find("no column strBenamning"), std::string::npos) << motorError;
    EXPECT_NE(motorError.find("columns.db"), std::string::npos) << motorError;
    EXPECT_NE(ErrorOf(columns.readLanguageRows()).find("6 are needed"), std::string::npos);
}

TEST_F(CatalogueStoreTest, RowsAreOrderedAndNullIsNotEmpty) {
    QStringList sql = LooseSchema();
    sql << InsertMotor(9, "TKM-nine", "NULL", "''") << InsertMotor(2, "TKM-two", "''", "'RV'")
        << InsertMotor(5, "TKM-five", "'p2'", "NULL");
    ExecSql(path("Zevodida.db"), sql);
    const CatalogueStore store(path("Zevodida.db"));

    const auto rows = store.readMotorRows();
    ASSERT_TRUE(std::holds_alternative<std::vector<core::MotorRow>>(rows)) << ErrorOf(rows);
    const auto& motorRows = std::get<std::vector<core::MotorRow>>(rows);
    ASSERT_EQ(motorRows.size(), 3u);
    EXPECT_EQ(motorRows[0].find("intKatalogindex")->value(), core::FieldValue{std::int64_t{2}});
    EXPECT_EQ(motorRows[0].find("strDetaljnr2")->value(), core::FieldValue{std::string()});
    EXPECT_FALSE(motorRows[2].find("strDetaljnr2")->has_value());
    EXPECT_EQ(motorRows[0].find("sngC1_M")->value(), core::FieldValue{-0.0008});

    auto loaded = store.loadCatalogue();
    ASSERT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(loaded));
    const auto& c = std::get<core::CatalogueLoadResult>(loaded).catalogue;
    // A Null rotation stays empty; an empty one is a blank.
    EXPECT_EQ((std::array{c.strBenamning[1], c.txtRotation[1], c.txtRotation[2], c.txtRotation[3],
                          c.strDetaljnr2[2]}),
              (std::array<std::string, 5>{"TKM-two", "R", "", " ", "p2"}));

    ExecSql(path("Zevodida.db"), {"UPDATE tblMotordata SET sngVikt = NULL WHERE intKatalogindex = 5"});
    loaded = store.loadCatalogue();
    ASSERT_TRUE(std::holds_alternative<core::LoadError>(loaded));
    const std::string message = std::get<core::LoadError>(loaded).message;
    EXPECT_NE(message.find("intKatalogindex 5"), std::string::npos) << message;
    EXPECT_NE(message.find("sngVikt"), std::string::npos) << message;
}

TEST_F(CatalogueStoreTest, TextTablesAreReadByPosition) {
    ExecSql(path("Zevodida.db"),
            {"CREATE TABLE tblLanguage (k, a, b, c, d, e)", "CREATE TABLE tblImperialUnits (k, t)",
             "INSERT INTO tblLanguage VALUES (3.0, 'three', NULL, 'trois', '', 'tres')",
             "INSERT INTO tblLanguage VALUES (7, 'seven', 'sieben', 'sept', 'sette', 'siete')",
             "INSERT INTO tblImperialUnits VALUES (3, NULL)"});
    const CatalogueStore store(path("Zevodida.db"));
    const auto rows = store.readLanguageRows();
    ASSERT_TRUE(std::holds_alternative<std::vector<core::LanguageRow>>(rows)) << ErrorOf(rows);
    const auto& language = std::get<std::vector<core::LanguageRow>>(rows);
    ASSERT_EQ(language.size(), 2u);
    EXPECT_EQ(language[0].key, 3);
    EXPECT_EQ(language[0].texts,
              (std::array<std::optional<std::string>, 5>{"three", std::nullopt, "trois", "", "tres"}));
    const auto imperial = store.readImperialRows();
    ASSERT_TRUE(std::holds_alternative<std::vector<core::ImperialRow>>(imperial));
    EXPECT_EQ(std::get<std::vector<core::ImperialRow>>(imperial)[0].text, std::nullopt);

    ExecSql(path("Zevodida.db"), {"INSERT INTO tblLanguage VALUES ('x', 'a', 'b', 'c', 'd', 'e')"});
    EXPECT_NE(ErrorOf(store.readLanguageRows()).find("not a whole number"), std::string::npos);
}

TEST_F(CatalogueStoreTest, LanguageLoaderReportsAndKeepsTheStateOnErrors) {
    ExecSql(path("Zevodida.db"), {"CREATE TABLE tblLanguage (k, a, b, c, d, e)",
                                  "INSERT INTO tblLanguage VALUES (1, 'one', 'eins', 'un', 'uno', 'uno')",
                                  "INSERT INTO tblLanguage VALUES (999, 'x', 'x', 'x', 'x', 'x')"});
    const LanguageLoader loader(path("Zevodida.db"));
    core::LanguageState state;
    state.strLanguage = "German";
    const auto error = loader.load(state);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("999"), std::string::npos) << *error;

    // A text typed on a Windows-1252 system, ending in the single-character ellipsis (byte 133).
    ExecSql(path("Zevodida.db"),
            {"DELETE FROM tblLanguage WHERE k = 999",
             "INSERT INTO tblLanguage VALUES (2, 'x', CAST(X'4D65687285' AS TEXT), 'x', 'x', 'x')"});
    EXPECT_FALSE(loader.load(state).has_value());
    EXPECT_EQ(state.strText(1), "eins");
    EXPECT_EQ(state.strText(2), "Mehr...");
    // Without tblImperialUnits only the imperial variant fails.
    state.strLanguage = "English_Imperial";
    const auto imperialError = loader.load(state);
    ASSERT_TRUE(imperialError.has_value());
    EXPECT_NE(imperialError->find("tblImperialUnits"), std::string::npos);
    EXPECT_EQ(state.strText(1), "eins");
}

TEST_F(CatalogueStoreTest, DuplicateKeysAndUndecodableTextsAreRefused) {
    const QString text = QStringLiteral("INSERT INTO tblLanguage VALUES (3, %1, 'b', 'c', 'd', 'e')");
    const struct {
        QStringList sql;
        bool motors; // else the English texts are loaded
        const char* expected;
    } cases[] = {
        {{InsertMotor(1, "A", "NULL", "'A'"), InsertMotor(1, "B", "NULL", "'A'")},
         true,
         "tblMotordata, rows 1 and 2: intKatalogindex 1 appears twice"},
        {{InsertMotor(1, "A", "NULL", "'A'"), "UPDATE tblMotordata SET intKatalogindex = 'one'"},
         true,
         "intKatalogindex \"one\" is not a whole number"},
        {{InsertMotor(1, "A", "X'54FF'", "'A'")}, true, "strDetaljnr2 is not valid UTF-8"},
        {{InsertMotor(1, "A", "CAST(X'54FF' AS TEXT)", "'A'")}, true, "strDetaljnr2 is not valid UTF-8"},
        {{text.arg("'a'"), text.arg("'z'")}, false, "tblLanguage: text key 3 appears twice, in rows 1 and 2"},
        {{text.arg("X'C328'")}, false, "tblLanguage: text key 3 (row 1) is not valid UTF-8"},
        {{text.arg("CAST(X'C328' AS TEXT)")}, false, "tblLanguage: text key 3 (row 1) is not valid UTF-8"},
    };
    int n = 0;
    for (const auto& tc : cases) {
        const QString file = path(QStringLiteral("case%1.db").arg(++n));
        QStringList statements = LooseSchema().replaceInStrings(QStringLiteral(" PRIMARY KEY"), QString());
        ExecSql(file, statements + tc.sql);
        std::string message;
        if (tc.motors) {
            const auto loaded = CatalogueStore(file).loadCatalogue();
            if (const auto* error = std::get_if<core::LoadError>(&loaded))
                message = error->message;
        } else {
            core::LanguageState english;
            english.strLanguage = "English";
            message = LanguageLoader(file).load(english).value_or("");
        }
        EXPECT_NE(message.find(tc.expected), std::string::npos) << n << ": " << message;
    }
    // A text stored as a BLOB of valid UTF-8 is still the text.
    ExecSql(path("blob.db"), LooseSchema() << text.arg("CAST('Gr\xC3\xBC\xC3\x9F' AS BLOB)"));
    core::LanguageState english;
    english.strLanguage = "English";
    ASSERT_EQ(LanguageLoader(path("blob.db")).load(english), std::nullopt);
    EXPECT_EQ(english.strText(3), "Gr\xC3\xBC\xC3\x9F");
}

} // namespace catalogue_store_test
} // namespace
