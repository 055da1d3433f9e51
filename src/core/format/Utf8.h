#pragma once

#include <cstddef>
#include <string_view>

namespace airmotor::core {

// Offset of the first byte that does not begin a well-formed UTF-8 sequence (overlong forms,
// surrogates and code points above U+10FFFF included), or npos when the whole text is valid.
std::size_t FirstInvalidUtf8(std::string_view text);

inline bool IsValidUtf8(std::string_view text) {
    return FirstInvalidUtf8(text) == std::string_view::npos;
}

} // namespace airmotor::core
