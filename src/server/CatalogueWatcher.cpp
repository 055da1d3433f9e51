#include "server/CatalogueWatcher.h"

#include "core/catalogue/CatalogueLocation.h"

#include <QFileInfo>

namespace airmotor::server {
namespace {

// A writer replaces the file in several steps; the reload waits until the folder has been quiet.
constexpr int kSettleMilliseconds = 300;

} // namespace

CatalogueWatcher::CatalogueWatcher(CatalogueHolder& holder, std::optional<std::string> folder,
                                   std::optional<std::string> catalogue, std::string programDir,
                                   QObject* parent)
    : QObject(parent), holder_(holder), folder_(std::move(folder)), catalogue_(std::move(catalogue)),
      programDir_(std::move(programDir)),
      databaseFile_(QString::fromStdString(holder.current()->folder.databaseFile)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &CatalogueWatcher::check);
    const auto location = core::ParseCatalogueLocation(databaseFile_.toStdString());
    const auto* parsed = std::get_if<core::CatalogueLocation>(&location);
    if (parsed != nullptr && parsed->isPostgres()) {
        // A burst of saves (a motor list) settles into one reload.
        listener_.emplace(*parsed, [this](const platform::CatalogueNotice&) { settle_.start(); });
        return;
    }
    lastStamp_ = stamp();
    watcher_.addPath(QFileInfo(databaseFile_).absolutePath());
    watcher_.addPath(databaseFile_);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
}

QString CatalogueWatcher::stamp() const {
    const QFileInfo info(databaseFile_);
    if (!info.exists())
        return {};
    return QString::number(info.lastModified().toMSecsSinceEpoch()) + '/' + QString::number(info.size()) +
           '/' + QString::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

void CatalogueWatcher::check() {
    // A notice comes only from a committed write: there is no stamp to compare.
    if (!listener_) {
        // A replaced file is a new inode: watch it again.
        if (!watcher_.files().contains(databaseFile_) && QFileInfo::exists(databaseFile_))
            watcher_.addPath(databaseFile_);
        const QString now = stamp();
        if (now.isEmpty() || now == lastStamp_)
            return;
        lastStamp_ = now;
    }
    try {
        holder_.replace(ServedCatalogue::Load(folder_, catalogue_, programDir_));
        emit reloaded(true, QStringLiteral("catalogue reloaded: %1 motors")
                                .arg(holder_.current()->folder.catalogue->intAntalMotorer));
    } catch (const std::exception& e) {
        emit reloaded(false,
                      QStringLiteral("the changed catalogue was not loaded, the previous one stays: %1")
                          .arg(QString::fromStdString(e.what())));
    }
}

} // namespace airmotor::server
