#pragma once

#include "platform/storage/CatalogueListener.h"
#include "server/ServedCatalogue.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <optional>
#include <string>

namespace airmotor::server {

// Loads the catalogue again when its database file changes: an editor's save, make-database or an
// import replace the file atomically, so the folder is watched, not the file. A catalogue on a
// PostgreSQL server is listened to instead: every write notifies kCatalogueChannel when it commits.
// Requests in flight keep the catalogue they started with; a catalogue that fails to load leaves the
// old one in service.
class CatalogueWatcher final : public QObject {
    Q_OBJECT
public:
    CatalogueWatcher(CatalogueHolder& holder, std::optional<std::string> folder,
                     std::optional<std::string> catalogue, std::string programDir, QObject* parent = nullptr);

    // Why changes will not be heard (the listening connection failed); empty when they will.
    QString problem() const { return listener_ ? listener_->problem() : QString(); }

signals:
    void reloaded(bool ok, const QString& message);

private:
    void check();
    QString stamp() const;

    CatalogueHolder& holder_;
    std::optional<std::string> folder_;
    std::optional<std::string> catalogue_;
    std::string programDir_;
    QString databaseFile_;
    QString lastStamp_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    // In this thread, for the server's life: it opens its connection again after a server restart.
    std::optional<platform::CatalogueListener> listener_;
};

} // namespace airmotor::server
