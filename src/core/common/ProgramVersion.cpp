#include "core/common/ProgramVersion.h"

#include "core/language/CaptionKeys.h"

namespace airmotor::core {

std::string BuildVersionText() {
    const BuildVersion build = ThisBuild();
    return VersionText(build.versionMajor, build.versionMinor, build.versionPatch);
}

std::string VersionBanner(std::string_view program) {
    return std::string(program) + " " + BuildVersionText() + "\nCatalogue date " +
           std::string(ThisBuild().date) + "\n";
}

} // namespace airmotor::core
