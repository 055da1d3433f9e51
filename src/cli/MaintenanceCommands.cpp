#include "cli/MaintenanceCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/SessionScript.h"
#include "core/maintenance/MotorDataEditor.h"
#include "core/maintenance/MotorRecord.h"
#include "platform/files/MeasurementFileStore.h"
#include "platform/storage/MotorDataWriter.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace airmotor::cli {
namespace {

using core::EditorField;

constexpr std::size_t kStoredCoefficients = 5; // C0..C4 of the catalogue

// Options without a value, taken out before the "--name value" options are read.
struct SplitArgs {
    CommandArgs rest;
    std::vector<std::string> flags;
    std::vector<std::string> positional;
};

SplitArgs Split(const CommandArgs& args, const std::vector<std::string>& flagNames) {
    SplitArgs split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (std::find(flagNames.begin(), flagNames.end(), arg) != flagNames.end()) {
            split.flags.push_back(arg);
        } else if (arg.rfind("--", 0) == 0) {
            split.rest.push_back(arg);
            if (arg.find('=') == std::string::npos && i + 1 < args.size())
                split.rest.push_back(args[++i]);
        } else {
            split.positional.push_back(arg);
        }
    }
    return split;
}

bool Has(const SplitArgs& split, const char* flag) {
    return std::find(split.flags.begin(), split.flags.end(), flag) != split.flags.end();
}

void TypeOption(const CommandOptions& options, const char* name, core::EditorFields& fields,
                EditorField field) {
    if (const auto text = options.text(name))
        fields.type(field, KeyFiltered(*text));
}

void TypeWormData(const CommandOptions& options, core::EditorFields& fields) {
    TypeOption(options, "d1", fields, EditorField::D1B);
    TypeOption(options, "module", fields, EditorField::MxB);
    TypeOption(options, "starts", fields, EditorField::Z1B);
    TypeOption(options, "pressure-angle", fields, EditorField::PressvB);
    TypeOption(options, "efficiency", fields, EditorField::VerkningsgradB);
}

const char* KindName(core::GearKind kind) {
    switch (kind) {
    case core::GearKind::Worm:
        return "worm";
    case core::GearKind::MultiStage:
        return "multi-stage";
    case core::GearKind::None:
        break;
    }
    return "none";
}

// Points 1..n of a 1-based array.
std::vector<float> Points(const std::vector<float>& values, int n) {
    return std::vector<float>(values.begin() + 1, values.begin() + 1 + n);
}

void WriteFit(JsonWriter& json, const char* name, int degree, const std::vector<float>& coefficients) {
    std::vector<float> stored(kStoredCoefficients, 0.0f);
    std::copy_n(coefficients.begin(), std::min(coefficients.size(), kStoredCoefficients), stored.begin());
    json.key(name).beginObject().field("degree", degree).key("coefficients").array(stored).endObject();
}

void WriteFigures(JsonWriter& json, const std::optional<core::CurveFigures>& figures) {
    json.key("curves");
    if (!figures) {
        json.null();
        return;
    }
    json.beginObject()
        .field("freeSpeed", figures->freeSpeed)
        .field("airAtFreeSpeed", figures->airAtFreeSpeed)
        .field("maxPower", figures->maxPower)
        .field("torqueAtMaxPower", figures->torqueAtMaxPower)
        .field("speedAtMaxPower", figures->speedAtMaxPower)
        .field("airAtMaxPower", figures->airAtMaxPower)
        .endObject();
}

void WriteFactors(JsonWriter& json, float kn, float km, float kl) {
    json.key("factors").beginObject().field("Kn", kn).field("Km", km).field("Kl", kl).endObject();
}

void WriteFile(JsonWriter& json, const core::MeasurementData& file) {
    json.key("file").beginObject().field("n", file.count()).field("Sx", file.sx).field("Sy1", file.sy1);
    json.field("Sy2", file.sy2).field("UtvRef", file.utvRef);
    json.key("speed").array(file.speed).key("torque").array(file.torque).key("air").array(file.air);
    json.key("targets")
        .beginObject()
        .field("freeSpeed", file.targets.freeSpeed)
        .field("maxPower", file.targets.maxPower)
        .field("speedAtMaxPower", file.targets.speedAtMaxPower)
        .field("airAtMaxPower", file.targets.airAtMaxPower)
        .endObject();
    WriteFactors(json, file.kn, file.km, file.kl);
    json.field("minStartTorque", file.minStartTorque).field("designation", file.designation).endObject();
}

void WriteConverted(JsonWriter& json, const core::ConvertedSet& set) {
    json.key("speed").array(Points(set.speed, set.n));
    json.key("torque").array(Points(set.torque, set.n));
    json.key("air").array(Points(set.air, set.n));
}

void WriteCompanion(JsonWriter& json, const core::MotorDataEditor& editor) {
    json.key("companion");
    if (!editor.hasCompanion()) {
        json.null();
        return;
    }
    const core::ConvertedSet& set = editor.companionConverted();
    json.beginObject().field("n", set.n);
    WriteConverted(json, set);
    WriteFigures(json, editor.companionFigures());
    json.endObject();
}

} // namespace

int RunGearCommand(CliContext& context, const CommandArgs& args) {
    const CommandOptions options(
        "gear", args,
        {"designation", "d1", "module", "starts", "pressure-angle", "efficiency", "speed", "torque"});
    const std::string designation = options.required("designation");
    if (options.has("speed") != options.has("torque"))
        throw UsageError("gear: --speed and --torque go together");
    core::EditorFields fields;
    TypeWormData(options, fields);
    core::GearData gear;
    const core::GearDecodeResult decoded = core::DecodeGearDesignation(designation, gear);
    gear.wormDiameter = fields.value(EditorField::D1B);
    gear.module = fields.value(EditorField::MxB);
    gear.starts = fields.value(EditorField::Z1B);
    gear.pressureAngle = fields.value(EditorField::PressvB);
    gear.efficiencyPercent = fields.value(EditorField::VerkningsgradB);

    JsonWriter json(*context.out);
    json.beginObject().field("kind", KindName(decoded.kind)).key("error");
    if (decoded.unknownCode)
        json.value(core::kUnknownGearCodeText);
    else
        json.null();
    json.field("centreDistance", gear.centreDistance)
        .field("stages", gear.stages)
        .field("gearCode", gear.gearCode)
        .field("axleDistance", gear.axleDistance)
        .field("sealDiameter", gear.sealDiameter)
        .key("losses");
    if (options.has("speed")) {
        const auto loss =
            core::GearLosses(designation, gear, *options.single("speed"), *options.single("torque"));
        json.beginObject()
            .field("T0", loss.lossTorque)
            .field("eta", loss.efficiency)
            .field("etaTot", loss.overall)
            .endObject();
    } else {
        json.null();
    }
    json.endObject().finish();
    return 0;
}

namespace {

const std::vector<std::string_view> kEditorOptions = {"designation", "utv",    "efficiency",     "d1",
                                                      "module",      "starts", "pressure-angle", "kn",
                                                      "km",          "kl",     "degree-m",       "degree-l"};

struct LoadedFile {
    QString path;
    core::MeasurementData data;
};

LoadedFile ReadMeasurement(const char* command, const SplitArgs& split) {
    if (split.positional.size() != 1)
        throw UsageError(std::string(command) + ": exactly one measurement data file expected");
    LoadedFile file{QString::fromStdString(split.positional.front()), {}};
    auto read = platform::MeasurementFileStore::read(file.path);
    if (auto* error = std::get_if<platform::FileError>(&read))
        throw std::runtime_error(error->message);
    file.data = std::get<core::MeasurementData>(std::move(read));
    return file;
}

// The file loaded as the load button does, the designation decoded as every drawing does, the
// boxes typed with their leave rules, the companion loaded on request. False: unknown gear code.
bool PrepareEditor(const LoadedFile& file, const SplitArgs& split, const CommandOptions& options,
                   core::MotorDataEditor& editor) {
    core::EditorFields& fields = editor.fields();
    editor.load(file.data, file.path.toStdString());
    if (const auto designation = options.text("designation"))
        editor.texts().designation = *designation;
    const bool gearKnown = editor.decodeGear();
    TypeOption(options, "d1", fields, EditorField::D1B);
    TypeOption(options, "module", fields, EditorField::MxB);
    TypeOption(options, "starts", fields, EditorField::Z1B);
    TypeOption(options, "pressure-angle", fields, EditorField::PressvB);
    TypeOption(options, "degree-m", fields, EditorField::GradtalB);
    TypeOption(options, "degree-l", fields, EditorField::GradtalfB);
    if (options.has("utv") || options.has("efficiency")) {
        TypeOption(options, "utv", fields, EditorField::UtvB);
        TypeOption(options, "efficiency", fields, EditorField::VerkningsgradB);
        editor.leaveGearRatio();
    }
    if (options.has("kn") || options.has("km") || options.has("kl")) {
        TypeOption(options, "kn", fields, EditorField::KnB);
        TypeOption(options, "km", fields, EditorField::KmB);
        TypeOption(options, "kl", fields, EditorField::KlB);
        editor.leaveFactor();
    }
    editor.recompute();
    if (Has(split, "--companion")) {
        const auto companionPath = platform::MeasurementFileStore::findCompanion(file.path);
        if (!companionPath)
            throw std::runtime_error(file.path.toStdString() + ": no companion file " +
                                     core::CompanionFileName(file.path.toStdString()));
        auto companion = platform::MeasurementFileStore::readCompanion(*companionPath);
        if (auto* error = std::get_if<platform::FileError>(&companion))
            throw std::runtime_error(error->message);
        editor.loadCompanion(std::get<core::MeasurementData>(companion));
    }
    return gearKnown;
}

std::vector<std::string_view> With(std::vector<std::string_view> names,
                                   std::initializer_list<std::string_view> more) {
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

void WriteFieldValue(JsonWriter& json, const core::FieldValue& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value))
        json.value(*i);
    else if (const auto* d = std::get_if<double>(&value))
        json.value(static_cast<float>(*d)); // every number of the table is a single
    else
        json.value(std::get<std::string>(value));
}

} // namespace

int RunMeasurementCommand(CliContext& context, const CommandArgs& args) {
    const SplitArgs split = Split(args, {"--companion", "--calibrate", "--json"});
    const CommandOptions options("measurement", split.rest, kEditorOptions);
    const LoadedFile file = ReadMeasurement("measurement", split);
    core::RecordingMessageSink messages;
    core::MotorDataEditor editor(messages);
    const bool gearKnown = PrepareEditor(file, split, options, editor);
    // An unknown gear code stops the drawing: no calibration, no figures.
    if (gearKnown && Has(split, "--calibrate"))
        editor.calibrate();
    else if (gearKnown)
        editor.drawingPass();

    const core::EditorFields& fields = editor.fields();
    JsonWriter json(*context.out);
    json.beginObject();
    WriteFile(json, file.data);
    json.key("converted").beginObject();
    WriteConverted(json, editor.converted());
    json.endObject().field("sngTopVarv", editor.converted().sngTopVarv);
    WriteFit(json, "torqueFit", editor.fits().degreeM, editor.fits().torque);
    WriteFit(json, "airFit", editor.fits().degreeL, editor.fits().air);
    WriteFigures(json, editor.figures());
    WriteFactors(json, fields.value(EditorField::KnB), fields.value(EditorField::KmB),
                 fields.value(EditorField::KlB));
    WriteCompanion(json, editor);
    json.key("messages").beginArray();
    for (const core::Message& message : messages.messages)
        json.beginObject().key("key").null().field("text", message.text).endObject();
    json.endArray().endObject().finish();
    return 0;
}

int RunSaveMotorCommand(CliContext& context, const CommandArgs& args) {
    const SplitArgs split = Split(args, {"--companion", "--replace", "--add", "--json"});
    const CommandOptions options(
        "save-motor", split.rest,
        With(kEditorOptions, {"part-numbers", "price", "drawing", "start-speed", "max-speed"}));
    if (Has(split, "--replace") == Has(split, "--add"))
        throw UsageError("save-motor: exactly one of --replace and --add");
    const core::SaveMode mode = Has(split, "--replace") ? core::SaveMode::Replace : core::SaveMode::Add;
    const LoadedFile file = ReadMeasurement("save-motor", split);
    core::RecordingMessageSink messages;
    core::MotorDataEditor editor(messages);
    core::EditorFields& fields = editor.fields();
    core::EditorTexts& texts = editor.texts();
    if (const auto parts = options.text("part-numbers")) {
        std::istringstream in(*parts);
        for (std::string& part : texts.partNumbers)
            if (!std::getline(in, part, ','))
                part.clear();
    }
    texts.drawing = options.text("drawing").value_or("");
    TypeOption(options, "price", fields, EditorField::RelativprisB);
    TypeOption(options, "start-speed", fields, EditorField::txtStartVarvtalKurvor);
    TypeOption(options, "max-speed", fields, EditorField::txtMaxVarvtalKurvor);
    // The save draws as the screen diagram does, calibration included; the record is the last pass.
    // What is refused here is the user's input (the readings, the options): a usage error.
    const bool drawn = PrepareEditor(file, split, options, editor);
    for (const core::Message& message : messages.messages)
        if (message.icon == core::MessageIcon::Warning)
            Warn(context, "save-motor: " + message.text);
    if (!drawn || !editor.calibrate())
        throw UsageError("save-motor: " + (messages.messages.empty()
                                               ? std::string("the diagram cannot be drawn")
                                               : messages.messages.back().text));
    if (mode == core::SaveMode::Replace && core::FindDesignation(context.catalogue(), texts.designation) == 0)
        throw UsageError(std::string("save-motor: ") + core::kDesignationNotFoundText);
    auto built = core::BuildMotorRecord(editor, mode);
    if (auto* error = std::get_if<std::string>(&built))
        throw UsageError("save-motor: " + *error);
    const core::MotorRecord& record = std::get<core::MotorRecord>(built);
    // The catalogue the command loaded: the folder's file, --catalogue or AIRMOTOR_CATALOGUE.
    platform::MotorDataWriter writer(QString::fromStdString(context.catalogueLocation));
    if (context.rowVersions)
        writer.rememberLoaded(*context.rowVersions);
    auto written = writer.write(record, texts.designation);
    if (auto* error = std::get_if<std::string>(&written))
        throw std::runtime_error(*error);
    const int index = std::get<int>(written);

    JsonWriter json(*context.out);
    json.beginObject()
        .field("mode", mode == core::SaveMode::Add ? "add" : "replace")
        .field("intKatalogindex", index)
        .key("fields")
        .beginObject();
    if (mode == core::SaveMode::Add)
        json.field("intKatalogindex", index);
    for (const auto& [name, value] : record.fields) {
        json.key(name);
        WriteFieldValue(json, value);
    }
    json.endObject().endObject().finish();
    return 0;
}

} // namespace airmotor::cli
