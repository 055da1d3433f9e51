#include "core/maintenance/FittedMotorDiagram.h"

#include "core/maintenance/MotorDataEditor.h"
#include "core/maintenance/MotorRecord.h"

namespace airmotor::core {

std::variant<MotorDiagramInput, std::string> FittedMotorDiagramInput(const MotorDataEditor& editor,
                                                                     const LanguageState& language,
                                                                     MotorCatalogue& holder) {
    auto built = BuildMotorRecord(editor, SaveMode::Add);
    if (auto* error = std::get_if<std::string>(&built))
        return *error;
    const MotorRecord& record = std::get<MotorRecord>(built);
    constexpr int kIndex = 1;
    constexpr auto k = static_cast<std::size_t>(kIndex);
    holder = MotorCatalogue();
    holder.intAntalMotorer = 1;
    ApplyToCatalogue(record, holder, kIndex);
    holder.strBenamning[k] = editor.texts().designation;
    holder.strDetaljnr1[k] = editor.texts().partNumbers[0];
    holder.strDetaljnr2[k] = editor.texts().partNumbers[1];
    holder.strDetaljnr3[k] = editor.texts().partNumbers[2];
    holder.txtRotation[k] = "A";
    holder.sngMinStartMoment[k] = editor.fields().value(EditorField::Min_StartMomentB);
    holder.sngMin_VarvDiagram[k] = editor.fields().value(EditorField::txtStartVarvtalKurvor);
    // The table holds an integer: a box value beyond it means "not given" rather than a wrapped speed.
    const float maxSpeed = editor.fields().value(EditorField::txtMaxVarvtalKurvor);
    holder.sngMax_VarvDiagram[k] =
        maxSpeed >= 0.0f && maxSpeed <= 32767.0f ? static_cast<std::int16_t>(maxSpeed) : std::int16_t{0};

    MotorDiagramInput in;
    in.catalogue = &holder;
    in.index = kIndex;
    in.strCurrentBenamning = editor.texts().designation;
    in.units = language.units;
    in.intImperialUnits = language.intImperialUnits;
    in.strLanguage = language.strLanguage;
    in.texts = &language.strText;
    PressureFactors(in.sngTillgLuftTryck, in.strCurrentBenamning, in.factors);
    return in;
}

} // namespace airmotor::core
