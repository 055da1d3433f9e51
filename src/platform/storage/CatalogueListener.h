#pragma once

#include "core/catalogue/CatalogueLocation.h"
#include "platform/storage/PostgresConnection.h"

#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace airmotor::platform {

// What a write on the catalogue's notice channel said: the motor it changed and who wrote it.
struct CatalogueNotice {
    std::string motor; // empty: the whole catalogue (a push), or a notice without a payload
    std::string user;  // empty when the notice does not say
};

// A payload that is not the writers' JSON object gives an empty notice: it still means a change.
CatalogueNotice ParseCatalogueNotice(const QString& payload);

// Hears of every committed write to a PostgreSQL catalogue (LISTEN on kCatalogueChannel) on a
// connection of its own, open for the listener's life in the thread that made it. A notice only
// reaches a session that is listening, so the connection is checked every `checkInterval`; a lost
// one (a server restart) is opened again and then reported as a change, since writes in the gap
// were not heard. The attempts run on the caller's thread: each waits at most kConnectSeconds, and
// while they fail they come ever less often, up to kLongestInterval apart.
class CatalogueListener final {
public:
    using Handler = std::function<void(const CatalogueNotice&)>;

    static constexpr std::chrono::milliseconds kCheckInterval{5000};
    static constexpr std::chrono::milliseconds kLongestInterval{60000};
    static constexpr int kConnectSeconds = 2;

    CatalogueListener(const core::CatalogueLocation& location, Handler onChange,
                      std::chrono::milliseconds checkInterval = kCheckInterval);
    CatalogueListener(const CatalogueListener&) = delete;
    CatalogueListener& operator=(const CatalogueListener&) = delete;

    // Why changes are not heard at present; empty while they are.
    const QString& problem() const { return problem_; }

private:
    bool listen();
    void check();

    core::CatalogueLocation location_;
    Handler onChange_;
    std::chrono::milliseconds checkInterval_;
    std::optional<PostgresConnection> connection_;
    QTimer checkTimer_;
    QString problem_;
};

} // namespace airmotor::platform
