// The settings-file reader on any bytes: it must answer (a value or "no settings"), and whatever it
// accepts must survive a rewrite unchanged.
#include "core/catalogue/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto settings = airmotor::core::ParseSettings(text);
    if (!settings)
        return 0;
    const auto again = airmotor::core::ParseSettings(airmotor::core::FormatSettings(*settings));
    if (!again || again->strSetting1 != settings->strSetting1 ||
        again->strLanguage != settings->strLanguage || again->intSetting3 != settings->intSetting3)
        std::abort(); // a file the program writes that it cannot read back the same
    return 0;
}
