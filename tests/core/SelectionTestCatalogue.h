#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/language/Language.h"
#include "core/session/SelectionSession.h"

#include <memory>
#include <string>

namespace airmotor::core::testing {

// A motor with a straight torque line M(n) = stall * (1 - n / n0) and a linear air curve.
struct TestMotor {
    std::string designation = "TKM22-A100-";
    std::string rotation = "A";
    float n0 = 10000.0f;
    float stall = 100.0f;       // coefficient 0 of the torque line, also sngStallmoment
    float momentMaxeff = 50.0f; // sngStallEst = 2 * this
    float minStart = 80.0f;
    float vikt = 2.5f;
    float pris = 100.0f;
    bool stainless = false;
    bool lubeFree = false;
    bool old = false;
    std::int16_t maxSpeed = 0;
    std::string nr1 = "8112 0000 01";
    std::string nr2 = "";
    std::string mattskiss = "TKM22A";
};

// Appends the motor with the next catalogue index; the search order is the catalogue order.
inline int AddMotor(MotorCatalogue& c, const TestMotor& m) {
    const int i = ++c.intAntalMotorer;
    const auto k = static_cast<std::size_t>(i);
    c.intSokindex[k] = static_cast<std::int16_t>(i);
    c.strBenamning[k] = m.designation;
    c.txtRotation[k] = m.rotation;
    c.strDetaljnr1[k] = m.nr1;
    c.strDetaljnr2[k] = m.nr2;
    c.sngTomgVarvtal[k] = m.n0;
    c.sngStallmoment[k] = m.stall;
    c.intGradtal_M[k] = 1;
    c.cM(0, i) = m.stall;
    c.cM(1, i) = -m.stall / m.n0;
    c.intGradtal_L[k] = 1;
    c.cL(0, i) = 5.0f;
    c.cL(1, i) = 0.002f;
    c.sngLuftforbrTomgang[k] = 25.0f;
    c.sngMomentMaxeff[k] = m.momentMaxeff;
    c.sngMinStartMoment[k] = m.minStart;
    c.sngVarvMaxeff[k] = 5000.0f; // where 2 pi 50 Nm 5000 r/min gives the 26.18 kW below
    c.sngMaxEffekt[k] = 26.18f;
    c.sngUtvaxling[k] = 1.0f;
    c.sngVikt[k] = m.vikt;
    c.sngPris[k] = m.pris;
    c.bolStainless[k] = m.stainless;
    c.bolLubricationFree[k] = m.lubeFree;
    c.bolOldMotor[k] = m.old;
    c.sngMax_VarvDiagram[k] = m.maxSpeed;
    c.strMattskiss[k] = m.mattskiss;
    return i;
}

inline TestMotor Tkm(std::string designation) {
    TestMotor m;
    m.designation = std::move(designation);
    return m;
}
// A TKS motor: every one is reversible.
inline TestMotor Tks(TestMotor m) {
    m.rotation = "R";
    return m;
}
inline TestMotor Tks(const char* designation) {
    return Tks(Tkm(designation));
}

// Every text is "T<key>", so a message or label names the key it came from.
inline LanguageState KeyedLanguage(std::int16_t imperial = 0) {
    LanguageState language;
    language.strLanguage = imperial == 1 ? "English_Imperial" : "English";
    language.intImperialUnits = imperial;
    for (int k = 0; k < kTextCount; ++k)
        language.strText.set(k, "T" + std::to_string(k));
    language.strText.set(60, "##0.00"); // this text is the format of the working pressure
    language.units = UnitFactors::ForImperial(imperial);
    return language;
}

// The program's own English texts, for what is checked as a user reads it.
inline const TextTable& BundledEnglish() {
    static const TextTable table = [] {
        LanguageState state;
        ApplyLanguageTexts(state, BundledLanguageRows(), {});
        return state.strText;
    }();
    return table;
}

// The catalogue indexes of result rows, in listed order.
inline std::vector<int> Indexes(const std::vector<ResultRow>& rows) {
    std::vector<int> indexes;
    for (const ResultRow& r : rows)
        indexes.push_back(r.intRadKatalogindex);
    return indexes;
}

// A catalogue, a language and a session over them, loaded with no message left over.
struct SessionHarness {
    void Start(const LanguageState& shown) {
        language = shown;
        session = std::make_unique<SelectionSession>(catalogue, language, sink);
        session->Load();
        sink.messages.clear();
    }
    void Start(std::int16_t imperial = 0) { Start(KeyedLanguage(imperial)); }
    // Searches the working point in the search view, at the supply pressure when one is given.
    void SearchDuty(const std::string& torque = "50", const std::string& speed = "2000",
                    const std::string& pressure = "") {
        session->ClickCatalogue(1);
        session->TypeIntoField(RequirementField::ArbetsMomentB, torque);
        session->TypeIntoField(RequirementField::ArbetsVarvtalB, speed);
        if (!pressure.empty())
            session->TypeIntoField(RequirementField::TillgLuftTryckB, pressure);
        sink.messages.clear();
        session->ClickSearch();
    }

    MotorCatalogue catalogue;
    LanguageState language;
    RecordingMessageSink sink;
    std::unique_ptr<SelectionSession> session;
};

} // namespace airmotor::core::testing
