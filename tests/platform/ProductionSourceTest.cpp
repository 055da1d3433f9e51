#include "TestDatabase.h"
#include "platform/production/AccessProductionSource.h"
#include "platform/production/ProductionDatabase.h"
#include "platform/production/SqliteProductionSource.h"

#include <QDir>
#include <QTemporaryDir>

using namespace airmotor;
using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace production_source_test {

const QStringList kSchema = {
    "CREATE TABLE Provres (ID INTEGER PRIMARY KEY, Produktnummer, SerNbr, \"Godkänd\" BOOLEAN, VarvtalEffekt "
    "REAL, "
    "\"LuftförbrukningEffekt\" REAL, Moment REAL, \"VarvtalTomgång\" REAL, \"LuftförbrukningTomgång\" REAL)",
    "CREATE TABLE Sheet1 (SerNbr, \"Speed RPM\" REAL, \"Air cons\" REAL)"};

TEST(SqliteProductionSource, ReadsBothTablesNullExact) {
    QTemporaryDir dir;
    const QString file = dir.filePath("prod.sqlite");
    ExecSql(file,
            kSchema + QStringList{
                          "INSERT INTO Provres VALUES (1, 'O''Brien 12', ' 7 ', 1, 5000, 15.5, 50, NULL, 0)",
                          "INSERT INTO Provres VALUES (2, 8112000001, 77, 0, '', NULL, -1, 1, 2)",
                          "INSERT INTO Sheet1 VALUES ('7', 10000, 25)"});
    const core::ProductionRead read = SqliteProductionSource(file).Read();
    ASSERT_TRUE(read.error.empty()) << read.error;
    ASSERT_EQ(read.tables.provres.size(), 2u);
    using V = core::ProductionValue;
    const core::ProvresRow& a = read.tables.provres[0];
    EXPECT_EQ(std::tie(a.Produktnummer, a.SerNbr, a.LuftforbrukningEffekt, a.VarvtalTomgang),
              std::make_tuple(V(std::string("O'Brien 12")), V(std::string(" 7 ")), V(15.5), V()));
    const core::ProvresRow& b = read.tables.provres[1];
    EXPECT_EQ(std::tie(b.Produktnummer, b.VarvtalEffekt), // "" is not Null
              std::make_tuple(V(std::int64_t{8112000001}), V(std::string())));
    ASSERT_EQ(read.tables.sheet1.size(), 1u);
    EXPECT_EQ(read.tables.sheet1[0].SpeedRpm, core::ProductionValue(10000.0));
}

TEST(SqliteProductionSource, RefusalsNameTheFileAndTheProblem) {
    QTemporaryDir dir;
    const QString noSheet = dir.filePath("nosheet.sqlite");
    ExecSql(noSheet, {kSchema[0]});
    const QString text = dir.filePath("text.sqlite");
    WriteFile(text, "Produktnummer;SerNbr\n1;2\n");
    const QString noColumn = dir.filePath("nocolumn.sqlite");
    ExecSql(noColumn, {"CREATE TABLE Provres (Produktnummer)", kSchema[1]});
    const QString huge = dir.filePath("huge.sqlite"); // sparse: no gigabyte is written
    WriteFile(huge, "");
    ASSERT_TRUE(QFile::resize(huge, kProductionFileCap + 1));
    // A file that cannot be read as a file carries its fault for the windows too.
    struct Case {
        QString file;
        const char* problem;
        std::optional<core::FileProblem> fault;
    };
    const Case cases[] = {
        {dir.filePath("missing.sqlite"), "does not exist", core::FileProblem::Missing},
        {dir.path(), "not a regular file", core::FileProblem::NotRegular},
        {text, "is not an SQLite database", std::nullopt},
        {huge, "is larger than 1024 MB", core::FileProblem::TooLarge},
        {noSheet, "table Sheet1 cannot be read", std::nullopt},
        {noColumn, "table Provres cannot be read", std::nullopt},
    };
    for (const Case& c : cases) {
        const core::ProductionRead read = OpenProductionDatabase(c.file)->Read();
        EXPECT_NE(read.error.find(c.file.toStdString()), std::string::npos)
            << c.file.toStdString() << ": " << read.error;
        EXPECT_NE(read.error.find(c.problem), std::string::npos) << read.error;
        EXPECT_EQ(read.file ? std::optional(read.file->problem) : std::nullopt, c.fault) << read.error;
        EXPECT_TRUE(read.tables.provres.empty());
    }
}

// Rows made without end (a recursive view, a cross join, a computed column) are refused before the
// first row is read, and stored tables are read within a row cap and a time limit.
TEST(SqliteProductionSource, ReadsOnlyStoredRowsWithinTheLimits) {
    QTemporaryDir dir;
    const QString provresColumns =
        "Produktnummer, SerNbr, \"Godkänd\", VarvtalEffekt, \"LuftförbrukningEffekt\", "
        "Moment, \"VarvtalTomgång\", \"LuftförbrukningTomgång\"";
    const QString endless = "CREATE VIEW Provres (" + provresColumns +
                            ") AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) "
                            "SELECT n, n, 1, n, n, n, n, n FROM r";
    const QString crossed =
        "CREATE VIEW Sheet1 (SerNbr, \"Speed RPM\", \"Air cons\") AS SELECT a.SerNbr, 1, 1 "
        "FROM Provres a, Provres b, Provres c, Provres d";
    const QString computed =
        "CREATE TABLE Provres (" +
        QString(provresColumns).replace(", Moment,", ", Moment AS (zeroblob(1000000000)),") + ")";
    const QString threeRows = "INSERT INTO Provres (Produktnummer) VALUES (1), (2), (3)";
    struct Case {
        QStringList sql;
        ProductionReadLimits limits;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {{endless, kSchema[1]}, {}, "Provres is a view, not a table"},
        {{kSchema[0], threeRows, crossed}, {}, "Sheet1 is a view, not a table"},
        {{computed, kSchema[1]}, {}, "table Provres has computed columns"},
        {kSchema + QStringList{threeRows}, {2, 30000}, "table Provres holds more than the limit of 2 rows"},
        {kSchema + QStringList{threeRows}, {200000, -1}, "reading took longer than the limit"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString file = dir.filePath(QStringLiteral("prod%1.sqlite").arg(++n));
        ExecSql(file, c.sql);
        const core::ProductionRead read = SqliteProductionSource(file, c.limits).Read();
        EXPECT_EQ(read.error.rfind(file.toStdString() + ": ", 0), 0u) << read.error;
        EXPECT_NE(read.error.find(c.problem), std::string::npos) << read.error;
        EXPECT_TRUE(read.tables.provres.empty() && read.tables.sheet1.empty());
    }
    const QString fits = dir.filePath("fits.sqlite");
    ExecSql(fits, kSchema + QStringList{threeRows});
    EXPECT_EQ(SqliteProductionSource(fits, {3, 30000}).Read().tables.provres.size(), 3u);
}

TEST(ProductionDatabase, DefaultIsTheAccessFileOrItsSqliteExport) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("Produktionsdata");
    QDir().mkpath(folder);
    EXPECT_TRUE(DefaultProductionDatabase(dir.path())
                    .endsWith("Produktionsdata/Alla TKM Trebro och Ungern Test.mdb"));
    WriteFile(QDir(folder).filePath("Alla TKM Trebro och Ungern Test.sqlite"), "x");
    EXPECT_TRUE(DefaultProductionDatabase(dir.path()).endsWith("Alla TKM Trebro och Ungern Test.sqlite"));
    WriteFile(QDir(folder).filePath("Alla TKM Trebro och Ungern Test.mdb"), "x");
    EXPECT_TRUE(DefaultProductionDatabase(dir.path()).endsWith("Alla TKM Trebro och Ungern Test.mdb"));
}

// Tables as an Access file delivers them, without running the reader process.
class FakeTables final : public TableSource {
public:
    explicit FakeTables(TableReadResult result) : result_(std::move(result)) {}
    TableReadResult read(const QString&, const std::vector<std::string>&) const override { return result_; }

private:
    TableReadResult result_;
};

AccessTable ProvresTable(std::vector<std::string> names, std::vector<std::vector<AccessValue>> rows) {
    AccessTable t{"Provres", {}, std::move(rows)};
    for (auto& n : names)
        t.columns.push_back({std::move(n), AccessColumnType::Unknown});
    return t;
}

// Columns are found by name in any case and order; booleans and singles arrive as the core's values.
TEST(AccessProductionSource, MapsColumnsByNameAndKeepsNulls) {
    const AccessTable provres =
        ProvresTable({"SERNBR", "produktnummer", "Moment", "Godkänd", "VarvtalEffekt",
                      "LuftförbrukningEffekt", "LuftförbrukningTomgång", "VarvtalTomgång"},
                     {{std::string("7"), std::string("123 45"), 2.5f, true, std::int64_t{5000}, 15.25,
                       std::monostate{}, 0.0},
                      {std::string("8"), std::string("9"), 1.0f, false, std::int64_t{1}, 1.0, 1.0, 1.0}});
    const AccessTable sheet1 =
        ProvresTable({"Air cons", "SerNbr", "Speed RPM"}, {{std::monostate{}, std::string("7"), 9000.0}});
    FakeTables tables(std::vector<AccessTable>{provres, sheet1});
    const core::ProductionRead read = AccessProductionSource("prod.mdb", tables).Read();
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.tables.provres.size(), 2u);
    using V = core::ProductionValue;
    const core::ProvresRow& r = read.tables.provres[0];
    EXPECT_EQ(std::tie(r.Produktnummer, r.Godkand, read.tables.provres[1].Godkand, r.Moment,
                       r.LuftforbrukningTomgang),
              std::make_tuple(V(std::string("123 45")), V(std::int64_t{1}), V(std::int64_t{0}), V(2.5), V()));
    ASSERT_EQ(read.tables.sheet1.size(), 1u);
    EXPECT_EQ(std::get<double>(*read.tables.sheet1[0].SpeedRpm), 9000.0);
}

TEST(AccessProductionSource, RefusesMissingColumnsAndPassesReaderErrors) {
    FakeTables noMoment(std::vector<AccessTable>{
        ProvresTable({"Produktnummer", "SerNbr", "Godkänd", "VarvtalEffekt", "LuftförbrukningEffekt",
                      "VarvtalTomgång", "LuftförbrukningTomgång"},
                     {}),
        ProvresTable({"SerNbr", "Speed RPM", "Air cons"}, {})});
    EXPECT_EQ(AccessProductionSource("prod.mdb", noMoment).Read().error,
              "prod.mdb: table Provres has no column Moment");
    FakeTables hung(TableReadError{"prod.mdb: did not finish within 60 s"});
    EXPECT_EQ(AccessProductionSource("prod.mdb", hung).Read().error, "prod.mdb: did not finish within 60 s");
}

} // namespace production_source_test
} // namespace
