#include "core/printing/DataSheet.h"

#include "core/diagram/DiagramEngine.h"
#include "core/diagram/SessionDiagramInput.h"
#include "core/format/NumberFormat.h"
#include "core/model/MotorCurves.h"
#include "core/results/CurrentMotorDetails.h"
#include "core/selection/Designation.h"

namespace airmotor::core {

namespace {

constexpr int kMaxSpeedColour = 12;

std::string TorqueText(float shown) {
    return FormatNumber(shown, shown < 10 ? "####0.00" : "####0.0");
}

std::string PressureValue(const LanguageState& lang, float bar) {
    std::string mask = lang.strText(60);
    if (mask.empty())
        mask = "#0.00";
    const float shown = lang.intImperialUnits == 1 ? bar / lang.units.sngUnitPressure : bar;
    return FormatNumber(shown, mask);
}

// Ordering numbers carrying a variant code in front are captioned with the version texts.
bool HasVariantCode(std::string_view number) {
    for (std::string_view code : {"11 ", "12 ", "1 ", "2 ", "3 "})
        if (StartsWith(number, code))
            return true;
    return false;
}

void AddRequirements(DataSheet& s, const SelectionSession& session, const LanguageState& lang) {
    const TextTable& t = lang.strText;
    const UnitFactors& u = lang.units;
    const RequirementValues& v = session.input().values;
    s.requirementHeading = t(2);
    s.requirements.push_back({t(5), PressureValue(lang, v.sngTillgLuftTryck), t(56)});
    if (session.bolArbetspunkt()) {
        s.requirements.push_back({t(6), TorqueText(v.sngArbetsMoment / u.sngUnitTorque), t(52)});
        s.requirements.push_back({t(8), FormatNumber(v.sngArbetsVarvtal, "####0"), std::string(kSpeedUnit)});
        const float power = PowerAt(v.sngArbetsMoment, v.sngArbetsVarvtal) / u.sngUnitPower;
        s.requirements.push_back({t(9), FormatNumber(power, "#0.00"), t(53)});
    }
    const auto torqueBound = [&](int key, float nm) {
        if (nm > 0)
            s.requirements.push_back({t(key), TorqueText(nm / u.sngUnitTorque), t(52)});
    };
    const auto speedBound = [&](int key, float rpm) {
        if (rpm > 0)
            s.requirements.push_back({t(key), FormatNumber(rpm, "####0"), std::string(kSpeedUnit)});
    };
    torqueBound(10, v.sngStallmomentMin);
    torqueBound(11, v.sngStallmomentMax);
    torqueBound(12, v.sngMinStartmoment);
    speedBound(13, v.sngTomgVarvMin);
    speedBound(14, v.sngTomgVarvMax);
}

void AddMotor(DataSheet& s, const MotorCatalogue& cat, int k, int column, const TextTable& t) {
    const auto i = static_cast<std::size_t>(k);
    s.motorHeading = t(15);
    s.motor.push_back({t(16), s.designation, {}});
    // The number of the clicked column comes first. A number with a variant code names its version
    // (the first ordering number is version A whichever comes first); a plain one is the ordering
    // number, or the alternative one after it.
    struct Number {
        std::string text;
        int version; // text key
    };
    std::array<Number, 2> numbers{Number{cat.strDetaljnr1[i], 34}, Number{cat.strDetaljnr2[i], 35}};
    if (column == 1)
        std::swap(numbers[0], numbers[1]);
    int shown = 0;
    for (const Number& number : numbers) {
        if (number.text.empty())
            continue;
        const std::string caption =
            HasVariantCode(number.text) ? t(32) + " " + t(number.version) : t(shown == 0 ? 32 : 33);
        s.motor.push_back({caption, number.text, {}});
        ++shown;
    }
}

// The figures of one table column: the current-motor formulas at that column's factors.
std::array<std::string, 8> ColumnFigures(const MotorCatalogue& cat, int k, const PressureFactorValues& f,
                                         const UnitFactors& u, bool governed) {
    CurrentMotor c;
    MakeCurrentMotor(c, cat, k, f);
    const auto i = static_cast<std::size_t>(k);
    const float moment = c.sngCurMomentMaxeff / u.sngUnitTorque;
    const float weight = cat.sngVikt[i] / u.sngUnitMass;
    std::string freeSpeed;
    if (cat.sngMax_VarvDiagram[i] >= 1)
        freeSpeed = FormatNumber(cat.sngMax_VarvDiagram[i] * f.sngKn, "####0");
    else if (!governed)
        freeSpeed = FormatNumber(c.sngCurTomgVarv, c.sngCurTomgVarv < 100 ? "####0.0" : "####0");
    return {FormatNumber(c.sngCurMaxEffekt / u.sngUnitPower, "#0.00"),
            FormatNumber(moment, moment < 1 ? "####0.00" : "####0.0"),
            FormatNumber(c.sngCurVarvMaxeff, "####0"),
            FormatNumber(c.sngCurLuftMaxeff / u.sngUnitAir, "####0.0"),
            TorqueText(c.sngCurMinStartMoment / u.sngUnitTorque),
            TorqueText(c.sngCurStallmoment / u.sngUnitTorque),
            freeSpeed,
            FormatNumber(weight, weight >= 10 ? "####0.0" : "####0.00")};
}

void AddKeyFigures(DataSheet& s, const MotorDiagramInput& d, const LanguageState& lang) {
    const TextTable& t = lang.strText;
    const MotorCatalogue& cat = *d.catalogue;
    const auto i = static_cast<std::size_t>(d.index);
    const bool governed = Series(d.strCurrentBenamning) == "PGW";
    s.supplyPressure = t(17) + " " + PressureValue(lang, d.sngTillgLuftTryck) + " " + t(56);
    // Headings as the legend names the same curves.
    s.columnHeadings = {t(17), t(19) + " " + t(39), t(20)};
    s.columns = {true, d.sngRadStrypning > 0, d.sngRadTryck > 0};

    std::array<std::array<std::string, 8>, 3> figures;
    figures[kAtSupply] = ColumnFigures(cat, d.index, d.factors, lang.units, governed);
    if (s.columns[kThrottled]) {
        // The throttle ratio already holds the speed factor of the available pressure.
        PressureFactorValues throttled = d.factors;
        throttled.sngKn = d.sngRadStrypning;
        figures[kThrottled] = ColumnFigures(cat, d.index, throttled, lang.units, governed);
    }
    if (s.columns[kReduced]) {
        PressureFactorValues reduced = d.factors;
        PressureFactors(d.sngRadTryck, d.strCurrentBenamning, reduced);
        figures[kReduced] = ColumnFigures(cat, d.index, reduced, lang.units, governed);
        s.reducedPressure = PressureValue(lang, d.sngRadTryck) + " " + t(56);
    }
    const bool limited = cat.sngMax_VarvDiagram[i] >= 1;
    const std::string speed(kSpeedUnit);
    const std::array<std::pair<int, std::string>, 8> rows{{{21, t(53)},
                                                           {51, t(52)},
                                                           {22, speed},
                                                           {23, t(54)},
                                                           {24, t(52)},
                                                           {25, t(52)},
                                                           {limited ? 153 : 26, limited ? "" : speed},
                                                           {37, t(55)}}};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        KeyFigureRow row{t(rows[r].first), rows[r].second, {}, 0};
        for (int c = 0; c < 3; ++c)
            if (s.columns[static_cast<std::size_t>(c)])
                row.values[static_cast<std::size_t>(c)] = figures[static_cast<std::size_t>(c)][r];
        if (r == 6 && limited)
            row.colour = kMaxSpeedColour;
        s.keyFigures.push_back(std::move(row));
    }
}

void AddExLines(DataSheet& s, const DetailPanel& panel, const TextTable& t) {
    if (Contains(s.designation, "5-BG")) {
        const std::string& text = t(221);
        const auto cut = text.find(" .");
        if (cut == std::string::npos) {
            s.exLines.push_back(text);
        } else {
            s.exLines.push_back(text.substr(0, cut));
            s.exLines.emplace_back(TrimLeadingBlanks(text.substr(cut + 2)));
        }
        return;
    }
    if (panel.lblClass.empty())
        return;
    s.exLines.push_back(t(152) + ": " + panel.lblClass);
    if (panel.lblCertificateNumberVisible && !panel.lblCertificateNumber.empty())
        s.exLines.push_back(t(151) + " " + panel.lblCertificateNumber);
    s.exPicture = true;
}

} // namespace

DataSheet BuildDataSheet(const SelectionSession& session, const LanguageState& lang,
                         const MotorDiagramInput& d, std::string_view isoDate) {
    DataSheet s;
    const TextTable& t = lang.strText;
    s.title = t(1);
    s.designation = d.strCurrentBenamning;
    AddRequirements(s, session, lang);
    if (d.catalogue && d.index > 0) {
        AddMotor(s, *d.catalogue, d.index, session.current().intValdKolumn, t);
        AddKeyFigures(s, d, lang);
    }
    AddExLines(s, session.panel(), t);
    s.notes = {t(29), t(30), t(31)};
    s.dateLine = t(27) + " " + std::string(isoDate);
    return s;
}

std::string DrawingLinkMessage() {
    return "Not possible to get dimensional drawing on Complete printout for this motor. For dimensional "
           "drawing printout, use the Press to link...-button on the Dimensional drawing menu.";
}

PrintoutPlan PlanPrintout(const SelectionSession& session, const LanguageState& language,
                          std::string_view isoDate) {
    PrintoutPlan plan;
    plan.diagram = DiagramInputFromSession(session, language);
    if (plan.diagram.index <= 0)
        return plan;
    plan.valid = true;
    const int choice = session.outputs().EnbartDiagramB;
    plan.mode = choice == 1   ? PrintMode::DiagramOnly
                : choice == 2 ? PrintMode::DrawingOnly
                              : PrintMode::Complete;
    plan.landscape = plan.mode != PrintMode::Complete;
    plan.diagram.landscapePage = plan.landscape;
    plan.sheet = BuildDataSheet(session, language, plan.diagram, isoDate);
    const auto k = static_cast<std::size_t>(plan.diagram.index);
    plan.drawing = ChooseDrawing(session.catalogue().strMattskiss[k], session.current().intValdKolumn);
    if (plan.mode != PrintMode::DiagramOnly && plan.drawing.isLink)
        plan.linkMessage = DrawingLinkMessage();
    return plan;
}

} // namespace airmotor::core
