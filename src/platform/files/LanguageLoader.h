#pragma once

#include "core/language/Language.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace airmotor::platform {

// Fills the text table of a LanguageState from the catalogue database: the column of
// state.strLanguage from tblLanguage, then, for "English_Imperial", the rows of tblImperialUnits.
// Captions are the windows' business. On error the state is left as it was.
class LanguageLoader final {
public:
    explicit LanguageLoader(QString databaseFile);

    // An error message naming the file, or nothing on success.
    std::optional<std::string> load(core::LanguageState& state) const;
    // The same from rows already read (a catalogue snapshot of this database).
    std::optional<std::string> apply(core::LanguageState& state, const std::vector<core::LanguageRow>& rows,
                                     const std::vector<core::ImperialRow>& imperialRows) const;

private:
    QString databaseFile_;
};

} // namespace airmotor::platform
