#include "platform/drawing/DimensionDrawing.h"

#include "platform/drawing/WmfRenderer.h"
#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

namespace airmotor::platform {

namespace {

// Catalogue references are written in upper case as on the original file system; on a
// case-sensitive file system the lower-case spelling is accepted as well.
QString FindWithSuffix(const QDir& dir, const QString& name, const char* suffix) {
    for (const QString& candidate : {name + QLatin1Char('.') + QLatin1String(suffix),
                                     name + QLatin1Char('.') + QString::fromLatin1(suffix).toLower()}) {
        const QString path = dir.filePath(candidate);
        // Anything by that name is taken: reading it says what is wrong when it is no file.
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

// A renderer for SVG text that draws something, or null.
std::unique_ptr<QSvgRenderer> DrawableSvg(const QByteArray& svg) {
    auto renderer = std::make_unique<QSvgRenderer>(svg);
    if (!renderer->isValid() || renderer->viewBoxF().isEmpty())
        return nullptr;
    return renderer;
}

} // namespace

DimensionDrawing::DimensionDrawing() = default;
DimensionDrawing::~DimensionDrawing() = default;
DimensionDrawing::DimensionDrawing(DimensionDrawing&&) noexcept = default;
DimensionDrawing& DimensionDrawing::operator=(DimensionDrawing&&) noexcept = default;

DimensionDrawing DimensionDrawing::Load(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("?") || trimmed.contains(QLatin1Char('/')) ||
        trimmed.contains(QLatin1Char('\\')) || trimmed.contains(QLatin1String(".."))) {
        DimensionDrawing d;
        if (trimmed.isEmpty() || trimmed == QLatin1String("?")) {
            d.fail(core::TaskProblem::DrawingNone,
                   QStringLiteral("No dimension drawing is available for this motor."));
        } else {
            d.fail(core::TaskProblem::DrawingNameNotPlain,
                   QStringLiteral("The dimension drawing name \"%1\" is not a plain file name.").arg(trimmed),
                   trimmed);
        }
        return d;
    }
    for (const char* suffix : {"WMF", "SVG", "PNG"}) {
        const QString path = FindWithSuffix(dir, trimmed, suffix);
        if (!path.isEmpty())
            return FromFile(path);
    }
    DimensionDrawing d;
    d.source_ = dir.filePath(trimmed + QStringLiteral(".WMF"));
    const QString looked = QDir::toNativeSeparators(d.source_);
    d.fail(core::TaskProblem::DrawingNotFound, QStringLiteral("Dimension drawing not found: %1").arg(looked),
           looked);
    return d;
}

DimensionDrawing DimensionDrawing::FromFile(const QString& path) {
    DimensionDrawing d;
    d.source_ = path;
    auto read = ReadRegularFile(path, kDrawingFileCap);
    if (const auto* error = std::get_if<FileError>(&read)) {
        d.fail(core::TaskProblem::DrawingNotShown, QString::fromStdString(error->message),
               QDir::toNativeSeparators(path));
        d.fault_.file = error->fault;
        return d;
    }
    const QByteArray bytes = std::get<QByteArray>(std::move(read));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("wmf"))
        return FromWmfData(bytes, path);
    if (suffix == QLatin1String("svg")) {
        d.svg_ = DrawableSvg(bytes);
        if (!d.svg_)
            d.fail(core::TaskProblem::DrawingNotShown,
                   QStringLiteral("%1: not a readable SVG drawing").arg(QDir::toNativeSeparators(path)),
                   QDir::toNativeSeparators(path));
        return d;
    }
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull()) {
        d.fail(core::TaskProblem::DrawingNotShown,
               QStringLiteral("%1: not a readable image").arg(QDir::toNativeSeparators(path)),
               QDir::toNativeSeparators(path));
        return d;
    }
    d.image_ = image;
    return d;
}

DimensionDrawing DimensionDrawing::FromWmfData(const QByteArray& wmf, const QString& sourceName) {
    DimensionDrawing d;
    d.source_ = sourceName;
    const WmfRenderer::Result converted = WmfRenderer::ToSvg(wmf);
    if (!converted.error.isEmpty()) {
        const QString name = QDir::toNativeSeparators(sourceName);
        d.fail(core::TaskProblem::MetafileNotRead, QStringLiteral("%1: %2").arg(name, converted.error), name);
        d.fault_.detail = converted.error.toStdString();
        return d;
    }
    d.svg_ = DrawableSvg(converted.svg);
    if (!d.svg_)
        d.fail(
            core::TaskProblem::DrawingNotShown,
            QStringLiteral("%1: the metafile could not be drawn").arg(QDir::toNativeSeparators(sourceName)),
            QDir::toNativeSeparators(sourceName));
    return d;
}

void DimensionDrawing::fail(core::TaskProblem problem, const QString& english, const QString& subject) {
    error_ = english;
    fault_ = core::TaskFault{problem, subject.toStdString(), {}, std::nullopt};
}

QRectF DimensionDrawing::bounds() const {
    if (svg_)
        return QRectF(QPointF(0, 0), svg_->viewBoxF().size());
    if (!image_.isNull())
        return QRectF(QPointF(0, 0), QSizeF(image_.size()));
    return {};
}

void DimensionDrawing::render(QPainter& painter, const QRectF& target, const QRectF& source) const {
    const QRectF whole = bounds();
    const QRectF src = source.isNull() ? whole : source;
    if (!isValid() || src.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (svg_) {
        // Map the source rectangle onto the target: the whole picture is drawn scaled so that the
        // source part lands exactly in the target.
        const double sx = target.width() / src.width();
        const double sy = target.height() / src.height();
        const QRectF full(target.left() - (src.left() - whole.left()) * sx,
                          target.top() - (src.top() - whole.top()) * sy, whole.width() * sx,
                          whole.height() * sy);
        svg_->render(&painter, full);
    } else {
        painter.drawImage(target, image_, src);
    }
    painter.restore();
}

} // namespace airmotor::platform
