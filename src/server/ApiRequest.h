#pragma once

#include "cli/CliContext.h"

#include <QByteArray>
#include <QJsonObject>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::server {

// A request the API refuses before any work: the HTTP status and a message for the caller.
struct ApiError : std::runtime_error {
    ApiError(int code, const std::string& message) : std::runtime_error(message), status(code) {}
    int status;
};

inline constexpr int kMaxBodyBytes = 64 * 1024;
inline constexpr int kMaxJsonDepth = 4;

// The body as one JSON object: 413 when too large, 400 when it is not JSON (NaN, Infinity and text
// that is not UTF-8 are not JSON), not an object, or nested deeper than kMaxJsonDepth.
QJsonObject ParseBody(const QByteArray& body);

// "start-torque" -> "startTorque".
std::string CamelCase(std::string_view option);

// The body's fields as the command's options: each camelCase name of `options` (which the command
// line spells --kebab-case) with its value as the command line would carry it. Strings as given,
// numbers in plain decimals (a field box does not take an exponent), an array of strings joined by
// commas. `extra` names fields the caller reads itself (such as "language"); any other name is 400.
cli::CommandArgs BodyToArgs(const QJsonObject& body, const std::vector<std::string_view>& options,
                            const std::vector<std::string_view>& extra);

// The "language" field (or query item): one of the six settings, English when absent; else 400.
std::string LanguageOf(const QString& given);

// A number as plain decimals, the shortest text that reads back as the same double.
std::string PlainNumber(double value);

} // namespace airmotor::server
