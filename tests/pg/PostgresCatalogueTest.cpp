#include "CatalogueFixture.h"

#include "core/catalogue/CatalogueLoader.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/MotorDataWriter.h"
#include "platform/storage/PostgresCatalogue.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace airmotor::platform::test {
namespace {
namespace postgres_catalogue_test {

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
}

TEST_F(PostgresCatalogueTest, CliAnswersFromTheServerAsFromTheFile) {
    pushBundled();
    const QStringList search{"search", "--torque", "2", "--speed", "6000", "--pressure", "6.3", "--json"};
    const CliRun file = RunCli(search);
    ASSERT_EQ(file.status, 0) << file.err.toStdString();
    const CliRun option = RunCli(QStringList{"--catalogue", url()} + search);
    EXPECT_EQ(option.status, 0) << option.err.toStdString();
    EXPECT_EQ(option.out, file.out);
    const CliRun environment = RunCli(search, url());
    EXPECT_EQ(environment.status, 0) << environment.err.toStdString();
    EXPECT_EQ(environment.out, file.out);
    // The option wins over the environment.
    const CliRun both = RunCli(QStringList{"--catalogue", url()} + search, cluster_->refusedUrl(database_));
    EXPECT_EQ(both.status, 0) << both.err.toStdString();
    EXPECT_EQ(both.out, file.out);

    const QTemporaryDir dir;
    const QString pulled = dir.filePath(QStringLiteral("cli.db"));
    const CliRun pull = RunCli({"catalogue", "pull", url(), pulled});
    ASSERT_EQ(pull.status, 0) << pull.err.toStdString();
    const CliRun fromPulled = RunCli(QStringList{"--catalogue", pulled} + search);
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
        if (name == "wrong_password")
            return cluster_->url(database_, QString::fromLatin1(TestCluster::kPasswordUser));
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
    // For every connection of this test, the command line's included.
    const QByteArray password = qgetenv("PGPASSWORD");
    if (std::string(GetParam().name) == "wrong_password")
        qputenv("PGPASSWORD", "not-the-password");
    const auto restore = qScopeGuard([&] { qputenv("PGPASSWORD", password); });
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

    MotorDataWriter writer(location);
    const auto written =
        writer.write(core::MotorRecord{core::SaveMode::Add, {{"strBenamning", std::string("NEW")}}}, "NEW");
    ASSERT_TRUE(std::holds_alternative<std::string>(written));
    expectMessage(std::get<std::string>(written));
    // The connection faults leave a catalogue the good URL reads: the same as pushed.
    if (std::string(GetParam().fault).find("schema") == std::string::npos &&
        std::string(GetParam().name).find("schema") == std::string::npos)
        ExpectSameCatalogue(Snapshot(kBundled), Snapshot(url()));

    const CliRun cli = RunCli({"--catalogue", location, "catalogue"});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.out.isEmpty());
    expectMessage(cli.err.trimmed().toStdString());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PostgresFailureTest,
                         ::testing::Values(Failure{"refused", "cannot connect"},
                                           Failure{"unknown_user", "role \"nobody\" does not exist"},
                                           Failure{"missing_schema", "catalogue init"},
                                           Failure{"newer_schema", "newer than this program knows"},
                                           Failure{"wrong_password",
                                                   "password authentication failed for user \"anna\""}),
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

} // namespace postgres_catalogue_test
} // namespace
} // namespace airmotor::platform::test
