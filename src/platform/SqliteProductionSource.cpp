#include "platform/SqliteProductionSource.h"

#include "platform/RegularFile.h"
#include "platform/SqlFieldValue.h"
#include "platform/SqliteConnection.h"

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

core::ProductionRead Failure(const QString& file, const std::string& what) {
    core::ProductionRead r;
    r.error = FileName(file) + ": " + what;
    return r;
}

// Nothing when the file is a regular SQLite file within the cap.
std::optional<std::string> CheckFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists())
        return "the production database does not exist";
    if (const std::string kind = FileKindOf(file); kind != "a regular file")
        return "is " + kind + ", not a regular file";
    if (info.size() > kProductionFileCap)
        return "is larger than " + std::to_string(kProductionFileCap / (1024 * 1024)) + " MB";
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return "cannot be read: " + f.errorString().toStdString();
    if (f.read(sizeof kSqliteMagic) != QByteArray(kSqliteMagic, sizeof kSqliteMagic))
        return "is not an SQLite database (an Access file needs the Access reader)";
    return std::nullopt;
}

} // namespace

SqliteProductionSource::SqliteProductionSource(QString file) : file_(std::move(file)) {}

core::ProductionRead SqliteProductionSource::Read() {
    if (const auto problem = CheckFile(file_))
        return Failure(file_, *problem);
    SqliteConnection connection(file_, SqliteConnection::Mode::ReadOnly);
    if (!connection.open())
        return Failure(file_, "cannot be opened: " + connection.errorText().toStdString());
    core::ProductionRead read;
    {
        QSqlQuery q(connection.database());
        q.setForwardOnly(true);
        if (!q.exec(QString::fromUtf8(kProvresQuery)))
            return Failure(file_, "table Provres cannot be read: " + q.lastError().text().toStdString());
        while (q.next())
            read.tables.provres.push_back({ToField(q.value(0)), ToField(q.value(1)), ToField(q.value(2)),
                                           ToField(q.value(3)), ToField(q.value(4)), ToField(q.value(5)),
                                           ToField(q.value(6)), ToField(q.value(7))});
        if (q.lastError().isValid())
            return Failure(file_, "table Provres cannot be read: " + q.lastError().text().toStdString());
        if (!q.exec(QString::fromUtf8(kSheet1Query)))
            return Failure(file_, "table Sheet1 cannot be read: " + q.lastError().text().toStdString());
        while (q.next())
            read.tables.sheet1.push_back({ToField(q.value(0)), ToField(q.value(1)), ToField(q.value(2))});
        if (q.lastError().isValid())
            return Failure(file_, "table Sheet1 cannot be read: " + q.lastError().text().toStdString());
    }
    return read;
}

} // namespace airmotor::platform
