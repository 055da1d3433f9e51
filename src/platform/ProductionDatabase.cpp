#include "platform/ProductionDatabase.h"

#include "platform/SqliteProductionSource.h"

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

// Access files are read by the Access reader; until it is connected they are refused clearly.
class UnreadableAccessSource final : public core::ProductionSource {
public:
    explicit UnreadableAccessSource(QString file) : file_(std::move(file)) {}
    core::ProductionRead Read() override {
        core::ProductionRead r;
        if (!QFileInfo::exists(file_))
            r.error = file_.toStdString() + ": the production database does not exist";
        else
            r.error =
                file_.toStdString() + ": is not an SQLite database, and Access databases cannot be read here";
        return r;
    }

private:
    QString file_;
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
    if (!QFileInfo(file).isFile() || IsSqliteFile(file))
        return std::make_unique<SqliteProductionSource>(file);
    return std::make_unique<UnreadableAccessSource>(file);
}

} // namespace airmotor::platform
