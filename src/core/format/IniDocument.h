#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

// A preferences file in the INI dialect of Qt's settings class (sections, key=value lines, quoted
// texts with backslash escapes, comma-separated lists), so that files written by earlier versions
// of the program are read and the files written now can be read by them. Values the program does
// not know are kept as they were; comments are not.
class IniDocument final {
public:
    static IniDocument Parse(std::string_view text);

    // The value as one text, or nothing when it is missing or holds a list of several.
    std::optional<std::string> text(std::string_view section, std::string_view key) const;
    // The value as a list of texts (a single text is a list of one); nothing when missing.
    std::optional<std::vector<std::string>> list(std::string_view section, std::string_view key) const;

    void setText(std::string_view section, std::string_view key, std::string_view value);
    void setList(std::string_view section, std::string_view key, const std::vector<std::string>& values);

    std::string format() const;

private:
    struct Entry {
        std::string key;
        std::string raw; // the value as written in the file, escapes and quotes included
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    const Entry* find(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string raw);

    std::vector<Section> sections_;
};

} // namespace airmotor::core
