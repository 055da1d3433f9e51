#include "platform/access/SqliteTableSource.h"

#include "platform/files/RegularFile.h"
#include "platform/storage/SqliteConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace airmotor::platform {
namespace {

AccessValue ValueOf(const QVariant& v) {
    if (v.isNull())
        return std::monostate{};
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return static_cast<std::int64_t>(v.toLongLong());
    case QMetaType::Double:
        return v.toDouble();
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    default:
        return v.toString().toStdString();
    }
}

} // namespace

TableReadResult SqliteTableSource::read(const QString& file, const std::vector<std::string>& tables) const {
    const std::string name = QDir::toNativeSeparators(file).toStdString();
    const auto fail = [&](const std::string& what) { return TableReadError{name + ": " + what}; };
    if (!QFileInfo::exists(file))
        return fail("the file does not exist");
    if (const std::string kind = FileKindOf(file); kind != "a regular file")
        return fail("is " + kind + ", not a database file");
    SqliteConnection connection(file, SqliteConnection::Mode::ReadOnly);
    if (!connection.open())
        return fail("cannot be opened: " + connection.errorText().toStdString());
    std::vector<AccessTable> result;
    {
        QSqlDatabase db = connection.database();
        for (const std::string& table : tables) {
            // The name is matched against the schema (bound) and then quoted, never pasted raw.
            QSqlQuery find(db);
            find.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? "
                                        "COLLATE NOCASE"));
            find.addBindValue(QString::fromStdString(table));
            if (!find.exec())
                return fail("is not an SQLite database: " + find.lastError().text().toStdString());
            if (!find.next())
                return fail("has no table " + table);
            QString quoted = find.value(0).toString();
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(quoted)))
                return fail("table " + table + " cannot be read: " + q.lastError().text().toStdString());
            AccessTable out;
            out.name = table;
            const QSqlRecord record = q.record();
            for (int k = 0; k < record.count(); ++k)
                out.columns.push_back({record.fieldName(k).toStdString(), AccessColumnType::Unknown});
            while (q.next()) {
                std::vector<AccessValue> row;
                row.reserve(out.columns.size());
                for (int k = 0; k < record.count(); ++k)
                    row.push_back(ValueOf(q.value(k)));
                out.rows.push_back(std::move(row));
            }
            if (q.lastError().isValid())
                return fail("table " + table + " cannot be read: " + q.lastError().text().toStdString());
            result.push_back(std::move(out));
        }
    }
    return result;
}

} // namespace airmotor::platform
