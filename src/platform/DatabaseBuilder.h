#pragma once

#include <QString>

#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

struct BuildSummary {
    int motors = 0;
    int texts = 0;
    int imperialTexts = 0;
};

struct BuildError {
    std::string message; // "file:line: what is wrong" for a bad source record
};

// Builds a catalogue database from the reviewable sources of a data folder: motors.csv (all
// tblMotordata columns in schema order), texts.csv (intKey and the five language columns) and
// imperial.csv (intKey, strText). Every source is checked before anything is written, motor rows
// by the catalogue's own load rules; the new database is written into a temporary file beside the
// output (OUT.tmp-PID, leftovers of killed builds are removed), loaded back as the program loads it
// and renamed over the output, so the output is either the complete new database or left
// untouched. An output that exists and is not a regular file is never replaced.
class DatabaseBuilder final {
public:
    static std::variant<BuildSummary, BuildError> build(const QString& dataFolder, const QString& outputFile);

    // The schema of Zevodida.db, one CREATE TABLE statement per element.
    static const std::vector<std::string>& schema();
};

} // namespace airmotor::platform
