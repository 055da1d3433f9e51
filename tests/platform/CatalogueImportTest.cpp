#include "platform/storage/CatalogueImport.h"
#include "core/language/Language.h"
#include "platform/access/AccessReader.h"
#include "platform/access/SqliteTableSource.h"
#include "platform/storage/CatalogueStore.h"

#include "TestDatabase.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor;
using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace catalogue_import_test {

// The legacy tables as a plain source: the demo catalogue built into SQLite, its tables copied
// without constraints, so that a fixture can hold what an old Access file might (Nulls, texts in
// number columns, renamed columns).
class CatalogueImportTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        const auto built = DatabaseBuilder::build(QStringLiteral(AIRMOTOR_SOURCE_DIR "/data"), legacy());
        ASSERT_TRUE(std::holds_alternative<BuildSummary>(built)) << std::get<BuildError>(built).message;
        for (const std::string& table : CatalogueImport::tableNames()) {
            const QString t = QString::fromStdString(table);
            ExecSql(legacy(), {QStringLiteral("CREATE TABLE copy AS SELECT * FROM %1").arg(t),
                               QStringLiteral("DROP TABLE %1").arg(t),
                               QStringLiteral("ALTER TABLE copy RENAME TO %1").arg(t)});
        }
    }

    QString legacy() const { return path(QStringLiteral("legacy.db")); }

    std::variant<BuildSummary, BuildError> import(const TableSource& source) const {
        return CatalogueImport(source).run(legacy(), path(QStringLiteral("out.db")));
    }

    SqliteTableSource sqlite;
};

// Changes some cells of the tables another source gives: Access's own value types.
class RetypingSource final : public TableSource {
public:
    explicit RetypingSource(const TableSource& source) : inner(source) {}
    TableReadResult read(const QString& file, const std::vector<std::string>& tables) const override {
        auto result = inner.read(file, tables);
        auto& motors = std::get<std::vector<AccessTable>>(result)[0];
        auto& row = motors.rows[0];
        row[35] = false; // bolVeryOld: the row is listed
        row[9] = true;   // bolBrake as an Access Yes/No
        row[21] = 0.1f;  // sngVikt as an Access Single
        row[3] = 4711.0; // strDetaljnr1 as a number
        row[2] = std::string("RETYPED");
        return result;
    }
    const TableSource& inner;
};

TEST_F(CatalogueImportTest, LegacyTablesBecomeTheSameCatalogue) {
    ExecSql(legacy(), {"ALTER TABLE tblLanguage RENAME COLUMN strGerman TO STRGERMAN",
                       "UPDATE tblMotordata SET strDetaljnr2 = NULL WHERE rowid = 1"});
    const auto imported = import(sqlite);
    ASSERT_TRUE(std::holds_alternative<BuildSummary>(imported)) << std::get<BuildError>(imported).message;
    const auto in = sqlite.read(legacy(), CatalogueImport::tableNames());
    const auto out = sqlite.read(path("out.db"), CatalogueImport::tableNames());
    for (std::size_t t = 0; t < 3; ++t)
        EXPECT_EQ(std::get<0>(out)[t].rows, std::get<0>(in)[t].rows) << CatalogueImport::tableNames()[t];
    EXPECT_EQ(std::get<BuildSummary>(imported).motors, static_cast<int>(std::get<0>(in)[0].rows.size()));
    EXPECT_EQ(std::get<0>(out)[1].columns[2].name, "strGerman"); // the schema's names in the new file
}

TEST_F(CatalogueImportTest, AccessValueTypesAreStoredAsTheSchemaWants) {
    const RetypingSource source(sqlite);
    ASSERT_TRUE(std::holds_alternative<BuildSummary>(import(source)));
    auto loaded = CatalogueStore(path("out.db")).loadCatalogue();
    ASSERT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(loaded));
    const core::MotorCatalogue& c = std::get<core::CatalogueLoadResult>(loaded).catalogue;
    std::size_t i = 1;
    while (i < static_cast<std::size_t>(c.intAntalMotorer) && c.strBenamning[i] != "RETYPED")
        ++i;
    EXPECT_EQ(std::make_tuple(c.strBenamning[i], bool(c.bolBrake[i]), c.sngVikt[i], c.strDetaljnr1[i]),
              std::make_tuple(std::string("RETYPED"), true, 0.1f, std::string("4711")));
}

TEST_F(CatalogueImportTest, RefusalsNameFileTableRowAndColumnAndKeepTheOutput) {
    const std::string at = legacy().toStdString() + ":";
    const std::string pastTable = std::to_string(core::kTextCount);
    const struct {
        std::string sql;
        std::string what;
    } cases[] = {
        {"ALTER TABLE tblMotordata RENAME COLUMN sngVikt TO sngWeight",
         at + "tblMotordata: column 22 is named sngWeight where sngVikt is expected"},
        {"ALTER TABLE tblImperialUnits ADD COLUMN strNote TEXT", "column 3 strNote is not a column"},
        {"ALTER TABLE tblImperialUnits DROP COLUMN strText", "column 2 strText is missing"},
        {"DROP TABLE tblImperialUnits", "has no table tblImperialUnits"},
        {"UPDATE tblMotordata SET sngMaxEffekt = NULL WHERE rowid = 3",
         at + "tblMotordata:3:sngMaxEffekt: must not be Null"},
        {"UPDATE tblMotordata SET intSokindex = 'x' WHERE rowid = 2",
         at + "tblMotordata:2:intSokindex: \"x\" is not a whole number"},
        {"UPDATE tblMotordata SET intGradtal_L = 2.5 WHERE rowid = 2",
         at + "tblMotordata:2:intGradtal_L: 2.5 is not a whole number"},
        {"UPDATE tblMotordata SET intGradtal_M = 7 WHERE rowid = 4",
         at + "tblMotordata:4:intGradtal_M: is not a whole number between 0 and 5"},
        {"UPDATE tblMotordata SET intKatalogindex = 1 WHERE rowid = 5",
         at + "tblMotordata:5:intKatalogindex: key 1 appears twice"},
        {"UPDATE tblImperialUnits SET intKey = " + pastTable + " WHERE rowid = 1",
         at + "tblImperialUnits:1:intKey: key " + pastTable},
    };
    const QString backup = path("pristine.db");
    ASSERT_TRUE(QFile::copy(legacy(), backup));
    for (const auto& tc : cases) {
        QFile::remove(legacy());
        ASSERT_TRUE(QFile::copy(backup, legacy()));
        ExecSql(legacy(), {QString::fromStdString(tc.sql)});
        WriteFile(path("out.db"), "previous catalogue");
        const auto result = import(sqlite);
        ASSERT_TRUE(std::holds_alternative<BuildError>(result)) << tc.sql;
        const std::string message = std::get<BuildError>(result).message;
        EXPECT_NE(message.find(tc.what), std::string::npos) << message;
        EXPECT_EQ(ReadFile(path("out.db")), "previous catalogue") << tc.sql;
    }
}

TEST_F(CatalogueImportTest, AccessFilesWithoutTheTablesAndTheSourceItselfAreRefused) {
    const AccessReader reader(QStringLiteral(AIRMOTOR_BIN_DIR "/airmotor-access-reader"));
    const QString mdb = QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/data/access/testV1997.mdb");
    auto result = CatalogueImport(reader).run(mdb, path("out.db"));
    ASSERT_TRUE(std::holds_alternative<BuildError>(result));
    EXPECT_NE(std::get<BuildError>(result).message.find("testV1997.mdb: has no table tblMotordata"),
              std::string::npos)
        << std::get<BuildError>(result).message;
    EXPECT_FALSE(QFile::exists(path("out.db")));

    result = CatalogueImport(sqlite).run(legacy(), legacy());
    ASSERT_TRUE(std::holds_alternative<BuildError>(result));
    EXPECT_NE(std::get<BuildError>(result).message.find("would replace the legacy file"), std::string::npos);
}

} // namespace catalogue_import_test
} // namespace
