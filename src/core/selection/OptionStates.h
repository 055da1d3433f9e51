#pragma once

#include <array>

namespace airmotor::core {

// The option controls of the main window and the flags that follow them. Array members are
// indexed like the control arrays (optRotation(0..2) ...). Selected index per option group.
struct OptionStates {
    std::array<bool, 3> chkMotortype{true, true, false}; // TKM, TKS, PGW ticks
    std::array<bool, 3> chkMotortypeVisible{true, true, false};
    std::array<bool, 3> chkMotortypeEnabled{true, true, true};

    int optRotation = 0; // 0 clockwise, 1 counter-clockwise, 2 reversible
    std::array<bool, 3> optRotationEnabled{true, true, true};
    int optSteel = 0; // 0 standard, 1 stainless
    std::array<bool, 2> optSteelEnabled{true, true};
    int optBrake = 0; // 0 without, 1 with
    std::array<bool, 2> optBrakeEnabled{true, true};
    int optLubricated = 1; // 0 lubricated, 1 lube-free
    std::array<bool, 2> optLubricatedEnabled{true, true};
    int optSteelTKS = 0;
    std::array<bool, 2> optSteelTKSEnabled{true, true};
    int optLubricatedTKS = 0;
    std::array<bool, 2> optLubricatedTKSEnabled{true, true};
    int optTKSRestricted = 0; // 0 restricted only, 1 both, 2 unrestricted as fallback
    std::array<bool, 3> optTKSRestrictedEnabled{true, true, true};
    int optCatalogue = 0; // 0 catalogue view, 1 search view
    std::array<bool, 2> optCatalogueEnabled{true, true};
    int optObsoleteMotors = 2; // 0 all, 1 only obsolete, 2 only new
    bool mnuOnlyObsoleteMotors = false;
    bool mnuShowAlwaysDiagram = false;

    bool fraTKMAlternativVisible = true;
    bool fraTKSAlternativVisible = true;
    bool fraSearchDataVisible = false;
    bool fraObsoleteMotorsVisible = false;
};

} // namespace airmotor::core
