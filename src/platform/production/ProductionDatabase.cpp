#include "platform/production/ProductionDatabase.h"

#include "platform/access/AccessReader.h"
#include "platform/production/AccessProductionSource.h"
#include "platform/production/SqliteProductionSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace airmotor::platform {

namespace {

constexpr char kSqliteSuffix[] = "sqlite";

bool IsSqliteFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(16).startsWith("SQLite format 3");
}

// The Access path: the reader process under its watchdog, kept alive as long as the source.
class OwningAccessSource final : public core::ProductionSource {
public:
    explicit OwningAccessSource(const QString& file)
        : reader_(AccessReader::defaultReaderProgram()), source_(file, reader_) {}
    core::ProductionRead Read() override { return source_.Read(); }

private:
    AccessReader reader_;
    AccessProductionSource source_;
};

} // namespace

QString DefaultProductionDatabase(const QString& programFolder) {
    const QDir folder(QDir(programFolder).filePath(QString::fromUtf8(kProductionFolder)));
    const QString access = folder.filePath(QString::fromUtf8(kProductionDatabaseName));
    const QString exported = folder.filePath(QFileInfo(access).completeBaseName() + QLatin1Char('.') +
                                             QString::fromUtf8(kSqliteSuffix));
    return !QFileInfo::exists(access) && QFileInfo::exists(exported) ? exported : access;
}

QString ProductionWorkbook(const QString& programFolder, const char* name) {
    return QDir(QDir(programFolder).filePath(QString::fromUtf8(kProductionFolder)))
        .filePath(QString::fromUtf8(name));
}

std::unique_ptr<core::ProductionSource> OpenProductionDatabase(const QString& file) {
    // Anything but a readable regular file gets the SQLite reader's checks and messages.
    // A file named as an SQLite export is read as one, so a damaged export is reported as such.
    const QString suffix = QFileInfo(file).suffix().toLower();
    const bool namedSqlite = suffix == QLatin1String(kSqliteSuffix) || suffix == QLatin1String("db");
    if (!QFileInfo(file).isFile() || namedSqlite || IsSqliteFile(file))
        return std::make_unique<SqliteProductionSource>(file);
    return std::make_unique<OwningAccessSource>(file);
}

} // namespace airmotor::platform
