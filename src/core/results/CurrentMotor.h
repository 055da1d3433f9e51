#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace airmotor::core {

// The current motor: set by a click on a result cell (SI units).
struct CurrentMotor {
    bool valid = false; // a motor was made current since the last clearing
    std::int16_t intValdKolumn = 0;
    std::int16_t intForraRad = 0;
    int katalogIndex = 0; // intRadKatalogindex of the clicked row
    std::string strCurrentBenamning;
    float sngCurrentUtvaxling = 1.0f;
    float sngStallEst = 0.0f;
    float sngCurMaxEffekt = 0.0f;
    float sngCurVarvMaxeff = 0.0f;
    float sngCurMomentMaxeff = 0.0f;
    float sngCurLuftMaxeff = 0.0f;
    float sngCurMinStartMoment = 0.0f;
    float sngCurTomgVarv = 0.0f;
    float sngCurStallmoment = 0.0f;
};

// Texts and visibilities of the detail panel ("Performance current motor").
struct DetailPanel {
    std::string Label17;
    std::string MaxeffektR, NMaxeffR, MinStartMomentR, StallmomentR, lblWeight, QmR, RelativprisR;
    std::string lblProductNumber, MmaxeffR, NtomgangR, Label15, ArbetstryckR, StrypningR;
    int NtomgangRColour = 10; // QBColor: 10 free speed, 12 maximum allowed speed
    // Explosion-protection panel.
    std::string Label24;
    std::string lblClass;
    std::string lblCertificateNumber;
    bool lblCertificateNumberVisible = true;
    bool Label21Visible = true;
    bool Label22Visible = true;
    std::array<bool, 2> picExVisible{true, true};
};

// Enable states of the print and diagram controls of the main window.
struct OutputControls {
    bool PrinterutskriftBEnabled = false;
    bool PrinterutskriftBVisible = true;
    bool mnuPrintEnabled = false;
    bool MotordiagramBEnabled = false;
    bool cboDiagramAlternativEnabled = false;
    std::array<bool, 3> EnbartDiagramBEnabled{false, false, false};
    int EnbartDiagramB = 0; // 0 complete printout, 1 only diagram, 2 only dimension drawing
    bool frameDiagramAlternativVisible = false;
    bool Label14Visible = false;
};

} // namespace airmotor::core
