#include "core/production/ProductionLookup.h"
#include "platform/production/SqliteProductionSource.h"
#include "platform/storage/SqliteConnection.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using namespace airmotor;

constexpr int kProvresRows = 10000;
constexpr int kPartNumbers = 200; // 50 records per part number

// One motor: 5000 r/min and 50 Nm at maximum power, 15 l/s there, 10000 r/min and 25 l/s free.
core::MotorCatalogue OneMotor() {
    core::MotorCatalogue c;
    c.intAntalMotorer = 1;
    c.strBenamning[1] = "TKM22-A100-";
    c.strDetaljnr1[1] = "8112 0000 07";
    c.sngVarvMaxeff[1] = 5000.0f;
    c.sngMomentMaxeff[1] = 50.0f;
    c.sngLuftMaxeff[1] = 15.0f;
    c.sngTomgVarvtal[1] = 10000.0f;
    c.sngLuftforbrTomgang[1] = 25.0f;
    return c;
}

// 10,000 Provres rows over 200 part numbers and a Sheet1 row for each serial, in one transaction.
QString ProductionFile(const QTemporaryDir& dir) {
    const QString file = dir.filePath("production.sqlite");
    platform::SqliteConnection connection(file, platform::SqliteConnection::Mode::ReadWrite);
    if (!connection.open())
        throw std::runtime_error(connection.errorText().toStdString());
    QSqlDatabase db = connection.database();
    QSqlQuery q(db);
    q.exec(
        "CREATE TABLE Provres (ID INTEGER PRIMARY KEY, Produktnummer TEXT, SerNbr TEXT, \"Godkänd\" BOOLEAN, "
        "VarvtalEffekt REAL, \"LuftförbrukningEffekt\" REAL, Moment REAL, \"VarvtalTomgång\" REAL, "
        "\"LuftförbrukningTomgång\" REAL)");
    q.exec("CREATE TABLE Sheet1 (SerNbr TEXT, \"Speed RPM\" REAL, \"Air cons\" REAL)");
    db.transaction();
    QSqlQuery provres(db), sheet(db);
    provres.prepare("INSERT INTO Provres (Produktnummer, SerNbr, \"Godkänd\", VarvtalEffekt, "
                    "\"LuftförbrukningEffekt\", Moment) VALUES (?, ?, ?, ?, ?, ?)");
    sheet.prepare("INSERT INTO Sheet1 VALUES (?, ?, ?)");
    for (int i = 0; i < kProvresRows; ++i) {
        const QString serial = QString::number(100000 + i);
        const double spread = 1.0 + 0.001 * (i % 41 - 20);
        provres.addBindValue(QString("8112 0000 %1").arg(i % kPartNumbers, 2, 10, QChar('0')));
        provres.addBindValue(serial);
        provres.addBindValue(i % 9 != 0);
        provres.addBindValue(5000.0 * spread);
        provres.addBindValue(15.0 * spread);
        provres.addBindValue(50.0 * spread);
        provres.exec();
        sheet.addBindValue(serial);
        sheet.addBindValue(10000.0 * spread);
        sheet.addBindValue(25.0 * spread);
        sheet.exec();
    }
    db.commit();
    return file;
}

// The whole lookup of one motor as the diagram runs it on a fresh database: read both tables,
// index the serials, look up.
void BM_ProductionLookupSqlite(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString file = ProductionFile(dir);
    const core::MotorCatalogue catalogue = OneMotor();
    for (auto _ : state) {
        platform::SqliteProductionSource source(file);
        core::ProductionRead read = source.Read();
        const core::ProductionIndex index(std::move(read.tables));
        const core::ProductionLookupResult r = core::LookUpProduction(catalogue, 1, index);
        if (r.count == 0)
            state.SkipWithError("no record used");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ProductionLookupSqlite)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The lookup alone over tables already read, as a batch runs it for each further motor.
void BM_ProductionLookupInMemory(benchmark::State& state) {
    const QTemporaryDir dir;
    core::ProductionRead read = platform::SqliteProductionSource(ProductionFile(dir)).Read();
    const core::ProductionIndex index(std::move(read.tables));
    const core::MotorCatalogue catalogue = OneMotor();
    for (auto _ : state)
        benchmark::DoNotOptimize(core::LookUpProduction(catalogue, 1, index));
}
BENCHMARK(BM_ProductionLookupInMemory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace
