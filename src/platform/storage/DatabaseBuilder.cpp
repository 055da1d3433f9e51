#include "platform/storage/DatabaseBuilder.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/MotorRow.h"
#include "core/catalogue/TableSchema.h"
#include "core/format/CsvReader.h"
#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"
#include "core/format/Utf8.h"
#include "core/language/Language.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/SqlFieldValue.h"
#include "platform/storage/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <numeric>
#include <set>
#include <signal.h>
#include <tuple>
#include <unistd.h>

namespace airmotor::platform {
namespace {

using core::ColumnDef;
using core::ColumnType;
using core::TableDef;

constexpr ColumnDef kTextColumns[] = {
    {"intKey", ColumnType::Integer, true, {}, true}, {"strEnglish", ColumnType::Text, false},
    {"strGerman", ColumnType::Text, false},          {"strFrench", ColumnType::Text, false},
    {"strItalian", ColumnType::Text, false},         {"strSpanish", ColumnType::Text, false},
};
constexpr ColumnDef kImperialColumns[] = {
    {"intKey", ColumnType::Integer, true, {}, true},
    {"strText", ColumnType::Text, false},
};
constexpr TableDef kTextTable{"tblLanguage", kTextColumns};
constexpr TableDef kImperialTable{"tblImperialUnits", kImperialColumns};

struct Failure {
    std::string message;
};

// Rows in the schema's types, in the order (and with the row numbers) of their source.
struct Table {
    std::vector<std::vector<QVariant>> rows;
};

std::string Message(const SourceTable& source, std::size_t row, std::string_view column,
                    const std::string& fault) {
    return source.where(row, column) + ": " + fault;
}

// Reads a CSV source: the exact header, then one record of text or Null fields per row.
std::variant<SourceTable, Failure> ReadSource(const QString& file, const TableDef& def) {
    const std::string name = QDir::toNativeSeparators(file).toStdString();
    const std::span<const ColumnDef> columns = def.columns;
    const std::size_t N = columns.size();
    if (!QFileInfo::exists(file))
        return Failure{name + ": the source file does not exist"};
    auto read = ReadRegularFile(file, kSourceFileCap);
    if (auto* error = std::get_if<FileError>(&read))
        return Failure{error->message};
    const QByteArray& bytes = std::get<QByteArray>(read);
    auto parsed = core::ParseCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (const auto* error = std::get_if<core::CsvError>(&parsed))
        return Failure{name + ":" + std::to_string(error->line) + ": " + error->message};
    const auto& records = std::get<std::vector<core::CsvRecord>>(parsed);

    std::string header;
    for (std::size_t k = 0; k < N; ++k)
        header += (k ? "," : "") + std::string(columns[k].name);
    if (records.empty())
        return Failure{name + ":1: the header line is missing; expected " + header};
    std::string got;
    for (std::size_t k = 0; k < records[0].fields.size(); ++k)
        got += (k ? "," : "") + records[0].fields[k].text;
    if (got != header)
        return Failure{name + ":" + std::to_string(records[0].line) + ": the header must be exactly " +
                       header};

    std::vector<int> lines;
    SourceTable table;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const core::CsvRecord& record = records[r];
        if (record.fields.size() != N)
            return Failure{name + ":" + std::to_string(record.line) + ": the record has " +
                           std::to_string(record.fields.size()) + " fields, " + std::to_string(N) +
                           " expected"};
        std::vector<SourceCell> row;
        row.reserve(N);
        for (const core::CsvField& field : record.fields)
            row.push_back(field.isNull() ? SourceCell{} : SourceCell{field.text});
        table.rows.push_back(std::move(row));
        lines.push_back(record.line);
    }
    table.where = [name, lines = std::move(lines)](std::size_t row, std::string_view column) {
        return name + ":" + std::to_string(lines[row]) + ": field " + std::string(column);
    };
    return table;
}

// One cell in its column's type: a text is parsed, a typed value converted where nothing is lost.
std::variant<QVariant, std::string> Convert(const SourceCell& cell, const ColumnDef& column) {
    if (std::holds_alternative<std::monostate>(cell)) {
        if (column.notNull)
            return std::string("must not be Null");
        return QVariant();
    }
    const auto* text = std::get_if<std::string>(&cell);
    const auto* whole = std::get_if<std::int64_t>(&cell);
    const auto* number = std::get_if<double>(&cell);
    switch (column.type) {
    case ColumnType::Text:
        if (text) {
            if (!core::IsValidUtf8(*text))
                return std::string("is not valid UTF-8 text");
            return QString::fromStdString(*text);
        }
        return QString::fromStdString(whole ? std::to_string(*whole) : core::ShortestText(*number));
    case ColumnType::Integer:
        if (whole)
            return static_cast<qlonglong>(*whole);
        if (text) {
            if (const auto value = core::ParseInt64(*text))
                return static_cast<qlonglong>(*value);
            return "\"" + *text + "\" is not a whole number";
        }
        if (std::isfinite(*number) && *number == std::trunc(*number) && std::fabs(*number) < 0x1p63)
            return static_cast<qlonglong>(*number);
        return core::ShortestText(*number) + " is not a whole number";
    case ColumnType::Real:
        if (whole)
            return static_cast<double>(*whole);
        if (text) {
            if (const auto value = core::ParseDouble(*text))
                return *value;
            return "\"" + *text + "\" " + core::WhyNotDouble(*text);
        }
        if (!std::isfinite(*number))
            return core::ShortestText(*number) + " is not a number";
        return *number;
    }
    return std::string("has an unknown type");
}

std::variant<Table, Failure> Convert(const SourceTable& source, const TableDef& def) {
    Table table;
    table.rows.reserve(source.rows.size());
    for (std::size_t r = 0; r < source.rows.size(); ++r) {
        const auto& cells = source.rows[r];
        if (cells.size() != def.columns.size())
            return Failure{Message(source, r, def.columns[0].name,
                                   "the row has " + std::to_string(cells.size()) + " columns, " +
                                       std::to_string(def.columns.size()) + " expected")};
        std::vector<QVariant> row;
        row.reserve(cells.size());
        for (std::size_t k = 0; k < cells.size(); ++k) {
            auto value = Convert(cells[k], def.columns[k]);
            if (const auto* fault = std::get_if<std::string>(&value))
                return Failure{Message(source, r, def.columns[k].name, *fault)};
            row.push_back(std::move(std::get<QVariant>(value)));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

// Column 0 is the key of every source: unique, and for texts inside the key range.
std::optional<Failure> CheckKeys(const SourceTable& source, const TableDef& def, const Table& table,
                                 std::optional<int> maxKey) {
    std::set<qlonglong> seen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const qlonglong key = table.rows[r][0].toLongLong();
        const auto fail = [&](const std::string& what) {
            return Failure{Message(source, r, def.columns[0].name, "key " + std::to_string(key) + what)};
        };
        if (maxKey && (key < 0 || key > *maxKey))
            return fail(" is outside 0.." + std::to_string(*maxKey));
        if (!seen.insert(key).second)
            return fail(" appears twice");
    }
    return std::nullopt;
}

std::optional<Failure> Insert(QSqlDatabase& db, const TableDef& def, const Table& data) {
    const std::string table(def.name);
    std::string sql = "INSERT INTO " + table + " VALUES (";
    for (std::size_t k = 0; k < def.columns.size(); ++k)
        sql += k ? ",?" : "?";
    sql += ")";
    QSqlQuery q(db);
    if (!q.prepare(QString::fromStdString(sql)))
        return Failure{"cannot prepare the insert into " + table + ": " + q.lastError().text().toStdString()};
    for (const auto& row : data.rows) {
        for (std::size_t k = 0; k < row.size(); ++k)
            q.bindValue(static_cast<int>(k), row[k]);
        if (!q.exec())
            return Failure{"cannot insert into " + table + ": " + q.lastError().text().toStdString()};
    }
    return std::nullopt;
}

// The catalogue's own load rules on the source rows, in the order the database returns them:
// a row the program would refuse to load is refused here, naming its source row.
std::optional<Failure> CheckLoadRules(const SourceTable& source, const Table& table) {
    std::vector<std::size_t> order(table.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return table.rows[a][0].toLongLong() < table.rows[b][0].toLongLong();
    });
    const auto& names = core::MotorTableColumns();
    std::vector<core::MotorRow> rows;
    rows.reserve(order.size());
    for (std::size_t r : order) {
        core::MotorRow row;
        for (std::size_t k = 0; k < names.size(); ++k)
            row.fields.emplace_back(names[k], ToField(table.rows[r][k]));
        rows.push_back(std::move(row));
    }
    const auto loaded = core::LoadCatalogue(rows, "tblMotordata");
    if (const auto* error = std::get_if<core::LoadError>(&loaded)) {
        if (!error->row)
            return Failure{error->message};
        return Failure{Message(source, order[*error->row], error->field, error->problem)};
    }
    return std::nullopt;
}

// The finished database read back as the program reads it: texts in every language and the motors.
std::optional<Failure> CheckLoads(const QString& file) {
    auto snapshot = CatalogueStore(file).readSnapshot(true);
    if (const auto* error = std::get_if<StoreError>(&snapshot))
        return Failure{error->message};
    const auto& tables = std::get<CatalogueSnapshot>(snapshot);
    core::LanguageState state;
    state.strLanguage = "English_Imperial";
    if (auto error = core::ApplyLanguageTexts(state, tables.texts, tables.imperialTexts))
        return Failure{error->message};
    const auto loaded = core::LoadCatalogue(tables.motors, file.toStdString());
    if (const auto* error = std::get_if<core::LoadError>(&loaded))
        return Failure{error->message};
    return std::nullopt;
}

// Temporary databases are named OUT.tmp-PID (with SQLite's -journal beside them while open), so
// that the leftovers of a killed build can be told from those of a build still running.
QString TempPrefix(const QString& outputFile) {
    return QFileInfo(outputFile).fileName() + QStringLiteral(".tmp-");
}

bool ProcessIsGone(qint64 pid) {
    return pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the leftovers of builds whose process no longer exists (and an earlier one of ours).
void RemoveStaleTemporaries(const QString& outputFile) {
    const QDir dir = QFileInfo(outputFile).absoluteDir();
    const QRegularExpression pattern(QStringLiteral("^%1(\\d+)(-journal|-wal|-shm)?$")
                                         .arg(QRegularExpression::escape(TempPrefix(outputFile))));
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto match = pattern.match(entry);
        if (!match.hasMatch())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        if (pid == ::getpid() || ProcessIsGone(pid))
            QFile::remove(dir.filePath(entry));
    }
}

void RemoveTemporary(const QString& tempName) {
    for (const QString& suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(tempName + suffix);
}

} // namespace

const std::vector<std::string>& DatabaseBuilder::schema() {
    static const std::vector<std::string> statements = {core::CreateTableSql(core::MotorTable()),
                                                        core::CreateTableSql(kTextTable),
                                                        core::CreateTableSql(kImperialTable)};
    return statements;
}

std::variant<BuildSummary, BuildError> DatabaseBuilder::build(const QString& dataFolder,
                                                              const QString& outputFile) {
    const QDir dir(dataFolder);
    const QString motorsFile = dir.filePath(QStringLiteral("motors.csv"));
    const QString textsFile = dir.filePath(QStringLiteral("texts.csv"));
    const QString imperialFile = dir.filePath(QStringLiteral("imperial.csv"));
    if (auto problem = CheckOutputTarget(outputFile))
        return BuildError{problem->message};
    BuildSources sources;
    for (auto [file, def, into] : {std::tuple{motorsFile, &core::MotorTable(), &sources.motors},
                                   std::tuple{textsFile, &kTextTable, &sources.texts},
                                   std::tuple{imperialFile, &kImperialTable, &sources.imperialTexts}}) {
        auto read = ReadSource(file, *def);
        if (auto* f = std::get_if<Failure>(&read))
            return BuildError{f->message};
        *into = std::move(std::get<SourceTable>(read));
    }
    return build(sources, outputFile);
}

const core::TableDef& DatabaseBuilder::textTable() {
    return kTextTable;
}

const core::TableDef& DatabaseBuilder::imperialTable() {
    return kImperialTable;
}

std::variant<BuildSummary, BuildError> DatabaseBuilder::build(const BuildSources& sources,
                                                              const QString& outputFile) {
    const std::string outName = QDir::toNativeSeparators(outputFile).toStdString();
    if (auto problem = CheckOutputTarget(outputFile))
        return BuildError{problem->message};
    auto motors = Convert(sources.motors, core::MotorTable());
    if (auto* f = std::get_if<Failure>(&motors))
        return BuildError{f->message};
    auto texts = Convert(sources.texts, kTextTable);
    if (auto* f = std::get_if<Failure>(&texts))
        return BuildError{f->message};
    auto imperial = Convert(sources.imperialTexts, kImperialTable);
    if (auto* f = std::get_if<Failure>(&imperial))
        return BuildError{f->message};
    const Table& motorTable = std::get<Table>(motors);
    const Table& textTable = std::get<Table>(texts);
    const Table& imperialTable = std::get<Table>(imperial);
    if (auto f = CheckKeys(sources.motors, core::MotorTable(), motorTable, std::nullopt))
        return BuildError{f->message};
    if (auto f = CheckLoadRules(sources.motors, motorTable))
        return BuildError{f->message};
    if (auto f = CheckKeys(sources.texts, kTextTable, textTable, core::kTextCount - 1))
        return BuildError{f->message};
    if (auto f = CheckKeys(sources.imperialTexts, kImperialTable, imperialTable, core::kTextCount - 1))
        return BuildError{f->message};

    RemoveStaleTemporaries(outputFile);
    const QString tempName =
        QFileInfo(outputFile).absoluteDir().filePath(TempPrefix(outputFile) + QString::number(::getpid()));
    {
        QFile temp(tempName);
        if (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return BuildError{
                outName + ": cannot create a temporary file beside it: " + temp.errorString().toStdString()};
    }
    const auto fail = [&](const std::string& message) {
        RemoveTemporary(tempName);
        return BuildError{outName + ": " + message};
    };
    std::optional<Failure> failure;
    { // the connection is closed before the file is checked, renamed or removed
        SqliteConnection connection(tempName, SqliteConnection::Mode::ReadWrite);
        if (!connection.open())
            return fail("cannot create the database: " + connection.errorText().toStdString());
        QSqlDatabase db = connection.database();
        if (!db.transaction())
            failure = Failure{"cannot start a transaction: " + db.lastError().text().toStdString()};
        for (const std::string& statement : schema()) {
            if (failure)
                break;
            QSqlQuery q(db);
            if (!q.exec(QString::fromStdString(statement)))
                failure = Failure{"cannot create the schema: " + q.lastError().text().toStdString()};
        }
        if (!failure)
            failure = Insert(db, core::MotorTable(), motorTable);
        if (!failure)
            failure = Insert(db, kTextTable, textTable);
        if (!failure)
            failure = Insert(db, kImperialTable, imperialTable);
        if (!failure && !db.commit())
            failure = Failure{"cannot commit: " + db.lastError().text().toStdString()};
        if (failure)
            db.rollback();
    }
    if (failure)
        return fail(failure->message);
    if (auto f = CheckLoads(tempName))
        return fail("the new database does not load, the old one is kept: " + f->message);
    // The temporary file is private to its creator; the catalogue is for every user of the program.
    QFile::setPermissions(tempName, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // Renamed over the target in one step: readers see the old or the new database, never a mix.
    if (auto error = CommitFinishedFile(tempName, outputFile)) {
        RemoveTemporary(tempName);
        return BuildError{error->message};
    }
    return BuildSummary{static_cast<int>(motorTable.rows.size()), static_cast<int>(textTable.rows.size()),
                        static_cast<int>(imperialTable.rows.size())};
}

} // namespace airmotor::platform
