#include "platform/files/SelectionFile.h"

#include "core/language/Language.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cmath>

namespace airmotor::platform {

namespace {

constexpr const char* kFormat = "airmotor-selection";
constexpr qsizetype kMaxFieldText = 64;
constexpr qsizetype kMaxDesignation = 200;

// JSON names of the requirement texts, in RequirementField order.
constexpr std::array<const char*, core::kRequirementFieldCount> kFieldNames = {
    "torque",         "speed",        "startTorque",  "stallTorqueMin",
    "stallTorqueMax", "freeSpeedMin", "freeSpeedMax", "pressure"};
constexpr std::array<const char*, 3> kSeriesNames = {"TKM", "TKS", "PGW"};

struct Choice {
    const char* name;
    int core::SavedSelection::*member;
    int highest;
};
constexpr std::array<Choice, 10> kChoices = {{
    {"rotation", &core::SavedSelection::rotation, 2},
    {"steel", &core::SavedSelection::steel, 1},
    {"brake", &core::SavedSelection::brake, 1},
    {"lubrication", &core::SavedSelection::lubrication, 1},
    {"tksSteel", &core::SavedSelection::tksSteel, 1},
    {"tksLubrication", &core::SavedSelection::tksLubrication, 1},
    {"tksVersions", &core::SavedSelection::tksVersions, 2},
    {"obsolete", &core::SavedSelection::obsolete, 2},
    {"diagramAlternative", &core::SavedSelection::alternative, 5},
    {"column", &core::SavedSelection::column, 1},
}};

// Thrown inside the reader only: what is wrong with the document.
struct Malformed {
    std::string what;
};

QJsonObject Object(const QJsonObject& parent, const char* key) {
    const QJsonValue v = parent.value(key);
    if (!v.isObject())
        throw Malformed{std::string("\"") + key + "\" is missing or not an object"};
    return v.toObject();
}

QString Text(const QJsonObject& parent, const char* key, qsizetype longest) {
    const QJsonValue v = parent.value(key);
    if (!v.isString())
        throw Malformed{std::string("\"") + key + "\" is missing or not a text"};
    if (v.toString().size() > longest)
        throw Malformed{std::string("\"") + key + "\" is too long"};
    return v.toString();
}

int Whole(const QJsonObject& parent, const char* key, int lowest, int highest) {
    const QJsonValue v = parent.value(key);
    const double d = v.toDouble(-1.0);
    // In range before it is made an int: 1e300 or 3e9 has no int.
    if (!v.isDouble() || !(d >= lowest && d <= highest) || d != static_cast<double>(static_cast<int>(d)))
        throw Malformed{std::string("\"") + key + "\" must be a whole number from " + std::to_string(lowest) +
                        " to " + std::to_string(highest)};
    return static_cast<int>(d);
}

bool Flag(const QJsonObject& parent, const char* key) {
    const QJsonValue v = parent.value(key);
    if (!v.isBool())
        throw Malformed{std::string("\"") + key + "\" is missing or not true/false"};
    return v.toBool();
}

core::SavedSelection FromJson(const QJsonObject& root) {
    if (root.value("format").toString() != kFormat)
        throw Malformed{"it is not a saved selection"};
    core::SavedSelection s;
    const QJsonValue version = root.value("schemaVersion");
    if (!version.isDouble() || version.toDouble() < 1.0)
        throw Malformed{"\"schemaVersion\" is missing or not a version number"};
    // Shown as written: a huge number is no int, and a fraction is no version.
    const std::string written =
        QString::number(version.toDouble(), 'g', QLocale::FloatingPointShortest).toStdString();
    if (version.toDouble() != std::floor(version.toDouble()))
        throw Malformed{"\"schemaVersion\" " + written + " is not a version number"};
    if (version.toDouble() > core::SavedSelection::kSchemaVersion)
        throw Malformed{"it was saved by a newer program (schema version " + written +
                        "; this program reads up to " + std::to_string(core::SavedSelection::kSchemaVersion) +
                        ")"};
    s.schemaVersion = Whole(root, "schemaVersion", 1, core::SavedSelection::kSchemaVersion);
    s.programVersion = Text(root, "programVersion", kMaxFieldText).toStdString();
    s.catalogueChecksum = Text(root, "catalogueChecksum", kMaxFieldText * 2).toStdString();
    s.language = Text(root, "language", kMaxFieldText).toStdString();
    if (!core::IsLanguageName(s.language))
        throw Malformed{"\"language\" names no language of the program"};
    const QJsonObject fields = Object(root, "requirements");
    for (std::size_t f = 0; f < kFieldNames.size(); ++f)
        s.fields[f] = Text(fields, kFieldNames[f], kMaxFieldText).toStdString();
    const QJsonObject options = Object(root, "options");
    s.search = Flag(options, "search");
    s.onlyObsoleteMenu = Flag(options, "onlyObsoleteMenu");
    const QJsonValue series = options.value("series");
    if (!series.isArray())
        throw Malformed{"\"series\" is missing or not a list"};
    s.series = {false, false, false};
    for (const auto& name : series.toArray()) {
        bool known = false;
        for (std::size_t k = 0; k < kSeriesNames.size(); ++k)
            if (name.toString() == kSeriesNames[k])
                known = s.series[k] = true;
        if (!known)
            throw Malformed{"\"series\" lists an unknown series"};
    }
    const QJsonObject selected = Object(root, "selected");
    for (const Choice& c : kChoices)
        s.*c.member = Whole(std::string_view(c.name) == "column" ? selected : options, c.name, 0, c.highest);
    s.designation = Text(selected, "designation", kMaxDesignation).toStdString();
    return s;
}

QJsonObject ToJson(const core::SavedSelection& s) {
    QJsonObject fields;
    for (std::size_t f = 0; f < kFieldNames.size(); ++f)
        fields[kFieldNames[f]] = QString::fromStdString(s.fields[f]);
    QJsonArray series;
    for (std::size_t k = 0; k < kSeriesNames.size(); ++k)
        if (s.series[k])
            series.append(kSeriesNames[k]);
    QJsonObject options{{"search", s.search}, {"series", series}, {"onlyObsoleteMenu", s.onlyObsoleteMenu}};
    QJsonObject selected{{"designation", QString::fromStdString(s.designation)}};
    for (const Choice& c : kChoices)
        (std::string_view(c.name) == "column" ? selected : options)[c.name] = s.*c.member;
    return {{"format", kFormat},
            {"schemaVersion", core::SavedSelection::kSchemaVersion},
            {"programVersion", QString::fromStdString(s.programVersion)},
            {"catalogueChecksum", QString::fromStdString(s.catalogueChecksum)},
            {"language", QString::fromStdString(s.language)},
            {"requirements", fields},
            {"options", options},
            {"selected", selected}};
}

} // namespace

std::optional<FileError> WriteSelectionFile(const QString& path, const core::SavedSelection& selection) {
    if (auto refused = CheckOutputTarget(path))
        return refused;
    return WriteFileAtomically(path, QJsonDocument(ToJson(selection)).toJson(QJsonDocument::Indented));
}

std::variant<core::SavedSelection, FileError> ReadSelectionFile(const QString& path) {
    auto content = ReadRegularFile(path, kSelectionFileCap);
    if (auto* error = std::get_if<FileError>(&content))
        return std::move(*error);
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(std::get<QByteArray>(content), &parse);
    if (parse.error != QJsonParseError::NoError)
        return FaultAt(path, core::FileProblem::Content,
                       "is not a saved selection (not a JSON object: " + parse.errorString().toStdString() +
                           ")");
    if (!doc.isObject())
        return FaultAt(path, core::FileProblem::Content,
                       "is not a saved selection (a JSON list where a JSON object is expected)");
    try {
        return FromJson(doc.object());
    } catch (const Malformed& m) {
        return FaultAt(path, core::FileProblem::Content, "cannot be opened: " + m.what);
    }
}

std::string FileChecksum(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex().toStdString();
}

} // namespace airmotor::platform
