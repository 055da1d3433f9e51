#include "core/diagram/SessionDiagramInput.h"

namespace airmotor::core {

MotorDiagramInput DiagramInputFromSession(const SelectionSession& session, const LanguageState& language) {
    MotorDiagramInput in;
    in.catalogue = &session.catalogue();
    in.units = language.units;
    in.intImperialUnits = language.intImperialUnits;
    in.strLanguage = language.strLanguage;
    in.texts = &language.strText;
    in.intPressureMode = session.intPressureMode();
    in.bolKatalogMode = session.bolKatalogMode();
    in.sngTillgLuftTryck = session.DiagramPressure();

    const ResultTable& results = session.results();
    const CurrentMotor& current = session.current();
    const int row = results.intValdRad;
    if (row <= 0 || row > static_cast<int>(results.rows.size()) || !current.valid ||
        current.katalogIndex <= 0)
        return in; // index 0: nothing to draw
    const ResultRow& r = results.rows[static_cast<std::size_t>(row - 1)];
    in.index = current.katalogIndex;
    in.strCurrentBenamning = current.strCurrentBenamning;
    in.sngRadStrypning = r.sngRadStrypning;
    in.sngRadTryck = r.sngRadTryck;
    in.factors = session.factors();
    PressureFactors(in.sngTillgLuftTryck, in.strCurrentBenamning, in.factors);
    if (session.bolArbetspunkt()) {
        in.hasWorkingPoint = true;
        in.sngArbetsMoment = session.input().values.sngArbetsMoment;
        in.sngArbetsVarvtal = session.input().values.sngArbetsVarvtal;
    }
    return in;
}

} // namespace airmotor::core
