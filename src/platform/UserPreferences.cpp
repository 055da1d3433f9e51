#include "platform/UserPreferences.h"

#include "core/analysis/AirCostText.h"

#include <QFileInfo>

namespace airmotor::platform {

namespace {

constexpr const char* kHours = "airCost/hoursPerYear";
constexpr const char* kEnergy = "airCost/energyPerM3";
constexpr const char* kPrice = "airCost/pricePerKWh";
constexpr const char* kRecent = "selections/recent";

double Stored(const QSettings& settings, const char* key, double fallback) {
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok ? value : fallback;
}

} // namespace

UserPreferences::UserPreferences()
    : settings(QSettings::NativeFormat, QSettings::UserScope, "airmotor", "airmotor") {}

UserPreferences::UserPreferences(const QString& iniFile) : settings(iniFile, QSettings::IniFormat) {}

core::AirCostInputs UserPreferences::airCost() const {
    const core::AirCostInputs defaults;
    return core::InRangeOrDefault({Stored(settings, kHours, defaults.hoursPerYear),
                                   Stored(settings, kEnergy, defaults.energyPerM3),
                                   Stored(settings, kPrice, defaults.pricePerKWh)});
}

void UserPreferences::setAirCost(const core::AirCostInputs& cost) {
    settings.setValue(kHours, cost.hoursPerYear);
    settings.setValue(kEnergy, cost.energyPerM3);
    settings.setValue(kPrice, cost.pricePerKWh);
    settings.sync();
}

QStringList UserPreferences::recentSelections() const {
    QStringList list = settings.value(kRecent).toStringList();
    if (list.size() > kRecentCount)
        list.resize(kRecentCount);
    return list;
}

void UserPreferences::addRecentSelection(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentSelections();
    list.removeAll(absolute);
    list.prepend(absolute);
    if (list.size() > kRecentCount)
        list.resize(kRecentCount);
    settings.setValue(kRecent, list);
    settings.sync();
}

} // namespace airmotor::platform
