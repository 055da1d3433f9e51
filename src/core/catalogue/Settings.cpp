#include "core/catalogue/Settings.h"

#include "core/format/FreeFormatReader.h"
#include "core/language/Language.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace airmotor::core {
namespace {

std::optional<std::int16_t> ParseInt16(const FreeFormatValue& value) {
    if (value.quoted)
        return std::nullopt;
    if (value.text.empty())
        return std::int16_t{0}; // an empty numeric field reads as zero
    double d = 0.0;
    const char* first = value.text.data();
    const char* last = first + value.text.size();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, d);
    if (ec != std::errc() || end != last || !std::isfinite(d))
        return std::nullopt;
    const double r = std::nearbyint(d);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

// The writer quotes texts without any escape: a double quote inside a value would end it early
// on the next read, so it is dropped rather than written.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text)
        if (c != '"')
            out += c;
    out += '"';
    return out;
}

} // namespace

std::optional<Settings> ParseSettings(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    FreeFormatReader reader(text);
    const auto first = reader.next();
    const auto second = first ? reader.next() : std::nullopt;
    const auto third = second ? reader.next() : std::nullopt;
    if (!third)
        return std::nullopt;
    const auto number = ParseInt16(*third);
    if (!number)
        return std::nullopt;
    Settings settings;
    settings.strSetting1 = first->text;
    settings.strLanguage = IsLanguageName(second->text) ? second->text : std::string();
    settings.intSetting3 = *number;
    return settings;
}

std::string FormatSettings(const Settings& settings) {
    return Quoted(settings.strSetting1) + "," + Quoted(settings.strLanguage) + "," +
           std::to_string(settings.intSetting3) + "\r\n";
}

} // namespace airmotor::core
