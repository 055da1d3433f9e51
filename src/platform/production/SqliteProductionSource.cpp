#include "platform/production/SqliteProductionSource.h"

#include "platform/files/RegularFile.h"
#include "platform/storage/SqlFieldValue.h"
#include "platform/storage/SqliteConnection.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace airmotor::platform {

namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";

// Column lists are fixed texts. Names are bracketed (for the blanks and the Swedish letters): a
// double-quoted name that matches no column would silently read as a text literal instead.
constexpr char kProvresQuery[] =
    "SELECT [Produktnummer], [SerNbr], [Godkänd], [VarvtalEffekt], "
    "[LuftförbrukningEffekt], [Moment], [VarvtalTomgång], [LuftförbrukningTomgång] "
    "FROM [Provres]";
constexpr char kSheet1Query[] = "SELECT [SerNbr], [Speed RPM], [Air cons] FROM [Sheet1]";

std::string FileName(const QString& file) {
    return QFileInfo(file).filePath().toStdString();
}

core::ProductionRead ReadFailure(const QString& file, const std::string& what,
                                 std::optional<core::FileFault> fault = std::nullopt) {
    core::ProductionRead r;
    r.error = FileName(file) + ": " + what;
    r.file = std::move(fault);
    return r;
}

struct FileProblem {
    std::string what; // the command line's English
    std::optional<core::FileFault> fault;
};

// Nothing when the file is a regular SQLite file within the cap.
std::optional<FileProblem> CheckFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists())
        return FileProblem{"the production database does not exist",
                           FaultAt(file, core::FileProblem::Missing).fault};
    if (const std::string kind = FileKindOf(file); kind != "a regular file") {
        const auto notRegular = NotRegularFile(file);
        return FileProblem{"is " + kind + ", not a regular file",
                           notRegular ? std::optional(notRegular->fault) : std::nullopt};
    }
    if (info.size() > kProductionFileCap) {
        core::FileFault tooLarge = FaultAt(file, core::FileProblem::TooLarge).fault;
        tooLarge.cap = kProductionFileCap;
        return FileProblem{"is larger than " + std::to_string(kProductionFileCap / (1024 * 1024)) + " MB",
                           tooLarge};
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return FileProblem{"cannot be read: " + f.errorString().toStdString(),
                           FaultAt(file, core::FileProblem::CannotRead, f.errorString().toStdString()).fault};
    if (f.read(sizeof kSqliteMagic) != QByteArray(kSqliteMagic, sizeof kSqliteMagic))
        return FileProblem{"is not an SQLite database (an Access file needs the Access reader)",
                           std::nullopt};
    return std::nullopt;
}

// Nothing when `table` holds stored rows only (or is missing: the read then says so); otherwise
// why it is not read.
std::optional<std::string> CheckTable(const QSqlDatabase& db, const char* table) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT type, sql FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
    q.addBindValue(QString::fromUtf8(table));
    if (!q.exec())
        return std::string("table ") + table + " cannot be read: " + q.lastError().text().toStdString();
    if (!q.next())
        return std::nullopt;
    const QString type = q.value(0).toString();
    if (type != QLatin1String("table"))
        return std::string(table) + " is a " + type.toStdString() +
               ", not a table: only stored rows are read (a view can make rows without end)";
    if (q.value(1).toString().trimmed().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
        return std::string(table) + " is a virtual table: only stored rows are read";
    QSqlQuery columns(db);
    columns.prepare(QStringLiteral("SELECT count(*) FROM pragma_table_xinfo(?) WHERE hidden IN (2, 3)"));
    columns.addBindValue(QString::fromUtf8(table));
    if (!columns.exec() || !columns.next())
        return std::string("table ") + table + " cannot be read: " + columns.lastError().text().toStdString();
    if (columns.value(0).toInt() > 0)
        return std::string("table ") + table + " has computed columns: only stored values are read";
    return std::nullopt;
}

} // namespace

SqliteProductionSource::SqliteProductionSource(QString file, ProductionReadLimits limits)
    : file_(std::move(file)), limits_(limits) {}

core::ProductionRead SqliteProductionSource::Read() {
    if (auto problem = CheckFile(file_))
        return ReadFailure(file_, problem->what, std::move(problem->fault));
    SqliteConnection connection(file_, SqliteConnection::Mode::ReadOnly);
    if (!connection.open())
        return ReadFailure(file_, "cannot be opened: " + connection.errorText().toStdString());
    core::ProductionRead read;
    {
        const QSqlDatabase db = connection.database();
        for (const char* table : {"Provres", "Sheet1"})
            if (auto problem = CheckTable(db, table))
                return ReadFailure(file_, *problem);
        QElapsedTimer timer;
        timer.start();
        // Nothing when the table may take one more row; otherwise why the read stops.
        const auto beyond = [&](const char* table, std::size_t rows) -> std::optional<std::string> {
            if (rows >= static_cast<std::size_t>(limits_.rows))
                return std::string("table ") + table + " holds more than the limit of " +
                       std::to_string(limits_.rows) + " rows";
            if (timer.elapsed() > limits_.milliseconds)
                return "reading took longer than the limit of " +
                       std::to_string(limits_.milliseconds / 1000) + " s (in table " + table + ")";
            return std::nullopt;
        };
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QString::fromUtf8(kProvresQuery)))
            return ReadFailure(file_, "table Provres cannot be read: " + q.lastError().text().toStdString());
        while (q.next()) {
            if (auto stop = beyond("Provres", read.tables.provres.size()))
                return ReadFailure(file_, *stop);
            read.tables.provres.push_back({ToField(q.value(0)), ToField(q.value(1)), ToField(q.value(2)),
                                           ToField(q.value(3)), ToField(q.value(4)), ToField(q.value(5)),
                                           ToField(q.value(6)), ToField(q.value(7))});
        }
        if (q.lastError().isValid())
            return ReadFailure(file_, "table Provres cannot be read: " + q.lastError().text().toStdString());
        if (!q.exec(QString::fromUtf8(kSheet1Query)))
            return ReadFailure(file_, "table Sheet1 cannot be read: " + q.lastError().text().toStdString());
        while (q.next()) {
            if (auto stop = beyond("Sheet1", read.tables.sheet1.size()))
                return ReadFailure(file_, *stop);
            read.tables.sheet1.push_back({ToField(q.value(0)), ToField(q.value(1)), ToField(q.value(2))});
        }
        if (q.lastError().isValid())
            return ReadFailure(file_, "table Sheet1 cannot be read: " + q.lastError().text().toStdString());
    }
    return read;
}

} // namespace airmotor::platform
