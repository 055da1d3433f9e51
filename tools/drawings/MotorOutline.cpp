#include "MotorOutline.h"

#include "WmfWriter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace airmotor::drawings {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kDimension = 0x1F3A93; // dimension lines and numbers
constexpr std::uint32_t kCentre = 0x555555;
constexpr std::uint32_t kFill = 0xE6E9EE; // light face of the housing
constexpr int kUnit = 10;                 // logical units per millimetre
constexpr int kSheetW = 297 * kUnit, kSheetH = 210 * kUnit;
constexpr int kTextH = 35; // 3.5 mm lettering

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

// The suffix after the family ("TKM22G" -> "G", "TKM14GS" -> "GS"), upper case.
std::string Variant(const std::string& name) {
    std::size_t i = 0;
    while (i < name.size() && std::isalpha(static_cast<unsigned char>(name[i])))
        ++i;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])))
        ++i;
    return name.substr(i);
}

class Sheet {
public:
    Sheet(WmfWriter& w, double scale) : w_(w), scale_(scale) {}

    // Millimetres of the motor -> logical units on the sheet around an origin in sheet millimetres.
    int X(double ox, double mm) const { return Round((ox + mm / scale_) * kUnit); }
    int Y(double oy, double mm) const { return Round((oy + mm / scale_) * kUnit); }

    void arrow(int x, int y, int dx, int dy) {
        // Filled arrowhead 3 mm long pointing along (dx, dy) with its tip at (x, y).
        const double len = std::hypot(dx, dy);
        if (len == 0)
            return;
        const double ux = dx / len, uy = dy / len;
        const double l = 3.0 * kUnit, h = 0.6 * kUnit;
        const int bx = Round(x - ux * l), by = Round(y - uy * l);
        w_.polygon({x, y, Round(bx - uy * h), Round(by + ux * h), Round(bx + uy * h), Round(by - ux * h)});
    }

    // Horizontal dimension between x1 and x2 at height y, extension lines from the feature at yFrom.
    void horizontal(int x1, int x2, int y, int yFrom, const std::string& text) {
        w_.pen(0, 2, kDimension);
        w_.solidBrush(kDimension);
        const int gap = 2 * kUnit * (y > yFrom ? 1 : -1);
        w_.line(x1, yFrom + gap / 2, x1, y + gap);
        w_.line(x2, yFrom + gap / 2, x2, y + gap);
        w_.line(x1, y, x2, y);
        arrow(x1, y, x1 - x2, 0);
        arrow(x2, y, x2 - x1, 0);
        w_.textColour(kDimension);
        w_.textAlign(6);
        w_.text((x1 + x2) / 2, y - 10, text);
    }

    // Vertical dimension between y1 and y2 at x, extension lines from xFrom; the number reads
    // horizontally beside the line.
    void vertical(int y1, int y2, int x, int xFrom, const std::string& text, bool textLeft) {
        w_.pen(0, 2, kDimension);
        w_.solidBrush(kDimension);
        const int gap = 2 * kUnit * (x > xFrom ? 1 : -1);
        w_.line(xFrom + gap / 2, y1, x + gap, y1);
        w_.line(xFrom + gap / 2, y2, x + gap, y2);
        w_.line(x, y1, x, y2);
        arrow(x, y1, 0, y1 - y2);
        arrow(x, y2, 0, y2 - y1);
        w_.textColour(kDimension);
        w_.textAlign(textLeft ? 2 : 0);
        w_.text(x + (textLeft ? -25 : 25), (y1 + y2) / 2 + kTextH / 3, text);
    }

    void centreLine(int x1, int y1, int x2, int y2) {
        w_.pen(3, 2, kCentre);
        w_.line(x1, y1, x2, y2);
    }

private:
    WmfWriter& w_;
    double scale_;
};

std::string Dia(int mm) {
    return "D " + std::to_string(mm);
}

} // namespace

OutlineDimensions DimensionsFor(const OutlineParameters& p) {
    OutlineDimensions d;
    const double weight = std::max(0.2, p.weightKg);
    d.housingDiameter = Round(28.0 + 24.0 * std::cbrt(weight));
    d.housingLength = Round(1.7 * d.housingDiameter + 22.0);
    d.flangeDiameter = Round(1.3 * d.housingDiameter);
    d.flangeThickness = Round(0.12 * d.housingDiameter) + 2;
    d.shaftDiameter = std::max(6, Round(0.22 * d.housingDiameter));
    d.shaftLength = Round(0.5 * d.housingDiameter);
    d.boltCircle = Round(0.5 * (d.housingDiameter + d.flangeDiameter));
    d.boltHole = std::max(4, Round(0.08 * d.housingDiameter));
    const std::string variant = Variant(p.drawingName);
    if (variant.find('G') != std::string::npos) {
        d.gearLength = Round(0.65 * d.housingDiameter);
        d.gearDiameter = Round(0.92 * d.housingDiameter);
    }
    if (!variant.empty() && variant.find('B') != std::string::npos)
        d.brakeLength = Round(0.45 * d.housingDiameter);
    d.overallLength = d.shaftLength + d.flangeThickness + d.gearLength + d.housingLength + d.brakeLength;
    for (int s : {1, 2, 3, 4, 5, 10}) {
        d.scale = s;
        if (d.overallLength / static_cast<double>(s) <= 120.0 &&
            d.flangeDiameter / static_cast<double>(s) <= 70.0)
            break;
    }
    return d;
}

std::vector<std::uint8_t> DrawMotorOutline(const OutlineParameters& p) {
    const OutlineDimensions d = DimensionsFor(p);
    WmfWriter w(kSheetW, kSheetH, 254);
    Sheet s(w, d.scale);

    // Sheet frame.
    w.pen(0, 5, kBlack);
    w.hollowBrush();
    w.rectangle(10 * kUnit, 10 * kUnit, kSheetW - 10 * kUnit, kSheetH - 10 * kUnit);

    // Side view: shaft to the left, axis horizontal.
    const double ox = 62.0, oy = 95.0; // sheet millimetres of the shaft tip on the axis
    const int r = d.housingDiameter / 2, rf = d.flangeDiameter / 2, rs = d.shaftDiameter / 2;
    int x = 0;
    const int xShaftEnd = d.shaftLength;
    const int xFlangeEnd = xShaftEnd + d.flangeThickness;
    const int xGearEnd = xFlangeEnd + d.gearLength;
    const int xHousingEnd = xGearEnd + d.housingLength;
    const int xEnd = xHousingEnd + d.brakeLength;

    w.pen(0, 5, kBlack);
    w.solidBrush(kFill);
    // Shaft with chamfered tip and key way.
    w.polygon({s.X(ox, x + 1), s.Y(oy, -rs), s.X(ox, xShaftEnd), s.Y(oy, -rs), s.X(ox, xShaftEnd),
               s.Y(oy, rs), s.X(ox, x + 1), s.Y(oy, rs), s.X(ox, x), s.Y(oy, rs - 1), s.X(ox, x),
               s.Y(oy, -rs + 1)});
    w.pen(0, 3, kBlack);
    w.hollowBrush();
    const int keyHalf = std::max(1, d.shaftDiameter / 6);
    w.rectangle(s.X(ox, d.shaftLength * 0.2), s.Y(oy, -keyHalf), s.X(ox, d.shaftLength * 0.85),
                s.Y(oy, keyHalf));
    // Flange, gear section, housing and brake section.
    w.pen(0, 5, kBlack);
    w.solidBrush(kFill);
    w.rectangle(s.X(ox, xShaftEnd), s.Y(oy, -rf), s.X(ox, xFlangeEnd), s.Y(oy, rf));
    if (d.gearLength > 0)
        w.rectangle(s.X(ox, xFlangeEnd), s.Y(oy, -d.gearDiameter / 2), s.X(ox, xGearEnd),
                    s.Y(oy, d.gearDiameter / 2));
    w.rectangle(s.X(ox, xGearEnd), s.Y(oy, -r), s.X(ox, xHousingEnd), s.Y(oy, r));
    if (d.brakeLength > 0)
        w.rectangle(s.X(ox, xHousingEnd), s.Y(oy, -r * 0.85), s.X(ox, xEnd), s.Y(oy, r * 0.85));
    // Air inlet boss on top of the housing near its rear end, exhaust slots along it.
    const int inletX = xHousingEnd - d.housingLength / 4;
    const int inletW = std::max(6, d.housingDiameter / 5);
    w.rectangle(s.X(ox, inletX - inletW / 2), s.Y(oy, -r - inletW / 2), s.X(ox, inletX + inletW / 2),
                s.Y(oy, -r));
    w.pen(0, 2, kBlack);
    for (int k = 0; k < 4; ++k) {
        const int sx = xGearEnd + d.housingLength / 5 + k * std::max(3, d.housingLength / 14);
        w.line(s.X(ox, sx), s.Y(oy, r * 0.35), s.X(ox, sx), s.Y(oy, r * 0.75));
    }
    // Hidden bore of the rotor.
    w.pen(1, 2, kBlack);
    w.line(s.X(ox, xFlangeEnd), s.Y(oy, -rs * 1.6), s.X(ox, xHousingEnd - 4), s.Y(oy, -rs * 1.6));
    w.line(s.X(ox, xFlangeEnd), s.Y(oy, rs * 1.6), s.X(ox, xHousingEnd - 4), s.Y(oy, rs * 1.6));
    s.centreLine(s.X(ox, -6), s.Y(oy, 0), s.X(ox, xEnd + 6), s.Y(oy, 0));

    // Dimensions of the side view.
    w.font(kTextH, 400);
    const int below = s.Y(oy, rf) + 12 * kUnit;
    s.horizontal(s.X(ox, 0), s.X(ox, xEnd), below + 10 * kUnit, s.Y(oy, rs), std::to_string(d.overallLength));
    s.horizontal(s.X(ox, xGearEnd), s.X(ox, xHousingEnd), below, s.Y(oy, r), std::to_string(d.housingLength));
    s.horizontal(s.X(ox, 0), s.X(ox, xShaftEnd), s.Y(oy, -rf) - 10 * kUnit, s.Y(oy, -rs),
                 std::to_string(d.shaftLength));
    s.vertical(s.Y(oy, -rf), s.Y(oy, rf), s.X(ox, 0) - 22 * kUnit, s.X(ox, xShaftEnd), Dia(d.flangeDiameter),
               true);
    s.vertical(s.Y(oy, -r), s.Y(oy, r), s.X(ox, xEnd) + 12 * kUnit, s.X(ox, xHousingEnd),
               Dia(d.housingDiameter), false);
    s.vertical(s.Y(oy, -rs), s.Y(oy, rs), s.X(ox, 0) - 8 * kUnit, s.X(ox, 0), Dia(d.shaftDiameter), true);

    // End view from the shaft side.
    const double cx = 245.0, cy = oy;
    const auto ex = [&](double mm) { return s.X(cx, mm); };
    const auto ey = [&](double mm) { return s.Y(cy, mm); };
    w.pen(0, 5, kBlack);
    w.solidBrush(kFill);
    w.ellipse(ex(-rf), ey(-rf), ex(rf), ey(rf));
    w.pen(1, 2, kBlack);
    w.hollowBrush();
    w.ellipse(ex(-r), ey(-r), ex(r), ey(r));
    w.pen(0, 5, kBlack);
    w.solidBrush(0xFFFFFF);
    const double bc = d.boltCircle / 2.0;
    for (int k = 0; k < 4; ++k) {
        const double a = (45.0 + 90.0 * k) * 3.14159265358979 / 180.0;
        const double hx = bc * std::cos(a), hy = bc * std::sin(a);
        w.ellipse(ex(hx - d.boltHole / 2.0), ey(hy - d.boltHole / 2.0), ex(hx + d.boltHole / 2.0),
                  ey(hy + d.boltHole / 2.0));
    }
    w.solidBrush(kFill);
    w.ellipse(ex(-rs), ey(-rs), ex(rs), ey(rs));
    w.pen(3, 2, kCentre);
    w.hollowBrush();
    w.ellipse(ex(-bc), ey(-bc), ex(bc), ey(bc));
    s.centreLine(ex(-rf - 5), ey(0), ex(rf + 5), ey(0));
    s.centreLine(ex(0), ey(-rf - 5), ex(0), ey(rf + 5));
    // Bolt circle and holes.
    s.horizontal(ex(-bc), ex(bc), s.Y(cy, rf) + 12 * kUnit, ey(0), Dia(d.boltCircle));
    w.textColour(kDimension);
    w.textAlign(0);
    w.text(ex(rf) + 3 * kUnit, ey(-rf) - 2 * kUnit, "4x " + Dia(d.boltHole));

    // Title block.
    const int tbL = kSheetW - 110 * kUnit, tbT = kSheetH - 48 * kUnit, tbR = kSheetW - 10 * kUnit,
              tbB = kSheetH - 10 * kUnit;
    w.pen(0, 5, kBlack);
    w.hollowBrush();
    w.rectangle(tbL, tbT, tbR, tbB);
    w.pen(0, 2, kBlack);
    w.line(tbL, tbT + 12 * kUnit, tbR, tbT + 12 * kUnit);
    w.line(tbL, tbT + 20 * kUnit, tbR, tbT + 20 * kUnit);
    w.line(tbL + 55 * kUnit, tbT + 20 * kUnit, tbL + 55 * kUnit, tbB);
    w.textColour(kBlack);
    w.textAlign(0);
    w.font(60, 700);
    w.text(tbL + 3 * kUnit, tbT + 9 * kUnit, p.drawingName);
    w.font(kTextH, 400);
    // A drawing serves several motors of one family: name the family, not the first motor.
    w.text(tbL + 3 * kUnit, tbT + 17 * kUnit, "Air motor family " + p.designation.substr(0, 5));
    w.text(tbL + 3 * kUnit, tbT + 26 * kUnit, "Dimensions in mm");
    w.text(tbL + 3 * kUnit, tbT + 33 * kUnit, "D = diameter");
    w.text(tbL + 58 * kUnit, tbT + 26 * kUnit, "Scale 1:" + std::to_string(d.scale));
    w.text(tbL + 58 * kUnit, tbT + 33 * kUnit, "Dimension drawing");
    return w.finish();
}

} // namespace airmotor::drawings
