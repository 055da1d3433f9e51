// Reading a table of about 10,000 rows from an Access file through the reader process (the cost
// of the watchdog included). libmdb can write rows but not allocate pages, so the file is made from
// the Jet 3 sample: its data page is filled with rows by libmdb's write functions, then copied to
// new pages at the end of the file, which the table's usage map is pointed at.
#include <string>
#include <type_traits>

#include "platform/access/AccessReader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <mdbtools.h>

#include <cstring>
#include <stdexcept>

namespace {

using namespace airmotor;

constexpr int kRowsWanted = 10'000;

// Fills the sample's Table1 page with rows; returns the page number, its row count and the
// table's usage map as libmdb read it.
struct FilledPage {
    long page = -1;
    int rows = 0;
    QByteArray usageMap;
};

FilledPage FillPage(const QString& file) {
    MdbHandle* mdb = mdb_open(QFile::encodeName(file).constData(), MDB_WRITABLE);
    if (mdb == nullptr)
        throw std::runtime_error("cannot open the sample for writing");
    mdb_read_catalog(mdb, MDB_TABLE);
    char name[] = "Table1";
    MdbTableDef* table = mdb_read_table_by_name(mdb, name, MDB_TABLE);
    mdb_read_columns(table);
    table->num_idxs = 0; // libmdb cannot update this table's text index; a scan does not use it
    FilledPage filled;
    filled.rows = static_cast<int>(table->num_rows);
    filled.usageMap =
        QByteArray(reinterpret_cast<const char*>(table->usage_map), static_cast<qsizetype>(table->map_sz));
    // The sample's rows are on one page; the new rows go there as long as they fit.
    for (qsizetype bit = 0; bit < (filled.usageMap.size() - 5) * 8; ++bit)
        if (filled.usageMap.size() > 5 && (filled.usageMap[5 + bit / 8] >> (bit % 8)) & 1)
            filled.page = filled.page < 0 ? static_cast<long>(bit) : -2;
    for (int r = 0;; ++r) {
        std::string text = "row " + std::to_string(r);
        unsigned char byte = static_cast<unsigned char>(r);
        auto integer = static_cast<std::int16_t>(r);
        std::int32_t whole = r * 7;
        double number = r * 0.5;
        double date = 30000.25 + r;
        std::int64_t money = static_cast<std::int64_t>(r) * 12345;
        MdbField fields[9] = {};
        mdb_fill_temp_field(&fields[0], text.data(), static_cast<int>(text.size()), 0, 0, 0, 0);
        mdb_fill_temp_field(&fields[1], text.data(), 3, 0, r % 3 == 0, 0, 1);
        mdb_fill_temp_field(&fields[2], &byte, 1, 1, 0, 0, 2);
        mdb_fill_temp_field(&fields[3], &integer, 2, 1, 0, 0, 3);
        mdb_fill_temp_field(&fields[4], &whole, 4, 1, 0, 0, 4);
        mdb_fill_temp_field(&fields[5], &number, 8, 1, 0, 0, 5);
        mdb_fill_temp_field(&fields[6], &date, 8, 1, 0, 0, 6);
        mdb_fill_temp_field(&fields[7], &money, 8, 1, 0, 0, 7);
        mdb_fill_temp_field(&fields[8], nullptr, 0, 1, r % 2, 0, 8);
        if (!mdb_insert_row(table, 9, fields))
            break; // the page is full
        ++filled.rows;
    }
    mdb_free_tabledef(table);
    mdb_close(mdb);
    return filled;
}

QString MakeFile(const QTemporaryDir& dir, int& rows) {
    const QString file = dir.filePath("rows.mdb");
    QFile::copy(QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/data/access/testV1997.mdb"), file);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const FilledPage filled = FillPage(file);
    QFile f(file);
    if (filled.page < 0 || filled.usageMap[0] != 0 || !f.open(QIODevice::ReadWrite))
        throw std::runtime_error("the sample's table is not as expected");
    QByteArray bytes = f.readAll();
    constexpr qsizetype kPage = 2048; // Jet 3
    std::int32_t start = 0;
    std::memcpy(&start, filled.usageMap.constData() + 1, 4);
    const QByteArray page = bytes.mid((start + filled.page) * kPage, kPage);
    // An inline usage map: a type byte, the first page and a bit per page from there.
    const qsizetype at = bytes.indexOf(filled.usageMap);
    if (at < 0 || bytes.indexOf(filled.usageMap, at + 1) >= 0)
        throw std::runtime_error("the usage map is not found once");
    QByteArray map = filled.usageMap;
    rows = filled.rows;
    for (qsizetype next = bytes.size() / kPage; rows < kRowsWanted; ++next) {
        const qsizetype bit = next - start;
        if (bit / 8 + 5 >= map.size())
            throw std::runtime_error("the usage map cannot name more pages");
        bytes += page;
        map[5 + bit / 8] = static_cast<char>(map[5 + bit / 8] | (1 << (bit % 8)));
        rows += filled.rows; // every copied page holds the filled page's rows
    }
    bytes.replace(at, map.size(), map);
    f.seek(0);
    f.write(bytes);
    return file;
}

void BM_AccessReadTenThousandRows(benchmark::State& state) {
    static int argc = 1;
    static char arg0[] = "airmotor-bench";
    static char* argv[] = {arg0, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    QTemporaryDir dir;
    int rows = 0;
    QString file;
    try {
        file = MakeFile(dir, rows);
    } catch (const std::runtime_error& e) {
        state.SkipWithError(e.what()); // the file could not be made: nothing to measure
        return;
    }
    const platform::AccessReader reader(QStringLiteral(AIRMOTOR_BIN_DIR "/airmotor-access-reader"));
    std::size_t read = 0;
    for (auto _ : state) {
        auto result = reader.read(file, {"Table1"});
        if (auto* error = std::get_if<platform::TableReadError>(&result)) {
            state.SkipWithError(error->message.c_str());
            return;
        }
        read = std::get<std::vector<platform::AccessTable>>(result)[0].rows.size();
        benchmark::DoNotOptimize(read);
    }
    state.counters["rows"] = static_cast<double>(read);
    state.counters["file_kB"] = static_cast<double>(QFile(file).size()) / 1024.0;
}
BENCHMARK(BM_AccessReadTenThousandRows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
