#include "app/calculators/CalculatorSketch.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace airmotor::app {

namespace {
// Drawn in a 300 x 200 sketch space scaled to the widget.
constexpr double kSketchWidth = 300.0, kSketchHeight = 200.0;
const QColor kInk(40, 40, 40);
const QColor kMotor(120, 160, 210);
const QColor kGear(200, 170, 90);
const QColor kLoad(220, 220, 220);

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double len = 7.0;
    p.drawLine(to, to - QPointF(len * std::cos(a - 0.4), len * std::sin(a - 0.4)));
    p.drawLine(to, to - QPointF(len * std::cos(a + 0.4), len * std::sin(a + 0.4)));
}

void Gear(QPainter& p, QPointF centre, double radius, int teeth) {
    QPainterPath path;
    for (int k = 0; k <= 2 * teeth; ++k) {
        const double a = k * M_PI / teeth;
        const double r = (k % 2 == 0) ? radius : radius * 0.82;
        const QPointF pt = centre + QPointF(r * std::cos(a), r * std::sin(a));
        k == 0 ? path.moveTo(pt) : path.lineTo(pt);
    }
    p.setBrush(kGear);
    p.drawPath(path);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius * 0.2, radius * 0.2);
}

void DrawWagon(QPainter& p) {
    // Ground rising to the right at the slope angle alfa.
    const double slope = 12.0 * M_PI / 180.0;
    const QPointF foot(20, 175);
    const auto along = [&](double s, double h) {
        return foot + QPointF(s * std::cos(slope) + h * std::sin(slope),
                              -s * std::sin(slope) + h * -std::cos(slope));
    };
    p.drawLine(foot, along(270, 0));
    p.drawLine(foot, foot + QPointF(270 * std::cos(slope), 0));
    p.drawArc(QRectF(foot.x() - 60, foot.y() - 60, 120, 120), 0, int(12 * 16));
    p.drawText(foot + QPointF(66, -4), QStringLiteral("α"));
    // Wagon body on two wheels; the front wheel (diameter D) is driven.
    // A rectangle standing on the slope from s0 to s1 along it and h0 to h1 above it.
    const auto box = [&](double s0, double s1, double h0, double h1) {
        return QPolygonF{along(s0, h0), along(s1, h0), along(s1, h1), along(s0, h1)};
    };
    p.setBrush(kLoad);
    p.drawPolygon(box(80, 210, 18, 78));
    p.drawText(along(130, 55), QStringLiteral("m"));
    p.setBrush(Qt::white);
    for (double s : {105.0, 185.0})
        p.drawEllipse(along(s, 14), 14, 14);
    // Diameter D across the driven wheel.
    p.drawLine(along(185, 0), along(185, 28));
    p.drawText(along(200, 2) + QPointF(0, 16), QStringLiteral("D"));
    // Motor and gear stage (i, eta) on the wagon, driving the front wheel through a chain.
    p.setBrush(kMotor);
    p.drawPolygon(box(140, 180, 44, 68));
    p.drawText(along(153, 50), QStringLiteral("M"));
    Gear(p, along(192, 56), 8, 8);
    p.drawLine(along(180, 56), along(184, 56));
    p.setBrush(Qt::NoBrush);
    p.drawLine(along(192, 64), along(185, 20));
    p.drawLine(along(192, 48), along(185, 8));
    p.drawText(along(214, 66), QStringLiteral("i, η"));
    // Velocity, resistance and the wheel's normal force.
    Arrow(p, along(215, 95), along(260, 95));
    p.drawText(along(228, 102), QStringLiteral("v"));
    Arrow(p, along(75, 50), along(35, 50));
    p.drawText(along(40, 58), QStringLiteral("FR"));
    Arrow(p, along(185, 0) + QPointF(0, -30), along(185, 0));
    p.drawText(along(150, -14) + QPointF(0, 8), QStringLiteral("Nd, μ"));
}

void DrawRotatingMass(QPainter& p) {
    // Motor, a gear pair (i, eta), the shaft, the mass J and a damper c on the shaft.
    p.setBrush(kMotor);
    p.drawRect(QRectF(15, 60, 60, 44));
    p.drawText(QRectF(15, 60, 60, 44), Qt::AlignCenter, QStringLiteral("M"));
    p.drawLine(QPointF(75, 82), QPointF(95, 82));
    Gear(p, QPointF(104, 82), 12, 8);
    Gear(p, QPointF(104, 122), 28, 16);
    p.drawText(QPointF(136, 66), QStringLiteral("i, η"));
    p.drawLine(QPointF(104, 122), QPointF(270, 122));
    p.setBrush(kLoad);
    p.drawRect(QRectF(170, 62, 26, 120));
    p.drawText(QPointF(176, 56), QStringLiteral("J"));
    // Viscous damper: a piston in a cylinder tied to ground.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(226, 108, 30, 28));
    p.drawLine(QPointF(236, 112), QPointF(236, 132));
    p.drawLine(QPointF(256, 122), QPointF(280, 122));
    for (int k = 0; k < 5; ++k)
        p.drawLine(QPointF(280, 104 + 8 * k), QPointF(288, 98 + 8 * k));
    p.drawLine(QPointF(280, 100), QPointF(280, 144));
    p.drawText(QPointF(236, 152), QStringLiteral("c"));
    // Turning direction and resistance.
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(150, 40, 66, 164), 30 * 16, 120 * 16);
    Arrow(p, QPointF(198, 46), QPointF(208, 52));
    p.drawText(QPointF(214, 44), QStringLiteral("ω"));
    p.drawText(QPointF(150, 196), QStringLiteral("Mres"));
}
} // namespace

CalculatorSketch::CalculatorSketch(core::CalculatorKind kind, QWidget* parent)
    : QWidget(parent), kind_(kind) {
    setObjectName("Picture1");
    setMinimumSize(240, 200);
}

void CalculatorSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const double scale = std::min(width() / kSketchWidth, height() / kSketchHeight);
    p.translate((width() - kSketchWidth * scale) / 2.0, (height() - kSketchHeight * scale) / 2.0);
    p.scale(scale, scale);
    p.setPen(QPen(kInk, 1.4));
    QFont f = p.font();
    f.setPixelSize(12);
    f.setItalic(true);
    p.setFont(f);
    if (kind_ == core::CalculatorKind::Wagon)
        DrawWagon(p);
    else
        DrawRotatingMass(p);
}

} // namespace airmotor::app
