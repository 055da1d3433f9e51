// The settings-file reader on any bytes: it must answer (a value or "no settings"), and a file the
// program writes must read back to exactly what was written (the writer drops double quotes from
// texts, so the first rewrite may change a text; later ones may not).
#include "core/catalogue/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto settings = airmotor::core::ParseSettings(text);
    if (!settings)
        return 0;
    const std::string written = airmotor::core::FormatSettings(*settings);
    const auto again = airmotor::core::ParseSettings(written);
    if (!again || airmotor::core::FormatSettings(*again) != written)
        std::abort();
    return 0;
}
