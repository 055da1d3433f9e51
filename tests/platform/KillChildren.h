#pragma once

#include <optional>

namespace airmotor::platform::test {

// Children of the kill tests that save for ever: "--save-motor DATABASE DESIGNATION" stores the
// motor's free speed alternately as kSavedSpeeds through the editor's writer, "--save-measurement
// FILE" rewrites a measurement file alternately under kSavedDesignations. Each says "ready" after
// its first save. "--save-motors DATABASE DESIGNATION COUNT" saves COUNT times, each through a new
// writer, and stops at the first failure. The exit status, or nothing when the arguments name no child.
std::optional<int> RunKillChild(int argc, char** argv);

inline constexpr double kSavedSpeeds[] = {1111.0, 2222.0};
inline constexpr const char* kSavedDesignations[] = {"TKM20-A5-FIRST", "TKS35-SECOND"};
inline constexpr int kSavedPoints = 32;

} // namespace airmotor::platform::test
