#include "cli/DiagramCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "core/common/MessageSink.h"
#include "core/diagram/DrawingReference.h"
#include "core/diagram/SessionDiagramInput.h"
#include "core/selection/SelectionSession.h"
#include "platform/DiagramExport.h"
#include "platform/DimensionDrawing.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <array>
#include <sstream>

namespace airmotor::cli {
namespace {

using core::RequirementField;

struct FieldOption {
    std::string_view option;
    RequirementField field;
};

// Entered in this order, as the search command does: a later field's rule acts on an earlier one.
constexpr std::array<FieldOption, 8> kFieldOptions = {{
    {"torque", RequirementField::ArbetsMomentB},
    {"speed", RequirementField::ArbetsVarvtalB},
    {"start-torque", RequirementField::MinStartmomentB},
    {"stall-min", RequirementField::StallmomentMinB},
    {"stall-max", RequirementField::StallmomentMaxB},
    {"free-min", RequirementField::TomgVarvMinB},
    {"free-max", RequirementField::TomgVarvMaxB},
    {"pressure", RequirementField::TillgLuftTryckB},
}};

int Choice(const CommandOptions& options, std::string_view name,
           std::initializer_list<std::string_view> choices) {
    const auto given = options.text(name);
    int index = 0;
    for (std::string_view c : choices) {
        if (given == std::string(c))
            return index;
        ++index;
    }
    std::string list;
    for (std::string_view c : choices)
        list += (list.empty() ? "" : "|") + std::string(c);
    throw UsageError("diagram: --" + std::string(name) + " must be one of " + list);
}

int Bounded(const CommandOptions& options, std::string_view command, std::string_view name, int fallback,
            int low, int high) {
    const auto value = options.integer(name);
    if (!value)
        return fallback;
    if (*value < low || *value > high)
        throw UsageError(std::string(command) + ": --" + std::string(name) + " out of range");
    return *value;
}

QSize ParseSize(const std::optional<std::string>& text, std::string_view command) {
    if (!text)
        return {1400, 1200};
    const auto x = text->find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : ParseInt(text->substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : ParseInt(text->substr(x + 1));
    if (!w || !h || *w < 50 || *h < 50 || *w > 20000 || *h > 20000)
        throw UsageError(std::string(command) + ": --size takes WxH, each 50..20000 pixels");
    return {*w, *h};
}

// Puts the session into the state the options describe, presses the search (any requirement field
// given) or the listing, and clicks the cell. True when a motor became current.
bool DriveSession(core::SelectionSession& session, const CommandOptions& options) {
    bool search = false;
    for (const FieldOption& f : kFieldOptions)
        search = search || options.has(f.option);
    session.Load();
    if (const auto text = options.text("series")) {
        std::array<bool, 3> ticks{false, false, false};
        std::stringstream stream(*text);
        for (std::string item; std::getline(stream, item, ',');) {
            if (item == "TKM")
                ticks[0] = true;
            else if (item == "TKS")
                ticks[1] = true;
            else if (item == "PGW")
                ticks[2] = true;
            else if (!item.empty())
                throw UsageError("diagram: --series takes TKM, TKS and PGW, not \"" + item + "\"");
        }
        for (int k = 0; k < 3; ++k)
            if (session.options().chkMotortype[static_cast<std::size_t>(k)] !=
                ticks[static_cast<std::size_t>(k)])
                session.ClickMotorType(k, ticks[static_cast<std::size_t>(k)]);
    }
    if (options.has("rotation"))
        session.ClickRotation(Choice(options, "rotation", {"clockwise", "counter-clockwise", "reversible"}));
    if (options.has("steel"))
        session.ClickSteel(Choice(options, "steel", {"standard", "stainless"}));
    if (options.has("brake"))
        session.ClickBrake(Choice(options, "brake", {"without", "with"}));
    if (options.has("lubrication"))
        session.ClickLubricated(Choice(options, "lubrication", {"lubricated", "lube-free"}));
    if (options.has("tks-steel"))
        session.ClickSteelTKS(Choice(options, "tks-steel", {"standard", "stainless"}));
    if (options.has("tks-lubrication"))
        session.ClickLubricatedTKS(Choice(options, "tks-lubrication", {"lubricated", "lube-free"}));
    if (options.has("tks-versions"))
        session.ClickTKSRestricted(Choice(options, "tks-versions", {"restricted", "both", "fallback"}));
    if (options.has("obsolete"))
        session.ClickObsoleteMotors(Choice(options, "obsolete", {"all", "only-obsolete", "only-new"}));
    if (search)
        session.ClickCatalogue(1);
    for (const FieldOption& f : kFieldOptions) {
        const auto text = options.text(f.option);
        if (!text)
            continue;
        if (!session.input().box(f.field).enabled)
            session.EnableField(f.field);
        session.TypeIntoField(f.field, *text);
    }
    session.ApplyPressureLeaveRule();
    session.RunInterplayRules();
    session.SetDiagramAlternative(Bounded(options, "diagram", "alternative", 0, 0, 5));
    if (search)
        session.ClickSearch();
    else
        session.ClickAllMotors();
    if (session.lastActionRefused() || session.lastSearchWasMaintenance())
        return false;
    return session.ClickCell(Bounded(options, "diagram", "select", 1, -32768, 32767),
                             Bounded(options, "diagram", "column", 0, -32768, 32767));
}

} // namespace

int RunDiagramCommand(CliContext& ctx, const CommandArgs& args) {
    const CommandOptions options("diagram", args,
                                 {"torque",       "speed",    "start-torque", "stall-min", "stall-max",
                                  "free-min",     "free-max", "pressure",     "series",    "rotation",
                                  "steel",        "brake",    "lubrication",  "tks-steel", "tks-lubrication",
                                  "tks-versions", "obsolete", "select",       "column",    "alternative",
                                  "out",          "size"});
    const std::string out = options.required("out");
    const QSize size = ParseSize(options.text("size"), "diagram");

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue, ctx.language, sink);
    const bool current = DriveSession(session, options);
    const core::MotorDiagramInput input = core::DiagramInputFromSession(session, ctx.language);
    if (!current || input.index <= 0)
        throw FolderError("diagram: no motor is current for that row and column, nothing was written");
    const QString error = platform::ExportMotorDiagram(input, QString::fromStdString(out), size);
    if (!error.isEmpty())
        throw FolderError("diagram: " + error.toStdString());
    if (ctx.json) {
        JsonWriter json(*ctx.out);
        json.beginObject()
            .field("command", "diagram")
            .field("out", out)
            .field("index", input.index)
            .field("designation", input.strCurrentBenamning)
            .field("alternative", input.intPressureMode)
            .field("width", size.width())
            .field("height", size.height())
            .endObject();
        json.finish();
    } else {
        *ctx.out << "Diagram of " << input.strCurrentBenamning << " written to " << out << '\n';
    }
    return 0;
}

int RunDrawingCommand(CliContext& ctx, const CommandArgs& args) {
    const CommandOptions options("drawing", args, {"index", "column", "out", "size"});
    const int index = Bounded(options, "drawing", "index", 0, 1, ctx.catalogue.intAntalMotorer);
    if (!options.has("index"))
        throw UsageError("drawing: --index is required");
    const int column = Bounded(options, "drawing", "column", 0, 0, 1);
    const std::string out = options.required("out");
    const QSize size = ParseSize(options.text("size"), "drawing");

    const core::DrawingChoice choice =
        core::ChooseDrawing(ctx.catalogue.strMattskiss[static_cast<std::size_t>(index)], column);
    if (choice.isLink)
        throw FolderError("drawing: motor " + std::to_string(index) + " refers to a web page (" +
                          choice.name + "), not to a drawing file");
    const platform::DimensionDrawing drawing = platform::DimensionDrawing::Load(
        QString::fromStdString(ctx.folder.string()), QString::fromStdString(choice.name));
    if (!drawing.isValid())
        throw FolderError("drawing: " + drawing.error().toStdString());

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        // Fit the whole drawing, centred, without distortion.
        const QRectF bounds = drawing.bounds();
        const double scale = std::min(size.width() / bounds.width(), size.height() / bounds.height());
        const QSizeF fitted = bounds.size() * scale;
        const QRectF target(
            QPointF((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted);
        drawing.render(painter, target);
    }
    QSaveFile file(QString::fromStdString(out));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        throw FolderError("drawing: " + out + ": cannot be written");
    if (ctx.json) {
        JsonWriter json(*ctx.out);
        json.beginObject()
            .field("command", "drawing")
            .field("out", out)
            .field("index", index)
            .field("drawing", choice.name)
            .field("source", drawing.sourceFile().toStdString())
            .endObject();
        json.finish();
    } else {
        *ctx.out << "Drawing " << choice.name << " written to " << out << '\n';
    }
    return 0;
}

} // namespace airmotor::cli
