#pragma once

#include "core/selection/RequirementInput.h"

#include <array>
#include <string>

namespace airmotor::core {

class SelectionSession;

// What reopens a search: the user's input as the window showed it and the clicked motor.
struct SavedSelection {
    static constexpr int kSchemaVersion = 1;

    int schemaVersion = kSchemaVersion;
    std::string programVersion;
    std::string catalogueChecksum; // of the catalogue database file the search ran on
    std::string language;          // the requirement texts are in its units
    std::array<std::string, kRequirementFieldCount> fields; // texts in RequirementField order
    bool search = false;                                    // search view; otherwise the listing
    std::array<bool, 3> series{true, true, false};
    int rotation = 0;
    int steel = 0;
    int brake = 0;
    int lubrication = 1;
    int tksSteel = 0;
    int tksLubrication = 0;
    int tksVersions = 0;
    int obsolete = 2;
    bool onlyObsoleteMenu = false;
    int alternative = 0;
    std::string designation; // of the clicked row's motor, "" for none
    int column = 0;          // the clicked grid column

    bool operator==(const SavedSelection&) const = default;
};

// The session's input and clicked motor (checksum, program version and language are the caller's).
SavedSelection CaptureSelection(const SelectionSession& session);

// Replays the user's input on the session as the window would receive it: start state, option
// clicks, typed fields, the search or listing, then a click on the row of the saved motor.
// Returns the clicked row (1-based), 0 when the result has no row with that motor.
int ReplaySelection(SelectionSession& session, const SavedSelection& saved);

} // namespace airmotor::core
