#pragma once

#include <string>
#include <string_view>

namespace airmotor::core {

// The version of this build, fixed at configure time (release tag or the VERSION file).
struct BuildVersion {
    int versionMajor = 0;
    int versionMinor = 0;
    int versionPatch = 0;
    std::string_view date; // yyyy-mm-dd
};

// Defined in the one generated source, so that a new version recompiles nothing else.
BuildVersion ThisBuild();

// "major.minor.revision" with the masks "0", "#0" and "###0".
std::string VersionText(int major, int minor, int patch);

// "major.minor.revision" of this build, as windows and saved selections show it.
std::string BuildVersionText();

// What `--version` prints for either executable: the program version on the first line (the form
// man-page generators read), the date of the bundled catalogue on the second.
std::string VersionBanner(std::string_view program);

} // namespace airmotor::core
