#include "core/format/IniDocument.h"

#include "core/format/NumberParsing.h"

#include <algorithm>

namespace airmotor::core {
namespace {

constexpr std::string_view kNoList = "@Invalid()"; // how the settings class writes an empty list

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF)
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A value's texts: several when it holds a comma outside quotes, else one. Blanks around an
// unquoted text are not part of it; escapes and quotes keep what they enclose.
std::vector<std::string> Unescape(std::string_view raw) {
    std::vector<std::string> items;
    std::string current;
    bool inQuotes = false;
    bool quoted = false;
    std::size_t kept = 0; // trailing blanks before this position are part of the text
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        kept = current.size();
    };
    const auto chop = [&] {
        if (!quoted)
            while (current.size() > kept && (current.back() == ' ' || current.back() == '\t'))
                current.pop_back();
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size())
                break;
            const char e = raw[i++];
            static constexpr std::string_view kFrom = "abfnrtv\"?'\\", kTo = "\a\b\f\n\r\t\v\"?'\\";
            if (const auto k = kFrom.find(e); k != std::string_view::npos) {
                current += kTo[k];
            } else if (e == 'x' && i < raw.size() && HexDigitValue(raw[i])) {
                unsigned value = 0;
                for (; i < raw.size() && HexDigitValue(raw[i]); ++i)
                    value = ((value << 4) | static_cast<unsigned>(*HexDigitValue(raw[i]))) & 0xFFFF;
                AppendUtf8(current, value);
            } else if (e >= '0' && e <= '7') {
                unsigned value = static_cast<unsigned>(e - '0');
                for (; i < raw.size() && raw[i] >= '0' && raw[i] <= '7'; ++i)
                    value = ((value << 3) | static_cast<unsigned>(raw[i] - '0')) & 0xFFFF;
                AppendUtf8(current, value);
            } else if ((e == '\n' || e == '\r') && i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') &&
                       raw[i] != e) {
                ++i; // a continued line: the line break is no part of the text
            }
            kept = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            chop();
            items.push_back(std::move(current));
            current.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            const std::size_t end = std::min(raw.find_first_of("\\\",", i + 1), raw.size());
            current.append(raw.substr(i, end - i));
            i = end;
        }
    }
    chop();
    items.push_back(std::move(current));
    // A text that begins with '@' is written with a second one, so that it is not taken for a type;
    // one holding a NUL character may come wrapped as @String(...).
    for (std::string& item : items) {
        if (item.rfind("@@", 0) == 0)
            item.erase(0, 1);
        else if (item.rfind("@String(", 0) == 0 && item.back() == ')')
            item = item.substr(8, item.size() - 9);
    }
    return items;
}

std::string Escape(std::string_view text) {
    std::string out;
    bool needsQuotes = false;
    bool escapeNextHexDigit = false;
    if (!text.empty() && text.front() == '@')
        out += '@';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextHexDigit && HexDigitValue(c)) {
            static constexpr char kDigits[] = "0123456789abcdef";
            out += "\\x";
            out += kDigits[u >> 4];
            out += kDigits[u & 0xF];
            continue;
        }
        escapeNextHexDigit = false;
        static constexpr std::string_view kFrom = "\a\b\f\n\r\t\v\"\\", kTo = "abfnrtv\"\\";
        if (c == '\0') {
            out += "\\0";
            escapeNextHexDigit = true;
        } else if (const auto k = kFrom.find(c); k != std::string_view::npos) {
            out += '\\';
            out += kTo[k];
        } else if (u <= 0x1F) {
            static constexpr char kDigits[] = "0123456789abcdef";
            out += "\\x";
            if (u >= 0x10)
                out += kDigits[u >> 4];
            out += kDigits[u & 0xF];
            escapeNextHexDigit = true;
        } else {
            out += c;
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        out = '"' + out + '"';
    return out;
}

// One logical line: a backslash takes the next character with it, a line break included.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') {
        if (text[pos] == '\\' && pos + 1 < text.size()) {
            ++pos;
            if (pos + 1 < text.size() && (text[pos] == '\n' || text[pos] == '\r') &&
                (text[pos + 1] == '\n' || text[pos + 1] == '\r') && text[pos + 1] != text[pos])
                ++pos;
        }
        ++pos;
    }
    const std::string_view line = text.substr(start, pos - start);
    while (pos < text.size() && (text[pos] == '\n' || text[pos] == '\r'))
        ++pos;
    return line;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view line = Trimmed(NextLine(text, pos));
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            document.sections_.push_back({std::string(Trimmed(line.substr(
                                              1, close == std::string_view::npos ? line.size() : close - 1))),
                                          {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        if (document.sections_.empty())
            document.sections_.push_back({std::string(), {}});
        document.sections_.back().entries.push_back(
            {std::string(Trimmed(line.substr(0, equals))), std::string(line.substr(equals + 1))});
    }
    return document;
}

const IniDocument::Entry* IniDocument::find(std::string_view section, std::string_view key) const {
    const Entry* found = nullptr; // the last of repeated keys counts
    for (const Section& s : sections_)
        if (s.name == section)
            for (const Entry& e : s.entries)
                if (e.key == key)
                    found = &e;
    return found;
}

std::optional<std::string> IniDocument::text(std::string_view section, std::string_view key) const {
    const Entry* entry = find(section, key);
    if (entry == nullptr)
        return std::nullopt;
    std::vector<std::string> items = Unescape(entry->raw);
    if (items.size() != 1)
        return std::nullopt;
    return std::move(items.front());
}

std::optional<std::vector<std::string>> IniDocument::list(std::string_view section,
                                                          std::string_view key) const {
    const Entry* entry = find(section, key);
    if (entry == nullptr)
        return std::nullopt;
    if (Trimmed(entry->raw) == kNoList)
        return std::vector<std::string>{};
    return Unescape(entry->raw);
}

void IniDocument::set(std::string_view section, std::string_view key, std::string raw) {
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s)
        if (s->name == section)
            for (auto e = s->entries.rbegin(); e != s->entries.rend(); ++e)
                if (e->key == key) {
                    e->raw = std::move(raw);
                    return;
                }
    const auto s = std::find_if(sections_.begin(), sections_.end(),
                                [&](const Section& candidate) { return candidate.name == section; });
    Section& target = s != sections_.end() ? *s : sections_.emplace_back(Section{std::string(section), {}});
    target.entries.push_back({std::string(key), std::move(raw)});
}

void IniDocument::setText(std::string_view section, std::string_view key, std::string_view value) {
    set(section, key, Escape(value));
}

void IniDocument::setList(std::string_view section, std::string_view key,
                          const std::vector<std::string>& values) {
    std::string raw = values.empty() ? std::string(kNoList) : std::string();
    for (std::size_t k = 0; k < values.size(); ++k)
        raw += (k == 0 ? "" : ", ") + Escape(values[k]);
    set(section, key, std::move(raw));
}

std::string IniDocument::format() const {
    std::string out;
    for (const Section& s : sections_) {
        if (!out.empty())
            out += '\n';
        if (!s.name.empty())
            out += '[' + s.name + "]\n";
        for (const Entry& e : s.entries)
            out += e.key + '=' + e.raw + '\n';
    }
    return out;
}

} // namespace airmotor::core
