#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

struct FreeFormatValue {
    std::string text;
    bool quoted = false;
};

// Free-format input as the classic "Input #" reads it: leading blanks skipped; a quoted value runs
// to its closing quote and whatever follows up to the next comma is ignored; an unquoted value runs
// to a comma or the end of the line, without its surrounding blanks. A line end separates values
// like a comma does (CR LF counts as one line end).
class FreeFormatReader final {
public:
    explicit FreeFormatReader(std::string_view text) : text_(text) {}

    // std::nullopt at the end of the input or at an unterminated quote.
    std::optional<FreeFormatValue> next();

private:
    void skipSeparator();

    std::string_view text_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

} // namespace airmotor::core
