#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace airmotor::core {

// Offset of the first byte that does not begin a well-formed UTF-8 sequence (overlong forms,
// surrogates and code points above U+10FFFF included), or npos when the whole text is valid.
std::size_t FirstInvalidUtf8(std::string_view text);

inline bool IsValidUtf8(std::string_view text) {
    return FirstInvalidUtf8(text) == std::string_view::npos;
}

// Code points of a valid UTF-8 text (its characters as a database field counts them).
std::size_t CodePointCount(std::string_view utf8);

// Text of the Windows Western European code page (Windows-1252, a superset of Latin-1 as the old
// platform wrote it) as UTF-8; the five bytes the code page leaves undefined become U+FFFD.
std::string Windows1252ToUtf8(std::string_view text);

} // namespace airmotor::core
