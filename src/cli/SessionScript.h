#pragma once

#include "cli/CliContext.h"
#include "cli/CommandOptions.h"
#include "core/session/SelectionSession.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::cli {

// The text as a field receives it key by key: the key filter drops what a user could not type
// (a decimal comma becomes a point), a backspace takes back the last character.
std::string KeyFiltered(std::string_view given);

// The warning for an option whose text a box's key filter changed ("--m \"1e3\" is typed as
// \"13\" ..."), or nothing when the box gets the text as given (a decimal comma counts as a point).
std::optional<std::string> RetypingWarning(std::string_view command, std::string_view option,
                                           const std::string& given, const std::string& typed);

// The main window's state as the search/list options describe it. Every option is checked when
// the script is read, so a usage error is raised before the session has done anything.
struct SessionScript {
    bool search = false; // search view and SökMotorB; otherwise the catalogue listing
    std::optional<std::array<bool, 3>> series;
    std::optional<int> rotation, steel, brake, lubrication, tksSteel, tksLubrication, tksVersions, obsolete;
    int select = 1;
    int column = 0;
    int alternative = 0;
    // One line per field option whose text the window's key filter changes (without the prefix).
    std::vector<std::string> warnings;

    static SessionScript Read(const CommandOptions& options, std::string_view command, bool search);

    // Start-up, option clicks in the window's order, the fields, the pressure leave rule and the
    // interplay rules: everything up to pressing the search or listing button.
    void Prepare(core::SelectionSession& session, const CommandOptions& options) const;
    void Press(core::SelectionSession& session) const;
};

// Reads the script, prepares the session and presses the search or listing; the key-filter warnings
// go to the context. No script when the search or listing was refused (or found the maintenance code).
std::optional<SessionScript> PressSession(const CliContext& ctx, core::SelectionSession& session,
                                          const CommandOptions& options, std::string_view command);

// Reads the script, prepares the session, presses the search or listing and clicks the cell; the
// key-filter warnings go to the context. True when a motor became current.
bool DriveSession(const CliContext& ctx, core::SelectionSession& session, const CommandOptions& options,
                  std::string_view command);

// Option names of the session options (with --obsolete where the command takes it).
std::vector<std::string_view> SessionOptionNames(bool withObsolete);
// True when any requirement field was given on the line.
bool AnyFieldOption(const CommandOptions& options);

} // namespace airmotor::cli
