#include "server/ApiRoutes.h"

#include "cli/AnalysisJson.h"
#include "cli/CalculatorCommands.h"
#include "cli/CommandOptions.h"
#include "cli/CompareCommand.h"
#include "cli/Json.h"
#include "cli/PrintCommands.h"
#include "cli/SessionScript.h"
#include "core/analysis/DutyAnalysis.h"
#include "core/common/Keys.h"
#include "core/common/MessageSink.h"
#include "core/common/ProgramVersion.h"
#include "core/diagram/DrawingReference.h"
#include "core/diagram/SessionDiagramInput.h"
#include "core/session/SelectionSession.h"
#include "platform/drawing/DiagramExport.h"
#include "platform/drawing/DimensionDrawing.h"
#include "server/ApiRequest.h"
#include "server/ApiTexts.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QSvgGenerator>

#include <sstream>

namespace airmotor::server {
namespace {

using cli::JsonWriter;

constexpr QSize kDiagramSize(1000, 800);
constexpr QSize kDrawingSize(1000, 800);
constexpr int kMinPictureSide = 200;
constexpr int kMaxPictureSide = 3000;

QByteArray Bytes(const std::ostringstream& out) {
    const std::string text = out.str();
    return {text.data(), static_cast<qsizetype>(text.size())};
}

// The context a command reads: the snapshot's catalogue, shared, and a copy of the language's texts
// (a session may change its language state). English_Imperial computes in SI like English: the API's
// numbers are SI whatever the language.
cli::CliContext MakeContext(const ServedCatalogue& served, const std::string& language, std::ostream& out) {
    cli::CliContext ctx;
    ctx.folder = served.folder.folder;
    ctx.settings = served.folder.settings;
    ctx.language = served.language(language == "English_Imperial" ? "English" : language);
    ctx.loaded = served.folder.catalogue;
    ctx.json = true;
    ctx.out = &out;
    return ctx;
}

std::string LanguageField(const QJsonObject& body) {
    const QJsonValue value = body.value(QStringLiteral("language"));
    if (!value.isUndefined() && !value.isNull() && !value.isString())
        throw ApiError(400, "field language: a text is expected");
    return LanguageOf(value.toString());
}

template <class Work> ApiAnswer Guarded(Work&& work) {
    try {
        return work();
    } catch (const ApiError& e) {
        return ApiRoutes::Error(e.status, e.what());
    } catch (const cli::UsageError& e) {
        return ApiRoutes::Error(400, e.what());
    } catch (const cli::FolderError& e) {
        return ApiRoutes::Error(500, e.what());
    } catch (const std::exception& e) {
        return ApiRoutes::Error(500, std::string("internal error: ") + e.what());
    }
}

void WriteMessages(JsonWriter& json, const std::vector<core::Message>& messages) {
    json.key("messages").beginArray();
    for (const core::Message& m : messages)
        json.beginObject().field("key", m.key).field("text", m.text).endObject();
    json.endArray();
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The search or the listing as the window does it; the answer lists every result row.
ApiAnswer RunSelection(const ServedCatalogue& served, const QByteArray& body, bool search) {
    const QJsonObject object = ParseBody(body);
    const std::string language = LanguageField(object);
    // As on the command line, the obsolete filter belongs to the listing only.
    const std::vector<std::string_view> names = cli::SessionOptionNames(!search);
    const std::string_view command = search ? "search" : "list";
    const cli::CommandOptions options(command, BodyToArgs(object, names, {"language"}), names);
    std::ostringstream unused;
    cli::CliContext ctx = MakeContext(served, language, unused);
    const cli::SessionScript script = cli::SessionScript::Read(options, command, search);

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue(), ctx.language, sink);
    script.Prepare(session, options);
    const std::size_t first = sink.messages.size();
    script.Press(session);
    std::vector<core::Message> messages(sink.messages.begin() + static_cast<std::ptrdiff_t>(first),
                                        sink.messages.end());
    if (const auto refusal = session.pressureRefusal())
        messages.push_back(*refusal);
    const bool refused = session.lastActionRefused();

    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject().key("case");
    if (search && session.lastSearchCase())
        json.value(*session.lastSearchCase());
    else
        json.null();
    json.field("refused", refused).field("maintenance", session.lastSearchWasMaintenance());
    WriteMessages(json, messages);
    json.field("pressure", session.input().values.sngTillgLuftTryck);
    json.key("rows").beginArray();
    const core::ResultTable& results = session.results();
    const int count = refused ? 0 : results.rowCount();
    const std::vector<core::AnalysedRow> analysed =
        search && count > 0 ? core::AnalyseRows(session, 1, count, core::AirCostInputs{})
                            : std::vector<core::AnalysedRow>{};
    for (int r = 1; r <= count; ++r) {
        const auto k = static_cast<std::size_t>(r - 1);
        const core::ResultRow& row = results.rows[k];
        json.beginObject();
        if (k < analysed.size()) {
            cli::WriteAnalysisFields(json, analysed[k]);
        } else {
            json.field("row", r).field("index", row.intRadKatalogindex);
            json.field("designation",
                       ctx.catalogue().strBenamning[static_cast<std::size_t>(row.intRadKatalogindex)]);
        }
        const std::string alternative = k < results.grid.size() ? Trimmed(results.grid[k].cells[1]) : "";
        json.key("alternative");
        if (alternative.empty())
            json.null();
        else
            json.value(alternative);
        json.field("obsolete", k < results.grid.size() && results.grid[k].obsolete);
        json.field("throttle", row.sngRadStrypning);
        json.key("reducedPressure");
        if (k < analysed.size() && analysed[k].analysis.mode == core::DutyMode::ReducedPressure)
            json.value(row.sngRadTryck);
        else
            json.null();
        json.endObject();
    }
    json.endArray().endObject();
    json.finish();
    return {refused ? 422 : 200, "application/json", Bytes(out)};
}

// A motor made current the way a user reaches any motor: the listing of every series, obsolete ones
// too, at the pressure asked for, then a click on its row.
struct CurrentMotorSession {
    core::RecordingMessageSink sink;
    std::ostringstream unused;
    cli::CliContext ctx;
    std::unique_ptr<core::SelectionSession> session;
};

std::unique_ptr<CurrentMotorSession> MakeCurrent(const ServedCatalogue& served, int index,
                                                 const QUrlQuery& query,
                                                 const std::vector<std::string_view>& fields) {
    if (index < 1 || index > served.folder.catalogue->intAntalMotorer)
        throw ApiError(404, "there is no motor " + std::to_string(index) + " in the catalogue");
    auto current = std::make_unique<CurrentMotorSession>();
    const std::string language = LanguageOf(query.queryItemValue(QStringLiteral("language")));
    current->ctx = MakeContext(served, language, current->unused);
    cli::CommandArgs args = {"--series", "TKM,TKS,PGW", "--obsolete", "all"};
    for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
        const std::string field = name.toStdString();
        if (field == "language")
            continue;
        const auto known = std::find_if(fields.begin(), fields.end(),
                                        [&field](std::string_view f) { return CamelCase(f) == field; });
        if (known == fields.end())
            throw ApiError(400, "unknown query item \"" + field + "\"");
        if (value.size() > 64)
            throw ApiError(400, "query item " + field + ": the value is too long");
        args.push_back("--" + std::string(*known));
        args.push_back(value.toStdString());
    }
    const std::vector<std::string_view> names = cli::SessionOptionNames(true);
    const cli::CommandOptions options("list", args, names);
    const cli::SessionScript script = cli::SessionScript::Read(options, "list", false);
    current->session = std::make_unique<core::SelectionSession>(current->ctx.catalogue(),
                                                                current->ctx.language, current->sink);
    script.Prepare(*current->session, options);
    script.Press(*current->session);
    for (int r = 1; r <= current->session->results().rowCount(); ++r)
        if (current->session->CatalogueIndexOfRow(r) == index && current->session->ClickCell(r, 0))
            return current;
    throw ApiError(404, "motor " + std::to_string(index) + " is in no listing of the catalogue");
}

QSize PictureSize(const QUrlQuery& query, QSize fallback) {
    const auto side = [&query](const char* name, int given) {
        const QString text = query.queryItemValue(QString::fromLatin1(name));
        if (text.isEmpty())
            return given;
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < kMinPictureSide || value > kMaxPictureSide)
            throw ApiError(400, std::string(name) + " must be a whole number of pixels 200..3000");
        return value;
    };
    return {side("width", fallback.width()), side("height", fallback.height())};
}

// Runs a command of the command line on the body and answers with its JSON as it stands.
ApiAnswer RunCommand(const ServedCatalogue& served, const QByteArray& body,
                     const std::vector<std::string_view>& names,
                     int (*command)(cli::CliContext&, const cli::CommandArgs&)) {
    const QJsonObject object = ParseBody(body);
    const std::string language = LanguageField(object);
    const cli::CommandArgs args = BodyToArgs(object, names, {"language"});
    std::ostringstream out;
    cli::CliContext ctx = MakeContext(served, language, out);
    command(ctx, args);
    return {200, "application/json", Bytes(out)};
}

// The calculator's answer with the boxes named by their options instead of the window's box numbers.
QByteArray RenameCalculatorAnswer(const QByteArray& cliAnswer, bool wagon) {
    const QJsonObject answer = QJsonDocument::fromJson(cliAnswer).object();
    const auto boxName = [wagon](const QString& box) {
        for (const auto& [option, number] : cli::CalculatorInputs(wagon))
            if (box == QStringLiteral("Text1_%1").arg(number))
                return QString::fromLatin1(option.data(), static_cast<qsizetype>(option.size()));
        return box;
    };
    QJsonObject inputs;
    const QJsonObject boxes = answer.value(QStringLiteral("boxes")).toObject();
    for (auto it = boxes.begin(); it != boxes.end(); ++it)
        inputs.insert(boxName(it.key()), it.value());
    const QJsonObject motor = answer.value(QStringLiteral("motor")).toObject();
    QJsonObject renamed;
    renamed.insert(QStringLiteral("refused"), answer.value(QStringLiteral("refused")));
    renamed.insert(QStringLiteral("messages"), answer.value(QStringLiteral("messages")));
    renamed.insert(QStringLiteral("motor"),
                   QJsonObject{{QStringLiteral("designation"), motor.value(QStringLiteral("Text1_13"))},
                               {QStringLiteral("stallTorque"), motor.value(QStringLiteral("Ms"))},
                               {QStringLiteral("startTorque"), motor.value(QStringLiteral("Mst"))},
                               {QStringLiteral("freeSpeed"), motor.value(QStringLiteral("n0"))}});
    renamed.insert(QStringLiteral("inputs"), inputs);
    for (const char* key : {"values", "heading", "curves", "axes"})
        renamed.insert(QString::fromLatin1(key), answer.value(QString::fromLatin1(key)));
    return QJsonDocument(renamed).toJson(QJsonDocument::Compact) + '\n';
}

ApiAnswer RunCalculator(const ServedCatalogue& served, const QByteArray& body, bool wagon) {
    std::vector<std::string_view> names = cli::SessionOptionNames(true);
    names.insert(names.end(), {"index", "own"});
    for (const auto& input : cli::CalculatorInputs(wagon))
        names.push_back(input.first);
    ApiAnswer answer =
        RunCommand(served, body, names, wagon ? cli::RunWagonCommand : cli::RunRotatingMassCommand);
    const bool refused =
        QJsonDocument::fromJson(answer.body).object().value(QStringLiteral("refused")).toBool();
    answer.body = RenameCalculatorAnswer(answer.body, wagon);
    answer.status = refused ? 422 : 200;
    return answer;
}

} // namespace

ApiAnswer ApiRoutes::Error(int status, const std::string& message) {
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject().field("error", message).endObject();
    json.finish();
    return {status, "application/json", Bytes(out)};
}

ApiAnswer ApiRoutes::search(const QByteArray& body) const {
    return Guarded([&] { return RunSelection(*holder_.current(), body, true); });
}

ApiAnswer ApiRoutes::list(const QByteArray& body) const {
    return Guarded([&] { return RunSelection(*holder_.current(), body, false); });
}

ApiAnswer ApiRoutes::motor(int index, const QUrlQuery& query) const {
    return Guarded([&] {
        const auto served = holder_.current();
        const auto made = MakeCurrent(*served, index, query, {"pressure"});
        const core::SelectionSession& s = *made->session;
        const core::CurrentMotor& c = s.current();
        const core::DetailPanel& p = s.panel();
        std::ostringstream out;
        JsonWriter json(out);
        json.beginObject()
            .field("index", c.katalogIndex)
            .field("designation", c.strCurrentBenamning)
            .field("pressure", s.DiagramPressure());
        json.key("figures")
            .beginObject()
            .field("maxPower", c.sngCurMaxEffekt)
            .field("speedAtMaxPower", c.sngCurVarvMaxeff)
            .field("torqueAtMaxPower", c.sngCurMomentMaxeff)
            .field("airAtMaxPower", c.sngCurLuftMaxeff)
            .field("minStartTorque", c.sngCurMinStartMoment)
            .field("freeSpeed", c.sngCurTomgVarv)
            .field("stallTorque", c.sngCurStallmoment)
            .field("gearRatio", c.sngCurrentUtvaxling)
            .endObject();
        // The panel's texts as the window shows them, in the language asked for.
        json.key("panel")
            .beginObject()
            .field("heading", p.Label17)
            .field("torqueAtMaxPower", p.MmaxeffR)
            .field("speedAtMaxPower", p.NMaxeffR)
            .field("maxPower", p.MaxeffektR)
            .field("airAtMaxPower", p.QmR)
            .field("minStartTorque", p.MinStartMomentR)
            .field("freeSpeedCaption", p.Label15)
            .field("freeSpeed", p.NtomgangR)
            .field("stallTorque", p.StallmomentR)
            .field("weight", p.lblWeight)
            .field("workingPressure", p.ArbetstryckR)
            .field("throttledFreeSpeed", p.StrypningR)
            .field("relativePrice", p.RelativprisR)
            .field("productNumber", p.lblProductNumber)
            .field("explosionCaption", p.Label24)
            .field("explosionClass", p.lblClass)
            .endObject();
        json.key("information");
        if (s.lastInformation())
            json.value(*s.lastInformation());
        else
            json.null();
        const core::DrawingChoice drawing =
            core::ChooseDrawing(served->folder.catalogue->strMattskiss[static_cast<std::size_t>(index)], 0);
        json.key("drawingLink");
        if (drawing.isLink)
            json.value(drawing.name);
        else
            json.null();
        json.field("drawing", !drawing.isLink && !drawing.name.empty());
        json.endObject();
        json.finish();
        return ApiAnswer{200, "application/json", Bytes(out)};
    });
}

ApiAnswer ApiRoutes::diagram(int index, const QUrlQuery& query) const {
    return Guarded([&] {
        const auto served = holder_.current();
        QUrlQuery fields = query;
        fields.removeAllQueryItems(QStringLiteral("width"));
        fields.removeAllQueryItems(QStringLiteral("height"));
        const QSize size = PictureSize(query, kDiagramSize);
        const auto made = MakeCurrent(*served, index, fields, {"pressure", "torque", "speed", "alternative"});
        // The session took SI figures; the picture speaks the units of the language asked for, as
        // the window's diagram does (psi, lbf ft and hp under English_Imperial).
        const std::string language = LanguageOf(query.queryItemValue(QStringLiteral("language")));
        const core::MotorDiagramInput input =
            core::DiagramInputFromSession(*made->session, served->language(language));
        const platform::ChartBytes chart =
            platform::RenderMotorDiagramFile(input, QStringLiteral("svg"), size);
        if (!chart.error.isEmpty())
            throw ApiError(500, "the diagram could not be drawn: " + chart.error.toStdString());
        return ApiAnswer{200, "image/svg+xml", chart.bytes};
    });
}

ApiAnswer ApiRoutes::drawing(int index, const QByteArray& format) const {
    return Guarded([&] {
        const auto served = holder_.current();
        const core::MotorCatalogue& catalogue = *served->folder.catalogue;
        if (index < 1 || index > catalogue.intAntalMotorer)
            throw ApiError(404, "there is no motor " + std::to_string(index) + " in the catalogue");
        // The file comes from the catalogue's own reference, never from the request.
        const core::DrawingChoice choice =
            core::ChooseDrawing(catalogue.strMattskiss[static_cast<std::size_t>(index)], 0);
        if (choice.isLink || choice.name.empty())
            throw ApiError(404, "motor " + std::to_string(index) + " has no drawing file");
        const platform::DimensionDrawing drawing = platform::DimensionDrawing::Load(
            QString::fromStdString(served->folder.folder.string()), QString::fromStdString(choice.name));
        if (!drawing.isValid())
            throw ApiError(404, drawing.error().toStdString());
        const QRectF bounds = drawing.bounds();
        const double scale =
            std::min(kDrawingSize.width() / bounds.width(), kDrawingSize.height() / bounds.height());
        const QSizeF fitted = bounds.size() * scale;
        const QRectF target(QPointF((kDrawingSize.width() - fitted.width()) / 2,
                                    (kDrawingSize.height() - fitted.height()) / 2),
                            fitted);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (format == "png") {
            QImage image(kDrawingSize, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            drawing.render(painter, target);
            painter.end();
            if (!image.save(&buffer, "PNG"))
                throw ApiError(500, "the PNG image could not be made");
            return ApiAnswer{200, "image/png", bytes};
        }
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(kDrawingSize);
        generator.setViewBox(QRectF(QPointF(0, 0), QSizeF(kDrawingSize)));
        generator.setTitle(QString::fromStdString(choice.name));
        QPainter painter(&generator);
        painter.fillRect(QRectF(QPointF(0, 0), QSizeF(kDrawingSize)), Qt::white);
        drawing.render(painter, target);
        painter.end();
        return ApiAnswer{200, "image/svg+xml", bytes};
    });
}

ApiAnswer ApiRoutes::datasheet(const QByteArray& body) const {
    return Guarded([&] {
        const auto served = holder_.current();
        const QJsonObject object = ParseBody(body);
        const std::string language = LanguageField(object);
        std::vector<std::string_view> names = cli::SessionOptionNames(true);
        names.emplace_back("mode");
        // The body's "row" is the grid row to click, as --select on the command line.
        QJsonObject renamed = object;
        if (renamed.contains(QStringLiteral("row"))) {
            if (renamed.contains(QStringLiteral("select")))
                throw ApiError(400, "give row or select, not both");
            renamed.insert(QStringLiteral("select"), renamed.take(QStringLiteral("row")));
        }
        const cli::CommandOptions options("datasheet", BodyToArgs(renamed, names, {"language"}), names);
        std::ostringstream unused;
        cli::CliContext ctx = MakeContext(*served, language, unused);
        const core::PrintMode mode = cli::ParseDatasheetMode(options.text("mode"));
        platform::PdfMemorySink sink;
        const cli::DatasheetRun printed = cli::PrintDatasheet(ctx, options, mode, sink, 1);
        if (!printed.run.ok() || sink.documents().isEmpty())
            throw ApiError(500, "the data sheet could not be made: " + printed.run.error.toStdString());
        return ApiAnswer{200, "application/pdf", sink.documents().front()};
    });
}

ApiAnswer ApiRoutes::compare(const QByteArray& body) const {
    return Guarded([&] {
        std::vector<std::string_view> names = cli::SessionOptionNames(true);
        names.emplace_back("rows");
        return RunCommand(*holder_.current(), body, names, cli::RunCompareCommand);
    });
}

ApiAnswer ApiRoutes::wagon(const QByteArray& body) const {
    return Guarded([&] { return RunCalculator(*holder_.current(), body, true); });
}

ApiAnswer ApiRoutes::rotatingMass(const QByteArray& body) const {
    return Guarded([&] { return RunCalculator(*holder_.current(), body, false); });
}

ApiAnswer ApiRoutes::texts(const QUrlQuery& query) const {
    return Guarded([&] {
        const auto served = holder_.current();
        const std::string language = LanguageOf(query.queryItemValue(QStringLiteral("language")));
        return ApiAnswer{200, "application/json", PageTexts(served->language(language), language)};
    });
}

ApiAnswer ApiRoutes::catalogue() const {
    return Guarded([&] {
        const auto served = holder_.current();
        const core::MotorCatalogue& c = *served->folder.catalogue;
        std::ostringstream out;
        JsonWriter json(out);
        json.beginObject().field("count", static_cast<int>(c.intAntalMotorer)).key("motors").beginArray();
        for (int k = 1; k <= c.intAntalMotorer; ++k)
            json.beginObject()
                .field("index", k)
                .field("designation", c.strBenamning[static_cast<std::size_t>(k)])
                .endObject();
        json.endArray().endObject();
        json.finish();
        return ApiAnswer{200, "application/json", Bytes(out)};
    });
}

ApiAnswer ApiRoutes::health() const {
    const auto served = holder_.current();
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject()
        .field("status", "ok")
        .field("version", core::BuildVersionText())
        .field("motors", static_cast<int>(served->folder.catalogue->intAntalMotorer))
        .endObject();
    json.finish();
    return {200, "application/json", Bytes(out)};
}

} // namespace airmotor::server
