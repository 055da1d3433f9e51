#pragma once

#include "core/analysis/DutyAnalysis.h"

#include <QSettings>
#include <QStringList>

namespace airmotor::platform {

// The user's own preferences in the user's configuration folder (airmotor/airmotor.conf), apart
// from the program's settings file: the air cost inputs and the recently used selection files.
class UserPreferences final {
public:
    // The settings of the user's configuration folder.
    UserPreferences();
    // Settings kept elsewhere (tests).
    explicit UserPreferences(const QString& iniFile);

    // A stored figure that is missing or out of its range gives the default.
    core::AirCostInputs airCost() const;
    void setAirCost(const core::AirCostInputs& cost);

    // Most recent first, at most kRecentCount.
    QStringList recentSelections() const;
    void addRecentSelection(const QString& path);

    static constexpr int kRecentCount = 6;

private:
    QSettings settings;
};

} // namespace airmotor::platform
