#include "server/ApiRequest.h"

#include "core/language/Language.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace airmotor::server {
namespace {

constexpr int kMaxTextBytes = 256;

int Depth(const QJsonValue& value) {
    int deepest = 0;
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            deepest = std::max(deepest, Depth(it.value()));
        return deepest + 1;
    }
    if (value.isArray()) {
        for (const auto& item : value.toArray())
            deepest = std::max(deepest, Depth(item));
        return deepest + 1;
    }
    return 0;
}

std::string FieldText(const std::string& name, const QJsonValue& value) {
    if (value.isString()) {
        const QByteArray text = value.toString().toUtf8();
        if (text.size() > kMaxTextBytes)
            throw ApiError(400, "field " + name + ": the text is longer than 256 bytes");
        return text.toStdString();
    }
    if (value.isDouble())
        return PlainNumber(value.toDouble());
    if (value.isArray()) {
        std::string joined;
        for (const auto& item : value.toArray()) {
            if (!item.isString() && !item.isDouble())
                throw ApiError(400, "field " + name + ": the list holds texts and numbers only");
            joined += (joined.empty() ? "" : ",") + FieldText(name, item);
        }
        return joined;
    }
    throw ApiError(400, "field " + name + ": a text or a number is expected");
}

} // namespace

QJsonObject ParseBody(const QByteArray& body) {
    if (body.size() > kMaxBodyBytes)
        throw ApiError(413, "the request body is larger than 64 KiB");
    if (body.trimmed().isEmpty())
        return {};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw ApiError(400, "the body is not valid JSON: " + error.errorString().toStdString() + " at byte " +
                                std::to_string(error.offset));
    if (!document.isObject())
        throw ApiError(400, "the body must be a JSON object");
    const QJsonObject object = document.object();
    if (Depth(object) > kMaxJsonDepth)
        throw ApiError(400, "the body is nested deeper than 4 levels");
    return object;
}

std::string CamelCase(std::string_view option) {
    std::string name;
    bool upper = false;
    for (const char c : option) {
        if (c == '-') {
            upper = true;
            continue;
        }
        name.push_back(upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
        upper = false;
    }
    return name;
}

cli::CommandArgs BodyToArgs(const QJsonObject& body, const std::vector<std::string_view>& options,
                            const std::vector<std::string_view>& extra) {
    cli::CommandArgs args;
    for (auto it = body.begin(); it != body.end(); ++it) {
        const std::string name = it.key().toStdString();
        if (std::find(extra.begin(), extra.end(), name) != extra.end())
            continue;
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&name](std::string_view o) { return CamelCase(o) == name; });
        if (option == options.end())
            throw ApiError(400, "unknown field \"" + name + "\"");
        if (it.value().isNull())
            continue;
        args.push_back("--" + std::string(*option));
        args.push_back(FieldText(name, it.value()));
    }
    return args;
}

std::string LanguageOf(const QString& given) {
    if (given.isEmpty())
        return "English";
    const std::string name = given.toStdString();
    if (!core::IsLanguageName(name))
        throw ApiError(400, "unknown language \"" + name +
                                "\" (English, English_Imperial, German, French, Italian or Spanish)");
    return name;
}

std::string PlainNumber(double value) {
    if (!std::isfinite(value))
        throw ApiError(400, "numbers must be finite");
    // Fixed notation: a field box keeps digits, '.' and '-' only, so "1e-05" would become "105".
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        throw ApiError(400, "a number is out of range");
    return {buffer, result.ptr};
}

} // namespace airmotor::server
