#include "cli/CatalogueCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "platform/access/AccessReader.h"
#include "platform/storage/CatalogueImport.h"
#include "platform/storage/DatabaseBuilder.h"

#include <QString>

#include <iomanip>

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

void PrintCatalogueTable(std::ostream& out, const core::MotorCatalogue& c) {
    out << std::left << std::setw(5) << "No" << std::setw(6) << "Srch" << std::setw(30) << "Designation"
        << std::setw(4) << "Rot" << std::right << std::setw(9) << "n0 r/min" << std::setw(9) << "P kW"
        << std::setw(9) << "Mst Nm" << std::setw(9) << "Mmin Nm" << std::setw(8) << "i"
        << "  Flags\n";
    out << std::fixed;
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
        out << std::left << std::setw(5) << i << std::setw(6) << c.intSokindex[i] << std::setw(30)
            << c.strBenamning[i] << std::setw(4) << c.txtRotation[i] << std::right << std::setprecision(0)
            << std::setw(9) << c.sngTomgVarvtal[i] << std::setprecision(3) << std::setw(9)
            << c.sngMaxEffekt[i] << std::setprecision(2) << std::setw(9) << c.sngStallmoment[i]
            << std::setw(9) << c.sngMinStartMoment[i] << std::setprecision(3) << std::setw(8)
            << c.sngUtvaxling[i] << ' ' << flags << '\n';
    }
    out << c.intAntalMotorer << " motors\n";
}

} // namespace

int RunCatalogueCommand(CliContext& context, const CommandArgs& args) {
    CommandOptions options("catalogue", args, {});
    std::ostream& out = *context.out;
    const auto& c = context.catalogue;
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

} // namespace

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
