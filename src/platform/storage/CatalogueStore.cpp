#include "platform/storage/CatalogueStore.h"

#include "core/catalogue/CatalogueLocation.h"
#include "platform/files/RegularFile.h"
#include "platform/storage/PostgresConnection.h"
#include "platform/storage/SqlFieldValue.h"
#include "platform/storage/SqliteConnection.h"

#include <QDir>

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <optional>

namespace airmotor::platform {
namespace {

std::string Std(const QString& s) {
    return s.toStdString();
}

QString Quoted(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// Everything a read needs: the open connection plus the table names, checked once.
class Reader final {
public:
    explicit Reader(const QString& file) : file_(file) {}

    // A snapshot reader on PostgreSQL starts its transaction before the first query, so that the
    // table list and the schema version belong to the snapshot too.
    std::optional<StoreError> open(bool snapshot = false) {
        auto location = core::ParseCatalogueLocation(Std(file_));
        if (auto* error = std::get_if<core::LocationError>(&location))
            return StoreError{error->message};
        if (std::get<core::CatalogueLocation>(location).isPostgres())
            return openPostgres(std::get<core::CatalogueLocation>(location), snapshot);
        const QFileInfo info(file_);
        if (!info.exists())
            return fail("the catalogue database does not exist");
        if (const std::string kind = FileKindOf(file_); kind != "a regular file")
            return fail("is " + kind + ", not a regular file");
        // A journal left by an interrupted write makes the file "hot": SQLite must roll it back
        // before anything can be read, which a read-only connection cannot do.
        const QFileInfo journal(file_ + QStringLiteral("-journal"));
        hotJournal_ = journal.exists() && journal.size() > 0;
        connection_.emplace(file_, hotJournal_ ? SqliteConnection::Mode::ReadWriteExisting
                                               : SqliteConnection::Mode::ReadOnly);
        if (!connection_->open())
            return failOpen("cannot be opened: " + Std(connection_->errorText()));
        QSqlQuery q(database());
        if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
            return failOpen("is not a catalogue database (" + Std(q.lastError().databaseText()) + ")");
        while (q.next())
            tables_ << q.value(0).toString();
        return std::nullopt;
    }

    // The table's name as stored (SQLite compares table names without case).
    std::optional<QString> table(const QString& name) const {
        for (const QString& t : tables_)
            if (t.compare(name, Qt::CaseInsensitive) == 0)
                return t;
        return std::nullopt;
    }

    StoreError fail(const std::string& what) const { return StoreError{Std(file_) + ": " + what}; }
    StoreError failTable(const QString& table, const std::string& what) const {
        return StoreError{Std(file_) + ": table " + Std(table) + " " + what};
    }

    QSqlDatabase database() const { return postgres_ ? postgres_->database() : connection_->database(); }
    bool isPostgres() const { return postgres_.has_value(); }

private:
    std::optional<StoreError> openPostgres(const core::CatalogueLocation& location, bool snapshot) {
        postgres_.emplace(location);
        if (!postgres_->open())
            return fail("cannot connect: " + Std(postgres_->errorText()));
        QSqlQuery q(database());
        const auto run = [&q](const QString& sql) { return q.exec(sql); };
        if (snapshot && !run(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")))
            return fail("cannot be read: " + Std(PostgresErrorText(q.lastError().databaseText())));
        if (!run(QStringLiteral("SELECT table_name FROM information_schema.tables "
                                "WHERE table_schema = current_schema()")))
            return fail("cannot be read: " + Std(PostgresErrorText(q.lastError().databaseText())));
        while (q.next())
            tables_ << q.value(0).toString();
        const auto version = table(QStringLiteral("schema_version"));
        if (!version)
            return fail("holds no catalogue (no table schema_version); create one with "
                        "airmotor-cli catalogue init, then fill it with catalogue push");
        if (!run(QStringLiteral("SELECT max(version) FROM %1").arg(Quoted(*version))) || !q.next())
            return fail("cannot read the schema version: " +
                        Std(PostgresErrorText(q.lastError().databaseText())));
        const qlonglong found = q.value(0).toLongLong();
        if (found > kPostgresSchemaVersion)
            return fail("the catalogue schema has version " + std::to_string(found) +
                        ", newer than this program knows (" + std::to_string(kPostgresSchemaVersion) +
                        "); use a newer version of the program");
        return std::nullopt;
    }

    StoreError failOpen(const std::string& what) const {
        if (!hotJournal_)
            return fail(what);
        return fail("an interrupted write left its journal " +
                    Std(QDir::toNativeSeparators(file_ + QStringLiteral("-journal"))) +
                    " beside it, and rolling it back failed (" + what +
                    "); run the program once with write access to the database and its folder, "
                    "or build the database again with make-database");
    }

    QString file_;
    std::optional<SqliteConnection> connection_;
    std::optional<PostgresConnection> postgres_;
    bool hotJournal_ = false;
    QStringList tables_;
};

// A stored text as its raw bytes: the driver would quietly repair invalid UTF-8, the load rules
// refuse it. Other types are selected as they are.
QString RawText(const Reader& reader, const QString& column) {
    const QString c = Quoted(column);
    // PostgreSQL keeps only valid UTF-8 in a text column.
    if (reader.isPostgres())
        return c;
    return QStringLiteral("CASE WHEN typeof(%1) = 'text' THEN CAST(%1 AS BLOB) ELSE %1 END").arg(c);
}

// The columns of a table as stored. The PostgreSQL driver folds an unquoted name to lower case.
QSqlRecord RecordOf(const Reader& reader, const QString& table) {
    return reader.database().record(reader.isPostgres() ? Quoted(table) : table);
}

// Text keys are whole numbers; a fractional key is converted the way an integer conversion rounds.
std::optional<std::int64_t> KeyOf(const QVariant& v) {
    const auto field = ToField(v);
    if (!field)
        return std::nullopt;
    if (const auto* i = std::get_if<std::int64_t>(&*field))
        return *i;
    if (const auto* d = std::get_if<double>(&*field); d && std::isfinite(*d) && std::fabs(*d) < 1e15)
        return static_cast<std::int64_t>(std::nearbyint(*d));
    return std::nullopt;
}

template <class Row, class Fill>
StoreResult<std::vector<Row>> ReadByPosition(const Reader& reader, const QString& tableName, int columns,
                                             Fill fill) {
    const auto table = reader.table(tableName);
    if (!table)
        return reader.fail("has no table " + Std(tableName));
    const QSqlRecord record = RecordOf(reader, *table);
    if (record.count() < columns)
        return reader.failTable(tableName, "has " + std::to_string(record.count()) + " columns, " +
                                               std::to_string(columns) + " are needed");
    QStringList select{Quoted(record.fieldName(0))};
    for (int k = 1; k < record.count(); ++k)
        select << RawText(reader, record.fieldName(k));
    QSqlQuery q(reader.database());
    q.setForwardOnly(true);
    // A PostgreSQL table has no row order of its own; the file's rows come in the order stored.
    const QString order = reader.isPostgres() ? QStringLiteral(" ORDER BY 1") : QString();
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2%3")
                    .arg(select.join(QStringLiteral(", ")), Quoted(*table), order)))
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    std::vector<Row> rows;
    long long number = 0;
    while (q.next()) {
        ++number;
        const auto key = KeyOf(q.value(0));
        if (!key)
            return reader.failTable(tableName, "row " + std::to_string(number) + ": the key in column 0 (" +
                                                   Std(q.value(0).toString()) + ") is not a whole number");
        Row row;
        row.key = *key;
        fill(q, row);
        rows.push_back(std::move(row));
    }
    if (q.lastError().isValid())
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    return rows;
}

std::optional<std::string> TextOf(const QVariant& v) {
    const auto field = ToField(v);
    if (!field)
        return std::nullopt;
    if (const auto* s = std::get_if<std::string>(&*field))
        return *s;
    return Std(v.toString());
}

StoreResult<std::vector<core::LanguageRow>> ReadLanguageRows(const Reader& reader) {
    return ReadByPosition<core::LanguageRow>(
        reader, QStringLiteral("tblLanguage"), 6, [](const QSqlQuery& q, core::LanguageRow& row) {
            for (int k = 0; k < 5; ++k)
                row.texts[static_cast<std::size_t>(k)] = TextOf(q.value(k + 1));
        });
}

StoreResult<std::vector<core::ImperialRow>> ReadImperialRows(const Reader& reader) {
    return ReadByPosition<core::ImperialRow>(
        reader, QStringLiteral("tblImperialUnits"), 2,
        [](const QSqlQuery& q, core::ImperialRow& row) { row.text = TextOf(q.value(1)); });
}

StoreResult<std::vector<core::MotorRow>> ReadMotorRows(const Reader& reader,
                                                       RowVersions* versions = nullptr) {
    const QString tableName = QStringLiteral("tblMotordata");
    const auto table = reader.table(tableName);
    if (!table)
        return reader.fail("has no table tblMotordata");

    // Select the schema's columns by name, whatever their positions in the stored table.
    const QSqlRecord record = RecordOf(reader, *table);
    QStringList select;
    for (const core::ColumnDef& column : core::MotorTable().columns) {
        const QString name =
            QString::fromUtf8(column.name.data(), static_cast<qsizetype>(column.name.size()));
        const int pos = record.indexOf(name);
        if (pos < 0)
            return reader.failTable(tableName, "has no column " + std::string(column.name));
        select << (column.type == core::ColumnType::Text ? RawText(reader, record.fieldName(pos))
                                                         : Quoted(record.fieldName(pos)));
    }
    // A schema before version 2 has no row versions; such a catalogue is read, not written.
    const bool withVersions =
        versions != nullptr && reader.isPostgres() && record.indexOf(QStringLiteral("row_version")) >= 0;
    if (withVersions)
        select << QStringLiteral("row_version");
    QSqlQuery q(reader.database());
    q.setForwardOnly(true);
    // SQLite puts Null first in an ascending order, PostgreSQL last unless told.
    const QString order = reader.isPostgres() ? QStringLiteral("ORDER BY \"intKatalogindex\" NULLS FIRST")
                                              : QStringLiteral("ORDER BY intKatalogindex");
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2 %3")
                    .arg(select.join(QStringLiteral(", ")), Quoted(*table), order)))
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    const auto& names = core::MotorTableColumns();
    std::vector<core::MotorRow> rows;
    while (q.next()) {
        core::MotorRow row;
        row.fields.reserve(names.size());
        for (std::size_t k = 0; k < names.size(); ++k)
            row.fields.emplace_back(names[k], ToField(q.value(static_cast<int>(k))));
        if (withVersions)
            (*versions)[q.value(0).toLongLong()] = q.value(static_cast<int>(names.size())).toLongLong();
        rows.push_back(std::move(row));
    }
    if (q.lastError().isValid())
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    return rows;
}

// Opens the database and runs one read on it.
template <class T, class Read>
StoreResult<T> WithReader(const QString& file, Read read, bool snapshot = false) {
    Reader reader(file);
    if (auto error = reader.open(snapshot))
        return *error;
    return read(reader);
}

} // namespace

CatalogueStore::CatalogueStore(QString databaseFile) : databaseFile_(std::move(databaseFile)) {}

StoreResult<std::vector<core::MotorRow>> CatalogueStore::readMotorRows() const {
    return WithReader<std::vector<core::MotorRow>>(
        databaseFile_, [](const Reader& reader) { return ReadMotorRows(reader); });
}

StoreResult<std::vector<core::LanguageRow>> CatalogueStore::readLanguageRows() const {
    return WithReader<std::vector<core::LanguageRow>>(databaseFile_, ReadLanguageRows);
}

StoreResult<std::vector<core::ImperialRow>> CatalogueStore::readImperialRows() const {
    return WithReader<std::vector<core::ImperialRow>>(databaseFile_, ReadImperialRows);
}

StoreResult<CatalogueSnapshot> CatalogueStore::readSnapshot(bool withImperialTexts) const {
    return WithReader<CatalogueSnapshot>(
        databaseFile_,
        [withImperialTexts](const Reader& reader) -> StoreResult<CatalogueSnapshot> {
            // One read transaction: every table of the same version of the file.
            QSqlQuery begin(reader.database());
            if (!reader.isPostgres() && !begin.exec(QStringLiteral("BEGIN")))
                return reader.fail("cannot be read: " + Std(begin.lastError().databaseText()));
            CatalogueSnapshot snapshot;
            auto texts = ReadLanguageRows(reader);
            if (auto* error = std::get_if<StoreError>(&texts))
                return *error;
            snapshot.texts = std::move(std::get<0>(texts));
            if (withImperialTexts) {
                auto imperial = ReadImperialRows(reader);
                if (auto* error = std::get_if<StoreError>(&imperial))
                    return *error;
                snapshot.imperialTexts = std::move(std::get<0>(imperial));
            }
            auto motors = ReadMotorRows(reader, &snapshot.rowVersions);
            if (auto* error = std::get_if<StoreError>(&motors))
                return *error;
            snapshot.motors = std::move(std::get<0>(motors));
            QSqlQuery(reader.database()).exec(QStringLiteral("COMMIT"));
            return snapshot;
        },
        true);
}

std::variant<core::CatalogueLoadResult, core::LoadError>
CatalogueStore::loadCatalogue(RowVersions* versions) const {
    auto rows = WithReader<std::vector<core::MotorRow>>(
        databaseFile_, [versions](const Reader& reader) { return ReadMotorRows(reader, versions); });
    if (auto* error = std::get_if<StoreError>(&rows))
        return core::LoadError{error->message, std::nullopt, {}, {}, {}};
    return core::LoadCatalogue(std::get<std::vector<core::MotorRow>>(rows), Std(databaseFile_));
}

} // namespace airmotor::platform
