#include "platform/storage/PostgresCatalogue.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/catalogue/MotorRow.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/PostgresConnection.h"
#include "platform/storage/SqlFieldValue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace airmotor::platform {
namespace {

std::string Std(const QString& s) {
    return s.toStdString();
}

// Names are quoted so that PostgreSQL keeps their case, as the SQLite tables have them.
QString CreateTable(const core::TableDef& table) {
    QStringList columns;
    for (const core::ColumnDef& c : table.columns) {
        QString column =
            QuotedName(c.name) + (c.type == core::ColumnType::Integer ? QStringLiteral(" bigint")
                                  : c.type == core::ColumnType::Real  ? QStringLiteral(" double precision")
                                                                      : QStringLiteral(" text"));
        if (c.primaryKey)
            column += QStringLiteral(" PRIMARY KEY");
        else if (c.notNull)
            column += QStringLiteral(" NOT NULL");
        if (!c.defaultValue.empty())
            column += QStringLiteral(" DEFAULT ") +
                      QString::fromUtf8(c.defaultValue.data(), static_cast<qsizetype>(c.defaultValue.size()));
        columns << column;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(QuotedName(table.name), columns.join(QStringLiteral(", ")));
}

// Migration k (from 1) takes the schema from version k - 1 to k; a new version appends one.
std::vector<std::vector<QString>> Migrations() {
    return {
        {CreateTable(core::MotorTable()), CreateTable(DatabaseBuilder::textTable()),
         CreateTable(DatabaseBuilder::imperialTable())},
        // Row versions come from one sequence, so a version never returns, not even after a push
        // replaced every row. The user is the login (session_user): SET ROLE to a shared role
        // would hide the person behind current_user.
        {QStringLiteral("CREATE SEQUENCE motor_row_version"),
         QStringLiteral("ALTER TABLE \"tblMotordata\" "
                        "ADD COLUMN row_version bigint NOT NULL DEFAULT nextval('motor_row_version'), "
                        "ADD COLUMN changed_by text NOT NULL DEFAULT session_user, "
                        "ADD COLUMN changed_at timestamptz NOT NULL DEFAULT now()"),
         QStringLiteral("CREATE TABLE motor_history (id bigserial PRIMARY KEY, "
                        "\"strBenamning\" text NOT NULL, \"intKatalogindex\" bigint NOT NULL, "
                        "old_row jsonb, new_row jsonb NOT NULL, "
                        "changed_by text NOT NULL DEFAULT session_user, "
                        "changed_at timestamptz NOT NULL DEFAULT now())"),
         QStringLiteral("CREATE INDEX motor_history_designation ON motor_history (\"strBenamning\", id)")}};
}

// One connection with one open transaction; rolled back unless committed.
class Session final {
public:
    explicit Session(QString url) : url_(std::move(url)) {}
    ~Session() {
        if (open_)
            connection_->database().rollback();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::optional<BuildError> begin() {
        auto location = core::ParseCatalogueLocation(Std(url_));
        if (auto* error = std::get_if<core::LocationError>(&location))
            return BuildError{error->message};
        if (!std::get<core::CatalogueLocation>(location).isPostgres())
            return fail("is not a postgresql:// URL");
        connection_.emplace(std::get<core::CatalogueLocation>(location));
        if (!connection_->open())
            return fail("cannot connect: " + Std(connection_->errorText()));
        if (!connection_->database().transaction())
            return fail("cannot start a transaction: " + Std(connection_->database().lastError().text()));
        open_ = true;
        return std::nullopt;
    }

    // Runs one statement with bound values; a failure names the server's reason.
    std::optional<BuildError> exec(const QString& sql, const QVariantList& values = {},
                                   QSqlQuery* result = nullptr) {
        QSqlQuery q(connection_->database());
        // The driver prepares with PREPARE, which takes no schema statements: those have no values.
        if (values.isEmpty() ? !q.exec(sql) : !execPrepared(q, sql, values))
            return fail(Std(PostgresErrorText(q.lastError().databaseText())));
        if (result)
            *result = std::move(q);
        return std::nullopt;
    }

    static bool execPrepared(QSqlQuery& q, const QString& sql, const QVariantList& values) {
        if (!q.prepare(sql))
            return false;
        for (const QVariant& v : values)
            q.addBindValue(v);
        return q.exec();
    }

    // The schema version, 0 before init; an error for a schema newer than this program's.
    std::variant<int, BuildError> version() {
        QSqlQuery q(connection_->database());
        if (auto error = exec(
                QStringLiteral("SELECT count(*) FROM information_schema.tables "
                               "WHERE table_schema = current_schema() AND table_name = 'schema_version'"),
                {}, &q))
            return *error;
        if (!q.next() || q.value(0).toLongLong() == 0)
            return 0;
        if (auto error = exec(QStringLiteral("SELECT coalesce(max(version), 0) FROM schema_version"), {}, &q))
            return *error;
        const int found = q.next() ? q.value(0).toInt() : 0;
        if (found > kPostgresSchemaVersion)
            return fail("the catalogue schema has version " + std::to_string(found) +
                        ", newer than this program knows (" + std::to_string(kPostgresSchemaVersion) +
                        "); use a newer version of the program");
        return found;
    }

    std::optional<BuildError> commit() {
        if (!connection_->database().commit())
            return fail("cannot commit: " +
                        Std(PostgresErrorText(connection_->database().lastError().databaseText())));
        open_ = false;
        return std::nullopt;
    }

    BuildError fail(const std::string& what) const { return BuildError{Std(url_) + ": " + what}; }

private:
    QString url_;
    std::optional<PostgresConnection> connection_;
    bool open_ = false;
};

QVariant ToVariant(const std::optional<std::string>& text) {
    return text ? QVariant(QString::fromStdString(*text)) : QVariant();
}

std::optional<BuildError> InsertRows(Session& session, const core::TableDef& table,
                                     const std::vector<QVariantList>& rows) {
    QStringList names;
    QStringList marks;
    for (const core::ColumnDef& c : table.columns) {
        names << QuotedName(c.name);
        marks << QStringLiteral("?");
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(QuotedName(table.name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    if (auto error = session.exec(QStringLiteral("DELETE FROM %1").arg(QuotedName(table.name))))
        return error;
    for (const QVariantList& row : rows)
        if (auto error = session.exec(sql, row))
            return error;
    return std::nullopt;
}

SourceCell ToCell(const std::optional<core::FieldValue>& value) {
    if (!value)
        return std::monostate{};
    return std::visit([](const auto& v) { return SourceCell{v}; }, *value);
}

SourceCell ToCell(const std::optional<std::string>& text) {
    return text ? SourceCell{*text} : SourceCell{};
}

} // namespace

std::variant<SchemaSummary, BuildError> PostgresCatalogue::init(const QString& url) {
    Session session(url);
    if (auto error = session.begin())
        return *error;
    // Two inits at once: the second waits here and then finds the schema made.
    if (auto error = session.exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version integer NOT NULL)")))
        return *error;
    if (auto error = session.exec(QStringLiteral("LOCK TABLE schema_version IN EXCLUSIVE MODE")))
        return *error;
    auto version = session.version();
    if (auto* error = std::get_if<BuildError>(&version))
        return *error;
    const int from = std::get<int>(version);
    const auto migrations = Migrations();
    for (std::size_t k = static_cast<std::size_t>(from); k < migrations.size(); ++k)
        for (const QString& statement : migrations[k])
            if (auto error = session.exec(statement))
                return BuildError{error->message + " (schema version " + std::to_string(k + 1) + ")"};
    if (auto error = session.exec(QStringLiteral("DELETE FROM schema_version")))
        return *error;
    if (auto error = session.exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"),
                                  {QVariant(kPostgresSchemaVersion)}))
        return *error;
    if (auto error = session.commit())
        return *error;
    return SchemaSummary{kPostgresSchemaVersion, from < kPostgresSchemaVersion};
}

std::variant<BuildSummary, BuildError> PostgresCatalogue::push(const QString& file, const QString& url) {
    const CatalogueStore store(file);
    auto read = store.readSnapshot(true);
    if (auto* error = std::get_if<StoreError>(&read))
        return BuildError{error->message};
    const auto& tables = std::get<CatalogueSnapshot>(read);
    // A catalogue that does not load in the program is not given to the team.
    auto loaded = core::LoadCatalogue(tables.motors, Std(file));
    if (auto* error = std::get_if<core::LoadError>(&loaded))
        return BuildError{error->message};

    Session session(url);
    if (auto error = session.begin())
        return *error;
    auto version = session.version();
    if (auto* error = std::get_if<BuildError>(&version))
        return *error;
    if (std::get<int>(version) != kPostgresSchemaVersion)
        return session.fail("holds no catalogue schema; create it first with airmotor-cli catalogue init");
    std::vector<QVariantList> motors;
    for (const core::MotorRow& row : tables.motors) {
        QVariantList values;
        for (const auto& field : row.fields)
            values << ToVariant(field.second);
        motors.push_back(std::move(values));
    }
    std::vector<QVariantList> texts;
    for (const core::LanguageRow& row : tables.texts) {
        QVariantList values{QVariant::fromValue(static_cast<qlonglong>(row.key))};
        for (const auto& text : row.texts)
            values << ToVariant(text);
        texts.push_back(std::move(values));
    }
    std::vector<QVariantList> imperial;
    for (const core::ImperialRow& row : tables.imperialTexts)
        imperial.push_back({QVariant::fromValue(static_cast<qlonglong>(row.key)), ToVariant(row.text)});
    if (auto error = InsertRows(session, core::MotorTable(), motors))
        return *error;
    if (auto error = InsertRows(session, DatabaseBuilder::textTable(), texts))
        return *error;
    if (auto error = InsertRows(session, DatabaseBuilder::imperialTable(), imperial))
        return *error;
    // No motor: the whole catalogue was replaced.
    if (auto error =
            session.exec(QStringLiteral("SELECT pg_notify(?, json_build_object('user', session_user)::text)"),
                         {QString::fromLatin1(kCatalogueChannel)}))
        return *error;
    if (auto error = session.commit())
        return *error;
    return BuildSummary{static_cast<int>(motors.size()), static_cast<int>(texts.size()),
                        static_cast<int>(imperial.size())};
}

std::variant<BuildSummary, BuildError> PostgresCatalogue::pull(const QString& url, const QString& file) {
    auto location = core::ParseCatalogueLocation(Std(url));
    if (auto* error = std::get_if<core::LocationError>(&location))
        return BuildError{error->message};
    if (!std::get<core::CatalogueLocation>(location).isPostgres())
        return BuildError{Std(url) + ": is not a postgresql:// URL"};
    const CatalogueStore store(url);
    auto read = store.readSnapshot(true);
    if (auto* error = std::get_if<StoreError>(&read))
        return BuildError{error->message};
    const auto& tables = std::get<CatalogueSnapshot>(read);
    BuildSources sources;
    const std::string name = Std(url);
    const auto where = [name](const std::string& table) {
        return [name, table](std::size_t row, std::string_view column) {
            return name + ":" + table + ":" + std::to_string(row + 1) + ":" + std::string(column);
        };
    };
    for (const core::MotorRow& row : tables.motors) {
        std::vector<SourceCell> cells;
        for (const auto& field : row.fields)
            cells.push_back(ToCell(field.second));
        sources.motors.rows.push_back(std::move(cells));
    }
    for (const core::LanguageRow& row : tables.texts) {
        std::vector<SourceCell> cells{SourceCell{row.key}};
        for (const auto& text : row.texts)
            cells.push_back(ToCell(text));
        sources.texts.rows.push_back(std::move(cells));
    }
    for (const core::ImperialRow& row : tables.imperialTexts)
        sources.imperialTexts.rows.push_back({SourceCell{row.key}, ToCell(row.text)});
    sources.motors.where = where("tblMotordata");
    sources.texts.where = where("tblLanguage");
    sources.imperialTexts.where = where("tblImperialUnits");
    return DatabaseBuilder::build(sources, file);
}

} // namespace airmotor::platform
