#pragma once

#include "TestCluster.h"

#include "core/maintenance/MotorRecord.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/PostgresCatalogue.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace airmotor::platform::test {

inline const QString kBin = QStringLiteral(AIRMOTOR_BIN_DIR);
inline const QString kBundled = kBin + QStringLiteral("/Zevodida.db");

// One cluster for the whole run: starting one takes about a second. Stopped before the application
// object goes.
class SharedCluster final : public ::testing::Environment {
public:
    static constexpr char kPassword[] = "anna-secret";

    // The password user writes as a person would: its password comes from PGPASSWORD.
    void SetUp() override {
        cluster_ = std::make_unique<TestCluster>();
        if (cluster_->error().empty())
            cluster_->exec(
                QStringLiteral("postgres"),
                QStringLiteral("CREATE ROLE %1 LOGIN SUPERUSER PASSWORD '%2'")
                    .arg(QString::fromLatin1(TestCluster::kPasswordUser), QString::fromLatin1(kPassword)));
        qputenv("PGPASSWORD", kPassword);
    }
    void TearDown() override { cluster_.reset(); }
    static TestCluster* get() { return cluster_.get(); }

private:
    static inline std::unique_ptr<TestCluster> cluster_;
};

class PostgresCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        cluster_ = SharedCluster::get();
        ASSERT_NE(cluster_, nullptr);
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

    TestCluster* cluster_ = nullptr;
    QString database_;
};

inline CatalogueSnapshot Snapshot(const QString& location) {
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

inline void ExpectSameCatalogue(const CatalogueSnapshot& a, const CatalogueSnapshot& b) {
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

// A record of every stored field of the row but its index; the price changed to `price`.
inline core::MotorRecord RecordOf(const core::MotorRow& row, core::SaveMode mode, double price,
                                  const std::string& designation) {
    core::MotorRecord record{mode, {}};
    for (const auto& [name, value] : row.fields)
        if (value && name != "intKatalogindex")
            record.fields.emplace_back(name, name == "sngPris"        ? core::FieldValue{price}
                                             : name == "strBenamning" ? core::FieldValue{designation}
                                                                      : *value);
    return record;
}

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun RunCli(const QStringList& arguments, const QString& environmentCatalogue = {}) {
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

} // namespace airmotor::platform::test
