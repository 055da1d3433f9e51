#pragma once

#include "cli/ContextBuilder.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace airmotor::server {

// One static file of the page, read whole at start: requests name files, never paths.
struct StaticFile {
    QByteArray contentType;
    QByteArray bytes;
};

// Everything a request reads: the folder, every language's texts and one catalogue, from one read of
// the database. Immutable once loaded; a reload makes a new one.
struct ServedCatalogue {
    cli::FolderCatalogue folder;
    QHash<QString, StaticFile> page; // by file name, e.g. "index.html", "app.js"

    // The texts of a language setting; English for an unknown name.
    const core::LanguageState& language(const std::string& name) const;

    // Throws cli::FolderError when the folder or its database cannot be used. `catalogue` (a file or
    // a postgresql:// URL) replaces the folder's Zevodida.db.
    static std::shared_ptr<const ServedCatalogue> Load(const std::optional<std::string>& folder,
                                                       const std::optional<std::string>& catalogue,
                                                       const std::string& programDir);
};

// The catalogue in service. A request takes the current one and keeps it to the end, so a reload
// never changes the figures under a request in flight.
class CatalogueHolder final {
public:
    explicit CatalogueHolder(std::shared_ptr<const ServedCatalogue> first) : current_(std::move(first)) {}

    std::shared_ptr<const ServedCatalogue> current() const {
        const std::lock_guard lock(mutex_);
        return current_;
    }
    void replace(std::shared_ptr<const ServedCatalogue> next) {
        const std::lock_guard lock(mutex_);
        current_ = std::move(next);
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const ServedCatalogue> current_;
};

} // namespace airmotor::server
