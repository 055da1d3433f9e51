#include "platform/CatalogueStore.h"

#include "platform/SqliteConnection.h"

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

std::optional<core::FieldValue> ToField(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Bool:
        return core::FieldValue{static_cast<std::int64_t>(v.toLongLong())};
    case QMetaType::Double:
    case QMetaType::Float:
        return core::FieldValue{v.toDouble()};
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        return core::FieldValue{std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
    }
    default:
        return core::FieldValue{Std(v.toString())};
    }
}

// Everything a read needs: the open connection plus the table names, checked once.
class Reader final {
public:
    explicit Reader(const QString& file) : file_(file), connection_(file, SqliteConnection::Mode::ReadOnly) {}

    std::optional<StoreError> open() {
        const QFileInfo info(file_);
        if (!info.exists())
            return fail("the catalogue database does not exist");
        if (!info.isFile())
            return fail("is not a file");
        if (!connection_.open())
            return fail("cannot be opened: " + Std(connection_.errorText()));
        QSqlQuery q(connection_.database());
        if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
            return fail("is not a catalogue database (" + Std(q.lastError().databaseText()) + ")");
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

    QSqlDatabase database() const { return connection_.database(); }

private:
    QString file_;
    SqliteConnection connection_;
    QStringList tables_;
};

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
StoreResult<std::vector<Row>> ReadByPosition(const QString& file, const QString& tableName, int columns,
                                             Fill fill) {
    Reader reader(file);
    if (auto error = reader.open())
        return *error;
    const auto table = reader.table(tableName);
    if (!table)
        return reader.fail("has no table " + Std(tableName));
    QSqlQuery q(reader.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(*table)))
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    if (q.record().count() < columns)
        return reader.failTable(tableName, "has " + std::to_string(q.record().count()) + " columns, " +
                                               std::to_string(columns) + " are needed");
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

} // namespace

CatalogueStore::CatalogueStore(QString databaseFile) : databaseFile_(std::move(databaseFile)) {}

StoreResult<std::vector<core::MotorRow>> CatalogueStore::readMotorRows() const {
    const QString tableName = QStringLiteral("tblMotordata");
    Reader reader(databaseFile_);
    if (auto error = reader.open())
        return *error;
    const auto table = reader.table(tableName);
    if (!table)
        return reader.fail("has no table tblMotordata");

    // Map the schema's column names onto the positions of the stored table.
    const QSqlRecord record = reader.database().record(*table);
    std::vector<std::pair<std::string, int>> positions;
    for (const std::string& column : core::MotorTableColumns()) {
        const int pos = record.indexOf(QString::fromStdString(column));
        if (pos < 0)
            return reader.failTable(tableName, "has no column " + column);
        positions.emplace_back(column, pos);
    }

    QSqlQuery q(reader.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY intKatalogindex").arg(*table)))
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    std::vector<core::MotorRow> rows;
    while (q.next()) {
        core::MotorRow row;
        row.fields.reserve(positions.size());
        for (const auto& [name, pos] : positions)
            row.fields.emplace_back(name, ToField(q.value(pos)));
        rows.push_back(std::move(row));
    }
    if (q.lastError().isValid())
        return reader.failTable(tableName, "cannot be read: " + Std(q.lastError().databaseText()));
    return rows;
}

StoreResult<std::vector<core::LanguageRow>> CatalogueStore::readLanguageRows() const {
    return ReadByPosition<core::LanguageRow>(
        databaseFile_, QStringLiteral("tblLanguage"), 6, [](const QSqlQuery& q, core::LanguageRow& row) {
            for (int k = 0; k < 5; ++k)
                row.texts[static_cast<std::size_t>(k)] = TextOf(q.value(k + 1));
        });
}

StoreResult<std::vector<core::ImperialRow>> CatalogueStore::readImperialRows() const {
    return ReadByPosition<core::ImperialRow>(
        databaseFile_, QStringLiteral("tblImperialUnits"), 2,
        [](const QSqlQuery& q, core::ImperialRow& row) { row.text = TextOf(q.value(1)); });
}

std::variant<core::CatalogueLoadResult, core::LoadError> CatalogueStore::loadCatalogue() const {
    auto rows = readMotorRows();
    if (auto* error = std::get_if<StoreError>(&rows))
        return core::LoadError{error->message};
    return core::LoadCatalogue(std::get<std::vector<core::MotorRow>>(rows), Std(databaseFile_));
}

} // namespace airmotor::platform
