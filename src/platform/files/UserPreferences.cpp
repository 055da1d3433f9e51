#include "platform/files/UserPreferences.h"

#include "core/analysis/AirCostText.h"
#include "core/common/Keys.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/files/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace airmotor::platform {

namespace {

constexpr const char* kCostSection = "airCost";
constexpr const char* kHours = "hoursPerYear";
constexpr const char* kEnergy = "energyPerM3";
constexpr const char* kPrice = "pricePerKWh";
constexpr const char* kCurrency = "currency";
constexpr const char* kSelectionSection = "selections";
constexpr const char* kRecent = "recent";
constexpr const char* kCatalogueSection = "catalogue";
constexpr const char* kLocation = "location";

double Stored(const core::IniDocument& document, const char* key, double fallback) {
    bool ok = false;
    const auto text = document.text(kCostSection, key);
    const double value = text ? QString::fromStdString(*text).trimmed().toDouble(&ok) : 0.0;
    return ok ? value : fallback;
}

std::string Number(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

} // namespace

UserPreferences::UserPreferences(core::MessageSink& messages, const core::TextTable* strText)
    : UserPreferences(QDir(UserSettingsFolder()).filePath(QStringLiteral("airmotor.conf")), messages,
                      strText) {}

UserPreferences::UserPreferences(QString file, core::MessageSink& messages, const core::TextTable* strText)
    : file_(std::move(file)), messages_(messages), strText_(strText) {
    if (!QFileInfo::exists(file_) && !QFileInfo(file_).isSymLink())
        return; // nothing saved yet
    auto read = ReadRegularFile(file_, kFileCap);
    if (auto* error = std::get_if<FileError>(&read)) {
        unreadable_ = *error;
        report(*error, core::TextKey::PreferencesNotRead,
               "; the preferences are not read, and changes are not saved to it");
        return;
    }
    const QByteArray& bytes = std::get<QByteArray>(read);
    document_ =
        core::IniDocument::Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

core::AirCostInputs UserPreferences::airCost() const {
    const core::AirCostInputs defaults;
    return core::InRangeOrDefault({Stored(document_, kHours, defaults.hoursPerYear),
                                   Stored(document_, kEnergy, defaults.energyPerM3),
                                   Stored(document_, kPrice, defaults.pricePerKWh),
                                   document_.text(kCostSection, kCurrency).value_or(defaults.currency)});
}

void UserPreferences::setAirCost(const core::AirCostInputs& cost) {
    document_.setText(kCostSection, kHours, Number(cost.hoursPerYear));
    document_.setText(kCostSection, kEnergy, Number(cost.energyPerM3));
    document_.setText(kCostSection, kPrice, Number(cost.pricePerKWh));
    document_.setText(kCostSection, kCurrency, cost.currency);
    save();
}

QString UserPreferences::catalogueLocation() const {
    return QString::fromStdString(document_.text(kCatalogueSection, kLocation).value_or(std::string()))
        .trimmed();
}

void UserPreferences::setCatalogueLocation(const QString& location) {
    document_.setText(kCatalogueSection, kLocation, location.trimmed().toStdString());
    save();
}

QStringList UserPreferences::recentSelections() const {
    QStringList list;
    for (const std::string& path :
         document_.list(kSelectionSection, kRecent).value_or(std::vector<std::string>{}))
        if (list.size() < kRecentCount)
            list << QString::fromStdString(path);
    return list;
}

void UserPreferences::addRecentSelection(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentSelections();
    list.removeAll(absolute);
    list.prepend(absolute);
    if (list.size() > kRecentCount)
        list.resize(kRecentCount);
    std::vector<std::string> stored;
    for (const QString& p : list)
        stored.push_back(p.toStdString());
    document_.setList(kSelectionSection, kRecent, stored);
    save();
}

void UserPreferences::save() {
    // Kept in memory for this run either way; only the file is at stake.
    constexpr const char* kNotSaved = "; the change is kept until the program ends but not saved";
    if (unreadable_) {
        report(*unreadable_, core::TextKey::PreferencesNotSaved, kNotSaved);
        return;
    }
    if (!QDir().mkpath(QFileInfo(file_).absolutePath())) {
        report(FaultAt(file_, core::FileProblem::FolderNotCreated), core::TextKey::PreferencesNotSaved,
               kNotSaved);
        return;
    }
    if (auto error = WriteFileAtomically(file_, QByteArray::fromStdString(document_.format())))
        report(*error, core::TextKey::PreferencesNotSaved, kNotSaved);
}

void UserPreferences::report(const FileError& error, int consequenceKey, const char* english) const {
    const std::string text = strText_ ? FileErrorText(error, strText_) + ' ' + (*strText_)(consequenceKey)
                                      : error.message + english;
    messages_.show({.key = -1, .text = text, .icon = core::MessageIcon::Warning, .title = {}});
}

} // namespace airmotor::platform
