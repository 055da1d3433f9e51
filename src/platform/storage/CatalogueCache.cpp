#include "platform/storage/CatalogueCache.h"

#include "platform/storage/PostgresCatalogue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace airmotor::platform {

CatalogueCache::CatalogueCache()
    : CatalogueCache(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)) {}

CatalogueCache::CatalogueCache(QString folder) : folder_(std::move(folder)) {}

QString CatalogueCache::fileFor(const QString& location) const {
    // A URL holds characters a file name cannot; its hash names the copy.
    const QByteArray hash = QCryptographicHash::hash(location.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(folder_).filePath(QStringLiteral("catalogue-") + QString::fromLatin1(hash.left(16)) +
                                  QStringLiteral(".db"));
}

std::optional<std::string> CatalogueCache::refresh(const QString& location) const {
    const QString file = fileFor(location);
    if (!QDir().mkpath(folder_))
        return file.toStdString() + ": the folder cannot be created";
    auto copied = PostgresCatalogue::pull(location, file);
    if (const auto* error = std::get_if<BuildError>(&copied))
        return error->message;
    return std::nullopt;
}

} // namespace airmotor::platform
