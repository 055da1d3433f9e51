#include "core/session/SavedSelection.h"

#include "core/session/SelectionSession.h"

namespace airmotor::core {

namespace {

std::optional<std::string> DesignationOfRow(const SelectionSession& session, int row) {
    const int index = session.CatalogueIndexOfRow(row);
    if (index == 0)
        return std::nullopt;
    return session.catalogue().strBenamning[static_cast<std::size_t>(index)];
}

} // namespace

SavedSelection CaptureSelection(const SelectionSession& session) {
    SavedSelection saved;
    for (int f = 0; f < kRequirementFieldCount; ++f)
        saved.fields[static_cast<std::size_t>(f)] =
            session.input().box(static_cast<RequirementField>(f)).text;
    const OptionStates& o = session.options();
    saved.search = o.optCatalogue == 1;
    saved.series = o.chkMotortype;
    saved.rotation = o.optRotation;
    saved.steel = o.optSteel;
    saved.brake = o.optBrake;
    saved.lubrication = o.optLubricated;
    saved.tksSteel = o.optSteelTKS;
    saved.tksLubrication = o.optLubricatedTKS;
    saved.tksVersions = o.optTKSRestricted;
    saved.obsolete = o.optObsoleteMotors;
    saved.onlyObsoleteMenu = o.mnuOnlyObsoleteMotors;
    saved.alternative = session.intPressureMode();
    const int row = session.results().intValdRad;
    if (const auto name = session.current().valid ? DesignationOfRow(session, row) : std::nullopt) {
        saved.designation = *name;
        saved.column = session.results().currentGridColumn;
    }
    return saved;
}

int ReplaySelection(SelectionSession& session, const SavedSelection& saved) {
    session.Load();
    for (std::size_t k = 0; k < saved.series.size(); ++k)
        if (session.options().chkMotortype[k] != saved.series[k])
            session.ClickMotorType(static_cast<int>(k), saved.series[k]);
    // Only an option that differs is clicked, as a user would.
    const OptionStates& o = session.options();
    const auto click = [&session](int now, int wanted, void (SelectionSession::*clickOption)(int)) {
        if (now != wanted)
            (session.*clickOption)(wanted);
    };
    click(o.optRotation, saved.rotation, &SelectionSession::ClickRotation);
    click(o.optSteel, saved.steel, &SelectionSession::ClickSteel);
    click(o.optBrake, saved.brake, &SelectionSession::ClickBrake);
    click(o.optLubricated, saved.lubrication, &SelectionSession::ClickLubricated);
    click(o.optSteelTKS, saved.tksSteel, &SelectionSession::ClickSteelTKS);
    click(o.optLubricatedTKS, saved.tksLubrication, &SelectionSession::ClickLubricatedTKS);
    click(o.optTKSRestricted, saved.tksVersions, &SelectionSession::ClickTKSRestricted);
    click(o.optObsoleteMotors, saved.obsolete, &SelectionSession::ClickObsoleteMotors);
    if (o.mnuOnlyObsoleteMotors != saved.onlyObsoleteMenu)
        session.ToggleOnlyObsoleteMotors();
    if (saved.search && o.optCatalogue != 1)
        session.ClickCatalogue(1);
    for (int f = 0; f < kRequirementFieldCount; ++f) {
        const auto field = static_cast<RequirementField>(f);
        const std::string& text = saved.fields[static_cast<std::size_t>(f)];
        if (session.input().box(field).text == text)
            continue;
        if (!session.input().box(field).enabled)
            session.EnableField(field);
        session.TypeIntoField(field, text);
    }
    session.ApplyPressureLeaveRule();
    session.RunInterplayRules();
    session.SetDiagramAlternative(saved.alternative);
    if (saved.search)
        session.ClickSearch();
    else
        session.ClickAllMotors();
    if (saved.designation.empty())
        return 0;
    for (int row = 1; row <= session.results().rowCount(); ++row) {
        if (DesignationOfRow(session, row) == saved.designation)
            return session.ClickCell(row, saved.column) ? row : 0;
    }
    return 0;
}

} // namespace airmotor::core
