#include "core/session/OptionInterlocks.h"

#include <array>
#include <cstddef>

namespace airmotor::core {

namespace {

using G = OptionGroup;

constexpr int kAnyIndex = -1;
constexpr int kTkmSeries = 0;
constexpr int kMotorTypeCount = 3;

enum class Effect {
    Enable,        // target option enabled
    Disable,       // target option disabled
    Select,        // target option selected through its own click
    TickMotorType, // motor type `targetIndex` ticked through its own click
    ClearGrid,
    ShowSearchView, // the search fields appear and open
    HideSearchView,
    ListAllMotors, // the catalogue listing with the new options
};

// One consequence of a click on option `index` of `group` (kAnyIndex: every option of it), applied
// only when `ifGroup` stands at `ifIndex` (kAnyIndex: always). Rows of a click run in table order.
struct Rule {
    G group;
    int index;
    Effect effect;
    G target = G::Rotation;
    int targetIndex = 0;
    G ifGroup = G::Rotation;
    int ifIndex = kAnyIndex;
};

constexpr std::array<Rule, 38> kRules = {{
    // Stainless motors are not made counter-clockwise.
    {G::Rotation, 1, Effect::Disable, G::Steel, 1},
    {G::Rotation, 0, Effect::Enable, G::Steel, 1},
    {G::Rotation, 2, Effect::Enable, G::Steel, 1},
    {G::Rotation, kAnyIndex, Effect::ListAllMotors},
    // Stainless steel exists as lube-free TKM only.
    {G::Steel, 1, Effect::Disable, G::Rotation, 1},
    {G::Steel, 1, Effect::TickMotorType, G::Rotation, kTkmSeries},
    {G::Steel, 1, Effect::Select, G::Lubricated, 1},
    {G::Steel, 1, Effect::Disable, G::Lubricated, 0},
    {G::Steel, 0, Effect::Enable, G::Lubricated, 0},
    {G::Steel, 0, Effect::Enable, G::Rotation, 1, G::Brake, 0},
    {G::Steel, kAnyIndex, Effect::ListAllMotors},
    // Brake motors are TKM and reversible only.
    {G::Brake, kAnyIndex, Effect::TickMotorType, G::Rotation, kTkmSeries},
    {G::Brake, 1, Effect::Select, G::Rotation, 2},
    {G::Brake, 1, Effect::Disable, G::Rotation, 0},
    {G::Brake, 1, Effect::Disable, G::Rotation, 1},
    {G::Brake, 0, Effect::Enable, G::Lubricated, 0},
    {G::Brake, 0, Effect::Enable, G::Rotation, 0},
    {G::Brake, 0, Effect::Enable, G::Rotation, 1, G::Steel, 0},
    {G::Brake, kAnyIndex, Effect::ListAllMotors},
    {G::Lubricated, kAnyIndex, Effect::ListAllMotors},
    // Stainless TKS motors are lube-free.
    {G::SteelTKS, 1, Effect::Select, G::LubricatedTKS, 1},
    {G::SteelTKS, 1, Effect::Disable, G::LubricatedTKS, 0},
    {G::SteelTKS, 0, Effect::Enable, G::LubricatedTKS, 0},
    {G::SteelTKS, kAnyIndex, Effect::ListAllMotors},
    {G::LubricatedTKS, kAnyIndex, Effect::ListAllMotors},
    {G::TKSRestricted, kAnyIndex, Effect::ListAllMotors},
    // The search view lists nothing until a search.
    {G::Catalogue, 0, Effect::HideSearchView},
    {G::Catalogue, 0, Effect::ListAllMotors},
    {G::Catalogue, 1, Effect::ShowSearchView},
    // Obsolete motors are only listed, never searched.
    {G::ObsoleteMotors, 1, Effect::Select, G::Catalogue, 0},
    {G::ObsoleteMotors, 1, Effect::Disable, G::Catalogue, 0},
    {G::ObsoleteMotors, 1, Effect::Disable, G::Catalogue, 1},
    {G::ObsoleteMotors, 0, Effect::Enable, G::Catalogue, 0},
    {G::ObsoleteMotors, 0, Effect::Enable, G::Catalogue, 1},
    {G::ObsoleteMotors, 2, Effect::Enable, G::Catalogue, 0},
    {G::ObsoleteMotors, 2, Effect::Enable, G::Catalogue, 1},
    {G::ObsoleteMotors, kAnyIndex, Effect::ClearGrid},
    {G::ObsoleteMotors, kAnyIndex, Effect::ListAllMotors},
}};

int OptionCount(G group) {
    switch (group) {
    case G::Rotation:
    case G::TKSRestricted:
    case G::ObsoleteMotors:
        return 3;
    default:
        return 2;
    }
}

int& Selected(OptionStates& s, G group) {
    switch (group) {
    case G::Rotation:
        return s.optRotation;
    case G::Steel:
        return s.optSteel;
    case G::Brake:
        return s.optBrake;
    case G::Lubricated:
        return s.optLubricated;
    case G::SteelTKS:
        return s.optSteelTKS;
    case G::LubricatedTKS:
        return s.optLubricatedTKS;
    case G::TKSRestricted:
        return s.optTKSRestricted;
    case G::Catalogue:
        return s.optCatalogue;
    case G::ObsoleteMotors:
        break;
    }
    return s.optObsoleteMotors;
}

bool* EnabledFlag(OptionStates& s, G group, int index) {
    const auto k = static_cast<std::size_t>(index);
    switch (group) {
    case G::Rotation:
        return &s.optRotationEnabled.at(k);
    case G::Steel:
        return &s.optSteelEnabled.at(k);
    case G::Lubricated:
        return &s.optLubricatedEnabled.at(k);
    case G::LubricatedTKS:
        return &s.optLubricatedTKSEnabled.at(k);
    case G::Catalogue:
        return &s.optCatalogueEnabled.at(k);
    default:
        return nullptr; // no rule locks these
    }
}

} // namespace

void OptionInterlocks::Reset() {
    states_ = OptionStates{};
    // The series flags follow the ticks from the start: PGW is neither ticked nor searched.
    UpdateSeriesFlags();
}

void OptionInterlocks::Click(G group, int index) {
    if (index < 0 || index >= OptionCount(group))
        return;
    Selected(states_, group) = index;
    events_.OptionClickStarted();
    auto apply = [&](const Rule& rule) {
        if (rule.group != group || (rule.index != kAnyIndex && rule.index != index))
            return;
        if (rule.ifIndex != kAnyIndex && Selected(states_, rule.ifGroup) != rule.ifIndex)
            return;
        switch (rule.effect) {
        case Effect::Enable:
        case Effect::Disable:
            if (bool* flag = EnabledFlag(states_, rule.target, rule.targetIndex))
                *flag = rule.effect == Effect::Enable;
            break;
        case Effect::Select:
            Select(rule.target, rule.targetIndex);
            break;
        case Effect::TickMotorType:
            SetMotorTypeTick(rule.targetIndex, true);
            break;
        case Effect::ClearGrid:
            events_.ClearGrid();
            break;
        case Effect::ShowSearchView:
            states_.fraSearchDataVisible = true;
            events_.SearchViewChosen();
            break;
        case Effect::HideSearchView:
            states_.fraSearchDataVisible = false;
            break;
        case Effect::ListAllMotors:
            events_.ListAllMotors();
            break;
        }
    };
    for (const Rule& rule : kRules)
        apply(rule);
}

void OptionInterlocks::Select(G group, int index) {
    if (Selected(states_, group) != index)
        Click(group, index);
}

void OptionInterlocks::UpdateSeriesFlags() {
    states_.fraTKMAlternativVisible = states_.chkMotortype[0];
    states_.fraTKSAlternativVisible = states_.chkMotortype[1];
}

void OptionInterlocks::ClickMotorType(int index, bool ticked) {
    if (index < 0 || index >= kMotorTypeCount)
        return;
    states_.chkMotortype[static_cast<std::size_t>(index)] = ticked;
    events_.OptionClickStarted();
    UpdateSeriesFlags();
    events_.ListAllMotors();
}

void OptionInterlocks::SetMotorTypeTick(int index, bool ticked) {
    if (states_.chkMotortype[static_cast<std::size_t>(index)] != ticked)
        ClickMotorType(index, ticked);
}

void OptionInterlocks::ToggleOnlyObsoleteMotors() {
    states_.mnuOnlyObsoleteMotors = !states_.mnuOnlyObsoleteMotors;
    const bool on = states_.mnuOnlyObsoleteMotors;
    SetMotorTypeTick(0, true);
    SetMotorTypeTick(1, true);
    SetMotorTypeTick(2, on);
    states_.chkMotortypeVisible[2] = on;
    states_.fraObsoleteMotorsVisible = on;
    Select(G::ObsoleteMotors, on ? 0 : 2);
    events_.ListAllMotors();
}

void OptionInterlocks::ClickDefaultOptions() {
    Select(G::Rotation, 0);
    Select(G::Lubricated, 0);
    Select(G::Steel, 0);
    Select(G::Brake, 0);
    Select(G::Lubricated, 1);
}

} // namespace airmotor::core
