#include "core/common/ProgramVersion.h"

#include "core/format/NumberFormat.h"

namespace airmotor::core {

std::string VersionText(int major, int minor, int patch) {
    return FormatNumber(major, "0") + "." + FormatNumber(minor, "#0") + "." + FormatNumber(patch, "###0");
}

std::string BuildVersionText() {
    const BuildVersion build = ThisBuild();
    return VersionText(build.versionMajor, build.versionMinor, build.versionPatch);
}

std::string VersionBanner(std::string_view program) {
    return std::string(program) + " " + BuildVersionText() + "\nCatalogue date " +
           std::string(ThisBuild().date) + "\n";
}

} // namespace airmotor::core
