#include "server/ApiRequest.h"
#include "server/ServerOptions.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <tuple>

namespace airmotor::server {
namespace {

QJsonObject Object(const char* json) {
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

int StatusOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const ApiError& e) {
        return e.status;
    }
    return 0;
}

TEST(ServerRequest, BodiesBecomeTheCommandLinesOptions) {
    const std::vector<std::string_view> names = {"torque", "start-torque", "tks-versions", "series", "rows"};
    struct Row {
        const char* body;
        cli::CommandArgs args;
    };
    const Row rows[] = {
        {"{}", {}},
        {R"({"torque": 10})", {"--torque", "10"}},
        // A field box keeps digits, '.' and '-': an exponent must not reach it.
        {R"({"torque": 1e-5})", {"--torque", "0.00001"}},
        {R"({"torque": -0.5})", {"--torque", "-0.5"}},
        {R"({"torque": 6.3})", {"--torque", "6.3"}},
        {R"({"torque": "2,5"})", {"--torque", "2,5"}},
        {R"({"startTorque": 4, "tksVersions": "both"})", {"--start-torque", "4", "--tks-versions", "both"}},
        {R"({"series": ["TKM", "PGW"]})", {"--series", "TKM,PGW"}},
        {R"({"rows": [1, 2, 3]})", {"--rows", "1,2,3"}},
        {R"({"torque": null, "language": "German"})", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.body);
        EXPECT_EQ(BodyToArgs(Object(row.body), names, {"language"}), row.args);
    }
}

TEST(ServerRequest, BadBodiesAreRefusedWithTheirStatus) {
    const std::vector<std::string_view> names = {"torque", "series"};
    const auto args = [&names](const char* body) {
        return [&names, body] { BodyToArgs(ParseBody(QByteArray(body)), names, {}); };
    };
    struct Row {
        const char* body;
        int status;
    };
    const Row rows[] = {
        {R"({"torque": 10})", 0},
        {"", 0},
        {"   ", 0},
        {R"({"Torque": 10})", 400},       // names are exact
        {R"({"start-torque": 10})", 400}, // the command line's spelling is not the API's
        {R"({"torque": true})", 400},
        {R"({"torque": {"a": 1}})", 400},
        {R"({"series": [["TKM"]]})", 400},
        {R"({"series": [true]})", 400},
        {R"([1, 2])", 400},
        {R"("torque")", 400},
        {R"({"torque": NaN})", 400},
        {R"({"torque": Infinity})", 400},
        {R"({"torque": 10,})", 400},
        {R"({"a": {"b": {"c": {"d": 1}}}})", 400}, // deeper than four levels, whatever the names
        {"{\"torque\": \"\xff\"}", 400},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.body);
        EXPECT_EQ(StatusOf(args(row.body)), row.status);
    }
    const std::string longText = R"({"torque": ")" + std::string(257, '1') + R"("})";
    EXPECT_EQ(StatusOf(args(longText.c_str())), 400);
    const std::string limit = R"({"torque": ")" + std::string(256, '1') + R"("})";
    EXPECT_EQ(StatusOf(args(limit.c_str())), 0);
    const QByteArray tooBig = "{\"torque\": \"" + QByteArray(kMaxBodyBytes, '1') + "\"}";
    EXPECT_EQ(StatusOf([&tooBig] { ParseBody(tooBig); }), 413);
    EXPECT_EQ(StatusOf([] { ParseBody(QByteArray(kMaxBodyBytes, ' ')); }), 0);
    EXPECT_EQ(StatusOf([] { ParseBody(QByteArray(kMaxBodyBytes + 1, ' ')); }), 413);
}

TEST(ServerRequest, NamesNumbersAndLanguages) {
    EXPECT_EQ(CamelCase("torque"), "torque");
    EXPECT_EQ(CamelCase("start-torque"), "startTorque");
    // The letters at both ends of the alphabet are raised; digits and capitals stay.
    EXPECT_EQ(CamelCase("x-a-z-Q-9"), "xAZQ9");
    EXPECT_EQ(PlainNumber(0.0), "0");
    EXPECT_EQ(PlainNumber(3000.0), "3000");
    EXPECT_EQ(PlainNumber(0.1), "0.1");
    EXPECT_EQ(PlainNumber(1e21), "1000000000000000000000");
    EXPECT_EQ(StatusOf([] { PlainNumber(std::numeric_limits<double>::infinity()); }), 400);
    EXPECT_EQ(LanguageOf(QString()), "English");
    EXPECT_EQ(LanguageOf(QStringLiteral("English_Imperial")), "English_Imperial");
    EXPECT_EQ(StatusOf([] { LanguageOf(QStringLiteral("german")); }), 400);
}

TEST(ServerOptions, CommandLines) {
    struct Row {
        std::vector<std::string> args;
        std::string host;
        int port;
        int threads;
    };
    const Row rows[] = {
        {{}, "127.0.0.1", 8080, 0},
        {{"--listen", "0.0.0.0:80"}, "0.0.0.0", 80, 0},
        {{"--listen=:0"}, "127.0.0.1", 0, 0},
        {{"--listen", "[::1]:65535"}, "::1", 65535, 0},
        {{"--threads", "1"}, "127.0.0.1", 8080, 1},
        {{"--threads=256", "--listen", "127.0.0.2:9"}, "127.0.0.2", 9, 256},
    };
    for (const Row& row : rows) {
        const ServerOptions options = ServerOptions::Parse(row.args);
        EXPECT_EQ(std::tie(options.host, options.port, options.threads),
                  std::tie(row.host, row.port, row.threads));
    }
    const std::vector<std::vector<std::string>> wrong = {
        {"--listen"},
        {"--listen", "8080"},
        {"--listen", "h:65536"},
        {"--listen", "h:-1"},
        {"--listen", "h:x"},
        {"--threads", "0"},
        {"--threads", "257"},
        {"--threads", "two"},
        {"--folder", ""},
        {"--folder"},
        {"serve"},
        {"--port", "80"},
    };
    for (const auto& args : wrong)
        EXPECT_THROW(ServerOptions::Parse(args), ServerUsageError) << args.front();
    EXPECT_TRUE(ServerOptions::Parse({"--help"}).help);
    EXPECT_EQ(ServerOptions::Parse({"--folder", "/x"}).folder, "/x");
}

} // namespace
} // namespace airmotor::server
