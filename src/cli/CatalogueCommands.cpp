#include "cli/CatalogueCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "core/format/NumberFormat.h"
#include "platform/access/AccessReader.h"
#include "platform/storage/CatalogueImport.h"
#include "platform/storage/DatabaseBuilder.h"
#include "platform/storage/MotorHistory.h"
#include "platform/storage/PostgresCatalogue.h"

#include <QString>

#include <string>

namespace airmotor::cli {
namespace {

std::vector<float> Coefficients(const core::MotorCatalogue& c, int i, bool torque) {
    std::vector<float> values;
    for (int k = 0; k <= 4; ++k)
        values.push_back(torque ? c.cM(k, i) : c.cL(k, i));
    return values;
}

void WriteMotor(JsonWriter& json, const core::MotorCatalogue& c, int i) {
    json.beginObject()
        .field("index", i)
        .field("intSokindex", c.intSokindex[i])
        .field("strBenamning", c.strBenamning[i])
        .field("strDetaljnr1", c.strDetaljnr1[i])
        .field("strDetaljnr2", c.strDetaljnr2[i])
        .field("strDetaljnr3", c.strDetaljnr3[i])
        .field("txtRotation", c.txtRotation[i])
        .field("bolLubricationFree", static_cast<bool>(c.bolLubricationFree[i]))
        .field("bolStainless", static_cast<bool>(c.bolStainless[i]))
        .field("bolBrake", static_cast<bool>(c.bolBrake[i]))
        .field("sngTomgVarvtal", c.sngTomgVarvtal[i])
        .field("sngLuftforbrTomgang", c.sngLuftforbrTomgang[i])
        .field("sngMaxEffekt", c.sngMaxEffekt[i])
        .field("sngMomentMaxeff", c.sngMomentMaxeff[i])
        .field("sngLuftMaxeff", c.sngLuftMaxeff[i])
        .field("sngVarvMaxeff", c.sngVarvMaxeff[i])
        .field("sngStallmoment", c.sngStallmoment[i])
        .field("sngMinStartMoment", c.sngMinStartMoment[i])
        .field("sngPris", c.sngPris[i])
        .field("strMattskiss", c.strMattskiss[i])
        .field("sngUtvaxling", c.sngUtvaxling[i])
        .field("sngVikt", c.sngVikt[i])
        .field("intGradtal_M", static_cast<int>(c.intGradtal_M[i]));
    json.key("sngC_M").array(Coefficients(c, i, true));
    json.field("intGradtal_L", static_cast<int>(c.intGradtal_L[i]));
    json.key("sngC_L").array(Coefficients(c, i, false));
    json.field("bolOldMotor", static_cast<bool>(c.bolOldMotor[i]))
        .field("sngMin_VarvDiagram", c.sngMin_VarvDiagram[i])
        .field("sngMax_VarvDiagram", c.sngMax_VarvDiagram[i])
        .endObject();
}

// The text padded to `width` on the right (left-aligned) or on the left (right-aligned).
std::string Left(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}
std::string Right(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}
std::string Fixed(float value, int decimals, std::size_t width) {
    return Right(core::FixedText(value, decimals), width);
}

void PrintCatalogueTable(std::ostream& out, const core::MotorCatalogue& c) {
    out << Left("No", 5) << Left("Srch", 6) << Left("Designation", 30) << Left("Rot", 4)
        << Right("n0 r/min", 9) << Right("P kW", 9) << Right("Mst Nm", 9) << Right("Mmin Nm", 9)
        << Right("i", 8) << "  Flags\n";
    for (int i = 1; i <= c.intAntalMotorer; ++i) {
        std::string flags;
        if (c.bolLubricationFree[i])
            flags += " lube-free";
        if (c.bolStainless[i])
            flags += " stainless";
        if (c.bolBrake[i])
            flags += " brake";
        if (c.bolOldMotor[i])
            flags += " obsolete";
        out << Left(std::to_string(i), 5) << Left(std::to_string(c.intSokindex[i]), 6)
            << Left(c.strBenamning[i], 30) << Left(c.txtRotation[i], 4) << Fixed(c.sngTomgVarvtal[i], 0, 9)
            << Fixed(c.sngMaxEffekt[i], 3, 9) << Fixed(c.sngStallmoment[i], 2, 9)
            << Fixed(c.sngMinStartMoment[i], 2, 9) << Fixed(c.sngUtvaxling[i], 3, 8) << ' ' << flags << '\n';
    }
    out << c.intAntalMotorer << " motors\n";
}

} // namespace

static int RunCatalogueTool(CliContext& context, const CommandArgs& args);

int RunCatalogueCommand(CliContext& context, const CommandArgs& args) {
    if (IsCatalogueTool(args))
        return RunCatalogueTool(context, args);
    CommandOptions options("catalogue", args, {});
    std::ostream& out = *context.out;
    const auto& c = context.catalogue();
    if (!context.json) {
        PrintCatalogueTable(out, c);
        return 0;
    }
    JsonWriter json(out);
    json.beginObject().field("count", c.intAntalMotorer).key("motors").beginArray();
    for (int i = 1; i <= c.intAntalMotorer; ++i)
        WriteMotor(json, c, i);
    json.endArray().endObject().finish();
    return 0;
}

int RunTextsCommand(CliContext& context, const CommandArgs& args) {
    CommandOptions options("texts", args, {});
    std::ostream& out = *context.out;
    const auto& language = context.language;
    const auto& u = language.units;
    if (!context.json) {
        out << "Language: " << language.strLanguage << "  (intImperialUnits " << language.intImperialUnits
            << ")\n"
            << "Units: mass " << u.sngUnitMass << ", torque " << u.sngUnitTorque << ", power "
            << u.sngUnitPower << ", air " << u.sngUnitAir << ", pressure " << u.sngUnitPressure << '\n';
        for (int key = 0; key < core::kTextCount; ++key)
            out << std::setw(4) << key << "  " << language.strText(key) << '\n';
        return 0;
    }
    JsonWriter json(out);
    json.beginObject()
        .field("language", language.strLanguage)
        .field("intImperialUnits", language.intImperialUnits)
        .key("units")
        .beginObject()
        .field("sngUnitMass", u.sngUnitMass)
        .field("sngUnitTorque", u.sngUnitTorque)
        .field("sngUnitPower", u.sngUnitPower)
        .field("sngUnitAir", u.sngUnitAir)
        .field("sngUnitPressure", u.sngUnitPressure)
        .endObject()
        .key("texts")
        .beginObject();
    for (int key = 0; key < core::kTextCount; ++key)
        json.field(std::to_string(key), language.strText(key));
    json.endObject().endObject().finish();
    return 0;
}

namespace {

int WriteBuildSummary(CliContext& context, const CommandArgs& args,
                      const std::variant<platform::BuildSummary, platform::BuildError>& built) {
    if (auto* error = std::get_if<platform::BuildError>(&built))
        throw FolderError(error->message);
    const auto& summary = std::get<platform::BuildSummary>(built);
    std::ostream& out = *context.out;
    if (context.json) {
        JsonWriter json(out);
        json.beginObject()
            .field("database", args[1])
            .field("motors", summary.motors)
            .field("texts", summary.texts)
            .field("imperialTexts", summary.imperialTexts)
            .endObject()
            .finish();
    } else {
        out << args[1] << ": " << summary.motors << " motors, " << summary.texts << " texts, "
            << summary.imperialTexts << " imperial texts\n";
    }
    return 0;
}

int WriteCopySummary(CliContext& context, const std::string& target,
                     const std::variant<platform::BuildSummary, platform::BuildError>& copied) {
    if (auto* error = std::get_if<platform::BuildError>(&copied))
        throw FolderError(error->message);
    const auto& summary = std::get<platform::BuildSummary>(copied);
    std::ostream& out = *context.out;
    if (context.json) {
        JsonWriter json(out);
        json.beginObject()
            .field("catalogue", target)
            .field("motors", summary.motors)
            .field("texts", summary.texts)
            .field("imperialTexts", summary.imperialTexts)
            .endObject()
            .finish();
    } else {
        out << target << ": " << summary.motors << " motors, " << summary.texts << " texts, "
            << summary.imperialTexts << " imperial texts\n";
    }
    return 0;
}

} // namespace

bool IsCatalogueTool(const CommandArgs& args) {
    return !args.empty() &&
           (args[0] == "init" || args[0] == "push" || args[0] == "pull" || args[0] == "history");
}

namespace {

int RunHistory(CliContext& context, const CommandArgs& args) {
    if (args.size() != 2 || args[1].empty() || args[1].rfind("--", 0) == 0)
        throw UsageError("catalogue history: needs a motor designation");
    auto read = platform::MotorHistory::read(QString::fromStdString(context.catalogueLocation), args[1]);
    if (auto* error = std::get_if<std::string>(&read))
        throw FolderError(*error);
    const auto& entries = std::get<std::vector<platform::HistoryEntry>>(read);
    std::ostream& out = *context.out;
    if (!context.json) {
        for (const platform::HistoryEntry& e : entries)
            out << e.changedAt << "  " << Left(e.changedBy, 16) << " index " << e.index
                << (e.oldRow.empty() ? "  added\n" : "  replaced\n");
        out << entries.size() << " changes of " << args[1] << '\n';
        return 0;
    }
    JsonWriter json(out);
    json.beginObject().field("catalogue", context.catalogueLocation).field("designation", args[1]);
    json.key("changes").beginArray();
    for (const platform::HistoryEntry& e : entries) {
        json.beginObject()
            .field("intKatalogindex", e.index)
            .field("changedBy", e.changedBy)
            .field("changedAt", e.changedAt)
            .field("change", e.oldRow.empty() ? "add" : "replace");
        // The rows as the server's JSON text in a string: no number is converted on the way.
        json.key("oldRow");
        if (e.oldRow.empty())
            json.null();
        else
            json.value(e.oldRow);
        json.field("newRow", e.newRow).endObject();
    }
    json.endArray().endObject().finish();
    return 0;
}

} // namespace

static int RunCatalogueTool(CliContext& context, const CommandArgs& args) {
    if (args[0] == "history")
        return RunHistory(context, args);
    const auto isValue = [](const std::string& arg) { return !arg.empty() && arg.rfind("--", 0) != 0; };
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    if (args[0] == "init") {
        if (args.size() != 2 || !isValue(args[1]))
            throw UsageError("catalogue init: needs a postgresql:// URL");
        const auto done = platform::PostgresCatalogue::init(q(args[1]));
        if (auto* error = std::get_if<platform::BuildError>(&done))
            throw FolderError(error->message);
        const auto& summary = std::get<platform::SchemaSummary>(done);
        if (context.json) {
            JsonWriter json(*context.out);
            json.beginObject()
                .field("catalogue", args[1])
                .field("schemaVersion", summary.version)
                .field("created", summary.created)
                .endObject()
                .finish();
        } else {
            *context.out << args[1] << ": catalogue schema version " << summary.version
                         << (summary.created ? " created\n" : " already in place\n");
        }
        return 0;
    }
    if (args.size() != 3 || !isValue(args[1]) || !isValue(args[2]))
        throw UsageError(args[0] == "push" ? "catalogue push: needs a database file and a postgresql:// URL"
                                           : "catalogue pull: needs a postgresql:// URL and a database file");
    if (args[0] == "push")
        return WriteCopySummary(context, args[2], platform::PostgresCatalogue::push(q(args[1]), q(args[2])));
    return WriteCopySummary(context, args[2], platform::PostgresCatalogue::pull(q(args[1]), q(args[2])));
}

int RunMakeDatabaseCommand(CliContext& context, const CommandArgs& args) {
    if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0)
        throw UsageError("make-database: needs a data folder and a database file");
    return WriteBuildSummary(
        context, args,
        platform::DatabaseBuilder::build(QString::fromStdString(args[0]), QString::fromStdString(args[1])));
}

int RunImportCatalogueCommand(CliContext& context, const CommandArgs& args) {
    if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0)
        throw UsageError("import-catalogue: needs a legacy Access catalogue and a database file");
    const platform::AccessReader reader(platform::AccessReader::defaultReaderProgram());
    return WriteBuildSummary(context, args,
                             platform::CatalogueImport(reader).run(QString::fromStdString(args[0]),
                                                                   QString::fromStdString(args[1])));
}

} // namespace airmotor::cli
