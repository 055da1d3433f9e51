#include "platform/DatabaseBuilder.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/MotorRow.h"
#include "core/catalogue/TableSchema.h"
#include "core/format/CsvReader.h"
#include "core/format/NumberParsing.h"
#include "core/language/Language.h"
#include "platform/CatalogueStore.h"
#include "platform/RegularFile.h"
#include "platform/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <set>
#include <signal.h>
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

struct Table {
    std::vector<std::vector<QVariant>> rows;
    std::vector<int> lines; // source line of each row
};

std::variant<Table, Failure> ReadSource(const QString& file, const TableDef& def) {
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

    Table table;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const core::CsvRecord& record = records[r];
        const std::string where = name + ":" + std::to_string(record.line) + ": ";
        if (record.fields.size() != N)
            return Failure{where + "the record has " + std::to_string(record.fields.size()) + " fields, " +
                           std::to_string(N) + " expected"};
        std::vector<QVariant> row;
        row.reserve(N);
        for (std::size_t k = 0; k < N; ++k) {
            const core::CsvField& field = record.fields[k];
            const ColumnDef& column = columns[k];
            const std::string what = where + "field " + std::string(column.name);
            if (field.isNull()) {
                if (column.notNull)
                    return Failure{what + " must not be Null"};
                row.emplace_back();
                continue;
            }
            switch (column.type) {
            case ColumnType::Text:
                row.emplace_back(QString::fromStdString(field.text));
                break;
            case ColumnType::Integer: {
                const auto value = core::ParseInt64(field.text);
                if (!value)
                    return Failure{what + ": \"" + field.text + "\" is not a whole number"};
                row.emplace_back(static_cast<qlonglong>(*value));
                break;
            }
            case ColumnType::Real: {
                const auto value = core::ParseDouble(field.text);
                if (!value)
                    return Failure{what + ": \"" + field.text + "\" is not a number"};
                row.emplace_back(*value);
                break;
            }
            }
        }
        table.rows.push_back(std::move(row));
        table.lines.push_back(record.line);
    }
    return table;
}

// Column 0 is the key of every source: unique, and for texts inside the key range.
std::optional<Failure> CheckKeys(const QString& file, const Table& table, std::optional<int> maxKey) {
    std::set<qlonglong> seen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const qlonglong key = table.rows[r][0].toLongLong();
        const auto fail = [&](const std::string& what) {
            return Failure{QDir::toNativeSeparators(file).toStdString() + ":" +
                           std::to_string(table.lines[r]) + ": key " + std::to_string(key) + what};
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

std::optional<core::FieldValue> ToField(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    if (v.typeId() == QMetaType::LongLong)
        return core::FieldValue{static_cast<std::int64_t>(v.toLongLong())};
    if (v.typeId() == QMetaType::Double)
        return core::FieldValue{v.toDouble()};
    return core::FieldValue{v.toString().toStdString()};
}

// The catalogue's own load rules on the source rows, in the order the database returns them:
// a row the program would refuse to load is refused here, with its line.
std::optional<Failure> CheckLoadRules(const QString& file, const Table& table) {
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
    const std::string name = QDir::toNativeSeparators(file).toStdString();
    const auto loaded = core::LoadCatalogue(rows, name);
    if (const auto* error = std::get_if<core::LoadError>(&loaded)) {
        if (!error->row)
            return Failure{error->message};
        return Failure{name + ":" + std::to_string(table.lines[order[*error->row]]) + ": " + error->detail};
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
    const std::string outName = QDir::toNativeSeparators(outputFile).toStdString();
    if (auto problem = CheckOutputTarget(outputFile))
        return BuildError{problem->message};

    auto motors = ReadSource(motorsFile, core::MotorTable());
    if (auto* f = std::get_if<Failure>(&motors))
        return BuildError{f->message};
    auto texts = ReadSource(textsFile, kTextTable);
    if (auto* f = std::get_if<Failure>(&texts))
        return BuildError{f->message};
    auto imperial = ReadSource(imperialFile, kImperialTable);
    if (auto* f = std::get_if<Failure>(&imperial))
        return BuildError{f->message};
    const Table& motorTable = std::get<Table>(motors);
    const Table& textTable = std::get<Table>(texts);
    const Table& imperialTable = std::get<Table>(imperial);
    if (auto f = CheckKeys(motorsFile, motorTable, std::nullopt))
        return BuildError{f->message};
    if (auto f = CheckLoadRules(motorsFile, motorTable))
        return BuildError{f->message};
    if (auto f = CheckKeys(textsFile, textTable, core::kTextCount - 1))
        return BuildError{f->message};
    if (auto f = CheckKeys(imperialFile, imperialTable, core::kTextCount - 1))
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
    // rename(2) replaces the target in one step: readers see the old or the new database, never a mix.
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(outputFile).constData()) != 0)
        return fail("cannot replace the file with the new database: " + std::string(std::strerror(errno)));
    return BuildSummary{static_cast<int>(motorTable.rows.size()), static_cast<int>(textTable.rows.size()),
                        static_cast<int>(imperialTable.rows.size())};
}

} // namespace airmotor::platform
