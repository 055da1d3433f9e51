#include "core/production/ProductionComparison.h"

#include "core/format/NumberFormat.h"

#include <cmath>

namespace airmotor::core {

namespace {

// The table's first figure rows (count, gear ratio) carry an Old value only.
constexpr std::size_t kFirstQuantityRow = 2;
constexpr int kDesignationColumn = 2;   // B
constexpr int kFirstQuantityColumn = 5; // E

struct DrawnFigures {
    double maxPower = 0.0; // kW
    double torque = 0.0;   // Nm at the maximum-power point
    double speed = 0.0;    // r/min at the maximum-power point
    std::optional<double> freeSpeed;
};

// Maximum power and free speed of the curves as the diagram samples them, in SI units.
DrawnFigures ReadDrawnCurves(const MotorDiagramInput& diagram, const PressureFactorValues& factors) {
    MotorDiagramInput in = diagram;
    in.factors = factors;
    in.units = UnitFactors{};
    in.intPressureMode = 0;
    in.sngRadStrypning = 0.0f;
    in.sngRadTryck = 0.0f;
    in.productionData = false;
    in.production = nullptr;
    const MotorPlot plot = ComputeMotorPlot(in);
    const PlotCurve* torque = nullptr;
    const PlotCurve* power = nullptr;
    for (const PlotCurve& c : plot.curves) {
        if (c.quantity == CurveQuantity::Torque && !torque)
            torque = &c;
        if (c.quantity == CurveQuantity::Power && !power)
            power = &c;
    }
    DrawnFigures f;
    if (!torque || !power || power->value.empty())
        return f;
    std::size_t best = 0;
    for (std::size_t j = 1; j < power->value.size(); ++j)
        if (power->value[j] > power->value[best])
            best = j;
    f.maxPower = static_cast<double>(power->value[best]);
    f.speed = static_cast<double>(power->speed[best]);
    f.torque = static_cast<double>(torque->value[best]);
    for (std::size_t j = 1; j < torque->value.size(); ++j) {
        const double a = static_cast<double>(torque->value[j - 1]);
        const double b = static_cast<double>(torque->value[j]);
        if (a > 0.0 && b <= 0.0) {
            const double na = static_cast<double>(torque->speed[j - 1]);
            const double nb = static_cast<double>(torque->speed[j]);
            f.freeSpeed = na + (nb - na) * a / (a - b);
            break;
        }
    }
    return f;
}

std::optional<double> PerCent(double value, double reference) {
    if (!(reference > 0.0) || !std::isfinite(value))
        return std::nullopt;
    return (value / reference - 1.0) * 100.0;
}

ComparisonRow Row(const char* label, std::optional<double> oldValue, const char* oldMask,
                  std::optional<double> newValue, const char* newMask, std::optional<double> diff,
                  const char* diffMask) {
    ComparisonRow r{label, oldValue, newValue, diff, {}, {}, {}};
    if (oldValue)
        r.oldText = FormatNumber(*oldValue, oldMask);
    if (newValue)
        r.newText = FormatNumber(*newValue, newMask);
    if (diff)
        r.diffText = FormatNumber(*diff, diffMask);
    return r;
}

} // namespace

ProductionComparison CompareWithProduction(const MotorDiagramInput& diagram,
                                           const ProductionLookupResult& lookup) {
    ProductionComparison t;
    t.count = lookup.count;
    const MotorCatalogue* cat = diagram.catalogue;
    const int k = diagram.index;
    if (lookup.count <= 0 || !cat || k < 1 || k > cat->intAntalMotorer)
        return t;
    const auto i = static_cast<std::size_t>(k);
    const double speedOld = static_cast<double>(cat->sngVarvMaxeff[i]);
    const double torqueOld = static_cast<double>(cat->sngMomentMaxeff[i]);
    const double airOld = static_cast<double>(cat->sngLuftMaxeff[i]);
    const double powerOld = static_cast<double>(cat->sngMaxEffekt[i]);
    const double freeOld = static_cast<double>(cat->sngTomgVarvtal[i]);
    const double freeAirOld = static_cast<double>(cat->sngLuftforbrTomgang[i]);
    // A used record lies strictly inside positive bands, so the catalogue values are positive here.
    const ProductionMeans& m = lookup.means;
    t.factors.sngKn = static_cast<float>(m.VarvtalEffekt / speedOld);
    t.factors.sngKm = static_cast<float>(m.Moment / torqueOld);
    t.factors.sngKl = static_cast<float>(m.LuftforbrukningEffekt / airOld);
    const DrawnFigures drawn = ReadDrawnCurves(diagram, t.factors);
    const double kl = static_cast<double>(t.factors.sngKl);
    // The drawn free speed is where the new torque curve reaches zero; a curve cut off before that
    // point (a governed motor) moves its catalogue free speed by the speed factor.
    const double freeDrawn = drawn.freeSpeed.value_or(static_cast<double>(t.factors.sngKn) * freeOld);

    t.rows.push_back(Row(kComparisonLabels[0], lookup.count, "##0", std::nullopt, "", std::nullopt, ""));
    t.rows.push_back(Row(kComparisonLabels[1], static_cast<double>(cat->sngUtvaxling[i]), "##0.0##",
                         std::nullopt, "", std::nullopt, ""));
    t.rows.push_back(Row(kComparisonLabels[2], powerOld, "##0.000", drawn.maxPower, "##0.000",
                         PerCent(drawn.maxPower, powerOld), "##0"));
    t.rows.push_back(Row(kComparisonLabels[3], torqueOld, "##0.000", drawn.torque, "##0.000",
                         PerCent(drawn.torque, torqueOld), "##0"));
    t.rows.push_back(Row(kComparisonLabels[4], speedOld, "##0.0", drawn.speed, "##0.0",
                         PerCent(drawn.speed, speedOld), "##0"));
    t.rows.push_back(
        Row(kComparisonLabels[5], airOld, "##0.00", kl * airOld, "##0.00", (kl - 1.0) * 100.0, "##0"));
    t.rows.push_back(Row(kComparisonLabels[6], freeOld, "#######.0", m.SpeedRpm, "#######.0",
                         PerCent(freeDrawn, freeOld), "######0"));
    t.rows.push_back(Row(kComparisonLabels[7], freeAirOld, "##0.00", m.AirCons, "##0.00",
                         PerCent(m.AirCons, freeAirOld), "##0.00"));
    return t;
}

void WriteComparisonRow(SheetWriter& sheet, int row, const std::string& designation,
                        const ProductionComparison& comparison) {
    if (!comparison.shown())
        return;
    sheet.setText(row, kDesignationColumn, designation);
    sheet.setNumber(row, kDesignationColumn + 1, comparison.rows[1].oldValue.value_or(0.0));
    sheet.setNumber(row, kDesignationColumn + 2, comparison.count);
    int column = kFirstQuantityColumn;
    for (std::size_t r = kFirstQuantityRow; r < comparison.rows.size(); ++r) {
        const ComparisonRow& q = comparison.rows[r];
        for (const std::optional<double>& v : {q.oldValue, q.newValue, q.diffValue}) {
            if (v)
                sheet.setNumber(row, column, *v);
            ++column;
        }
    }
}

} // namespace airmotor::core
