#pragma once

#include "core/language/CaptionKeys.h"

#include <string>
#include <string_view>

namespace airmotor::core {

// What `--version` prints for either executable: the program version on the first line (the form
// man-page generators read), the date of the bundled catalogue on the second.
inline std::string VersionBanner(std::string_view program) {
    return std::string(program) + " " +
           VersionText(AIRMOTOR_VERSION_MAJOR, AIRMOTOR_VERSION_MINOR, AIRMOTOR_VERSION_PATCH) +
           "\nCatalogue date " + AIRMOTOR_VERSION_DATE + "\n";
}

} // namespace airmotor::core
