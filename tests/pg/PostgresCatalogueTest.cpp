#include "TestCluster.h"

#include "core/catalogue/CatalogueLoader.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/PostgresCatalogue.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace airmotor::platform::test {
namespace {

const QString kBin = QStringLiteral(AIRMOTOR_BIN_DIR);
const QString kBundled = kBin + QStringLiteral("/Zevodida.db");

// One cluster for the whole suite: starting one takes about a second.
class PostgresCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cluster_ = std::make_unique<TestCluster>(); }
    static void TearDownTestSuite() { cluster_.reset(); }

    void SetUp() override {
        // A machine that cannot run the cluster fails here with the reason, it does not skip.
        ASSERT_TRUE(cluster_->error().empty()) << cluster_->error();
        database_ = QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name())
                        .toLower()
                        .replace(QLatin1Char('/'), QLatin1Char('_'));
        cluster_->createDatabase(database_);
    }

    QString url() const { return cluster_->url(database_); }

    // A database with the schema and the bundled catalogue in it.
    void pushBundled() const {
        const auto init = PostgresCatalogue::init(url());
        ASSERT_TRUE(std::holds_alternative<SchemaSummary>(init)) << std::get<BuildError>(init).message;
        const auto pushed = PostgresCatalogue::push(kBundled, url());
        ASSERT_TRUE(std::holds_alternative<BuildSummary>(pushed)) << std::get<BuildError>(pushed).message;
    }

    static std::unique_ptr<TestCluster> cluster_;
    QString database_;
};

std::unique_ptr<TestCluster> PostgresCatalogueTest::cluster_;

CatalogueSnapshot Snapshot(const QString& location) {
    auto read = CatalogueStore(location).readSnapshot(true);
    if (auto* error = std::get_if<StoreError>(&read)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    CatalogueSnapshot snapshot = std::get<CatalogueSnapshot>(std::move(read));
    // Texts are found by key: their order in a table means nothing.
    const auto byKey = [](const auto& a, const auto& b) { return a.key < b.key; };
    std::sort(snapshot.texts.begin(), snapshot.texts.end(), byKey);
    std::sort(snapshot.imperialTexts.begin(), snapshot.imperialTexts.end(), byKey);
    return snapshot;
}

void ExpectSameCatalogue(const CatalogueSnapshot& a, const CatalogueSnapshot& b) {
    ASSERT_EQ(a.motors.size(), b.motors.size());
    for (std::size_t r = 0; r < a.motors.size(); ++r)
        ASSERT_EQ(a.motors[r].fields, b.motors[r].fields) << "motor row " << r;
    ASSERT_EQ(a.texts.size(), b.texts.size());
    for (std::size_t r = 0; r < a.texts.size(); ++r) {
        EXPECT_EQ(a.texts[r].key, b.texts[r].key);
        EXPECT_EQ(a.texts[r].texts, b.texts[r].texts) << "text key " << a.texts[r].key;
    }
    ASSERT_EQ(a.imperialTexts.size(), b.imperialTexts.size());
    for (std::size_t r = 0; r < a.imperialTexts.size(); ++r) {
        EXPECT_EQ(a.imperialTexts[r].key, b.imperialTexts[r].key);
        EXPECT_EQ(a.imperialTexts[r].text, b.imperialTexts[r].text);
    }
}

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun RunCli(const QStringList& arguments, const QString& environmentCatalogue = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("AIRMOTOR_CATALOGUE"));
    if (!environmentCatalogue.isEmpty())
        environment.insert(QStringLiteral("AIRMOTOR_CATALOGUE"), environmentCatalogue);
    process.setProcessEnvironment(environment);
    process.start(kBin + QStringLiteral("/airmotor-cli"),
                  QStringList{QStringLiteral("--folder"), kBin} + arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST_F(PostgresCatalogueTest, InitCreatesTheSchemaOnceAndAnEmptyCatalogue) {
    const auto first = PostgresCatalogue::init(url());
    ASSERT_TRUE(std::holds_alternative<SchemaSummary>(first)) << std::get<BuildError>(first).message;
    EXPECT_EQ(std::get<SchemaSummary>(first).version, kPostgresSchemaVersion);
    EXPECT_TRUE(std::get<SchemaSummary>(first).created);
    const auto again = PostgresCatalogue::init(url());
    ASSERT_TRUE(std::holds_alternative<SchemaSummary>(again));
    EXPECT_FALSE(std::get<SchemaSummary>(again).created);
    const auto empty = CatalogueStore(url()).loadCatalogue();
    ASSERT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(empty));
    EXPECT_EQ(std::get<core::CatalogueLoadResult>(empty).catalogue.intAntalMotorer, 0);
}

TEST_F(PostgresCatalogueTest, PushAndPullGiveTheSameCatalogueEveryField) {
    pushBundled();
    // A second push replaces the rows, it does not add to them.
    ASSERT_TRUE(std::holds_alternative<BuildSummary>(PostgresCatalogue::push(kBundled, url())));
    const QTemporaryDir dir;
    const QString pulled = dir.filePath(QStringLiteral("pulled.db"));
    const auto result = PostgresCatalogue::pull(url(), pulled);
    ASSERT_TRUE(std::holds_alternative<BuildSummary>(result)) << std::get<BuildError>(result).message;

    const CatalogueSnapshot original = Snapshot(kBundled);
    ASSERT_FALSE(original.motors.empty());
    ASSERT_FALSE(original.imperialTexts.empty());
    ExpectSameCatalogue(original, Snapshot(url()));
    ExpectSameCatalogue(original, Snapshot(pulled));
    const auto fromServer = CatalogueStore(url()).loadCatalogue();
    const auto fromFile = CatalogueStore(kBundled).loadCatalogue();
    ASSERT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(fromServer));
    ASSERT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(fromFile));
    EXPECT_EQ(std::get<core::CatalogueLoadResult>(fromServer).catalogue.intAntalMotorer,
              std::get<core::CatalogueLoadResult>(fromFile).catalogue.intAntalMotorer);
    EXPECT_EQ(std::get<core::CatalogueLoadResult>(fromServer).warnings,
              std::get<core::CatalogueLoadResult>(fromFile).warnings);
}

TEST_F(PostgresCatalogueTest, CliAnswersFromTheServerAsFromTheFile) {
    pushBundled();
    const QStringList search{QStringLiteral("search"), QStringLiteral("--torque"),
                             QStringLiteral("2"),      QStringLiteral("--speed"),
                             QStringLiteral("6000"),   QStringLiteral("--pressure"),
                             QStringLiteral("6.3"),    QStringLiteral("--json")};
    const CliRun file = RunCli(search);
    ASSERT_EQ(file.status, 0) << file.err.toStdString();
    const CliRun option = RunCli(QStringList{QStringLiteral("--catalogue"), url()} + search);
    EXPECT_EQ(option.status, 0) << option.err.toStdString();
    EXPECT_EQ(option.out, file.out);
    const CliRun environment = RunCli(search, url());
    EXPECT_EQ(environment.status, 0) << environment.err.toStdString();
    EXPECT_EQ(environment.out, file.out);
    // The option wins over the environment.
    const CliRun both =
        RunCli(QStringList{QStringLiteral("--catalogue"), url()} + search, cluster_->refusedUrl(database_));
    EXPECT_EQ(both.status, 0) << both.err.toStdString();
    EXPECT_EQ(both.out, file.out);

    const QTemporaryDir dir;
    const QString pulled = dir.filePath(QStringLiteral("cli.db"));
    const CliRun pull = RunCli({QStringLiteral("catalogue"), QStringLiteral("pull"), url(), pulled});
    ASSERT_EQ(pull.status, 0) << pull.err.toStdString();
    const CliRun fromPulled = RunCli(QStringList{QStringLiteral("--catalogue"), pulled} + search);
    EXPECT_EQ(fromPulled.out, file.out);
}

// Each failure: one message naming the location and the fault, and nothing changed anywhere.
struct Failure {
    const char* name;
    const char* fault;
};

class PostgresFailureTest : public PostgresCatalogueTest, public ::testing::WithParamInterface<Failure> {
protected:
    QString failingUrl() const {
        const std::string name = GetParam().name;
        if (name == "refused")
            return cluster_->refusedUrl(database_);
        if (name == "unknown_user")
            return cluster_->url(database_, QStringLiteral("nobody"));
        return url();
    }
    void prepare() const {
        const std::string name = GetParam().name;
        if (name == "newer_schema") {
            pushBundled();
            ASSERT_EQ(cluster_->exec(database_, QStringLiteral("UPDATE schema_version SET version = %1")
                                                    .arg(kPostgresSchemaVersion + 1)),
                      "");
        } else if (name != "missing_schema") {
            pushBundled();
        }
    }
};

TEST_P(PostgresFailureTest, SaysWhatIsWrongAndChangesNothing) {
    prepare();
    const QString location = failingUrl();
    const std::string fault = GetParam().fault;
    const auto expectMessage = [&](const std::string& message) {
        EXPECT_NE(message.find(location.toStdString()), std::string::npos) << message;
        EXPECT_NE(message.find(fault), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    };
    auto read = CatalogueStore(location).readSnapshot(false);
    ASSERT_TRUE(std::holds_alternative<StoreError>(read));
    expectMessage(std::get<StoreError>(read).message);

    const QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("kept.db"));
    ASSERT_TRUE(QFile::copy(kBundled, target));
    const auto pulled = PostgresCatalogue::pull(location, target);
    ASSERT_TRUE(std::holds_alternative<BuildError>(pulled));
    expectMessage(std::get<BuildError>(pulled).message);
    ExpectSameCatalogue(Snapshot(kBundled), Snapshot(target));

    const auto pushed = PostgresCatalogue::push(kBundled, location);
    ASSERT_TRUE(std::holds_alternative<BuildError>(pushed));
    if (std::string(GetParam().name) != "missing_schema")
        expectMessage(std::get<BuildError>(pushed).message);
    EXPECT_EQ(cluster_->exec(database_, QStringLiteral("SELECT 1")), "")
        << "the test database is still there";

    const CliRun cli = RunCli({QStringLiteral("--catalogue"), location, QStringLiteral("catalogue")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.out.isEmpty());
    expectMessage(cli.err.trimmed().toStdString());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PostgresFailureTest,
                         ::testing::Values(Failure{"refused", "cannot connect"},
                                           Failure{"unknown_user", "role \"nobody\" does not exist"},
                                           Failure{"missing_schema", "catalogue init"},
                                           Failure{"newer_schema", "newer than this program knows"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(PostgresCatalogueTest, PushOfABrokenFileLeavesTheServerCatalogue) {
    pushBundled();
    const QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.db"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    for (const QString& source : {broken, dir.filePath(QStringLiteral("missing.db"))}) {
        const auto pushed = PostgresCatalogue::push(source, url());
        ASSERT_TRUE(std::holds_alternative<BuildError>(pushed));
        EXPECT_NE(std::get<BuildError>(pushed).message.find(source.toStdString()), std::string::npos);
    }
    ExpectSameCatalogue(Snapshot(kBundled), Snapshot(url()));
}

} // namespace
} // namespace airmotor::platform::test
