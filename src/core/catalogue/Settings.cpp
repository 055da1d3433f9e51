#include "core/catalogue/Settings.h"

#include "core/language/Language.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace airmotor::core {
namespace {

struct RawValue {
    std::string text;
    bool quoted = false;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Free-format input as the classic "Input #" reads it: leading blanks skipped; a quoted value runs
// to its closing quote and whatever follows up to the next comma is ignored; an unquoted value runs
// to a comma or the end of the line, without its surrounding blanks. A line end separates values
// like a comma does (CR LF counts as one line end).
class FreeFormatReader final {
public:
    explicit FreeFormatReader(std::string_view text) : text_(text) {}

    std::optional<RawValue> next() {
        // At the end of the input only a trailing comma still announces an (empty) value.
        if (pos_ >= text_.size() && !afterComma_)
            return std::nullopt;
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        RawValue value;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            const auto close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos)
                return std::nullopt; // an unterminated quote is not a readable value
            value.quoted = true;
            value.text = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_]))
                ++pos_;
        } else {
            const auto start = pos_;
            while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_]))
                ++pos_;
            auto raw = text_.substr(start, pos_ - start);
            while (!raw.empty() && IsBlank(raw.back()))
                raw.remove_suffix(1);
            value.text = std::string(raw);
        }
        skipSeparator();
        return value;
    }

private:
    void skipSeparator() {
        afterComma_ = false;
        if (pos_ >= text_.size())
            return;
        if (text_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
            return;
        }
        if (text_[pos_] == '\r')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

std::optional<std::int16_t> ParseInt16(const RawValue& value) {
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
