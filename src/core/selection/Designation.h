#pragma once

#include <string>
#include <string_view>

namespace airmotor::core {

// Text tests on designations and ordering numbers (byte-wise, case-sensitive).
inline bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}
inline bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
inline bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}
// Mid(text, start 1-based, length) of the classic string functions: clipped, never throws.
inline std::string_view Mid(std::string_view text, std::size_t start, std::size_t length) {
    if (start == 0 || start > text.size())
        return {};
    return text.substr(start - 1, length);
}
inline std::string_view Right(std::string_view text, std::size_t length) {
    return text.size() <= length ? text : text.substr(text.size() - length);
}

// The series of a designation: its first three characters ("TKM", "TKS", "PGW").
inline std::string_view Series(std::string_view designation) {
    return designation.substr(0, 3);
}

} // namespace airmotor::core
