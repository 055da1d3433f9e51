#include "core/catalogue/CatalogueLocation.h"

#include "core/format/NumberParsing.h"
#include "core/format/Utf8.h"

#include <string_view>

namespace airmotor::core {
namespace {

constexpr std::string_view kSchemes[] = {"postgresql://", "postgres://"};

std::optional<std::string> Decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const auto high = HexDigitValue(text[i + 1]);
        const auto low = HexDigitValue(text[i + 2]);
        if (!high || !low)
            return std::nullopt;
        out += static_cast<char>(*high * 16 + *low);
        i += 2;
    }
    if (!IsValidUtf8(out))
        return std::nullopt;
    return out;
}

std::optional<int> PortOf(std::string_view text) {
    const auto port = ParseInt(text);
    if (!port || *port < 1 || *port > 65535 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return port;
}

// The driver passes options as key=value words: a value it would have to quote is refused here.
bool PlainValue(std::string_view value) {
    return !value.empty() && value.find_first_of(" \t\n\r;'\\\"") == std::string_view::npos;
}

} // namespace

std::variant<CatalogueLocation, LocationError> ParseCatalogueLocation(const std::string& text) {
    CatalogueLocation location;
    location.text = text;
    const auto fail = [&text](const std::string& what) {
        return LocationError{"catalogue location " + text + ": " + what};
    };
    if (text.empty())
        return LocationError{"the catalogue location is empty"};
    const auto passwordFault = [&fail] {
        LocationError error =
            fail("a password does not belong in the location; put it in ~/.pgpass or PGPASSWORD");
        error.password = true;
        return error;
    };
    std::string_view rest;
    for (const std::string_view scheme : kSchemes)
        if (text.rfind(scheme, 0) == 0)
            rest = std::string_view(text).substr(scheme.size());
    if (rest.data() == nullptr) {
        location.file = text;
        return location;
    }
    location.kind = CatalogueLocation::Kind::Postgres;
    if (rest.find('#') != std::string_view::npos)
        return fail("a URL has no fragment (#)");

    const std::size_t query = rest.find('?');
    const std::string_view beforeQuery = rest.substr(0, query);
    const std::size_t slash = beforeQuery.find('/');
    std::string_view authority = beforeQuery.substr(0, slash);
    const std::string_view path =
        slash == std::string_view::npos ? std::string_view() : beforeQuery.substr(slash + 1);

    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view userInfo = authority.substr(0, at);
        if (userInfo.find(':') != std::string_view::npos)
            return passwordFault();
        const auto user = Decode(userInfo);
        if (!user || user->empty())
            return fail("the user name before '@' is empty or badly percent-encoded");
        location.user = *user;
        authority = authority.substr(at + 1);
    }
    if (authority.find(',') != std::string_view::npos)
        return fail("only one host may be given");
    std::string_view hostText = authority;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return fail("the IPv6 address has no closing ']'");
        hostText = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':' || !(location.port = PortOf(after.substr(1))))
                return fail("the port must be a number from 1 to 65535");
        }
    } else if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
        hostText = authority.substr(0, colon);
        if (!(location.port = PortOf(authority.substr(colon + 1))))
            return fail("the port must be a number from 1 to 65535");
    }
    const auto host = Decode(hostText);
    if (!host)
        return fail("the host is badly percent-encoded");
    location.host = *host;
    const auto database = Decode(path);
    if (!database)
        return fail("the database name is badly percent-encoded");
    location.database = *database;

    if (query != std::string_view::npos) {
        std::string_view params = rest.substr(query + 1);
        while (!params.empty()) {
            const std::size_t amp = params.find('&');
            const std::string_view param = params.substr(0, amp);
            params = amp == std::string_view::npos ? std::string_view() : params.substr(amp + 1);
            const std::size_t eq = param.find('=');
            if (eq == std::string_view::npos)
                return fail("the parameter \"" + std::string(param) + "\" has no value");
            const auto key = Decode(param.substr(0, eq));
            const auto value = Decode(param.substr(eq + 1));
            if (!key || !value || key->empty())
                return fail("the parameter \"" + std::string(param) + "\" is badly percent-encoded");
            if (*key == "password")
                return passwordFault();
            if (*key == "host") {
                location.host = *value;
            } else if (*key == "port") {
                if (!(location.port = PortOf(*value)))
                    return fail("the port must be a number from 1 to 65535");
            } else if (*key == "user") {
                location.user = *value;
            } else if (*key == "dbname") {
                location.database = *value;
            } else if (!PlainValue(*value) ||
                       key->find_first_not_of("abcdefghijklmnopqrstuvwxyz_") != std::string::npos) {
                return fail("the parameter \"" + *key + "\" has a value the connection cannot take");
            } else {
                location.options.emplace_back(*key, *value);
            }
        }
    }
    if (location.database.empty())
        return fail("the URL names no database (postgresql://host/DATABASE)");
    return location;
}

} // namespace airmotor::core
