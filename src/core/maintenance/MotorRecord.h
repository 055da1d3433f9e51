#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/catalogue/MotorRow.h"

#include <string>
#include <variant>
#include <vector>

namespace airmotor::core {

class MotorDataEditor;

enum class SaveMode { Replace, Add };

// The columns of tblMotordata one save writes, in table order. An add leaves intKatalogindex to
// the writer, which takes the next free index inside its transaction.
struct MotorRecord {
    SaveMode mode = SaveMode::Add;
    std::vector<std::pair<std::string, FieldValue>> fields;

    const FieldValue* find(const std::string& name) const;
};

inline constexpr const char* kDesignationNotFoundText = "Denna motorbeteckning finns ej i datafilen!";
// Characters a text field of the catalogue holds (the old table's text fields held 255).
inline constexpr std::size_t kMaxCatalogueText = 255;

// The record of the editor's last drawing pass, or the message why it cannot be stored: no drawn
// curves, a degree the table cannot hold (5), a value that is not finite, curves without a free
// speed or power above zero, or a text that is not UTF-8 or longer than its field.
std::variant<MotorRecord, std::string> BuildMotorRecord(const MotorDataEditor& editor, SaveMode mode);

// The fields that make a motor's curves: both degrees and all coefficients.
const std::vector<std::string>& CurveFieldNames();

// Exact, case-sensitive match from index 1 up: the lowest catalogue index, 0 when none.
int FindDesignation(const MotorCatalogue& catalogue, const std::string& designation);
// The replaced curves and figures stored at index i, so the selection sees them at once.
void ApplyToCatalogue(const MotorRecord& record, MotorCatalogue& catalogue, int i);

} // namespace airmotor::core
