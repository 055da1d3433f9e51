#include "cli/DiagramCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/OutputFile.h"
#include "cli/SessionScript.h"
#include "core/common/MessageSink.h"
#include "core/diagram/DrawingReference.h"
#include "core/diagram/SessionDiagramInput.h"
#include "core/format/NumberParsing.h"
#include "core/session/SelectionSession.h"
#include "platform/drawing/DiagramExport.h"
#include "platform/drawing/DimensionDrawing.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace airmotor::cli {
namespace {

QSize ParseSize(const std::optional<std::string>& text, std::string_view command) {
    if (!text)
        return {1400, 1200};
    const auto x = text->find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : core::ParseInt(text->substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : core::ParseInt(text->substr(x + 1));
    if (!w || !h || *w < 50 || *h < 50 || *w > 20000 || *h > 20000)
        throw UsageError(std::string(command) + ": --size takes WxH, each 50..20000 pixels");
    return {*w, *h};
}

} // namespace

int RunDiagramCommand(CliContext& ctx, const CommandArgs& args) {
    std::vector<std::string_view> names = SessionOptionNames(true);
    names.insert(names.end(), {"out", "size"});
    const CommandOptions options("diagram", args, names);
    const std::string out = OutputFile(options, "diagram", {"svg", "png", "pdf"});
    const QSize size = ParseSize(options.text("size"), "diagram");

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue(), ctx.language, sink);
    const bool current = DriveSession(ctx, session, options, "diagram");
    const core::MotorDiagramInput input = core::DiagramInputFromSession(session, ctx.language);
    if (!current || input.index <= 0)
        throw UsageError("diagram: no motor is current for that row and column, nothing was written");
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
    const int index = options.integer("index", 0, 1, ctx.catalogue().intAntalMotorer);
    if (!options.has("index"))
        throw UsageError("drawing: --index is required");
    const int column = options.integer("column", 0, 0, 1);
    const std::string out = OutputFile(options, "drawing", {"png"});
    const QSize size = ParseSize(options.text("size"), "drawing");

    const core::DrawingChoice choice =
        core::ChooseDrawing(ctx.catalogue().strMattskiss[static_cast<std::size_t>(index)], column);
    if (choice.isLink)
        throw UsageError("drawing: motor " + std::to_string(index) + " refers to a web page (" + choice.name +
                         "), not to a drawing file");
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
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG"))
        throw FolderError("drawing: " + out + ": the PNG image could not be made");
    if (auto error = platform::WriteFileAtomically(QString::fromStdString(out), png.data()))
        throw FolderError("drawing: " + error->message);
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
