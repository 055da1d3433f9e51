#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

// The three values of ZEVODIDA.DAT.
struct Settings {
    std::string strSetting1 = "2017-01-12"; // price-list date
    std::string strLanguage;                // "" = no language chosen yet
    std::int16_t intSetting3 = 0;
};

// Reads the first line in free-format notation. A malformed line gives std::nullopt;
// a language other than the six names reads as "" (no language).
std::optional<Settings> ParseSettings(std::string_view text);
std::string FormatSettings(const Settings& settings); // one line, ends with "\r\n"

} // namespace airmotor::core
