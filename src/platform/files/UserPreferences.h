#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/common/MessageSink.h"
#include "core/format/IniDocument.h"
#include "platform/files/RegularFile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace airmotor::platform {

// The user's own preferences in the user's configuration folder (airmotor/airmotor.conf), apart
// from the program's settings file: the air cost inputs, the recently used selection files and the
// catalogue's location.
// A file that cannot be read (or is far too large to be one) is reported and then left as it is:
// the defaults apply and changes are not saved over it. A change that cannot be saved is reported.
class UserPreferences final {
public:
    // The preferences of the user's configuration folder. Messages are worded with `strText` (the
    // chosen language, kept up to date by its owner), in English without it.
    explicit UserPreferences(core::MessageSink& messages, const core::TextTable* strText = nullptr);
    // Preferences kept elsewhere (tests).
    UserPreferences(QString file, core::MessageSink& messages, const core::TextTable* strText = nullptr);

    // A stored figure that is missing or out of its range gives the default.
    core::AirCostInputs airCost() const;
    void setAirCost(const core::AirCostInputs& cost);

    // The catalogue the desktop reads: a database file or a postgresql:// URL, never with a password;
    // empty for the program folder's own.
    QString catalogueLocation() const;
    void setCatalogueLocation(const QString& location);

    // Most recent first, at most kRecentCount.
    QStringList recentSelections() const;
    void addRecentSelection(const QString& path);

    static constexpr int kRecentCount = 6;
    // A few hundred bytes in use; a file far beyond that is not this program's.
    static constexpr qint64 kFileCap = 1024 * 1024;

private:
    void save();
    // The file's fault and what it means for the preferences, in one message.
    void report(const FileError& error, int consequenceKey, const char* english) const;

    QString file_;
    core::MessageSink& messages_;
    const core::TextTable* strText_;
    core::IniDocument document_;
    std::optional<FileError>
        unreadable_; // why the file on disk is left alone; nothing when it may be replaced
};

} // namespace airmotor::platform
