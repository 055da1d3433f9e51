#include "platform/DatabaseBuilder.h"

#include "core/language/Language.h"
#include "platform/CsvReader.h"
#include "platform/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QVariant>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>
#include <type_traits>

namespace airmotor::platform {
namespace {

enum class Kind { Integer, Real, Text };

struct ColumnDef {
    const char* name;
    Kind kind;
    bool notNull;
};

// tblMotordata in schema order: type and NOT NULL of each column as the CREATE TABLE states them.
constexpr ColumnDef kMotorColumns[] = {
    {"intKatalogindex", Kind::Integer, true},
    {"intSokindex", Kind::Integer, true},
    {"strBenamning", Kind::Text, true},
    {"strDetaljnr1", Kind::Text, false},
    {"strDetaljnr2", Kind::Text, false},
    {"strDetaljnr3", Kind::Text, false},
    {"txtRotation", Kind::Text, false},
    {"bolLubricationFree", Kind::Integer, true},
    {"bolStainless", Kind::Integer, true},
    {"bolBrake", Kind::Integer, true},
    {"sngTomgVarvtal", Kind::Real, true},
    {"sngLuftforbrTomgang", Kind::Real, true},
    {"sngMaxEffekt", Kind::Real, true},
    {"sngMomentMaxeff", Kind::Real, true},
    {"sngLuftMaxeff", Kind::Real, true},
    {"sngVarvMaxeff", Kind::Real, true},
    {"sngMinStartMoment", Kind::Real, true},
    {"sngPris", Kind::Real, true},
    {"strMattskiss", Kind::Text, true},
    {"intGearsteps", Kind::Integer, true},
    {"sngUtvaxling", Kind::Real, true},
    {"sngVikt", Kind::Real, true},
    {"intGradtal_M", Kind::Integer, true},
    {"sngC0_M", Kind::Real, true},
    {"sngC1_M", Kind::Real, true},
    {"sngC2_M", Kind::Real, true},
    {"sngC3_M", Kind::Real, true},
    {"sngC4_M", Kind::Real, true},
    {"intGradtal_L", Kind::Integer, true},
    {"sngC0_L", Kind::Real, true},
    {"sngC1_L", Kind::Real, true},
    {"sngC2_L", Kind::Real, true},
    {"sngC3_L", Kind::Real, true},
    {"sngC4_L", Kind::Real, true},
    {"bolOldMotor", Kind::Integer, true},
    {"bolVeryOld", Kind::Integer, true},
    {"sngMin_VarvDiagram", Kind::Real, true},
    {"sngMax_VarvDiagram", Kind::Real, true},
};

constexpr ColumnDef kTextColumns[] = {
    {"intKey", Kind::Integer, true},  {"strEnglish", Kind::Text, false}, {"strGerman", Kind::Text, false},
    {"strFrench", Kind::Text, false}, {"strItalian", Kind::Text, false}, {"strSpanish", Kind::Text, false},
};

constexpr ColumnDef kImperialColumns[] = {
    {"intKey", Kind::Integer, true},
    {"strText", Kind::Text, false},
};

struct Failure {
    std::string message;
};

struct Table {
    std::vector<std::vector<QVariant>> rows;
    std::vector<int> lines; // source line of each row
};

// The whole field as a number, '.' as the decimal separator whatever the locale; an explicit '+'
// is allowed, a non-finite real is not.
template <class T> std::optional<T> ParseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(value))
            return std::nullopt;
    return value;
}

template <std::size_t N>
std::variant<Table, Failure> ReadSource(const QString& file, const ColumnDef (&columns)[N]) {
    const std::string name = QDir::toNativeSeparators(file).toStdString();
    QFile in(file);
    if (!in.exists())
        return Failure{name + ": the source file does not exist"};
    if (!in.open(QIODevice::ReadOnly))
        return Failure{name + ": cannot be read: " + in.errorString().toStdString()};
    const QByteArray bytes = in.readAll();
    auto parsed = ParseCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (const auto* error = std::get_if<CsvError>(&parsed))
        return Failure{name + ":" + std::to_string(error->line) + ": " + error->message};
    const auto& records = std::get<std::vector<CsvRecord>>(parsed);

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
        const CsvRecord& record = records[r];
        const std::string where = name + ":" + std::to_string(record.line) + ": ";
        if (record.fields.size() != N)
            return Failure{where + "the record has " + std::to_string(record.fields.size()) + " fields, " +
                           std::to_string(N) + " expected"};
        std::vector<QVariant> row;
        row.reserve(N);
        for (std::size_t k = 0; k < N; ++k) {
            const CsvField& field = record.fields[k];
            const ColumnDef& column = columns[k];
            const std::string what = where + "field " + column.name;
            if (field.isNull()) {
                if (column.notNull)
                    return Failure{what + " must not be Null"};
                row.emplace_back();
                continue;
            }
            switch (column.kind) {
            case Kind::Text:
                row.emplace_back(QString::fromStdString(field.text));
                break;
            case Kind::Integer: {
                const auto value = ParseNumber<std::int64_t>(field.text);
                if (!value)
                    return Failure{what + ": \"" + field.text + "\" is not a whole number"};
                row.emplace_back(static_cast<qlonglong>(*value));
                break;
            }
            case Kind::Real: {
                const auto value = ParseNumber<double>(field.text);
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

std::optional<Failure> Insert(QSqlDatabase& db, const std::string& table, std::size_t columns,
                              const Table& data) {
    std::string sql = "INSERT INTO " + table + " VALUES (";
    for (std::size_t k = 0; k < columns; ++k)
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

} // namespace

const std::vector<std::string>& DatabaseBuilder::schema() {
    static const std::vector<std::string> statements = {
        R"(CREATE TABLE tblMotordata (
  intKatalogindex     INTEGER PRIMARY KEY,
  intSokindex         INTEGER NOT NULL,
  strBenamning        TEXT    NOT NULL,
  strDetaljnr1        TEXT,
  strDetaljnr2        TEXT,
  strDetaljnr3        TEXT,
  txtRotation         TEXT,
  bolLubricationFree  INTEGER NOT NULL DEFAULT 0,
  bolStainless        INTEGER NOT NULL DEFAULT 0,
  bolBrake            INTEGER NOT NULL DEFAULT 0,
  sngTomgVarvtal      REAL    NOT NULL,
  sngLuftforbrTomgang REAL    NOT NULL,
  sngMaxEffekt        REAL    NOT NULL,
  sngMomentMaxeff     REAL    NOT NULL,
  sngLuftMaxeff       REAL    NOT NULL,
  sngVarvMaxeff       REAL    NOT NULL,
  sngMinStartMoment   REAL    NOT NULL,
  sngPris             REAL    NOT NULL DEFAULT 0,
  strMattskiss        TEXT    NOT NULL DEFAULT '?',
  intGearsteps        INTEGER NOT NULL DEFAULT 0,
  sngUtvaxling        REAL    NOT NULL DEFAULT 1,
  sngVikt             REAL    NOT NULL DEFAULT 0,
  intGradtal_M        INTEGER NOT NULL,
  sngC0_M REAL NOT NULL, sngC1_M REAL NOT NULL, sngC2_M REAL NOT NULL, sngC3_M REAL NOT NULL, sngC4_M REAL NOT NULL,
  intGradtal_L        INTEGER NOT NULL,
  sngC0_L REAL NOT NULL, sngC1_L REAL NOT NULL, sngC2_L REAL NOT NULL, sngC3_L REAL NOT NULL, sngC4_L REAL NOT NULL,
  bolOldMotor         INTEGER NOT NULL DEFAULT 0,
  bolVeryOld          INTEGER NOT NULL DEFAULT 0,
  sngMin_VarvDiagram  REAL    NOT NULL DEFAULT 0,
  sngMax_VarvDiagram  REAL    NOT NULL DEFAULT 0
))",
        R"(CREATE TABLE tblLanguage (
  intKey     INTEGER PRIMARY KEY,
  strEnglish TEXT, strGerman TEXT, strFrench TEXT, strItalian TEXT, strSpanish TEXT
))",
        R"(CREATE TABLE tblImperialUnits (
  intKey  INTEGER PRIMARY KEY,
  strText TEXT
))"};
    return statements;
}

std::variant<BuildSummary, BuildError> DatabaseBuilder::build(const QString& dataFolder,
                                                              const QString& outputFile) {
    const QDir dir(dataFolder);
    const QString motorsFile = dir.filePath(QStringLiteral("motors.csv"));
    const QString textsFile = dir.filePath(QStringLiteral("texts.csv"));
    const QString imperialFile = dir.filePath(QStringLiteral("imperial.csv"));

    auto motors = ReadSource(motorsFile, kMotorColumns);
    if (auto* f = std::get_if<Failure>(&motors))
        return BuildError{f->message};
    auto texts = ReadSource(textsFile, kTextColumns);
    if (auto* f = std::get_if<Failure>(&texts))
        return BuildError{f->message};
    auto imperial = ReadSource(imperialFile, kImperialColumns);
    if (auto* f = std::get_if<Failure>(&imperial))
        return BuildError{f->message};
    const Table& motorTable = std::get<Table>(motors);
    const Table& textTable = std::get<Table>(texts);
    const Table& imperialTable = std::get<Table>(imperial);
    if (auto f = CheckKeys(motorsFile, motorTable, std::nullopt))
        return BuildError{f->message};
    if (auto f = CheckKeys(textsFile, textTable, core::kTextCount - 1))
        return BuildError{f->message};
    if (auto f = CheckKeys(imperialFile, imperialTable, core::kTextCount - 1))
        return BuildError{f->message};

    const std::string outName = QDir::toNativeSeparators(outputFile).toStdString();
    QTemporaryFile temp(outputFile + QStringLiteral(".tmp-XXXXXX"));
    if (!temp.open())
        return BuildError{outName +
                          ": cannot create a temporary file beside it: " + temp.errorString().toStdString()};
    temp.close();
    const QString tempName = temp.fileName();
    {
        SqliteConnection connection(tempName, SqliteConnection::Mode::ReadWrite);
        if (!connection.open())
            return BuildError{outName +
                              ": cannot create the database: " + connection.errorText().toStdString()};
        QSqlDatabase db = connection.database();
        std::optional<Failure> failure;
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
            failure = Insert(db, "tblMotordata", std::size(kMotorColumns), motorTable);
        if (!failure)
            failure = Insert(db, "tblLanguage", std::size(kTextColumns), textTable);
        if (!failure)
            failure = Insert(db, "tblImperialUnits", std::size(kImperialColumns), imperialTable);
        if (!failure && !db.commit())
            failure = Failure{"cannot commit: " + db.lastError().text().toStdString()};
        if (failure) {
            db.rollback();
            return BuildError{outName + ": " + failure->message};
        }
    }
    // The temporary file is private to its creator; the catalogue is for every user of the program.
    QFile::setPermissions(tempName, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // rename(2) replaces the target in one step: readers see the old or the new database, never a mix.
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(outputFile).constData()) != 0)
        return BuildError{outName + ": cannot replace the file with the new database"};
    temp.setAutoRemove(false);
    return BuildSummary{static_cast<int>(motorTable.rows.size()), static_cast<int>(textTable.rows.size()),
                        static_cast<int>(imperialTable.rows.size())};
}

} // namespace airmotor::platform
