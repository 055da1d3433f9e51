#include "platform/drawing/PainterCanvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace airmotor::platform {

namespace {

QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor ToQColor(core::Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

// Window font sizes are the printer size less six; at this reference height one such unit is one
// point at 96 dpi scaled so tick labels stay legible on a large window.
constexpr double kWindowFontReference = 230.0;
// Below this many pixels per size unit the tick labels of a small window would be unreadable.
constexpr double kWindowFontMinimum = 2.6;

} // namespace

QString PainterCanvas::DiagramFontFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        // A family installed by several foundries is listed as "Name [foundry]".
        for (const char* wanted : {"Nimbus Sans", "Nimbus Sans L", "Liberation Sans", "DejaVu Sans"}) {
            const QString name = QString::fromLatin1(wanted);
            for (const QString& listed : families)
                if (listed == name || listed.startsWith(name + " ["))
                    return name;
        }
        return QString::fromLatin1("Sans Serif");
    }();
    return family;
}

PainterCanvas::PainterCanvas(QPainter& painter, QRectF deviceRect, core::CanvasKind kind, double dpi)
    : painter_(painter), device_(deviceRect), kind_(kind), dpi_(dpi > 0.0 ? dpi : 96.0) {
    font_.setFamily(DiagramFontFamily());
    font_.setPixelSize(12);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(font_);
    applyPen();
}

void PainterCanvas::setWorld(float left, float top, float width, float height) {
    worldLeft_ = left;
    worldTop_ = top;
    worldWidth_ = width != 0.0f ? width : 1.0f;
    worldHeight_ = height != 0.0f ? height : 1.0f;
}

QPointF PainterCanvas::map(float x, float y) const {
    return {device_.left() + (static_cast<double>(x) - worldLeft_) / worldWidth_ * device_.width(),
            device_.top() + (static_cast<double>(y) - worldTop_) / worldHeight_ * device_.height()};
}

void PainterCanvas::applyPen() {
    QPen pen(colour_, width_, style_, Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::setColour(core::Rgb colour) {
    colour_ = ToQColor(colour);
    applyPen();
}

void PainterCanvas::setLineWidth(int deviceWidth) {
    width_ = deviceWidth < 1 ? 1 : deviceWidth;
    applyPen();
}

void PainterCanvas::setLineStyle(int style) {
    switch (style) {
    case 1:
        style_ = Qt::DashLine;
        break;
    case 2:
        style_ = Qt::DotLine;
        break;
    case 3:
        style_ = Qt::DashDotLine;
        break;
    case 4:
        style_ = Qt::DashDotDotLine;
        break;
    default:
        style_ = Qt::SolidLine;
    }
    applyPen();
}

void PainterCanvas::setFont(float size, bool bold) {
    double pixels = 0.0;
    if (kind_ == core::CanvasKind::Window)
        pixels =
            static_cast<double>(size) * std::max(device_.height() / kWindowFontReference, kWindowFontMinimum);
    else
        pixels = static_cast<double>(size) / 72.0 * dpi_;
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font_.setBold(bold);
    painter_.setFont(font_);
}

void PainterCanvas::line(float x1, float y1, float x2, float y2) {
    painter_.drawLine(map(x1, y1), map(x2, y2));
}

void PainterCanvas::polyline(const float* xy, int pointCount) {
    QPolygonF poly;
    poly.reserve(pointCount);
    for (int i = 0; i < pointCount; ++i)
        poly.append(map(xy[2 * i], xy[2 * i + 1]));
    painter_.drawPolyline(poly);
}

void PainterCanvas::point(float x, float y, core::Rgb colour) {
    painter_.save();
    painter_.setPen(QPen(ToQColor(colour), 1));
    painter_.drawPoint(map(x, y));
    painter_.restore();
}

void PainterCanvas::circle(float x, float y, float radius, core::Rgb colour) {
    const double r = std::fabs(static_cast<double>(radius) / worldWidth_ * device_.width());
    painter_.save();
    painter_.setPen(QPen(ToQColor(colour), width_));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(map(x, y), r, r);
    painter_.restore();
}

void PainterCanvas::text(float x, float y, std::string_view utf8) {
    const QFontMetricsF fm(font_, painter_.device());
    QPointF p = map(x, y);
    p.ry() += fm.ascent();
    painter_.drawText(p, ToQString(utf8));
}

float PainterCanvas::textWidth(std::string_view utf8) const {
    const QFontMetricsF fm(font_, painter_.device());
    return static_cast<float>(fm.horizontalAdvance(ToQString(utf8)) / device_.width() *
                              std::fabs(worldWidth_));
}

float PainterCanvas::textHeight(std::string_view) const {
    const QFontMetricsF fm(font_, painter_.device());
    return static_cast<float>(fm.height() / device_.height() * std::fabs(worldHeight_));
}

} // namespace airmotor::platform
